#include "com_apartment.h"
#include "form1.h"
#include "message_box.h"
#include "module_folder.h"
#include "system_functions.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <string>

namespace {

// The manifest asks for Common Controls 6; this makes sure they are loaded.
void InitialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

int RunMessageLoop(velmora::Form1& form) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.TranslateKeyboard(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// The folder holding velmora.exe, as the system reports it.
std::wstring ProgramFolder() {
    return velmora::ModuleFolder(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

// A window destroyed on the way out of a failed start has posted a quit, which
// would end the message box's own loop before the user could read it.
void TellStartFailed(const std::wstring& message) {
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    velmora::ShowMessage(MessageBoxW, nullptr, message);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        // Before anything can make Windows load a DLL on demand.
        velmora::RestrictDllSearch();
        InitialiseCommonControls();
        const velmora::ComApartment com; // for screen readers
        velmora::Form1 form(instance, ProgramFolder(), MessageBoxW);
        form.ShowCentred(showCommand);
        return RunMessageLoop(form);
    } catch (...) {
        TellStartFailed(velmora::FailureMessage(std::current_exception()));
    }
    return 1;
}
