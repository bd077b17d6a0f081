// Form1 as the user first sees it at 96 DPI, and after a move to a monitor of
// 120 or 144 DPI (a quarter and a half pixel to round): frame, places,
// captions and font sizes. The clicks of commands_test find the stacking.
#include "form1_fixture.h"

#include <array>
#include <tuple>

namespace velmora::testing {
// The controls in sight: left, top, width and height in pixels at 96 DPI, caption,
// and the font's size in hundredths of a point.
const std::tuple<ControlId, std::array<LONG, 4>, const wchar_t*, int> Places[] = {
    {IdCommand4, {184, 280, 41, 33}, L"Clear", 900},
    {IdCommand3, {128, 280, 57, 33}, L"Uncheck", 900},
    {IdOption1, {8, 288, 209, 17}, L"Multiply By 16", 975},
    {IdText4, {8, 40, 217, 241}, L"", 900},
    {IdCommand1, {8, 312, 217, 25}, L"Refresh", 975},
    {IdLabel2, {8, 24, 233, 17}, L"Made by the Velmora developers", 900},
    {IdLabel1, {8, 0, 249, 33}, L"Velmora", 1200},
};

class LayoutTest : public Form1Test, public ::testing::WithParamInterface<UINT> {};

TEST_P(LayoutTest, CentresAFixedFrameAndPlacesSizesAndLettersEveryControlAtTheDpi) {
    const UINT dpi = GetParam();
    const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, static_cast<int>(dpi), 96); };
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
    ProcessSystemFunctions().adjustWindowRectExForDpi(&expected, style, FALSE, 0, dpi);
    EXPECT_EQ(std::pair(frame.right - frame.left, frame.bottom - frame.top),
              std::pair(expected.right - expected.left, expected.bottom - expected.top));

    for (const auto& [id, rect, caption, hundredthsOfPoint] : Places) {
        const HWND control = Control(id);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(
            (std::array{place.left, place.top, place.right - place.left, place.bottom - place.top}),
            (std::array{scaled(rect[0]), scaled(rect[1]), scaled(rect[2]), scaled(rect[3])}))
            << id;
        EXPECT_EQ(TextOf(control), caption);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200)) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, LayoutTest, ::testing::Values(96u, 120u, 144u));

} // namespace velmora::testing
