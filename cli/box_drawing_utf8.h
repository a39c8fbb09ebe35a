// Code page 932 to UTF-8 without iconv for the common frame: ASCII and the
// box-drawing row 0x849F..0x84BE.
#pragma once

#include <string>
#include <string_view>

// Returns false when text holds anything else; utf8 is then of no use.
bool box_drawing_to_utf8(std::string_view text, std::string& utf8);
