// Markdown pipe tables that a frame can draw as they stand, read in one pass
// straight into spans of the input as psv is: no table value, no cell copied.
#pragma once

#include <string_view>

#include "text/psv_cells.h"
#include "text/text_types.h"

// A delimiter row's cell, trimmed: dashes, with a colon at either end or both.
bool is_markdown_delimiter_cell(std::string_view cell);

// Reads a Markdown table (without its byte order mark and empty last lines)
// into grid when it is plain: text of its encoding without TAB or escape
// sequences, the header on the first line, the delimiter row on the second,
// then body rows to the end, every row as many cells as the header, and no
// '\' before a '|' nor "<b" anywhere. grid then holds the cells, trimmed and
// measured in widthModel, that read_markdown would give and check_input_text
// would let by. False when it is not; grid is then to be thrown away, and the
// careful path reads the table or finds its refusal.
bool read_plain_markdown(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                         CellGrid& grid);
