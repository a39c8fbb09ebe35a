// GitHub Markdown tables: a header row, a delimiter row, body rows up to the
// first blank line. Pipes split cells unless written "\|"; the outer pipes are
// optional; cells are trimmed. No other backslash is an escape here, which is
// how GitHub splits rows too, so any cell text comes back as it was written.
#include <algorithm>

#include "core/frame_core.h"
#include "text/formats/formats_internal.h"
#include "text/formats/markdown_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

struct CellSpan {
    size_t start = 0;  // trimmed
    size_t end = 0;
};

std::vector<CellSpan> split_row(std::string_view text, LineSpan line, TextEncoding encoding) {
    std::string_view trimmed = trim_blanks(text.substr(line.start, line.end - line.start));
    const size_t start = static_cast<size_t>(trimmed.data() - text.data());
    const size_t end = start + trimmed.size();
    std::vector<CellSpan> cells;
    size_t cellStart = start;
    bool endsInPipe = false;
    auto close = [&](size_t cellEnd) {
        std::string_view cell = trim_blanks(text.substr(cellStart, cellEnd - cellStart));
        const size_t from = static_cast<size_t>(cell.data() - text.data());
        cells.push_back({from, from + cell.size()});
    };
    for (size_t at = start; at < end; at += text_rules::char_length(text, at, is_cp932(encoding))) {
        endsInPipe = false;
        if (text[at] == '\\' && at + 1 < end && text[at + 1] == '|') {
            ++at;  // the pipe is text; the loop steps over it
            continue;
        }
        if (text[at] == '|') {
            endsInPipe = true;
            if (at != start) {
                close(at);
            }
            cellStart = at + 1;
        }
    }
    if (!endsInPipe) {
        close(end);
    }
    return cells;
}

bool has_pipe(std::string_view text, LineSpan line, TextEncoding encoding) {
    return find_char(text.substr(line.start, line.end - line.start), '|', encoding) !=
           std::string_view::npos;
}

bool is_delimiter_row(std::string_view text, LineSpan line, TextEncoding encoding,
                      size_t headerCells) {
    if (!has_pipe(text, line, encoding)) {
        return false;  // "---" alone is a rule or a heading underline
    }
    std::vector<CellSpan> cells = split_row(text, line, encoding);
    return cells.size() == headerCells &&
           std::all_of(cells.begin(), cells.end(), [&](const CellSpan& cell) {
               return is_markdown_delimiter_cell(text.substr(cell.start, cell.end - cell.start));
           });
}

bool is_blank_line(std::string_view text, LineSpan line) {
    return trim_blanks(text.substr(line.start, line.end - line.start)).empty();
}

// The length of the line break written as <br>, <br/> or <br /> (in any
// case) at the start of text, else 0.
size_t line_break_tag(std::string_view text) {
    if (text.size() < 4 || text[0] != '<' || (text[1] | 0x20) != 'b' || (text[2] | 0x20) != 'r') {
        return 0;
    }
    for (std::string_view end : {">", "/>", " />"}) {
        if (text.substr(3, end.size()) == end) {
            return 3 + end.size();
        }
    }
    return 0;
}

// Whether text holds what a reader would take for a line break. '<' is ASCII
// below 0x40, so it is never a code page 932 trail byte.
bool holds_line_break_tag(std::string_view text) {
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (line_break_tag(text.substr(at)) > 0) {
            return true;
        }
    }
    return false;
}

void add_row(Table& table, std::string_view text, LineSpan line, TextEncoding encoding,
             text_rules::PlaceCounter& places) {
    for (const CellSpan& span : split_row(text, line, encoding)) {
        const std::string_view asWritten = text.substr(span.start, span.end - span.start);
        // Only an escaped '|' or a line break tag makes a cell other than its span.
        if (asWritten.find_first_of("\\<") == std::string_view::npos) {
            add_cell_at(table, places, asWritten, span.start);
            continue;
        }
        std::string& cellText = open_cell_at(table, places, span.start);
        for (size_t at = span.start; at < span.end;) {
            const size_t length = text_rules::char_length(text, at, is_cp932(encoding));
            if (text[at] == '\\' && at + 1 < span.end && text[at + 1] == '|') {
                ++at;
                continue;
            }
            const size_t lineBreak =
                text[at] == '<' ? line_break_tag(text.substr(at, span.end - at)) : 0;
            if (lineBreak > 0) {
                cellText += '\n';
                at += lineBreak;
                continue;
            }
            cellText.append(text.substr(at, length));
            at += length;
        }
    }
    table.end_row();
}

enum class Align { None, Left, Right, Centre };

// Markdown gives one alignment per column, so the body rows' placement is the
// one it can say.
Align column_align(int32_t positionType, size_t column) {
    if (positionType < 1 || positionType > FT_POSITION_TYPE_MAX) {
        return Align::None;
    }
    switch (ft_placement(positionType, 1, column == 0 ? 0 : 1)) {
        case FT_LEFT:
            return Align::Left;
        case FT_RIGHT:
            return Align::Right;
        case FT_CENTRE:
            return Align::Centre;
    }
    return Align::None;
}

// Pipes escaped, and line breaks written as GitHub shows them.
std::string escape_pipes(std::string_view text, TextEncoding encoding) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const size_t length = text_rules::char_length(text, at, is_cp932(encoding));
        if (text_rules::is_line_end(text[at])) {
            escaped += "<br>";
            at = text_rules::line_at(text, at).next;
            continue;
        }
        if (text[at] == '|') {
            escaped += '\\';
        }
        escaped.append(text, at, length);
        at += length;
    }
    return escaped;
}

void append_padded(std::string& out, const std::string& text, int64_t width, int64_t columns,
                   Align align) {
    const int64_t pad = columns - width;
    const int64_t before = align == Align::Right ? pad : align == Align::Centre ? pad / 2 : 0;
    out.append(static_cast<size_t>(before), ' ');
    out += text;
    out.append(static_cast<size_t>(pad - before), ' ');
}

std::string delimiter_cell(int64_t columns, Align align) {
    std::string cell(static_cast<size_t>(columns), '-');
    if (align == Align::Left || align == Align::Centre) {
        cell.front() = ':';
    }
    if (align == Align::Right || align == Align::Centre) {
        cell.back() = ':';
    }
    return cell;
}

}  // namespace

TableRead read_markdown(std::string_view text, TextEncoding encoding) {
    TableRead read;
    read.table.borrow(text);
    read.table.encoding = encoding;
    std::vector<LineSpan> lines = split_lines(text);
    size_t header = 0;
    while (header < lines.size() && is_blank_line(text, lines[header])) {
        ++header;
    }
    if (header == lines.size()) {
        read.refusal.kind = RefusalKind::NoCells;
        return read;
    }
    const size_t firstRow = header;
    // Text before the table is passed over, as around a frame.
    while (header + 1 < lines.size() &&
           !(!is_blank_line(text, lines[header]) &&
             is_delimiter_row(text, lines[header + 1], encoding,
                              split_row(text, lines[header], encoding).size()))) {
        ++header;
    }
    if (header + 1 >= lines.size()) {
        read.refusal.kind = RefusalKind::NoDelimiterRow;
        read.refusal.line = static_cast<int64_t>(firstRow) + 2;
        read.refusal.column = 1;
        return read;
    }
    text_rules::PlaceCounter places(text, is_cp932(encoding));
    add_row(read.table, text, lines[header], encoding, places);
    for (size_t body = header + 2; body < lines.size() && !is_blank_line(text, lines[body]);
         ++body) {
        add_row(read.table, text, lines[body], encoding, places);
    }
    return read;
}

TableWrite write_markdown(const Table& table, const WriteOptions& options) {
    TableWrite out;
    if (table.rows().empty() || table.rows()[0].empty()) {
        out.refusal.kind = table.rows().empty() ? RefusalKind::NoCells : RefusalKind::RowNotHeld;
        return out;
    }
    const size_t columnCount = table.rows()[0].size();
    std::vector<std::vector<std::string>> texts;
    std::vector<std::vector<int64_t>> widths;
    std::vector<int64_t> columns(columnCount, 3);  // room for ":-:"
    for (const Row& row : table.rows()) {
        if (row.size() != columnCount) {
            const Cell& at = row.empty()                ? table.rows()[0][0]
                             : row.size() > columnCount ? row[columnCount]
                                                        : row.back();
            out.refusal = cell_refusal(RefusalKind::RaggedRow, at);
            out.refusal.found = static_cast<int64_t>(row.size());
            out.refusal.limit = static_cast<int64_t>(columnCount);
            return out;
        }
        texts.emplace_back();
        widths.emplace_back();
        for (size_t c = 0; c < columnCount; ++c) {
            // Every reader trims cells, so such a cell would not come back as it was.
            const std::string_view text = row[c].text;
            if (!text.empty() && (is_blank(text.front()) || is_blank(text.back()))) {
                out.refusal = cell_refusal(RefusalKind::CellHasEdgeBlanks, row[c]);
                return out;
            }
            // Its <br> would come back as a line break.
            if (holds_line_break_tag(text)) {
                out.refusal = cell_refusal(RefusalKind::CellHoldsSeparator, row[c], '<');
                return out;
            }
            texts.back().push_back(escape_pipes(row[c].text, table.encoding));
            widths.back().push_back(
                text_columns(texts.back().back(), table.encoding, options.widthModel));
            columns[c] = std::max(columns[c], widths.back().back());
        }
    }
    const std::string_view end = line_end_text(options.lineEnd);
    for (size_t r = 0; r < texts.size(); ++r) {
        for (size_t c = 0; c < columnCount; ++c) {
            out.text += "| ";
            append_padded(out.text, texts[r][c], widths[r][c], columns[c],
                          column_align(options.positionType, c));
            out.text += ' ';
        }
        out.text += '|';
        out.text += end;
        if (r == 0) {
            for (size_t c = 0; c < columnCount; ++c) {
                out.text += "| ";
                out.text += delimiter_cell(columns[c], column_align(options.positionType, c));
                out.text += ' ';
            }
            out.text += '|';
            out.text += end;
        }
    }
    return out;
}

}  // namespace formats
