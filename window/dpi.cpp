#include "dpi.h"

#include "unique_handle.h"

namespace velmora {
namespace {

// Windows 8.1: the effective DPI of the monitor the window is on; 0 where unknown.
UINT MonitorDpi(const SystemFunctions& system, HWND window) {
    UINT x = 0, y = 0;
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (system.getDpiForMonitor == nullptr ||
        FAILED(system.getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                       EffectiveDpi, &x, &y)))
        return 0;
    return y;
}

UINT ScreenDpi() {
    const UniqueScreenContext screen(GetDC(nullptr));
    if (!screen)
        return USER_DEFAULT_SCREEN_DPI;
    return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

} // namespace

UINT SystemDpi(const SystemFunctions& system) {
    return system.getDpiForSystem != nullptr ? system.getDpiForSystem() : ScreenDpi();
}

UINT DpiForWindow(const SystemFunctions& system, HWND window) {
    const UINT dpi = system.getDpiForWindow != nullptr ? system.getDpiForWindow(window)
                                                       : MonitorDpi(system, window);
    return dpi != 0 ? dpi : SystemDpi(system);
}

void EnableFrameScaling(const SystemFunctions& system, HWND window) {
    if (system.enableNonClientDpiScaling != nullptr)
        system.enableNonClientDpiScaling(window);
}

SIZE WindowSizeForClient(const SystemFunctions& system, SIZE client, DWORD style,
                         DWORD extendedStyle, UINT dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    // Before Windows 10 the frame has the system DPI on every monitor.
    if (system.adjustWindowRectExForDpi != nullptr)
        system.adjustWindowRectExForDpi(&rect, style, FALSE, extendedStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace velmora
