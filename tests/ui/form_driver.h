#pragma once

#include "control_ids.h"
#include "message_box.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velmora::ui {

// Drives Form1 of a running velmora.exe from outside, as a user does, and reads
// back what the user would see.
class FormDriver {
  public:
    explicit FormDriver(HWND form);

    HWND window() const noexcept { return form_; }
    HWND Control(ControlId id) const;

    std::wstring Text(ControlId id) const;
    bool Checked(ControlId id) const;
    // The control's rectangle in Form1's client coordinates.
    RECT ControlRect(ControlId id) const;
    POINT ToScreen(POINT client) const;
    // The control with the keyboard focus, or 0 when it is none of Form1's.
    int FocusedControl() const;
    // Form1's controls in stacking order, topmost first.
    std::vector<int> StackingOrder() const;

    // Clicks a button and returns when its click handler has returned. A message
    // box shown meanwhile is dismissed and reported as a DriverError.
    void Press(ControlId id) const;
    // Clicks a button that should end in a message box: reads the box, runs
    // whileOpen while it is still open, dismisses it and waits for the handler.
    MessageBoxView PressExpectingMessage(ControlId id,
                                         const std::function<void()>& whileOpen = {}) const;

    // A real mouse click at a point of Form1's client area.
    void ClickAt(POINT client) const;
    MessageBoxView ClickExpectingMessage(POINT client) const;

    // The message boxes the program has open, topmost first.
    std::vector<HWND> OpenMessageBoxes() const;

  private:
    // The first message box to open, or nothing once the handler has returned.
    HWND WaitForMessageBoxOr(const std::function<bool()>& handlerReturned) const;
    MessageBoxView AwaitMessage(const std::function<bool()>& handlerReturned,
                                const std::function<void()>& whileOpen) const;

    HWND form_;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

} // namespace velmora::ui
