#include "command/cp932_text.h"

#include <gtest/gtest.h>

namespace {

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string from;
    std::string to;
    std::string expected;
};

void PrintTo(const ReplaceCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class Cp932ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(Cp932ReplaceAll, ReplacesAtCharacterBoundariesOnly) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(cp932_replace_all(c.text, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932ReplaceAll,
    ::testing::Values(ReplaceCase{"plain", "a|b|c", "|", "/", "a/b/c"},
                      ReplaceCase{"no_match", "abc", "x", "y", "abc"},
                      ReplaceCase{"second_byte_of_po_is_not_a_match", "\x83|\x83||", "|", "/",
                                  "\x83|\x83|/"},
                      ReplaceCase{"lead_byte_swallows_tab", "\x81\t\t", "\t", "|", "\x81\t|"},
                      ReplaceCase{"high_lead_byte_fc", "\xFC|x|", "|", "/", "\xFC|x/"},
                      ReplaceCase{"f0_is_a_lead_byte_here", "\xF0||", "|", "/", "\xF0|/"},
                      ReplaceCase{"katakana_is_single_byte", "\xB1|", "|", "/", "\xB1/"},
                      ReplaceCase{"lone_lead_byte_at_end", "a\x81", "\x81", "X", "aX"},
                      ReplaceCase{"inserted_text_not_searched_again", "aa", "a", "aa", "aaaa"},
                      ReplaceCase{"matches_do_not_overlap", "aaa", "aa", "b", "ba"},
                      ReplaceCase{"match_may_start_after_pair", "\x84\xAD\n", "\x84\xAD\n",
                                  "\x84\xAD\r\n", "\x84\xAD\r\n"},
                      ReplaceCase{"match_inside_pair_is_skipped", "\x81\x84\xAD\n", "\x84\xAD\n",
                                  "!", "\x81\x84\xAD\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
