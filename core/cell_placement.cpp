#include <cstring>

#include "core/frame_core.h"

namespace {
enum Placement : unsigned char { L, R, C };

// Per position type: header row first column, header row others,
// other rows first column, other rows others.
constexpr Placement kPlacements[FT_POSITION_TYPE_MAX][4] = {
    {L, L, L, L},  // A
    {R, R, R, R},  // B
    {C, C, C, C},  // C
    {L, L, R, R},  // D
    {L, L, C, C},  // E
    {C, C, L, L},  // F
    {C, C, R, R},  // G
    {L, R, L, R},  // H
    {L, C, L, C},  // I
    {C, L, C, L},  // J
    {C, R, C, R},  // K
    {L, L, L, R},  // L
    {L, L, L, C},  // M
    {C, C, C, L},  // N
    {C, C, C, R},  // O
    {L, C, L, L},  // P
    {L, C, L, R},  // Q
};

Placement placement_of(int32_t positionType, int32_t rowIndex, int32_t colIndex) {
    const int slot = (rowIndex == 0 ? 0 : 2) + (colIndex == 0 ? 0 : 1);
    return kPlacements[positionType - 1][slot];
}

void copy_text(char* out, const char* text, int32_t length, int32_t pos) {
    std::memcpy(out + pos, text, static_cast<size_t>(length));
}
}  // namespace

void ft_put_spaces(char* out, int32_t count, int32_t& pos) {
    if (count <= 0) {
        return;
    }
    std::memset(out + pos, ' ', static_cast<size_t>(count));
    pos += count;
}

void ft_put_cell(int32_t positionType, char* out, const char* cellText, int32_t cellLen,
                 int32_t pad, int32_t rowIndex, int32_t colIndex, int32_t& pos) {
    switch (placement_of(positionType, rowIndex, colIndex)) {
        case L:
            copy_text(out, cellText, cellLen, pos);
            pos += cellLen;
            ft_put_spaces(out, pad, pos);
            pos -= cellLen;
            break;
        case R:
            ft_put_spaces(out, pad, pos);
            copy_text(out, cellText, cellLen, pos);
            break;
        case C: {
            const int32_t half = pad / 2;
            ft_put_spaces(out, half, pos);
            copy_text(out, cellText, cellLen, pos);
            pos += cellLen;
            ft_put_spaces(out, pad - half, pos);
            pos -= cellLen;
            break;
        }
    }
}
