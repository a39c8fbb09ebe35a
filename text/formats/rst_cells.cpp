#include "text/formats/rst_cells.h"

#include <algorithm>

#include "text/formats/text_scan.h"

namespace formats {

namespace {

bool is_ascii_alnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_ascii_punct(char c) {
    return c > ' ' && c < 0x7F && !is_ascii_alnum(c);
}

// "1." "iv)" "A." at the start of a cell would begin an enumerated list.
size_t enumerator_end(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && is_ascii_alnum(text[at])) {
        ++at;
    }
    const bool closes = at > 0 && at < text.size() && (text[at] == '.' || text[at] == ')');
    return closes ? at : std::string_view::npos;
}

bool is_bullet(std::string_view c) {
    return c == "\xE2\x80\xA2" || c == "\xE2\x80\xA3" || c == "\xE2\x81\x83";  // • ‣ ⁃
}

bool starts_block(std::string_view text, TextEncoding encoding) {
    return is_ascii_punct(text[0]) || enumerator_end(text) != std::string_view::npos ||
           (encoding == TextEncoding::Utf8 && (is_bullet(text.substr(0, 3))));
}

// An escaped blank is no text at all, so "\ " before the cell's text keeps
// its first character from starting block markup, even a row of backslashes
// that would be a transition if each were escaped.
std::string rst_text(std::string_view text, TextEncoding encoding) {
    if (text.empty()) {
        return {};
    }
    std::string escaped = starts_block(text, encoding) ? "\\ " : "";
    return escaped + escape_cell(text, encoding, [](const CharAt& c) -> std::optional<std::string> {
               const bool inline_markup =
                   c.text.size() == 1 &&
                   std::string_view("\\*`_|:").find(c.text[0]) != std::string_view::npos;
               return inline_markup ? std::optional<std::string>("\\" + std::string(c.text))
                                    : std::nullopt;
           });
}

}  // namespace

int64_t rst_width(const std::string& text, TextEncoding encoding, WidthModel model) {
    return text_columns(text, encoding, model);
}

bool rst_cells(const Table& table, WidthModel model, RstCells& cells, Refusal& refusal) {
    if (!markup_table_fits(table, refusal)) {
        return false;
    }
    cells.columns.assign(table.rows()[0].size(), 1);
    for (const Row& row : table.rows()) {
        cells.texts.emplace_back();
        for (size_t c = 0; c < row.size(); ++c) {
            if (!cell_fits(table, row[c], "\t", refusal)) {
                return false;
            }
            cells.texts.back().push_back(rst_text(row[c].text, table.encoding));
            cells.columns[c] = std::max(
                cells.columns[c], rst_width(cells.texts.back().back(), table.encoding, model));
        }
    }
    return true;
}

bool rst_titled(std::string& table, std::string_view title, TextEncoding encoding, WidthModel model,
                std::string_view end, Refusal& refusal) {
    RstCells cells;
    const Table titleTable = caption_table(title, encoding);
    if (!markup_table_fits(titleTable, refusal) || !rst_cells(titleTable, model, cells, refusal)) {
        return false;
    }
    std::string titled = ".. table:: " + cells.texts[0][0];
    titled.append(end).append(end);
    for (size_t at = 0; at < table.size();) {
        const size_t next = table.find(end, at);
        const size_t stop = next == std::string::npos ? table.size() : next + end.size();
        titled.append("   ").append(table, at, stop - at);
        at = stop;
    }
    table = std::move(titled);
    return true;
}

}  // namespace formats
