#pragma once

#include "driver_error.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::ui {

// Sends a message to a window of the program under test; throws when it hangs.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The text of a window of another process. GetWindowText would return only the
// caption it keeps for top-level windows, never the text of an edit field.
std::wstring WindowText(HWND window);

std::wstring ClassName(HWND window);

// For failure messages, which GoogleTest prints as 8-bit text.
std::string Utf8(std::wstring_view text);

} // namespace velmora::ui
