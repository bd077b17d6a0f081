#include "dpi.h"

#include "unique_handle.h"

namespace velmora {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Function> Function Lookup(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    // Through a generic function pointer: a direct cast trips -Wcast-function-type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// user32 stays loaded for the life of the process, so the module handle needs no release.
template <typename Function> Function User32Function(const char* name) {
    return Lookup<Function>(GetModuleHandleW(L"user32.dll"), name);
}

// shcore.dll (Windows 8.1) is not one of the DLLs Windows always takes from
// System32, so it is loaded from there by full search rule, never from the
// program's folder. It stays loaded: its function is kept for the process.
GetDpiForMonitorFunction GetDpiForMonitorOfShcore() {
    return Lookup<GetDpiForMonitorFunction>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
}

// Windows 8.1: the effective DPI of the monitor the window is on.
UINT MonitorDpi(HWND window) {
    static const auto getDpiForMonitor = GetDpiForMonitorOfShcore();
    UINT x = 0, y = 0;
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (getDpiForMonitor == nullptr ||
        FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), EffectiveDpi,
                                &x, &y)))
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

UINT SystemDpi() {
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    return getDpiForSystem != nullptr ? getDpiForSystem() : ScreenDpi();
}

UINT DpiForWindow(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : MonitorDpi(window);
    return dpi != 0 ? dpi : SystemDpi();
}

void EnableFrameScaling(HWND window) {
    static const auto enable =
        User32Function<EnableNonClientDpiScalingFunction>("EnableNonClientDpiScaling");
    if (enable != nullptr)
        enable(window);
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi) {
    static const auto adjustForDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjustForDpi != nullptr)
        adjustForDpi(&rect, style, FALSE, extendedStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace velmora
