// What the user meets by mouse and keys: what each control does to the list
// and the file, and the message it shows.
#include "form1_fixture.h"

#include <tuple>

namespace velmora::testing {
using namespace std::string_literals;

class CommandsTest : public Form1Test {
  protected:
    // As the mouse clicks the control's centre: what lies on top there takes it.
    void Click(ControlId id) {
        RECT rect{};
        GetWindowRect(Control(id), &rect);
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        const HWND hit = WindowFromPoint(point);
        ScreenToClient(hit, &point);
        SendMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageW(hit, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    // Through the message loop to the control, focused first, Shift held or not.
    void Key(ControlId control, WORD key, bool shift = false) {
        SetFocus(Control(control));
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC000'0001);
        Pump();
    }
};

constexpr wchar_t Plain[] = L"1, 2, 3\r\n4, 5, 6", Times16[] = L"16, 32, 48\r\n64, 80, 96";
constexpr char Broken[] = "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny 5\r\nz=6\r\n";

// Run in order on one window, the file written afresh (or missing) before each
// step. A click, or a key (Enter and Space press the focused button as in
// dialogs, F5 refreshes from anywhere); Command2 lies under the list, out of
// the mouse's reach but not of Tab's. Clear empties the list and the file.
TEST_F(CommandsTest, EachControlAndKeyDoesItsOwnCommandAndTellsWhatWentWrong) {
    SetWindowTextW(Control(IdText4), L"typed");
    const std::tuple<const char*, ControlId, WORD, const wchar_t*, const wchar_t*> steps[] = {
        {TwoGroups.data(), IdCommand2, 0, L"typed", nullptr},
        {TwoGroups.data(), IdOption1, 0, L"typed", nullptr},
        {TwoGroups.data(), IdCommand1, 0, Times16, nullptr},
        {TwoGroups.data(), IdCommand1, 0, Times16, nullptr},
        {TwoGroups.data(), IdCommand3, 0, Times16, nullptr},
        {TwoGroups.data(), IdCommand1, 0, Plain, nullptr},
        {TwoGroups.data(), IdCommand4, 0, L"", nullptr},
        {TwoGroups.data(), IdText1, VK_F5, Plain, nullptr},
        {TwoGroups.data(), IdCommand4, VK_RETURN, L"", nullptr},
        {TwoGroups.data(), IdText1, VK_RETURN, L"", nullptr},
        {TwoGroups.data(), IdCommand2, VK_RETURN, Plain, nullptr},
        {TwoGroups.data(), IdCommand4, VK_SPACE, L"", nullptr},
        {Broken, IdCommand1, 0, L"1, 2, 3", L"Line 7 of cleo\\Temp.INI has no \"=\": \"y 5\"."},
        {nullptr, IdCommand1, 0, L"1, 2, 3", L"An important file not found."},
        {nullptr, IdCommand4, 0, L"", L"An important file not found."},
        {nullptr, IdLabel1, 0, L"", L"Velmora 1.00 \u2014 made by the Velmora developers."}};
    for (const auto& [file, control, key, list, message] : steps) {
        std::filesystem::remove(folder.coordinateFile());
        if (file != nullptr)
            folder.Write(file);
        messages.clear();
        key == 0 ? Click(control) : Key(control, key);
        EXPECT_EQ(Text(IdText4), list) << control << " " << key;
        EXPECT_EQ(messages, message ? std::vector{L"Velmora: "s + message} : decltype(messages){});
        if (control == IdCommand4) {
            EXPECT_EQ(folder.Read(), file ? std::optional(""s) : std::nullopt);
        }
    }
}

// Tab follows the tab index, not the stacking, and selects a field's text;
// focus rectangles show from then on.
TEST_F(CommandsTest, TabAndShiftTabVisitEveryControlButTheLabelsInTabIndexOrder) {
    const ControlId order[] = {IdText4, IdOption1, IdCommand3, IdCommand4, IdText1,
                               IdText2, IdText3,   IdCommand1, IdCommand2, IdText4};
    SetWindowTextW(Control(IdText1), L"abc");
    for (std::size_t step = 1; step < std::size(order); ++step) {
        Key(order[step - 1], VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[step]);
        Key(order[step], VK_TAB, true);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[step - 1]);
    }
    EXPECT_EQ(SendMessageW(Control(IdText1), EM_GETSEL, 0, 0), MAKELONG(0, 3));
    EXPECT_EQ(SendMessageW(form.window(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
}

} // namespace velmora::testing
