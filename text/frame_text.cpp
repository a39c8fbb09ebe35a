#include "text/frame_text.h"

#include "core/frame_core.h"
#include "core/text_rules.h"
#include "text/cell_width.h"
#include "text/text_check.h"
#include "text/text_limits.h"

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

// One line of the input and where the next begins; LF, CR LF or CR end it.
struct Line {
    std::string_view text;
    size_t next;
};

Line line_at(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && !is_line_end(text[end])) {
        ++end;
    }
    size_t next = end;
    if (next < text.size()) {
        next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    }
    return {text.substr(at, end - at), next};
}

// The table's text without the empty lines at its end.
std::string_view without_trailing_empty_lines(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && is_line_end(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

Refusal refusal_of(RefusalKind kind) {
    Refusal refusal;
    refusal.kind = kind;
    return refusal;
}

Refusal refusal_at(RefusalKind kind, std::string_view text, size_t offset, bool cp932) {
    Refusal refusal = refusal_of(kind);
    const text_rules::TextPlace place = text_rules::place_of(text, offset, cp932);
    refusal.line = place.line;
    refusal.column = place.column;
    return refusal;
}

Refusal check_text(std::string_view text, TextEncoding encoding) {
    const bool cp932 = encoding == TextEncoding::Cp932;
    const TextCheck check = cp932 ? check_cp932_text(text) : check_utf8_text(text);
    if (check.fault == TextFault::None) {
        return {};
    }
    RefusalKind kind = RefusalKind::ControlCharacter;
    if (check.fault == TextFault::Malformed) {
        kind = cp932 ? RefusalKind::InvalidCp932 : RefusalKind::InvalidUtf8;
    }
    Refusal refusal = refusal_at(kind, text, check.offset, cp932);
    refusal.codePoint = check.codePoint;
    if (kind == RefusalKind::InvalidUtf8) {
        refusal.validCp932 = check_cp932_text(text).fault == TextFault::None;
    }
    return refusal;
}

// The store is one static record: open for one request, closed on every path.
struct OpenTable {
    int opened;
    explicit OpenTable(int64_t poolBytes)
        : opened(ft_open_sized(static_cast<int32_t>(poolBytes))) {}
    ~OpenTable() { ft_close(); }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;
};

FtLineRule line_rule(const FrameRequest& request, WidthModel& widthModel) {
    FtLineRule rule;
    rule.tabSeparates = true;
    rule.cp932 = request.encoding == TextEncoding::Cp932;
    if (!rule.cp932) {
        rule.measure = measure_utf8_cell;
        rule.measureContext = &widthModel;
    }
    return rule;
}

// The cells of one line alone, by the parser's own rule.
int32_t cells_in_line(std::string_view line, const FtLineRule& rule) {
    if (ft_open_sized(static_cast<int32_t>(line.size())) != FT_OK) {
        return 0;
    }
    int32_t lineNumber = 0;
    int32_t failedAt = 0;
    ft_add_line_with(line.data(), static_cast<int32_t>(line.size()), rule, &lineNumber, &failedAt);
    return ft_table().columns;
}

Refusal ragged_row(std::string_view text, const Line& line, int32_t failedAt,
                   const FtLineRule& rule) {
    const int32_t expected = ft_table().columns;
    const auto offset =
        static_cast<size_t>(line.text.data() - text.data()) + static_cast<size_t>(failedAt);
    Refusal refusal = refusal_at(RefusalKind::RaggedRow, text, offset, rule.cp932);
    refusal.found = cells_in_line(line.text, rule);
    refusal.limit = expected;
    return refusal;
}

Refusal add_lines(std::string_view text, const FtLineRule& rule) {
    size_t at = 0;
    do {
        const Line line = line_at(text, at);
        int32_t lineNumber = 0;
        int32_t failedAt = 0;
        const int result = ft_add_line_with(
            line.text.data(), static_cast<int32_t>(line.text.size()), rule, &lineNumber, &failedAt);
        if (result == FT_BAD_SHAPE) {
            return ragged_row(text, line, failedAt, rule);
        }
        if (result != FT_OK) {
            return refusal_of(RefusalKind::OutOfMemory);
        }
        at = line.next;
    } while (at < text.size());
    return {};
}

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
    sink->frame.resize(static_cast<size_t>(bytes));
    return sink->frame.data();
}

FtLook look_of(const FrameRequest& request) {
    FtLook look;
    look.utf8 = request.encoding == TextEncoding::Utf8;
    look.narrow = look.utf8 && request.widthModel == WidthModel::Narrow;
    look.crlf = request.lineEnd == LineEnd::CrLf;
    return look;
}

Refusal render(const FrameRequest& request, std::string& frame) {
    FrameSink sink{frame};
    const int result = ft_render_with(request.frameType, request.positionType, look_of(request),
                                      reserve_frame, &sink);
    if (result == FT_OK) {
        return {};
    }
    frame.clear();
    if (sink.refusedBytes > 0) {
        Refusal refusal = refusal_of(RefusalKind::FrameTooLarge);
        refusal.found = sink.refusedBytes;
        refusal.limit = kTextFrameLimit;
        return refusal;
    }
    return refusal_of(result == FT_NO_MEMORY ? RefusalKind::OutOfMemory : RefusalKind::NoCells);
}

Refusal check_request(const FrameRequest& request) {
    Refusal refusal;
    if (request.frameType < 1 || request.frameType > FT_FRAME_TYPE_MAX) {
        refusal.kind = RefusalKind::BadFrameType;
        refusal.found = request.frameType;
    } else if (request.positionType < 1 || request.positionType > FT_POSITION_TYPE_MAX) {
        refusal.kind = RefusalKind::BadPositionType;
        refusal.found = request.positionType;
    }
    return refusal;
}

Refusal frame_checked(const FrameRequest& request, std::string_view text, std::string& frame) {
    std::string_view table = without_trailing_empty_lines(text);
    if (table.empty()) {
        return {};  // nothing in, nothing out, as from cat
    }
    OpenTable store(static_cast<int64_t>(table.size()));
    if (store.opened != FT_OK) {
        return refusal_of(RefusalKind::OutOfMemory);
    }
    WidthModel widthModel = request.widthModel;
    const FtLineRule rule = line_rule(request, widthModel);
    Refusal refusal = add_lines(table, rule);
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    if (ft_table().columns == 0) {
        return refusal_of(RefusalKind::NoCells);
    }
    return render(request, frame);
}
}  // namespace

std::string_view without_bom(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8 && text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        text.remove_prefix(kUtf8Bom.size());
    }
    return text;
}

Refusal check_input_text(std::string_view text, TextEncoding encoding, int64_t limit) {
    if (static_cast<int64_t>(text.size()) > limit) {
        Refusal refusal = refusal_of(RefusalKind::InputTooLarge);
        refusal.found = static_cast<int64_t>(text.size());
        refusal.limit = limit;
        return refusal;
    }
    return check_text(without_bom(text, encoding), encoding);
}

FrameOutcome frame_text(const FrameRequest& request) {
    FrameOutcome outcome;
    outcome.refusal = check_request(request);
    if (outcome.ok()) {
        outcome.refusal = check_input_text(request.text, request.encoding, kTextInputLimit);
    }
    if (!outcome.ok()) {
        return outcome;
    }
    outcome.refusal =
        frame_checked(request, without_bom(request.text, request.encoding), outcome.frame);
    return outcome;
}
