// The modeless SETTING window: six frame-type and seventeen position-type
// pictures, each click written straight into the main dialog's numbers.
#pragma once

#include <cstdint>

#include "winfx/dialog.h"
#include "winfx/gdi.h"

class CZentabDlg;

class CSettingDlg : public winfx::Dialog {
  public:
    CSettingDlg(int32_t& frameType, int32_t& positionType, CZentabDlg* mainDlg);

    void ReadRadios();

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;

  private:
    void OnRadioClicked();
    void CheckRadio(int id);
    bool IsRadioChecked(int id) const;

    int32_t* m_pFrameType;
    int32_t* m_pPositionType;
    CZentabDlg* m_pMainDlg;
    winfx::Brush m_brush;
    COLORREF m_crText = RGB(0, 0, 128);
};
