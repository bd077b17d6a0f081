#pragma once

#include <windows.h>

namespace velmora {

// Where Form1 goes: rectangle arithmetic, kept pure so that a test can check
// it for monitors that the test machine does not have.

// A rectangle of the given size with the same centre as on; an odd pixel left
// over goes right or down.
constexpr RECT CentredOn(const RECT& on, SIZE size) {
    const LONG left = on.left + (on.right - on.left - size.cx) / 2;
    const LONG top = on.top + (on.bottom - on.top - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

// Centred in a monitor's work area, but never with its caption above or left
// of it, out of the user's reach, when the window is larger than the area.
constexpr RECT CentredInWorkArea(const RECT& work, SIZE size) {
    RECT rect = CentredOn(work, size);
    const LONG right = rect.left < work.left ? work.left - rect.left : 0;
    const LONG down = rect.top < work.top ? work.top - rect.top : 0;
    return {rect.left + right, rect.top + down, rect.right + right, rect.bottom + down};
}

// The monitor Velmora opens on: the one holding the taskbar or jump list that
// started it, which Windows 8 and later pass in the startup information, or
// else the one holding the mouse pointer.
HMONITOR StartMonitor();

MONITORINFO MonitorInfo(HMONITOR monitor);

} // namespace velmora
