// The texts and limits the Zentab dialogs share.
#pragma once

#include <windows.h>

#include <cstddef>

// Every text of Zentab is Shift-JIS, whatever the system's code page.
constexpr UINT kZentabCodePage = 932;
// Bytes the INPUT box takes from the user.
constexpr size_t kInputBoxLimit = 4096;
constexpr const wchar_t* kMessageCaption = L"zen tabrix";
constexpr LCID kJapaneseLocale = 0x0411;
