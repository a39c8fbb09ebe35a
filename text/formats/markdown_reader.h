// The Markdown reader's way straight into the cells a frame draws: spans of
// the input and their widths, no table value. read_markdown (formats_internal.h)
// is the same reader building the table value.
#pragma once

#include <string_view>

#include "text/cell_grid.h"
#include "text/text_types.h"

// Reads a Markdown table (without its byte order mark and empty last lines)
// into grid, trimmed and measured in widthModel, as read_markdown reads it,
// when a frame draws its cells as they stand and check_input_text would let
// the text by: the header on the first line, the delimiter row on the second,
// body rows to the end as many cells as the header; no TAB, control
// character or escape sequence; no "\|" or line break tag in a cell, which
// the frame refuses or draws over lines. With bordersOnly, every line starts
// with '|' too. False when not: grid is to be thrown away, and the table
// value read instead.
bool read_markdown_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                         bool bordersOnly, CellGrid& grid);
