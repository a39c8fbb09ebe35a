// What the scenarios share: the user's common actions on a running Zentab and
// the facts they look at.
#pragma once

#include <windows.h>

#include <string>

#include "session.h"

extern const std::wstring kCaption;
extern const std::wstring kAboutCaption;
// A table with two-byte text, an empty cell and a cell ending in ポ (0x83 0x7C).
extern const std::wstring kTable;

std::string FrameOf(const std::string& input, int frameType, int positionType);
std::wstring TodaysSample();
bool SameCentre(const RECT& a, const RECT& b);
RECT WindowRect(HWND window);
// The colour on screen at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y);

void CreateFrame(const Session& app);
HWND OpenSetting(const Session& app);
int CheckedCount(HWND setting);
// Opens a message box by a posted click and returns it.
HWND PostClickForMessage(const Session& app, int id, const std::wstring& caption);
void CloseAndWait(const Session& app, HWND box, const std::wstring& caption);
// Enters INPUT once, as a user does before typing, which spends its first clear.
void EnterInput(const Session& app);
