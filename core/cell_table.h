// A table as a value: every cell a span of one text, line after line, with
// its width in display columns. Measuring and drawing read nothing else, so
// any store can hand its table over as a view, and two tables can be framed
// at once.
#pragma once

#include <cstdint>

struct CellSpan {
    int32_t start;   // offset of the cell's first byte in the table's text
    int32_t length;  // bytes
    int32_t width;   // display columns; for code page 932, bytes again
};

// Where a cell's text sits in its area.
enum FtPlacement : unsigned char { FT_LEFT, FT_RIGHT, FT_CENTRE };

// Which rules a frame draws between its rows, inside the outer border.
enum FtRules : unsigned char { FT_RULES_ALL, FT_RULES_HEADER, FT_RULES_NONE };

struct TableView {
    const char* text;
    const CellSpan* cells;  // rows * columns, row-major
    int32_t rows;           // lines of cells; each its own table row unless opensRow says
    int32_t columns;
    // The rest shapes the frame; the defaults draw one line a row, every
    // rule, no padding, and each cell where the position type places it.
    // Per line: nonzero where a table row begins. Line 0 begins the header,
    // and rules stand only between rows.
    const unsigned char* opensRow = nullptr;
    // Per column, for the cells below the header row.
    const FtPlacement* bodyPlacements = nullptr;
    FtRules rules = FT_RULES_ALL;
    int32_t padding = 0;  // spaces on each side of every cell
    // Per column, or null: the narrowest text an area is drawn for, as if a
    // cell that wide stood in it.
    const int32_t* leastWidths = nullptr;
};
