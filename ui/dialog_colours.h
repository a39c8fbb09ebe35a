// The colour rule both Zentab dialogs follow: static text and message boxes
// in the dialog's text colour on its brush, the dialog itself on its brush,
// everything else (edit boxes, buttons) in the system colours.
#pragma once

#include <windows.h>

#include "winfx/gdi.h"

HBRUSH AnswerCtlColor(HDC dc, int kind, const winfx::Brush& brush, COLORREF text);
