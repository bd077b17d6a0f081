// Form1 as the user first sees it, at 96 DPI and after a move to a 144-DPI
// monitor: size, place, frame, stacking, captions, fonts and colours; on the
// older Windows versions, whose paths the functions looked up at run time
// lead to; and as settings change while it runs.
// The program looks up what Windows 10 added at run time; the test calls it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00
#undef WINVER
#define WINVER 0x0A00
#include "fonts.h"
#include "form1_fixture.h"
#include "placement.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <new>
#include <tuple>
#include <utility>

namespace velmora::testing {
namespace {

struct Place {
    ControlId id;
    int left, top, width, height; // pixels at 96 DPI
    const wchar_t* caption;
    int boldHundredthsOfPoint;     // 0: the window's default font
    const wchar_t* accessibleName; // what a screen reader announces; labels take no focus
};

// Topmost first.
constexpr Place Places[] = {
    {IdCommand4, 184, 280, 41, 33, L"Clear", 0, L"Clear"},
    {IdCommand3, 128, 280, 57, 33, L"Uncheck", 0, L"Uncheck"},
    {IdOption1, 8, 288, 209, 17, L"Multiply By 16", 975, L"Multiply By 16"},
    {IdText4, 8, 40, 217, 241, L"", 0, L"Positions"},
    {IdCommand1, 8, 312, 217, 25, L"Refresh", 975, L"Refresh"},
    {IdText3, 16, 160, 185, 25, L"", 0, L"Working field: third value"},
    {IdText2, 16, 192, 185, 25, L"", 0, L"Working field: second value"},
    {IdText1, 24, 160, 177, 25, L"", 0, L"Working field: first value"},
    {IdCommand2, 40, 160, 145, 49, L"Command2", 0, L"Working button: reads the positions"},
    {IdLabel2, 8, 24, 233, 17, L"Made by the Velmora developers", 0, nullptr},
    {IdLabel1, 8, 0, 249, 33, L"Velmora", 1200, nullptr},
};

// The frame for a client area of 3525 x 5100 twips at the DPI. Only at the
// system's own DPI does the system draw the frame at that size.
std::pair<LONG, LONG> FrameSize(int dpi) {
    RECT frame{0, 0, MulDiv(235, dpi, 96), MulDiv(340, dpi, 96)};
    AdjustWindowRectExForDpi(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0,
                             static_cast<UINT>(dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

class LayoutTest : public Form1Test, public ::testing::WithParamInterface<int> {
  public:
    // A message font of a face no other system font has, and button text apart
    // from window text.
    static void SetUpTestSuite() {
        saved.cbSize = sizeof saved;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
        NONCLIENTMETRICSW changed = saved;
        wcscpy(changed.lfMessageFont.lfFaceName, L"DejaVu Serif");
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
        SetSysColors(1, &ButtonText, &DistinctText); // as high-contrast themes may have it
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    static void TearDownTestSuite() {
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
        SetSysColors(1, &ButtonText, &savedText);
    }
    static constexpr int ButtonText = COLOR_BTNTEXT;
    static constexpr COLORREF DistinctText = RGB(1, 2, 3);
    static inline NONCLIENTMETRICSW saved{};
    static inline const COLORREF savedText = GetSysColor(COLOR_BTNTEXT);

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
    EXPECT_EQ(GetClassLongPtrW(form.window(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    // A plain multi-line field, sunken, no scroll bars.
    EXPECT_EQ(GetWindowLongW(Control(IdText4), GWL_STYLE) &
                  (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_READONLY),
              ES_MULTILINE);
    EXPECT_NE(GetWindowLongW(Control(IdText4), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    // Button text on the button face, a pair that contrasts in every theme.
    const HDC context = GetDC(Control(IdText4));
    EXPECT_EQ(SendMessageW(form.window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(context),
                           reinterpret_cast<LPARAM>(Control(IdText4))),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(std::pair(GetTextColor(context), GetBkColor(context)),
              std::pair(DistinctText, GetSysColor(COLOR_BTNFACE)));
    ReleaseDC(Control(IdText4), context);
    RECT frame{};
    GetWindowRect(form.window(), &frame);
    // Centred on the work area, or on the place Windows suggests for the new
    // DPI; twice the centre, so odd pixels may go either way.
    RECT centre{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &centre, 0);
    if (dpi != 96) {
        centre = {100, 50, 300, 400};
        SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&centre));
        GetWindowRect(form.window(), &frame);
    }
    EXPECT_NEAR(frame.left + frame.right, centre.left + centre.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, centre.top + centre.bottom, 1);
    EXPECT_EQ(std::pair(frame.right - frame.left, frame.bottom - frame.top), FrameSize(dpi));

    HWND control = GetWindow(form.window(), GW_CHILD);
    for (const Place& place : Places) {
        SCOPED_TRACE(place.id);
        ASSERT_EQ(GetDlgCtrlID(control), place.id) << "stacking order";
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ((std::array{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                  (std::array<LONG, 4>{Scaled(place.left), Scaled(place.top), Scaled(place.width),
                                       Scaled(place.height)}));
        EXPECT_EQ(Text(place.id), place.caption);
        if (place.accessibleName != nullptr) {
            EXPECT_EQ(AccessibleName(control), place.accessibleName);
        }
        // Else the covered controls paint through the list.
        EXPECT_NE(GetWindowLongW(control, GWL_STYLE) & WS_CLIPSIBLINGS, 0);

        // The bitmap "MS Sans Serif" only where it is drawn sharp; 9 pt of the
        // message font's face whatever text size the user chose.
        LOGFONTW font{};
        GetObjectW(GetWindowFont(control), sizeof font, &font);
        const std::wstring face = font.lfFaceName;
        if (place.boldHundredthsOfPoint != 0) {
            EXPECT_EQ(
                std::pair(font.lfHeight, font.lfWeight),
                std::pair(LONG{-MulDiv(place.boldHundredthsOfPoint, dpi, 7200)}, LONG{FW_BOLD}));
            EXPECT_TRUE(face == L"Microsoft Sans Serif" || (dpi == 96 && face == L"MS Sans Serif"));
        } else {
            EXPECT_EQ(
                std::tuple(font.lfHeight, font.lfWeight, face),
                std::tuple(-MulDiv(9, dpi, 72), saved.lfMessageFont.lfWeight, L"DejaVu Serif"));
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
                                               {144u, true, L"Microsoft Sans Serif"}})
        EXPECT_STREQ(BoldFontFace(dpi, installed), face) << dpi;
}

// What Windows looks up for Form1, failing or as older versions have it.
struct Fake {
    static HRESULT WINAPI Dpi120(HMONITOR, int, UINT* x, UINT* y) { return *x = *y = 120, S_OK; }
    static LRESULT WINAPI FailToMarshal(REFIID, WPARAM, IUnknown*) { return E_OUTOFMEMORY; }
    static HRESULT WINAPI OutOfMemory(HWND, LONG, REFIID, void**) { throw std::bad_alloc(); }
    static HRESULT Annotate(HWND, const wchar_t*) { return ++annotated, S_OK; }
    static HRESULT ClearAnnotation(HWND) { return --annotated, S_OK; }
    static inline int annotated = 0;
};

// Before Windows 10: 8.1 knows the monitor's DPI from shcore, 7 the screen's
// only. The controls are named by annotation, or by a stand-in (Wine cannot
// annotate), or where both fail the system's object answers unnamed.
TEST(OlderWindowsTest, LayOutForm1AtTheirDpiAndNameItsControlsAsTheyCan) {
    const auto create = ProcessSystemFunctions().createStdAccessibleObject;
    const auto marshal = ProcessSystemFunctions().lresultFromObject;
    const std::tuple<SystemFunctions, int, const wchar_t*> versions[] = {
        {{.getDpiForMonitor = &Fake::Dpi120,
          .createStdAccessibleObject = create,
          .lresultFromObject = marshal},
         120,
         L"Working field: first value"},
        {{.createStdAccessibleObject = create, .lresultFromObject = &Fake::FailToMarshal},
         96,
         L"(no name)"},
        {{.createStdAccessibleObject = &Fake::OutOfMemory, .lresultFromObject = marshal},
         96,
         L"(no name)"},
        {{}, 96, L"(no name)"}, // no oleacc
        {{.createStdAccessibleObject = create,
          .lresultFromObject = marshal,
          .annotateName = &Fake::Annotate,
          .clearAnnotatedName = &Fake::ClearAnnotation},
         96,
         L"(no name)"}};
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const ProgramFolder folder;
    for (const auto& [system, dpi, name] : versions) {
        {
            Form1 form(GetModuleHandleW(nullptr), folder.programFolder(), MessageBoxW, system);
            form.ShowCentred(SW_SHOWNORMAL);
            RECT client{};
            GetClientRect(form.window(), &client);
            EXPECT_EQ(client.right, TwipsToPixels(ClientWidthTwips, dpi));
            EXPECT_EQ(AccessibleName(GetDlgItem(form.window(), IdText1)), name);
            EXPECT_EQ(Fake::annotated, system.annotateName != nullptr ? 9 : 0);
        }
        EXPECT_EQ(Fake::annotated, 0) << "annotations go with their controls";
    }
}

// The stand-in by COM's rules: what it hands out leads back to it, never to the
// unnamed object inside; through IDispatch it gives its name too.
TEST_F(Form1Test, ScreenReadersFindOneNamedObjectByEveryInterface) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible *object = nullptr, *back = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(Control(IdText1), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)),
              S_OK);
    IOleWindow* window = nullptr;
    ASSERT_EQ(object->QueryInterface(&window), S_OK);
    window->QueryInterface(&back);
    EXPECT_EQ(back, object);
    IUnknown* refused = nullptr;
    for (const IID& iid : {__uuidof(IServiceProvider), __uuidof(IEnumVARIANT)})
        EXPECT_EQ(object->QueryInterface(iid, reinterpret_cast<void**>(&refused)), E_NOINTERFACE);
    VARIANT self{{{VT_I4, 0, 0, 0, {.lVal = CHILDID_SELF}}}}, name{};
    DISPPARAMS arguments{&self, nullptr, 1, 0};
    object->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &arguments, &name, nullptr,
                   nullptr);
    EXPECT_EQ(std::wstring(name.vt == VT_BSTR ? name.bstrVal : L""), L"Working field: first value");
    VariantClear(&name);
    for (IUnknown* held : std::initializer_list<IUnknown*>{object, back, window})
        held->Release();
}

constexpr auto Corners = [](const RECT& rect) {
    return std::array{rect.left, rect.top, rect.right, rect.bottom};
};

// Odd pixels, a window larger than the area, a monitor left of and above the primary one.
TEST(PlacementTest, CentresOnARectangleButKeepsTheCaptionInTheWorkArea) {
    const std::tuple<RECT, SIZE, RECT, RECT> rows[] = {
        {{0, 0, 1280, 1024}, {251, 379}, {514, 322, 765, 701}, {514, 322, 765, 701}},
        {{-1920, -200, 0, 880}, {400, 300}, {-1160, 190, -760, 490}, {-1160, 190, -760, 490}},
        {{100, 50, 300, 400}, {301, 401}, {50, 25, 351, 426}, {100, 50, 401, 451}}};
    for (const auto& [area, size, centred, inWorkArea] : rows)
        EXPECT_EQ(std::pair(Corners(CentredOn(area, size)), Corners(CentredInWorkArea(area, size))),
                  std::pair(Corners(centred), Corners(inWorkArea)));
}

// As when the first ShowWindow takes "Run: Maximized" from the shortcut.
TEST_F(Form1Test, AskedToMaximiseStaysWhereAndAsLargeAsItWas) {
    RECT before{}, after{};
    GetWindowRect(form.window(), &before);
    SendMessageW(form.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(IsZoomed(form.window()));
    ShowWindow(form.window(), SW_SHOWMAXIMIZED);
    GetWindowRect(form.window(), &after);
    EXPECT_EQ(Corners(after), Corners(before));
}

LRESULT CALLBACK NoteColourChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR heard) {
    if (message == WM_SYSCOLORCHANGE)
        *reinterpret_cast<bool*>(heard) = true;
    return DefSubclassProc(window, message, wParam, lParam);
}

// Fonts are made anew for a new message font, whichever message brings it;
// the controls hear of new system colours only from their window.
TEST_F(Form1Test, TakesNewSettingsWithoutARestart) {
    for (const UINT message : {WM_SETTINGCHANGE, WM_THEMECHANGED}) {
        const HFONT before = GetWindowFont(Control(IdText1));
        SendMessageW(form.window(), message, SPI_SETNONCLIENTMETRICS, 0);
        EXPECT_NE(GetWindowFont(Control(IdText1)), before) << message;
    }
    bool heard = false;
    SetWindowSubclass(Control(IdText4), NoteColourChange, 1, reinterpret_cast<DWORD_PTR>(&heard));
    SendMessageW(form.window(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(heard);
}

} // namespace
} // namespace velmora::testing
