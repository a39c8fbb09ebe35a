// The page's cluster layout, whose shortcut for box pieces and Japanese
// letters must give what segmenting every cluster gives.
#include "web/page_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/text_rules.h"
#include "text/unicode/display_width.h"

namespace {

// The layout by plain segmentation: every cluster that is not one ASCII
// character between ASCII ones goes through next_grapheme.
std::vector<uint32_t> segmented(std::string_view text, WidthModel model) {
    std::vector<uint32_t> triples;
    uint32_t offset = 0;
    for (size_t at = 0; at < text.size();) {
        if (static_cast<uint8_t>(text[at]) < 0x80 &&
            (at + 1 == text.size() || static_cast<uint8_t>(text[at + 1]) < 0x80)) {
            ++at;
            ++offset;
            continue;
        }
        const Grapheme cluster = next_grapheme(text, at, model);
        uint32_t units = 0;
        bool ascii = true;
        for (size_t index = at; index < cluster.end; ++index) {
            const auto byte = static_cast<uint8_t>(text[index]);
            units += text_rules::is_utf8_continuation(byte) ? 0 : byte >= 0xF0 ? 2 : 1;
            ascii = ascii && byte < 0x80;
        }
        if (!ascii) {
            triples.insert(triples.end(), {offset, units, static_cast<uint32_t>(cluster.width)});
        }
        offset += units;
        at = cluster.end;
    }
    return triples;
}

// Pieces of frames and what may follow a character and join it: marks,
// sound marks, joiners, variation selectors, colour sequences, line ends.
const std::vector<std::string> kPieces = {
    "a",  " ",  "|",  "\n",           "\r\n", "─", "│", "┼",  "╋",        "═",       "╬",
    "あ", "ゖ", "ア", "ヺ",           "ー",   "ｶ", "ﾞ", "一", "鿿",      "漢",      "①",
    "é",  "́",   "゙",   "‍",          "️",  "😀", "🇯", "🇵",  "\x1b[31m", "\x1b[0m", "㐀",
    "〜", "ヿ", "ゟ", "\xE2\x95\xBF",
};

TEST(PageLayout, ShortcutAgreesWithSegmentingEveryCluster) {
    std::mt19937 next(20261208);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const size_t length = next() % 24;
        for (size_t piece = 0; piece < length; ++piece) {
            text += kPieces[next() % kPieces.size()];
        }
        for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
            std::vector<uint32_t> laid;
            lay_out_clusters(text, model, laid);
            ASSERT_EQ(laid, segmented(text, model)) << text;
        }
    }
}

// UTF-16 code units of valid UTF-8.
uint32_t utf16_units(std::string_view text) {
    uint32_t units = 0;
    for (const char byte : text) {
        const auto value = static_cast<uint8_t>(byte);
        units += text_rules::is_utf8_continuation(value) ? 0 : value >= 0xF0 ? 2 : 1;
    }
    return units;
}

// The page lays out only the lines in sight of a long frame: any run of
// whole lines laid out alone gives the whole text's triples for it, moved.
TEST(PageLayout, LinesLaidOutAloneAgreeWithTheWhole) {
    std::mt19937 next(20261209);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t length = next() % 40;
        for (size_t piece = 0; piece < length; ++piece) {
            text += kPieces[next() % kPieces.size()];
        }
        std::vector<size_t> starts = {0};
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
            starts.push_back(at + 1);
        }
        starts.push_back(text.size());
        for (WidthModel model : {WidthModel::Narrow, WidthModel::Wide}) {
            std::vector<uint32_t> whole;
            lay_out_clusters(text, model, whole);
            const size_t first = next() % (starts.size() - 1);
            const size_t last = first + 1 + next() % (starts.size() - 1 - first);
            const std::string_view lines =
                std::string_view(text).substr(starts[first], starts[last] - starts[first]);
            const uint32_t from = utf16_units(std::string_view(text).substr(0, starts[first]));
            const uint32_t to = from + utf16_units(lines);
            std::vector<uint32_t> expected;
            for (size_t at = 0; at < whole.size(); at += 3) {
                if (whole[at] >= from && whole[at] < to) {
                    expected.insert(expected.end(),
                                    {whole[at] - from, whole[at + 1], whole[at + 2]});
                }
            }
            std::vector<uint32_t> alone;
            lay_out_clusters(lines, model, alone);
            ASSERT_EQ(alone, expected) << text;
        }
    }
}

}  // namespace
