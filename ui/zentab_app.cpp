#include "ui/zentab_app.h"

#include "ui/zentab_dlg.h"

CZentabApp theApp;

bool CZentabApp::InitInstance() {
    CZentabDlg dialog(nullptr);
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}
