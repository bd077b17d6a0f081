#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora {
namespace {

using testing::TempFolder;

using testing::TwoGroups;

TEST(RefreshTest, TwiceGivesTheSameListNotADoubledOne) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model;
    FileSlot slot;
    ASSERT_EQ(Refresh(folder.programFolder(), model, slot), Status::Done);
    ASSERT_EQ(Refresh(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(model.Text4, L"1, 2, 3\r\n4, 5, 6");
}

TEST(RefreshTest, MissingFileChangesNothing) {
    TempFolder folder;
    WindowModel model{L"a", L"b", L"c", L"kept", true};
    FileSlot slot;
    EXPECT_EQ(Refresh(folder.programFolder(), model, slot), Status::FileMissing);
    EXPECT_EQ(model.Text1 + model.Text2 + model.Text3 + model.Text4, L"abckept");
}

TEST(RefreshTest, HandsThePathToTheImportItIsGiven) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model;
    FileSlot slot;
    std::wstring imported;
    EXPECT_EQ(Refresh(folder.programFolder(), model, slot,
                      [&](const std::wstring& path) { imported = path; }),
              Status::Done);
    EXPECT_EQ(std::filesystem::path(imported), folder.coordinateFile());
}

TEST(ClearTest, EmptiesListAndFile) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model{L"a", L"b", L"c", L"list", true};
    FileSlot slot;
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(model.Text4, L"");
    EXPECT_EQ(model.Text1 + model.Text2 + model.Text3, L"abc");
    EXPECT_TRUE(model.Option1);
    EXPECT_EQ(folder.ReadCoordinateFile(), "");

    ASSERT_EQ(Refresh(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(model.Text4, L"");
}

TEST(ClearTest, MissingFileEmptiesTheListAndCreatesNoFile) {
    TempFolder folder;
    WindowModel model{L"", L"", L"", L"list", false};
    FileSlot slot;
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::FileMissing);
    EXPECT_EQ(model.Text4, L"");
    EXPECT_FALSE(std::filesystem::exists(folder.coordinateFile()));
}

TEST(ClearTest, WorksAfterAStoppedImport) {
    TempFolder folder;
    folder.WriteCoordinateFile("[p]\r\nbroken\r\n");
    WindowModel model;
    FileSlot slot;
    EXPECT_THROW(Refresh(folder.programFolder(), model, slot), CoordinateError);
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(folder.ReadCoordinateFile(), "");
}

TEST(CoordinateFileTest, DirectoryNamedLikeTheFileCountsAsMissing) {
    TempFolder folder;
    std::filesystem::create_directory(folder.coordinateFile());
    WindowModel model{L"", L"", L"", L"list", false};
    FileSlot slot;
    EXPECT_EQ(Refresh(folder.programFolder(), model, slot), Status::FileMissing);
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::FileMissing);
    EXPECT_TRUE(std::filesystem::is_directory(folder.coordinateFile()));
}

#ifdef _WIN32
TEST(CoordinateFileTest, HiddenOrSystemFileCountsAsMissing) {
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        TempFolder folder;
        folder.WriteCoordinateFile(TwoGroups);
        ASSERT_TRUE(SetFileAttributesW(folder.coordinateFile().c_str(), attribute));
        WindowModel model{L"", L"", L"", L"list", false};
        FileSlot slot;
        EXPECT_EQ(Refresh(folder.programFolder(), model, slot), Status::FileMissing);
        EXPECT_EQ(model.Text4, L"list");
        SetFileAttributesW(folder.coordinateFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(CoordinateFileTest, ReadOnlyAndArchiveFilesCountAsPresent) {
    TempFolder folder;
    folder.WriteCoordinateFile(TwoGroups);
    ASSERT_TRUE(SetFileAttributesW(folder.coordinateFile().c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(CoordinateFileExists(CoordinateFilePath(folder.programFolder())));
    SetFileAttributesW(folder.coordinateFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CoordinateFileTest, LookUpIgnoresCase) {
    TempFolder folder;
    std::filesystem::rename(folder.programFolder() + L"\\cleo", folder.programFolder() + L"\\CLEO");
    folder.WriteCoordinateFile(TwoGroups);
    EXPECT_TRUE(CoordinateFileExists(CoordinateFilePath(folder.programFolder())));
}

// Wide names only matter on Windows; Linux file names are bytes.
TEST(CoordinateFileTest, NonAsciiProgramFolder) {
    TempFolder folder(L" Pos \u00dcn\u00efc\u00f8d\u00e9 \u4f4d\u7f6e");
    folder.WriteCoordinateFile(TwoGroups);
    WindowModel model;
    FileSlot slot;
    ASSERT_EQ(Refresh(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(model.Text4, L"1, 2, 3\r\n4, 5, 6");
}
#endif

struct MessageCase {
    CoordinateError error;
    std::wstring message;
};

TEST(DescribeErrorTest, NamesTheLineAndWhatIsWrong) {
    const std::wstring file(CoordinateFileLiteral().substr(1));
    const MessageCase cases[] = {
        {CoordinateError(ErrorKind::SubscriptOutOfRange, 7, L"z 3"),
         L"Line 7 of " + file + L" has no \"=\": \"z 3\"."},
        {CoordinateError(ErrorKind::SubscriptOutOfRange, 7, L""),
         L"Line 7 of " + file + L" is empty where a value line was expected."},
        {CoordinateError(ErrorKind::TypeMismatch, 3, L"abc"),
         L"Line 3 of " + file + L": \"abc\" is not a number."},
        {CoordinateError(ErrorKind::Overflow, 2, L"1e308"),
         L"Line 2 of " + file + L": \"1e308\" multiplied by 16 is too large."},
        {CoordinateError(ErrorKind::InputPastEnd, 6, L""),
         file + L" ends at line 5, inside a position: every position needs four lines."},
        {CoordinateError(ErrorKind::TruncateFailed, 0, L"", L"Access is denied"),
         file + L" could not be emptied: Access is denied"},
        {CoordinateError(ErrorKind::TypeMismatch, 1, std::wstring(100, L'9')),
         L"Line 1 of " + file + L": \"" + std::wstring(39, L'9') + L"\u2026\" is not a number."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeError(c.error), c.message);
}

} // namespace
} // namespace velmora
