// A cell's text in its padded area, inline: the drawing loop places every
// cell of a table through here.
#pragma once

#include <cstdint>

#include "core/byte_copy.h"
#include "core/frame_core.h"

inline size_t non_negative(int32_t count) {
    return count > 0 ? static_cast<size_t>(count) : 0;
}

// Writes pad spaces around cellLen bytes of text at out, as placement says;
// inset of them stand on each side whatever the placement.
inline void put_placed_cell(char* out, const char* cellText, int32_t cellLen, int32_t pad,
                            FtPlacement placement, int32_t inset = 0) {
    const int32_t before = placement == FT_LEFT    ? inset
                           : placement == FT_RIGHT ? pad - inset
                                                   : pad / 2;
    byte_copy::fill_spaces(out, non_negative(before));
    byte_copy::copy(out + before, cellText, non_negative(cellLen));
    byte_copy::fill_spaces(out + before + cellLen, non_negative(pad - before));
}
