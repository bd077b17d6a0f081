// Form1 as the user first sees it: caption, size, place, icon, and each control's
// place, caption, stacking and tab order.
#include "expectations.h"
#include "expected_layout.h"
#include "in_process_probe.h"
#include "program_folder.h"
#include "screen_capture.h"
#include "user_input.h"
#include "velmora_session.h"
#include "wait.h"
#include "window_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace velmora::ui {
namespace {

class WindowLayoutTest : public ::testing::Test {
  protected:
    VelmoraSession session;
};

TEST_F(WindowLayoutTest, IsCaptionedVelmoraAndShowsTheProgramIcon) {
    EXPECT_EQ(WindowText(session.form.window()), L"Velmora");
    EXPECT_TRUE(InProcessProbe(session.form).HasOwnIcon());
}

TEST_F(WindowLayoutTest, FontsAreBoldAtTheirPointSizesWhereChosenAndTheDefaultElsewhere) {
    ExpectFonts(InProcessProbe(session.form), 96);
}

TEST_F(WindowLayoutTest, ClientAreaIs235By340AndCentredOnTheScreen) {
    RECT client{};
    GetClientRect(session.form.window(), &client);
    EXPECT_EQ(client.right - client.left, ClientWidth96);
    EXPECT_EQ(client.bottom - client.top, ClientHeight96);

    ExpectCentredOnScreen(session.form.window());
}

TEST_F(WindowLayoutTest, StackingOrderPutsTheListAboveTheCoveredControlsAndLabelsBeneathAll) {
    std::vector<int> expected;
    for (const auto& control : ExpectedControls)
        expected.push_back(control.id);
    EXPECT_EQ(session.form.StackingOrder(), expected);
}

// Paints Form1 and its controls again, now.
void Repaint(HWND form) {
    RedrawWindow(form, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::size_t PixelsNotOfColour(const std::vector<COLORREF>& pixels, COLORREF colour) {
    return static_cast<std::size_t>(
        std::count_if(pixels.begin(), pixels.end(), [&](COLORREF c) { return c != colour; }));
}

TEST_F(WindowLayoutTest, EmptyListShowsPlainButtonFaceAndNothingOfTheControlsBeneath) {
    session.form.Press(IdCommand3); // the focus away from the fields: no caret shows
    RECT inside = session.form.ControlRect(IdText4);
    InflateRect(&inside, -3, -3); // within the sunken edge
    MapWindowPoints(session.form.window(), nullptr, reinterpret_cast<POINT*>(&inside), 2);

    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    std::size_t otherPixels = 0;
    WaitUntil([&] {
        Repaint(session.form.window());
        otherPixels = PixelsNotOfColour(CaptureScreen(inside), buttonFace);
        return otherPixels == 0;
    });
    EXPECT_EQ(otherPixels, 0u);
}

ControlKind KindOf(HWND control) {
    const std::wstring windowClass = ClassName(control);
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (_wcsicmp(windowClass.c_str(), L"Static") == 0)
        return ControlKind::Label;
    if (_wcsicmp(windowClass.c_str(), L"Edit") == 0)
        return (style & ES_MULTILINE) != 0 ? ControlKind::MultiLineField
                                           : ControlKind::SingleLineField;
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)
        return ControlKind::OptionButton;
    return ControlKind::PushButton;
}

TEST_F(WindowLayoutTest, EveryControlHasItsKindPlaceAndCaption) {
    for (const ExpectedControl& expected : ExpectedControls) {
        SCOPED_TRACE(expected.name);
        HWND control = session.form.Control(expected.id);
        EXPECT_EQ(KindOf(control), expected.kind);

        const RECT rect = session.form.ControlRect(expected.id);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);

        const std::wstring caption = session.form.Text(expected.id);
        if (expected.caption != nullptr) {
            EXPECT_EQ(caption, expected.caption);
        } else {
            EXPECT_FALSE(caption.empty());
            EXPECT_EQ(caption.find_first_of(L"\r\n"), std::wstring::npos);
        }
    }
    EXPECT_FALSE(session.form.Checked(IdOption1));
    const auto listStyle = GetWindowLongW(session.form.Control(IdText4), GWL_STYLE);
    EXPECT_EQ(listStyle & (WS_VSCROLL | WS_HSCROLL), 0) << "the list shows no scroll bars";
}

// Presses the key until the focus moves and returns where it went.
int MoveFocus(const FormDriver& form, WORD modifier) {
    const int before = form.FocusedControl();
    PressKey(VK_TAB, modifier);
    WaitUntil([&] { return form.FocusedControl() != before; });
    return form.FocusedControl();
}

// The tab index order, labels left out, starting after the list.
const std::vector<int> TabCycleFromList{IdOption1, IdCommand3, IdCommand4, IdText1, IdText2,
                                        IdText3,   IdCommand1, IdCommand2, IdText4};

TEST_F(WindowLayoutTest, TabVisitsEveryControlButTheLabelsInTabIndexOrder) {
    session.form.ClickAt(OnList);
    ASSERT_TRUE(WaitUntil([&] { return session.form.FocusedControl() == IdText4; }));
    std::vector<int> visited;
    for (std::size_t step = 0; step < TabCycleFromList.size(); ++step)
        visited.push_back(MoveFocus(session.form, 0));
    EXPECT_EQ(visited, TabCycleFromList);
}

TEST_F(WindowLayoutTest, ShiftTabVisitsThemInReverse) {
    session.form.ClickAt(OnList);
    ASSERT_TRUE(WaitUntil([&] { return session.form.FocusedControl() == IdText4; }));
    std::vector<int> visited;
    for (std::size_t step = 0; step < TabCycleFromList.size(); ++step)
        visited.push_back(MoveFocus(session.form, VK_SHIFT));
    std::vector<int> expected(TabCycleFromList.rbegin() + 1, TabCycleFromList.rend());
    expected.push_back(IdText4);
    EXPECT_EQ(visited, expected);
}

// RT_GROUP_ICON, as the wide-character resource functions take it.
const auto GroupIcon = MAKEINTRESOURCEW(14);

// The icon resource of the executable: (width, bits per pixel) of each image.
std::set<std::pair<int, int>> IconImages(const std::filesystem::path& executable) {
    HMODULE module = LoadLibraryExW(executable.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        throw DriverError("velmora.exe could not be loaded for its resources");
    std::set<std::pair<int, int>> images;
    EnumResourceNamesW(
        module, GroupIcon,
        [](HMODULE from, LPCWSTR, LPWSTR name, LONG_PTR context) -> BOOL {
            HRSRC found = FindResourceW(from, name, GroupIcon);
            const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(from, found)));
            // An icon directory: 6-byte header with the count at offset 4, then
            // 14-byte entries: width, height, colours, reserved, planes, bit count, ...
            const int count = bytes[4] | bytes[5] << 8;
            auto& result = *reinterpret_cast<std::set<std::pair<int, int>>*>(context);
            for (int i = 0; i < count; ++i) {
                const BYTE* entry = bytes + 6 + 14 * i;
                const int width = entry[0] == 0 ? 256 : entry[0];
                result.emplace(width, entry[6] | entry[7] << 8);
            }
            return FALSE; // the first icon is the program's
        },
        reinterpret_cast<LONG_PTR>(&images));
    FreeLibrary(module);
    return images;
}

TEST(ProgramIconTest, HoldsFourSizesIn256ColoursAndIn32BitColour) {
    const std::set<std::pair<int, int>> expected{{16, 8},  {24, 8},  {32, 8},  {48, 8},
                                                 {16, 32}, {24, 32}, {32, 32}, {48, 32}};
    EXPECT_EQ(IconImages(BuiltExecutable()), expected);
}

} // namespace
} // namespace velmora::ui
