// Form1 inside the test program, beside a temporary cleo\Temp.INI, its message
// boxes recorded instead of shown: what its controls do by mouse and keys, and
// how it lays itself out at each DPI.
#include "form1.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace velmora::testing {

class Form1Test : public ::testing::Test {
  public:
    Form1Test() { form.ShowCentred(SW_SHOWNORMAL); }

    HWND Control(ControlId id) const { return GetDlgItem(form.window(), id); }

    // At the control's centre, taken by whatever lies on top there.
    void Click(ControlId id) const {
        RECT rect{};
        GetWindowRect(Control(id), &rect);
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        const HWND hit = WindowFromPoint(point);
        ScreenToClient(hit, &point);
        SendMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageW(hit, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    // Pressed in the control, through the program's message loop.
    void Key(ControlId id, WORD key, bool shift = false) {
        SetFocus(Control(id));
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC000'0001);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            if (!form.TranslateKeyboard(message))
                DispatchMessageW(&message);
    }

    ProgramFolder folder;
    std::wstring shown; // the messages, one after another
    Form1 form{GetModuleHandleW(nullptr), folder.programFolder(),
               [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
                   EXPECT_EQ(std::pair(owner, type), std::pair(form.window(), UINT{MB_OK}));
                   shown += caption + (L": " + std::wstring(text));
                   return IDOK;
               }};
};

constexpr wchar_t Plain[] = L"1, 2, 3\r\n4, 5, 6", Times16[] = L"16, 32, 48\r\n64, 80, 96";

// Run in order on one window, the file written afresh (or missing) before each
// step. A click, or a key: Enter presses the focused button as in dialogs, F5
// refreshes from anywhere. Command2 lies under the list, out of the mouse's
// reach but not of Tab's. Refresh lets the file go each time; Clear empties
// the list and the file.
TEST_F(Form1Test, EachControlAndKeyDoesItsOwnCommandAndTellsWhatWentWrong) {
    const std::tuple<bool, ControlId, WORD, const wchar_t*, const wchar_t*> steps[] = {
        {true, IdCommand2, 0, L"", L""},
        {true, IdOption1, 0, L"", L""},
        {true, IdCommand1, 0, Times16, L""},
        {true, IdCommand1, 0, Times16, L""},
        {true, IdCommand3, 0, Times16, L""},
        {true, IdCommand1, 0, Plain, L""},
        {true, IdCommand4, 0, L"", L""},
        {true, IdText1, VK_F5, Plain, L""},
        {true, IdCommand4, VK_RETURN, L"", L""},
        {true, IdCommand2, VK_RETURN, Plain, L""},
        {false, IdCommand1, 0, Plain, L"Velmora: An important file not found."},
        {false, IdCommand4, 0, L"", L"Velmora: An important file not found."},
        {false, IdLabel1, 0, L"", L"Velmora: Velmora 1.00 \u2014 made by the Velmora developers."}};
    for (const auto& [present, control, key, list, message] : steps) {
        std::filesystem::remove(folder.coordinateFile());
        if (present)
            folder.Write(TwoGroups);
        shown.clear();
        key == 0 ? Click(control) : Key(control, key);
        EXPECT_EQ(TextOf(Control(IdText4)), list) << control << " " << key;
        EXPECT_EQ(shown, message);
        const std::string file(control == IdCommand4 ? "" : TwoGroups);
        EXPECT_EQ(folder.Read(), present ? std::optional(file) : std::nullopt);
    }
}

// Tab follows the tab index, not the stacking.
TEST_F(Form1Test, TabAndShiftTabVisitEveryControlButTheLabelsInTabIndexOrder) {
    const ControlId order[] = {IdText4, IdOption1, IdCommand3, IdCommand4, IdText1,
                               IdText2, IdText3,   IdCommand1, IdCommand2, IdText4};
    for (std::size_t step = 1; step < std::size(order); ++step) {
        Key(order[step - 1], VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[step]);
        Key(order[step], VK_TAB, true);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[step - 1]);
    }
}

// The controls in sight: left, top, width and height in pixels at 96 DPI,
// caption, and the font's size in hundredths of a point.
const std::tuple<ControlId, std::array<LONG, 4>, const wchar_t*, int> Places[] = {
    {IdCommand4, {184, 280, 41, 33}, L"Clear", 900},
    {IdCommand3, {128, 280, 57, 33}, L"Uncheck", 900},
    {IdOption1, {8, 288, 209, 17}, L"Multiply By 16", 975},
    {IdText4, {8, 40, 217, 241}, L"", 900},
    {IdCommand1, {8, 312, 217, 25}, L"Refresh", 975},
    {IdLabel2, {8, 24, 233, 17}, L"Made by the Velmora developers", 900},
    {IdLabel1, {8, 0, 249, 33}, L"Velmora", 1200},
};

class LayoutTest : public Form1Test, public ::testing::WithParamInterface<int> {};

// At 96 DPI as first shown, and after a move to a monitor of 120 or 144 DPI (a
// quarter and a half pixel to round). The clicks above find the stacking.
TEST_P(LayoutTest, CentresAFixedFrameAndPlacesSizesAndLettersEveryControlAtTheDpi) {
    const int dpi = GetParam();
    const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
    // Centred on the work area, or on the place Windows suggests for the new
    // DPI; twice the centre, so odd pixels may go either way.
    RECT centre{100, 50, 300, 400}, frame{}, expected{0, 0, scaled(235), scaled(340)};
    if (dpi == 96)
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &centre, 0);
    else // WM_DPICHANGED
        SendMessageW(form.window(), 0x02E0, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&centre));
    GetWindowRect(form.window(), &frame);
    EXPECT_NEAR(frame.left + frame.right, centre.left + centre.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, centre.top + centre.bottom, 1);
    // Only at the system's own DPI does the system draw the frame at this size.
    const DWORD style = GetWindowLongW(form.window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u) << "a fixed frame";
    ProcessSystemFunctions().adjustWindowRectExForDpi(&expected, style, FALSE, 0,
                                                      static_cast<UINT>(dpi));
    EXPECT_EQ(std::pair(frame.right - frame.left, frame.bottom - frame.top),
              std::pair(expected.right - expected.left, expected.bottom - expected.top));
    for (const auto& [id, rect, caption, hundredthsOfPoint] : Places) {
        RECT place{};
        GetWindowRect(Control(id), &place);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(
            (std::array{place.left, place.top, place.right - place.left, place.bottom - place.top}),
            (std::array{scaled(rect[0]), scaled(rect[1]), scaled(rect[2]), scaled(rect[3])}))
            << id;
        EXPECT_EQ(TextOf(Control(id)), caption);
        LOGFONTW font{};
        GetObjectW(GetWindowFont(Control(id)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(hundredthsOfPoint, dpi, 7200)) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, LayoutTest, ::testing::Values(96, 120, 144));

} // namespace velmora::testing
