#include "placement.h"

namespace velmora {

HMONITOR StartMonitor() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    // Only without standard handles may hStdOutput hold a monitor; GetMonitorInfo
    // tells whether it does.
    const auto named = static_cast<HMONITOR>(startup.hStdOutput);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if ((startup.dwFlags & STARTF_USESTDHANDLES) == 0 && named != nullptr &&
        GetMonitorInfoW(named, &info))
        return named;
    POINT pointer{};
    GetCursorPos(&pointer);
    return MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
}

MONITORINFO MonitorInfo(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info;
}

} // namespace velmora
