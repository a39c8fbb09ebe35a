#include "pose.h"

#include <cstdio>

#include "session.h"
#include "ui/resource.h"

namespace {

const std::wstring kSampleB =
    L"|期|売 上 高|経 常 利 益|当 期 純 利 益|総 資 産|純 資 産|\r\n"
    L"|第３９期|4,081,813|353,332|206,181|7,439,678|6,741,363|\r\n"
    L"|第３８期|3,557,147|299,572|165,716|7,270,035|6,666,887|\r\n"
    L"|第３７期|3,494,734|280,372|69,853|7,307,429|6,734,343|\r\n"
    L"|第３６期|3,463,297|282,972|147,812|7,489,828|6,899,663|\r\n"
    L"|第３５期|3,533,997|380,940|203,325|7,516,313|6,854,183|";

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
