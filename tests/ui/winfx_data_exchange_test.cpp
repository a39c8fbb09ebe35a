#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_controls.h"
#include "winfx/data_exchange.h"

namespace {

constexpr UINT kShiftJis = 932;

TEST(DataExchange, SaveConvertsTheControlTextToCodePageBytes) {
    FakeControls controls;
    controls.texts[7] = L"\u2503\u30DD|\r\n";  // ┃ポ|: ポ ends in byte 0x7C
    winfx::DataExchange exchange(controls, true, kShiftJis);
    std::string value;
    exchange.Text(7, value);
    EXPECT_EQ(value, "\x84\xAB\x83\x7C|\r\n");
}

TEST(DataExchange, LoadShowsTheBytesAsText) {
    FakeControls controls;
    winfx::DataExchange exchange(controls, false, kShiftJis);
    std::string value = "\x84\xAB\x83\x7C|";
    exchange.Text(7, value);
    EXPECT_EQ(controls.texts[7], L"\u2503\u30DD|");
}

TEST(DataExchange, MaxBytesAcceptsUpToTheLimitOnSave) {
    const struct {
        size_t length;
        bool accepted;
    } cases[] = {{0, true}, {4095, true}, {4096, true}, {4097, false}, {9000, false}};
    for (const auto& c : cases) {
        FakeControls controls;
        winfx::DataExchange exchange(controls, true, kShiftJis);
        EXPECT_EQ(exchange.MaxBytes(3, std::string(c.length, 'x'), 4096), c.accepted) << c.length;
        EXPECT_EQ(controls.calls.empty(), c.accepted) << c.length;
    }
}

TEST(DataExchange, RefusedValueIsReportedWithTheLimitInTheMessage) {
    FakeControls controls;
    winfx::DataExchange exchange(controls, true, kShiftJis);
    EXPECT_FALSE(exchange.MaxBytes(3, std::string(4097, 'x'), 4096));
    EXPECT_EQ(controls.calls, std::vector<std::string>{"invalid 3"});
    // "4096 文字以内で入力してください。"
    EXPECT_EQ(controls.reportedMessage,
              L"4096 \u6587\u5B57\u4EE5\u5185\u3067\u5165\u529B\u3057\u3066\u304F\u3060\u3055"
              L"\u3044\u3002");
}

TEST(DataExchange, MaxBytesOnLoadLimitsTheControlInItsCodePage) {
    FakeControls controls;
    winfx::DataExchange exchange(controls, false, kShiftJis);
    EXPECT_TRUE(exchange.MaxBytes(3, std::string(5000, 'x'), 4096));
    EXPECT_EQ(controls.calls, std::vector<std::string>{"limit 3 4096 932"});
}

}  // namespace
