// Fitting a cell line: random text of words, Japanese, emoji sequences, marks
// and escape sequences, wrapped and truncated to random widths in both width
// models, against what the line-break and cluster functions say on their own.
#include "text/unicode/cell_wrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "random_text.h"
#include "text/unicode/display_width.h"
#include "text/unicode/escape_sequence.h"
#include "text/unicode/line_break.h"

namespace {

const char* const kEllipsis = "\xE2\x80\xA6";

const std::vector<std::string> kPieces = {
    " ",
    " ",
    "  ",
    "-",
    "well-known",
    "a",
    "cell",
    "wrapping",
    "x",
    "1,234.5",
    "(12)",
    "$100",
    "漢",
    "字",
    "東京",
    "あ",
    "い",
    "カ",
    "ナ",
    "ぁ",
    "っ",
    "ゃ",
    "ァ",
    "ッ",
    "ー",
    "、",
    "。",
    "「",
    "」",
    "（",
    "）",
    "！",
    "👩\u200D💻",
    "👨\u200D👩\u200D👧",
    "🇯🇵",
    "👍🏽",
    "e\u0301",
    "\u0301",
    "한국",
    "\x1b[31m",
    "\x1b[0m",
    "\x1b[1;4m",
    "\x1b[38;5;0m",
    "\x1b[m",
    "\x1b]8;;https://example.com/a\x1b\\",
    "\x1b]8;id=7;http://x.test/?q=1;2\x07",
    "\x1b]8;;\x1b\\",
};

// Japanese that may not start a line, and brackets that may not end one.
const std::vector<std::string> kNoLineStart = {"、", "。", "）", "」", "ー", "ぁ",
                                               "っ", "ゃ", "ァ", "ッ", "！"};
const std::vector<std::string> kNoLineEnd = {"「", "（"};

std::string random_text(std::mt19937& rng) {
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 40)(rng);
    std::uniform_int_distribution<size_t> pick(0, kPieces.size() - 1);
    for (int k = 0; k < pieces; ++k) {
        text += kPieces[pick(rng)];
    }
    return text;
}

std::vector<size_t> cluster_boundaries(const std::string& text) {
    std::vector<size_t> boundaries{0};
    for (size_t at = 0; at < text.size();) {
        at = next_grapheme(text, at, WidthModel::Narrow).end;
        boundaries.push_back(at);
    }
    return boundaries;
}

bool contains(const std::vector<size_t>& sorted, size_t value) {
    return std::binary_search(sorted.begin(), sorted.end(), value);
}

bool all_spaces(const std::string& text, size_t from, size_t to) {
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(to),
                       [](char c) { return c == ' '; });
}

size_t past_escapes_and_spaces(const std::string& text, size_t at) {
    while (at < text.size() && (text[at] == ' ' || escape_length_at(text, at) != 0)) {
        at += text[at] == ' ' ? 1 : escape_length_at(text, at);
    }
    return at;
}

// The text from at without escape sequences before it.
std::string_view visible_from(const std::string& text, size_t at) {
    while (at < text.size() && escape_length_at(text, at) != 0) {
        at += escape_length_at(text, at);
    }
    return std::string_view(text).substr(at);
}

// Whether the text before end, without escape sequences after it, ends with piece.
bool visible_ends_with(const std::string& text, size_t start, size_t end,
                       const std::string& piece) {
    std::string visible;
    for (size_t at = start; at < end;) {
        const size_t escape = escape_length_at(text, at);
        visible += escape != 0 ? std::string() : text.substr(at, 1);
        at += escape != 0 ? escape : 1;
    }
    return visible.size() >= piece.size() &&
           visible.compare(visible.size() - piece.size(), piece.size(), piece) == 0;
}

// The word around a break at at: from the opportunity at or before it to the
// next one, its trailing spaces left out. Its columns say whether it could
// have had a line to itself.
int64_t word_columns(const std::string& text, const std::vector<size_t>& breaks, size_t at,
                     WidthModel model) {
    auto next = std::upper_bound(breaks.begin(), breaks.end(), at);
    const size_t from = next == breaks.begin() ? 0 : *(next - 1);
    size_t to = next == breaks.end() ? text.size() : *next;
    while (to > from && text[to - 1] == ' ') {
        --to;
    }
    return display_width(std::string_view(text).substr(from, to - from), model);
}

void check_wrapped(const std::string& text, int32_t width, WidthModel model,
                   const std::vector<FittedLine>& lines) {
    ASSERT_FALSE(lines.empty());
    const std::vector<size_t> clusters = cluster_boundaries(text);
    // Opportunities inside a cluster (a space and its mark) are none, nor
    // those after the spaces that indent the text: they go with its first word.
    const size_t indent = past_escapes_and_spaces(text, 0);
    std::vector<size_t> breaks;
    for (size_t at : line_break_opportunities(text)) {
        if (contains(clusters, at) && at > indent) {
            breaks.push_back(at);
        }
    }
    size_t joined = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        const FittedLine& line = lines[k];
        const auto start = static_cast<size_t>(line.start);
        const size_t end = start + static_cast<size_t>(line.length);
        const std::string bytes = text.substr(start, end - start);
        EXPECT_FALSE(line.ellipsis);
        EXPECT_LE(line.width, width) << "line " << k;
        EXPECT_EQ(line.width, display_width(bytes, model)) << "line " << k;
        ASSERT_LE(joined, start);
        EXPECT_TRUE(all_spaces(text, joined, start)) << "only spaces are dropped, line " << k;
        EXPECT_TRUE(contains(clusters, start) && contains(clusters, end)) << "line " << k;
        joined = end;
        if (k == 0) {
            EXPECT_EQ(start, 0u);
            continue;
        }
        // A break where the rules allow none only cuts a word too wide. Where
        // an escape sequence lies between dropped spaces, the line breaks
        // before it, so the opportunity may follow a few escapes and spaces.
        const size_t skipped = past_escapes_and_spaces(text, start);
        const auto opportunity = std::lower_bound(breaks.begin(), breaks.end(), start);
        if (skipped >= end) {
            continue;  // escape sequences alone, from among spaces at the end
        }
        const bool allowed = opportunity != breaks.end() && *opportunity <= skipped;
        const bool tooWide = word_columns(text, breaks, start, model) > width;
        EXPECT_TRUE(allowed || tooWide) << "break at " << start;
        if (!allowed) {
            continue;
        }
        for (const std::string& piece : kNoLineStart) {
            EXPECT_NE(visible_from(text, start).substr(0, piece.size()), piece) << "line " << k;
        }
        const FittedLine& before = lines[k - 1];
        for (const std::string& piece : kNoLineEnd) {
            EXPECT_FALSE(visible_ends_with(text, static_cast<size_t>(before.start),
                                           static_cast<size_t>(before.start + before.length),
                                           piece))
                << "line " << k - 1;
        }
        // Greedy: the word that starts this line would not have fitted on the
        // last, unless that holds escape sequences from among dropped spaces.
        if (past_escapes_and_spaces(text, static_cast<size_t>(before.start)) >=
            static_cast<size_t>(before.start + before.length)) {
            continue;
        }
        const auto next = opportunity + 1;
        size_t wordEnd = next == breaks.end() ? text.size() : *next;
        while (wordEnd > *opportunity && text[wordEnd - 1] == ' ') {
            --wordEnd;
        }
        const auto lastStart = static_cast<size_t>(before.start);
        EXPECT_GT(
            display_width(std::string_view(text).substr(lastStart, wordEnd - lastStart), model),
            width)
            << "line " << k << " would fit on the line before";
    }
    EXPECT_TRUE(all_spaces(text, joined, text.size()));
}

void check_truncated(const std::string& text, int32_t width, WidthModel model,
                     const std::vector<FittedLine>& lines) {
    ASSERT_EQ(lines.size(), 1u);
    const FittedLine& line = lines[0];
    const int64_t whole = display_width(text, model);
    EXPECT_EQ(line.start, 0);
    EXPECT_EQ(line.ellipsis, whole > width);
    const std::string prefix = text.substr(0, static_cast<size_t>(line.length));
    const int32_t ellipsisWidth = line.ellipsis ? code_point_width(0x2026, model) : 0;
    EXPECT_EQ(line.width, display_width(prefix, model) + ellipsisWidth);
    EXPECT_LE(line.width, width);
    const std::vector<size_t> clusters = cluster_boundaries(text);
    EXPECT_TRUE(contains(clusters, prefix.size()));
    if (line.ellipsis) {
        // The longest: one more cluster would not fit.
        size_t more = prefix.size();
        while (escape_length_at(text, more) != 0) {
            more += escape_length_at(text, more);
        }
        const size_t longer = next_grapheme(text, more, model).end;
        EXPECT_GT(display_width(text.substr(0, longer), model) + ellipsisWidth, width);
    }
}

TEST(FitCellLine, RandomTextInBothModelsAndBothOverflows) {
    std::mt19937 rng(20240615);
    std::vector<FittedLine> lines;
    for (int round = 0; round < 6000; ++round) {
        const std::string text = random_text(rng);
        const WidthModel model = round % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        const int32_t narrowest =
            std::max(widest_cluster(text, model), code_point_width(0x2026, model));
        const int32_t width = narrowest + std::uniform_int_distribution<int32_t>(0, 24)(rng);
        SCOPED_TRACE(::testing::Message() << "width " << width << " wide " << (round % 2)
                                          << " text " << ::testing::PrintToString(text));
        fit_cell_line(text, width, model, Overflow::Wrap, lines);
        check_wrapped(text, width, model, lines);
        fit_cell_line(text, width, model, Overflow::Truncate, lines);
        check_truncated(text, width, model, lines);
        if (HasFailure()) {
            break;
        }
    }
}

struct WrapCase {
    const char* name;
    std::string text;
    int32_t width;
    WidthModel model;
    std::vector<std::string> lines;
};

const WrapCase kWraps[] = {
    {"spaces dropped at breaks",
     "the quick  brown fox",
     10,
     WidthModel::Narrow,
     {"the quick", "brown fox"}},
    {"after a hyphen", "well-known words", 6, WidthModel::Narrow, {"well-", "known", "words"}},
    {"a word too wide, between clusters", "abcdefgh", 3, WidthModel::Narrow, {"abc", "def", "gh"}},
    {"。 keeps to the word before it", "あいうえ。", 8, WidthModel::Narrow, {"あいう", "え。"}},
    {"small kana never starts a line", "あいうきょ", 8, WidthModel::Narrow, {"あいう", "きょ"}},
    {"「 never ends a line", "あいう「え」", 8, WidthModel::Narrow, {"あいう", "「え」"}},
    {"ellipsis wide in the wide model", "①②③", 4, WidthModel::Wide, {"①②", "③"}},
    {"colour goes with the word it colours",
     "red \x1b[32mgreen",
     5,
     WidthModel::Narrow,
     {"red", "\x1b[32mgreen"}},
    {"emoji sequences whole", "👩\u200D💻👩\u200D💻", 2, WidthModel::Narrow, {"👩\u200D💻", "👩\u200D💻"}},
};

TEST(FitCellLine, WrapsWhereTheRulesSay) {
    std::vector<FittedLine> lines;
    for (const WrapCase& c : kWraps) {
        fit_cell_line(c.text, c.width, c.model, Overflow::Wrap, lines);
        std::vector<std::string> found;
        for (const FittedLine& line : lines) {
            found.push_back(
                c.text.substr(static_cast<size_t>(line.start), static_cast<size_t>(line.length)));
        }
        EXPECT_EQ(found, c.lines) << c.name;
    }
}

TEST(FitCellLine, TruncatesWithAnEllipsisInItsModelsWidth) {
    std::vector<FittedLine> lines;
    fit_cell_line("abcdef", 4, WidthModel::Narrow, Overflow::Truncate, lines);
    EXPECT_EQ(lines[0].length, 3);
    EXPECT_EQ(lines[0].width, 4);
    fit_cell_line("abcdef", 4, WidthModel::Wide, Overflow::Truncate, lines);
    EXPECT_EQ(lines[0].length, 2);
    EXPECT_EQ(lines[0].width, 4);
    fit_cell_line("e\u0301e\u0301e\u0301", 2, WidthModel::Narrow, Overflow::Truncate, lines);
    EXPECT_EQ(lines[0].length, 3) << "a mark stays with its letter";
}

struct InForceCase {
    const char* name;
    std::string text;
    std::string close;
    std::string reopen;
};

const InForceCase kInForce[] = {
    {"nothing", "plain", "", ""},
    {"a colour", "\x1b[31mred", "\x1b[0m", "\x1b[31m"},
    {"reset", "\x1b[31mred\x1b[0m", "", ""},
    {"short reset", "\x1b[1m\x1b[31mx\x1b[m", "", ""},
    {"reset then set in one", "\x1b[1mA\x1b[0;32mB", "\x1b[0m", "\x1b[0;32m"},
    {"set again counts once", "\x1b[31m\x1b[1m\x1b[31m", "\x1b[0m", "\x1b[1m\x1b[31m"},
    {"a 0 colour is no reset", "\x1b[38;5;0mx", "\x1b[0m", "\x1b[38;5;0m"},
    {"reset at the end of a sequence", "\x1b[31;0mx", "", ""},
    {"open link", "\x1b]8;;http://a\x1b\\x", "\x1b]8;;\x1b\\", "\x1b]8;;http://a\x1b\\"},
    {"closed link", "\x1b]8;;http://a\x07x\x1b]8;;\x07", "", ""},
    {"link and colour", "\x1b[4m\x1b]8;id=1;http://a\x07x", "\x1b]8;;\x1b\\\x1b[0m",
     "\x1b[4m\x1b]8;id=1;http://a\x07"},
    {"not a sequence", "\x1b[2Jx", "", ""},
};

TEST(EscapesInForce, WhatIsStillOnAtTheEnd) {
    for (const InForceCase& c : kInForce) {
        const EscapesInForce found = escapes_in_force(c.text);
        EXPECT_EQ(found.close, c.close) << c.name;
        EXPECT_EQ(found.reopen, c.reopen) << c.name;
    }
}

TEST(DisplayWidth, EscapeSequencesTakeNoColumnsNorEndAClusters) {
    EXPECT_EQ(display_width("\x1b[31mab\x1b[0m", WidthModel::Narrow), 2);
    EXPECT_EQ(display_width("e\x1b[31m\u0301", WidthModel::Narrow), 1);
    EXPECT_EQ(display_width("\x1b]8;;http://a\x1b\\漢\x1b]8;;\x07", WidthModel::Wide), 2);
    const std::string marked = "e\x1b[31m\u0301x";
    EXPECT_EQ(next_grapheme(marked, 0, WidthModel::Narrow).end, marked.size() - 1);
    EXPECT_EQ(next_grapheme("\x1b[1mx", 0, WidthModel::Narrow).end, 4u);
}

}  // namespace
