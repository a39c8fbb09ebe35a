// Cells read from any format, drawn as a frame: their text laid end to end
// once, each cell a span of it, and the frame renderer given the spans.
#include "core/cell_table.h"
#include "text/cell_width.h"
#include "text/formats/formats_internal.h"
#include "text/frame_render.h"

namespace formats {

namespace {

// A frame holds every row as long as the first; the refusal names the first
// cell too many, or the last cell of a row too short.
bool rows_agree(const Table& table, Refusal& refusal) {
    const size_t columns = table.rows().front().size();
    for (const Row& row : table.rows()) {
        if (row.size() == columns) {
            continue;
        }
        refusal = refusal_of(RefusalKind::RaggedRow);
        if (!row.empty()) {
            const Cell& cell = row.size() > columns ? row[columns] : row.back();
            refusal.line = cell.line;
            refusal.column = cell.column;
        }
        refusal.found = static_cast<int64_t>(row.size());
        refusal.limit = static_cast<int64_t>(columns);
        return false;
    }
    return true;
}

struct LaidOut {
    std::string text;
    std::vector<CellSpan> cells;
};

LaidOut lay_out(const Table& table, WidthModel widthModel) {
    LaidOut laid;
    size_t bytes = 0;
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            bytes += cell.text.size();
        }
        laid.cells.reserve(laid.cells.size() + row.size());
    }
    laid.text.reserve(bytes);
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const auto start = static_cast<int32_t>(laid.text.size());
            const auto length = static_cast<int32_t>(cell.text.size());
            const int32_t width = table.encoding == TextEncoding::Cp932
                                      ? length
                                      : measure_utf8_cell(cell.text.data(), length, widthModel);
            laid.text += cell.text;
            laid.cells.push_back(CellSpan{start, length, width});
        }
    }
    return laid;
}

}  // namespace

TableWrite write_frame(const Table& table, const WriteOptions& options) {
    TableWrite out;
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            if (!cell_fits(cell, "|\t", table.encoding, out.refusal)) {
                return out;
            }
        }
    }
    if (table.rows().empty() || !rows_agree(table, out.refusal)) {
        return out;
    }
    if (table.rows().front().empty()) {
        out.refusal = refusal_of(RefusalKind::NoCells);
        return out;
    }
    const LaidOut laid = lay_out(table, options.widthModel);
    const TableView view{laid.text.data(), laid.cells.data(),
                         static_cast<int32_t>(table.rows().size()),
                         static_cast<int32_t>(table.rows().front().size())};
    FrameLook look;
    look.frameType = options.frameType;
    look.positionType = options.positionType == 0 ? 1 : options.positionType;
    look.encoding = table.encoding;
    look.widthModel = options.widthModel;
    look.lineEnd = options.lineEnd;
    out.refusal = render_frame(view, look, out.text);
    return out;
}

}  // namespace formats
