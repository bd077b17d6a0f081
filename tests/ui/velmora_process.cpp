#include "velmora_process.h"

#include "control_ids.h"
#include "driver_error.h"
#include "wait.h"

#include <string>

namespace velmora::ui {

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId == search.processId && IsWindowVisible(window) &&
        std::wstring_view(className) == search.windowClass)
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* windowClass) {
    WindowSearch search{processId, windowClass, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

VelmoraProcess::VelmoraProcess(const std::filesystem::path& executable,
                               const std::filesystem::path& workingFolder) {
    std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started))
        throw DriverError("velmora.exe could not be started, error " +
                          std::to_string(GetLastError()));
    CloseHandle(started.hThread);
    process_ = UniqueHandle(started.hProcess);
    id_ = started.dwProcessId;
}

VelmoraProcess::~VelmoraProcess() {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

bool VelmoraProcess::Running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND VelmoraProcess::WaitForMainWindow() const {
    HWND form = nullptr;
    WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(id_, Form1ClassName);
            form = windows.empty() ? nullptr : windows.front();
            return form != nullptr || !Running();
        },
        StartupDeadline);
    if (form == nullptr)
        throw DriverError(Running() ? "Form1 did not appear" : "velmora.exe ended");
    return form;
}

} // namespace velmora::ui
