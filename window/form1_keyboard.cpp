#include "form1.h"

#include "control_ids.h"
#include "tab_order.h"

namespace velmora {

bool Form1::TranslateKeyboard(const MSG& message) {
    if (message.message != WM_KEYDOWN || !window_)
        return false;
    if (message.hwnd != window_.get() && !IsChild(window_.get(), message.hwnd))
        return false;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    // A key held down repeats (bit 30: it was down already); a command runs once.
    const bool repeated = (message.lParam & (1 << 30)) != 0;
    // Ctrl+Alt is AltGr, which types characters on many keyboards.
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (message.wParam == VK_TAB && !control && !alt) {
        MoveFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    // Users copy the whole list; older edit controls do not know Ctrl+A.
    if (message.wParam == 'A' && control && !alt && message.hwnd == Control(IdText4)) {
        SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
        return true;
    }
    // F5 reloads, as in other Windows programs that show data. Sent as
    // Refresh's click, so that it runs where every click runs.
    if (message.wParam == VK_F5 && !control && !alt) {
        if (!repeated)
            RaiseClick(IdCommand1);
        return true;
    }
    // As in dialogs, Enter presses the focused push button (Space already does).
    const auto dialogCode = SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0);
    if (message.wParam == VK_RETURN && !control && !alt &&
        (dialogCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        if (!repeated)
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

void Form1::MoveFocus(bool forward) {
    const HWND focused = GetFocus();
    std::optional<ControlId> current;
    if (focused != nullptr && IsChild(window_.get(), focused))
        current = static_cast<ControlId>(GetDlgCtrlID(focused));
    const HWND next = Control(NextInTabOrder(tabOrder_, current, forward));
    FocusControl(next);
    // As in dialogs: a field reached by Tab has its text selected, and focus
    // rectangles show from the first key on.
    if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
        SendMessageW(next, EM_SETSEL, 0, -1);
    SendMessageW(window_.get(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// The focus goes back to the control that had it when the window is activated again.
void Form1::RememberFocus() {
    const HWND focused = GetFocus();
    if (focused != nullptr && IsChild(window_.get(), focused))
        lastFocus_ = focused;
}

void Form1::RestoreFocus() {
    FocusControl(lastFocus_);
}

// An automatic radio button selects itself when it receives the focus, but
// Option1 is selected only by a click (or Space): moving the focus keeps its
// selection as it was.
void Form1::FocusControl(HWND control) {
    const HWND option = Control(IdOption1);
    const LRESULT selection = SendMessageW(option, BM_GETCHECK, 0, 0);
    SetFocus(control);
    if (SendMessageW(option, BM_GETCHECK, 0, 0) != selection)
        SendMessageW(option, BM_SETCHECK, static_cast<WPARAM>(selection), 0);
}

} // namespace velmora
