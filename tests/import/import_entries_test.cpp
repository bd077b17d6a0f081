#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace velmora {
namespace {

using testing::TempFolder;

struct ListCase {
    const char* name;
    std::string_view file;
    bool scaled;
    std::wstring_view list;
};

void PrintTo(const ListCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ImportListTest, BuildsOneEntryPerGroup) {
    TempFolder folder;
    folder.WriteCoordinateFile(GetParam().file);
    WindowModel model{L"old1", L"old2", L"old3", L"old list", GetParam().scaled};
    FileSlot slot;
    ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot);
    EXPECT_EQ(model.Text4, GetParam().list);
    EXPECT_FALSE(slot.occupied());
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, ImportListTest,
    ::testing::Values(
        ListCase{"ZeroBytes", "", false, L""},
        ListCase{"OneGroup", "[p]\r\nx=1\r\ny=2\r\nz=3", false, L"1, 2, 3"},
        ListCase{"TwoGroups", "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n", false,
                 L"1, 2, 3\r\n4, 5, 6"},
        ListCase{"Scaled", "[p]\r\nx=1.5\r\ny=-2\r\nz=0\r\n", true, L"24, -32, 0"},
        ListCase{"BlanksStay", "[p]\r\nx= 1\r\ny=2 \r\nz=3\r\n", false, L" 1, 2 , 3"},
        ListCase{"EmptyFirstField", "[p]\r\nx=\r\ny=2\r\nz=3\r\n", false, L", 2, 3"},
        ListCase{"CarriageReturnsOnly", "[p]\rx=1\ry=2\rz=3\r", false, L"1, 2, 3"},
        ListCase{"MixedLineEnds", "[p]\rx=1\r\ny=2\rz=3\r\n", false, L"1, 2, 3"},
        ListCase{"LoneLineFeedIsOrdinary", "[p]\nx=1\r\ny=2\nw=9\r\nz=3\r\nq=4", false,
                 L"2\nw, 3, 4"},
        ListCase{"NulIsOrdinary", "[p]\r\nx=1\0\r\ny=2\r\nz=3"sv, false, L"1\0, 2, 3"sv},
        ListCase{"KeysAndHeadersIgnored", "anything\r\n=1=x\r\nk==\r\nlong key=3", false,
                 L"1, , 3"},
        ListCase{"AnsiText", "[p]\r\nx=\xE9\r\ny=\x80\r\nz=3", false, L"\u00E9, \u20AC, 3"}),
    [](const auto& test) { return test.param.name; });

// Runs an import that is expected to stop and returns the error.
CoordinateError ImportExpectingStop(const TempFolder& folder, WindowModel& model, FileSlot& slot) {
    try {
        ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot);
    } catch (const CoordinateError& error) {
        return error;
    }
    throw std::logic_error("the import did not stop");
}

struct StopCase {
    const char* name;
    std::string_view file;
    bool scaled;
    ErrorKind kind;
    std::size_t line;
    WindowModel after; // Option1 unused
};

void PrintTo(const StopCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportStopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(ImportStopTest, KeepsWhatWasStoredBeforeTheStop) {
    TempFolder folder;
    folder.WriteCoordinateFile(GetParam().file);
    WindowModel model{L"a", L"b", L"c", L"old list", GetParam().scaled};
    FileSlot slot;
    const CoordinateError error = ImportExpectingStop(folder, model, slot);
    EXPECT_EQ(error.kind(), GetParam().kind);
    EXPECT_EQ(error.line(), GetParam().line);
    EXPECT_EQ(model.Text1, GetParam().after.Text1);
    EXPECT_EQ(model.Text2, GetParam().after.Text2);
    EXPECT_EQ(model.Text3, GetParam().after.Text3);
    EXPECT_EQ(model.Text4, GetParam().after.Text4);
    EXPECT_FALSE(slot.occupied()) << "the file must be released at once";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportStopTest,
    ::testing::Values(StopCase{"ThirdValueWithoutEquals",
                               "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz6",
                               false,
                               ErrorKind::SubscriptOutOfRange,
                               8,
                               {L"4", L"5", L"3", L"1, 2, 3"}},
                      StopCase{"ExtraLineShiftsLaterGroups",
                               "[p]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[q]\r\nx=4\r\ny=5\r\nz=6\r\n",
                               false,
                               ErrorKind::SubscriptOutOfRange,
                               6,
                               {L"1", L"2", L"3", L"1, 2, 3"}},
                      StopCase{"BlankLineAfterLastGroup",
                               "[p]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n",
                               false,
                               ErrorKind::InputPastEnd,
                               6,
                               {L"1", L"2", L"3", L"1, 2, 3"}},
                      StopCase{"FileEndsInsideFirstGroup",
                               "[p]\r\nx=1\r\n",
                               false,
                               ErrorKind::InputPastEnd,
                               3,
                               {L"a", L"b", L"c", L""}},
                      StopCase{"EmptyValueScaled",
                               "[p]\r\nx=\r\ny=2\r\nz=3\r\n",
                               true,
                               ErrorKind::TypeMismatch,
                               2,
                               {L"a", L"b", L"c", L""}},
                      StopCase{"SecondValueNotANumber",
                               "[p]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=four\r\nz=6",
                               true,
                               ErrorKind::TypeMismatch,
                               7,
                               {L"64", L"32", L"48", L"16, 32, 48"}},
                      StopCase{"ProductTooLarge",
                               "[p]\r\nx=1e308\r\ny=2\r\nz=3\r\n",
                               true,
                               ErrorKind::Overflow,
                               2,
                               {L"a", L"b", L"c", L""}}),
    [](const auto& test) { return test.param.name; });

TEST(ImportEntriesTest, FileGoneBeforeTheOpenLeavesTheListAlone) {
    TempFolder folder;
    WindowModel model{L"a", L"b", L"c", L"old list", false};
    FileSlot slot;
    const CoordinateError error = ImportExpectingStop(folder, model, slot);
    EXPECT_EQ(error.kind(), ErrorKind::OpenFailed);
    EXPECT_FALSE(error.systemMessage().empty());
    EXPECT_EQ(model.Text4, L"old list");
}

TEST(ImportEntriesTest, ZeroByteFileKeepsTheWorkingFields) {
    TempFolder folder;
    folder.WriteCoordinateFile("");
    WindowModel model{L"a", L"b", L"c", L"old list", true};
    FileSlot slot;
    ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot);
    EXPECT_EQ(model.Text1 + model.Text2 + model.Text3, L"abc");
    EXPECT_EQ(model.Text4, L"");
}

TEST(ImportEntriesTest, LongFileKeepsEveryGroupInOrder) {
    TempFolder folder;
    std::string file;
    std::wstring expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string n = std::to_string(i);
        file += "[" + n + "]\r\nx=" + n + "\r\ny=-" + n + "\r\nz=" + n + ".5\r\n";
        AppendEntry(expected, std::to_wstring(i * 16) + L", " + std::to_wstring(-i * 16) + L", " +
                                  std::to_wstring(i * 16 + 8));
    }
    folder.WriteCoordinateFile(file);
    WindowModel model;
    model.Option1 = true;
    FileSlot slot;
    ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot);
    EXPECT_EQ(model.Text4, expected);
    EXPECT_EQ(model.Text3, L"319992");
}

} // namespace
} // namespace velmora
