// How a frame fits its cells; the defaults draw every frame as it always
// was. Widths are display columns, 0 for no limit.
#pragma once

#include <cstdint>
#include <vector>

#include "text/text_types.h"

struct FrameFit {
    int32_t width = 0;                // of every line of the frame
    std::vector<int32_t> cellWidths;  // per column; a single value holds for every column
    Overflow overflow = Overflow::Wrap;
    // Per column, for body cells; columns past the list go by the position type.
    std::vector<ColumnAlign> align;
    int32_t padding = 0;  // spaces on each side of every cell
    RuleLines rules = RuleLines::All;
    RowLayout layout = RowLayout::Table;

    // Nothing asked: the cells are drawn as they are.
    bool plain() const {
        return width == 0 && cellWidths.empty() && align.empty() && padding == 0 &&
               rules == RuleLines::All && layout == RowLayout::Table;
    }
};
