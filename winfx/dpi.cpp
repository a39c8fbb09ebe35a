#include "winfx/dpi.h"

namespace winfx {

namespace {

// Looked up, not imported, so that the program still starts on Windows 7 and 8.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT WindowDpi(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<GetDpi>("GetDpiForWindow");
    if (getDpi != nullptr && window != nullptr) {
        return getDpi(window);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

int MetricForWindow(HWND window, int index) {
    using GetMetric = int(WINAPI*)(int, UINT);
    static const auto getMetric = User32Function<GetMetric>("GetSystemMetricsForDpi");
    if (getMetric != nullptr) {
        return getMetric(index, WindowDpi(window));
    }
    return GetSystemMetrics(index);
}

}  // namespace winfx
