// Conversions between UTF-16 (what the W API speaks) and byte strings of one
// explicit code page, independent of the system's ANSI code page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace winfx {

std::wstring Widen(const std::string& bytes, UINT codePage);
// Never best-fit: a character the code page cannot hold becomes its default
// character, not a look-alike such as "|" for "¦".
std::string Narrow(const std::wstring& text, UINT codePage);

constexpr size_t kAllRepresentable = static_cast<size_t>(-1);
// The index, in UTF-16 units, of the first character of text that codePage
// cannot hold exactly; kAllRepresentable when there is none.
size_t FirstUnrepresentable(const std::wstring& text, UINT codePage);

// 2 for a surrogate pair at index, otherwise 1.
size_t CharacterUnits(const std::wstring& text, size_t index);

}  // namespace winfx
