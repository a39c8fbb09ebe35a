// The main window at the display's DPI: drawn by the program at that DPI, not
// stretched by the system, so text stays sharp and frames line up.
#include <string>

#include "check.h"
#include "scenarios.h"
#include "session.h"
#include "steps.h"
#include "ui/resource.h"

namespace {

UINT DpiOf(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpi != nullptr ? getDpi(window) : 0;
}

POINT CharacterAt(HWND edit, int index) {
    const auto position = static_cast<DWORD>(SendMessageW(edit, EM_POSFROMCHAR, index, 0));
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

}  // namespace

void DpiScenario(const std::wstring& exe, UINT dpi) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "dpi: start");
        return;
    }
    const std::string at = " at " + std::to_string(dpi) + " DPI";
    Check(DpiOf(app.Main()) == dpi, "dpi: the main window runs" + at);
    // Where the box puts each character shows the font it draws with.
    HWND output = app.Control(IDC_OUTPUT);
    SetTextOf(output, L"\u2503ab\r\nc");
    const LONG box = CharacterAt(output, 1).x - CharacterAt(output, 0).x;
    const LONG ascii = CharacterAt(output, 2).x - CharacterAt(output, 1).x;
    const LONG line = CharacterAt(output, 5).y - CharacterAt(output, 0).y;
    Check(ascii > 0 && box == 2 * ascii,
          "dpi: in OUTPUT a box-drawing character is two ASCII characters wide" + at + " (" +
              std::to_string(box) + " and " + std::to_string(ascii) + " pixels)");
    const double points = static_cast<double>(line) * 72 / dpi;
    Check(points >= 8.5 && points <= 11,
          "dpi: OUTPUT's 9-point font has lines of " + std::to_string(line) + " pixels" + at);
    // 248 dialog units of a 9-point font are about 3.9 inches at any DPI.
    RECT area{};
    GetWindowRect(output, &area);
    const double inches = static_cast<double>(area.right - area.left) / dpi;
    Check(inches > 3.3 && inches < 4.5,
          "dpi: OUTPUT is " + std::to_string(area.right - area.left) + " pixels wide" + at);

    PostMessageW(app.Main(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = app.WaitForWindow(kAboutCaption, app.Main());
    Check(about != nullptr && SameCentre(WindowRect(about), WindowRect(app.Main())),
          "dpi: the About box opens centred over the main window" + at);
}
