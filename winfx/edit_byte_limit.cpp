#include "winfx/edit_byte_limit.h"

#include <commctrl.h>

#include "winfx/window.h"

namespace winfx {

namespace {

constexpr UINT_PTR kSubclassId = 0x4254;  // one limit per control

struct Limit {
    size_t maxBytes;
    UINT codePage;
};

// The limit travels in the subclass reference data, so no memory is owned.
DWORD_PTR Pack(const Limit& limit) {
    return (static_cast<DWORD_PTR>(limit.codePage) << 32) | (limit.maxBytes & 0xFFFFFFFFu);
}

Limit Unpack(DWORD_PTR data) {
    return Limit{static_cast<size_t>(data & 0xFFFFFFFFu), static_cast<UINT>(data >> 32)};
}

bool IsSurrogatePair(const std::wstring& text, size_t index) {
    return index + 1 < text.size() && IS_HIGH_SURROGATE(text[index]) &&
           IS_LOW_SURROGATE(text[index + 1]);
}

std::wstring SelectedText(HWND edit, const std::wstring& text) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > end || end > text.size()) {
        return std::wstring();
    }
    return text.substr(start, end - start);
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) {
        return text;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != nullptr) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Pastes as much of the clipboard text as fits, as the control's own limit does.
void PasteWithinLimit(HWND edit, const Limit& limit) {
    const std::wstring text = WindowText(edit);
    const size_t keptBytes =
        ByteLength(text, limit.codePage) - ByteLength(SelectedText(edit, text), limit.codePage);
    const size_t room = keptBytes < limit.maxBytes ? limit.maxBytes - keptBytes : 0;
    const std::wstring pasted = ClipboardText(edit);
    const std::wstring fitting = FitToBytes(pasted, room, limit.codePage);
    if (fitting.size() < pasted.size()) {
        MessageBeep(0);
    }
    if (!fitting.empty()) {
        DefSubclassProc(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
    }
}

bool IsShiftInsert(WPARAM key) {
    return key == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) != 0 &&
           (GetKeyState(VK_CONTROL) & 0x8000) == 0;
}

// Lets the control handle a message that may change its text, and takes the
// change back when it would break the limit.
LRESULT GuardedEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, const Limit& limit) {
    const std::wstring before = WindowText(edit);
    DWORD selStart = 0;
    DWORD selEnd = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    const std::wstring after = WindowText(edit);
    if (after.size() == before.size() && after == before) {
        return result;
    }
    if (!EditWithinLimit(ByteLength(before, limit.codePage), ByteLength(after, limit.codePage),
                         limit.maxBytes)) {
        DefSubclassProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        SendMessageW(edit, EM_SETSEL, selStart, selEnd);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
        MessageBeep(0);
    }
    return result;
}

LRESULT CALLBACK LimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    switch (message) {
        case WM_PASTE:
            PasteWithinLimit(edit, Unpack(data));
            return 0;
        case WM_KEYDOWN:
            // Shift+Insert pastes inside the control, without a WM_PASTE.
            if (IsShiftInsert(wParam)) {
                PasteWithinLimit(edit, Unpack(data));
                return 0;
            }
            return GuardedEdit(edit, message, wParam, lParam, Unpack(data));
        case WM_CHAR:
        case WM_IME_CHAR:
        case WM_IME_COMPOSITION:
        case EM_REPLACESEL:
        case WM_UNDO:
        case EM_UNDO:
            return GuardedEdit(edit, message, wParam, lParam, Unpack(data));
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, LimitProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

size_t ByteLength(const std::wstring& text, UINT codePage) {
    if (text.empty()) {
        return 0;
    }
    const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    return static_cast<size_t>(length);
}

std::wstring FitToBytes(const std::wstring& text, size_t maxBytes, UINT codePage) {
    size_t used = 0;
    size_t end = 0;
    while (end < text.size()) {
        const size_t units = IsSurrogatePair(text, end) ? 2 : 1;
        const size_t bytes = ByteLength(text.substr(end, units), codePage);
        if (used + bytes > maxBytes) {
            break;
        }
        used += bytes;
        end += units;
    }
    return text.substr(0, end);
}

bool EditWithinLimit(size_t oldBytes, size_t newBytes, size_t maxBytes) {
    return newBytes <= maxBytes || newBytes <= oldBytes;
}

void LimitEditBytes(HWND edit, size_t maxBytes, UINT codePage) {
    SetWindowSubclass(edit, LimitProc, kSubclassId, Pack(Limit{maxBytes, codePage}));
}

}  // namespace winfx
