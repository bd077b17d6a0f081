// Form1 inside the test program, beside a temporary cleo\Temp.INI, its message
// boxes recorded instead of shown: what its controls do by mouse and keys, how
// it lays itself out at each DPI, and what it asks of Windows.
#include "form1.h"
#include "program_folder.h"
#include "velmora_process.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <tuple>
#include <utility>

namespace velmora::testing {

// Left, top, width and height on the screen, or in the client area of `in`.
static std::array<LONG, 4> Place(HWND window, HWND in = nullptr) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class Form1Test : public ::testing::Test {
  public:
    // As a shortcut set to "Run: Maximized" shows it: a fixed window stays
    // restored, in its place.
    Form1Test() { form.ShowCentred(SW_SHOWMAXIMIZED); }

    HWND Control(ControlId id) const { return GetDlgItem(form.window(), id); }

    // At the control's centre, taken by whatever lies on top there.
    void Click(ControlId id) const {
        const auto [left, top, width, height] = Place(Control(id));
        POINT point{left + width / 2, top + height / 2};
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
// step, which fails while Form1 still holds it. A click, or a key: Enter
// presses the focused button as in dialogs, F5 refreshes from anywhere.
// Command2 lies under the list, out of the mouse's reach but not of Tab's.
// Clear empties the list and the file.
TEST_F(Form1Test, EachControlAndKeyDoesItsOwnCommandAndTellsWhatWentWrong) {
    const std::tuple<bool, ControlId, WORD, const wchar_t*, const wchar_t*> steps[] = {
        {true, IdCommand2, 0, L"", L""},
        {true, IdOption1, 0, L"", L""},
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
        key == 0 ? Click(control) : Key(control, key);
        EXPECT_EQ(TextOf(Control(IdText4)), list) << control << " " << key;
        EXPECT_EQ(std::exchange(shown, L""), message);
        const std::string file(control == IdCommand4 ? "" : TwoGroups);
        EXPECT_EQ(folder.Read(), present ? std::optional(file) : std::nullopt);
    }
}

// Every control but the labels, in tab index order (not the stacking), and round.
constexpr ControlId TabOrder[] = {IdText4, IdOption1, IdCommand3, IdCommand4, IdText1,
                                  IdText2, IdText3,   IdCommand1, IdCommand2, IdText4};

TEST_F(Form1Test, TabAndShiftTabVisitEveryControlButTheLabelsInTabIndexOrder) {
    for (std::size_t step = 1; step < std::size(TabOrder); ++step) {
        Key(TabOrder[step - 1], VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), TabOrder[step]);
        Key(TabOrder[step], VK_TAB, true);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), TabOrder[step - 1]);
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
    {IdLabel1, {8, 0, 249, 33}, L"Velmora", 1200},
};

// At 96 DPI as first shown, then moved to monitors of 120 and 144 DPI (a
// quarter and a half pixel to round). The clicks above find the stacking.
TEST_F(Form1Test, CentresAFixedFrameAndPlacesSizesAndLettersEveryControlAtEachDpi) {
    for (const int dpi : {96, 120, 144}) {
        const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
        // Centred on the work area, or on the place Windows suggests for the
        // new DPI; twice the centre, so odd pixels may go either way.
        RECT centre{100, 50, 300, 400}, expected{0, 0, scaled(235), scaled(340)};
        if (dpi == 96)
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &centre, 0);
        else // WM_DPICHANGED
            SendMessageW(form.window(), 0x02E0, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&centre));
        // Asked to maximise by another program, and from the system menu.
        ShowWindow(form.window(), SW_MAXIMIZE);
        SendMessageW(form.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        const auto [left, top, width, height] = Place(form.window());
        EXPECT_NEAR(2 * left + width, centre.left + centre.right, 1) << dpi;
        EXPECT_NEAR(2 * top + height, centre.top + centre.bottom, 1) << dpi;
        // Only at the system's own DPI does the system draw the frame at this size.
        const DWORD style = GetWindowLongW(form.window(), GWL_STYLE);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u) << "a fixed frame";
        ProcessSystemFunctions().adjustWindowRectExForDpi(&expected, style, FALSE, 0,
                                                          static_cast<UINT>(dpi));
        EXPECT_EQ(std::pair(width, height),
                  std::pair(expected.right - expected.left, expected.bottom - expected.top));
        for (const auto& [id, rect, caption, hundredthsOfPoint] : Places) {
            EXPECT_EQ(
                Place(Control(id), form.window()),
                (std::array{scaled(rect[0]), scaled(rect[1]), scaled(rect[2]), scaled(rect[3])}))
                << id;
            EXPECT_EQ(TextOf(Control(id)), caption);
            LOGFONTW font{};
            GetObjectW(GetWindowFont(Control(id)), sizeof font, &font);
            EXPECT_EQ(font.lfHeight, -MulDiv(hundredthsOfPoint, dpi, 7200)) << id;
        }
    }
}

// Where only Windows shows the effect (screen-reader names, no ghost, a frame
// that changes under it), Form1's requests are recorded here instead.
struct Seen {
    static HRESULT Name(HWND c, const wchar_t*) { return named.insert(GetDlgCtrlID(c)), S_OK; }
    static HRESULT Clear(HWND c) { return named.erase(GetDlgCtrlID(c)) == 1 ? S_OK : E_FAIL; }
    static void WINAPI NoGhost() { ++ghostingOff; }
    static BOOL WINAPI Frame(RECT* r, DWORD, BOOL, DWORD, UINT) { return InflateRect(r, rim, rim); }
    static inline std::set<int> named;
    static inline int ghostingOff = 0, rim = 4;
};

TEST(Form1OnWindowsTest, NamesFocusableControlsNeverGhostsAndKeepsItsClientAreaAndCorner) {
    Form1 form(GetModuleHandleW(nullptr), L"", MessageBoxW,
               {.adjustWindowRectExForDpi = &Seen::Frame,
                .annotateName = &Seen::Name,
                .clearAnnotatedName = &Seen::Clear,
                .disableWindowsGhosting = &Seen::NoGhost});
    EXPECT_EQ(std::exchange(Seen::ghostingOff, 0), 1);
    EXPECT_EQ(Seen::named, std::set<int>(std::begin(TabOrder), std::end(TabOrder)));
    form.ShowCentred(SW_SHOWNORMAL);
    // A new frame, also while minimised: the same client area, the same corner.
    for (const auto& [message, show] :
         {std::pair{WM_THEMECHANGED, SW_SHOWNORMAL}, {WM_SETTINGCHANGE, SW_MINIMIZE}}) {
        const auto [left, top, width, height] = Place(form.window());
        Seen::rim += 3;
        ShowWindow(form.window(), show);
        SendMessageW(form.window(), message, SPI_SETNONCLIENTMETRICS, 0);
        ShowWindow(form.window(), SW_RESTORE);
        EXPECT_EQ(Place(form.window()), (std::array{left, top, width + 6, height + 6}));
    }
    EXPECT_TRUE(DestroyWindow(form.window()) && Seen::named.empty()) << "annotations go with them";
}

} // namespace velmora::testing
