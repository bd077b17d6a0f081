#pragma once

#include <windows.h>

#include <string_view>

namespace velmora::ui {

// Real input, as from the mouse and keyboard: it goes through the system's input
// queue to whatever window is under the cursor or has the focus.

// A left click at a point on the screen.
void ClickAt(POINT screen);

// A key pressed and released, optionally while a modifier (VK_SHIFT, VK_CONTROL) is held.
void PressKey(WORD key, WORD modifier = 0);

// Typed characters, whatever the keyboard layout.
void Type(std::wstring_view text);

} // namespace velmora::ui
