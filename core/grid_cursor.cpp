#include "core/grid_cursor.h"

#include <cstdlib>

#include "core/allocator.h"

namespace {
struct GridCursor {
    const CellNode* head = nullptr;  // null: no cursor
    GridEnd end{};
    int32_t topColumns = 0;  // cells in row 0
    int64_t cells = 0;       // cells linked into the grid, so freeing it needs no walk
    // Grows with row 0. Outside the core's counted allocations: the cursor is
    // only a shortcut, and without room for it the walks are made.
    CellNode** columnBottom = nullptr;
    int32_t capacity = 0;
};
GridCursor cursor;

bool make_room_for_column() {
    if (cursor.topColumns < cursor.capacity) {
        return true;
    }
    const int32_t capacity = cursor.capacity == 0 ? 64 : cursor.capacity * 2;
    void* grown =
        std::realloc(cursor.columnBottom, sizeof(CellNode*) * static_cast<size_t>(capacity));
    if (grown == nullptr) {
        return false;
    }
    cursor.columnBottom = static_cast<CellNode**>(grown);
    cursor.capacity = capacity;
    return true;
}

CellNode* walk_down(CellNode* cell, int32_t& linksWalked) {
    linksWalked = 0;
    while (cell->down != nullptr) {
        cell = cell->down;
        ++linksWalked;
    }
    return cell;
}

CellNode* walk_right(CellNode* cell, int32_t& stepsWalked) {
    stepsWalked = 0;
    while (cell->right != nullptr) {
        cell = cell->right;
        ++stepsWalked;
    }
    return cell;
}

bool cursor_describes(const CellNode* head) {
    return head != nullptr && cursor.head == head && cursor.end.lastRowFirst->down == nullptr &&
           cursor.end.lastRowLast->right == nullptr;
}
}  // namespace

GridEnd grid_end(CellNode* head) {
    if (cursor_describes(head)) {
        return cursor.end;
    }
    grid_cursor_forget();
    GridEnd end{};
    end.lastRowFirst = walk_down(head, end.lastRow);
    end.lastRowLast = walk_right(end.lastRowFirst, end.lastColumn);
    return end;
}

CellNode* column_bottom(CellNode* head, int32_t column) {
    if (cursor_describes(head)) {
        return column < cursor.topColumns ? cursor.columnBottom[column] : nullptr;
    }
    CellNode* top = head;
    for (int32_t step = 0; step < column && top != nullptr; ++step) {
        top = top->right;
    }
    int32_t unused = 0;
    return top == nullptr ? nullptr : walk_down(top, unused);
}

RowLinked grid_link_row(CellNode* head, int32_t row, const CellSpan* cells, int32_t count) {
    RowLinked linked{0, FT_OK};
    if (row == 0 || !cursor_describes(head) || row != cursor.end.lastRow + 1) {
        return linked;
    }
    const int32_t fitting = count < cursor.topColumns ? count : cursor.topColumns;
    CellNode** const bottoms = cursor.columnBottom;
    CellNode* last = nullptr;
    while (linked.cells < fitting) {
        int32_t got = 0;
        CellNode* run = ft_allocate_cells(fitting - linked.cells, got);
        if (run == nullptr) {
            linked.result = FT_NO_MEMORY;
            break;
        }
        for (CellNode* cell = run; cell != run + got; ++cell, ++linked.cells) {
            const CellSpan& span = cells[linked.cells];
            *cell = CellNode{span.start, span.length, span.width, nullptr, nullptr};
            if (last != nullptr) {
                last->right = cell;
            }
            bottoms[linked.cells]->down = cell;
            bottoms[linked.cells] = cell;
            last = cell;
        }
    }
    if (linked.cells > 0) {
        cursor.end = GridEnd{row, bottoms[0], last, linked.cells - 1};
        cursor.cells += linked.cells;
    }
    return linked;
}

void grid_cursor_start(CellNode* head) {
    cursor.topColumns = 0;
    if (!make_room_for_column()) {
        grid_cursor_forget();
        return;
    }
    cursor.head = head;
    cursor.end = GridEnd{0, head, head, 0};
    cursor.topColumns = 1;
    cursor.cells = 1;
    cursor.columnBottom[0] = head;
}

void grid_cursor_note(CellNode* head, CellNode* cell, int32_t row, int32_t column) {
    if (cursor.head != head) {
        return;  // no cursor for this grid: the walks go on being made
    }
    ++cursor.cells;
    if (column == 0) {
        cursor.end.lastRow = row;
        cursor.end.lastRowFirst = cell;
    }
    cursor.end.lastRowLast = cell;
    cursor.end.lastColumn = column;
    if (row == 0) {
        if (!make_room_for_column()) {
            grid_cursor_forget();
            return;
        }
        cursor.columnBottom[cursor.topColumns++] = cell;
    } else if (column < cursor.topColumns) {
        cursor.columnBottom[column] = cell;
    }
}

int64_t grid_cursor_cells(const CellNode* head) {
    return cursor_describes(head) ? cursor.cells : -1;
}

void grid_cursor_forget() {
    cursor.head = nullptr;
}

void grid_cursor_release() {
    grid_cursor_forget();
    // Small tables come one after another: their room is kept.
    constexpr int32_t kKeptCapacity = 1024;
    if (cursor.capacity <= kKeptCapacity) {
        return;
    }
    std::free(cursor.columnBottom);
    cursor.columnBottom = nullptr;
    cursor.capacity = 0;
    cursor.topColumns = 0;
}
