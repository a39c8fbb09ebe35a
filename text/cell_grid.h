// Cells as spans of the text they were read from, with their widths: what
// the frame renderer reads, filled without copying a cell.
#pragma once

#include <vector>

#include "core/cell_table.h"
#include "text/large_buffers.h"

struct CellGrid {
    std::vector<CellSpan, LargeAllocator<CellSpan>>
        cells;  // rows * columns, offsets in the text read
    int32_t rows = 0;
    int32_t columns = 0;
};
