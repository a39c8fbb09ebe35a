// Reading and setting the clipboard from the driver's side.
#pragma once

#include <windows.h>

#include <string>

struct ClipboardText {
    std::string bytes;  // up to the first NUL
    bool terminated;    // a NUL ends the text within the block
};

void PutUnicodeOnClipboard(const std::wstring& text);
std::wstring UnicodeOnClipboard();
ClipboardText TextOnClipboard();
LCID LocaleOnClipboard();
