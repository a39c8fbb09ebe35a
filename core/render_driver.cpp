#include <climits>
#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "core/styles/frame_drawing.h"
#include "core/styles/frame_styles.h"

namespace {
bool types_valid(int32_t frameType, int32_t positionType) {
    return frameType >= 1 && frameType <= FT_FRAME_TYPE_MAX && positionType >= 1 &&
           positionType <= FT_POSITION_TYPE_MAX;
}

struct Measure {
    int32_t* areas;         // per column: the widest text, then its area's width
    int64_t textOverWidth;  // sum over all cells of bytes less columns
};

// Measures the widths row by row, the way the styles walk the grid, and
// proves the grid is exactly rows x columns: a table left ragged by a refused
// line must never reach a style, which trusts the shape blindly.
bool measure_whole_grid(const FrameTable& table, Measure& measure) {
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
            if (cell->width > measure.areas[column]) {
                measure.areas[column] = cell->width;
            }
            measure.textOverWidth += cell->length - cell->width;
        }
        if (column != table.columns) {
            return false;
        }
    }
    return rowCount == table.rows;
}

// Exact byte length of the frame without its terminator, in 64 bits: a table
// of many empty rows would overflow 32.
int64_t frame_length(const EncodedStyle& style, const Measure& measure, int32_t columns,
                     int32_t rows) {
    int64_t areaSum = 0;
    for (int32_t c = 0; c < columns; ++c) {
        areaSum += measure.areas[c];
    }
    const int64_t contentFixed = border_bytes(style.content, columns) + areaSum;
    int64_t length = rule_line_bytes(style.top, measure.areas, columns) + rows * contentFixed +
                     measure.textOverWidth + rule_line_bytes(style.bottom, measure.areas, columns);
    if (rows >= 2) {
        length += rule_line_bytes(style.header, measure.areas, columns) +
                  (rows - 2) * rule_line_bytes(style.inner, measure.areas, columns);
    }
    return length;
}

int render_measured(int32_t frameType, const FtLook& look, int32_t positionType, Measure& measure,
                    FtReserve reserve, void* context) {
    const FrameStyle& style = kFrameStyles[frameType - 1];
    const FrameTable& table = ft_table();
    if (!measure_whole_grid(table, measure)) {
        return FT_BAD_SHAPE;
    }
    for (int32_t c = 0; c < table.columns; ++c) {
        measure.areas[c] = cell_area_width(style, measure.areas[c]);
    }
    const EncodedStyle& encoded = encoded_style(frameType, look);
    const int64_t length = frame_length(encoded, measure, table.columns, table.rows);
    // Every measured frame is offered, so a caller learns its size even when
    // it is past what positions inside a frame (32-bit) can reach.
    char* out = reserve(length, context);
    if (out == nullptr || length >= INT32_MAX) {
        return FT_BUFFER_TOO_SMALL;
    }
    ft_draw_frame(encoded, out, measure.areas, table.columns, positionType);
    out[length] = '\0';
    return FT_OK;
}

struct FixedBuffer {
    char* out;
    int32_t size;
};

char* fixed_buffer(int64_t bytes, void* context) {
    auto* buffer = static_cast<FixedBuffer*>(context);
    return bytes < buffer->size ? buffer->out : nullptr;
}
}  // namespace

int ft_render_with(int32_t frameType, int32_t positionType, const FtLook& look, FtReserve reserve,
                   void* context) {
    if (!types_valid(frameType, positionType) || reserve == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    const FrameTable& table = ft_table();
    if (table.rows <= 0 || table.columns <= 0) {
        return FT_BAD_SHAPE;
    }
    const size_t areaBytes = sizeof(int32_t) * static_cast<size_t>(table.columns);
    Measure measure{static_cast<int32_t*>(ft_allocate(areaBytes)), 0};
    if (measure.areas == nullptr) {
        return FT_NO_MEMORY;
    }
    std::memset(measure.areas, 0, areaBytes);
    const int result = render_measured(frameType, look, positionType, measure, reserve, context);
    ft_release(measure.areas);
    return result;
}

int ft_render(char* out, int32_t outSize, int32_t frameType, int32_t positionType) {
    if (out == nullptr || outSize < 0 || !types_valid(frameType, positionType)) {
        return FT_BAD_ARGUMENT;
    }
    const FrameTable& table = ft_table();
    if (table.rows <= 0 || table.columns <= 0) {
        return FT_BAD_SHAPE;
    }
    std::memset(out, 0, static_cast<size_t>(outSize));
    FixedBuffer buffer{out, outSize};
    return ft_render_with(frameType, positionType, FtLook{}, fixed_buffer, &buffer);
}
