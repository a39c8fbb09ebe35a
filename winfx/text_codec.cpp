#include "winfx/text_codec.h"

namespace winfx {

namespace {

bool IsUtf(UINT codePage) {
    if (codePage == CP_ACP) {
        codePage = GetACP();
    }
    return codePage == CP_UTF8 || codePage == CP_UTF7;
}

// The UTF code pages refuse these flags; they hold every character anyway.
DWORD ExactFlags(UINT codePage) {
    return IsUtf(codePage) ? 0 : WC_NO_BEST_FIT_CHARS;
}

bool ConvertsExactly(const wchar_t* units, int count, UINT codePage) {
    if (IsUtf(codePage)) {
        return true;
    }
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, units, count, nullptr, 0,
                                           nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}

}  // namespace

std::wstring Widen(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int byteCount = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, text.data(), length);
    return text;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) {
        return std::string();
    }
    const int unitCount = static_cast<int>(text.size());
    const DWORD flags = ExactFlags(codePage);
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), unitCount, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), unitCount, bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

size_t CharacterUnits(const std::wstring& text, size_t index) {
    const bool pair = index + 1 < text.size() && IS_HIGH_SURROGATE(text[index]) &&
                      IS_LOW_SURROGATE(text[index + 1]);
    return pair ? 2 : 1;
}

size_t FirstUnrepresentable(const std::wstring& text, UINT codePage) {
    if (text.empty() || ConvertsExactly(text.data(), static_cast<int>(text.size()), codePage)) {
        return kAllRepresentable;
    }
    // Rare, so one character at a time is fast enough to find the culprit.
    for (size_t index = 0; index < text.size();) {
        const size_t units = CharacterUnits(text, index);
        if (!ConvertsExactly(text.data() + index, static_cast<int>(units), codePage)) {
            return index;
        }
        index += units;
    }
    return kAllRepresentable;
}

}  // namespace winfx
