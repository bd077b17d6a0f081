#include "form1.h"
#include "message_box.h"
#include "platform.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

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

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        InitialiseCommonControls();
        velmora::Form1 form(instance, velmora::platform::ExecutableFolder(), MessageBoxW);
        form.ShowCentred(showCommand);
        return RunMessageLoop(form);
    } catch (const velmora::platform::SystemError& error) {
        velmora::ShowMessage(MessageBoxW, nullptr, error.message());
    } catch (const std::exception&) {
        velmora::ShowMessage(MessageBoxW, nullptr, L"Velmora could not start.");
    }
    return 1;
}
