#include "ui/unrepresentable_input.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const wchar_t* input;
    size_t index, units;
    int line, column;
    const wchar_t* named;  // the character and code point the message names
};

TEST(UnrepresentableInput, FindsTheFirstCharacterWithItsLineAndColumn) {
    const Case cases[] = {
        // best fit would make the broken bar a cell separator
        {L"a\u00A6b|c", 1, 1, 1, 2, L"\"\u00A6\" (U+00A6)"},
        {L"x|y\r\n\u00E9|\U0001F600", 5, 1, 2, 1, L"\"\u00E9\" (U+00E9)"},
        // a surrogate pair is one character, one column
        {L"\U0001F600\U0001F600|\u00E9", 0, 2, 1, 1, L"\"\U0001F600\" (U+1F600)"},
        {L"|\u3042|\r\n|\U0001F600|\u00E9", 6, 2, 2, 2, L"(U+1F600)"},
        // only CR LF ends a line, as in the INPUT box
        {L"a\nb\rc\r\n\r\nd\u00E9", 10, 1, 3, 2, L"(U+00E9)"},
        // best fit would turn the yen sign into a backslash
        {L"\u30DD\u2500\u00A5\u00E9", 2, 1, 1, 3, L"(U+00A5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.input)));
        const auto found = FindUnrepresentable(c.input);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->index, c.index);
        EXPECT_EQ(found->units, c.units);
        EXPECT_EQ(found->line, c.line);
        EXPECT_EQ(found->column, c.column);
        const std::wstring message = UnrepresentableMessage(c.input, *found);
        EXPECT_NE(message.find(c.named), std::wstring::npos);
        const std::wstring where =
            L"line " + std::to_wstring(c.line) + L", column " + std::to_wstring(c.column) + L" ";
        EXPECT_NE(message.find(where), std::wstring::npos);
    }
}

TEST(UnrepresentableInput, TextThatCodePage932HoldsPasses) {
    const wchar_t* const holds[] = {
        L"",
        L"|\u30C0|\u30EB|\r\n|test|\u52D5\u4F5C|",      // the kana and kanji of the samples
        L"\u250F\u2501\u2533\u2513\u2190\u2192\u21D4",  // frame pictures and arrows
        L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E",              // half-width katakana
        L"?\u3000\uFF5C",                               // a real "?" is no replacement
    };
    for (const wchar_t* text : holds) {
        EXPECT_FALSE(FindUnrepresentable(text).has_value()) << testing::PrintToString(text);
    }
}

}  // namespace
