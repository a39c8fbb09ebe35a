#include "core/grid_cursor.h"

namespace {
// A parsed line holds at most this many cells.
constexpr int32_t kMaxColumns = FT_POOL_TEXT_MAX + 1;

struct GridCursor {
    const CellNode* head = nullptr;  // null: no cursor
    GridEnd end{};
    int32_t topColumns = 0;  // cells in row 0
    CellNode* columnBottom[kMaxColumns] = {};
};
GridCursor cursor;

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

void grid_cursor_start(CellNode* head) {
    cursor.head = head;
    cursor.end = GridEnd{0, head, head, 0};
    cursor.topColumns = 1;
    cursor.columnBottom[0] = head;
}

void grid_cursor_note(CellNode* head, CellNode* cell, int32_t row, int32_t column) {
    if (cursor.head != head) {
        return;  // no cursor for this grid: the walks go on being made
    }
    if (column == 0) {
        cursor.end.lastRow = row;
        cursor.end.lastRowFirst = cell;
    }
    cursor.end.lastRowLast = cell;
    cursor.end.lastColumn = column;
    if (row == 0) {
        if (cursor.topColumns == kMaxColumns) {
            grid_cursor_forget();
            return;
        }
        cursor.columnBottom[cursor.topColumns++] = cell;
    } else if (column < cursor.topColumns) {
        cursor.columnBottom[column] = cell;
    }
}

void grid_cursor_forget() {
    cursor.head = nullptr;
}
