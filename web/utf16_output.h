// UTF-8 to UTF-16 for handing the module's output to JavaScript, where a
// string of UTF-16 code units is a copy but one of UTF-8 a slow decode.
#pragma once

#include <cstddef>
#include <string_view>

// Room `utf8_to_utf16` needs for `size` bytes of UTF-8: it writes whole
// blocks past the last unit it counts.
size_t utf16_room(size_t size);

// Writes `text`, which must be valid UTF-8, as UTF-16 at `out` (with
// utf16_room(text.size()) units of room); returns the units written.
size_t utf8_to_utf16(std::string_view text, char16_t* out);
