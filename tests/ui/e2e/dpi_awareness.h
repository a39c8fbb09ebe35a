// The driver sees windows in real pixels, as the per-monitor aware program
// draws them, rather than scaled to 96 DPI.
#pragma once

#include <windows.h>

void BecomeDpiAware();
// The DPI the display is set to (the user's LogPixels), 96 when unset.
UINT DisplayDpi();
