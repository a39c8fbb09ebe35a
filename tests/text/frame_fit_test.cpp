// Fixed cases of fitting: how columns give way to a width, which numbers line
// up on their point, and the frames that cannot fit.
#include <gtest/gtest.h>

#include "text/frame_text.h"
#include "text/layout/column_widths.h"
#include "text/layout/decimal_column.h"

namespace {

struct WidthCase {
    const char* name;
    std::vector<ColumnNeed> needs;
    FrameGeometry geometry;
    int32_t width;
    std::vector<int32_t> limits;  // empty: refused
    int64_t fewest = 0;
};

constexpr FrameGeometry kAscii3{4, 0, false};  // three columns of ASCII borders
constexpr FrameGeometry kAscii2{3, 0, false};
constexpr FrameGeometry kWide3{8, 0, true};  // box pieces two columns wide

TEST(ColumnWidths, WidestGiveWayFirst) {
    const WidthCase cases[] = {
        {"fits_as_it_is", {{10, 1}, {3, 1}}, kAscii2, 16, {10, 3}},
        {"no_limit", {{10, 1}, {3, 1}}, kAscii2, 0, {10, 3}},
        {"narrow_keeps_natural", {{10, 1}, {3, 1}, {20, 1}}, kAscii3, 23, {8, 3, 8}},
        {"level_in_even_areas", {{10, 1}, {3, 1}, {20, 1}}, kWide3, 28, {8, 3, 8}},
        {"odd_level_rounds_to_even_areas", {{10, 1}, {10, 1}, {1, 1}}, kWide3, 25, {8, 6, 1}},
        {"slack_goes_left_first", {{10, 1}, {10, 1}}, kAscii2, 18, {8, 7}},
        {"minimum_holds", {{10, 6}, {10, 1}}, kAscii2, 13, {6, 4}},
        {"padding_counts", {{10, 1}, {10, 1}}, {3, 1, false}, 17, {5, 5}},
        {"too_narrow", {{10, 6}, {10, 6}}, kAscii2, 14, {}, 15},
        {"too_narrow_even", {{5, 3}, {0, 0}}, kAscii2, 3, {}, 6},
    };
    for (const WidthCase& c : cases) {
        const ColumnFit fit = fit_columns(c.needs, c.geometry, c.width);
        EXPECT_EQ(fit.fits, !c.limits.empty()) << c.name;
        if (fit.fits) {
            EXPECT_EQ(fit.limits, c.limits) << c.name;
        } else {
            EXPECT_EQ(fit.fewestColumns, c.fewest) << c.name;
        }
    }
}

TEST(DecimalColumn, NumbersAndTheirParts) {
    struct Case {
        const char* text;
        bool number;
        int32_t whole;
        int32_t fraction;
    };
    const Case cases[] = {
        {"1.5", true, 1, 2},    {"12.25", true, 2, 3},   {"100", true, 3, 0},
        {"-0.125", true, 2, 4}, {"1,234.5", true, 5, 2}, {"+7", true, 2, 0},
        {".5", true, 0, 2},     {"3.", true, 1, 1},      {"", false, 0, 0},
        {"-", false, 0, 0},     {".", false, 0, 0},      {"1.2.3", false, 0, 0},
        {",1", false, 0, 0},    {"1,", false, 0, 0},     {"1,,2", false, 0, 0},
        {"1 000", false, 0, 0}, {"n/a", false, 0, 0},    {"1e5", false, 0, 0},
    };
    for (const Case& c : cases) {
        const DecimalParts parts = decimal_parts(c.text);
        EXPECT_EQ(parts.number, c.number) << c.text;
        if (c.number) {
            EXPECT_EQ(parts.whole, c.whole) << c.text;
            EXPECT_EQ(parts.fraction, c.fraction) << c.text;
        }
    }
}

struct FrameCase {
    const char* name;
    std::string input;
    FrameRequest request;
    std::string frame;
};

FrameRequest ascii(std::vector<ColumnAlign> align, int32_t width = 0, int32_t padding = 0) {
    FrameRequest request;
    request.frameType = 6;
    request.align = std::move(align);
    request.width = width;
    request.padding = padding;
    return request;
}

TEST(FrameFit, DrawsAsAsked) {
    constexpr ColumnAlign D = ColumnAlign::Decimal;
    constexpr ColumnAlign R = ColumnAlign::Right;
    constexpr ColumnAlign P = ColumnAlign::ByPosition;
    const FrameCase cases[] = {
        {"decimal_points_line_up", "n|x\n1.5|a\n12.25|b\n100|c\n-0.125|d\n1,234.5|e\nn/a|f\n",
         ascii({D}),
         "+---------+-+\n|n        |x|\n+---------+-+\n|    1.5  |a|\n+---------+-+\n"
         "|   12.25 |b|\n+---------+-+\n|  100    |c|\n+---------+-+\n|   -0.125|d|\n"
         "+---------+-+\n|1,234.5  |e|\n+---------+-+\n|      n/a|f|\n+---------+-+\n"},
        {"decimal_under_a_wide_header_and_right_after_by_position",
         "amount|x|y\n1.5|a|b\n10|cc|d\n", ascii({D, R, P}),
         "+------+--+-+\n|amount|x |y|\n+------+--+-+\n|   1.5| a|b|\n+------+--+-+\n"
         "|  10  |cc|d|\n+------+--+-+\n"},
        {"padding_and_wrap", "a|long words here\n", ascii({}, 14, 1),
         "+---+-------+\n| a | long  |\n|   | words |\n|   | here  |\n+---+-------+\n"},
    };
    for (const FrameCase& c : cases) {
        FrameRequest request = c.request;
        request.text = c.input;
        const FrameOutcome outcome = frame_text(request);
        ASSERT_TRUE(outcome.ok()) << c.name << ": " << describe_refusal(outcome.refusal);
        EXPECT_EQ(outcome.text, c.frame) << c.name << "\n" << outcome.text;
    }
}

TEST(FrameFit, RefusesWhatCannotFit) {
    struct Case {
        const char* name;
        FrameRequest request;
        RefusalKind kind;
        int64_t found;
        int64_t limit;
    };
    FrameRequest boxWide;
    boxWide.widthModel = WidthModel::Wide;
    boxWide.width = 9;
    FrameRequest asciiNarrow = ascii({}, 4);
    FrameRequest negativeWidth = ascii({}, -1);
    FrameRequest negativeCell = ascii({});
    negativeCell.cellWidths = {3, -2};
    FrameRequest negativePadding = ascii({}, 0, -1);
    const Case cases[] = {
        {"box_pieces_two_columns_and_areas_at_least_two", boxWide, RefusalKind::FrameTooNarrow, 10,
         9},
        {"one_character_a_column", asciiNarrow, RefusalKind::FrameTooNarrow, 5, 4},
        {"negative_width", negativeWidth, RefusalKind::BadLayout, -1, 0},
        {"negative_cell_width", negativeCell, RefusalKind::BadLayout, -2, 0},
        {"negative_padding", negativePadding, RefusalKind::BadLayout, -1, 0},
    };
    for (const Case& c : cases) {
        FrameRequest request = c.request;
        request.text = "abc|defgh\n";
        const FrameOutcome outcome = frame_text(request);
        EXPECT_EQ(outcome.refusal.kind, c.kind) << c.name;
        EXPECT_EQ(outcome.refusal.found, c.found) << c.name;
        EXPECT_EQ(outcome.refusal.limit, c.limit) << c.name;
        EXPECT_TRUE(outcome.text.empty()) << c.name;
    }
}

}  // namespace
