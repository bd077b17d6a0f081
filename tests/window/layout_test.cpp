// Form1 as the user first sees it, at 96 DPI and after a move to a 144-DPI
// monitor: size, place, frame, stacking, captions, fonts and colours.
// The program looks up what Windows 10 added at run time; the test calls it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#undef WINVER
#define WINVER 0x0A00
#include "fonts.h"
#include "form1_fixture.h"

#include <tuple>

namespace velmora::testing {
namespace {

constexpr UINT DpiChanged = 0x02E0;       // WM_DPICHANGED
constexpr UINT GetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

struct Place {
    ControlId id;
    int left, top, width, height; // pixels at 96 DPI
    const wchar_t* caption;
    int boldHundredthsOfPoint; // 0: the window's default font
};

// Topmost first.
constexpr Place Places[] = {
    {IdCommand4, 184, 280, 41, 33, L"Clear", 0},
    {IdCommand3, 128, 280, 57, 33, L"Uncheck", 0},
    {IdOption1, 8, 288, 209, 17, L"Multiply By 16", 975},
    {IdText4, 8, 40, 217, 241, L"", 0},
    {IdCommand1, 8, 312, 217, 25, L"Refresh", 975},
    {IdText3, 16, 160, 185, 25, L"", 0},
    {IdText2, 16, 192, 185, 25, L"", 0},
    {IdText1, 24, 160, 177, 25, L"", 0},
    {IdCommand2, 40, 160, 145, 49, L"Command2", 0},
    {IdLabel2, 8, 24, 233, 17, L"Made by the Velmora developers", 0},
    {IdLabel1, 8, 0, 249, 33, L"Velmora", 1200},
};

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// The frame for a client area of 3525 x 5100 twips at the DPI. Only at the
// system's own DPI does the system draw the frame at that size.
SIZE FrameSize(int dpi) {
    RECT frame{0, 0, MulDiv(235, dpi, 96), MulDiv(340, dpi, 96)};
    AdjustWindowRectExForDpi(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0,
                             static_cast<UINT>(dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

class LayoutTest : public Form1Test, public ::testing::WithParamInterface<int> {
  public:
    // A message font of a face no other system font has.
    static void SetUpTestSuite() {
        saved.cbSize = sizeof saved;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
        NONCLIENTMETRICSW changed = saved;
        wcscpy(changed.lfMessageFont.lfFaceName, L"DejaVu Serif");
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
    }
    static void TearDownTestSuite() {
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    }
    static inline NONCLIENTMETRICSW saved{};

  protected:
    int Scaled(int pixels) const { return MulDiv(pixels, GetParam(), 96); }
};

TEST_P(LayoutTest, PlacesSizesStacksAndLettersEveryControlAtTheDpi) {
    const int dpi = GetParam();
    // A fixed frame captioned "Velmora", with the program's icon on the button face.
    EXPECT_EQ(TextOf(form.window()), L"Velmora");
    EXPECT_EQ(GetWindowLongW(form.window(), GWL_STYLE) &
                  (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN),
              WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN);
    EXPECT_NE(GetClassLongPtrW(form.window(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrW(form.window(), GCLP_HICONSM), 0);
    EXPECT_EQ(GetClassLongPtrW(form.window(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_FALSE(Checked(IdOption1));
    // A plain multi-line field, sunken, no scroll bars.
    EXPECT_EQ(GetWindowLongW(Control(IdText4), GWL_STYLE) &
                  (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_READONLY),
              ES_MULTILINE);
    EXPECT_NE(GetWindowLongW(Control(IdText4), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT frame{};
    GetWindowRect(form.window(), &frame);
    if (dpi != 96) {
        const RECT suggested{100, 50, 300, 400};
        SendMessageW(form.window(), DpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(form.window(), &frame);
        EXPECT_EQ(frame.left, 100);
        EXPECT_EQ(frame.top, 50);
    } else { // centred on the work area; twice the centre, so odd pixels may go either way
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
        EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
    }
    const SIZE expected = FrameSize(dpi);
    EXPECT_EQ(frame.right - frame.left, expected.cx);
    EXPECT_EQ(frame.bottom - frame.top, expected.cy);
    // Windows asks before a move to a monitor of another DPI.
    const int otherDpi = dpi == 96 ? 144 : 96;
    SIZE scaledSize{};
    EXPECT_TRUE(SendMessageW(form.window(), GetDpiScaledSize, otherDpi,
                             reinterpret_cast<LPARAM>(&scaledSize)));
    EXPECT_EQ(scaledSize.cx, FrameSize(otherDpi).cx);
    EXPECT_EQ(scaledSize.cy, FrameSize(otherDpi).cy);

    HWND control = GetWindow(form.window(), GW_CHILD);
    for (const Place& place : Places) {
        SCOPED_TRACE(place.id);
        ASSERT_EQ(GetDlgCtrlID(control), place.id) << "stacking order";
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, Scaled(place.left));
        EXPECT_EQ(rect.top, Scaled(place.top));
        EXPECT_EQ(rect.right - rect.left, Scaled(place.width));
        EXPECT_EQ(rect.bottom - rect.top, Scaled(place.height));
        EXPECT_EQ(Text(place.id), place.caption);
        // Else the covered controls paint through the list.
        EXPECT_NE(GetWindowLongW(control, GWL_STYLE) & WS_CLIPSIBLINGS, 0);

        // The bitmap "MS Sans Serif" only where it is drawn sharp; 9 pt of the
        // message font's face whatever text size the user chose.
        const LOGFONTW font = FontOf(control);
        const std::wstring face = font.lfFaceName;
        if (place.boldHundredthsOfPoint != 0) {
            EXPECT_EQ(font.lfHeight, -MulDiv(place.boldHundredthsOfPoint, dpi, 7200));
            EXPECT_EQ(font.lfWeight, FW_BOLD);
            EXPECT_TRUE(face == L"Microsoft Sans Serif" || (dpi == 96 && face == L"MS Sans Serif"));
        } else {
            EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72));
            EXPECT_EQ(font.lfWeight, saved.lfMessageFont.lfWeight);
            EXPECT_EQ(face, L"DejaVu Serif");
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
}

// 120 and 144: a quarter and a half pixel to round.
INSTANTIATE_TEST_SUITE_P(Dpi, LayoutTest, ::testing::Values(96, 120, 144));

// Wine has no "MS Sans Serif", so the choice of the bold face is asked directly.
TEST(BoldFontFaceTest, IsTheBitmapFaceOnlyAt96DpiAndWhereInstalled) {
    for (const auto& [dpi, installed, face] : {std::tuple{96u, true, L"MS Sans Serif"},
                                               {96u, false, L"Microsoft Sans Serif"},
                                               {120u, true, L"Microsoft Sans Serif"},
                                               {144u, true, L"Microsoft Sans Serif"}})
        EXPECT_STREQ(BoldFontFace(dpi, installed), face) << dpi;
}

// Text and background that a high-contrast theme pairs, there set apart from
// the window text.
TEST_F(Form1Test, ListShowsButtonTextOnTheButtonFace) {
    const int element = COLOR_BTNTEXT;
    const COLORREF saved = GetSysColor(element), distinct = RGB(1, 2, 3);
    SetSysColors(1, &element, &distinct);
    const HDC context = GetDC(Control(IdText4));
    const auto brush =
        SendMessageW(form.window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(context),
                     reinterpret_cast<LPARAM>(Control(IdText4)));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(GetBkColor(context), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(context), distinct);
    ReleaseDC(Control(IdText4), context);
    SetSysColors(1, &element, &saved);
}

} // namespace
} // namespace velmora::testing
