// One running Zentab.exe, driven from outside as a person would: through its
// windows' messages only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Polls until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

class Session {
  public:
    explicit Session(const std::wstring& exePath);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Started() const { return m_main != nullptr; }
    HWND Main() const { return m_main; }
    HWND Control(int id) const { return GetDlgItem(m_main, id); }
    DWORD ThreadId() const { return m_process.dwThreadId; }

    // A visible top-level window of the app with this caption, owned by owner
    // when owner is given; null if there is none.
    HWND FindWindowByCaption(const std::wstring& caption, HWND owner = nullptr) const;
    HWND WaitForWindow(const std::wstring& caption, HWND owner = nullptr) const;
    bool WaitForNoWindow(const std::wstring& caption) const;
    HWND FocusedWindow() const;
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    // Leaves the program running when the session ends.
    void Detach() { m_detached = true; }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    bool m_detached = false;
};

std::wstring TextOf(HWND window);
std::string ShiftJisOf(HWND window);
void SetTextOf(HWND window, const std::wstring& text);
void SetShiftJisOf(HWND window, const std::string& bytes);

void Click(HWND button);      // returns when the click is handled
void PostClick(HWND button);  // for a click that opens a message box
void PostMouseClick(HWND window);
void PostKey(HWND window, WPARAM key);
void PostChar(HWND window, wchar_t character);
// Real key strokes to the foreground window: modifier held around key.
void TypeChord(WORD modifier, WORD key);

// The text of a message box (its static control) and whether it shows an icon.
std::wstring MessageTextOf(HWND box);
bool HasIcon(HWND box);
void CloseMessageBox(HWND box);

bool Checked(HWND radio);
bool Enabled(HWND window);
bool Visible(HWND window);
