// A thin wrapper over a window handle with the child-control helpers that
// dialogs need.
#pragma once

#include <windows.h>

#include <string>

namespace winfx {

class Window {
  public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    bool Exists() const { return m_hWnd != nullptr && IsWindow(m_hWnd); }

    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    LRESULT SendItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void EnableItem(int id, bool enable) const;
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const;

    void Show(int command) const { ShowWindow(m_hWnd, command); }
    bool Iconic() const { return IsIconic(m_hWnd) != FALSE; }

  protected:
    HWND m_hWnd = nullptr;
};

std::wstring WindowText(HWND window);

}  // namespace winfx
