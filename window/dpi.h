#pragma once

#include <windows.h>

namespace velmora {

// The per-monitor DPI functions arrived with Windows 10 (1607); they are looked
// up at run time so that the program still starts on Windows 7, where every
// window has the system DPI.

// The DPI of the monitor the window is on, or the system DPI.
UINT DpiForWindow(HWND window);

UINT SystemDpi();

// The outer size of a window whose client area has the given size, with the
// frame measured at the given DPI.
// The system's non-client metrics (the message font among them) at the given DPI.
bool MessageFontMetrics(NONCLIENTMETRICSW& metrics, UINT dpi);

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi);

} // namespace velmora
