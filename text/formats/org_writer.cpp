// An Org table: "|" cells padded in display columns, a rule under the header.
// Org has no escape character, only entities, so what an entity can say is
// written as one where it would be markup, and a cell whose text Org would
// read as a subscript, a verbatim run, a dash, an ellipsis, an entity or a
// snippet is refused: there is no way to write it exactly.
#include "text/formats/markup_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool opens_markup(const CharAt& c) {
    return c.first || is_blank(c.before) ||
           std::string_view("-({'\"").find(c.before) != std::string_view::npos;
}

std::optional<std::string> org_entity(const CharAt& c) {
    switch (c.text[0]) {
        case '|':
            return "\\vert{}";
        case '$':
            return "\\dollar{}";
        case '[':
            return "\\lbrack{}";
        case '<':
            return "\\lt{}";
        case '{':
            return "\\lbrace{}";
        case ':':
            // "http:" and the like start a link that would run on over entities.
            return is_ascii_letter(c.before) ? std::optional<std::string>("\\colon{}")
                                             : std::nullopt;
        case '*':
            return opens_markup(c) ? std::optional<std::string>("\\ast{}") : std::nullopt;
        case '/':
            return opens_markup(c) ? std::optional<std::string>("\\slash{}") : std::nullopt;
        case '+':
            return opens_markup(c) ? std::optional<std::string>("\\plus{}") : std::nullopt;
        default:
            return std::nullopt;
    }
}

bool org_cannot_say(const CharAt& c) {
    switch (c.text[0]) {
        case '\\':
        case '_':
        case '^':
            return true;
        case '=':
        case '~':
            return opens_markup(c);
        case '-':
        case '@':
        case '.':
            return c.before == c.text[0];  // a dash, a snippet, an ellipsis
        default:
            return false;
    }
}

bool cells_sayable(const Table& table, Refusal& refusal) {
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            const size_t at = find_char_of(cell.text, table.encoding, org_cannot_say);
            if (at != std::string_view::npos) {
                refusal = cell_refusal(RefusalKind::CellHoldsSeparator, table, cell,
                                       static_cast<unsigned char>(cell.text[at]));
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TableWrite write_org(const Table& table, const WriteOptions& options) {
    TableWrite out;
    const std::string_view caption = options.titles.title;
    if (!markup_table_fits(table, out.refusal) || !cells_sayable(table, out.refusal)) {
        return out;
    }
    if (!caption.empty()) {
        const Table captionTable = caption_table(caption, table.encoding);
        if (!markup_table_fits(captionTable, out.refusal) ||
            !cells_sayable(captionTable, out.refusal)) {
            return out;
        }
    }
    std::vector<std::vector<std::string>> texts;
    std::vector<int64_t> columns(table.rows()[0].size(), 1);
    for (const Row& row : table.rows()) {
        texts.emplace_back();
        for (size_t c = 0; c < row.size(); ++c) {
            texts.back().push_back(escape_cell(row[c].text, table.encoding, org_entity));
            columns[c] = std::max(
                columns[c], text_columns(texts.back().back(), table.encoding, options.widthModel));
        }
    }
    const std::string_view end = line_end_text(options.lineEnd);
    if (!caption.empty()) {
        out.text.append("#+CAPTION: ")
            .append(escape_cell(caption, table.encoding, org_entity))
            .append(end);
    }
    for (size_t r = 0; r < texts.size(); ++r) {
        for (size_t c = 0; c < texts[r].size(); ++c) {
            out.text += "| ";
            out.text += texts[r][c];
            const int64_t width = text_columns(texts[r][c], table.encoding, options.widthModel);
            out.text.append(static_cast<size_t>(columns[c] - width + 1), ' ');
        }
        out.text.append("|").append(end);
        if (r == 0 && texts.size() > 1) {
            for (size_t c = 0; c < columns.size(); ++c) {
                out.text += c == 0 ? '|' : '+';
                out.text.append(static_cast<size_t>(columns[c] + 2), '-');
            }
            out.text.append("|").append(end);
        }
    }
    return out;
}

}  // namespace formats
