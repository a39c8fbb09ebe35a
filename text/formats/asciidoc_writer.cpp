// An AsciiDoc table with a header row. A cell holding a character AsciiDoc
// would take as markup or replace (quotes, dashes, arrows) is written as an
// inline passthrough that only escapes <, > and &, so it shows as written.
#include "text/formats/markup_cells.h"

namespace formats {

namespace {

bool needs_passthrough(std::string_view text) {
    return text.find_first_of("*_`#^~+{}[]<>'\"\\-().&=:") != std::string_view::npos;
}

std::optional<std::string> asciidoc_escape(const CharAt& c) {
    if (c.text[0] == '|' || c.text[0] == ']') {
        return std::string("\\") + c.text[0];
    }
    return std::nullopt;
}

std::string asciidoc_text(std::string_view text, TextEncoding encoding) {
    std::string escaped = escape_cell(text, encoding, asciidoc_escape);
    return needs_passthrough(text) ? "pass:c[" + escaped + "]" : escaped;
}

char column_mark(int32_t positionType, size_t column) {
    const std::optional<FtPlacement> placement = cell_placement(positionType, 1, column);
    if (!placement || *placement == FT_LEFT) {
        return '<';
    }
    return *placement == FT_RIGHT ? '>' : '^';
}

}  // namespace

TableWrite write_asciidoc(const Table& table, const WriteOptions& options) {
    TableWrite out;
    const std::string_view caption = options.titles.title;
    if (!markup_and_caption_fit(table, caption, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    std::string& text = out.text;
    if (!caption.empty()) {
        text.append(".").append(asciidoc_text(caption, table.encoding)).append(end);
    }
    text += "[";
    if (options.positionType != 0) {
        text += "cols=\"";
        for (size_t c = 0; c < table.rows()[0].size(); ++c) {
            text += c == 0 ? "" : ",";
            text += column_mark(options.positionType, c);
        }
        text += "\",";
    }
    text.append("options=\"header\"]").append(end).append("|===").append(end);
    for (const Row& row : table.rows()) {
        for (size_t c = 0; c < row.size(); ++c) {
            text += c == 0 ? "|" : " |";
            text += asciidoc_text(row[c].text, table.encoding);
        }
        text += end;
    }
    text.append("|===").append(end);
    return out;
}

}  // namespace formats
