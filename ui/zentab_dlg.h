// The main window: INPUT and OUTPUT boxes, CREATE FRAME, SETTING, CLEAR,
// COPY TO CLIPBOARD and EXIT.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/dialog_texts.h"
#include "winfx/dialog.h"
#include "winfx/gdi.h"

class CSettingDlg;

class CZentabDlg : public winfx::Dialog {
  public:
    explicit CZentabDlg(HWND parent);
    ~CZentabDlg() override;

    // Called by the settings window when it closes.
    void EnableSettingButton();

  protected:
    BOOL OnInitDialog() override;
    bool ExchangeFields(winfx::DataExchange& exchange) override;
    UINT FieldCodePage() const override { return kZentabCodePage; }
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void OnCreateFrame();
    void OnSetting();
    void OnCopy();
    void OnClear();
    void OnSetfocusInput();
    bool OnSysCommand(WPARAM command);
    bool OnPaint();

    void AppendAboutToSystemMenu();
    void SetIcons();
    void ChooseStartupSample();
    // Tells the user and selects the character when INPUT holds one that
    // code page 932 cannot hold.
    bool RefuseUnrepresentableInput();
    void Notify(const std::wstring& text, UINT icon);

    std::string m_strInput;
    std::string m_strOutput;
    int32_t m_nFrameType = 1;
    int32_t m_nPositionType = 1;
    std::unique_ptr<CSettingDlg> m_pSettingDlg;
    int32_t m_bInputCleared = 0;
    winfx::Brush m_brush;
    COLORREF m_crText = RGB(0, 0, 0);
    HICON m_hIcon;
};
