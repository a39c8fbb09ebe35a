#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "core/grid_cursor.h"

namespace {
FrameTable theTable;  // static storage: all zero at start, i.e. closed
constexpr char kSignature[10] = "zentabrix";

void clear_table(FrameTable& table) {
    std::memset(&table, 0, sizeof table);
    grid_cursor_forget();
}
}  // namespace

FrameTable& ft_table() {
    return theTable;
}

int ft_open() {
    FrameTable& table = ft_table();
    if (std::strncmp(table.signature, kSignature, sizeof table.signature) == 0) {
        ft_free_grid(table.grid);
    }
    clear_table(table);
    std::memcpy(table.signature, kSignature, sizeof kSignature);
    return FT_OK;
}

int ft_close() {
    FrameTable& table = ft_table();
    ft_free_grid(table.grid);
    clear_table(table);
    return FT_OK;
}

void ft_free_row(CellNode* first) {
    while (first != nullptr) {
        CellNode* next = first->right;
        ft_release_cell(first);
        first = next;
    }
}

void ft_free_grid(CellNode* first) {
    grid_cursor_forget();
    while (first != nullptr) {
        CellNode* below = first->down;
        ft_free_row(first);
        first = below;
    }
}

int ft_link_cell(CellNode*& head, int32_t rowIndex, int32_t start, int32_t length) {
    auto* cell = static_cast<CellNode*>(ft_allocate_cell());
    if (cell == nullptr) {
        return FT_NO_MEMORY;
    }
    *cell = CellNode{start, length, nullptr, nullptr};
    if (head == nullptr) {
        head = cell;
        grid_cursor_start(cell);
        return FT_OK;
    }

    const GridEnd end = grid_end(head);
    if (rowIndex < end.lastRow || rowIndex > end.lastRow + 1) {
        ft_release_cell(cell);
        return FT_BAD_SHAPE;
    }
    if (rowIndex == end.lastRow + 1) {
        end.lastRowFirst->down = cell;
        grid_cursor_note(head, cell, rowIndex, 0);
        return FT_OK;
    }

    const int32_t column = end.lastColumn + 1;
    CellNode* above = rowIndex == 0 ? nullptr : column_bottom(head, column);
    end.lastRowLast->right = cell;
    if (rowIndex != 0) {
        if (above == nullptr) {
            grid_cursor_forget();  // the row now runs past row 0: the grid is ragged
            return FT_BAD_SHAPE;
        }
        above->down = cell;
    }
    grid_cursor_note(head, cell, rowIndex, column);
    return FT_OK;
}
