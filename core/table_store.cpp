#include <cstring>

#include "core/allocator.h"
#include "core/frame_core.h"

namespace {
FrameTable theTable;  // static storage: all zero at start, i.e. closed
constexpr char kSignature[10] = "zentabrix";

void clear_table(FrameTable& table) {
    std::memset(&table, 0, sizeof table);
}

CellNode* last_in_column(CellNode* cell, int32_t& linksWalked) {
    linksWalked = 0;
    while (cell->down != nullptr) {
        cell = cell->down;
        ++linksWalked;
    }
    return cell;
}

CellNode* last_in_row(CellNode* cell, int32_t& stepsWalked) {
    stepsWalked = 0;
    while (cell->right != nullptr) {
        cell = cell->right;
        ++stepsWalked;
    }
    return cell;
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
        ft_release(first);
        first = next;
    }
}

void ft_free_grid(CellNode* first) {
    while (first != nullptr) {
        CellNode* below = first->down;
        ft_free_row(first);
        first = below;
    }
}

int ft_link_cell(CellNode*& head, int32_t rowIndex, int32_t start, int32_t length) {
    auto* cell = static_cast<CellNode*>(ft_allocate(sizeof(CellNode)));
    if (cell == nullptr) {
        return FT_NO_MEMORY;
    }
    *cell = CellNode{start, length, nullptr, nullptr};
    if (head == nullptr) {
        head = cell;
        return FT_OK;
    }

    int32_t lastRow = 0;
    CellNode* lastRowFirst = last_in_column(head, lastRow);
    if (rowIndex < lastRow || rowIndex > lastRow + 1) {
        ft_release(cell);
        return FT_BAD_SHAPE;
    }
    if (rowIndex == lastRow + 1) {
        lastRowFirst->down = cell;
        return FT_OK;
    }

    int32_t lastColumn = 0;
    last_in_row(lastRowFirst, lastColumn)->right = cell;
    if (rowIndex == 0) {
        return FT_OK;
    }
    // The cell above the new one is column lastColumn + 1 of row 0, if row 0 has it.
    CellNode* top = head;
    for (int32_t step = 0; step <= lastColumn; ++step) {
        top = top->right;
        if (top == nullptr) {
            return FT_BAD_SHAPE;  // the cell stays at the end of its (now too long) row
        }
    }
    int32_t unused = 0;
    last_in_column(top, unused)->down = cell;
    return FT_OK;
}
