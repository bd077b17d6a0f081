#pragma once

#include <windows.h>

#include <vector>

namespace velmora::ui {

// The colours the user sees in a rectangle of the screen, row by row.
std::vector<COLORREF> CaptureScreen(const RECT& rect);

} // namespace velmora::ui
