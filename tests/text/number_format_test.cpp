// Numbers written anew and empty cells filled: the digit rules case by case,
// and the stage's place between sorting and turning on every path.
#include "text/shape/number_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/cp932_codec.h"
#include "text/frame_text.h"
#include "text/shape/cell_text.h"

namespace {

struct FormatCase {
    const char* text;
    const char* style;
    const char* expected;  // nullptr: left as it is
};

TEST(NumberFormat, RewritesWhatTheSortRuleCallsANumber) {
    const FormatCase cases[] = {
        // Grouping, regrouping, signs and leading zeros.
        {"1234567", "g", "1,234,567"},
        {"123", "g", "123"},
        {"1,234,567", "g", "1,234,567"},
        {"0,001", "g", "1"},
        {"-1234", "g", "-1,234"},
        {"+1234.50", "g", "+1,234.50"},
        {"0001234", "g", "1,234"},
        {"000", "g", "0"},
        {"-0", "g", "-0"},
        {".5", "g", "0.5"},
        {"5.", "g", "5."},
        {"123456789012345678901234567890", "g", "123,456,789,012,345,678,901,234,567,890"},
        // Half to even on the digits, and what rounds to zero keeps its sign.
        {"2.5", ".0", "2"},
        {"3.5", ".0", "4"},
        {"2.50001", ".0", "3"},
        {"0.125", ".2", "0.12"},
        {"0.135", ".2", "0.14"},
        {"0.1251", ".2", "0.13"},
        {"-0.004", ".2", "-0.00"},
        {"-2.5", ".0", "-2"},
        {"9.995", ".2", "10.00"},
        {"999999.5", "g.0", "1,000,000"},
        {"1.5", ".3", "1.500"},
        {"7", ".2", "7.00"},
        {".005", ".2", "0.00"},
        {".015", ".2", "0.02"},
        {"99999999999999999999999.99999999999999999999", ".19",
         "100000000000000000000000.0000000000000000000"},
        {"1,234.5678", "g.2", "1,234.57"},
        // Not numbers: left alone whatever the style.
        {"1,2,3", "g", nullptr},
        {"12,34", "g", nullptr},
        {"1234,567", "g", nullptr},
        {"1,234,56", "g", nullptr},
        {"1,,234", "g", nullptr},
        {",123", "g", nullptr},
        {"1e5", "g", nullptr},
        {"1.5E-3", ".2", nullptr},
        {"-", ".2", nullptr},
        {".", ".2", nullptr},
        {"1.2.3", ".2", nullptr},
        {" 12", "g", nullptr},
        {"0x1F", "g", nullptr},
        {"", ".2", nullptr},
        {"１２３", "g", nullptr},  // fullwidth digits are text
        // As is.
        {"1234.5", "-", nullptr},
    };
    for (const FormatCase& c : cases) {
        const std::optional<std::vector<NumberStyle>> styles = number_styles(c.style);
        ASSERT_TRUE(styles) << c.style;
        const std::optional<std::string> got =
            formatted_number(c.text, styles->front(), NumberMarks{});
        if (c.expected == nullptr) {
            EXPECT_FALSE(got) << c.text << " " << c.style << " gave " << got.value_or("");
        } else {
            EXPECT_EQ(got.value_or("(as is)"), c.expected) << c.text << " " << c.style;
        }
    }
}

TEST(NumberFormat, OtherMarksGroupAndPoint) {
    struct MarkCase {
        const char* text;
        const char* group;
        char point;
        const char* expected;
    };
    const MarkCase cases[] = {
        {"1234567.891", "\xE2\x80\x89", '.',
         "1\xE2\x80\x89"
         "234\xE2\x80\x89"
         "567.89"},
        {"1234567.891", "'", '.', "1'234'567.89"},
        {"-1234567.891", ".", ',', "-1.234.567,89"},
    };
    for (const MarkCase& c : cases) {
        EXPECT_EQ(formatted_number(c.text, NumberStyle{true, 2}, NumberMarks{c.group, c.point}),
                  std::optional<std::string>(c.expected));
    }
}

TEST(NumberFormat, ValuesASetterTakesAndRefuses) {
    struct Valid {
        const char* value;
        bool number;
        bool group;
        bool missing;
    };
    const Valid cases[] = {
        {"g", true, true, true},
        {"-", true, false, true},
        {"g,.2,-,g.0", true, false, true},
        {".20", true, false, true},
        {".21", false, false, true},
        {".", false, true, true},
        {"g.", false, false, true},
        {"g,", false, false, true},
        {",g", false, false, true},
        {"G", false, true, true},
        {"..2", false, false, true},
        {".2g", false, false, true},
        {"5", false, false, true},
        {"+", false, false, true},
        {"'", false, true, true},
        {" ", false, true, true},
        {"\xE2\x80\x89", false, true, true},  // thin space
        {",,", false, false, true},
        {"\xE2\x80", false, false, false},  // cut short
        {"\t", false, false, false},
        {"n/a", false, false, true},
        {"a\nb", false, false, false},
    };
    for (const Valid& c : cases) {
        EXPECT_EQ(number_list_valid(c.value), c.number) << c.value;
        EXPECT_EQ(group_char_valid(c.value), c.group) << c.value;
        EXPECT_EQ(missing_text_valid(c.value), c.missing) << c.value;
    }
}

FrameRequest csv_to_csv(std::string_view text) {
    FrameRequest request;
    request.text = text;
    request.from = TableFormat::Csv;
    request.to = TableFormat::Csv;
    return request;
}

TEST(CellText, SortSeesCellsAsReadAndTheHeaderStays) {
    // 2.5 and 2.4 both become 2 but keep the order their values give;
    // rounding first would leave them as they came.
    FrameRequest request = csv_to_csv("1234,n\n2.5,a\n,b\n2.4,c\n1234.5,\n");
    request.shape.sort = "1:n";
    request.cellText.number = "g.0";
    request.cellText.missing = "?";
    EXPECT_EQ(frame_text(request).text, "1234,n\n2,c\n2,a\n\"1,234\",?\n?,b\n");
}

TEST(CellText, TurnsAfterFormattingSoTheHeaderRowIsTheFirstRead) {
    FrameRequest request = csv_to_csv("1000,2000\n3000,\n");
    request.cellText.number = "g,g";
    request.cellText.missing = "-";
    request.shape.transpose = true;
    EXPECT_EQ(frame_text(request).text, "1000,\"3,000\"\n2000,-\n");
}

TEST(CellText, MissingFillsOnlyCellsARowHasOrAChosenColumnLacks) {
    FrameRequest request = csv_to_csv("a,b,c\n1\n,,\n");
    request.from = TableFormat::Psv;
    request.text = "a|b|c\n1\n||\n";
    request.to = TableFormat::Json;
    request.header = false;
    request.cellText.missing = "n/a";
    request.jsonNested = JsonNested::Refuse;
    const FrameOutcome ragged = frame_text(request);
    if (ragged.ok()) {
        EXPECT_EQ(ragged.text.find("[\"1\",\"n/a\""), std::string::npos) << ragged.text;
    }
    request.shape.columns = "1-3";
    const FrameOutcome chosen = frame_text(request);
    ASSERT_TRUE(chosen.ok());
    EXPECT_NE(chosen.text.find("[\"1\",\"n/a\",\"n/a\"]"), std::string::npos) << chosen.text;
}

TEST(CellText, Cp932TablesHoldTheMissingTextInTheirCodePage) {
    const std::string table = cp932_encode_utf8("名前,値\n山田,1234.5\n鈴木,\n").bytes;
    FrameRequest request = csv_to_csv(table);
    request.encoding = TextEncoding::Cp932;
    request.cellText.number = "-,g.1";
    request.cellText.missing = "なし";
    const FrameOutcome outcome = frame_text(request);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(cp932_decode_to_utf8(outcome.text), "名前,値\n山田,\"1,234.5\"\n鈴木,なし\n");
    request.cellText.groupChar = "\xE2\x80\x89";  // thin space: no code page 932 form
    const FrameOutcome refused = frame_text(request);
    EXPECT_EQ(refused.refusal.kind, RefusalKind::NotInCp932);
    EXPECT_EQ(refused.refusal.codePoint, 0x2009U);
}

TEST(CellText, DecimalColumnsStillLineUpOnThePoint) {
    FrameRequest request;
    request.text = "x\n1234.5\n-2\n1000000.125\n";
    request.cellText.number = "g.2";
    request.fit.align = {ColumnAlign::Decimal};
    const FrameOutcome outcome = frame_text(request);
    ASSERT_TRUE(outcome.ok());
    std::vector<size_t> points;
    size_t start = 0;
    while (start < outcome.text.size()) {
        const size_t end = outcome.text.find('\n', start);
        const std::string line = outcome.text.substr(start, end - start);
        if (line.find('.') != std::string::npos) {
            points.push_back(line.find('.'));
        }
        start = end + 1;
    }
    ASSERT_EQ(points.size(), 3U) << outcome.text;
    EXPECT_EQ(points[0], points[1]) << outcome.text;
    EXPECT_EQ(points[1], points[2]) << outcome.text;
}

// A style list that changes nothing steps the fast paths aside; what they
// draw and what the general path draws must agree.
TEST(CellText, AsIsStylesDrawWhatTheFastPathsDraw) {
    std::mt19937 random(35);
    const char* pieces[] = {"1", "-2.50", "abc", "", "1,234", "x y", "0.005", "名"};
    const TableFormat formats[] = {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv};
    for (int round = 0; round < 300; ++round) {
        const size_t columns = 1 + random() % 4;
        const size_t rows = 1 + random() % 5;
        const TableFormat from = formats[random() % 3];
        const char separator = from == TableFormat::Psv   ? '|'
                               : from == TableFormat::Csv ? ','
                                                          : '\t';
        std::string text;
        for (size_t row = 0; row < rows; ++row) {
            for (size_t column = 0; column < columns; ++column) {
                const char* piece = pieces[random() % 8];
                const bool quoted =
                    from == TableFormat::Csv && std::string(piece).find(',') != std::string::npos;
                text += (column > 0 ? std::string(1, separator) : std::string()) +
                        (quoted ? "\"" + std::string(piece) + "\"" : std::string(piece));
            }
            text += "\n";
        }
        FrameRequest plain;
        plain.text = text;
        plain.from = from;
        plain.positionType = 1 + static_cast<int32_t>(random() % 17);
        plain.frameType = 1 + static_cast<int32_t>(random() % 6);
        FrameRequest asIs = plain;
        asIs.cellText.number = "-,-";
        const FrameOutcome expected = frame_text(plain);
        const FrameOutcome got = frame_text(asIs);
        ASSERT_EQ(got.refusal.kind, expected.refusal.kind) << text;
        ASSERT_EQ(got.text, expected.text) << text;
    }
}

}  // namespace
