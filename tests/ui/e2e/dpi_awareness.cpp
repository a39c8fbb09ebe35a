#include "dpi_awareness.h"

void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    // -4: per-monitor aware, version 2.
    if (setContext == nullptr || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) {
        SetProcessDPIAware();
    }
}

UINT DisplayDpi() {
    DWORD dpi = 0;
    DWORD size = sizeof dpi;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD,
                     nullptr, &dpi, &size) != ERROR_SUCCESS ||
        dpi == 0) {
        return 96;
    }
    return dpi;
}
