// Drives Zentab.exe through its windows and prints one line per check.
// Usage: zentab_e2e_driver [--pose] <path of Zentab.exe>
// --pose only sets the app up for a screenshot and leaves it running.
#include <windows.h>

#include <cstdio>
#include <string>

#include "check.h"
#include "dpi_awareness.h"
#include "pose.h"
#include "scenarios.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zentab_e2e_driver [--pose] <Zentab.exe>\n");
        return 2;
    }
    BecomeDpiAware();
    if (argc == 3 && std::wstring(argv[1]) == L"--pose") {
        return PoseForScreenshot(argv[2]);
    }
    const std::wstring exe = argv[1];
    std::printf("code page %u\n", GetACP());
    DpiScenario(exe, DisplayDpi());
    StartUpScenario(exe);
    SettingScenario(exe);
    MessageScenario(exe);
    UnholdableTextScenario(exe);
    ClearAndFirstFocusScenario(exe);
    KeyboardScenario(exe);
    CopyScenario(exe);
    AboutScenario(exe);
    InputLimitScenario(exe);
    ExitScenario(exe);
    std::printf("%d failed\n", FailureCount());
    return FailureCount() == 0 ? 0 : 1;
}
