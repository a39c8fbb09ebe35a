#include "winfx/dialog.h"

#include "winfx/app.h"
#include "winfx/message_loop.h"
#include "winfx/placement.h"

namespace winfx {

namespace {

HINSTANCE ResourceInstance() {
    return GetModuleHandleW(nullptr);
}

bool ReturnsValueDirectly(UINT message) {
    switch (message) {
        case WM_QUERYDRAGICON:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG:
            return true;
        default:
            return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

}  // namespace

Dialog::Dialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

Dialog::~Dialog() {
    if (Exists()) {
        DestroyWindow(m_hWnd);
    }
}

INT_PTR Dialog::DoModal() {
    HWND owner = m_parent;
    const bool enableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (enableOwner) {
        EnableWindow(owner, FALSE);
    }
    m_modal = true;
    m_ended = false;
    m_result = -1;
    HWND window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(m_templateId), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    if (window != nullptr) {
        if (!m_ended) {
            ShowWindow(window, SW_SHOWNORMAL);
        }
        PumpMessagesUntil(m_ended);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner) {
        EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && window != nullptr && GetActiveWindow() == window) {
        SetActiveWindow(owner);
    }
    if (window != nullptr && IsWindow(window)) {
        DestroyWindow(window);
    }
    m_modal = false;
    return m_result;
}

bool Dialog::Create(HWND owner) {
    m_modal = false;
    m_ended = false;
    HWND window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(m_templateId), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (!m_modal && Exists()) {
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

bool Dialog::UpdateData(bool save) {
    DialogControls controls(m_hWnd);
    DataExchange exchange(controls, save, FieldCodePage());
    return ExchangeFields(exchange);
}

void Dialog::MapCommand(int id, int notifyCode, Handler handler) {
    m_handlers[{id, notifyCode}] = std::move(handler);
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::ExchangeFields(DataExchange&) {
    return true;
}

HBRUSH Dialog::OnCtlColor(HDC, HWND, int) {
    return nullptr;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        RegisterDialogWindow(window);
        return dialog->HandleInitDialog();
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        UnregisterDialogWindow(window);
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR Dialog::HandleInitDialog() {
    RECT placedAt{};
    GetWindowRect(m_hWnd, &placedAt);
    const BOOL setFocus = OnInitDialog();
    CenterIfUnplaced(placedAt);
    return setFocus;
}

// A dialog that its initialisation left where the template put it, and that
// no enabled owner is showing, opens centred: over its owner if it has one,
// otherwise on the screen.
void Dialog::CenterIfUnplaced(const RECT& placedAt) {
    if (!Exists() || IsWindowVisible(m_hWnd)) {
        return;
    }
    RECT now{};
    GetWindowRect(m_hWnd, &now);
    if (!EqualRect(&now, &placedAt)) {
        return;
    }
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && IsWindowEnabled(owner)) {
        return;
    }
    const bool overOwner = owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner);
    RECT area{};
    if (overOwner) {
        GetWindowRect(owner, &area);
    }
    const RECT work = WorkAreaOf(overOwner ? owner : nullptr);
    if (!overOwner) {
        area = work;
    }
    // Moving onto a monitor of another DPI resizes a per-monitor aware
    // dialog, so a second pass centres the new size.
    for (int pass = 0; pass < 2; ++pass) {
        const RECT target = CentredWithin(now, area, work);
        SetWindowPos(m_hWnd, nullptr, target.left, target.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT before = now;
        GetWindowRect(m_hWnd, &now);
        if (now.right - now.left == before.right - before.left &&
            now.bottom - now.top == before.bottom - before.top) {
            break;
        }
    }
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        HandleCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        const int kind = static_cast<int>(message - WM_CTLCOLORMSGBOX);
        return reinterpret_cast<INT_PTR>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), kind));
    }
    INT_PTR result = 0;
    if (!OnMessage(message, wParam, lParam, result)) {
        return FALSE;
    }
    SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return ReturnsValueDirectly(message) ? result : TRUE;
}

void Dialog::HandleCommand(int id, int notifyCode) {
    const auto handler = m_handlers.find({id, notifyCode});
    if (handler != m_handlers.end()) {
        handler->second();
        return;
    }
    if (notifyCode != BN_CLICKED) {
        return;
    }
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

}  // namespace winfx
