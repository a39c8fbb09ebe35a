// A table value drawn as a frame into a string, within the text layer's
// frame limit.
#pragma once

#include <string>
#include <vector>

#include "core/cell_table.h"
#include "text/frame_fit.h"
#include "text/refusal.h"
#include "text/text_types.h"

struct FrameLook {
    int32_t frameType = 1;
    int32_t positionType = 1;
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel widthModel = WidthModel::Narrow;
    LineEnd lineEnd = LineEnd::Lf;
};

// Draws the view as it is. FrameTooLarge past kTextFrameLimit, NoCells for a table without cells.
Refusal render_frame(const TableView& table, const FrameLook& look, std::string& frame);
