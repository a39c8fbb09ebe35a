// Conversions between UTF-16 (what the W API speaks) and byte strings of one
// explicit code page, independent of the system's ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace winfx {

std::wstring Widen(const std::string& bytes, UINT codePage);
std::string Narrow(const std::wstring& text, UINT codePage);

}  // namespace winfx
