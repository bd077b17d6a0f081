#pragma once

// Form1 created inside the test program, beside a temporary cleo\Temp.INI, with
// its message boxes recorded instead of shown.
#include "control_ids.h"
#include "form1.h"
#include "program_folder.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace velmora::testing {

// By WM_GETTEXT, which unlike GetWindowText also reads another process's controls.
inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)),
                      L'\0');
    SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

// The name a screen reader announces for the control.
inline std::wstring AccessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return L"(no accessible object)";
    BSTR name = nullptr;
    object->get_accName(VARIANT{{{VT_I4, 0, 0, 0, {.lVal = CHILDID_SELF}}}}, &name);
    std::wstring text = name != nullptr ? name : L"(no name)";
    SysFreeString(name);
    object->Release();
    return text;
}

struct RecordedMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
    std::wstring listWhileShown; // Text4 while the box is up
    HCURSOR cursor;
};

class Form1Test : public ::testing::Test {
  public:
    Form1Test() { form.ShowCentred(SW_SHOWNORMAL); }

    HWND Control(ControlId id) const { return GetDlgItem(form.window(), id); }
    std::wstring Text(ControlId id) const { return TextOf(Control(id)); }
    bool Checked(ControlId id) const { return IsDlgButtonChecked(form.window(), id) != 0; }
    void Press(ControlId id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    int Focused() const { return GetDlgCtrlID(GetFocus()); }
    // The list, then the three working fields.
    using Fields = std::array<std::wstring, 4>;
    Fields Shown() const { return {Text(IdText4), Text(IdText1), Text(IdText2), Text(IdText3)}; }

    // Runs the program's message loop (with Form1's own keys) until done() or a timeout.
    template <class Done> bool PumpUntil(Done done) {
        for (int waited = 0; !done(); waited += 5) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                if (!form.TranslateKeyboard(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            if (waited > 10'000)
                return false;
            Sleep(5);
        }
        return true;
    }

    ProgramFolder folder;
    std::vector<RecordedMessage> messages;
    Form1 form{GetModuleHandleW(nullptr), folder.programFolder(),
               [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
                   messages.push_back({owner, text, caption, type, Text(IdText4), GetCursor()});
                   return IDOK;
               }};
};

} // namespace velmora::testing
