// The DPI a window is drawn at, on systems with and without per-monitor DPI.
#pragma once

#include <windows.h>

namespace winfx {

// The window's own DPI where the system has GetDpiForWindow (Windows 10
// 1607 on), otherwise the screen's.
UINT WindowDpi(HWND window);

// A system metric in the pixels of the window's DPI.
int MetricForWindow(HWND window, int index);

}  // namespace winfx
