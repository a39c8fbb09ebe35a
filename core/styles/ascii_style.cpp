// Frame type 6: "+", "-" and "|", widths exactly as measured.
#include <cstring>

#include "core/byte_copy.h"
#include "core/frame_core.h"

namespace {
void draw_rule(char* out, int32_t& pos, const int32_t* widths, int32_t columnCount) {
    for (int32_t c = 0; c < columnCount; ++c) {
        out[pos++] = '+';
        std::memset(out + pos, '-', static_cast<size_t>(widths[c]));
        pos += widths[c];
    }
    out[pos++] = '+';
    out[pos++] = '\n';
}

void draw_content(char* out, int32_t& pos, const CellNode* first, const int32_t* widths,
                  int32_t rowIndex, int32_t positionType) {
    const char* pool = ft_table().pool;
    int32_t colIndex = 0;
    for (const CellNode* cell = first; cell != nullptr; cell = cell->right, ++colIndex) {
        out[pos++] = '|';
        ft_put_cell(positionType, out, pool + cell->start, cell->length,
                    widths[colIndex] - cell->length, rowIndex, colIndex, pos);
        pos += cell->length;
    }
    out[pos++] = '|';
    out[pos++] = '\n';
}
}  // namespace

void ft_draw_type6(char* out, int32_t* widths, int32_t columnCount, int32_t positionType) {
    int32_t pos = 0;
    draw_rule(out, pos, widths, columnCount);
    // Every rule line of this style is the same: copy the top one.
    const int32_t ruleLength = pos;
    int32_t rowIndex = 0;
    for (const CellNode* first = ft_table().grid; first != nullptr;
         first = first->down, ++rowIndex) {
        draw_content(out, pos, first, widths, rowIndex, positionType);
        byte_copy::copy(out + pos, out, static_cast<size_t>(ruleLength));
        pos += ruleLength;
    }
}
