// The buttons' clicks: what each command leaves in the controls, in the file
// and in the message the user is shown.
#include "form1_fixture.h"

#include <commctrl.h>

namespace velmora::testing {
namespace {

struct Fields {
    const wchar_t* list;
    const wchar_t* text1;
    const wchar_t* text2;
    const wchar_t* text3;
};

void ExpectFields(const Form1Test& test, const Fields& expected) {
    EXPECT_EQ(test.Text(IdText4), expected.list);
    EXPECT_EQ(test.Text(IdText1), expected.text1);
    EXPECT_EQ(test.Text(IdText2), expected.text2);
    EXPECT_EQ(test.Text(IdText3), expected.text3);
}

// Run in order on one window: the option is read afresh by every Refresh.
TEST_F(Form1Test, RefreshRebuildsTheListTheSameEachTimeAsTheOptionSays) {
    const struct {
        std::string_view file;
        ControlId optionButton; // Option1 to select it, Command3 to deselect it
        Fields after;
    } steps[] = {
        {TwoGroups, IdCommand3, {L"1, 2, 3\r\n4, 5, 6", L"4", L"5", L"6"}},
        {"[p]\r\nx=1.5\r\ny=-2\r\nz=0\r\n[q]\r\nx=12.5\r\ny=100.25\r\nz=0.3",
         IdOption1,
         {L"24, -32, 0\r\n200, 1604, 4.8", L"200", L"1604", L"4.8"}},
        {"[p]\r\nx= 1\r\ny=2 \r\nz=3", IdCommand3, {L" 1, 2 , 3", L" 1", L"2 ", L"3"}},
    };
    for (const auto& step : steps) {
        folder.Write(step.file);
        Press(step.optionButton);
        for (int time = 0; time < 2; ++time) {
            Press(IdCommand1);
            ExpectFields(*this, step.after);
        }
        EXPECT_EQ(Focused(), IdCommand1) << "the covered button must not take the focus";
        EXPECT_EQ(folder.Read(), step.file);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Form1Test, Option1StaysSelectedWhenClickedAgainAndOnlyUncheckDeselectsIt) {
    for (const auto& [button, selected] : {std::pair{IdOption1, true},
                                           {IdOption1, true},
                                           {IdCommand3, false},
                                           {IdCommand3, false}}) {
        Press(button);
        EXPECT_EQ(Checked(IdOption1), selected);
    }
}

TEST_F(Form1Test, ClearEmptiesListAndFileAndKeepsTheFieldsAndTheOption) {
    folder.Write(TwoGroups);
    Press(IdOption1);
    Press(IdCommand1);
    Press(IdCommand4);
    ExpectFields(*this, {L"", L"64", L"80", L"96"});
    EXPECT_TRUE(Checked(IdOption1));
    EXPECT_EQ(folder.Read(), "");
    Press(IdCommand1);
    ExpectFields(*this, {L"", L"64", L"80", L"96"});
    EXPECT_TRUE(messages.empty());
}

// Pressed by the user (it can be reached with Tab), the covered button imports too.
TEST_F(Form1Test, Command2PressedByTheUserRunsAnImportOfItsOwn) {
    folder.Write(TwoGroups);
    Press(IdCommand1);
    SetWindowTextW(Control(IdText4), L"typed");
    Press(IdCommand2);
    ExpectFields(*this, {L"1, 2, 3\r\n4, 5, 6", L"4", L"5", L"6"});
}

// Busy while the list fills, which takes a moment on a huge file; not over a
// message box, nor afterwards.
TEST_F(Form1Test, CommandShowsTheWaitCursorUntilItsMessage) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR whileFilling = nullptr;
    const auto recordCursor = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR cursor) -> LRESULT {
        if (message == WM_SETTEXT)
            *reinterpret_cast<HCURSOR*>(cursor) = GetCursor();
        return DefSubclassProc(window, message, wParam, lParam);
    };
    SetWindowSubclass(Control(IdText4), recordCursor, 1,
                      reinterpret_cast<DWORD_PTR>(&whileFilling));
    SetCursor(arrow);
    folder.Write(TwoGroups);
    Press(IdCommand1);
    EXPECT_EQ(whileFilling, LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), arrow);
    std::filesystem::remove(folder.coordinateFile());
    Press(IdCommand1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].cursor, arrow);
    RemoveWindowSubclass(Control(IdText4), recordCursor, 1);
}

void ExpectMessage(const Form1Test& test, const RecordedMessage& message, const wchar_t* text) {
    EXPECT_EQ(message.owner, test.form.window());
    EXPECT_EQ(message.caption, L"Velmora");
    EXPECT_EQ(message.type, static_cast<UINT>(MB_OK)) << "one OK button, no icon";
    EXPECT_EQ(message.text, text);
}

TEST_F(Form1Test, MissingFileIsReportedAfterRefreshKeepsAndClearEmptiesTheList) {
    folder.Write(TwoGroups);
    Press(IdCommand1);
    std::filesystem::remove(folder.coordinateFile());
    for (const auto& [button, list] :
         {std::pair{IdCommand1, L"1, 2, 3\r\n4, 5, 6"}, {IdCommand4, L""}, {IdCommand1, L""}}) {
        messages.clear();
        Press(button);
        ASSERT_EQ(messages.size(), 1u);
        ExpectMessage(*this, messages[0], L"An important file not found.");
        EXPECT_EQ(messages[0].listWhileShown, list);
        ExpectFields(*this, {list, L"4", L"5", L"6"});
    }
    EXPECT_EQ(folder.Read(), std::nullopt) << "no file is created";
}

// A stop leaves the entries and fields stored before it, says where, and the
// next Refresh reads the file afresh.
TEST_F(Form1Test, StoppedImportIsReportedWithWhatItLeftAndTheNextRefreshReadsAgain) {
    const struct {
        std::string_view file;
        ControlId optionButton;
        const wchar_t* message;
        Fields left;
    } stops[] = {
        {"[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny 5\r\nz=6\r\n",
         IdCommand3,
         L"Line 7 of cleo\\Temp.INI has no \"=\": \"y 5\".",
         {L"1, 2, 3", L"4", L"2", L"3"}},
        {"[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=abc\r\ny=5\r\nz=6",
         IdOption1,
         L"Line 6 of cleo\\Temp.INI: \"abc\" is not a number.",
         {L"16, 32, 48", L"16", L"32", L"48"}},
        {"[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\n",
         IdCommand3,
         L"cleo\\Temp.INI ends at line 6, inside a position: every position needs four lines.",
         {L"1, 2, 3", L"1", L"2", L"3"}},
    };
    for (const auto& stop : stops) {
        SetWindowTextW(Control(IdText4), L"earlier list");
        folder.Write(stop.file);
        Press(stop.optionButton);
        messages.clear();
        Press(IdCommand1);
        ASSERT_EQ(messages.size(), 1u);
        ExpectMessage(*this, messages[0], stop.message);
        EXPECT_EQ(messages[0].listWhileShown, stop.left.list);
        ExpectFields(*this, stop.left);
    }
    folder.Write(TwoGroups);
    Press(IdCommand1);
    EXPECT_EQ(Text(IdText4), L"1, 2, 3\r\n4, 5, 6");
}

} // namespace
} // namespace velmora::testing
