// How wide each column of a frame may be when the frame must fit a width:
// the widest columns give way first, each only as far as it must, down to the
// widest character it holds.
#pragma once

#include <cstdint>
#include <vector>

struct ColumnNeed {
    int32_t natural;  // the widest line of the column, within its cell width
    int32_t minimum;  // the widest character, which no column goes below
};

struct FrameGeometry {
    int64_t borderColumns;  // every border piece of a content line
    int32_t padding;        // each side of every cell
    bool evenAreas;         // cell areas are rounded up to even widths, and at least 2
};

struct ColumnFit {
    std::vector<int32_t> limits;  // the widest a cell line of each column may be
    int64_t fewestColumns = 0;    // the frame's width with every column at its minimum
    bool fits = true;
};

// The area a column of this widest line takes in the frame, padding aside.
int32_t area_for(int32_t widest, const FrameGeometry& geometry);

// width 0: no limit, every column as wide as it needs.
ColumnFit fit_columns(const std::vector<ColumnNeed>& needs, const FrameGeometry& geometry,
                      int32_t width);
