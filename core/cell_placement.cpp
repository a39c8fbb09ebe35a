#include "core/frame_core.h"
#include "core/placed_cell.h"

namespace {
constexpr FtPlacement L = FT_LEFT;
constexpr FtPlacement R = FT_RIGHT;
constexpr FtPlacement C = FT_CENTRE;

// Per position type: header row first column, header row others,
// other rows first column, other rows others.
constexpr FtPlacement kPlacements[FT_POSITION_TYPE_MAX][4] = {
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

}  // namespace

FtPlacement ft_placement(int32_t positionType, int32_t rowIndex, int32_t colIndex) {
    const int slot = (rowIndex == 0 ? 0 : 2) + (colIndex == 0 ? 0 : 1);
    return kPlacements[positionType - 1][slot];
}

void ft_put_spaces(char* out, int32_t count, int32_t& pos) {
    byte_copy::fill_spaces(out + pos, non_negative(count));
    pos += count > 0 ? count : 0;
}

void ft_put_cell(int32_t positionType, char* out, const char* cellText, int32_t cellLen,
                 int32_t pad, int32_t rowIndex, int32_t colIndex, int32_t& pos) {
    put_placed_cell(out + pos, cellText, cellLen, pad,
                    ft_placement(positionType, rowIndex, colIndex));
    pos += pad;
}
