// A test-only hook that runs inside velmora.exe, where the window's class icon and
// the controls' fonts can be read; Wine does not pass them between processes. It
// answers a probe message posted to Form1 by leaving what it found as window
// properties, which other processes can read.
#include "probe_protocol.h"

#include <windows.h>

namespace {

void Record(HWND window, const wchar_t* name, LONG value) {
    SetPropW(window, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value)));
}

void RecordFont(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (font == nullptr || GetObjectW(font, sizeof description, &description) == 0)
        return; // no font of its own: the system font; nothing recorded
    Record(control, velmora::ui::probe::FontHeight, description.lfHeight);
    Record(control, velmora::ui::probe::FontWeight, description.lfWeight);
}

// IDI_APPLICATION, as the wide-character function takes it.
const auto StockApplicationIcon = MAKEINTRESOURCEW(32512);

// The icon the window shows at a size: its own (WM_SETICON), else its class's.
HICON ShownIcon(HWND form, WPARAM size, int classIndex) {
    const auto own = reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, size, 0));
    return own != nullptr ? own : reinterpret_cast<HICON>(GetClassLongPtrW(form, classIndex));
}

void RecordIcons(HWND form) {
    const HICON stock = LoadIconW(nullptr, StockApplicationIcon);
    const HICON bigIcon = ShownIcon(form, ICON_BIG, GCLP_HICON);
    const HICON smallIcon = ShownIcon(form, ICON_SMALL, GCLP_HICONSM);
    Record(form, velmora::ui::probe::OwnIcon,
           bigIcon != nullptr && bigIcon != stock && smallIcon != nullptr && smallIcon != stock);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VelmoraProbeHook(int code, WPARAM removal, LPARAM message) {
    const auto* posted = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE &&
        posted->message == RegisterWindowMessageW(velmora::ui::probe::Message)) {
        RecordIcons(posted->hwnd);
        for (HWND child = GetWindow(posted->hwnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            RecordFont(child);
        Record(posted->hwnd, velmora::ui::probe::Done, 1);
    }
    return CallNextHookEx(nullptr, code, removal, message);
}
