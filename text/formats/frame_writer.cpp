// Cells read from any format, drawn as a frame: the table's cells are
// already spans of one text, so the renderer is given them measured.
#include "core/cell_table.h"
#include "text/cell_width.h"
#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"
#include "text/frame_render.h"
#include "text/layout/frame_layout.h"
#include "text/layout/layout_choice.h"
#include "text/layout/records_frame.h"

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
        refusal = row.empty() ? refusal_of(RefusalKind::RaggedRow)
                              : cell_refusal(RefusalKind::RaggedRow, table,
                                             row.size() > columns ? row[columns] : row.back());
        refusal.found = static_cast<int64_t>(row.size());
        refusal.limit = static_cast<int64_t>(columns);
        return false;
    }
    return true;
}

bool cells_fit(const Table& table, Refusal& refusal) {
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            for (char separator : {'|', '\t'}) {
                if (find_char(cell.text, separator, table.encoding) != std::string_view::npos) {
                    refusal = cell_refusal(RefusalKind::CellHoldsSeparator, table, cell,
                                           static_cast<unsigned char>(separator));
                    return false;
                }
            }
        }
    }
    return true;
}

// The cells as spans of the table's own text, for the layout to measure.
std::vector<CellSpan> unmeasured_spans(const Table& table) {
    std::vector<CellSpan> spans;
    spans.reserve(table.cell_count());
    const char* base = table.text().data();
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            spans.push_back(CellSpan{static_cast<int32_t>(cell.text.data() - base),
                                     static_cast<int32_t>(cell.text.size()), 0});
        }
    }
    return spans;
}

// The cells as spans of the table's own text, measured.
std::vector<CellSpan> measured_spans(const Table& table, WidthModel widthModel) {
    std::vector<CellSpan> spans;
    spans.reserve(table.cell_count());
    const char* base = table.text().data();
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const auto length = static_cast<int32_t>(cell.text.size());
            const int32_t width = table.encoding == TextEncoding::Cp932
                                      ? length
                                      : measure_utf8_cell(cell.text.data(), length, widthModel);
            spans.push_back(CellSpan{static_cast<int32_t>(cell.text.data() - base), length, width});
        }
    }
    return spans;
}

// Records are drawn whole, then handed to a writer in one part.
Refusal write_records(const Table& table, const WriteOptions& options, FrameTarget& target) {
    std::string frame;
    const Refusal refusal = write_records_frame(table, options, frame);
    if (refusal.kind != RefusalKind::None) {
        return refusal;
    }
    target.take(std::move(frame));
    return refusal;
}

}  // namespace

}  // namespace formats

FrameLook frame_look(const WriteOptions& options, TextEncoding encoding) {
    FrameLook look;
    look.frameType = options.frameType;
    look.positionType = options.positionType == 0 ? 1 : options.positionType;
    look.encoding = encoding;
    look.widthModel = options.widthModel;
    look.lineEnd = options.lineEnd;
    return look;
}

namespace formats {

TableWrite write_frame(const Table& table, const WriteOptions& options) {
    TableWrite out;
    FrameTarget target{out.text};
    out.refusal = write_frame_to(table, options, target);
    return out;
}

}  // namespace formats

Refusal write_frame_to(const Table& table, const WriteOptions& options, FrameTarget& target) {
    Refusal refusal;
    // Most tables hold none of these at all.
    if (table.cells_hold_any("|\t") && !formats::cells_fit(table, refusal)) {
        return refusal;
    }
    if (!formats::cells_are_text(table, refusal)) {
        return refusal;
    }
    if (table.rows().empty() || !formats::rows_agree(table, refusal)) {
        return refusal;
    }
    if (table.rows().front().empty()) {
        refusal = refusal_of(RefusalKind::NoCells);
        return refusal;
    }
    const auto rows = static_cast<int32_t>(table.rows().size());
    const auto columns = static_cast<int32_t>(table.rows().front().size());
    if (options.fit.layout != RowLayout::Table && draws_records(table, options)) {
        return formats::write_records(table, options, target);
    }
    const FrameLook look = frame_look(options, table.encoding);
    if (!options.fit.plain() || table.cells_hold_any(kLayoutSpecials)) {
        const std::vector<CellSpan> spans = formats::unmeasured_spans(table);
        return render_laid_out(TableView{table.text().data(), spans.data(), rows, columns}, look,
                               options.fit, target.text);
    }
    const std::vector<CellSpan> spans = formats::measured_spans(table, options.widthModel);
    return render_frame(TableView{table.text().data(), spans.data(), rows, columns}, look, target);
}
