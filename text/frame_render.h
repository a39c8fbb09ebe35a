// A table value drawn as a frame into a string, within the text layer's
// frame limit.
#pragma once

#include <string>
#include <vector>

#include "core/cell_table.h"
#include "text/refusal.h"
#include "text/text_types.h"

// How a frame fits its cells; the defaults draw every frame as it always
// was. Widths are display columns, 0 for no limit.
struct FrameFit {
    int32_t width = 0;                // of every line of the frame
    std::vector<int32_t> cellWidths;  // per column; a single value holds for every column
    Overflow overflow = Overflow::Wrap;
    std::vector<ColumnAlign> align;  // per column, for body cells
    int32_t padding = 0;             // spaces on each side of every cell
    RuleLines rules = RuleLines::All;

    // Nothing asked: the cells are drawn as they are.
    bool plain() const {
        return width == 0 && cellWidths.empty() && align.empty() && padding == 0 &&
               rules == RuleLines::All;
    }
};

struct FrameLook {
    int32_t frameType = 1;
    int32_t positionType = 1;
    TextEncoding encoding = TextEncoding::Utf8;
    WidthModel widthModel = WidthModel::Narrow;
    LineEnd lineEnd = LineEnd::Lf;
    FrameFit fit;  // read by the layout, not by render_frame
};

// Draws the view as it is. FrameTooLarge past kTextFrameLimit, NoCells for a table without cells.
Refusal render_frame(const TableView& table, const FrameLook& look, std::string& frame);
