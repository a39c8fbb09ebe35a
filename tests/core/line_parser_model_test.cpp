// The parser against a plain model of its rule, on random lines built from
// the bytes that matter: separators, lead bytes, 0x7C as a second byte,
// single bytes above 0x80, at every offset of a machine word.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/frame_core.h"
#include "test_support.h"

namespace {
std::vector<std::string> model_cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    bool secondByte = false;
    bool lastWasSeparator = false;
    for (size_t j = 0; j < line.size(); ++j) {
        const auto b = static_cast<unsigned char>(line[j]);
        lastWasSeparator = !secondByte && b == '|';
        if (lastWasSeparator) {
            if (j > 0) {
                cells.push_back(cell);
            }
            cell.clear();
        } else {
            cell += line[j];
        }
        secondByte = !secondByte && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
    }
    if (!lastWasSeparator) {
        cells.push_back(cell);
    }
    return cells;
}

TEST(LineParserModel, RandomLinesCutLikeTheModel) {
    const char alphabet[] = {'a',    ' ',    '|',    '|',    '\x81', '\x83', '\x7C', '\x9F',
                             '\xE0', '\xEF', '\xF0', '\xFC', '\xA1', '\xDF', '\x80', '\x40'};
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        std::string line(random() % 40, 'a');
        for (char& b : line) {
            b = alphabet[random() % sizeof alphabet];
        }
        ft_open();
        int32_t lineNumber = 0;
        ASSERT_EQ(ft_add_line(line.c_str(), &lineNumber, '|'), FT_OK);
        const auto stored = stored_cells();
        const std::vector<std::string> cells =
            stored.empty() ? std::vector<std::string>{} : stored[0];
        ASSERT_EQ(cells, model_cells(line)) << testing::PrintToString(line);
    }
    ft_close();
}

// Every column hangs together by its down links, however long the table.
TEST(LineParserModel, ColumnsOfALongTableAreLinkedDownwards) {
    std::vector<std::string> lines;
    for (int r = 0; r < 300; ++r) {
        lines.push_back("r" + std::to_string(r) + "|x||\x83\x7C");
    }
    ASSERT_EQ(load_table(lines), FT_OK);
    std::vector<std::vector<const CellNode*>> grid;
    for (const CellNode* first = ft_table().grid; first != nullptr; first = first->down) {
        grid.emplace_back();
        for (const CellNode* cell = first; cell != nullptr; cell = cell->right) {
            grid.back().push_back(cell);
        }
    }
    ASSERT_EQ(grid.size(), 300u);
    for (size_t r = 0; r < grid.size(); ++r) {
        ASSERT_EQ(grid[r].size(), 4u);
        for (size_t c = 0; c < 4; ++c) {
            const CellNode* below = r + 1 < grid.size() ? grid[r + 1][c] : nullptr;
            EXPECT_EQ(grid[r][c]->down, below) << "row " << r << " column " << c;
        }
    }
    ft_close();
}
}  // namespace
