// Real mouse and keyboard input, delivered through the program's message loop.
#include "form1_fixture.h"

#include <algorithm>
#include <vector>

namespace velmora::testing {
namespace {

void Send(std::vector<INPUT> inputs) {
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
}

INPUT Key(WORD key, DWORD flags = 0) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki = {key, 0, flags, 0, 0};
    return input;
}

void PressKey(WORD key) {
    Send({Key(key), Key(key, KEYEVENTF_KEYUP)});
}

void ClickAt(HWND form, POINT point) {
    ClientToScreen(form, &point);
    SetCursorPos(point.x, point.y);
    Send({INPUT{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
          INPUT{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}});
}

class InputTest : public Form1Test {
  protected:
    InputTest() { SetForegroundWindow(form.window()); }

    // Clicks and waits until the click has been handled: the focus has moved
    // (a control to focus), or a later click on Uncheck has been handled.
    void Click(POINT point, int focusedAfter = IdCommand3) {
        SetFocus(Control(IdCommand1));
        ClickAt(form.window(), point);
        if (focusedAfter == IdCommand3)
            ClickAt(form.window(), {150, 296}); // Uncheck, which takes the focus
        EXPECT_TRUE(PumpUntil([&] { return Focused() == focusedAfter; }));
    }
};

// The covered controls lie beneath the list: the mouse reaches the list only.
TEST_F(InputTest, MouseReachesTheListNotTheControlsBeneathAndTheLabelsTakeClicks) {
    folder.Write(TwoGroups);
    for (const POINT covered : {POINT{100, 188}, {100, 170}, {18, 170}, {100, 205}})
        Click(covered, IdText4);
    EXPECT_EQ(Text(IdText4), L"") << "the import button was reached";
    EXPECT_TRUE(messages.empty());

    ClickAt(form.window(), {120, 12});
    Click({120, 12}); // a double click on the title: one message
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Velmora 1.00 \u2014 made by the Velmora developers.");
    EXPECT_EQ(messages[0].caption, L"Velmora");
}

// Tab order follows the tab index, not the stacking.
TEST_F(InputTest, TabAndShiftTabVisitEveryControlButTheLabelsInTabIndexOrder) {
    const std::vector<int> forward{IdOption1, IdCommand3, IdCommand4, IdText1, IdText2,
                                   IdText3,   IdCommand1, IdCommand2, IdText4};
    SetWindowTextW(Control(IdText1), L"abc");
    for (const bool backwards : {false, true}) {
        if (backwards)
            Send({Key(VK_SHIFT)}); // held through the second round
        SetFocus(Control(IdText4));
        std::vector<int> visited;
        for (std::size_t step = 0; step < forward.size(); ++step) {
            const int before = Focused();
            PressKey(VK_TAB);
            PumpUntil([&] { return Focused() != before; });
            visited.push_back(Focused());
            if (Focused() == IdText1) { // a field reached by Tab has its text selected
                EXPECT_EQ(SendMessageW(Control(IdText1), EM_GETSEL, 0, 0), MAKELONG(0, 3));
            }
        }
        std::vector<int> expected = forward;
        if (backwards)
            std::reverse(expected.begin(), expected.end() - 1);
        EXPECT_EQ(visited, expected);
    }
    Send({Key(VK_SHIFT, KEYEVENTF_KEYUP)});
    EXPECT_EQ(SendMessageW(form.window(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0)
        << "focus rectangles show once the keyboard is used";
}

// As in dialogs, Enter and Space press the focused button; F5 refreshes from
// anywhere. Held down, they act once.
TEST_F(InputTest, EnterAndSpacePressTheFocusedButtonAndF5Refreshes) {
    folder.Write(TwoGroups);
    // Held down, a key repeats (bit 30): only its first press acts.
    for (const auto& [id, key] : {std::pair{IdText1, VK_F5}, {IdCommand1, VK_RETURN}})
        form.TranslateKeyboard(MSG{Control(id), WM_KEYDOWN, WPARAM(key), 1 << 30, 0, {}});
    EXPECT_EQ(Text(IdText4), L"");
    SetFocus(Control(IdText1));
    PressKey(VK_F5);
    EXPECT_TRUE(PumpUntil([&] { return Text(IdText4) == L"1, 2, 3\r\n4, 5, 6"; }));
    for (const WORD key : {WORD{VK_RETURN}, WORD{VK_SPACE}}) {
        Press(IdOption1);
        SetFocus(Control(IdCommand3));
        PressKey(key);
        EXPECT_TRUE(PumpUntil([&] { return !Checked(IdOption1); })) << key;
    }
}

// Older edit controls do not know Ctrl+A; Form1 selects the list itself. Wine's
// edit handles it too, so Form1's own handling is asked directly.
TEST_F(InputTest, CtrlASelectsTheWholeListAndNothingElse) {
    SetWindowTextW(Control(IdText4), L"1, 2, 3\r\n4, 5, 6");
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const auto ctrlA = [&](ControlId id) {
        return form.TranslateKeyboard(MSG{Control(id), WM_KEYDOWN, 'A', 0, 0, {}});
    };
    EXPECT_FALSE(ctrlA(IdText1));
    EXPECT_TRUE(ctrlA(IdText4));
    EXPECT_EQ(SendMessageW(Control(IdText4), EM_GETSEL, 0, 0), MAKELONG(0, 16));
    // Ctrl+Tab is not Tab.
    EXPECT_FALSE(form.TranslateKeyboard(MSG{Control(IdText4), WM_KEYDOWN, VK_TAB, 0, 0, {}}));
    keys[VK_MENU] = 0x80; // Ctrl+Alt is AltGr, which types characters
    SetKeyboardState(keys);
    EXPECT_FALSE(ctrlA(IdText4));
    keys[VK_CONTROL] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
}

TEST_F(InputTest, FocusReturnsToItsControlWhenTheWindowIsActivatedAgain) {
    SetFocus(form.window());
    EXPECT_EQ(Focused(), IdText1) << "first in the tab order";
    SetFocus(Control(IdCommand3));
    SendMessageW(form.window(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr); // another window's
    SendMessageW(form.window(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Focused(), IdCommand3);
}

// Typing goes on past a field's width, and past the 32K characters a list
// holds by default.
TEST_F(InputTest, FieldsAndListTakeTypingBeyondTheirDefaultLimits) {
    std::wstring list;
    while (list.size() <= 40000)
        list += L"123456.125, -234567.25, 345678.5\r\n";
    SetWindowTextW(Control(IdText4), list.c_str());
    for (const ControlId id : {IdText1, IdText4}) {
        SendMessageW(Control(id), EM_SETSEL, list.size(), list.size());
        for (int typed = 0; typed < 40; ++typed)
            SendMessageW(Control(id), WM_CHAR, L'7', 0);
    }
    EXPECT_EQ(Text(IdText1), std::wstring(40, L'7'));
    EXPECT_EQ(Text(IdText4), list + std::wstring(40, L'7'));
}

} // namespace
} // namespace velmora::testing
