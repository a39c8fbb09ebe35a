// Text in INPUT that code page 932 cannot hold: found before CREATE FRAME
// converts anything, so that nothing the user typed is silently replaced.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct UnrepresentableChar {
    size_t index;  // in UTF-16 units, as the edit box selects
    size_t units;  // 2 for a character outside the Basic Multilingual Plane
    int line;      // from 1; lines end at CR LF
    int column;    // from 1, in characters
};

std::optional<UnrepresentableChar> FindUnrepresentable(const std::wstring& input);

// Names the character, its code point, line and column.
std::wstring UnrepresentableMessage(const std::wstring& input, const UnrepresentableChar& found);
