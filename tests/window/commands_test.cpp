// The buttons' clicks: what each command leaves in the controls, in the file
// and in the message the user is shown.
#include "form1_fixture.h"

#include <commctrl.h>

namespace velmora::testing {
namespace {

// Run in order on one window: the option is read afresh by every Refresh, and
// only Uncheck deselects it.
TEST_F(Form1Test, RefreshRebuildsTheListAsTheOptionSaysAndClearEmptiesListAndFile) {
    folder.Write(TwoGroups);
    const std::pair<ControlId, Fields> steps[] = {
        {IdCommand3, {L"1, 2, 3\r\n4, 5, 6", L"4", L"5", L"6"}},
        {IdOption1, {L"16, 32, 48\r\n64, 80, 96", L"64", L"80", L"96"}},
        {IdCommand3, {L"1, 2, 3\r\n4, 5, 6", L"4", L"5", L"6"}},
    };
    for (const auto& [optionButton, after] : steps) {
        Press(optionButton); // twice: a second click leaves the option as it is
        Press(optionButton);
        for (int time = 0; time < 2; ++time) {
            Press(IdCommand1);
            EXPECT_EQ(Shown(), after);
        }
        EXPECT_EQ(Focused(), IdCommand1) << "the covered button must not take the focus";
    }
    EXPECT_EQ(folder.Read(), TwoGroups);
    // Pressed by the user (Tab reaches it), the covered button imports too.
    SetWindowTextW(Control(IdText4), L"typed");
    Press(IdCommand2);
    EXPECT_EQ(Text(IdText4), L"1, 2, 3\r\n4, 5, 6");
    Press(IdOption1);
    Press(IdCommand4); // Clear: the list and the file, not the fields nor the option
    EXPECT_EQ(Shown(), (Fields{L"", L"4", L"5", L"6"}));
    EXPECT_TRUE(Checked(IdOption1));
    EXPECT_EQ(folder.Read(), "");
    EXPECT_TRUE(messages.empty());
}

// Notes the cursor whenever the list's text is set.
LRESULT CALLBACK NoteCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR cursor) {
    if (message == WM_SETTEXT)
        *reinterpret_cast<HCURSOR*>(cursor) = GetCursor();
    return DefSubclassProc(window, message, wParam, lParam);
}

void ExpectMessage(const Form1Test& test, const RecordedMessage& message, const wchar_t* text) {
    EXPECT_EQ(message.owner, test.form.window());
    EXPECT_EQ(message.caption, L"Velmora");
    EXPECT_EQ(message.type, static_cast<UINT>(MB_OK)) << "one OK button, no icon";
    EXPECT_EQ(message.text, text);
}

// The wait cursor shows while the list fills (a moment on a huge file), and
// neither over a message box nor afterwards.
TEST_F(Form1Test, MissingFileIsReportedAfterRefreshKeepsAndClearEmptiesTheList) {
    const HCURSOR before = LoadCursorW(nullptr, IDC_CROSS);
    SetCursor(before);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    HCURSOR whileFilling = nullptr;
    SetWindowSubclass(Control(IdText4), NoteCursor, 1, reinterpret_cast<DWORD_PTR>(&whileFilling));
    folder.Write(TwoGroups);
    Press(IdCommand1);
    EXPECT_EQ(whileFilling, wait);
    EXPECT_EQ(GetCursor(), before);
    std::filesystem::remove(folder.coordinateFile());
    for (const auto& [button, list] :
         {std::pair{IdCommand1, L"1, 2, 3\r\n4, 5, 6"}, {IdCommand4, L""}, {IdCommand1, L""}}) {
        messages.clear();
        Press(button);
        ASSERT_EQ(messages.size(), 1u);
        ExpectMessage(*this, messages[0], L"An important file not found.");
        EXPECT_EQ(messages[0].listWhileShown, list);
        EXPECT_EQ(messages[0].cursor, before);
        EXPECT_EQ(Shown(), (Fields{list, L"4", L"5", L"6"}));
    }
    EXPECT_EQ(folder.Read(), std::nullopt) << "no file is created";
    RemoveWindowSubclass(Control(IdText4), NoteCursor, 1);
}

// A stop leaves the entries and fields stored before it, and says where.
TEST_F(Form1Test, StoppedImportIsReportedWithWhatItLeft) {
    SetWindowTextW(Control(IdText4), L"earlier list");
    folder.Write("[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny 5\r\nz=6\r\n");
    Press(IdCommand1);
    ASSERT_EQ(messages.size(), 1u);
    ExpectMessage(*this, messages[0], L"Line 7 of cleo\\Temp.INI has no \"=\": \"y 5\".");
    EXPECT_EQ(messages[0].listWhileShown, L"1, 2, 3");
    EXPECT_EQ(Shown(), (Fields{L"1, 2, 3", L"4", L"2", L"3"}));
}

// As an edit control does that cannot make room: it fails, and sets no error.
LRESULT CALLBACK RefuseText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (message != WM_SETTEXT)
        return DefSubclassProc(window, message, wParam, lParam);
    SetLastError(ERROR_SUCCESS);
    return FALSE;
}

TEST_F(Form1Test, AListThatRefusesItsTextIsReportedWithoutAFalseReason) {
    folder.Write(TwoGroups);
    SetWindowSubclass(Control(IdText4), RefuseText, 1, 0);
    Press(IdCommand1);
    ASSERT_EQ(messages.size(), 1u);
    ExpectMessage(*this, messages[0],
                  L"Velmora could not show the result: the field could not take that much text.");
}

} // namespace
} // namespace velmora::testing
