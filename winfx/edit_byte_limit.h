// A limit on the bytes an edit control's text may take in a given code page.
// The control's own EM_LIMITTEXT counts UTF-16 units, which lets a two-byte
// character count as one; this limit counts what the program will store.
// Like EM_LIMITTEXT it binds the user only: text set by the program may be
// longer, and the user may still shorten such a text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace winfx {

size_t ByteLength(const std::wstring& text, UINT codePage);

// The longest start of text, in whole characters, that fits maxBytes.
std::wstring FitToBytes(const std::wstring& text, size_t maxBytes, UINT codePage);

// Whether an edit by the user that turns oldBytes into newBytes may stand.
bool EditWithinLimit(size_t oldBytes, size_t newBytes, size_t maxBytes);

// Installs or updates the limit on an edit control.
void LimitEditBytes(HWND edit, size_t maxBytes, UINT codePage);

}  // namespace winfx
