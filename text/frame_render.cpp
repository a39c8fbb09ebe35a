#include "text/frame_render.h"

#include "core/frame_core.h"
#include "text/large_buffers.h"
#include "text/text_limits.h"

namespace {
struct FrameSink {
    std::string& frame;
    int64_t refusedBytes = 0;
};

char* reserve_frame(int64_t bytes, void* context) {
    auto* sink = static_cast<FrameSink*>(context);
    if (bytes > kTextFrameLimit) {
        sink->refusedBytes = bytes;
        return nullptr;
    }
    return grow_unfilled(sink->frame, static_cast<size_t>(bytes));
}

struct PartSink {
    const FramePartWriter& write;
    int64_t refusedBytes = 0;
};

bool accept_frame(int64_t bytes, void* context) {
    auto* sink = static_cast<PartSink*>(context);
    if (bytes > kTextFrameLimit) {
        sink->refusedBytes = bytes;
        return false;
    }
    return true;
}

void write_part(const char* bytes, int32_t size, void* context) {
    static_cast<PartSink*>(context)->write(std::string_view(bytes, static_cast<size_t>(size)));
}

Refusal refusal_of_render(int result, int64_t refusedBytes) {
    if (result == FT_OK) {
        return {};
    }
    if (refusedBytes > 0) {
        Refusal refusal = refusal_of(RefusalKind::FrameTooLarge);
        refusal.found = refusedBytes;
        refusal.limit = kTextFrameLimit;
        return refusal;
    }
    return refusal_of(result == FT_NO_MEMORY ? RefusalKind::OutOfMemory : RefusalKind::NoCells);
}
}  // namespace

FtLook core_look(const FrameLook& look) {
    FtLook core;
    core.utf8 = look.encoding == TextEncoding::Utf8;
    core.narrow = core.utf8 && look.widthModel == WidthModel::Narrow;
    core.crlf = look.lineEnd == LineEnd::CrLf;
    return core;
}

Refusal render_frame(const TableView& table, const FrameLook& look, std::string& frame) {
    FrameSink sink{frame};
    const int result = ft_render_table(table, look.frameType, look.positionType, core_look(look),
                                       reserve_frame, &sink);
    if (result != FT_OK) {
        frame.clear();
    }
    return refusal_of_render(result, sink.refusedBytes);
}

Refusal render_frame(const TableView& table, const FrameLook& look, FrameTarget& target) {
    if (target.write == nullptr) {
        return render_frame(table, look, target.text);
    }
    PartSink sink{*target.write};
    const int result = ft_render_table_in_parts(table, look.frameType, look.positionType,
                                                core_look(look), accept_frame, write_part, &sink);
    return refusal_of_render(result, sink.refusedBytes);
}
