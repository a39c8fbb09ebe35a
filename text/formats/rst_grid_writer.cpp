// A reStructuredText grid table: the first row is the header, under a "="
// rule. Cells are padded in display columns of the width model, which is how
// reStructuredText finds the borders.
#include "text/formats/rst_cells.h"

namespace formats {

namespace {

void append_rule(std::string& out, const std::vector<int64_t>& columns, char fill,
                 std::string_view end) {
    out += '+';
    for (int64_t width : columns) {
        out.append(static_cast<size_t>(width + 2), fill);
        out += '+';
    }
    out += end;
}

void append_row(std::string& out, const std::vector<std::string>& texts,
                const std::vector<int64_t>& columns, TextEncoding encoding, WidthModel model,
                std::string_view end) {
    out += '|';
    for (size_t c = 0; c < texts.size(); ++c) {
        out += ' ';
        out += texts[c];
        out.append(static_cast<size_t>(columns[c] - rst_width(texts[c], encoding, model) + 1), ' ');
        out += '|';
    }
    out += end;
}

}  // namespace

TableWrite write_rst_grid(const Table& table, const WriteOptions& options) {
    TableWrite out;
    RstCells cells;
    if (!rst_cells(table, options.widthModel, cells, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    append_rule(out.text, cells.columns, '-', end);
    for (size_t r = 0; r < cells.texts.size(); ++r) {
        append_row(out.text, cells.texts[r], cells.columns, table.encoding, options.widthModel,
                   end);
        append_rule(out.text, cells.columns, r == 0 && cells.texts.size() > 1 ? '=' : '-', end);
    }
    if (!options.titles.title.empty() && !rst_titled(out.text, options.titles.title, table.encoding,
                                                     options.widthModel, end, out.refusal)) {
        out.text.clear();
    }
    return out;
}

}  // namespace formats
