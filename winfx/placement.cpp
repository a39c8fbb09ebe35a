#include "winfx/placement.h"

namespace winfx {

namespace {

LONG Clamp(LONG start, LONG size, LONG low, LONG high) {
    if (start + size > high) {
        start = high - size;
    }
    return start < low ? low : start;
}

}  // namespace

RECT CentredWithin(const RECT& window, const RECT& area, const RECT& work) {
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG left =
        Clamp(area.left + (area.right - area.left - width) / 2, width, work.left, work.right);
    const LONG top =
        Clamp(area.top + (area.bottom - area.top - height) / 2, height, work.top, work.bottom);
    return RECT{left, top, left + width, top + height};
}

RECT WorkAreaOf(HWND window) {
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return info.rcWork;
}

}  // namespace winfx
