#include "ui/dialog_colours.h"

HBRUSH AnswerCtlColor(HDC dc, int kind, const winfx::Brush& brush, COLORREF text) {
    switch (kind) {
        case CTLCOLOR_MSGBOX:
        case CTLCOLOR_STATIC:
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, text);
            return brush.Handle();
        case CTLCOLOR_DLG:
            return brush.Handle();
        default:
            return nullptr;
    }
}
