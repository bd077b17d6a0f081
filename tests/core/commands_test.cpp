// Refresh and Clear on real files. First on the bytes a recording script, an
// editor or a crash may leave in the coordinate file: the list and fields they
// give, or where and why the import stops. Then on a file that is missing,
// hidden, held by another program, denied to us or replaced while a command
// runs, and below unusual program folders: how each command ends, and the
// file's bytes, which only a successful Clear changes and nothing creates.
#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "program_folder.h"

#include <gtest/gtest.h>

#include <bit>
#include <tuple>
#include <variant>

#ifdef _WIN32
#include <windows.h>
constexpr bool OnWindows = true;
#else
#include <unistd.h>
constexpr bool OnWindows = false;
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::ProgramFolder;
using testing::TwoGroups;

// How a command ended: with a status, or stopped by an error of this kind, on
// this line, about this text.
using Outcome = std::variant<Status, ErrorKind>;
using Ending = std::tuple<Outcome, std::size_t, std::wstring>;

template <class Command> Ending EndingOf(Command command) {
    try {
        return {command(), 0, L""};
    } catch (const CoordinateError& error) {
        return {error.kind(), error.line(), error.text()};
    }
}

constexpr ErrorKind NoEquals = ErrorKind::SubscriptOutOfRange;
constexpr ErrorKind PastEnd = ErrorKind::InputPastEnd;

struct ImportRow {
    const char* name;
    bool scaled;
    std::string file;
    std::wstring list;   // Text4 afterwards
    std::wstring fields; // Text1|Text2|Text3 afterwards
    Outcome ending = Status::Done;
    std::size_t line = 0;   // of the stop
    std::wstring text = {}; // that the stop shows
    friend void PrintTo(const ImportRow& row, std::ostream* out) { *out << row.name; }
};

// Enough groups for any read buffer of up to a few MiB to end inside many of them;
// a padded header puts a CR LF across every power-of-two offset.
ImportRow ManyGroups() {
    ImportRow row{"ManyGroupsAcrossBufferEdges", true, "", L"", L"959984|-959984|959992"};
    for (int i = 0; i < 60000; ++i) {
        const std::string n = std::to_string(i);
        const std::size_t cr = row.file.size() + n.size() + 2, gap = std::bit_ceil(cr + 1) - 1 - cr;
        row.file += "[" + n + "]" + std::string(gap < 40 ? gap : 0, ' ') + "\r\nx=" + n +
                    "\r\ny=-" + n + "\r\nz=" + n + ".5\r\n";
        row.list += (i ? L"\r\n" : L"") + std::to_wstring(16 * i) + L", " +
                    std::to_wstring(-16 * i) + L", " + std::to_wstring(16 * i + 8);
    }
    return row;
}

const std::string Two(TwoGroups);
const std::wstring TwoEntries(testing::TwoEntries);
const std::wstring TwoScaled = L"16, 32, 48\r\n64, 80, 96";

const ImportRow ImportRows[] = {
    {"ZeroBytesKeepTheFields", false, "", L"", L"a|b|c"},
    {"FieldsEndAsTheLastGroup", false, Two, TwoEntries, L"4|5|6"},
    {"MixedLineEndsNoFinalOne", false, "[p]\rx=1\r\ny=2\rz=3", L"1, 2, 3", L"1|2|3"},
    {"LineFeedsAloneEndNoLine", false, "[p]\nx=1\ny=2\nz=3\n", L"", L"a|b|c", PastEnd, 2},
    {"KeysHeadersEqualsAndBlanksStay", false, "\r\nx= 1\r\n=2 =x\r\nlong key=", L" 1, 2 , ",
     L" 1|2 |"},
    {"NulIsOrdinary", false, "[p]\r\nx=1\0\r\ny=2\r\nz=\0"s, L"1\0, 2, \0"s, L"1\0|2|\0"s},
    {"AnsiCodePage", false, "[p]\r\nx=\x80\r\ny=\x9F\xA0\xFF\r\nz=\x7F",
     L"\u20AC, \u0178\u00A0\u00FF, \x7F", L"\u20AC|\u0178\u00A0\u00FF|\x7F"},
    {"BlankLineBeforeAHeader", false, "[p]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[q]\r\nx=4\r\ny=5\r\nz=6",
     L"1, 2, 3", L"1|2|3", NoEquals, 6, L"[q]"},
    {"EmptyValueLine", false, "[p]\r\nx=1\r\n\r\nz=3\r\n", L"", L"1|b|c", NoEquals, 3},
    {"ThirdValueWithoutEquals", false, Two + "[r]\r\nx=7\r\ny=8\r\nz9", TwoEntries, L"7|8|6",
     NoEquals, 12, L"z9"},
    {"BlankLineAfterTheLastGroup", false, Two + "\r", TwoEntries, L"4|5|6", PastEnd, 10},
    {"HalfWrittenGroup", true, Two + "[r]\r\nx=7\r\ny=8\r", TwoScaled, L"64|80|96", PastEnd, 12},
    {"Scaled", true, "[p]\r\nx=1.5\r\ny=-2\r\nz=0\r\n", L"24, -32, 0", L"24|-32|0"},
    {"ScaledThirdValueNotANumber", true, Two + "[r]\r\nx=7\r\ny=8\r\nz=nine", TwoScaled,
     L"112|128|96", ErrorKind::TypeMismatch, 12, L"nine"},
    {"ScaledProductTooLarge", true, "[p]\r\nx=1\r\ny=1e308\r\nz=3\r\n", L"", L"16|b|c",
     ErrorKind::Overflow, 3, L"1e308"},
    ManyGroups()};

class ImportTest : public ::testing::TestWithParam<ImportRow> {};

TEST_P(ImportTest, RefreshGivesTheListOrStopsWhereTheFileGoesWrong) {
    const ImportRow& row = GetParam();
    if (row.scaled && platform::UserDecimalSeparator() != L".")
        GTEST_SKIP() << "written for a decimal point";
    ProgramFolder folder;
    folder.Write(row.file);
    WindowModel model{L"a", L"b", L"c", L"old list", row.scaled};
    FileSlot slot;
    for (int run = 1; run <= 2; ++run) { // the second run must not double the list
        EXPECT_EQ(EndingOf([&] { return Refresh(folder.programFolder(), model, slot); }),
                  Ending(row.ending, row.line, row.text))
            << "run " << run;
        EXPECT_EQ(model.Text4, row.list) << "run " << run;
        EXPECT_EQ(model.Text1 + L"|" + model.Text2 + L"|" + model.Text3, row.fields);
        EXPECT_FALSE(slot.occupied()) << "the file is released at once, also at a stop";
    }
    EXPECT_EQ(folder.Read(), row.file);
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(model.Text1 + L"|" + model.Text2 + L"|" + model.Text3 + model.Text4, row.fields);
    EXPECT_EQ(folder.Read(), "");
}

INSTANTIATE_TEST_SUITE_P(Files, ImportTest, ::testing::ValuesIn(ImportRows),
                         [](const auto& test) { return std::string(test.param.name); });

#ifdef _WIN32
HANDLE other = INVALID_HANDLE_VALUE; // another program's handle on the file

void LetGo() {
    CloseHandle(std::exchange(other, INVALID_HANDLE_VALUE));
}
#else
void LetGo() {}
#endif

// Puts the file into the named state; says why not where this system or user
// cannot have it.
const char* Enter(std::string_view state, const fs::path& file) {
    if (state == "Missing" || state == "Folder")
        fs::remove(file);
    if (state == "Folder")
        fs::create_directory(file);
    if (state == "FolderInCapitals")
        fs::rename(file.parent_path(), file.parent_path().parent_path() / "CLEO");
#ifdef _WIN32
    const auto hold = [&](DWORD access, DWORD share) {
        other = CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
        return other == INVALID_HANDLE_VALUE ? "the file cannot be held" : nullptr;
    };
    if (state == "Hidden" || state == "System" || state == "ReadOnly")
        SetFileAttributesW(file.c_str(), state == "Hidden" ? FILE_ATTRIBUTE_HIDDEN
                                         : state == "System"
                                             ? FILE_ATTRIBUTE_SYSTEM
                                             : FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    // Wine maps the attribute to permissions, which root ignores.
    if (state == "ReadOnly" && hold(GENERIC_WRITE, FILE_SHARE_READ) == nullptr) {
        LetGo();
        return "this user may write read-only files";
    }
    if (state == "HeldWithoutSharing")
        return hold(GENERIC_READ, 0);
    if (state == "HeldSharingReads")
        return hold(GENERIC_WRITE, FILE_SHARE_READ);
    if (state == "HeldSharingReadsAndWrites" || state == "DeletedWhileHeld")
        hold(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    // Windows then hides the name, or denies it to every open, until the holder lets go.
    if (state == "DeletedWhileHeld" && DeleteFileW(file.c_str()) &&
        GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        return "Wine keeps showing a deleted file that is still held";
    return state == "Unreadable" ? "Wine keeps no file from its owner" : nullptr;
#else
    if (state == "ReadOnly" || state == "Unreadable") {
        fs::permissions(file, state == "ReadOnly" ? fs::perms::owner_read : fs::perms::none);
        return geteuid() == 0 ? "root ignores file permissions" : nullptr;
    }
    const bool windowsOnly = state.starts_with("Held") || state == "DeletedWhileHeld" ||
                             state == "Hidden" || state == "System";
    return windowsOnly ? "a state of Windows files" : nullptr;
#endif
}

struct FaultRow {
    const char* name; // of the state
    Outcome refresh;
    Outcome clear;
    std::optional<std::string_view> bytes; // afterwards; nothing where no file is
    bool afterTheTest = false; // the change comes between Refresh's existence test and open
    std::wstring folderSuffix = {};
    friend void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }
};

const Outcome Finished = Status::Done, Missing = Status::FileMissing,
              OpenFailed = ErrorKind::OpenFailed, Refused = ErrorKind::TruncateFailed;
const std::optional<std::string_view> Kept = TwoGroups, Emptied = "", Gone = {};

const FaultRow FaultRows[] = {
    {"Missing", Missing, Missing, Gone},
    {"Folder", Missing, Missing, Gone},
    {"Hidden", Missing, Missing, Kept},
    {"System", Missing, Missing, Kept},
    {"ReadOnly", Finished, Refused, Kept},
    {"Unreadable", OpenFailed, Refused, Kept},
    {"HeldWithoutSharing", OpenFailed, Refused, Kept},
    {"HeldSharingReads", Finished, Refused, Kept},
    {"HeldSharingReadsAndWrites", Finished, Finished, Emptied},
    {"HeldInTheSlot", Finished, Finished, Emptied},
    {"DeletedWhileHeld", Missing, Missing, Gone},
    {"Missing", OpenFailed, Missing, Gone, true},
    {"Folder", OnWindows ? OpenFailed : Outcome(ErrorKind::ReadFailed), Missing, Gone, true},
    {"FolderInCapitals", OnWindows ? Finished : Missing, OnWindows ? Finished : Missing,
     OnWindows ? Emptied : Gone},
    {"NonAsciiFolder", Finished, Finished, Emptied, false,
     L" Pr\u00f6gr\u00e4mm \u0394\u03b9\u03b1 \u4f4d\u7f6e \U0001F600"},
    {"FolderOver260Characters", Finished, Finished, Emptied, false,
     std::wstring(150, L'a') + wchar_t(fs::path::preferred_separator) + std::wstring(150, L'b')}};

class FileFaultTest : public ::testing::TestWithParam<FaultRow> {};

TEST_P(FileFaultTest, CommandsReportTheFaultAndLeaveTheFileAlone) {
    const FaultRow& row = GetParam();
    ProgramFolder folder(row.folderSuffix);
    folder.Write(TwoGroups);
    const fs::path file = folder.coordinateFile();
    const std::wstring path = CoordinateFilePath(folder.programFolder());
    WindowModel model{L"", L"", L"", L"old list", false};
    FileSlot slot;
    if (std::string_view(row.name) == "HeldInTheSlot") // as a stopped import may leave it
        slot.Occupy(platform::File::OpenForReading(path));
    const char* unenforced = row.afterTheTest ? nullptr : Enter(row.name, file);
    if (unenforced && row.refresh != Finished)
        GTEST_SKIP() << unenforced;
    const auto import = [&](const std::wstring& given) {
        if (row.afterTheTest)
            Enter(row.name, file);
        ImportEntries(given, model, slot);
    };
    EXPECT_EQ(
        std::get<0>(EndingOf([&] { return Refresh(folder.programFolder(), model, slot, import); })),
        row.refresh);
    EXPECT_EQ(model.Text4, row.refresh == Finished ? TwoEntries : L"old list");
    if (unenforced)
        GTEST_SKIP() << unenforced;
    EXPECT_EQ(std::get<0>(EndingOf([&] { return Clear(folder.programFolder(), model, slot); })),
              row.clear);
    EXPECT_EQ(model.Text4, L"");
    EXPECT_FALSE(slot.occupied());
    LetGo();
    if (!row.bytes) { // what is gone stays gone, even for a truncation past the existence test
        EXPECT_THROW(TruncateCoordinateFile(path, slot), CoordinateError);
    }
    EXPECT_EQ(folder.Read(), row.bytes);
    if (row.bytes) // nothing of ours holds the file any longer
        fs::rename(file, file.parent_path() / "Old.INI");
}

INSTANTIATE_TEST_SUITE_P(States, FileFaultTest, ::testing::ValuesIn(FaultRows),
                         [](const auto& test) {
                             return std::string(test.param.name) +
                                    (test.param.afterTheTest ? "AfterTheTest" : "");
                         });

} // namespace
} // namespace velmora
