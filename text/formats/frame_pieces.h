// The pieces frames are drawn with, in ASCII, UTF-8 box drawing and code
// page 932's box row: shared by the readers of ruled tables.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/text_types.h"

namespace formats {

enum class Piece : uint8_t { Other, Fill, Vertical, Joint };

constexpr uint32_t kNone = 0xFFFFFFFF;

// The code point of a frame piece candidate; kNone for anything else.
uint32_t piece_code(std::string_view ch, TextEncoding encoding);

Piece piece_of(uint32_t code);

// Half lines, ╶ and ╷ and their kin, which some tools draw at the open ends
// of a rule or a column's border where a frame has no outer border.
bool is_half_horizontal(uint32_t code);
bool is_half_vertical(uint32_t code);

// The line a vertical piece draws, or a joint draws down from itself: a
// frame's border is drawn with the line its top rule's joint sends down.
enum class Stroke : uint8_t { None, Ascii, Light, Heavy, Double };
Stroke vertical_stroke(uint32_t code);
Stroke down_stroke(uint32_t code);

// Corners that a frame may start or end with; '+' could be either.
bool opens_frame(uint32_t code);
bool closes_frame(uint32_t code);

}  // namespace formats
