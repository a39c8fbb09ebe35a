// A table as a value: every cell a span of one text, row after row, with its
// width in display columns. Measuring and drawing read nothing else, so any
// store can hand its table over as a view, and two tables can be framed at
// once.
#pragma once

#include <cstdint>

struct CellSpan {
    int32_t start;   // offset of the cell's first byte in the table's text
    int32_t length;  // bytes
    int32_t width;   // display columns; for code page 932, bytes again
};

struct TableView {
    const char* text;
    const CellSpan* cells;  // rows * columns, row-major
    int32_t rows;
    int32_t columns;
};
