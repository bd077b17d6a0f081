// The roads of Refresh, Clear and Uncheck, clicked as a user clicks them.
#include "coordinate_files.h"
#include "param_names.h"
#include "velmora_session.h"

#include <gtest/gtest.h>

namespace velmora::ui {
namespace {

struct RefreshCase {
    const char* name;
    std::string file;
    bool multiplyBy16;
    std::wstring list;
};

class RefreshTest : public ::testing::TestWithParam<RefreshCase> {
  protected:
    VelmoraSession session;
};

TEST_P(RefreshTest, RebuildsTheListFromTheFileAndAgainTheSame) {
    const RefreshCase& example = GetParam();
    session.folder.WriteCoordinateFile(example.file);
    if (example.multiplyBy16)
        session.form.Press(IdOption1);

    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), example.list);
    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), example.list) << "a second Refresh must not add";
    EXPECT_EQ(session.folder.ReadCoordinateFile(), example.file) << "Refresh only reads";
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefreshTest,
    ::testing::Values(RefreshCase{"TwoPositions", TwoPositions, false, TwoPositionsList},
                      RefreshCase{"TwoPositionsMultipliedBy16",
                                  Group("1.5", "-2", "0") + Group("12.5", "100.25", "0.3"), true,
                                  L"24, -32, 0\r\n200, 1604, 4.8"},
                      RefreshCase{"BlanksKept", "[p]\r\nx= 1\r\ny=2 \r\nz=3", false, L" 1, 2 , 3"}),
    RowName());

class CommandsTest : public ::testing::Test {
  protected:
    VelmoraSession session;
};

TEST_F(CommandsTest, UncheckThenRefreshRebuildsTheScaledListUnscaled) {
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdOption1);
    session.form.Press(IdCommand1);
    ASSERT_EQ(session.form.Text(IdText4), L"16, 32, 48\r\n64, 80, 96");

    session.form.Press(IdCommand3);
    EXPECT_FALSE(session.form.Checked(IdOption1));
    EXPECT_EQ(session.form.Text(IdText4), L"16, 32, 48\r\n64, 80, 96") << "until the next Refresh";
    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), TwoPositionsList);
}

TEST_F(CommandsTest, Option1ClickedTwiceStaysSelectedAndOnlyUncheckDeselectsIt) {
    session.form.Press(IdOption1);
    EXPECT_TRUE(session.form.Checked(IdOption1));
    session.form.Press(IdOption1);
    EXPECT_TRUE(session.form.Checked(IdOption1));
    session.form.Press(IdCommand3);
    EXPECT_FALSE(session.form.Checked(IdOption1));
    session.form.Press(IdCommand3);
    EXPECT_FALSE(session.form.Checked(IdOption1));
}

TEST_F(CommandsTest, ClearEmptiesListAndFileButKeepsTheWorkingFields) {
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    ASSERT_EQ(session.form.Text(IdText4), TwoPositionsList);

    session.form.Press(IdCommand4);
    EXPECT_EQ(session.form.Text(IdText4), L"");
    EXPECT_EQ(session.folder.ReadCoordinateFile(), "");
    EXPECT_EQ(session.form.Text(IdText1), L"4");
    EXPECT_EQ(session.form.Text(IdText2), L"5");
    EXPECT_EQ(session.form.Text(IdText3), L"6");

    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), L"");
}

// The program finds its file beside its executable whatever the folder is called.
TEST(ProgramFolderTest, NonAsciiFolderNameWorksForRefreshAndClear) {
    VelmoraSession session(L"Pos \u2013 \u00dcn\u00efc\u00f8d\u00e9 \u4f4d\u7f6e");
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), TwoPositionsList);
    session.form.Press(IdCommand4);
    EXPECT_EQ(session.folder.ReadCoordinateFile(), "");
}

} // namespace
} // namespace velmora::ui
