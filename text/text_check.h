// Checks that input is text of its encoding before anything is framed: the
// first byte that is not, and why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class TextFault : uint8_t { None, Malformed, Control };

struct TextCheck {
    TextFault fault = TextFault::None;
    size_t offset = 0;       // of the faulty character
    uint32_t codePoint = 0;  // Control: the character; Malformed: its first byte
};

// UTF-8 without overlong forms, surrogates or anything past U+10FFFF; no
// control characters but TAB, CR and LF (C0, DEL and C1 are refused), and
// escape sequences of colour and hyperlinks (text/unicode/escape_sequence.h).
TextCheck check_utf8_text(std::string_view text);

// Code page 932 characters: single bytes 0x00-0x7F and 0xA1-0xDF, lead bytes
// 0x81-0x9F and 0xE0-0xFC with a second byte 0x40-0x7E or 0x80-0xFC; no
// control characters but TAB, CR and LF, and no escape sequences.
TextCheck check_cp932_text(std::string_view text);
