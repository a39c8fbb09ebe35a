// csv and tsv that a frame can draw as they stand, read straight into spans
// of the input as psv is: no table value, no cell copied.
#pragma once

#include <string_view>

#include "text/psv_cells.h"
#include "text/text_types.h"

// Cells cut at separator, each measured in widthModel. With quotes, a cell
// may be quoted as csv quotes it. Returns false, leaving grid to be thrown
// away, for anything the table reader would read otherwise or a frame would
// refuse: a doubled quote, a line break or a separator inside a cell, '|',
// TAB or ESC anywhere, an empty line, or rows of different lengths.
bool read_plain_delimited_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                                char separator, bool quotes, CellGrid& grid);
