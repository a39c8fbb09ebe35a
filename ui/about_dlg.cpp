#include "ui/about_dlg.h"

#include "ui/resource.h"

CAboutDlg::CAboutDlg(HWND parent) : winfx::Dialog(IDD_ABOUTBOX, parent) {}
