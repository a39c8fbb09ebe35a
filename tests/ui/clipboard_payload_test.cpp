#include "ui/clipboard_payload.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const winfx::ClipboardItem& ItemOf(const std::vector<winfx::ClipboardItem>& items, UINT format) {
    for (const auto& item : items) {
        if (item.format == format) {
            return item;
        }
    }
    ADD_FAILURE() << "no item of format " << format;
    return items.front();
}

std::wstring FromUtf16Bytes(const std::string& bytes) {
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

const struct {
    std::string shiftJis;
    std::wstring text;
} kTexts[] = {
    {"+-+\r\n|a|\r\n+-+\r\n", L"+-+\r\n|a|\r\n+-+\r\n"},
    // ┏━┓ / ┃ポ┃: ポ ends in byte 0x7C, the code of |
    {"\x84\xAC\x84\xAA\x84\xAD\r\n\x84\xAB\x83\x7C\x84\xAB\r\n",
     L"\u250F\u2501\u2513\r\n\u2503\u30DD\u2503\r\n"},
    {"\x83\x5C", L"\u30BD"},  // ソ: its second byte is a backslash in ASCII
};

TEST(ClipboardPayload, TextIsTheExactBytesWithOneTerminator) {
    for (const auto& t : kTexts) {
        const auto items = ClipboardPayload(t.shiftJis);
        EXPECT_EQ(ItemOf(items, CF_TEXT).bytes, t.shiftJis + std::string(1, '\0'));
    }
}

TEST(ClipboardPayload, UnicodeTextIsTheSameCharactersTerminated) {
    for (const auto& t : kTexts) {
        const auto items = ClipboardPayload(t.shiftJis);
        const std::string& bytes = ItemOf(items, CF_UNICODETEXT).bytes;
        ASSERT_EQ(bytes.size(), (t.text.size() + 1) * 2);
        EXPECT_EQ(FromUtf16Bytes(bytes), t.text + L'\0');
    }
}

TEST(ClipboardPayload, LocaleIsJapanese) {
    const auto items = ClipboardPayload("x");
    EXPECT_EQ(ItemOf(items, CF_LOCALE).bytes, std::string("\x11\x04\0\0", 4));
}

}  // namespace
