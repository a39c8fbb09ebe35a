// A frame's lines taken apart by the order of their pieces rather than by
// their columns, so that a line whose borders drifted when one of its cells
// grew or shrank still gives its cells: a rule is its joints and the fill of
// each segment between them, a content line its borders and the text between.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/documents/document.h"

namespace documents {

struct GridLine {
    bool rule = false;
    // Rules: the joints (ends included); content lines: the borders.
    std::vector<std::string_view> borders;
    // Rules: each segment's fill piece, empty for a segment of none;
    // content lines: everything between two borders, blanks kept.
    std::vector<std::string_view> between;
    std::vector<size_t> fillRuns;  // rules: fill pieces in each segment
};

struct FrameGrid {
    std::vector<GridLine> lines;
    size_t columns = 0;
};

// Whether a line's own text is a rule a frame may hold; opening: one its
// top rule may be.
bool is_frame_rule(std::string_view line);
bool opens_frame_rule(std::string_view line);
bool closes_frame_rule(std::string_view line);
bool starts_with_border(std::string_view line);

// The frame's lines cut by the order of their pieces: false when a line holds
// too many or too few borders, a segment of mixed fill, or when the frame does
// not open and close with a rule.
bool grid_of(std::string_view text, const std::vector<TableLine>& lines, FrameGrid& grid);

// Display columns of a frame's piece or text in model.
int64_t columns_of(std::string_view text, WidthModel model);

}  // namespace documents
