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

} // namespace

RunningVelmora::RunningVelmora(const std::filesystem::path& executable)
    : process_(executable, executable.parent_path()) {}

// A closed window ends the program; the process's owner ends it otherwise.
RunningVelmora::~RunningVelmora() {
    PostMessageW(process_.form(), WM_CLOSE, 0, 0);
    process_.WaitForExit(10'000);
}

HWND RunningVelmora::Control(int id) const {
    const HWND control = GetDlgItem(process_.form(), id);
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
