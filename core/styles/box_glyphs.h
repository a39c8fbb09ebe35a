// The two-byte box-drawing characters of code page 932 (lead byte 0x84),
// written as escapes so the source stays in one execution character set.
#pragma once

namespace box_glyph {
constexpr char kLightHorizontal[] = "\x84\x9F";               // ─
constexpr char kLightVertical[] = "\x84\xA0";                 // │
constexpr char kLightDownRight[] = "\x84\xA1";                // ┌
constexpr char kLightDownLeft[] = "\x84\xA2";                 // ┐
constexpr char kLightUpLeft[] = "\x84\xA3";                   // ┘
constexpr char kLightUpRight[] = "\x84\xA4";                  // └
constexpr char kLightVerticalRight[] = "\x84\xA5";            // ├
constexpr char kLightDownHorizontal[] = "\x84\xA6";           // ┬
constexpr char kLightVerticalLeft[] = "\x84\xA7";             // ┤
constexpr char kLightUpHorizontal[] = "\x84\xA8";             // ┴
constexpr char kLightCross[] = "\x84\xA9";                    // ┼
constexpr char kHeavyHorizontal[] = "\x84\xAA";               // ━
constexpr char kHeavyVertical[] = "\x84\xAB";                 // ┃
constexpr char kHeavyDownRight[] = "\x84\xAC";                // ┏
constexpr char kHeavyDownLeft[] = "\x84\xAD";                 // ┓
constexpr char kHeavyUpLeft[] = "\x84\xAE";                   // ┛
constexpr char kHeavyUpRight[] = "\x84\xAF";                  // ┗
constexpr char kHeavyVerticalRight[] = "\x84\xB0";            // ┣
constexpr char kHeavyDownHorizontal[] = "\x84\xB1";           // ┳
constexpr char kHeavyVerticalLeft[] = "\x84\xB2";             // ┫
constexpr char kHeavyUpHorizontal[] = "\x84\xB3";             // ┻
constexpr char kHeavyCross[] = "\x84\xB4";                    // ╋
constexpr char kVerticalHeavyRightLight[] = "\x84\xB5";       // ┠
constexpr char kDownLightHorizontalHeavy[] = "\x84\xB6";      // ┯
constexpr char kVerticalHeavyLeftLight[] = "\x84\xB7";        // ┨
constexpr char kUpLightHorizontalHeavy[] = "\x84\xB8";        // ┷
constexpr char kVerticalLightHorizontalHeavy[] = "\x84\xB9";  // ┿
constexpr char kVerticalHeavyHorizontalLight[] = "\x84\xBE";  // ╂
}  // namespace box_glyph
