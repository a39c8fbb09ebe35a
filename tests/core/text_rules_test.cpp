#include "core/text_rules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using text_rules::TextPlace;

struct PlaceCase {
    std::string text;
    size_t offset;
    bool cp932;
    int64_t line;
    int64_t column;
};

TEST(TextRules, PlaceOfUnderEveryLineEnd) {
    const PlaceCase cases[] = {
        {"ab\ncd", 4, false, 2, 2},
        {"ab\r\ncd", 5, false, 2, 2},
        {"ab\rcd", 4, false, 2, 2},
        {"a\r\n\r\nb", 5, false, 3, 1},
        {"a\r\rb", 3, false, 3, 1},
        {"a\n\rb", 3, false, 3, 1},
        {"ab\r\ncd", 3, false, 2, 1},  // the LF of a CR LF is past the line end
        {"ab\r\ncd", 2, false, 1, 3},
        {"\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80x", 9, false, 1, 4},
        {"\xC3\xA9\r\n\xE6\x97\xA5\xF0\x9F\x98\x80x", 11, false, 2, 3},
        {"\xE6\x97\xA5\r\xF0\x9F\x98\x80|", 8, false, 2, 2},
        {"\xE6\x97\xA5\n\xF0\x9F\x98\x80|", 8, false, 2, 2},
        {"\xC3\xA9", 1, false, 1, 2},  // inside a character: after it
        {"\x82\xA0\x82\xA2|", 4, true, 1, 3},
        {"\x82\xA0\r\n\x82\xA2|", 6, true, 2, 2},
        {"\x82\xA0\r\x95\x5C|", 5, true, 2, 2},
        {"\xB1\x82\xA0\n|", 4, true, 2, 1},
        {"\x82\r|", 2, true, 2, 1},  // a lead byte never takes the line end
        {"\x82\xA0|", 3, false, 1, 4},
        {"ab", 9, false, 1, 3},
    };
    for (const PlaceCase& c : cases) {
        const TextPlace place = text_rules::place_of(c.text, c.offset, c.cp932);
        EXPECT_EQ(place.line, c.line) << testing::PrintToString(c.text) << " @" << c.offset;
        EXPECT_EQ(place.column, c.column) << testing::PrintToString(c.text) << " @" << c.offset;
    }
}

// The place by a different road: the line through line_at, then the
// characters of that line that start before the offset.
TextPlace model_place(std::string_view text, size_t offset, bool cp932) {
    TextPlace place;
    for (size_t at = 0;; ++place.line) {
        const text_rules::Line line = text_rules::line_at(text, at);
        if (offset <= line.end || line.end == text.size()) {
            const std::string_view lineText = text.substr(0, line.end);
            for (size_t k = line.start; k < offset && k < line.end;
                 k += text_rules::char_length(lineText, k, cp932)) {
                ++place.column;
            }
            return place;
        }
        if (offset <= line.next) {
            ++place.line;
            return place;
        }
        at = line.next;
    }
}

TEST(TextRules, PlaceCounterInOrderMatchesAModel) {
    const std::vector<std::string> pieces = {
        "a",        "|",    "\n",   "\r",   "\r\n", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80",
        "\x82\xA0", "\x82", "\xB1", "\x80", "\xC3", "\xF0\x9F"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t count = random() % 12;
        for (size_t k = 0; k < count; ++k) {
            text += pieces[random() % pieces.size()];
        }
        const bool cp932 = round % 2 == 1;
        text_rules::PlaceCounter counter(text, cp932);
        for (size_t offset = 0; offset <= text.size() + 1; offset += random() % 3) {
            const TextPlace counted = counter.place_of(offset);
            const TextPlace alone = text_rules::place_of(text, offset, cp932);
            const TextPlace model = model_place(text, offset, cp932);
            const std::string what = testing::PrintToString(text) + " @" + std::to_string(offset);
            ASSERT_EQ(counted.line, model.line) << what;
            ASSERT_EQ(counted.column, model.column) << what;
            ASSERT_EQ(alone.line, model.line) << what;
            ASSERT_EQ(alone.column, model.column) << what;
        }
    }
}

TEST(TextRules, DecodeUtf8EdgeCases) {
    struct Case {
        std::string bytes;
        uint32_t codePoint;
        uint32_t length;
    };
    const Case cases[] = {
        {"\x7F", 0x7F, 1},
        {"\xC2\x80", 0x80, 2},
        {"\xC1\xBF", 0xC1, 0},  // overlong
        {"\xED\x9F\xBF", 0xD7FF, 3},
        {"\xED\xA0\x80", 0xED, 0},  // U+D800
        {"\xED\xBF\xBF", 0xED, 0},  // U+DFFF
        {"\xEE\x80\x80", 0xE000, 3},
        {"\xE0\x80\x80", 0xE0, 0},
        {"\xE0\xA0\x80", 0x800, 3},
        {"\xF0\x80\x80\x80", 0xF0, 0},
        {"\xF0\x90\x80\x80", 0x10000, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xF4\x90\x80\x80", 0xF4, 0},
        {"\xF5\x80\x80\x80", 0xF5, 0},
        {"\x80", 0x80, 0},
        {"\xE6\x97", 0xE6, 0},  // cut short by the end
        {"\xE6\x97x", 0xE6, 0},
        {"\xF0\x9F\x98", 0xF0, 0},
    };
    for (const Case& c : cases) {
        const text_rules::Utf8Char got = text_rules::decode_utf8(c.bytes, 0);
        EXPECT_EQ(got.codePoint, c.codePoint) << testing::PrintToString(c.bytes);
        EXPECT_EQ(got.length, c.length) << testing::PrintToString(c.bytes);
    }
}

TEST(TextRules, EveryScalarValueRoundTrips) {
    char bytes[4];
    for (uint32_t value = 0; value <= 0x10FFFF; ++value) {
        if (value == 0xD800) {
            value = 0xE000;
        }
        const size_t length = text_rules::encode_utf8(value, bytes);
        const size_t expected = value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
        ASSERT_EQ(length, expected) << value;
        const std::string_view text(bytes, length);
        const text_rules::Utf8Char strict = text_rules::decode_utf8(text, 0);
        const text_rules::Utf8Char quick = text_rules::decode_utf8_unchecked(text, 0);
        ASSERT_EQ(strict.codePoint, value);
        ASSERT_EQ(strict.length, length) << value;
        ASSERT_EQ(quick.codePoint, value);
        ASSERT_EQ(quick.length, length) << value;
        ASSERT_EQ(text_rules::char_length(text, 0, false), length) << value;
    }
}

TEST(TextRules, Cp932ByteClasses) {
    struct Case {
        unsigned char byte;
        bool single, lead, trail;
    };
    const Case cases[] = {
        {0x00, true, false, false}, {0x3F, true, false, false},  {0x40, true, false, true},
        {0x7E, true, false, true},  {0x7F, true, false, false},  {0x80, false, false, true},
        {0x81, false, true, true},  {0x9F, false, true, true},   {0xA0, false, false, true},
        {0xA1, true, false, true},  {0xDF, true, false, true},   {0xE0, false, true, true},
        {0xFC, false, true, true},  {0xFD, false, false, false}, {0xFF, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text_rules::is_cp932_single(c.byte), c.single) << int{c.byte};
        EXPECT_EQ(text_rules::is_cp932_lead_byte(c.byte), c.lead) << int{c.byte};
        EXPECT_EQ(text_rules::is_cp932_trail_byte(c.byte), c.trail) << int{c.byte};
    }
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<unsigned char>(byte);
        EXPECT_FALSE(text_rules::is_cp932_single(b) && text_rules::is_cp932_lead_byte(b)) << byte;
    }
}

TEST(TextRules, CharLengthOfStrayBytes) {
    struct Case {
        std::string text;
        bool cp932;
        size_t length;
    };
    const Case cases[] = {
        {"\x82\xA0", true, 2},  {"\x82", true, 1},       {"\xDF\xA0", true, 1},
        {"\x80\x80", false, 1}, {"\xE6\x97x", false, 2}, {"\xF0\x9F\x98", false, 3},
        {"\xF5\x80", false, 1}, {"\xC0\x80", false, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text_rules::char_length(c.text, 0, c.cp932), c.length)
            << testing::PrintToString(c.text);
    }
}

TEST(TextRules, LinesAndTheByteOrderMark) {
    const std::string text = "a\r\nb\rc\n\nd";
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size(); at = text_rules::line_at(text, at).next) {
        const text_rules::Line line = text_rules::line_at(text, at);
        lines.push_back(text.substr(line.start, line.end - line.start));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(text_rules::without_trailing_line_ends("a\n\r\n\r"), "a");
    EXPECT_EQ(text_rules::without_trailing_line_ends("\n \n"), "\n ");
    EXPECT_EQ(text_rules::bom_length("\xEF\xBB\xBFx", true), 3u);
    EXPECT_EQ(text_rules::bom_length("\xEF\xBB\xBFx", false), 0u);
    EXPECT_EQ(text_rules::bom_length("\xEF\xBB", true), 0u);
}

}  // namespace
