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

struct WindowSearch {
    DWORD processId;
    std::wstring_view windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId != search.processId || className != search.windowClass ||
        !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// Polls for a visible top-level window of the process while the process runs.
HWND WaitForWindow(HANDLE process, DWORD processId, std::wstring_view windowClass,
                   int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += PollMilliseconds) {
        WindowSearch search{processId, windowClass};
        EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
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
