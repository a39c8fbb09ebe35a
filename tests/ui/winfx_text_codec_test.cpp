#include <gtest/gtest.h>

#include <string>

#include "winfx/text_codec.h"

namespace {

TEST(WinfxTextCodec, NarrowNeverMakesALookAlike) {
    // Each of these has a best-fit look-alike in code page 932 that would
    // change the table's meaning or its text.
    const struct {
        const wchar_t* text;
        const char* notThis;
    } cases[] = {
        {L"a\u00A6b", "a|b"},
        {L"\u00E9", "e"},
        {L"\u00C5", "A"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(winfx::Narrow(c.text, 932), c.notThis) << c.notThis;
    }
}

TEST(WinfxTextCodec, RoundTripsWhatCodePage932Holds) {
    const std::string bytes =
        "|\x83\x5F|\x83\x7C\n\x84\xAB\x81\x5C\xB1 ~\\\x81\x60";  // ダ, ポ, box, dash, ｱ, ～
    EXPECT_EQ(winfx::Narrow(winfx::Widen(bytes, 932), 932), bytes);
}

TEST(WinfxTextCodec, FirstUnrepresentableCountsUtf16Units) {
    const struct {
        const wchar_t* text;
        UINT codePage;
        size_t expected;
    } cases[] = {
        {L"abc", 932, winfx::kAllRepresentable},
        {L"", 932, winfx::kAllRepresentable},
        {L"ab\u00A6", 932, 2},
        {L"\U0001F600x", 932, 0},
        {L"\u3042\U0001F600\u00E9", 932, 1},
        {L"\u00E9", 1252, winfx::kAllRepresentable},
        {L"\u3042", 1252, 0},
        {L"\U0001F600", CP_UTF8, winfx::kAllRepresentable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winfx::FirstUnrepresentable(c.text, c.codePage), c.expected)
            << testing::PrintToString(c.text) << " in " << c.codePage;
    }
}

}  // namespace
