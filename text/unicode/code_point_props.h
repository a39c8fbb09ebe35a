// What the grapheme and width rules need to know of one code point, packed in a
// byte by scripts/gen-unicode-tables.py. Internal to text/unicode and its tests.
#pragma once

#include <cstdint>

#include "text/unicode/line_break_class.h"

enum class GraphemeBreak : uint8_t {
    Other,
    CR,
    LF,
    Control,
    Extend,
    ZWJ,
    RegionalIndicator,
    Prepend,
    SpacingMark,
    L,
    V,
    T,
    LV,
    LVT,
};

enum class WidthClass : uint8_t { Zero, One, Two, Ambiguous };

struct CodePointProps {
    uint8_t bits;

    GraphemeBreak grapheme_break() const { return static_cast<GraphemeBreak>(bits & 0x0F); }
    bool extended_pictographic() const { return (bits & 0x10) != 0; }
    bool emoji_presentation() const { return (bits & 0x20) != 0; }
    WidthClass width_class() const { return static_cast<WidthClass>(bits >> 6); }
};

// What printable ASCII reads as, so that runs of it need no lookup.
constexpr CodePointProps kAsciiProps{static_cast<uint8_t>(int(WidthClass::One) << 6)};

CodePointProps code_point_props(uint32_t cp);

// Both the properties and the line-break class, from one walk of the tables.
struct CodePointEntry {
    CodePointProps props;
    LineBreakClass lineBreak;
};
CodePointEntry code_point_entry(uint32_t cp);
