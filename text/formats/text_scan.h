// What the readers and writers add to text_rules: lines as a list, places for
// cells and refusals, display columns and blanks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/text_rules.h"
#include "text/formats/table.h"

namespace formats {

inline bool is_cp932(TextEncoding encoding) {
    return encoding == TextEncoding::Cp932;
}

using LineSpan = text_rules::Line;

// The lines of text_rules::line_at, without the empty lines at the end.
std::vector<LineSpan> split_lines(std::string_view text);

// A refusal at offset in the reader's text.
Refusal refusal_at(std::string_view text, TextEncoding encoding, RefusalKind kind, size_t offset);

// Whether every cell is text as input must be, else the refusal for the
// first that is not, placed where the cell stands: what a frame draws as it
// stands. A JSON string may spell any text.
bool cells_are_text(const Table& table, Refusal& refusal);

// Whether every escape sequence in a cell is whole in it, else the refusal
// for the first ESC that begins none. Cells are spans of text that holds
// whole sequences, but a separator may cut one in two: written as they
// stand, the halves would leave a terminal in a state the table did not
// draw, or read back as something else.
bool escapes_whole(const Table& table, Refusal& refusal);

// Display columns of text; code page 932 counts bytes.
int64_t text_columns(std::string_view text, TextEncoding encoding, WidthModel model);

bool is_blank(char c);
std::string_view trim_blanks(std::string_view text);

}  // namespace formats
