// What Form1 asks of Windows where only Windows shows the effect (screen-reader
// names, no ghost, a frame that changes under it), seen through the functions it
// is given; and maximise requests, which Wine shows.
#include "control_ids.h"
#include "form1.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace velmora::testing {
namespace {

struct Seen {
    static HRESULT Name(HWND c, const wchar_t* n) { return names[GetDlgCtrlID(c)] = n, S_OK; }
    static HRESULT Clear(HWND c) { return names.erase(GetDlgCtrlID(c)) == 1 ? S_OK : E_FAIL; }
    static void WINAPI NoGhost() { ++ghostingOff; }
    static BOOL WINAPI Frame(RECT* r, DWORD, BOOL, DWORD, UINT) {
        return InflateRect(r, edge, edge);
    }
    static inline std::map<int, std::wstring> names;
    static inline int ghostingOff = 0, edge = 4;
};

std::array<LONG, 4> Place(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(Form1OnWindowsTest, NamesFocusableControlsNeverGhostsAndNeverStaysMaximised) {
    Form1 form(GetModuleHandleW(nullptr), L"", MessageBoxW,
               {.adjustWindowRectExForDpi = &Seen::Frame,
                .annotateName = &Seen::Name,
                .clearAnnotatedName = &Seen::Clear,
                .disableWindowsGhosting = &Seen::NoGhost});
    EXPECT_EQ(std::exchange(Seen::ghostingOff, 0), 1);
    // clang-format off
    EXPECT_EQ(Seen::names, (std::map<int, std::wstring>{{IdText1, L"Working field: first value"},
        {IdText2, L"Working field: second value"}, {IdText3, L"Working field: third value"},
        {IdCommand1, L"Refresh"}, {IdCommand2, L"Working button: reads the positions"},
        {IdText4, L"Positions"}, {IdOption1, L"Multiply By 16"}, {IdCommand3, L"Uncheck"},
        {IdCommand4, L"Clear"}}));
    // clang-format on

    // From the starter's show command, from another program, from the system menu.
    form.ShowCentred(SW_SHOWMAXIMIZED);
    const auto started = Place(form.window());
    ShowWindow(form.window(), SW_MAXIMIZE);
    SendMessageW(form.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(std::pair(IsZoomed(form.window()), Place(form.window())), std::pair(FALSE, started));

    // A new frame, also while minimised: the same client area, the same corner.
    for (const auto& [message, show] :
         {std::pair{WM_THEMECHANGED, SW_SHOWNORMAL}, {WM_SETTINGCHANGE, SW_MINIMIZE}}) {
        const auto [left, top, right, bottom] = Place(form.window());
        Seen::edge += 3;
        ShowWindow(form.window(), show);
        SendMessageW(form.window(), message, SPI_SETNONCLIENTMETRICS, 0);
        ShowWindow(form.window(), SW_RESTORE);
        EXPECT_EQ(Place(form.window()), (std::array<LONG, 4>{left, top, left + 235 + 2 * Seen::edge,
                                                             top + 340 + 2 * Seen::edge}));
    }
    EXPECT_TRUE(DestroyWindow(form.window()) && Seen::names.empty()) << "annotations go with them";
}

} // namespace
} // namespace velmora::testing
