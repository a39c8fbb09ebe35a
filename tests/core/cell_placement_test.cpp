#include <gtest/gtest.h>

#include <string>

#include "core/frame_core.h"

namespace {
// Places "ab" with the given fill at the end of a cleared buffer that
// already holds "xyz"; returns what was appended and checks the running length.
std::string place(int32_t positionType, int32_t pad, int32_t row, int32_t col) {
    std::string out = "xyz" + std::string(static_cast<size_t>(pad) + 3, '\0');
    int32_t pos = 3;
    ft_put_cell(positionType, out.data(), "ab", 2, pad, row, col, pos);
    EXPECT_EQ(pos, 3 + pad) << "the running length grows by the fill only";
    return std::string(out.c_str() + 3);
}

std::string expected_for(char arrow, int32_t pad) {
    const std::string fill(static_cast<size_t>(pad), ' ');
    switch (arrow) {
        case '<':
            return "ab" + fill;
        case '>':
            return fill + "ab";
        default:
            return fill.substr(0, static_cast<size_t>(pad / 2)) + "ab" +
                   fill.substr(0, static_cast<size_t>(pad - pad / 2));
    }
}

// The seventeen patterns as the settings pictures show them: the header row
// (first column, other columns), then the other rows. < left, > right, = centred.
struct Pattern {
    char letter;
    const char* headerRow;
    const char* otherRows;
};
const Pattern kPatterns[] = {
    {'A', "<<", "<<"}, {'B', ">>", ">>"}, {'C', "==", "=="}, {'D', "<<", ">>"}, {'E', "<<", "=="},
    {'F', "==", "<<"}, {'G', "==", ">>"}, {'H', "<>", "<>"}, {'I', "<=", "<="}, {'J', "=<", "=<"},
    {'K', "=>", "=>"}, {'L', "<<", "<>"}, {'M', "<<", "<="}, {'N', "==", "=<"}, {'O', "==", "=>"},
    {'P', "<=", "<<"}, {'Q', "<=", "<>"},
};

TEST(CellPlacement, EveryPatternPlacesEachQuarterOfTheTable) {
    for (const Pattern& p : kPatterns) {
        const int32_t type = p.letter - 'A' + 1;
        for (int32_t pad : {0, 1, 4, 5}) {
            for (int32_t row : {0, 1, 7}) {
                for (int32_t col : {0, 1, 3}) {
                    const char* rowPattern = row == 0 ? p.headerRow : p.otherRows;
                    const char arrow = rowPattern[col == 0 ? 0 : 1];
                    EXPECT_EQ(place(type, pad, row, col), expected_for(arrow, pad))
                        << "type " << p.letter << " pad " << pad << " row " << row << " col "
                        << col;
                }
            }
        }
    }
}

TEST(CellPlacement, CentringPutsTheOddSpaceAfterTheText) {
    struct Case {
        int32_t pad;
        const char* expected;
    };
    for (const Case& c : {Case{5, "  ab   "}, Case{1, "ab "}, Case{0, "ab"}, Case{2, " ab "}}) {
        EXPECT_EQ(place(3, c.pad, 1, 1), c.expected);
    }
}

TEST(CellPlacement, SpacesAppendAtTheRunningLength) {
    char out[16] = "abc";
    int32_t pos = 3;
    ft_put_spaces(out, 0, pos);
    EXPECT_EQ(pos, 3);
    EXPECT_STREQ(out, "abc");
    ft_put_spaces(out, 4, pos);
    EXPECT_EQ(pos, 7);
    EXPECT_STREQ(out, "abc    ");
}

TEST(CellPlacement, TwoByteTextIsCopiedUnchanged) {
    char out[16] = {};
    int32_t pos = 0;
    ft_put_cell(2, out, "\x83\x7C", 2, 2, 1, 1, pos);
    EXPECT_STREQ(out, "  \x83\x7C");
}
}  // namespace
