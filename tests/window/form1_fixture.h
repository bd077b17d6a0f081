#pragma once

// Form1 created inside the test program, beside a temporary cleo\Temp.INI, with
// its message boxes recorded instead of shown.
#include "form1.h"
#include "program_folder.h"

#include <gtest/gtest.h>

namespace velmora::testing {

// By WM_GETTEXT, which unlike GetWindowText also reads another process's controls.
inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1,
                      L'\0');
    text.resize(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

class Form1Test : public ::testing::Test {
  public:
    Form1Test() { form.ShowCentred(SW_SHOWNORMAL); }

    HWND Control(ControlId id) const { return GetDlgItem(form.window(), id); }
    std::wstring Text(ControlId id) const { return TextOf(Control(id)); }

    // Runs the program's message loop, with Form1's own keys, until nothing is left to do.
    void Pump() {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            if (!form.TranslateKeyboard(message))
                DispatchMessageW(&message);
    }

    ProgramFolder folder;
    std::vector<std::wstring> messages;
    Form1 form{GetModuleHandleW(nullptr), folder.programFolder(),
               [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
                   EXPECT_EQ(std::pair(owner, type), std::pair(form.window(), UINT{MB_OK}));
                   messages.push_back(caption + (L": " + std::wstring(text)));
                   return IDOK;
               }};
};

} // namespace velmora::testing
