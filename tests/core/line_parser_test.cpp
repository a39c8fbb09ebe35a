#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/allocator.h"
#include "core/frame_core.h"
#include "test_support.h"

namespace {
using Cells = std::vector<std::string>;

class LineParser : public testing::Test {
  protected:
    void SetUp() override { ft_open(); }
    void TearDown() override {
        ft_close();
        EXPECT_EQ(ft_live_allocations(), 0);
    }
};

struct CutCase {
    const char* name;
    std::string line;
    Cells cells;
};

const CutCase kCuts[] = {
    {"plain", "A|B", {"A", "B"}},
    {"leading and trailing separators", "|A|B|", {"A", "B"}},
    {"empty middle cell", "A||B", {"A", "", "B"}},
    {"two separators", "||", {""}},
    {"three separators", "|||", {"", ""}},
    {"empty line", "", {""}},
    {"spaces kept", " A | B ", {" A ", " B "}},
    {"second byte 0x7C is not a separator", "\x83\x7C|X", {"\x83\x7C", "X"}},
    {"line ends inside a two-byte character", "X\x83\x7C", {"X\x83\x7C"}},
    {"leading separator before a two-byte character", "|\x83\x7C", {"\x83\x7C"}},
    {"0xEF is a lead byte", "\xEF|A", {"\xEF|A"}},
    // IBM extensions and user-defined characters: 僴 FA 7C, 﨑 FA B1, 髙 FB FC.
    {"0xF0 to 0xFC lead too", "\xF0|\xFC|", {"\xF0|\xFC|"}},
    {"second byte 0x7C after 0xFA", "\xFA\x7C|x", {"\xFA\x7C", "x"}},
    {"0xFB 0xFC then a separator", "\xFB\xFC|\xFA\xB1", {"\xFB\xFC", "\xFA\xB1"}},
    {"0xFD is a single byte", "\xFD|A", {"\xFD", "A"}},
    {"half-width katakana are single bytes", "\xB1|\xDF", {"\xB1", "\xDF"}},
    {"lead byte as second byte", "\x81\x81|A", {"\x81\x81", "A"}},
};

TEST_F(LineParser, CutsOneLineIntoCells) {
    for (const CutCase& c : kCuts) {
        ft_open();
        int32_t lineNumber = -1;
        ASSERT_EQ(ft_add_line(c.line.c_str(), &lineNumber, '|'), FT_OK) << c.name;
        EXPECT_EQ(lineNumber, -1) << c.name;
        ASSERT_EQ(stored_cells().size(), 1u) << c.name;
        EXPECT_EQ(stored_cells()[0], c.cells) << c.name;
        EXPECT_EQ(ft_table().columns, static_cast<int32_t>(c.cells.size())) << c.name;
    }
}

TEST_F(LineParser, LoneSeparatorGivesNoCell) {
    int32_t lineNumber = 0;
    EXPECT_EQ(ft_add_line("|", &lineNumber, '|'), FT_OK);
    EXPECT_EQ(ft_table().columns, 0);
    EXPECT_EQ(ft_table().rows, 1);
    EXPECT_EQ(ft_table().grid, nullptr);
}

TEST_F(LineParser, LinesShareThePoolWithoutSeparators) {
    int32_t lineNumber = 0;
    ASSERT_EQ(ft_add_line("A|B", &lineNumber, '|'), FT_OK);
    ASSERT_EQ(ft_add_line("C|D", &lineNumber, '|'), FT_OK);
    EXPECT_STREQ(ft_table().pool, "A|BC|D");
    const CellNode* a = ft_table().grid;
    EXPECT_EQ(a->start, 0);
    EXPECT_EQ(a->right->start, 2);
    EXPECT_EQ(a->down->start, 3);
    EXPECT_EQ(a->down->right->start, 5);
    EXPECT_EQ(ft_table().rows, 2);
    EXPECT_EQ(ft_table().columns, 2);
}

TEST_F(LineParser, LeadingSeparatorShiftsTheFirstCell) {
    int32_t lineNumber = 0;
    ft_add_line("x|y", &lineNumber, '|');
    ASSERT_EQ(ft_add_line("|A|B|", &lineNumber, '|'), FT_OK);
    EXPECT_EQ(ft_table().grid->down->start, 4);
    EXPECT_EQ(ft_table().grid->down->right->start, 6);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> lines;
    int expectedResult;
    int32_t expectedLine;
    int32_t rowsAfter;
    std::vector<Cells> cellsAfter;  // as the grid holds them, partial row included
};

const RefusalCase kRefusals[] = {
    {"too few cells", {"A|B", "C"}, FT_BAD_SHAPE, 2, 1, {{"A", "B"}, {"C"}}},
    {"too many cells", {"A|B", "C|D|E"}, FT_BAD_SHAPE, 2, 1, {{"A", "B"}, {"C", "D", "E"}}},
    {"empty line under two columns", {"A|B", ""}, FT_BAD_SHAPE, 2, 1, {{"A", "B"}, {""}}},
    {"third line", {"A", "B", "C|D"}, FT_BAD_SHAPE, 3, 2, {{"A"}, {"B"}, {"C", "D"}}},
};

TEST_F(LineParser, RefusesRowsOfAnotherShape) {
    for (const RefusalCase& c : kRefusals) {
        int32_t failedLine = -1;
        EXPECT_EQ(load_table(c.lines, &failedLine), c.expectedResult) << c.name;
        EXPECT_EQ(failedLine, c.expectedLine) << c.name;
        EXPECT_EQ(ft_table().rows, c.rowsAfter) << c.name;
        EXPECT_EQ(stored_cells(), c.cellsAfter) << c.name;
    }
}

TEST_F(LineParser, EmptyLineUnderOneColumnIsAnEmptyCell) {
    ASSERT_EQ(load_table({"A", ""}), FT_OK);
    EXPECT_EQ(stored_cells(), (std::vector<Cells>{{"A"}, {""}}));
}

TEST_F(LineParser, NullArgumentsChangeNothing) {
    ft_close();
    int32_t lineNumber = 42;
    EXPECT_EQ(ft_add_line(nullptr, &lineNumber, '|'), FT_BAD_ARGUMENT);
    EXPECT_EQ(ft_add_line("A", nullptr, '|'), FT_BAD_ARGUMENT);
    EXPECT_EQ(lineNumber, 42);
    EXPECT_EQ(ft_table().pool[0], '\0');
}

TEST_F(LineParser, PoolHoldsTenThousandTwoHundredFortyBytes) {
    struct Case {
        size_t lineLength;
        int expected;
    };
    for (const Case& c : {Case{10, FT_OK}, Case{11, FT_POOL_FULL}}) {
        ft_open();
        int32_t lineNumber = -1;
        ASSERT_EQ(ft_add_line(std::string(10230, 'a').c_str(), &lineNumber, '|'), FT_OK);
        EXPECT_EQ(ft_add_line(std::string(c.lineLength, 'b').c_str(), &lineNumber, '|'),
                  c.expected);
        EXPECT_EQ(lineNumber, -1) << "a full pool does not name a line";
        EXPECT_EQ(ft_table().rows, c.expected == FT_OK ? 2 : 1);
    }
    ft_open();
    int32_t lineNumber = -1;
    EXPECT_EQ(ft_add_line(std::string(10240, 'a').c_str(), &lineNumber, '|'), FT_OK);
    ft_open();
    EXPECT_EQ(ft_add_line(std::string(10241, 'a').c_str(), &lineNumber, '|'), FT_POOL_FULL);
    EXPECT_EQ(ft_table().pool[0], '\0');
}
}  // namespace
