// The frames of every style, byte for byte, for the tables users meet most.
#include <gtest/gtest.h>

#include <cctype>

#include "core/frame_core.h"
#include "test_support.h"

namespace {
const std::vector<std::string> kOrder = {"No|Item|Qty", "1|pen|10", "2|notebook|5"};

struct FrameCase {
    const char* name;
    std::vector<std::string> lines;
    int32_t frameType;
    int32_t positionType;
    const char* expected;  // box characters as UTF-8, turned into code page 932
};

class FrameStyles : public testing::TestWithParam<FrameCase> {};

TEST_P(FrameStyles, DrawsTheFrameByteForByte) {
    const FrameCase& c = GetParam();
    Rendered r = frame_of(c.lines, c.frameType, c.positionType);
    ASSERT_EQ(r.result, FT_OK);
    EXPECT_EQ(r.text, sjis(c.expected));
}

const FrameCase kFrames[] = {
    {"order_type1", kOrder, 1, 1,
     "┏━┳━━━━┳━━┓\n┃No┃Item    ┃Qty ┃\n┣━╋━━━━╋━━┫\n┃1 ┃pen     ┃10  ┃\n"
     "┣━╋━━━━╋━━┫\n┃2 ┃notebook┃5   ┃\n┗━┻━━━━┻━━┛\n"},
    {"order_type2", kOrder, 2, 1,
     "┌─┬────┬──┐\n│No│Item    │Qty │\n├─┼────┼──┤\n│1 │pen     │10  │\n"
     "├─┼────┼──┤\n│2 │notebook│5   │\n└─┴────┴──┘\n"},
    {"order_type3", kOrder, 3, 1,
     "┏━┯━━━━┯━━┓\n┃No│Item    │Qty ┃\n┣━┿━━━━┿━━┫\n┃1 │pen     │10  ┃\n"
     "┠─┼────┼──┨\n┃2 │notebook│5   ┃\n┗━┷━━━━┷━━┛\n"},
    {"order_type4", kOrder, 4, 1,
     "┏━┳━━━━┯━━┓\n┃No┃Item    │Qty ┃\n┠─╂────┼──┨\n┃1 ┃pen     │10  ┃\n"
     "┠─╂────┼──┨\n┃2 ┃notebook│5   ┃\n┗━┻━━━━┷━━┛\n"},
    {"order_type5", kOrder, 5, 1,
     "┏━┳━━━━┯━━┓\n┃No┃Item    │Qty ┃\n┣━╋━━━━┿━━┫\n┃1 ┃pen     │10  ┃\n"
     "┠─╂────┼──┨\n┃2 ┃notebook│5   ┃\n┗━┻━━━━┷━━┛\n"},
    {"ascii_type_h",
     {"Item|Qty", "pen|12", "ink|3"},
     6,
     8,
     "+----+---+\n|Item|Qty|\n+----+---+\n|pen | 12|\n+----+---+\n|ink |  3|\n+----+---+\n"},
    {"one_cell_type1", {"ab"}, 1, 1, "┏━┓\n┃ab┃\n┗━┛\n"},
    {"one_cell_type2", {"ab"}, 2, 1, "┌─┐\n│ab│\n└─┘\n"},
    {"one_cell_type3", {"ab"}, 3, 1, "┏━┓\n┃ab┃\n┗━┛\n"},
    {"one_cell_type4", {"ab"}, 4, 1, "┏━┓\n┃ab┃\n┗━┛\n"},
    {"one_cell_type5", {"ab"}, 5, 1, "┏━┓\n┃ab┃\n┗━┛\n"},
    {"one_row_type3", {"abc|d"}, 3, 1, "┏━━┯━┓\n┃abc │d ┃\n┗━━┷━┛\n"},
    {"one_row_type4", {"abc|d"}, 4, 1, "┏━━┳━┓\n┃abc ┃d ┃\n┗━━┻━┛\n"},
    {"one_row_type5", {"abc|d"}, 5, 1, "┏━━┳━┓\n┃abc ┃d ┃\n┗━━┻━┛\n"},
    {"one_column_type4", {"a", "bb", ""}, 4, 1, "┏━┓\n┃a ┃\n┠─┨\n┃bb┃\n┠─┨\n┃  ┃\n┗━┛\n"},
    {"one_column_type5", {"a", "bb", ""}, 5, 1, "┏━┓\n┃a ┃\n┣━┫\n┃bb┃\n┠─┨\n┃  ┃\n┗━┛\n"},
    {"two_rows_type3_heavy_header_only",
     {"a|b", "c|d"},
     3,
     1,
     "┏━┯━┓\n┃a │b ┃\n┣━┿━┫\n┃c │d ┃\n┗━┷━┛\n"},
    {"empty_column_box", {"a||b"}, 2, 1, "┌─┬─┬─┐\n│a │  │b │\n└─┴─┴─┘\n"},
    {"empty_column_ascii", {"a||b"}, 6, 1, "+-++-+\n|a||b|\n+-++-+\n"},
    {"one_empty_cell_ascii", {""}, 6, 1, "++\n||\n++\n"},
    {"odd_width_stays_in_ascii", {"abc", "d"}, 6, 3, "+---+\n|abc|\n+---+\n| d |\n+---+\n"},
    {"centred_ascii_odd_fill", {"abc", "xy"}, 6, 3, "+---+\n|abc|\n+---+\n|xy |\n+---+\n"},
    {"four_columns_type4_later_junctions",
     {"a|b|c|d", "e|f|g|h"},
     4,
     1,
     "┏━┳━┯━┯━┓\n┃a ┃b │c │d ┃\n┠─╂─┼─┼─┨\n┃e ┃f │g │h ┃\n┗━┻━┷━┷━┛\n"},
    {"four_rows_type5_inner_rules_repeat",
     {"h", "a", "b", "c"},
     5,
     2,
     "┏━┓\n┃ h┃\n┣━┫\n┃ a┃\n┠─┨\n┃ b┃\n┠─┨\n┃ c┃\n┗━┛\n"},
};

INSTANTIATE_TEST_SUITE_P(Examples, FrameStyles, testing::ValuesIn(kFrames),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Two-byte characters count two towards the width and travel unchanged.
TEST(FrameStyles, TwoByteTextIsCopiedWholeAndWidensItsColumn) {
    const std::string po = "\x83\x7C";        // a two-byte character ending in 0x7C
    const std::string halfKana = "\xB1\xB2";  // two half-width katakana, one byte each
    Rendered r = frame_of({po + "|" + halfKana, "a|b"}, 6, 1);
    ASSERT_EQ(r.result, FT_OK);
    EXPECT_EQ(r.text, "+--+--+\n|" + po + "|" + halfKana + "|\n+--+--+\n|a |b |\n+--+--+\n");
}

// All seventeen position types leave rules, borders and line ends alone.
TEST(FrameStyles, PositionTypeMovesOnlyTheFillSpaces) {
    for (int32_t frameType = 1; frameType <= 6; ++frameType) {
        std::string reference;
        for (int32_t position = 1; position <= 17; ++position) {
            Rendered r = frame_of(kOrder, frameType, position);
            ASSERT_EQ(r.result, FT_OK);
            std::string shape = r.text;
            for (char& ch : shape) {
                if (ch == ' ' || std::isalnum(static_cast<unsigned char>(ch))) {
                    ch = '.';
                }
            }
            if (position == 1) {
                reference = shape;
            }
            EXPECT_EQ(shape, reference) << "frame " << frameType << " position " << position;
        }
    }
}
}  // namespace
