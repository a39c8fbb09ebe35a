// An html table: the first row in <thead>, the rest in <tbody>; a line break
// in a cell is <br>. A title is the <caption>, a footer a row of <tfoot>. A position
// type gives every cell its text-align, left too, since browsers centre
// header cells by default.
#include "text/formats/markup_cells.h"

namespace formats {

namespace {

std::optional<std::string> html_escape(const CharAt& c) {
    switch (c.text[0]) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\r':
            return "<br>";
        case '\n':
            return c.before == '\r' ? "" : "<br>";  // CR LF is one line break
        default:
            return std::nullopt;
    }
}

std::string_view align_attribute(std::optional<FtPlacement> placement) {
    if (!placement) {
        return "";
    }
    switch (*placement) {
        case FT_RIGHT:
            return " style=\"text-align: right\"";
        case FT_CENTRE:
            return " style=\"text-align: center\"";
        case FT_LEFT:
            break;
    }
    return " style=\"text-align: left\"";
}

void append_row(std::string& out, const Table& table, size_t r, int32_t positionType,
                std::string_view end) {
    const std::string_view tag = r == 0 ? "th" : "td";
    out += "<tr>";
    for (size_t c = 0; c < table.rows()[r].size(); ++c) {
        out += '<';
        out += tag;
        out += align_attribute(cell_placement(positionType, r, c));
        out += '>';
        out += escape_cell(table.rows()[r][c].text, table.encoding, html_escape);
        out += "</";
        out += tag;
        out += '>';
    }
    out += "</tr>";
    out += end;
}

// The footer spans the table in a row of its own.
void append_footer(std::string& out, const Table& table, std::string_view footer,
                   std::string_view end) {
    out.append("<tfoot>").append(end);
    out += "<tr><td colspan=\"";
    out += std::to_string(table.rows()[0].size());
    out += "\">";
    out += escape_cell(footer, table.encoding, html_escape);
    out.append("</td></tr>").append(end).append("</tfoot>").append(end);
}

}  // namespace

TableWrite write_html(const Table& table, const WriteOptions& options) {
    TableWrite out;
    if (!markup_table_fits(table, out.refusal, true)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    out.text = std::string("<table>").append(end);
    if (!options.titles.title.empty()) {
        out.text.append("<caption>")
            .append(escape_cell(options.titles.title, table.encoding, html_escape))
            .append("</caption>")
            .append(end);
    }
    out.text.append("<thead>").append(end);
    append_row(out.text, table, 0, options.positionType, end);
    out.text.append("</thead>").append(end);
    if (table.rows().size() > 1) {
        out.text.append("<tbody>").append(end);
        for (size_t r = 1; r < table.rows().size(); ++r) {
            append_row(out.text, table, r, options.positionType, end);
        }
        out.text.append("</tbody>").append(end);
    }
    if (!options.titles.footer.empty()) {
        append_footer(out.text, table, options.titles.footer, end);
    }
    out.text.append("</table>").append(end);
    return out;
}

}  // namespace formats
