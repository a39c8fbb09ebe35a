#include "ui/setting_dlg.h"

#include "ui/dialog_colours.h"
#include "ui/resource.h"
#include "ui/setting_radios.h"
#include "ui/zentab_dlg.h"

CSettingDlg::CSettingDlg(int32_t& frameType, int32_t& positionType, CZentabDlg* mainDlg)
    : winfx::Dialog(IDD_SETTING, mainDlg->Hwnd()),
      m_pFrameType(&frameType),
      m_pPositionType(&positionType),
      m_pMainDlg(mainDlg) {
    for (const RadioGroup* group : {&FrameTypeRadios(), &PositionTypeRadios()}) {
        for (int32_t i = 0; i < group->count; ++i) {
            MapCommand(group->ids[i], BN_CLICKED, [this] { OnRadioClicked(); });
        }
    }
}

BOOL CSettingDlg::OnInitDialog() {
    winfx::Dialog::OnInitDialog();
    CheckRadio(RadioFor(FrameTypeRadios(), *m_pFrameType));
    CheckRadio(RadioFor(PositionTypeRadios(), *m_pPositionType));
    m_brush.CreateSolid(RGB(248, 239, 244));
    m_crText = RGB(0, 0, 128);
    return TRUE;
}

void CSettingDlg::ReadRadios() {
    const auto isChecked = [this](int id) { return IsRadioChecked(id); };
    *m_pFrameType = CheckedNumber(FrameTypeRadios(), isChecked, *m_pFrameType);
    *m_pPositionType = CheckedNumber(PositionTypeRadios(), isChecked, *m_pPositionType);
}

void CSettingDlg::OnRadioClicked() {
    UpdateData(true);
    ReadRadios();
}

void CSettingDlg::OnOK() {
    ReadRadios();
    m_pMainDlg->EnableSettingButton();
    winfx::Dialog::OnOK();
}

void CSettingDlg::OnCancel() {
    ReadRadios();
    m_pMainDlg->EnableSettingButton();
    EndDialog(IDCANCEL);
}

void CSettingDlg::CheckRadio(int id) {
    SendItemMessage(id, BM_SETCHECK, BST_CHECKED);
}

bool CSettingDlg::IsRadioChecked(int id) const {
    return SendItemMessage(id, BM_GETCHECK) == BST_CHECKED;
}

HBRUSH CSettingDlg::OnCtlColor(HDC dc, HWND, int kind) {
    return AnswerCtlColor(dc, kind, m_brush, m_crText);
}
