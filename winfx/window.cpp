#include "winfx/window.h"

namespace winfx {

LRESULT Window::SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
}

void Window::EnableItem(int id, bool enable) const {
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

std::wstring Window::ItemText(int id) const {
    return WindowText(Item(id));
}

void Window::SetItemText(int id, const std::wstring& text) const {
    SetDlgItemTextW(m_hWnd, id, text.c_str());
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace winfx
