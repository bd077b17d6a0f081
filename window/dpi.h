#pragma once

#include <windows.h>

namespace velmora {

// The per-monitor DPI functions arrived with Windows 8.1 (shcore.dll) and 10
// (user32.dll); they are looked up at run time so that the program still
// starts on Windows 7, where every window has the system DPI.

// The DPI of the monitor the window is on, or the system DPI.
UINT DpiForWindow(HWND window);

UINT SystemDpi();

// Where only per-monitor DPI awareness v1 exists (Windows 10 1607), asks for
// the frame to be scaled with the client area; call it on WM_NCCREATE.
void EnableFrameScaling(HWND window);

// The outer size of a window whose client area has the given size, with the
// frame measured at the given DPI.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi);

} // namespace velmora
