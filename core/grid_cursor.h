// Where a grid grows. Linking a cell means finding the last row, its last
// cell and the bottom of one column; walking there from the head each time
// makes building a table quadratic. The cursor remembers what those walks
// would find for the grid being built, and is only trusted while it still
// describes the grid it is asked about; otherwise the walks are made.
#pragma once

#include <cstdint>

#include "core/frame_core.h"

struct GridEnd {
    int32_t lastRow;         // rows in the grid, less one
    CellNode* lastRowFirst;  // first cell of the last row
    CellNode* lastRowLast;   // last cell of the last row
    int32_t lastColumn;      // column of lastRowLast
};

GridEnd grid_end(CellNode* head);
// The last cell of column `column` of row 0, or null when row 0 has no such column.
CellNode* column_bottom(CellNode* head, int32_t column);

// What linking a row's cells came to: how many were linked, and FT_OK, or
// FT_NO_MEMORY when the next one could not be allocated.
struct RowLinked {
    int32_t cells;
    int result;
};
// Links the cells of one new row below the grid at head while the cursor
// describes it and the row stays under row 0; the cells left over, if any,
// go to ft_link_cell one by one. The same links as ft_link_cell makes, at a
// fraction of its cost per cell.
RowLinked grid_link_row(CellNode* head, int32_t row, const CellSpan* cells, int32_t count);

void grid_cursor_start(CellNode* head);
// Records a cell just linked at (row, column) of the grid at head.
void grid_cursor_note(CellNode* head, CellNode* cell, int32_t row, int32_t column);
// The cells of the grid at head while the cursor describes it, else -1.
int64_t grid_cursor_cells(const CellNode* head);
void grid_cursor_forget();
// Forgets, and gives back the cursor's memory when it has grown large.
void grid_cursor_release();
