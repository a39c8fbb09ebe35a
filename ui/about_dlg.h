// The About box, opened from the main window's system menu.
#pragma once

#include "winfx/dialog.h"

class CAboutDlg : public winfx::Dialog {
  public:
    explicit CAboutDlg(HWND parent);
};
