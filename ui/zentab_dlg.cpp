#include "ui/zentab_dlg.h"

#include <ctime>

#include "command/create_frame.h"
#include "ui/about_dlg.h"
#include "ui/clipboard_payload.h"
#include "ui/dialog_colours.h"
#include "ui/main_exchange.h"
#include "ui/resource.h"
#include "ui/samples.h"
#include "ui/setting_dlg.h"
#include "ui/startup_sample.h"
#include "ui/unrepresentable_input.h"
#include "winfx/clipboard.h"
#include "winfx/dpi.h"
#include "winfx/message_box.h"
#include "winfx/text_codec.h"

CZentabDlg::CZentabDlg(HWND parent)
    : winfx::Dialog(IDD_MAIN, parent),
      m_strInput(SampleA()),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
    MapCommand(IDC_CREATE_FRAME, BN_CLICKED, [this] { OnCreateFrame(); });
    MapCommand(IDC_SETTING, BN_CLICKED, [this] { OnSetting(); });
    MapCommand(IDC_COPY, BN_CLICKED, [this] { OnCopy(); });
    MapCommand(IDC_CLEAR, BN_CLICKED, [this] { OnClear(); });
    MapCommand(IDC_INPUT, EN_SETFOCUS, [this] { OnSetfocusInput(); });
}

CZentabDlg::~CZentabDlg() {
    m_pSettingDlg.reset();
    m_brush.Delete();
}

void CZentabDlg::EnableSettingButton() {
    EnableItem(IDC_SETTING, true);
}

BOOL CZentabDlg::OnInitDialog() {
    winfx::Dialog::OnInitDialog();
    AppendAboutToSystemMenu();
    SetIcons();
    ChooseStartupSample();
    m_brush.CreateSolid(RGB(255, 255, 255));
    m_crText = RGB(0, 0, 0);
    return TRUE;
}

void CZentabDlg::AppendAboutToSystemMenu() {
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    wchar_t text[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) > 0) {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
    }
}

void CZentabDlg::SetIcons() {
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
}

void CZentabDlg::ChooseStartupSample() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local != nullptr && IsSampleBDate(*local)) {
        m_strInput.clear();
        m_strInput = SampleB();
        UpdateData(false);
    }
}

bool CZentabDlg::ExchangeFields(winfx::DataExchange& exchange) {
    return ExchangeMainFields(exchange, m_strInput, m_strOutput);
}

void CZentabDlg::OnCreateFrame() {
    // Before any exchange: the save would replace such a character, and the
    // load would write the damage back over what the user typed.
    if (RefuseUnrepresentableInput()) {
        return;
    }
    UpdateData(true);
    if (m_strInput.empty()) {
        return;
    }
    const CreateFrameResult result = create_frame_text(m_strInput, m_nFrameType, m_nPositionType);
    m_strInput = result.convertedInput;
    UpdateData(false);
    if (result.outcome == CF_MESSAGE) {
        Notify(winfx::Widen(result.resultText, kZentabCodePage), 0);
    } else if (result.outcome == CF_FRAME) {
        m_strOutput = result.resultText;
        UpdateData(false);
    }
}

bool CZentabDlg::RefuseUnrepresentableInput() {
    const std::wstring input = ItemText(IDC_INPUT);
    const std::optional<UnrepresentableChar> found = FindUnrepresentable(input);
    if (!found) {
        return false;
    }
    Notify(UnrepresentableMessage(input, *found), 0);
    // Focusing INPUT before its first entry would clear it, so then the
    // selection waits, unseen, for the user.
    if (m_bInputCleared != 0) {
        SetFocus(Item(IDC_INPUT));
    }
    SendItemMessage(IDC_INPUT, EM_SETSEL, found->index, found->index + found->units);
    SendItemMessage(IDC_INPUT, EM_SCROLLCARET);
    return true;
}

void CZentabDlg::OnSetting() {
    m_pSettingDlg.reset();
    m_pSettingDlg = std::make_unique<CSettingDlg>(m_nFrameType, m_nPositionType, this);
    EnableItem(IDC_SETTING, false);
    m_pSettingDlg->Create(m_hWnd);
    m_pSettingDlg->Show(SW_SHOW);
}

void CZentabDlg::OnCopy() {
    if (m_strOutput.empty()) {
        return;
    }
    switch (winfx::PutOnClipboard(m_hWnd, ClipboardPayload(m_strOutput))) {
        case winfx::ClipboardResult::Copied:
            Notify(L"Copy completed!!", MB_ICONINFORMATION);
            break;
        case winfx::ClipboardResult::Busy:
            break;
        case winfx::ClipboardResult::OutOfMemory:
        case winfx::ClipboardResult::Refused:
            MessageBeep(MB_ICONHAND);
            break;
    }
}

void CZentabDlg::OnClear() {
    UpdateData(true);
    m_strInput.clear();
    UpdateData(false);
}

void CZentabDlg::OnSetfocusInput() {
    if (m_bInputCleared == 0) {
        OnClear();
        m_bInputCleared = 1;
    }
}

void CZentabDlg::Notify(const std::wstring& text, UINT icon) {
    winfx::ShowMessage(m_hWnd, text, kMessageCaption, MB_OK | icon);
}

bool CZentabDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam);
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(m_hIcon);
            return true;
        default:
            return false;
    }
}

bool CZentabDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
    }
    CAboutDlg about(m_hWnd);
    about.DoModal();
    return true;
}

bool CZentabDlg::OnPaint() {
    if (!Iconic()) {
        return false;
    }
    winfx::PaintDC dc(m_hWnd);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - winfx::MetricForWindow(m_hWnd, SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - winfx::MetricForWindow(m_hWnd, SM_CYICON) + 1) / 2;
    DrawIcon(dc.Handle(), x, y, m_hIcon);
    return true;
}

HBRUSH CZentabDlg::OnCtlColor(HDC dc, HWND, int kind) {
    return AnswerCtlColor(dc, kind, m_brush, m_crText);
}
