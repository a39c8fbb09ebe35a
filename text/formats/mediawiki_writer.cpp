// A MediaWiki table of class wikitable, header cells with "!". Every
// character wiki markup or html would read is written as a character
// reference, and a position type gives each cell its text-align.
#include "text/formats/markup_cells.h"

namespace formats {

namespace {

std::optional<std::string> wiki_escape(const CharAt& c) {
    const char first = c.text[0];
    const bool always = c.text.size() == 1 &&
                        std::string_view("&<>\"'|![]{}~:").find(first) != std::string_view::npos;
    // Lists, indents, headings and rules start at a cell's start; __ starts a
    // magic word.
    const bool starting =
        c.first && std::string_view("*#:;=-").find(first) != std::string_view::npos;
    if (always || starting || (first == '_' && c.before == '_')) {
        return "&#" + std::to_string(static_cast<unsigned char>(first)) + ";";
    }
    return std::nullopt;
}

std::string align_attribute(std::optional<FtPlacement> placement) {
    if (!placement) {
        return "";
    }
    const char* side = *placement == FT_RIGHT    ? "right"
                       : *placement == FT_CENTRE ? "center"
                                                 : "left";
    return std::string("style=\"text-align: ") + side + "\" | ";
}

}  // namespace

TableWrite write_mediawiki(const Table& table, const WriteOptions& options) {
    TableWrite out;
    const std::string_view caption = options.titles.title;
    if (!markup_and_caption_fit(table, caption, out.refusal)) {
        return out;
    }
    const std::string_view end = line_end_text(options.lineEnd);
    std::string& text = out.text;
    text.append("{| class=\"wikitable\"").append(end);
    if (!caption.empty()) {
        text.append("|+ ").append(escape_cell(caption, table.encoding, wiki_escape)).append(end);
    }
    for (size_t r = 0; r < table.rows().size(); ++r) {
        const std::string_view mark = r == 0 ? "!" : "|";
        text.append("|-").append(end);
        for (size_t c = 0; c < table.rows()[r].size(); ++c) {
            text += c == 0 ? std::string(mark) + " "
                           : " " + std::string(mark) + std::string(mark) + " ";
            text += align_attribute(cell_placement(options.positionType, r, c));
            text += escape_cell(table.rows()[r][c].text, table.encoding, wiki_escape);
        }
        text += end;
    }
    text.append("|}").append(end);
    return out;
}

}  // namespace formats
