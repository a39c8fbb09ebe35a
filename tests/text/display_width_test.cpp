#include "text/unicode/display_width.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "random_text.h"
#include "text/unicode/code_point_props.h"

namespace {

std::string utf8(std::initializer_list<uint32_t> cps) {
    std::string text;
    for (uint32_t cp : cps) {
        append_utf8(text, cp);
    }
    return text;
}

struct WidthCase {
    const char* name;
    std::string text;
    int64_t narrow;
    int64_t wide;
};

void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << c.name;
}

class DisplayWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidth, CountsEachClusterOnceInBothModels) {
    const WidthCase& c = GetParam();
    EXPECT_EQ(display_width(c.text, WidthModel::Narrow), c.narrow);
    EXPECT_EQ(display_width(c.text, WidthModel::Wide), c.wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayWidth,
    ::testing::Values(
        WidthCase{"empty", "", 0, 0}, WidthCase{"ascii", "Hello, world! 0123456789~", 25, 25},
        WidthCase{"e_acute_is_ambiguous", utf8({0xE9}), 1, 2},
        WidthCase{"broken_bar_is_narrow", utf8({0xA6}), 1, 1},
        WidthCase{"wave_dash", utf8({0x301C}), 2, 2},
        WidthCase{"halfwidth_ka_with_voiced_mark_is_two_halves", utf8({0xFF76, 0xFF9E}), 2, 2},
        WidthCase{"kanji_then_halfwidth_semi_voiced_mark", utf8({0x4E8C, 0xFF9F}), 3, 3},
        WidthCase{"minus_sign_is_neutral", utf8({0x2212}), 1, 1},
        WidthCase{"grinning_face", utf8({0x1F600}), 2, 2},
        WidthCase{"family_zwj_sequence", utf8({0x1F469, 0x200D, 0x1F469, 0x200D, 0x1F467}), 2, 2},
        WidthCase{"flag_pair", utf8({0x1F1EF, 0x1F1F5}), 2, 2},
        WidthCase{"e_and_combining_acute", utf8({'e', 0x301}), 1, 1},
        WidthCase{"circled_alpha_zhe_plusminus_section", utf8({0x2460, 0x3B1, 0x416, 0xB1, 0xA7}),
                  5, 10},
        WidthCase{"box_drawing", utf8({0x2500, 0x2503, 0x250F}), 3, 6},
        WidthCase{"cjk", utf8({0x6F22}), 2, 2}, WidthCase{"fullwidth_a", utf8({0xFF21}), 2, 2},
        WidthCase{"halfwidth_katakana", utf8({0xFF71}), 1, 1},
        WidthCase{"heart_text", utf8({0x2764}), 1, 1},
        WidthCase{"heart_emoji", utf8({0x2764, 0xFE0F}), 2, 2},
        WidthCase{"spade_text_is_ambiguous", utf8({0x2660}), 1, 2},
        WidthCase{"spade_emoji_is_not", utf8({0x2660, 0xFE0F}), 2, 2},
        WidthCase{"selector_16_later_is_no_emoji", utf8({0x2764, 0x301, 0xFE0F}), 1, 1},
        WidthCase{"hangul_syllable", utf8({0xD55C}), 2, 2},
        WidthCase{"conjoining_jamo_l_v_t", utf8({0x1112, 0x1161, 0x11AB}), 2, 2},
        WidthCase{"zwj_alone", utf8({0x200D}), 0, 0},
        WidthCase{"zero_width_space", utf8({0x200B}), 0, 0},
        WidthCase{"variation_selector_after_cjk", utf8({0x845B, 0xE0100}), 2, 2},
        WidthCase{"lone_regional_indicator", utf8({0x1F1EF}), 1, 1},
        WidthCase{"three_regional_indicators", utf8({0x1F1EF, 0x1F1F5, 0x1F1FA}), 3, 3},
        WidthCase{"zwj_after_letter_joins_nothing", "a" + utf8({0x200D, 0x1F600}), 3, 3},
        WidthCase{"skin_tone_modifier", utf8({0x1F44D, 0x1F3FD}), 2, 2},
        WidthCase{"prepend_takes_the_ascii_after_it", utf8({0x600}) + "ab", 2, 2},
        WidthCase{"mark_after_long_ascii_run", "abcdefghijklmnopq" + utf8({0x301}) + "r", 18, 18},
        WidthCase{"ambiguous_mark_is_zero", "x" + utf8({0x300, 0xFE00}), 1, 1},
        WidthCase{"mixed", "ab" + utf8({0x6F22, 0x2500}) + "cd", 7, 8}));

TEST(CodePointWidth, FollowsTheClassOfTheCharacterAlone) {
    struct Case {
        uint32_t cp;
        int narrow;
        int wide;
        bool ambiguous;
    };
    for (const Case& c :
         {Case{'a', 1, 1, false}, Case{0x3B1, 1, 2, true}, Case{0x2503, 1, 2, true},
          Case{0x6F22, 2, 2, false}, Case{0x1F600, 2, 2, false}, Case{0x301, 0, 0, false},
          Case{0xFE0F, 0, 0, false}, Case{0xE0001, 0, 0, false},
          Case{0x3400 + 0x19C0 - 1, 2, 2, false},  // unassigned, defaults to W
          Case{0xF0000, 1, 2, true}, Case{0xFF71, 1, 1, false}}) {
        EXPECT_EQ(code_point_width(c.cp, WidthModel::Narrow), c.narrow) << std::hex << c.cp;
        EXPECT_EQ(code_point_width(c.cp, WidthModel::Wide), c.wide) << std::hex << c.cp;
        EXPECT_EQ(is_east_asian_ambiguous(c.cp), c.ambiguous) << std::hex << c.cp;
    }
}

// The width of a cluster told from its code points, without the break rules.
bool shown_as_emoji(const std::vector<uint32_t>& cps) {
    CodePointProps first = code_point_props(cps[0]);
    bool regionalIndicator = first.grapheme_break() == GraphemeBreak::RegionalIndicator;
    if ((first.emoji_presentation() && !regionalIndicator) ||
        (first.extended_pictographic() && cps.size() > 1 && cps[1] == 0xFE0F)) {
        return true;
    }
    int regionalIndicators = 0;
    for (size_t i = 0; i < cps.size(); ++i) {
        CodePointProps props = code_point_props(cps[i]);
        regionalIndicators += props.grapheme_break() == GraphemeBreak::RegionalIndicator;
        if (i > 0 && cps[i - 1] == 0x200D && props.extended_pictographic()) {
            return true;
        }
    }
    return regionalIndicators == 2;
}

TEST(DisplayWidthProperty, IsTheSumOfItsClustersAndWideAddsOnePerAmbiguousCluster) {
    RandomText random(20240611, false);
    for (int round = 0; round < 20000; ++round) {
        std::string text = random.next(14);
        int64_t narrowSum = 0;
        int64_t wideSum = 0;
        int64_t ambiguousClusters = 0;
        for (size_t at = 0; at < text.size();) {
            Grapheme narrow = next_grapheme(text, at, WidthModel::Narrow);
            Grapheme wide = next_grapheme(text, at, WidthModel::Wide);
            ASSERT_GT(narrow.end, at);
            ASSERT_EQ(narrow.end, wide.end);
            std::vector<uint32_t> cps = decode_all(text.substr(at, narrow.end - at));
            ambiguousClusters += is_east_asian_ambiguous(cps[0]) && !shown_as_emoji(cps);
            if (shown_as_emoji(cps)) {
                EXPECT_EQ(narrow.width, 2);
            }
            narrowSum += narrow.width;
            wideSum += wide.width;
            at = narrow.end;
        }
        ASSERT_EQ(display_width(text, WidthModel::Narrow), narrowSum) << text;
        ASSERT_EQ(display_width(text, WidthModel::Wide), wideSum) << text;
        ASSERT_EQ(wideSum - narrowSum, ambiguousClusters) << text;
    }
}

}  // namespace
