#include "velmora_process.h"

#include "control_ids.h"

#include <stdexcept>

namespace velmora::testing {

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

} // namespace velmora::testing
