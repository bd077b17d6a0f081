#pragma once

#include "control_ids.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "fonts.h"
#include "message_box.h"
#include "system_functions.h"
#include "unique_handle.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The program's one window: the controls of form1_controls.h, laid out at the
// window's DPI, and the click handlers that run the commands on the window model.
class Form1 {
  public:
    // Creates the window and its controls, hidden, on the monitor the user
    // started the program from. Refresh and Clear work on cleo\Temp.INI below
    // programFolder; every message goes through messageBox. Throws
    // platform::SystemError.
    Form1(HINSTANCE instance, std::wstring programFolder, MessageBoxFunction messageBox,
          const SystemFunctions& system = ProcessSystemFunctions());
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND window() const noexcept { return window_.get(); }

    // Shows the window centred on its monitor's work area, never maximised.
    void ShowCentred(int showCommand);

    // Tab, Shift+Tab and Ctrl+A in the list, which Form1 handles itself; true
    // when the message was used and must not be dispatched.
    bool TranslateKeyboard(const MSG& message);

  private:
    using Command = std::function<Status(WindowModel&)>;

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Layout and DPI (form1.cpp).
    void CreateControls();
    void LayoutControls();
    SIZE WindowSize(UINT dpi) const;
    void ApplyDpi(UINT dpi);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void KeepFrameWhenMaximised(MINMAXINFO& limits) const;
    void OnFrameChanged();
    void ClearAccessibleNames();
    void OnSystemColoursChanged(WPARAM wParam, LPARAM lParam);
    HWND Control(ControlId id) const;

    // Focus and keys (form1_keyboard.cpp).
    void MoveFocus(bool forward);
    void RememberFocus();
    void RestoreFocus();
    void FocusControl(HWND control);

    // Click handlers (form1_commands.cpp).
    void OnClick(int id);
    void OnRefreshClick();
    void OnImportClick();
    void OnUncheckClick();
    void OnClearClick();
    void OnTitleClick();
    void RunCommand(const Command& command);
    std::wstring Run(const Command& command, WindowModel& model);
    void Import(WindowModel& model);
    void RaiseClick(ControlId id);
    void PressCommand2();
    void Tell(std::wstring_view message);
    void TellFailure(const std::exception_ptr& failure) noexcept;

    HINSTANCE instance_;
    SystemFunctions system_;
    std::wstring programFolder_;
    MessageBoxFunction messageBox_;
    UINT dpi_ = 0;
    std::vector<ControlId> tabOrder_;
    HWND lastFocus_ = nullptr;
    FileSlot slot_;
    // The model of the command in progress, which Command2 works on when
    // Refresh presses it from code.
    WindowModel* runningModel_ = nullptr;
    // What stopped the import that Refresh started, carried back past the
    // window procedure, which an exception must not cross.
    std::exception_ptr importFailure_;
    // Declared before window_ so that the fonts outlive the controls that use them.
    std::optional<Form1Fonts> fonts_;
    UniqueWindow window_;
};

} // namespace velmora
