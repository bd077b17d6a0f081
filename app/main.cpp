#include "com_apartment.h"
#include "form1.h"
#include "message_box.h"
#include "platform.h"
#include "system_error.h"
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

// The folder holding velmora.exe, as the system reports it: no trailing
// backslash, except at a drive's root ("C:\").
std::wstring ProgramFolder() {
    // No MAX_PATH limit: a name cut short fills the whole buffer, which then grows.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    if (length == 0)
        throw velmora::SystemFailure(velmora::FindFolderFailed,
                                     velmora::platform::LastErrorExplanation());
    path.resize(length);
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    if (folder.ends_with(L':'))
        folder += L'\\';
    return folder;
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
