// Strict UTF-8 checks: no overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Offset of the first byte that does not begin a valid sequence, or npos.
size_t find_invalid_utf8(std::string_view text);

// The code point of the valid sequence at text[at].
uint32_t decode_utf8_at(std::string_view text, size_t at);
