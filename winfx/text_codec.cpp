#include "winfx/text_codec.h"

namespace winfx {

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
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), unitCount, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), unitCount, bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace winfx
