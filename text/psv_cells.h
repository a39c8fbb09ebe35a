// Cells split by '|' and TAB, one row per line, read into spans of the text
// itself: a leading '|' is the outer border, a trailing one closes the last
// cell, and every row has as many cells as the first.
#pragma once

#include <string_view>
#include <vector>

#include "core/cell_table.h"
#include "text/refusal.h"
#include "text/text_types.h"

struct CellGrid {
    std::vector<CellSpan> cells;  // rows * columns, offsets in the text read
    int32_t rows = 0;
    int32_t columns = 0;
};

// text: without its empty last lines, not empty. Refuses a row with more or
// fewer cells than the first (RaggedRow, at the separator before the first
// cell too many or at the line's end).
Refusal read_psv_cells(std::string_view text, TextEncoding encoding, WidthModel widthModel,
                       CellGrid& grid);

// The text without the empty lines at its end.
std::string_view without_trailing_empty_lines(std::string_view text);
