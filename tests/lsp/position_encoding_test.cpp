#include "cli/lsp/position_encoding.h"

#include <gtest/gtest.h>

namespace {

using lsp::LineIndex;
using lsp::Position;
using lsp::PositionEncoding;

struct PlaceCase {
    std::string text;
    size_t offset;  // bytes
    Position utf8;
    Position utf16;
    Position utf32;
};

// Each offset, counted in each encoding, and back.
TEST(LineIndex, CountsEachEncodingAfterWideAndCombinedCharacters) {
    const PlaceCase cases[] = {
        {"\xE6\xBC\xA2\xE5\xAD\x97|x", 6, {0, 6}, {0, 2}, {0, 2}},  // after 漢字
        {"\xF0\x9F\x98\x80|x", 4, {0, 4}, {0, 2}, {0, 1}},          // after 😀
        {"\xC3\xA9|x", 2, {0, 2}, {0, 1}, {0, 1}},                  // after é
        {"e\xCC\x81|x", 3, {0, 3}, {0, 2}, {0, 2}},                 // e and a combining acute
        {"ab\r\n\xF0\x9F\x98\x80"
         "c",
         8,
         {1, 4},
         {1, 2},
         {1, 1}},                                // CR LF is one line end
        {"a\rb\nc", 4, {2, 0}, {2, 0}, {2, 0}},  // a lone CR ends a line
        {"a\r\n", 3, {1, 0}, {1, 0}, {1, 0}},
        {"", 0, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const PlaceCase& c : cases) {
        const LineIndex index(c.text);
        const std::pair<PositionEncoding, Position> encodings[] = {
            {PositionEncoding::Utf8, c.utf8},
            {PositionEncoding::Utf16, c.utf16},
            {PositionEncoding::Utf32, c.utf32},
        };
        for (const auto& [encoding, position] : encodings) {
            EXPECT_EQ(index.position_of(c.text, c.offset, encoding), position) << c.text;
            EXPECT_EQ(index.offset_of(c.text, position, encoding), c.offset) << c.text;
        }
    }
}

struct ClampCase {
    std::string text;
    Position position;
    PositionEncoding encoding;
    size_t offset;
};

TEST(LineIndex, PositionsPastALineOrInsideACharacterClamp) {
    const ClampCase cases[] = {
        {"ab\r\ncd", {0, 99}, PositionEncoding::Utf16, 2},  // before CR LF
        {"ab\ncd", {0, 3}, PositionEncoding::Utf8, 2},
        {"ab\ncd", {1, 99}, PositionEncoding::Utf32, 5},  // the text's end
        {"ab\ncd", {7, 0}, PositionEncoding::Utf16, 5},   // a line past the last
        {"ab\ncd", {-1, 4}, PositionEncoding::Utf16, 0},
        {"\xF0\x9F\x98\x80"
         "b",
         {0, 1},
         PositionEncoding::Utf16,
         0},  // between a pair's halves
        {"\xE6\xBC\xA2"
         "b",
         {0, 2},
         PositionEncoding::Utf8,
         0},  // inside a character's bytes
        {"\xE6\xBC\xA2"
         "b",
         {0, 3},
         PositionEncoding::Utf8,
         3},
    };
    for (const ClampCase& c : cases) {
        EXPECT_EQ(LineIndex(c.text).offset_of(c.text, c.position, c.encoding), c.offset)
            << c.text << " " << c.position.line << ":" << c.position.character;
    }
}

TEST(LineIndex, FindsTheLineOfEveryOffset) {
    const std::string text = "a\n\nbc\r\nd\re";
    const LineIndex index(text);
    ASSERT_EQ(index.lines(), 5u);
    const size_t lines[] = {0, 0, 1, 2, 2, 2, 2, 3, 3, 4, 4};
    for (size_t offset = 0; offset <= text.size(); ++offset) {
        EXPECT_EQ(index.line_of(offset), lines[offset]) << offset;
    }
    EXPECT_EQ(index.line_end(text, 2), 5u);
    EXPECT_EQ(index.line_end(text, 3), 8u);
}

}  // namespace
