#pragma once

#include "control_ids.h"
#include "unique_handle.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace velmora::testing {

// A window's text by WM_GETTEXT, which unlike GetWindowText also reads another
// process's controls.
inline std::wstring TextOf(HWND window) {
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), L'\0');
    SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

// Ends the process if it still runs, and lets its handle go.
inline void EndProcess(HANDLE process) noexcept {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

// A velmora.exe started from outside, as a user starts it, with its Form1
// found; ended when this goes. Shared by the window tests and bench/.
class VelmoraProcess {
  public:
    // The working folder may differ from the program's own on purpose: the
    // program must find its file beside its executable. showCommand is what a
    // shortcut's "Run:" setting asks for.
    VelmoraProcess(const std::filesystem::path& executable,
                   const std::filesystem::path& workingFolder, int showCommand = SW_SHOWDEFAULT) {
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
        // Its Form1, once shown. Under Wine the first start of a session also
        // starts Wine's own services.
        for (int waited = 0;; waited += 20) {
            form_ = FindWindowW(Form1ClassName, nullptr);
            DWORD owner = 0;
            GetWindowThreadProcessId(form_, &owner);
            if (owner == started.dwProcessId && IsWindowVisible(form_))
                return;
            if (waited > 45'000 || WaitForSingleObject(started.hProcess, 20) != WAIT_TIMEOUT)
                throw std::runtime_error("velmora.exe showed no window");
        }
    }

    HWND form() const noexcept { return form_; }

    // Waited on for its exit code.
    HANDLE process() const noexcept { return process_.get(); }

  private:
    UniqueHandle<HANDLE, &EndProcess> process_;
    HWND form_ = nullptr;
};

} // namespace velmora::testing
