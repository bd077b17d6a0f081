#include "dpi.h"

#include "unique_handle.h"

namespace velmora {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// user32 stays loaded for the life of the process, so the module handle needs no release.
template <typename Function> Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return nullptr;
    // Through a generic function pointer: a direct cast trips -Wcast-function-type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
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
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

bool MessageFontMetrics(NONCLIENTMETRICSW& metrics, UINT dpi) {
    static const auto parametersForDpi =
        User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    if (parametersForDpi != nullptr)
        return parametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, dpi);
    // Older systems give the metrics at the system DPI.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return false;
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(SystemDpi()));
    return true;
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
