#include "ui/main_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_controls.h"
#include "ui/resource.h"

namespace {

TEST(ExchangeMainFields, SaveReadsInputThenOutput) {
    FakeControls controls;
    controls.texts[IDC_INPUT] = L"a|\u3042";  // a|あ
    controls.texts[IDC_OUTPUT] = L"frame";
    winfx::DataExchange exchange(controls, true, 932);
    std::string input;
    std::string output;
    EXPECT_TRUE(ExchangeMainFields(exchange, input, output));
    EXPECT_EQ(input, "a|\x82\xA0");
    EXPECT_EQ(output, "frame");
    EXPECT_EQ(controls.calls, (std::vector<std::string>{"get 1000", "get 1001"}));
}

TEST(ExchangeMainFields, SaveOfTooLongInputStopsBeforeOutput) {
    const struct {
        std::wstring input;
        bool accepted;
    } cases[] = {
        {std::wstring(4096, L'x'), true},
        {std::wstring(4097, L'x'), false},
        {std::wstring(2048, L'\u3042'), true},   // 4096 bytes
        {std::wstring(2049, L'\u3042'), false},  // 2049 characters, 4098 bytes
    };
    for (const auto& c : cases) {
        FakeControls controls;
        controls.texts[IDC_INPUT] = c.input;
        controls.texts[IDC_OUTPUT] = L"new";
        winfx::DataExchange exchange(controls, true, 932);
        std::string input;
        std::string output = "old";
        EXPECT_EQ(ExchangeMainFields(exchange, input, output), c.accepted) << c.input.size();
        EXPECT_EQ(output, c.accepted ? "new" : "old");
        // The field keeps the long text that was refused.
        EXPECT_EQ(input.size(), c.input[0] == L'x' ? c.input.size() : c.input.size() * 2);
        if (!c.accepted) {
            EXPECT_EQ(controls.calls, (std::vector<std::string>{"get 1000", "invalid 1000"}));
        }
    }
}

TEST(ExchangeMainFields, LoadWritesInputLimitsItThenWritesOutput) {
    FakeControls controls;
    winfx::DataExchange exchange(controls, false, 932);
    std::string input = "|\x83\x5F|";  // |ダ|
    std::string output = "+-+";
    EXPECT_TRUE(ExchangeMainFields(exchange, input, output));
    EXPECT_EQ(controls.calls,
              (std::vector<std::string>{"set 1000", "limit 1000 4096 932", "set 1001"}));
    EXPECT_EQ(controls.texts[IDC_INPUT], L"|\u30C0|");
    EXPECT_EQ(controls.texts[IDC_OUTPUT], L"+-+");
}

}  // namespace
