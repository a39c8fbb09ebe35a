#include <gtest/gtest.h>

#include "winfx/edit_byte_limit.h"

namespace {

constexpr UINT kShiftJis = 932;

TEST(ByteLength, CountsShiftJisBytes) {
    const struct {
        const wchar_t* text;
        size_t bytes;
    } cases[] = {
        {L"", 0},
        {L"abc", 3},
        {L"\u3042\u3044", 4},            // あい
        {L"|\u30C0|\uFF8A", 5},          // |ダ|ﾊ: half-width katakana is one byte
        {L"\u250F\u2501\u2513\r\n", 8},  // ┏━┓ CR LF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winfx::ByteLength(c.text, kShiftJis), c.bytes) << testing::PrintToString(c.bytes);
    }
}

TEST(FitToBytes, KeepsWholeCharactersWithinTheLimit) {
    const struct {
        const wchar_t* text;
        size_t maxBytes;
        const wchar_t* fitted;
    } cases[] = {
        {L"abc", 10, L"abc"},         {L"abc", 3, L"abc"},
        {L"abc", 2, L"ab"},           {L"abc", 0, L""},
        {L"a\u3042b", 2, L"a"},  // あ would straddle the limit
        {L"a\u3042b", 3, L"a\u3042"}, {L"\r\n\u3042", 3, L"\r\n"},
        {L"x\U0001F600y", 1, L"x"},   {L"x\U0001F600y", 9, L"x\U0001F600y"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winfx::FitToBytes(c.text, c.maxBytes, kShiftJis), c.fitted)
            << "limit " << c.maxBytes;
    }
}

TEST(FitToBytes, NeverSplitsASurrogatePair) {
    const std::wstring text = L"x\U0001F600y";  // a character without a Shift-JIS form
    for (size_t limit = 0; limit < 6; ++limit) {
        const std::wstring fitted = winfx::FitToBytes(text, limit, kShiftJis);
        ASSERT_FALSE(fitted.empty() && limit > 0) << limit;
        EXPECT_FALSE(IS_HIGH_SURROGATE(fitted.back())) << limit;
    }
}

TEST(EditWithinLimit, RefusesOnlyGrowthPastTheLimit) {
    const struct {
        size_t oldBytes;
        size_t newBytes;
        bool accepted;
    } cases[] = {
        {0, 4096, true},
        {4095, 4096, true},
        {4095, 4097, false},
        {4096, 4098, false},
        {5000, 4999, true},  // a text the program wrote past the limit may
                             // shrink
        {5000, 5000, true},
        {5000, 5001, false},
        {10, 3, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winfx::EditWithinLimit(c.oldBytes, c.newBytes, 4096), c.accepted)
            << c.oldBytes << " -> " << c.newBytes;
    }
}

}  // namespace
