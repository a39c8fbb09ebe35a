#include "text/frame_text.h"

#include "core/frame_core.h"
#include "text/frame_render.h"
#include "text/input_check.h"
#include "text/layout/frame_layout.h"
#include "text/plain_psv.h"
#include "text/psv_cells.h"
#include "text/text_limits.h"

namespace {
Refusal check_request(const FrameRequest& request) {
    Refusal refusal;
    const int32_t lowestPosition = request.to == TableFormat::Frame ? 1 : 0;
    if (request.frameType < 1 || request.frameType > FT_FRAME_TYPE_MAX) {
        refusal.kind = RefusalKind::BadFrameType;
        refusal.found = request.frameType;
    } else if (request.positionType < lowestPosition ||
               request.positionType > FT_POSITION_TYPE_MAX) {
        refusal.kind = RefusalKind::BadPositionType;
        refusal.found = request.positionType;
    }
    return refusal;
}

// A frame is read back whatever size this layer may have drawn it.
int64_t input_limit(const FrameRequest& request) {
    return request.from == TableFormat::Frame ? kTextFrameLimit : kTextInputLimit;
}

// Everything but the fit, which the psv path reads from the request itself.
WriteOptions write_options_unfitted(const FrameRequest& request) {
    WriteOptions options;
    options.frameType = request.frameType;
    options.positionType = request.positionType;
    options.widthModel = request.widthModel;
    options.lineEnd = request.lineEnd;
    options.header = request.header;
    return options;
}

WriteOptions write_options(const FrameRequest& request) {
    WriteOptions options = write_options_unfitted(request);
    options.fit = request.fit;
    return options;
}

// The cells of a psv table, spans of it, drawn. An escape sequence anywhere
// may be a cell's; psv cells hold no line break.
Refusal frame_psv_cells(const FrameRequest& request, std::string_view table, const CellGrid& grid,
                        bool mayHoldEscapes, std::string& frame) {
    if (grid.columns == 0) {
        return refusal_of(RefusalKind::NoCells);
    }
    const TableView view{table.data(), grid.cells.data(), grid.rows, grid.columns};
    const FrameLook look = frame_look(write_options_unfitted(request), request.encoding);
    const std::string_view special = mayHoldEscapes ? table : std::string_view();
    if (needs_layout(request.fit, special, kEscapeOnly)) {
        return render_laid_out(view, look, request.fit, frame);
    }
    return render_frame(view, look, frame);
}

// psv to a frame, the way most tables go: cells stay spans of the input.
Refusal frame_psv(const FrameRequest& request, std::string_view table, std::string& frame) {
    CellGrid grid;
    Refusal refusal = read_psv_cells(table, request.encoding, request.widthModel, grid);
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    return frame_psv_cells(request, table, grid, true, frame);
}

// psv to a frame when the table is plain, its input checked as it is read;
// false leaves the request to the general path.
bool frame_plain_psv(const FrameRequest& request, FrameOutcome& outcome) {
    if (request.from != TableFormat::Psv || request.to != TableFormat::Frame ||
        check_request(request).kind != RefusalKind::None ||
        static_cast<int64_t>(request.text.size()) > input_limit(request)) {
        return false;
    }
    const std::string_view table =
        without_trailing_empty_lines(without_bom(request.text, request.encoding));
    CellGrid grid;
    if (table.empty() || !read_plain_psv(table, request.encoding, request.widthModel, grid)) {
        return false;
    }
    outcome.refusal = frame_psv_cells(request, table, grid, false, outcome.text);
    return true;
}

// The input, checked, without its empty last lines; empty when there is no
// table in it. Its byte order mark stays for read_table to skip: a second
// U+FEFF is a cell's.
Refusal checked_table(const FrameRequest& request, std::string_view& table) {
    Refusal refusal = check_request(request);
    if (refusal.kind == RefusalKind::None) {
        refusal = check_input_text(request.text, request.encoding, input_limit(request));
    }
    table = std::string_view();
    if (refusal.kind == RefusalKind::None) {
        table = without_trailing_empty_lines(request.text);
    }
    if (without_bom(table, request.encoding).empty()) {
        table = std::string_view();
    }
    return refusal;
}
}  // namespace

FrameOutcome frame_text(const FrameRequest& request) {
    FrameOutcome outcome;
    if (frame_plain_psv(request, outcome)) {
        return outcome;
    }
    std::string_view table;
    outcome.refusal = checked_table(request, table);
    if (!outcome.ok() || table.empty()) {
        return outcome;
    }
    if (request.from == TableFormat::Psv && request.to == TableFormat::Frame) {
        outcome.refusal = frame_psv(request, without_bom(table, request.encoding), outcome.text);
        return outcome;
    }
    TableRead read =
        read_table(table, request.from, request.encoding, request.widthModel, request.jsonNested);
    if (!read.ok()) {
        outcome.refusal = read.refusal;
        return outcome;
    }
    TableWrite written = write_table(read.table, request.to, write_options(request));
    outcome.text = std::move(written.text);
    outcome.refusal = written.refusal;
    return outcome;
}

TableRead read_text(const FrameRequest& request) {
    TableRead read;
    std::string_view table;
    read.refusal = checked_table(request, table);
    if (read.ok() && !table.empty()) {
        read = read_table(table, request.from, request.encoding, request.widthModel,
                          request.jsonNested);
    }
    return read;
}
