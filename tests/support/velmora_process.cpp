#include "velmora_process.h"

#include "control_ids.h"

#include <stdexcept>
#include <string>

namespace velmora::testing {
namespace {

// Under Wine the first start of a session also starts Wine's own services.
constexpr int StartupMilliseconds = 45'000;
constexpr int ReactionMilliseconds = 10'000;
constexpr int PollMilliseconds = 20;

// Polls for a visible top-level window of the class and process while the process runs.
HWND WaitForWindow(HANDLE process, DWORD processId, const wchar_t* windowClass, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += PollMilliseconds) {
        for (HWND window = nullptr;
             (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        if (WaitForSingleObject(process, PollMilliseconds) != WAIT_TIMEOUT)
            break;
    }
    return nullptr;
}

} // namespace

VelmoraProcess::VelmoraProcess(const std::filesystem::path& executable,
                               const std::filesystem::path& workingFolder, int showCommand) {
    std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started))
        throw std::runtime_error("velmora.exe could not be started, error " +
                                 std::to_string(GetLastError()));
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
    form_ = WaitForWindow(process_, id_, Form1ClassName, StartupMilliseconds);
    if (form_ == nullptr) {
        TerminateProcess(process_, 1);
        CloseHandle(process_);
        throw std::runtime_error("velmora.exe showed no window");
    }
}

VelmoraProcess::~VelmoraProcess() {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

HWND VelmoraProcess::WaitForMessageBox() const {
    return WaitForWindow(process_, id_, L"#32770", ReactionMilliseconds);
}

std::optional<DWORD> VelmoraProcess::WaitForExit(DWORD milliseconds) const {
    DWORD code = 0;
    if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

} // namespace velmora::testing
