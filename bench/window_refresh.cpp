// window_refresh VELMORA_EXE RUNS: times a click on Refresh in velmora.exe until
// the list is painted, against the floor that the list field sets by itself: the
// same list given in one WM_SETTEXT to a bare EDIT made like it. The list is the
// import of cleo\Temp.INI beside VELMORA_EXE. It times RUNS of each, interleaved,
// and prints one line:
//   window LIST_CHARS REFRESH_LEAST_MS EDIT_LEAST_MS
// The least of the runs, not their median: under Wine either side's paint now
// and then takes about half as long again, and a median of few runs caught that
// at random.
#include "control_ids.h"
#include "dpi.h"
#include "entry_list.h"
#include "fonts.h"
#include "system_functions.h"
#include "unique_handle.h"
#include "velmora_process.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Long enough for Wine's EDIT to take a few hundred thousand lines.
constexpr UINT MessageTimeoutMs = 600'000;

void Require(bool condition, const char* what) {
    if (!condition)
        throw std::runtime_error(what);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, MessageTimeoutMs,
                                &result) != 0,
            "a window did not answer a message");
    return static_cast<LRESULT>(result);
}

std::size_t TextLength(HWND window) {
    return static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH));
}

// Empties the list field, then times fill() until the field is painted.
template <class Fill> double TimeFill(HWND list, Fill fill) {
    Send(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    UpdateWindow(list);
    const auto start = std::chrono::steady_clock::now();
    fill();
    UpdateWindow(list);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A window of Form1's size, to the right of it: where the two overlap, a paint
// under Wine takes up to half as long again, at random.
velmora::UniqueWindow CreateWindowBeside(HWND form) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"VelmoraBareListParent";
    Require(RegisterClassExW(&windowClass) != 0, "cannot register the bare EDIT's window class");
    RECT frame{};
    GetWindowRect(form, &frame);
    velmora::UniqueWindow window(CreateWindowExW(
        0, windowClass.lpszClassName, L"Bare EDIT", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN,
        frame.right, frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr,
        nullptr, windowClass.hInstance, nullptr));
    Require(static_cast<bool>(window), "cannot create the bare EDIT's window");
    return window;
}

// A child of parent with the class, styles, size and place of the list field in form.
HWND CreateFieldLike(HWND list, HWND form, HWND parent) {
    RECT rect{};
    GetWindowRect(list, &rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t listClass[64] = {};
    GetClassNameW(list, listClass, 64);
    const HWND field =
        CreateWindowExW(static_cast<DWORD>(GetWindowLongPtrW(list, GWL_EXSTYLE)), listClass, L"",
                        static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE)), rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    Require(field != nullptr, "cannot create the bare EDIT");
    return field;
}

// An EDIT made like the list field, with its font and no text limit, in an
// otherwise empty window, with no program around it.
class BareListField {
  public:
    BareListField(HWND form, HWND list)
        : fonts_(velmora::SystemDpi(velmora::ProcessSystemFunctions())),
          parent_(CreateWindowBeside(form)), field_(CreateFieldLike(list, form, parent_.get())) {
        Send(field_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(velmora::FontRole::Default)));
        Send(field_, EM_SETLIMITTEXT);
        ShowWindow(parent_.get(), SW_SHOWNOACTIVATE);
        UpdateWindow(parent_.get());
    }

    HWND field() const noexcept { return field_; }

  private:
    velmora::Form1Fonts fonts_;
    velmora::UniqueWindow parent_;
    HWND field_; // a child of parent_, destroyed with it
};

// The list as the import builds it from the file that velmora.exe will read.
std::wstring ListFor(const std::filesystem::path& coordinateFile) {
    velmora::WindowModel model;
    velmora::FileSlot slot;
    velmora::ImportEntries(coordinateFile.wstring(), model, slot);
    return model.Text4;
}

HWND Control(HWND form, int id) {
    const HWND control = GetDlgItem(form, id);
    Require(control != nullptr, "velmora.exe's window lacks a control");
    return control;
}

void TimeRefresh(const std::filesystem::path& executable, int runs) {
    const std::wstring list = ListFor(executable.parent_path() / L"cleo" / L"Temp.INI");
    const velmora::testing::VelmoraProcess velmora(executable, executable.parent_path());
    const HWND velmoraList = Control(velmora.form(), velmora::IdText4);
    const HWND refresh = Control(velmora.form(), velmora::IdCommand1);
    const BareListField bare(velmora.form(), velmoraList);
    std::vector<double> refreshMs;
    std::vector<double> editMs;
    const auto timeRefresh = [&] {
        refreshMs.push_back(TimeFill(velmoraList, [&] { Send(refresh, BM_CLICK); }));
    };
    const auto timeEdit = [&] {
        editMs.push_back(TimeFill(bare.field(), [&] {
            Send(bare.field(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(list.c_str()));
        }));
    };
    for (int run = 0; run < runs; ++run) {
        // Alternating the order spreads any drift in the machine's load evenly.
        if (run % 2 == 0) {
            timeEdit();
            timeRefresh();
        } else {
            timeRefresh();
            timeEdit();
        }
        Require(TextLength(bare.field()) == list.size(), "the bare EDIT holds a different list");
        Require(TextLength(velmoraList) == list.size(), "velmora.exe shows a different list");
    }
    std::printf("window %zu %.1f %.1f\n", list.size(),
                *std::min_element(refreshMs.begin(), refreshMs.end()),
                *std::min_element(editMs.begin(), editMs.end()));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        Require(argc == 3, "usage: window_refresh VELMORA_EXE RUNS");
        const int runs = std::stoi(argv[2]);
        Require(runs > 0, "RUNS must be positive");
        // As velmora.exe does: its manifest, linked here too, asks for Common Controls 6.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        TimeRefresh(std::filesystem::absolute(argv[1]), runs);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_refresh: %s\n", error.what());
        return 1;
    }
}
