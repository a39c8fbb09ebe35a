#include "pose.h"

#include <cstdio>

#include "samples_as_shown.h"
#include "session.h"
#include "ui/resource.h"

namespace {

constexpr int kMargin = 16;

}  // namespace

int PoseForScreenshot(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        return 1;
    }
    SetWindowPos(app.Main(), nullptr, kMargin, kMargin, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetTextOf(app.Control(IDC_INPUT), kSampleB);
    Click(app.Control(IDC_SETTING));
    HWND setting = app.WaitForWindow(L"SETTING", app.Main());
    if (setting == nullptr) {
        return 1;
    }
    Click(GetDlgItem(setting, IDC_FRAME_TYPE5));
    Click(GetDlgItem(setting, IDC_POSITION_D));
    Click(app.Control(IDC_CREATE_FRAME));

    RECT main{};
    GetWindowRect(app.Main(), &main);
    SetWindowPos(setting, nullptr, main.right + kMargin, main.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT side{};
    GetWindowRect(setting, &side);
    const LONG right = side.right > main.right ? side.right : main.right;
    const LONG bottom = side.bottom > main.bottom ? side.bottom : main.bottom;
    std::printf("%ldx%ld+%ld+%ld\n", right - main.left + 2 * kMargin,
                bottom - main.top + 2 * kMargin, main.left - kMargin, main.top - kMargin);
    app.Detach();
    return 0;
}
