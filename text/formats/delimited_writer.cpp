// psv and tsv written: one row a line, cells that hold a separator or a line
// break refused, and cells placed so that the readers read them back.
#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

bool holds_line_break(std::string_view text) {
    return AsciiStops("\r\n").any_in(text);
}

TableWrite write_rows(const Table& table, LineEnd lineEnd, bool psv) {
    TableWrite out;
    const std::string_view separators = psv ? "|\t" : "\t";
    const AsciiStops stops(psv ? "|\t\r\n" : "\t\r\n");
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            // A byte found may be a code page 932 pair's second: looked at again.
            if (stops.any_in(cell.text) && !cell_fits(table, cell, separators, out.refusal)) {
                return out;
            }
        }
    }
    // Readers skip a byte order mark at the start; one written before a first
    // cell that starts with U+FEFF keeps the cell's own.
    const bool bomFirst = table.encoding == TextEncoding::Utf8 && !table.rows().empty() &&
                          !table.rows()[0].empty() &&
                          text_rules::bom_length(table.rows()[0][0].text, true) > 0;
    if (bomFirst) {
        out.text = "\xEF\xBB\xBF";
    }
    const std::string_view end = line_end_text(lineEnd);
    // Cells, a separator each and a line end a row: about what they were read from.
    out.text.reserve(table.text().size() + table.cell_count() + table.rows().size() * end.size());
    for (size_t r = 0; r < table.rows().size(); ++r) {
        const Row& row = table.rows()[r];
        if (row.empty() && psv) {
            out.text += '|';  // a lone '|' is a line with no cells
        } else if (!psv && (row.empty() || (r + 1 == table.rows().size() && row.size() == 1 &&
                                            row[0].text.empty()))) {
            // tsv has no way to say "no cells", and an empty last line is ignored.
            out.text.clear();
            out.refusal = row.empty() ? refusal_of(RefusalKind::RowNotHeld)
                                      : cell_refusal(RefusalKind::RowNotHeld, table, row[0]);
            return out;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out.text += psv ? '|' : '\t';
            } else if (psv && row[c].text.empty()) {
                out.text += '|';  // else the leading '|' would be skipped
            }
            out.text += row[c].text;
        }
        if (psv && !row.empty() && row.back().text.empty()) {
            out.text += '|';  // else the trailing '|' would open no cell
        }
        out.text += end;
    }
    return out;
}

}  // namespace

TableWrite write_psv(const Table& table, LineEnd lineEnd) {
    return write_rows(table, lineEnd, true);
}

TableWrite write_tsv(const Table& table, LineEnd lineEnd) {
    return write_rows(table, lineEnd, false);
}

bool cell_fits(const Table& table, const Cell& cell, std::string_view separators,
               Refusal& refusal) {
    if (!AsciiStops(separators, "\r\n").any_in(cell.text)) {
        return true;
    }
    for (char separator : separators) {
        if (find_char(cell.text, separator, table.encoding) != std::string_view::npos) {
            refusal = cell_refusal(RefusalKind::CellHoldsSeparator, table, cell,
                                   static_cast<unsigned char>(separator));
            return false;
        }
    }
    if (holds_line_break(cell.text)) {
        refusal = cell_refusal(RefusalKind::CellHoldsLineBreak, table, cell);
        return false;
    }
    return true;
}

}  // namespace formats
