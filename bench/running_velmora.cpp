#include "running_velmora.h"

#include "control_ids.h"
#include "stopwatch.h"

#include <stdexcept>
#include <string>

namespace velmora::bench {
namespace {

// Long enough for Wine's EDIT to take a few hundred thousand lines.
constexpr UINT MessageTimeoutMs = 600'000;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, MessageTimeoutMs,
                             &result))
        throw std::runtime_error("velmora.exe did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

struct FormSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK NoteForm(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<FormSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId != search.processId || std::wstring_view(className) != Form1ClassName)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND WaitForForm(DWORD processId, HANDLE process) {
    WaitForInputIdle(process, 30'000);
    for (int attempt = 0; attempt < 600; ++attempt) {
        FormSearch search{processId};
        EnumWindows(NoteForm, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        if (WaitForSingleObject(process, 50) != WAIT_TIMEOUT)
            break;
    }
    throw std::runtime_error("velmora.exe showed no window");
}

UniqueProcess StartProcess(const std::filesystem::path& executable, DWORD& processId) {
    std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        executable.parent_path().c_str(), &startup, &started))
        throw std::runtime_error("cannot start velmora.exe, error " +
                                 std::to_string(GetLastError()));
    CloseHandle(started.hThread);
    processId = started.dwProcessId;
    return UniqueProcess(started.hProcess);
}

} // namespace

RunningVelmora::RunningVelmora(const std::filesystem::path& executable) {
    DWORD processId = 0;
    process_ = StartProcess(executable, processId);
    form_ = WaitForForm(processId, process_.get());
}

// A closed window ends the program; the handle's owner ends it otherwise.
RunningVelmora::~RunningVelmora() {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.get(), 10'000);
}

HWND RunningVelmora::Control(int id) const {
    const HWND control = GetDlgItem(form_, id);
    if (control == nullptr)
        throw std::runtime_error("Form1 has no control " + std::to_string(id));
    return control;
}

double RunningVelmora::TimeRefresh() {
    const HWND list = Control(IdText4);
    Send(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    UpdateWindow(list);
    const Stopwatch stopwatch;
    Send(Control(IdCommand1), BM_CLICK);
    UpdateWindow(list);
    return stopwatch.Milliseconds();
}

std::size_t RunningVelmora::ListLength() const {
    return static_cast<std::size_t>(Send(Control(IdText4), WM_GETTEXTLENGTH));
}

} // namespace velmora::bench
