// UTF-8 to code page 932 (Shift-JIS as Windows has it) and back, without
// iconv or a locale, for faces that take Unicode text but frame by bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct Cp932Encoded {
    std::string bytes;  // empty when not ok
    bool ok = true;
    bool invalidUtf8 = false;  // otherwise codePoint has no code page 932 form
    int64_t line = 0;          // 1-based; lines end at LF, CR LF or CR
    int64_t column = 0;        // 1-based, in characters
    uint32_t codePoint = 0;    // invalidUtf8: the first byte that is not UTF-8
};

// Each character becomes the code that the charmap writes it as; a character
// with none stops the conversion there.
Cp932Encoded cp932_encode_utf8(std::string_view utf8);

// Bytes that code page 932 leaves undefined become U+FFFD.
std::string cp932_decode_to_utf8(std::string_view cp932);

struct Cp932Char {
    uint32_t codePoint;  // U+FFFD where the code page leaves the byte or code undefined
    uint32_t length;     // bytes: 1, or 2 for a lead byte before a byte that can trail it
};

// The character at cp932[at], at < cp932.size().
Cp932Char cp932_decode_char(std::string_view cp932, size_t at);

#ifdef ZENTAB_CP932_TABLE_FROM_CALLER
// Builds that leave the table to their caller (the web page, whose browser
// decodes Shift_JIS to the same characters) fill this before the first
// conversion: for lead bytes 0x81-0x9F and 0xE0-0xFC in turn, trails 0x40-0xFC
// without 0x7F, the UTF-16 unit of each double-byte code, or 0 for none.
constexpr size_t kCp932CallerTableSize = 60 * 188;
uint16_t* cp932_caller_table();
#endif
