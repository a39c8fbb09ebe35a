// psv and tsv: one row per line. psv splits at '|' and TAB, skips a leading
// '|' and opens no cell after a trailing '|', as the core's line parser does
// after tab conversion; tsv splits at TAB alone.
#include "core/line_cutter.h"
#include "text/formats/formats_internal.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

// psv cuts its lines as the frame path does: one parser for both.
void read_psv_line(Table& table, std::string_view text, LineSpan span, bool cp932,
                   text_rules::PlaceCounter& places) {
    FtLineRule rule;
    rule.tabSeparates = true;
    rule.cp932 = cp932;
    cut_line_cells(text.data() + span.start, static_cast<int32_t>(span.end - span.start), rule,
                   [&](int32_t start, int32_t end) {
                       const size_t at = span.start + static_cast<size_t>(start);
                       add_cell_at(table, places, text.substr(at, static_cast<size_t>(end - start)),
                                   at);
                       return true;
                   });
    table.end_row();
}

// tsv: every TAB ends a cell, the first as much as any other.
void read_tsv_line(Table& table, std::string_view text, LineSpan span,
                   text_rules::PlaceCounter& places) {
    size_t start = span.start;
    for (;;) {
        const size_t tab = text.substr(0, span.end).find('\t', start);
        const size_t end = tab == std::string_view::npos ? span.end : tab;
        add_cell_at(table, places, text.substr(start, end - start), start);
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    table.end_row();
}

bool holds_line_break(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

TableWrite write_rows(const Table& table, LineEnd lineEnd, bool psv) {
    TableWrite out;
    const std::string_view separators = psv ? "|\t" : "\t";
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            if (!cell_fits(cell, separators, table.encoding, out.refusal)) {
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
    for (size_t r = 0; r < table.rows().size(); ++r) {
        const Row& row = table.rows()[r];
        if (row.empty() && psv) {
            out.text += '|';  // a lone '|' is a line with no cells
        } else if (!psv && (row.empty() || (r + 1 == table.rows().size() && row.size() == 1 &&
                                            row[0].text.empty()))) {
            // tsv has no way to say "no cells", and an empty last line is ignored.
            out.text.clear();
            Refusal refusal;
            refusal.kind = RefusalKind::RowNotHeld;
            refusal.line = row.empty() ? 0 : row[0].line;
            refusal.column = row.empty() ? 0 : row[0].column;
            out.refusal = refusal;
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

TableRead read_delimited(std::string_view text, TextEncoding encoding, bool tabsOnly) {
    TableRead read;
    read.table.borrow(text);
    read.table.encoding = encoding;
    text_rules::PlaceCounter places(text, is_cp932(encoding));
    for (const LineSpan& span : split_lines(text)) {
        if (tabsOnly) {
            read_tsv_line(read.table, text, span, places);
        } else {
            read_psv_line(read.table, text, span, is_cp932(encoding), places);
        }
    }
    if (read.table.rows().empty()) {
        read.refusal.kind = RefusalKind::NoCells;
    }
    return read;
}

TableWrite write_psv(const Table& table, LineEnd lineEnd) {
    return write_rows(table, lineEnd, true);
}

TableWrite write_tsv(const Table& table, LineEnd lineEnd) {
    return write_rows(table, lineEnd, false);
}

bool cell_fits(const Cell& cell, std::string_view separators, TextEncoding encoding,
               Refusal& refusal) {
    for (char separator : separators) {
        if (find_char(cell.text, separator, encoding) != std::string_view::npos) {
            refusal = cell_refusal(RefusalKind::CellHoldsSeparator, cell,
                                   static_cast<unsigned char>(separator));
            return false;
        }
    }
    if (holds_line_break(cell.text)) {
        refusal = cell_refusal(RefusalKind::CellHoldsLineBreak, cell);
        return false;
    }
    return true;
}

}  // namespace formats
