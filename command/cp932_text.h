// Character-boundary text search over code page 932 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Replaces every occurrence of `from` that starts at a character boundary,
// left to right, without overlap; the inserted text is not searched again.
std::string cp932_replace_all(std::string_view text, std::string_view from, std::string_view to);
