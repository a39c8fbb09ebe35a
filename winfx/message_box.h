// Message boxes owned by a window.
#pragma once

#include <windows.h>

#include <string>

namespace winfx {

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

}  // namespace winfx
