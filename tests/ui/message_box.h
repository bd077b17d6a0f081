#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::ui {

// A message box as the user sees it.
struct MessageBoxView {
    std::wstring caption;
    std::wstring text;
    std::vector<std::wstring> buttons; // captions of the visible buttons
    bool showsIcon = false;
    HWND owner = nullptr;
    bool ownerEnabled = true; // a modal box disables its owner
};

MessageBoxView ReadMessageBox(HWND box);

// Presses the box's first button and waits until the box has gone.
void DismissMessageBox(HWND box);

} // namespace velmora::ui
