#include "ui/unrepresentable_input.h"

#include <cstdio>

#include "ui/dialog_texts.h"
#include "winfx/text_codec.h"

namespace {

char32_t CodePointAt(const std::wstring& text, size_t index, size_t units) {
    if (units == 1) {
        return static_cast<char32_t>(text[index]);
    }
    const auto high = static_cast<char32_t>(text[index] - 0xD800);
    const auto low = static_cast<char32_t>(text[index + 1] - 0xDC00);
    return 0x10000 + (high << 10) + low;
}

}  // namespace

std::optional<UnrepresentableChar> FindUnrepresentable(const std::wstring& input) {
    const size_t index = winfx::FirstUnrepresentable(input, kZentabCodePage);
    if (index == winfx::kAllRepresentable) {
        return std::nullopt;
    }
    UnrepresentableChar found{index, winfx::CharacterUnits(input, index), 1, 1};
    for (size_t at = 0; at < index;) {
        if (input.compare(at, 2, L"\r\n") == 0) {
            ++found.line;
            found.column = 1;
            at += 2;
            continue;
        }
        ++found.column;
        at += winfx::CharacterUnits(input, at);
    }
    return found;
}

std::wstring UnrepresentableMessage(const std::wstring& input, const UnrepresentableChar& found) {
    wchar_t codePoint[16] = {};
    std::swprintf(codePoint, 16, L"U+%04X",
                  static_cast<unsigned>(CodePointAt(input, found.index, found.units)));
    return L"\"" + input.substr(found.index, found.units) + L"\" (" + codePoint +
           L") cannot be framed: code page 932 has no such character.\r\nCheck line " +
           std::to_wstring(found.line) + L", column " + std::to_wstring(found.column) +
           L" of your input data.";
}
