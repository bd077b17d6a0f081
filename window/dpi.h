#pragma once

#include "system_functions.h"

#include <windows.h>

namespace velmora {

// The per-monitor DPI functions arrived with Windows 8.1 (shcore.dll) and 10
// (user32.dll); where they are absent every window has the system DPI.

// The DPI of the monitor the window is on, or the system DPI.
UINT DpiForWindow(const SystemFunctions& system, HWND window);

UINT SystemDpi(const SystemFunctions& system);

// Where only per-monitor DPI awareness v1 exists (Windows 10 1607), asks for
// the frame to be scaled with the client area; call it on WM_NCCREATE.
void EnableFrameScaling(const SystemFunctions& system, HWND window);

// The outer size of a window whose client area has the given size, with the
// frame measured at the given DPI where Windows draws it so.
SIZE WindowSizeForClient(const SystemFunctions& system, SIZE client, DWORD style,
                         DWORD extendedStyle, UINT dpi);

} // namespace velmora
