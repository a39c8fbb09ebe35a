// Cells as spans of the text they were read from, with their widths: what
// the frame renderer reads, filled without copying a cell.
#pragma once

#include <string_view>
#include <vector>

#include "core/cell_table.h"
#include "core/text_rules.h"

struct CellGrid {
    std::vector<CellSpan> cells;  // rows * columns, offsets in the text read
    int32_t rows = 0;
    int32_t columns = 0;
};

// The text without the empty lines at its end.
inline std::string_view without_trailing_empty_lines(std::string_view text) {
    return text_rules::without_trailing_line_ends(text);
}
