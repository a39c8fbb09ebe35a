// GitHub Markdown tables written: a header row, a delimiter row whose colons
// give each column's alignment, then the body rows, every cell padded to its
// column. '|' is written "\|" and a line break "<br>", as the reader reads them.
#include <algorithm>

#include "core/frame_core.h"
#include "text/formats/formats_internal.h"
#include "text/formats/markdown_syntax.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

// Whether text holds what a reader would take for a line break. '<' is ASCII
// below 0x40, so it is never a code page 932 trail byte.
bool holds_line_break_tag(std::string_view text) {
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (markdown_syntax::line_break_tag(text.substr(at)) > 0) {
            return true;
        }
    }
    return false;
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
            out.refusal = cell_refusal(RefusalKind::RaggedRow, table, at);
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
                out.refusal = cell_refusal(RefusalKind::CellHasEdgeBlanks, table, row[c]);
                return out;
            }
            // Its <br> would come back as a line break.
            if (holds_line_break_tag(text)) {
                out.refusal = cell_refusal(RefusalKind::CellHoldsSeparator, table, row[c], '<');
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
