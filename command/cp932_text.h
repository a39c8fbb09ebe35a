// Character-boundary text search over code page 932 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/cp932_lead_byte.h"


// Bytes of the character starting at text[at]: 2 for a lead byte with a byte
// after it, else 1.
inline size_t cp932_char_length(std::string_view text, size_t at) {
    bool lead = cp932_is_lead_byte(static_cast<unsigned char>(text[at]));
    return lead && at + 1 < text.size() ? 2 : 1;
}

// Replaces every occurrence of `from` that starts at a character boundary,
// left to right, without overlap; the inserted text is not searched again.
std::string cp932_replace_all(std::string_view text, std::string_view from, std::string_view to);
