// The characters frames are drawn with. A box-drawing piece is two bytes in
// code page 932 (lead byte 0x84) and two columns in a fixed-pitch Japanese
// font; its East Asian Width is ambiguous, so elsewhere it is one column.
// An ASCII piece is one byte and one column everywhere.
#pragma once

#include <cstdint>

#include "core/text_rules.h"

struct FramePiece {
    char32_t codePoint;
    char cp932[3];  // NUL-terminated
    char utf8[4];   // worked out from codePoint, NUL-terminated
    int cp932Size;
    int utf8Size;

    constexpr FramePiece(char32_t point, const char (&inCp932)[3])
        : codePoint(point),
          cp932{inCp932[0], inCp932[1], '\0'},
          utf8{},
          cp932Size(inCp932[1] == '\0' ? 1 : 2),
          utf8Size(static_cast<int>(text_rules::encode_utf8(point, utf8))) {}
    constexpr FramePiece(char32_t point, const char (&inCp932)[2])
        : codePoint(point),
          cp932{inCp932[0], '\0', '\0'},
          utf8{},
          cp932Size(1),
          utf8Size(static_cast<int>(text_rules::encode_utf8(point, utf8))) {}

    constexpr bool is_box() const { return cp932Size == 2; }
};

namespace frame_piece {
inline constexpr FramePiece kLightHorizontal{U'─', "\x84\x9F"};
inline constexpr FramePiece kLightVertical{U'│', "\x84\xA0"};
inline constexpr FramePiece kLightDownRight{U'┌', "\x84\xA1"};
inline constexpr FramePiece kLightDownLeft{U'┐', "\x84\xA2"};
inline constexpr FramePiece kLightUpLeft{U'┘', "\x84\xA3"};
inline constexpr FramePiece kLightUpRight{U'└', "\x84\xA4"};
inline constexpr FramePiece kLightVerticalRight{U'├', "\x84\xA5"};
inline constexpr FramePiece kLightDownHorizontal{U'┬', "\x84\xA6"};
inline constexpr FramePiece kLightVerticalLeft{U'┤', "\x84\xA7"};
inline constexpr FramePiece kLightUpHorizontal{U'┴', "\x84\xA8"};
inline constexpr FramePiece kLightCross{U'┼', "\x84\xA9"};
inline constexpr FramePiece kHeavyHorizontal{U'━', "\x84\xAA"};
inline constexpr FramePiece kHeavyVertical{U'┃', "\x84\xAB"};
inline constexpr FramePiece kHeavyDownRight{U'┏', "\x84\xAC"};
inline constexpr FramePiece kHeavyDownLeft{U'┓', "\x84\xAD"};
inline constexpr FramePiece kHeavyUpLeft{U'┛', "\x84\xAE"};
inline constexpr FramePiece kHeavyUpRight{U'┗', "\x84\xAF"};
inline constexpr FramePiece kHeavyVerticalRight{U'┣', "\x84\xB0"};
inline constexpr FramePiece kHeavyDownHorizontal{U'┳', "\x84\xB1"};
inline constexpr FramePiece kHeavyVerticalLeft{U'┫', "\x84\xB2"};
inline constexpr FramePiece kHeavyUpHorizontal{U'┻', "\x84\xB3"};
inline constexpr FramePiece kHeavyCross{U'╋', "\x84\xB4"};
inline constexpr FramePiece kVerticalHeavyRightLight{U'┠', "\x84\xB5"};
inline constexpr FramePiece kDownLightHorizontalHeavy{U'┯', "\x84\xB6"};
inline constexpr FramePiece kVerticalHeavyLeftLight{U'┨', "\x84\xB7"};
inline constexpr FramePiece kUpLightHorizontalHeavy{U'┷', "\x84\xB8"};
inline constexpr FramePiece kVerticalLightHorizontalHeavy{U'┿', "\x84\xB9"};
inline constexpr FramePiece kVerticalHeavyHorizontalLight{U'╂', "\x84\xBE"};
inline constexpr FramePiece kAsciiJoint{U'+', "+"};
inline constexpr FramePiece kAsciiFill{U'-', "-"};
inline constexpr FramePiece kAsciiBar{U'|', "|"};
}  // namespace frame_piece
