#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "core/grid_cursor.h"
#include "test_support.h"

namespace {
class TableStore : public testing::Test {
  protected:
    void SetUp() override { ft_close(); }
    void TearDown() override {
        ft_close();
        EXPECT_EQ(ft_live_allocations(), 0) << "every cell is freed exactly once";
    }
    static CellNode*& grid() { return ft_table().grid; }
    static bool signature_is_zero() {
        const char zero[10] = {};
        return std::memcmp(ft_table().signature, zero, sizeof zero) == 0;
    }
};

TEST_F(TableStore, OpenStampsTheSignatureAndCloseClearsIt) {
    EXPECT_EQ(ft_open(), FT_OK);
    EXPECT_EQ(std::memcmp(ft_table().signature, "zentabrix", 10), 0);
    EXPECT_EQ(ft_open(), FT_OK);
    EXPECT_EQ(ft_close(), FT_OK);
    EXPECT_TRUE(signature_is_zero());
    EXPECT_EQ(ft_close(), FT_OK);
    EXPECT_TRUE(signature_is_zero());
    EXPECT_EQ(grid(), nullptr);
}

TEST_F(TableStore, OpenFreesWhatARefusedRunLeft) {
    load_table({"a|b|c", "d|e|f|g"});  // the refused row is longer than row 0
    EXPECT_GT(ft_live_allocations(), 0);
    ft_open();
    EXPECT_EQ(ft_live_allocations(), 0);
    EXPECT_EQ(ft_table().rows, 0);
    EXPECT_EQ(ft_table().pool[0], '\0');
}

TEST_F(TableStore, LinkingATwoByThreeTableRowByRow) {
    ft_open();
    for (int32_t i = 0; i < 6; ++i) {
        ASSERT_EQ(ft_link_cell(grid(), i / 3, i, 1, 1), FT_OK);
    }
    const CellNode* row0 = grid();
    const CellNode* row1 = row0->down;
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row1->down, nullptr);
    for (int32_t col = 0; col < 3; ++col) {
        EXPECT_EQ(row0->start, col);
        EXPECT_EQ(row1->start, 3 + col);
        EXPECT_EQ(row0->down, row1) << "column " << col << " hangs below row 0";
        row0 = row0->right;
        row1 = row1->right;
    }
    EXPECT_EQ(row0, nullptr);
    EXPECT_EQ(row1, nullptr);
}

TEST_F(TableStore, TheFirstCellBecomesTheGridWhateverItsRow) {
    ft_open();
    EXPECT_EQ(ft_link_cell(grid(), 5, 0, 0, 0), FT_OK);
    ASSERT_NE(grid(), nullptr);
    EXPECT_EQ(grid()->length, 0);
}

TEST_F(TableStore, RefusesCellsOutsideTheShape) {
    struct Case {
        const char* name;
        int32_t rowIndex;
        int64_t cellsLinkedAfter;
    };
    // Grid: row 0 of three cells, row 1 of three cells.
    const Case cases[] = {
        {"a row index behind the last row", 0, 6},
        {"a row index two past the last row", 3, 6},
        {"a fourth cell in row 1", 1, 7},  // stays linked at the row's end
    };
    for (const Case& c : cases) {
        ft_open();
        for (int32_t i = 0; i < 6; ++i) {
            ft_link_cell(grid(), i / 3, i, 1, 1);
        }
        EXPECT_EQ(ft_link_cell(grid(), c.rowIndex, 9, 1, 1), FT_BAD_SHAPE) << c.name;
        EXPECT_EQ(ft_live_allocations(), c.cellsLinkedAfter) << c.name;
    }
}

TEST_F(TableStore, OneRowGridRefusesRowTwo) {
    ft_open();
    ft_link_cell(grid(), 0, 0, 1, 1);
    EXPECT_EQ(ft_link_cell(grid(), 2, 1, 1, 1), FT_BAD_SHAPE);
    EXPECT_EQ(grid()->down, nullptr);
    EXPECT_EQ(grid()->right, nullptr);
}
}  // namespace

namespace {
// Two grids built a cell at a time in turn: the store's cursor follows one
// grid only, so the other is linked by walking it, and both come out whole.
TEST_F(TableStore, TwoGridsLinkedInTurnBothComeOutWhole) {
    ft_open();
    CellNode* first = nullptr;
    CellNode* second = nullptr;
    constexpr int32_t kRows = 4;
    constexpr int32_t kColumns = 3;
    for (int32_t i = 0; i < kRows * kColumns; ++i) {
        ASSERT_EQ(ft_link_cell(first, i / kColumns, i, 1, 1), FT_OK);
        ASSERT_EQ(ft_link_cell(second, i / kColumns, 100 + i, 2, 2), FT_OK);
    }
    for (CellNode* head : {first, second}) {
        int32_t row = 0;
        for (const CellNode* rowStart = head; rowStart != nullptr; rowStart = rowStart->down) {
            int32_t column = 0;
            for (const CellNode* cell = rowStart; cell != nullptr; cell = cell->right) {
                EXPECT_EQ(cell->start % 100, row * kColumns + column);
                ++column;
            }
            EXPECT_EQ(column, kColumns);
            ++row;
        }
        EXPECT_EQ(row, kRows);
        // Down links join each column from top to bottom.
        int32_t column = 0;
        for (const CellNode* top = head; top != nullptr; top = top->right, ++column) {
            int32_t depth = 0;
            for (const CellNode* cell = top; cell != nullptr; cell = cell->down, ++depth) {
                EXPECT_EQ(cell->start % 100, depth * kColumns + column);
            }
            EXPECT_EQ(depth, kRows);
        }
    }
    ft_free_grid(first);
    ft_free_grid(second);
}
}  // namespace

namespace {
int64_t cells_by_walking(const CellNode* head) {
    int64_t count = 0;
    for (; head != nullptr; head = head->down) {
        for (const CellNode* cell = head; cell != nullptr; cell = cell->right) {
            ++count;
        }
    }
    return count;
}

// The store frees its grid by the count the cursor kept while building, and gives
// every cell back at once when that count is all that live: a count off by
// any cell would free another grid's cells with it, or leak. Random tables,
// some rows refused for their shape or for memory, beside a second grid
// linked before, between or after the table's rows.
TEST_F(TableStore, FreeingAGridGivesBackExactlyItsCells) {
    std::mt19937 random(7);
    auto pick = [&random](int32_t below) {
        return static_cast<int32_t>(random() % static_cast<uint32_t>(below));
    };
    for (int round = 0; round < 300; ++round) {
        ft_open();
        CellNode* other = nullptr;
        int32_t otherLinked = 0;
        auto link_other = [&](int32_t count) {
            for (int32_t k = 0; k < count; ++k, ++otherLinked) {
                ASSERT_EQ(ft_link_cell(other, otherLinked / 2, otherLinked, 1, 1), FT_OK);
            }
        };
        const int32_t columns = 1 + pick(4);
        const int32_t rows = pick(70);
        const int32_t otherAt = pick(rows + 2);  // after which row the second grid grows
        for (int32_t row = 0; row < rows; ++row) {
            if (row == otherAt) {
                link_other(1 + pick(5));
            }
            const int32_t cells = pick(8) == 0 ? 1 + pick(5) : columns;
            std::string line = "x";
            for (int32_t c = 1; c < cells; ++c) {
                line += "|y";
            }
            ft_fail_allocation_at(pick(20) == 0 ? 1 + pick(cells) : 0);
            int32_t lineNumber = 0;
            const int added = ft_add_line(line.c_str(), &lineNumber, '|');
            const int64_t counted = grid_cursor_cells(ft_table().grid);
            if (counted >= 0) {
                ASSERT_EQ(counted, cells_by_walking(ft_table().grid)) << "round " << round;
            }
            if (added != FT_OK && pick(2) == 0) {
                break;
            }
        }
        ft_fail_allocation_at(0);
        if (otherAt >= rows) {
            link_other(pick(5));
        }
        const int64_t tableCells = cells_by_walking(ft_table().grid);
        ASSERT_EQ(ft_live_allocations(), tableCells + otherLinked) << "round " << round;
        if (pick(2) == 0) {
            ft_close();
            EXPECT_EQ(ft_live_allocations(), otherLinked) << "round " << round;
            ft_free_grid(other);
        } else {
            ft_free_grid(other);
            EXPECT_EQ(ft_live_allocations(), tableCells) << "round " << round;
            ft_close();
        }
        ASSERT_EQ(ft_live_allocations(), 0) << "round " << round;
    }
}
}  // namespace
