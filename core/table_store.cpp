#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "core/grid_cursor.h"

namespace {
FrameTable theTable;  // static storage: all zero at start, i.e. closed
char defaultPool[FT_POOL_TEXT_MAX + 1];
constexpr char kSignature[10] = "zentabrix";

bool is_open(const FrameTable& table) {
    return std::strncmp(table.signature, kSignature, sizeof table.signature) == 0;
}

void release_pool(FrameTable& table) {
    if (table.pool != defaultPool) {
        ft_release(table.pool);
    }
}

// A closed table keeps the default pool, empty, so its text can still be read.
void clear_table(FrameTable& table) {
    std::memset(&table, 0, sizeof table);
    table.pool = defaultPool;
    table.poolTextMax = FT_POOL_TEXT_MAX;
    defaultPool[0] = '\0';
    grid_cursor_forget();
    grid_cursor_release();
}
}  // namespace

FrameTable& ft_table() {
    return theTable;
}

int ft_open_sized(int32_t poolTextMax) {
    if (poolTextMax < 0) {
        return FT_BAD_ARGUMENT;
    }
    FrameTable& table = ft_table();
    if (is_open(table)) {
        ft_free_grid(table.grid);
        release_pool(table);
    }
    clear_table(table);
    char* pool = defaultPool;
    if (poolTextMax > FT_POOL_TEXT_MAX) {
        pool = static_cast<char*>(ft_allocate(static_cast<size_t>(poolTextMax) + 1));
        if (pool == nullptr) {
            return FT_NO_MEMORY;
        }
    }
    pool[0] = '\0';
    table.pool = pool;
    table.poolTextMax = poolTextMax;
    std::memcpy(table.signature, kSignature, sizeof kSignature);
    return FT_OK;
}

int ft_open() {
    return ft_open_sized(FT_POOL_TEXT_MAX);
}

int ft_close() {
    FrameTable& table = ft_table();
    ft_free_grid(table.grid);
    if (is_open(table)) {
        release_pool(table);
    }
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

namespace {
int64_t cells_of_grid(const CellNode* first) {
    int64_t count = 0;
    for (; first != nullptr; first = first->down) {
        for (const CellNode* cell = first; cell != nullptr; cell = cell->right) {
            ++count;
        }
    }
    return count;
}
}  // namespace

void ft_free_grid(CellNode* first) {
    const int64_t counted = grid_cursor_cells(first);
    grid_cursor_forget();
    if (first == nullptr || ft_release_all_cells(counted >= 0 ? counted : cells_of_grid(first))) {
        return;
    }
    while (first != nullptr) {
        CellNode* below = first->down;
        ft_free_row(first);
        first = below;
    }
}

int ft_link_cell(CellNode*& head, int32_t rowIndex, int32_t start, int32_t length, int32_t width) {
    auto* cell = static_cast<CellNode*>(ft_allocate_cell());
    if (cell == nullptr) {
        return FT_NO_MEMORY;
    }
    *cell = CellNode{start, length, width, nullptr, nullptr};
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
