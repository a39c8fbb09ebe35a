#include "clipboard_access.h"

#include <cstring>

namespace {

class OpenedClipboard {
  public:
    OpenedClipboard() {
        for (int attempt = 0; attempt < 50 && !m_open; ++attempt) {
            m_open = OpenClipboard(nullptr) != FALSE;
            if (!m_open) {
                Sleep(20);
            }
        }
    }
    ~OpenedClipboard() {
        if (m_open) {
            CloseClipboard();
        }
    }
    bool Open() const { return m_open; }

  private:
    bool m_open = false;
};

}  // namespace

void PutUnicodeOnClipboard(const std::wstring& text) {
    OpenedClipboard clipboard;
    if (!clipboard.Open()) {
        return;
    }
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text.c_str(), size);
    GlobalUnlock(block);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
}

std::wstring UnicodeOnClipboard() {
    OpenedClipboard clipboard;
    HANDLE data = clipboard.Open() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (data == nullptr) {
        return std::wstring();
    }
    std::wstring text(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    return text;
}

ClipboardText TextOnClipboard() {
    OpenedClipboard clipboard;
    HANDLE data = clipboard.Open() ? GetClipboardData(CF_TEXT) : nullptr;
    if (data == nullptr) {
        return ClipboardText{std::string(), false};
    }
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    const size_t size = GlobalSize(data);
    const size_t length = strnlen(bytes, size);
    ClipboardText text{std::string(bytes, length), length < size};
    GlobalUnlock(data);
    return text;
}

LCID LocaleOnClipboard() {
    OpenedClipboard clipboard;
    HANDLE data = clipboard.Open() ? GetClipboardData(CF_LOCALE) : nullptr;
    if (data == nullptr) {
        return 0;
    }
    const LCID locale = *static_cast<const LCID*>(GlobalLock(data));
    GlobalUnlock(data);
    return locale;
}
