// One character led by a byte of 0x80 or above, checked and measured as the
// input check and display_width would check and measure it: what the
// one-pass readers take between runs of printable ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/byte_blocks.h"
#include "core/text_rules.h"
#include "text/text_types.h"
#include "text/unicode/display_width.h"

namespace plain_characters {

// Word helpers under their old names, for the frame and Markdown readers.
using byte_blocks::bytes_equal;
using byte_blocks::first_bytes;
using byte_blocks::is_printable_ascii;
using byte_blocks::kHighBits;
using byte_blocks::kOnes;
using byte_blocks::printable_ascii_bytes;

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
