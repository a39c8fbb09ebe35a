// Every frame style, described once: which piece stands where on each kind of
// line, and how wide a cell's area is. The renderer, the pipeline's line-end
// rewrite and the readers of frames all go by this table.
#pragma once

#include <cstdint>

#include "core/frame_core.h"
#include "core/styles/frame_characters.h"

struct LinePieces {
    const FramePiece* first;   // corner, left end or border before column 1
    const FramePiece* second;  // joint or border before column 2
    const FramePiece* later;   // before columns 3 and on
    const FramePiece* fill;    // rules only: repeated across a cell's area
    const FramePiece* rightEnd;
};

struct FrameStyle {
    LinePieces top;
    LinePieces content;
    LinePieces header;  // the rule under row 0 when more rows follow
    LinePieces inner;
    LinePieces bottom;
    // Box pieces are two columns wide in code page 932, so their cells'
    // areas have an even width, and at least one fill piece.
    bool evenAreas;
};

// The width of a cell area for the widest text of its column.
constexpr int32_t cell_area_width(const FrameStyle& style, int32_t widestText) {
    if (!style.evenAreas) {
        return widestText;
    }
    return widestText == 0 ? 2 : widestText + (widestText & 1);
}

namespace frame_style_detail {
using namespace frame_piece;
constexpr LinePieces kAsciiRule{&kAsciiJoint, &kAsciiJoint, &kAsciiJoint, &kAsciiFill,
                                &kAsciiJoint};
}  // namespace frame_style_detail

// clang-format off
inline constexpr FrameStyle kFrameStyles[FT_FRAME_TYPE_MAX] = {
    // type 1: everything heavy
    {{&frame_piece::kHeavyDownRight, &frame_piece::kHeavyDownHorizontal, &frame_piece::kHeavyDownHorizontal, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyDownLeft},
     {&frame_piece::kHeavyVertical, &frame_piece::kHeavyVertical, &frame_piece::kHeavyVertical, nullptr, &frame_piece::kHeavyVertical},
     {&frame_piece::kHeavyVerticalRight, &frame_piece::kHeavyCross, &frame_piece::kHeavyCross, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyVerticalLeft},
     {&frame_piece::kHeavyVerticalRight, &frame_piece::kHeavyCross, &frame_piece::kHeavyCross, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyVerticalLeft},
     {&frame_piece::kHeavyUpRight, &frame_piece::kHeavyUpHorizontal, &frame_piece::kHeavyUpHorizontal, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyUpLeft},
     true},
    // type 2: everything light
    {{&frame_piece::kLightDownRight, &frame_piece::kLightDownHorizontal, &frame_piece::kLightDownHorizontal, &frame_piece::kLightHorizontal, &frame_piece::kLightDownLeft},
     {&frame_piece::kLightVertical, &frame_piece::kLightVertical, &frame_piece::kLightVertical, nullptr, &frame_piece::kLightVertical},
     {&frame_piece::kLightVerticalRight, &frame_piece::kLightCross, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kLightVerticalLeft},
     {&frame_piece::kLightVerticalRight, &frame_piece::kLightCross, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kLightVerticalLeft},
     {&frame_piece::kLightUpRight, &frame_piece::kLightUpHorizontal, &frame_piece::kLightUpHorizontal, &frame_piece::kLightHorizontal, &frame_piece::kLightUpLeft},
     true},
    // type 3: heavy outline and header rule
    {{&frame_piece::kHeavyDownRight, &frame_piece::kDownLightHorizontalHeavy, &frame_piece::kDownLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyDownLeft},
     {&frame_piece::kHeavyVertical, &frame_piece::kLightVertical, &frame_piece::kLightVertical, nullptr, &frame_piece::kHeavyVertical},
     {&frame_piece::kHeavyVerticalRight, &frame_piece::kVerticalLightHorizontalHeavy, &frame_piece::kVerticalLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyVerticalLeft},
     {&frame_piece::kVerticalHeavyRightLight, &frame_piece::kLightCross, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kVerticalHeavyLeftLight},
     {&frame_piece::kHeavyUpRight, &frame_piece::kUpLightHorizontalHeavy, &frame_piece::kUpLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyUpLeft},
     true},
    // type 4: heavy outline and first column line
    {{&frame_piece::kHeavyDownRight, &frame_piece::kHeavyDownHorizontal, &frame_piece::kDownLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyDownLeft},
     {&frame_piece::kHeavyVertical, &frame_piece::kHeavyVertical, &frame_piece::kLightVertical, nullptr, &frame_piece::kHeavyVertical},
     {&frame_piece::kVerticalHeavyRightLight, &frame_piece::kVerticalHeavyHorizontalLight, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kVerticalHeavyLeftLight},
     {&frame_piece::kVerticalHeavyRightLight, &frame_piece::kVerticalHeavyHorizontalLight, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kVerticalHeavyLeftLight},
     {&frame_piece::kHeavyUpRight, &frame_piece::kHeavyUpHorizontal, &frame_piece::kUpLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyUpLeft},
     true},
    // type 5: heavy outline, header rule and first column line
    {{&frame_piece::kHeavyDownRight, &frame_piece::kHeavyDownHorizontal, &frame_piece::kDownLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyDownLeft},
     {&frame_piece::kHeavyVertical, &frame_piece::kHeavyVertical, &frame_piece::kLightVertical, nullptr, &frame_piece::kHeavyVertical},
     {&frame_piece::kHeavyVerticalRight, &frame_piece::kHeavyCross, &frame_piece::kVerticalLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyVerticalLeft},
     {&frame_piece::kVerticalHeavyRightLight, &frame_piece::kVerticalHeavyHorizontalLight, &frame_piece::kLightCross, &frame_piece::kLightHorizontal, &frame_piece::kVerticalHeavyLeftLight},
     {&frame_piece::kHeavyUpRight, &frame_piece::kHeavyUpHorizontal, &frame_piece::kUpLightHorizontalHeavy, &frame_piece::kHeavyHorizontal, &frame_piece::kHeavyUpLeft},
     true},
    // type 6: ASCII, every rule alike, areas exactly as wide as their text
    {frame_style_detail::kAsciiRule,
     {&frame_piece::kAsciiBar, &frame_piece::kAsciiBar, &frame_piece::kAsciiBar, nullptr, &frame_piece::kAsciiBar},
     frame_style_detail::kAsciiRule, frame_style_detail::kAsciiRule, frame_style_detail::kAsciiRule,
     false},
};
// clang-format on
