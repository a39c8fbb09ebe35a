#include "session.h"

#include <vector>

#include "winfx/text_codec.h"

namespace {

constexpr int kInputId = 1000;
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 0x0440;

struct Search {
    DWORD processId;
    std::wstring caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (TextOf(window) != search->caption) {
        return TRUE;
    }
    if (search->owner != nullptr && GetWindow(window, GW_OWNER) != search->owner) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

Session::Session(const std::wstring& exePath) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_process)) {
        return;
    }
    WaitUntil([this] {
        HWND main = FindWindowByCaption(L"Zentab");
        if (main != nullptr && GetDlgItem(main, kInputId) != nullptr) {
            m_main = main;
        }
        return m_main != nullptr;
    });
}

Session::~Session() {
    if (m_process.hProcess == nullptr) {
        return;
    }
    if (!m_detached && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Session::FindWindowByCaption(const std::wstring& caption, HWND owner) const {
    Search search{m_process.dwProcessId, caption, owner, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Session::WaitForWindow(const std::wstring& caption, HWND owner) const {
    HWND found = nullptr;
    WaitUntil([&] {
        found = FindWindowByCaption(caption, owner);
        return found != nullptr;
    });
    return found;
}

bool Session::WaitForNoWindow(const std::wstring& caption) const {
    return WaitUntil([&] { return FindWindowByCaption(caption) == nullptr; });
}

HWND Session::FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(m_process.dwThreadId, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool Session::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring TextOf(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<size_t>(copied));
}

std::string ShiftJisOf(HWND window) {
    return winfx::Narrow(TextOf(window), 932);
}

void SetTextOf(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetShiftJisOf(HWND window, const std::string& bytes) {
    SetTextOf(window, winfx::Widen(bytes, 932));
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

void PostClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PostMouseClick(HWND window) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void PostKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void PostChar(HWND window, wchar_t character) {
    PostMessageW(window, WM_CHAR, character, 1);
}

void TypeChord(WORD modifier, WORD key) {
    INPUT inputs[4] = {};
    const WORD keys[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

std::wstring MessageTextOf(HWND box) {
    return TextOf(GetDlgItem(box, kMessageTextId));
}

bool HasIcon(HWND box) {
    HWND icon = GetDlgItem(box, kMessageIconId);
    return icon != nullptr && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
}

void CloseMessageBox(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

bool Checked(HWND radio) {
    return SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool Visible(HWND window) {
    return window != nullptr && IsWindowVisible(window) != FALSE;
}
