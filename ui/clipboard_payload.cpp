#include "ui/clipboard_payload.h"

#include "ui/dialog_texts.h"
#include "winfx/text_codec.h"

namespace {

std::string TerminatedBytes(const std::string& text) {
    return std::string(text.c_str(), text.size() + 1);
}

std::string Utf16Bytes(const std::wstring& text) {
    std::string bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    bytes.append(2, '\0');
    return bytes;
}

std::string LocaleBytes(LCID locale) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((locale >> shift) & 0xFF));
    }
    return bytes;
}

}  // namespace

std::vector<winfx::ClipboardItem> ClipboardPayload(const std::string& shiftJisText) {
    return {
        {CF_TEXT, TerminatedBytes(shiftJisText)},
        {CF_UNICODETEXT, Utf16Bytes(winfx::Widen(shiftJisText, kZentabCodePage))},
        {CF_LOCALE, LocaleBytes(kJapaneseLocale)},
    };
}
