// The store's way to a frame: its linked grid, proved to be exactly rows x
// columns, handed to the table renderer as spans of its pool.
#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"

namespace {
// A table left ragged by a refused line must never reach the renderer, which
// trusts the shape blindly.
bool spans_of_grid(const FrameTable& table, CellSpan* spans) {
    int32_t rowCount = 0;
    CellSpan* span = spans;
    for (const CellNode* first = table.grid; first != nullptr; first = first->down) {
        if (++rowCount > table.rows) {
            return false;
        }
        int32_t column = 0;
        for (const CellNode* cell = first; cell != nullptr; cell = cell->right, ++column) {
            if (column >= table.columns) {
                return false;
            }
            *span++ = CellSpan{cell->start, cell->length, cell->width};
        }
        if (column != table.columns) {
            return false;
        }
    }
    return rowCount == table.rows;
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
    if (!ft_types_valid(frameType, positionType) || reserve == nullptr) {
        return FT_BAD_ARGUMENT;
    }
    const FrameTable& table = ft_table();
    if (table.rows <= 0 || table.columns <= 0) {
        return FT_BAD_SHAPE;
    }
    const auto cellCount = static_cast<size_t>(table.rows) * static_cast<size_t>(table.columns);
    auto* spans = static_cast<CellSpan*>(ft_allocate(sizeof(CellSpan) * cellCount));
    if (spans == nullptr) {
        return FT_NO_MEMORY;
    }
    int result = FT_BAD_SHAPE;
    if (spans_of_grid(table, spans)) {
        const TableView view{table.pool, spans, table.rows, table.columns};
        result = ft_render_table(view, frameType, positionType, look, reserve, context);
    }
    ft_release(spans);
    return result;
}

int ft_render(char* out, int32_t outSize, int32_t frameType, int32_t positionType) {
    if (out == nullptr || outSize < 0 || !ft_types_valid(frameType, positionType)) {
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
