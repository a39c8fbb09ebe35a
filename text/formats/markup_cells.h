// What the document markup writers (html, LaTeX, reStructuredText, Org,
// AsciiDoc, MediaWiki, Jira) share: the shape they hold, where a cell is
// placed, and escaping a cell character by character.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/frame_core.h"
#include "text/formats/formats_internal.h"

namespace formats {

// Markup holds a rectangular table with cells in its first row, and no cell
// with blanks at either end: every reader of these formats trims cells. A
// line break only where the writer has markup for it (lineBreaksHeld).
bool markup_table_fits(const Table& table, Refusal& refusal, bool lineBreaksHeld = false);

// A title or footer as a table of one cell without a place, for a writer to
// check as it checks its cells: refusals of it name no line.
Table caption_table(std::string_view caption, TextEncoding encoding);

// The table and its caption, if any, both as markup_table_fits has them.
bool markup_and_caption_fit(const Table& table, std::string_view caption, Refusal& refusal);

// Where the position type places the cell; none when no type was given.
std::optional<FtPlacement> cell_placement(int32_t positionType, size_t row, size_t column);

struct CharAt {
    std::string_view text;  // the whole character, one or more bytes
    bool first = false;     // the cell's first character
    char before = '\0';     // the character before, when it is one byte; else '\0'
};

// The replacement of one character, or nullopt to write it as it is.
using CharEscape = std::function<std::optional<std::string>(const CharAt&)>;

std::string escape_cell(std::string_view text, TextEncoding encoding, const CharEscape& escape);

// The first character of text that escape refuses: its offset, or npos.
size_t find_char_of(std::string_view text, TextEncoding encoding,
                    const std::function<bool(const CharAt&)>& refused);

}  // namespace formats
