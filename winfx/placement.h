// Where dialogs open: centred over an area, kept on one monitor.
#pragma once

#include <windows.h>

namespace winfx {

// window's size centred over area, then moved as little as needed to lie
// within work, its top-left corner first.
RECT CentredWithin(const RECT& window, const RECT& area, const RECT& work);

// The work area of the monitor that shows most of the window; the primary
// monitor's for null.
RECT WorkAreaOf(HWND window);

}  // namespace winfx
