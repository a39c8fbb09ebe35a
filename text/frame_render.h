// A table value drawn as a frame into a string, within the text layer's
// frame limit.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/cell_table.h"
#include "core/frame_core.h"
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

// The core's flags for a look: encoding, width model and line end.
FtLook core_look(const FrameLook& look);

// Draws the view as it is. FrameTooLarge past kTextFrameLimit, NoCells for a table without cells.
Refusal render_frame(const TableView& table, const FrameLook& look, std::string& frame);

// Takes each part of a frame drawn in parts, in order.
using FramePartWriter = std::function<void(std::string_view part)>;

// Where a frame goes: into text whole, or, when write is set, to write in
// parts as it is drawn, so that it is never held whole.
struct FrameTarget {
    std::string& text;
    const FramePartWriter* write = nullptr;

    // A frame drawn whole goes on in one part, or becomes the text.
    void take(std::string&& frame) {
        if (write != nullptr) {
            (*write)(frame);
        } else {
            text = std::move(frame);
        }
    }
};

// The same for either target; refused frames write nothing.
Refusal render_frame(const TableView& table, const FrameLook& look, FrameTarget& target);
