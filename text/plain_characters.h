// The characters the one-pass readers take without the careful path:
// printable ASCII eight bytes at a time, and one character led by a byte of
// 0x80 or above, checked and measured as the input check and display_width
// would check and measure it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/special_byte_scan.h"
#include "core/text_rules.h"
#include "text/text_types.h"
#include "text/unicode/display_width.h"

namespace plain_characters {

using special_byte_scan::kHighBits;
using special_byte_scan::kOnes;

inline bool is_printable_ascii(unsigned char byte) {
    return static_cast<unsigned>(byte - 0x20) < 0x5Fu;
}

// How many of word's bytes, from its first in memory, are printable ASCII.
inline unsigned printable_ascii_bytes(uint64_t word) {
    // The high bit of each byte that is not, and perhaps of bytes after such
    // a one (a borrow or carry spills over), never before.
    const uint64_t stops = ((word - 0x20 * kOnes) | (word + kOnes) | word) & kHighBits;
    return stops == 0 ? 8u : static_cast<unsigned>(__builtin_ctzll(stops)) / 8;
}

// The high bit of each byte of word equal to byte.
inline uint64_t bytes_equal(uint64_t word, char byte) {
    return special_byte_scan::zero_bytes(word ^ (static_cast<unsigned char>(byte) * kOnes));
}

// The high bits of the first count bytes of a word.
inline uint64_t first_bytes(unsigned count) {
    return count == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * count)) - 1;
}

// A character led by a byte of 0x80 or above: its bytes, 0 when it is not
// text or is a control, and its columns, -1 when it may join a cluster.
struct Character {
    size_t length;
    int columns;
};

inline Character utf8_character(std::string_view text, size_t at, WidthModel model) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char lead = bytes[at];
    // Led by E1..EC or EE..EF, three bytes are never overlong, surrogates or
    // controls: most CJK text, checked without the full decoder.
    if (((lead >= 0xE1 && lead <= 0xEC) || lead >= 0xEE) && lead <= 0xEF && text.size() - at >= 3 &&
        text_rules::is_utf8_continuation(bytes[at + 1]) &&
        text_rules::is_utf8_continuation(bytes[at + 2])) {
        const uint32_t codePoint =
            (lead & 0x0Fu) << 12 | (bytes[at + 1] & 0x3Fu) << 6 | (bytes[at + 2] & 0x3Fu);
        return {3, lone_cluster_width(codePoint, model)};
    }
    const text_rules::Utf8Char c = text_rules::decode_utf8(text, at);
    if (c.length == 0 || c.codePoint <= 0x9F) {
        return {0, 0};  // not UTF-8, or a C1 control
    }
    return {c.length, lone_cluster_width(c.codePoint, model)};
}

// Columns are bytes in code page 932.
inline Character cp932_character(std::string_view text, size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char lead = bytes[at];
    if (text_rules::is_cp932_single(lead)) {
        return {1, 1};
    }
    if (text_rules::is_cp932_lead_byte(lead) && text.size() - at >= 2 &&
        text_rules::is_cp932_trail_byte(bytes[at + 1])) {
        return {2, 2};
    }
    return {0, 0};
}

}  // namespace plain_characters
