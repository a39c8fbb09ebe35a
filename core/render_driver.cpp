#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"

namespace {
using DrawStyle = void (*)(char*, int32_t*, int32_t, int32_t);
constexpr DrawStyle kStyles[FT_FRAME_TYPE_MAX] = {ft_draw_type1, ft_draw_type2, ft_draw_type3,
                                                  ft_draw_type4, ft_draw_type5, ft_draw_type6};

bool arguments_valid(const char* out, int32_t outSize, int32_t frameType, int32_t positionType) {
    return out != nullptr && outSize >= 0 && frameType >= 1 && frameType <= FT_FRAME_TYPE_MAX &&
           positionType >= 1 && positionType <= FT_POSITION_TYPE_MAX;
}

// Measures the widths row by row, the way the styles walk the grid, and
// proves the grid is exactly rows x columns: a table left ragged by a refused
// line must never reach a style, which trusts the shape blindly.
bool measure_whole_grid(const FrameTable& table, int32_t* widths) {
    int32_t rowCount = 0;
    for (const CellNode* first = table.grid; first != nullptr; first = first->down) {
        if (++rowCount > table.rows) {
            return false;
        }
        int32_t column = 0;
        for (const CellNode* cell = first; cell != nullptr; cell = cell->right, ++column) {
            if (column >= table.columns) {
                return false;
            }
            if (cell->length > widths[column]) {
                widths[column] = cell->length;
            }
        }
        if (column != table.columns) {
            return false;
        }
    }
    return rowCount == table.rows;
}

// Exact byte length of the frame without its terminator, in 64 bits: a table
// of many empty rows would overflow 32.
int64_t frame_length(const int32_t* widths, int32_t columns, int32_t rows, int32_t frameType) {
    int64_t sum = 0;
    for (int32_t c = 0; c < columns; ++c) {
        const int64_t w = widths[c];
        sum += frameType == 6 ? w : (w == 0 ? 2 : w + (w & 1));
    }
    const int64_t lineLength = frameType == 6 ? sum + columns + 2 : sum + 2 * int64_t{columns} + 3;
    return lineLength * (2 * int64_t{rows} + 1);
}
}  // namespace

int ft_render(char* out, int32_t outSize, int32_t frameType, int32_t positionType) {
    if (!arguments_valid(out, outSize, frameType, positionType)) {
        return FT_BAD_ARGUMENT;
    }
    const FrameTable& table = ft_table();
    if (table.rows <= 0 || table.columns <= 0) {
        return FT_BAD_SHAPE;
    }
    std::memset(out, 0, static_cast<size_t>(outSize));

    auto* widths =
        static_cast<int32_t*>(ft_allocate(sizeof(int32_t) * static_cast<size_t>(table.columns)));
    if (widths == nullptr) {
        return FT_NO_MEMORY;
    }
    std::memset(widths, 0, sizeof(int32_t) * static_cast<size_t>(table.columns));

    int result = FT_OK;
    if (!measure_whole_grid(table, widths)) {
        result = FT_BAD_SHAPE;
    } else if (int64_t{outSize} - 1 < frame_length(widths, table.columns, table.rows, frameType)) {
        result = FT_BUFFER_TOO_SMALL;
    } else {
        kStyles[frameType - 1](out, widths, table.columns, positionType);
    }
    ft_release(widths);
    return result;
}
