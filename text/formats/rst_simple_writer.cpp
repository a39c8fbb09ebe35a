// A reStructuredText simple table: columns under runs of "=", two spaces
// apart. A row whose first cell is empty continues the row above, or is lost
// when it is the first, so such a row is refused; other cells may be empty.
// A table of a single column is refused too, as it reads as a section title.
// A table of one row has no header.
#include "text/formats/rst_cells.h"

namespace formats {

namespace {

void append_border(std::string& out, const std::vector<int64_t>& columns, std::string_view end) {
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) {
            out += "  ";
        }
        out.append(static_cast<size_t>(columns[c]), '=');
    }
    out += end;
}

void append_row(std::string& out, const std::vector<std::string>& texts,
                const std::vector<int64_t>& columns, TextEncoding encoding, WidthModel model,
                std::string_view end) {
    const size_t start = out.size();
    for (size_t c = 0; c < texts.size(); ++c) {
        if (c > 0) {
            out += "  ";
        }
        out += texts[c];
        out.append(static_cast<size_t>(columns[c] - rst_width(texts[c], encoding, model)), ' ');
    }
    const size_t last = out.find_last_not_of(' ');
    out.resize(last == std::string::npos || last < start ? start : last + 1);
    out += end;
}

bool columns_held(const Table& table, Refusal& refusal) {
    if (table.rows()[0].size() >= 2) {
        return true;
    }
    refusal = cell_refusal(RefusalKind::TooFewColumns, table, table.rows()[0][0]);
    refusal.found = static_cast<int64_t>(table.rows()[0].size());
    refusal.limit = 2;
    return false;
}

bool first_cells_filled(const Table& table, Refusal& refusal) {
    for (const Row& row : table.rows()) {
        if (row.front().text.empty()) {
            refusal = cell_refusal(RefusalKind::RowNotHeld, table, row.front());
            return false;
        }
    }
    return true;
}

}  // namespace

TableWrite write_rst_simple(const Table& table, const WriteOptions& options) {
    TableWrite out;
    RstCells cells;
    if (!rst_cells(table, options.widthModel, cells, out.refusal) ||
        !columns_held(table, out.refusal) || !first_cells_filled(table, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    append_border(out.text, cells.columns, end);
    for (size_t r = 0; r < cells.texts.size(); ++r) {
        append_row(out.text, cells.texts[r], cells.columns, table.encoding, options.widthModel,
                   end);
        if (r == 0 && cells.texts.size() > 1) {
            append_border(out.text, cells.columns, end);
        }
    }
    append_border(out.text, cells.columns, end);
    if (!options.titles.title.empty() && !rst_titled(out.text, options.titles.title, table.encoding,
                                                     options.widthModel, end, out.refusal)) {
        out.text.clear();
    }
    return out;
}

}  // namespace formats
