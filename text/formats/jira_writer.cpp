// A Jira and Confluence wiki table: "||" around header cells, "|" around the
// rest. Markup characters are escaped with a backslash; a backslash itself has
// no escape ("\\" is a line break), so a cell holding one is refused. '&' is
// written as an entity, since the wiki reads "&amp;" and its kind as the
// characters they name. An empty cell is written as one space, which the wiki
// reads as empty.
#include "text/formats/markup_cells.h"
#include "text/formats/text_scan.h"

namespace formats {

namespace {

std::optional<std::string> jira_escape(const CharAt& c) {
    const char first = c.text[0];
    if (first == '&') {
        return std::string("&amp;");
    }
    const bool always =
        c.text.size() == 1 && std::string_view("|*_+^~{}[]!").find(first) != std::string_view::npos;
    const bool opening = (first == '-' || first == '#') && (c.first || is_blank(c.before));
    if (always || opening || (first == '?' && c.before == '?')) {
        return std::string("\\") + first;
    }
    return std::nullopt;
}

bool no_backslash(const Table& table, Refusal& refusal) {
    for (const Row& row : table.rows()) {
        for (const Cell& cell : row) {
            if (!cell_fits(table, cell, "\\", refusal)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TableWrite write_jira(const Table& table, const WriteOptions& options) {
    TableWrite out;
    if (!markup_table_fits(table, out.refusal) || !no_backslash(table, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    for (size_t r = 0; r < table.rows().size(); ++r) {
        const std::string_view bar = r == 0 ? "||" : "|";
        for (const Cell& cell : table.rows()[r]) {
            out.text += bar;
            out.text += cell.text.empty() ? std::string(" ")
                                          : escape_cell(cell.text, table.encoding, jira_escape);
        }
        out.text.append(bar).append(end);
    }
    return out;
}

}  // namespace formats
