#include "command/tab_conversion.h"

#include <gtest/gtest.h>

#include "command/cp932_text.h"
#include "frame_oracle.h"
#include "random_cp932.h"

namespace {

struct ConversionCase {
    const char* name;
    std::string input;
    std::string converted;
};

void PrintTo(const ConversionCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class TabConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(TabConversion, GivesConvertedText) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(convert_tabs(c.input), c.converted);
    EXPECT_EQ(four_step_tab_conversion(c.input), c.converted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabConversion,
    ::testing::Values(ConversionCase{"no_tab", "A|B\r\nC|D", "A|B\r\nC|D"},
                      ConversionCase{"two_rows", "A\tB\r\nC\tD\r\n", "A|B\r\nC|D\r\n"},
                      ConversionCase{"first_byte_tab", "\tA\tB", "||A|B"},
                      ConversionCase{"tab_opens_later_line", "A\tB\r\n\tC", "A|B\r\n||C"},
                      ConversionCase{"tab_before_crlf", "A\t\r\nB\tC", "A||\r\nB|C"},
                      ConversionCase{"tab_at_very_end", "A\tB\r\nC\t", "A|B\r\nC|"},
                      ConversionCase{"lone_tab_line", "\t\r\n\t", "|||\r\n||"},
                      ConversionCase{"tab_after_lone_lf", "A\n\tB", "A\n|B"},
                      ConversionCase{"tab_after_lone_cr", "A\r\tB", "A\r|B"},
                      ConversionCase{"tab_before_lone_cr", "A\t\rB", "A|\rB"},
                      ConversionCase{"two_byte_cells", "\x83|\t\x8A\xBF", "\x83||\x8A\xBF"},
                      // A lead byte right before CR, LF or TAB takes it as its second byte.
                      ConversionCase{"lead_byte_takes_tab", "\x81\tA\tB", "\x81\tA|B"},
                      ConversionCase{"lead_byte_takes_cr", "A\x81\r\n\tB", "A\x81\r\n|B"},
                      ConversionCase{"lead_byte_before_tab_crlf", "A\xFC\t\r\nB", "A\xFC\t\r\nB"},
                      ConversionCase{"lead_pair_then_tab", "\x81\x81\t\r\nB", "\x81\x81||\r\nB"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(TabConversionProperty, EqualsFourStepsOnRandomText) {
    std::mt19937 random(20261207);
    const std::vector<std::string_view> pieces = {"\t",   "\r",   "\n",   "\r\n", "|",   "A",
                                                  "\x81", "\x83", "\xFC", "\xA1", "\x7C"};
    for (int round = 0; round < 20000; ++round) {
        std::string text = random_text(random, pieces, 12);
        ASSERT_EQ(convert_tabs(text), four_step_tab_conversion(text))
            << ::testing::PrintToString(text);
    }
}

}  // namespace
