// The list Text4 as the user meets it: it covers the working fields and the import
// button, holds long lists whole, and takes typing and Ctrl+A.
#include "coordinate_files.h"
#include "expectations.h"
#include "expected_layout.h"
#include "user_input.h"
#include "velmora_session.h"
#include "wait.h"
#include "window_text.h"

#include <gtest/gtest.h>

namespace velmora::ui {
namespace {

class ListFieldTest : public ::testing::Test {
  protected:
    // Clicks into the list and waits until it has the keyboard focus.
    void FocusList() {
        session.form.ClickAt(OnList);
        ASSERT_TRUE(WaitUntil([&] { return session.form.FocusedControl() == IdText4; }));
    }

    VelmoraSession session;
};

// Points over the controls that lie beneath the list.
struct CoveredPoint {
    const char* name;
    POINT client;
};

const CoveredPoint CoveredPoints[] = {
    {"Command2", {100, 188}},
    {"Text3 above Command2", {100, 170}},
    {"Text3 alone", {18, 170}},
    {"Text2 above Command2", {100, 205}},
};

TEST_F(ListFieldTest, ClicksOnTheListReachTheListNotTheControlsBeneath) {
    session.folder.WriteCoordinateFile(TwoPositions);
    for (const CoveredPoint& point : CoveredPoints) {
        SCOPED_TRACE(point.name);
        session.form.Press(IdCommand3); // takes the focus away from the list
        ASSERT_EQ(session.form.FocusedControl(), IdCommand3);

        session.form.ClickAt(point.client);
        WaitUntil([&] { return session.form.FocusedControl() != IdCommand3; });
        EXPECT_EQ(session.form.FocusedControl(), IdText4);
        EXPECT_EQ(session.form.Text(IdText4), L"") << "the import button was reached";
        EXPECT_TRUE(session.form.OpenMessageBoxes().empty());
    }
    EXPECT_EQ(session.folder.ReadCoordinateFile(), TwoPositions);
}

TEST_F(ListFieldTest, ListLongerThan32KCharactersIsShownWholeAndStillTakesTyping) {
    std::string file;
    std::wstring list;
    for (int i = 0; list.size() <= 40000; ++i) {
        const std::string x = std::to_string(100000 + i) + ".125";
        const std::string y = "-" + std::to_string(200000 + i) + ".25";
        const std::string z = std::to_string(300000 + i) + ".5";
        file += Group(x, y, z);
        list += (list.empty() ? L"" : L"\r\n") + std::wstring(x.begin(), x.end()) + L", " +
                std::wstring(y.begin(), y.end()) + L", " + std::wstring(z.begin(), z.end());
    }
    session.folder.WriteCoordinateFile(file);
    session.form.Press(IdCommand1);
    ASSERT_EQ(session.form.Text(IdText4), list);

    FocusList();
    PressKey(VK_END, VK_CONTROL);
    Type(L"7");
    EXPECT_TRUE(WaitUntil([&] { return session.form.Text(IdText4) == list + L"7"; }))
        << "typing at the end of the list was refused";
}

TEST_F(ListFieldTest, CtrlASelectsTheWholeList) {
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    FocusList();
    PressKey('A', VK_CONTROL);
    const auto wholeList = static_cast<LRESULT>(MAKELONG(0, TwoPositionsList.size()));
    EXPECT_TRUE(
        WaitUntil([&] { return SendTo(session.form.Control(IdText4), EM_GETSEL) == wholeList; }));
}

// The commands work on what the controls show, including what the user typed.
TEST_F(ListFieldTest, TypedListIsKeptByAFailedRefreshAndReplacedByTheNextImport) {
    FocusList();
    Type(L"my notes");
    ASSERT_TRUE(WaitUntil([&] { return session.form.Text(IdText4) == L"my notes"; }));

    const MessageBoxView box = session.form.PressExpectingMessage(IdCommand1);
    EXPECT_EQ(box.text, L"An important file not found.");
    EXPECT_EQ(session.form.Text(IdText4), L"my notes");

    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), TwoPositionsList);
}

} // namespace
} // namespace velmora::ui
