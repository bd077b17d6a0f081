#include "velmora_process.h"

#include "control_ids.h"

#include <stdexcept>

namespace velmora::testing {
// The first Form1 on the screen, if the process shows it.
static HWND ShownForm(DWORD processId) {
    const HWND form = FindWindowW(Form1ClassName, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(form, &owner);
    return owner == processId && IsWindowVisible(form) ? form : nullptr;
}

std::wstring TextOf(HWND window) {
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), L'\0');
    SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void EndProcess(HANDLE process) noexcept {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

VelmoraProcess::VelmoraProcess(const std::filesystem::path& executable,
                               const std::filesystem::path& workingFolder, int showCommand) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started))
        throw std::runtime_error("velmora.exe could not be started");
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    // Under Wine the first start of a session also starts Wine's own services.
    for (int waited = 0; (form_ = ShownForm(started.dwProcessId)) == nullptr; waited += 20)
        if (waited > 45'000 || WaitForSingleObject(started.hProcess, 20) != WAIT_TIMEOUT)
            throw std::runtime_error("velmora.exe showed no window");
}

DWORD VelmoraProcess::WaitForExit(DWORD milliseconds) const {
    WaitForSingleObject(process_.get(), milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

} // namespace velmora::testing
