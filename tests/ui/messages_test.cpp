// What the user is told: the about message, the missing file and a stopped import.
#include "coordinate_files.h"
#include "expectations.h"
#include "expected_layout.h"
#include "param_names.h"
#include "unique_handle.h"
#include "velmora_session.h"
#include "wait.h"
#include "window_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>

namespace velmora::ui {
namespace {

bool ContainsIgnoringCase(std::wstring text, std::wstring part) {
    for (auto* s : {&text, &part})
        std::transform(s->begin(), s->end(), s->begin(),
                       [](wchar_t c) { return std::towlower(c); });
    return text.find(part) != std::wstring::npos;
}

class MessagesTest : public ::testing::Test {
  protected:
    VelmoraSession session;
};

TEST_F(MessagesTest, Label1ClickShowsTheAboutMessage) {
    const MessageBoxView box = session.form.ClickExpectingMessage(OnLabel1);
    ExpectVelmoraMessageBox(box, session.form.window());
    EXPECT_FALSE(box.text.empty());
    EXPECT_EQ(box.text.find_first_of(L"\r\n"), std::wstring::npos) << "one line";
    EXPECT_TRUE(session.form.OpenMessageBoxes().empty());
}

TEST_F(MessagesTest, Label2ClickShowsNothing) {
    session.form.ClickAt(OnLabel2);
    // Input is handled in order: once the later click has selected Option1, the
    // click on Label2 has been handled too; a modal box would have swallowed it.
    session.form.ClickAt(OnOption1);
    EXPECT_TRUE(WaitUntil([&] { return session.form.Checked(IdOption1); }));
    EXPECT_TRUE(session.form.OpenMessageBoxes().empty());
}

struct MissingFileCase {
    const char* name;
    ControlId button;
    std::wstring listWhileShown;
};

class MissingFileTest : public ::testing::TestWithParam<MissingFileCase> {
  protected:
    VelmoraSession session;
};

TEST_P(MissingFileTest, IsReportedWithTheListAsTheCommandLeavesIt) {
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    session.folder.RemoveCoordinateFile();

    std::wstring listWhileShown;
    const MessageBoxView box = session.form.PressExpectingMessage(
        GetParam().button, [&] { listWhileShown = session.form.Text(IdText4); });

    ExpectVelmoraMessageBox(box, session.form.window());
    EXPECT_EQ(box.text, L"An important file not found.");
    EXPECT_EQ(listWhileShown, GetParam().listWhileShown);
    EXPECT_EQ(session.form.Text(IdText4), GetParam().listWhileShown);
    EXPECT_EQ(session.folder.ReadCoordinateFile(), std::nullopt) << "no file is created";
}

INSTANTIATE_TEST_SUITE_P(Commands, MissingFileTest,
                         ::testing::Values(MissingFileCase{"Refresh", IdCommand1, TwoPositionsList},
                                           MissingFileCase{"Clear", IdCommand4, L""}),
                         RowName());

// Another program holding the file open without sharing writes (the host's script
// in the middle of a write) keeps Clear from emptying it.
UniqueHandle HoldOpenAgainstWriting(const std::filesystem::path& file) {
    return UniqueHandle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(MessagesTest, ClearThatCannotEmptyTheFileSaysSoAndKeepsTheFile) {
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    std::wstring listWhileShown;
    {
        const UniqueHandle held = HoldOpenAgainstWriting(session.folder.CoordinateFile());
        ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
        const MessageBoxView box = session.form.PressExpectingMessage(
            IdCommand4, [&] { listWhileShown = session.form.Text(IdText4); });
        ExpectVelmoraMessageBox(box, session.form.window());
        EXPECT_TRUE(ContainsIgnoringCase(box.text, L"Temp.INI")) << Utf8(box.text);
    }
    EXPECT_EQ(listWhileShown, L"");
    EXPECT_EQ(session.folder.ReadCoordinateFile(), TwoPositions);
    ASSERT_TRUE(session.process.Running());
    session.form.Press(IdCommand4);
    EXPECT_EQ(session.folder.ReadCoordinateFile(), "") << "once the file is free, Clear empties it";
}

struct StoppedImportCase {
    const char* name;
    std::string file;
    bool multiplyBy16;
    std::wstring namedLine; // how the message names the failing line
    std::wstring list;      // the entries before the failing group
    std::wstring fields[3]; // Text1 to Text3: stored up to the failing value
};

class StoppedImportTest : public ::testing::TestWithParam<StoppedImportCase> {
  protected:
    VelmoraSession session;
};

TEST_P(StoppedImportTest, IsReportedAndTheProgramCarriesOn) {
    const StoppedImportCase& example = GetParam();
    session.folder.WriteCoordinateFile(example.file);
    if (example.multiplyBy16)
        session.form.Press(IdOption1);

    const MessageBoxView box = session.form.PressExpectingMessage(IdCommand1);
    ExpectVelmoraMessageBox(box, session.form.window());
    EXPECT_TRUE(ContainsIgnoringCase(box.text, example.namedLine)) << Utf8(box.text);
    EXPECT_EQ(session.form.Text(IdText4), example.list);
    EXPECT_EQ(session.form.Text(IdText1), example.fields[0]);
    EXPECT_EQ(session.form.Text(IdText2), example.fields[1]);
    EXPECT_EQ(session.form.Text(IdText3), example.fields[2]);

    ASSERT_TRUE(session.process.Running());
    session.form.Press(IdCommand3);
    session.folder.WriteCoordinateFile(TwoPositions);
    session.form.Press(IdCommand1);
    EXPECT_EQ(session.form.Text(IdText4), TwoPositionsList) << "the next Refresh reads again";
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoppedImportTest,
    ::testing::Values(StoppedImportCase{"ValueLineWithoutEquals",
                                        Group("1", "2", "3") +
                                            "[Position]\r\nX=4\r\nY 5\r\nZ=6\r\n",
                                        false,
                                        L"line 7",
                                        L"1, 2, 3",
                                        {L"4", L"2", L"3"}},
                      StoppedImportCase{"EmptyValueLine",
                                        Group("1", "2", "3") + "[Position]\r\nX=4\r\nY=5\r\n\r\n",
                                        false,
                                        L"line 8",
                                        L"1, 2, 3",
                                        {L"4", L"5", L"3"}},
                      StoppedImportCase{"NotANumberMultipliedBy16",
                                        Group("1", "2", "3") + Group("abc", "5", "6"),
                                        true,
                                        L"line 6",
                                        L"16, 32, 48",
                                        {L"16", L"32", L"48"}}),
    RowName());

} // namespace
} // namespace velmora::ui
