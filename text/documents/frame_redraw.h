// A frame drawn again in its own style from the cells its lines hold: the
// same pieces on every line, each column as wide as its widest cell, and
// every cell placed as its blanks show it was.
#pragma once

#include <string>
#include <vector>

#include "text/documents/frame_grid.h"

namespace documents {

// The model in which more content lines stand at the top rule's columns;
// preferred when neither lines up more of them.
WidthModel lined_up_model(const FrameGrid& grid, WidthModel preferred);

// False when the style cannot be drawn again: no cell with text to show
// the padding, or a fill that cannot span a column's new width.
bool redraw_frame(const FrameGrid& grid, WidthModel model, std::vector<std::string>& drawn);

}  // namespace documents
