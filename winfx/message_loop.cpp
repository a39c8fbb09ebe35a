#include "winfx/message_loop.h"

#include <algorithm>
#include <vector>

namespace winfx {

namespace {

std::vector<HWND>& DialogWindows() {
    static std::vector<HWND> windows;
    return windows;
}

void Dispatch(MSG& message) {
    if (!RouteDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void RegisterDialogWindow(HWND dialog) {
    DialogWindows().push_back(dialog);
}

void UnregisterDialogWindow(HWND dialog) {
    auto& windows = DialogWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), dialog), windows.end());
}

bool RouteDialogMessage(MSG& message) {
    // A copy: a dialog may be created or destroyed while the message is handled.
    const std::vector<HWND> windows = DialogWindows();
    for (HWND dialog : windows) {
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) {
            return true;
        }
    }
    return false;
}

bool PumpMessagesUntil(const bool& done) {
    MSG message;
    while (!done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0) {
            return false;
        }
        Dispatch(message);
    }
    return true;
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace winfx
