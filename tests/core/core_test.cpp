// The core on real files. Refresh and Clear first on the bytes a recording
// script, an editor or a crash may leave in the coordinate file: the list and
// fields they give, or the sentence that says where and why the import stops.
// Then on a file that is missing, hidden, held by another program, denied to us
// or replaced as the import opens it, and below unusual program folders. Last
// the scaled values, and paths in the form the Windows file functions take.
#include "coordinate_error.h"
#include "coordinate_file.h"
#include "entry_list.h"
#include "long_path.h"
#include "program_folder.h"
#include "scale_by_16.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <tuple>
#include <variant>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#define SHOWN_FILE L"cleo\\Temp.INI"
#else
#define SHOWN_FILE L"cleo/Temp.INI"
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using testing::TwoGroups;
constexpr bool OnWindows = fs::path::preferred_separator == L'\\';

// How a command ended: with a status, or stopped by an error of this kind.
using Outcome = std::variant<Status, ErrorKind>;
template <class Command> Outcome EndingOf(Command command, std::wstring* sentence = nullptr) {
    try {
        return command();
    } catch (const CoordinateError& error) {
        if (sentence)
            *sentence = DescribeError(error);
        return error.kind;
    }
}

struct ImportRow {
    const char* name;
    bool scaled;
    std::string file;
    std::wstring list;      // Text4 afterwards
    std::wstring fields;    // Text1|Text2|Text3 afterwards
    std::wstring stop = {}; // the sentence that explains the stop, if any
    friend void PrintTo(const ImportRow& row, std::ostream* out) { *out << row.name; }
};

const std::string Two(TwoGroups);
const std::wstring TwoEntries(testing::TwoEntries);
const std::wstring TwoScaled = L"16, 32, 48\r\n64, 80, 96";
// A group whose last CR ends the first 64 KiB read and whose LF begins the next.
const std::string SplitCrLf = "[" + std::string(65518, 'p') + "]\r\nx=1\r\ny=2\r\nz=3\r\n";

const ImportRow ImportRows[] = {
    {"ZeroBytesKeepTheFields", false, "", L"", L"a|b|c"},
    {"FieldsEndAsTheLastGroup", false, Two, TwoEntries, L"4|5|6"},
    {"MixedLineEndsNoFinalOne", false, "[p]\rx=1\r\ny=2\rz=3", L"1, 2, 3", L"1|2|3"},
    {"CrAndLfInTwoReads", false, SplitCrLf, L"1, 2, 3", L"1|2|3"},
    {"ValueLongerThanARead", false, "[p]\r\nx=" + std::string(200000, 'v') + "\r\ny=2\r\nz=3",
     std::wstring(200000, L'v') + L", 2, 3", std::wstring(200000, L'v') + L"|2|3"},
    {"LineFeedsAloneEndNoLine", false, "[p]\nx=1\ny=2\nz=3\n", L"", L"a|b|c",
     SHOWN_FILE L" ends at line 1, inside a position: every position needs four lines."},
    {"KeysHeadersEqualsAndBlanksStay", false,
     "\r\nx= 1\r\n=2 =x=y\r\nk=a value \x80=", L" 1, 2 , a value \u20AC", L" 1|2 |a value \u20AC"},
    {"NulIsOrdinary", false, "[p]\r\nx=1\0\r\ny=2\r\nz=\0"s, L"1\0, 2, \0"s, L"1\0|2|\0"s},
    {"AnsiCodePage", false,
     "[\x8D]\r\nx=\x80\r\ny=1\r\nz=2\r\n[q]\r\nx=\x9F\xBD\r\ny=\xFF\r\nz=\x7F",
     L"\u20AC, 1, 2\r\n\u0178\u00BD, \u00FF, \x7F", L"\u0178\u00BD|\u00FF|\x7F"},
    {"BlankLineBeforeAHeader", false, "[p]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[q]\r\nx=4\r\ny=5\r\nz=6",
     L"1, 2, 3", L"1|2|3", L"Line 6 of " SHOWN_FILE L" has no \"=\": \"[q]\"."},
    {"EmptyValueLineAfterACr", false, "[p]\r\nx=1\r\r\nz=3\r\n", L"", L"1|b|c",
     L"Line 3 of " SHOWN_FILE L" is empty where a value line was expected."},
    {"HugeLineWithoutEqualsShownShort", false, Two + "[r]\r\nx=7\r\ny=8\r\n" + std::string(99, 'z'),
     TwoEntries, L"7|8|6",
     L"Line 12 of " SHOWN_FILE L" has no \"=\": \"" + std::wstring(39, L'z') + L"\u2026\"."},
    {"BlankLineAfterTheLastGroup", false, Two + "\r", TwoEntries, L"4|5|6",
     SHOWN_FILE L" ends at line 9, inside a position: every position needs four lines."},
    {"HalfWrittenGroup", true, Two + "[r]\r\nx=7\r\ny=8\r", TwoScaled, L"64|80|96",
     SHOWN_FILE L" ends at line 11, inside a position: every position needs four lines."},
    {"ScaledThirdValueNotANumber", true, Two + "[r]\r\nx=7\r\ny=-8.5\r\nz=nine", TwoScaled,
     L"112|-136|96", L"Line 12 of " SHOWN_FILE L": \"nine\" is not a number."},
    {"ScaledProductTooLarge", true, "[p]\r\nx=1\r\ny=1e308\r\nz=3\r\n", L"", L"16|b|c",
     L"Line 3 of " SHOWN_FILE L": \"1e308\" multiplied by 16 is too large."}};

class ImportTest : public ::testing::TestWithParam<ImportRow> {};

TEST_P(ImportTest, RefreshGivesTheListOrStopsWhereTheFileGoesWrong) {
    const ImportRow& row = GetParam();
    if (row.scaled && platform::UserDecimalSeparator() != L".")
        GTEST_SKIP() << "written for a decimal point";
    testing::ProgramFolder folder;
    folder.Write(row.file);
    WindowModel model{L"a", L"b", L"c", L"old list", row.scaled};
    FileSlot slot;
    const RunImport import = [&](const auto& path) { ImportEntries(path, model, slot); };
    for (int twice = 0; twice < 2; ++twice) { // the list must not double
        std::wstring stop;
        const Outcome ending =
            EndingOf([&] { return Refresh(folder.programFolder(), slot, import); }, &stop);
        EXPECT_EQ(stop, row.stop);
        EXPECT_TRUE(!row.stop.empty() || ending == Outcome(Status::Done));
        EXPECT_EQ(model.Text4, row.list);
        EXPECT_EQ(model.Text1 + L"|" + model.Text2 + L"|" + model.Text3, row.fields);
        EXPECT_FALSE(slot.has_value()) << "the file is released at once, also at a stop";
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
const auto LetGo = [] { CloseHandle(std::exchange(other, INVALID_HANDLE_VALUE)); };
#else
const auto LetGo = [] {};
#endif

// Puts the file into the named state; says why not where this system or user
// cannot have it.
const char* Enter(std::string_view state, const fs::path& file) {
    if (state.starts_with("Missing") || state.starts_with("Folder"))
        fs::remove(file);
    if (state.starts_with("Folder"))
        fs::create_directory(file);
    if (state == "ReadOnly" || state == "Unreadable") { // Windows can only make it read-only
        fs::permissions(file, state == "ReadOnly" ? fs::perms::owner_read : fs::perms::none);
        const bool ignored =
            state == "ReadOnly" ? !!std::ofstream(file, std::ios::app) : !!std::ifstream(file);
        return ignored ? "this user gets past the file's permissions" : nullptr;
    }
#ifdef _WIN32
    const auto hold = [&](DWORD access, DWORD share) {
        other = CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
        return other == INVALID_HANDLE_VALUE ? "the file cannot be held" : nullptr;
    };
    if (state == "Hidden" || state == "System")
        SetFileAttributesW(file.c_str(),
                           state == "Hidden" ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM);
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
    return nullptr;
#else
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
    bool atTheOpen = false; // the change comes after Refresh's existence test, as the import opens
    std::wstring folderSuffix = {};
    friend void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }
};

const Outcome Finished = Status::Done, Missing = Status::FileMissing,
              OpenFailed = ErrorKind::OpenFailed, Refused = ErrorKind::TruncateFailed;
const std::optional<std::string_view> Kept = TwoGroups, Emptied = "", Gone = {};
const std::wstring Separator(1, fs::path::preferred_separator);

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
    {"OpenInTheSlot", Finished, Finished, Emptied},
    {"DeletedWhileHeld", Missing, Missing, Gone},
    {"MissingAtTheOpen", OpenFailed, Missing, Gone, true},
    {"FolderAtTheOpen", OnWindows ? OpenFailed : Outcome(ErrorKind::ReadFailed), Missing, Gone,
     true},
    {"NonAsciiProgramFolder", Finished, Finished, Emptied, false,
     L" Pr\u00f6gr\u00e4mm \u0394\u03b9\u03b1 \u4f4d\u7f6e \U0001F600"},
    {"ProgramFolderOver260Characters", Finished, Finished, Emptied, false,
     Separator + std::wstring(150, L'a') + Separator + std::wstring(150, L'b')}};

class FileFaultTest : public ::testing::TestWithParam<FaultRow> {};

TEST_P(FileFaultTest, CommandsReportTheFaultAndLeaveTheFileAlone) {
    const FaultRow& row = GetParam();
    testing::ProgramFolder folder(row.folderSuffix);
    folder.Write(TwoGroups);
    const std::wstring path = CoordinateFilePath(folder.programFolder());
    WindowModel model{L"", L"", L"", L"old list", false};
    FileSlot slot;
    if (std::string_view(row.name) == "OpenInTheSlot") // as a stopped import may leave it
        slot.emplace(platform::File::OpenForReading(path));
    const std::shared_ptr<void> letGo(nullptr, [](void*) { LetGo(); }); // also at a skip
    const char* unenforced = Enter(row.name, folder.coordinateFile());
    if (unenforced && row.refresh != Finished)
        GTEST_SKIP() << unenforced;
    const RunImport import = [&](const auto& at) { ImportEntries(at, model, slot); };
    EXPECT_EQ(EndingOf([&] {
                  if (!row.atTheOpen)
                      return Refresh(folder.programFolder(), slot, import);
                  import(path); // where Refresh hands over
                  return Status::Done;
              }),
              row.refresh);
    EXPECT_EQ(model.Text4, row.refresh == Finished ? testing::TwoEntries : L"old list");
    if (unenforced)
        GTEST_SKIP() << unenforced;
    EXPECT_EQ(EndingOf([&] { return Clear(folder.programFolder(), model, slot); }), row.clear);
    EXPECT_EQ(model.Text4, L"");
    EXPECT_FALSE(slot.has_value());
    LetGo();
    // What is gone stays gone, even for a truncation past the existence test.
    const auto truncate = [&] { return TruncateCoordinateFile(path, slot), Status::Done; };
    EXPECT_TRUE(row.bytes || EndingOf(truncate) == Refused);
    EXPECT_EQ(folder.Read(), row.bytes);
    if (row.bytes) // nothing of ours holds the file any longer
        fs::rename(folder.coordinateFile(), testing::AsPath(path + L".old"));
}

INSTANTIATE_TEST_SUITE_P(States, FileFaultTest, ::testing::ValuesIn(FaultRows),
                         [](const auto& test) { return std::string(test.param.name); });

struct ScaleRow {
    std::wstring_view separator;
    std::variant<std::wstring, ErrorKind> scaled;
    std::vector<std::wstring_view> values; // that give it
};

// General format with 15 significant digits: fixed from 1E-04 to 15 digits before
// the separator, the exponent form outside, with at least two exponent digits.
const ScaleRow ScaleRows[] = {
    {L".", L"0", {L"0", L"-0", L"-0.000", L"-1e-400", L"1e-99999999999999"}},
    {L".", L"112", {L"+7", L" 7 ", L"\t7\t", L"7.", L".7e1", L"00007.000", L"000000000000007"}},
    {L".", L"-4.8", {L"-0.3"}},
    {L".", L"16000", {L"1e3"}},
    {L".", L"0.0001", {L"0.00000625"}},
    {L".", L"8E-05", {L"0.000005"}},
    {L".", L"99999999999998.4", {L"6249999999999.9"}},
    {L".", L"999999999999999", {L"62499999999999.9375"}},
    {L".", L"1E+15", {L"62500000000000", L"62499999999999.99999"}},
    {L".", L"1.97530862419752E+15", {L"123456789012345"}},
    {L".", L"1.60000000000002E+15", {L"100000000000001"}},
    {L".", L"-1.6E+21", {L"-1e20"}},
    {L".", L"1.6E+100", {L"1e99"}},
    {L".", L"1.792E+308", {L"1.12e307"}},
    {L".", L"1.59998218749229E-319", {L"1e-320"}}, // too few bits for 15 digits to tell
    // Where the x87 unit rounds a conversion twice, the last digit comes out one high.
    {L".", L"6.09250858797851E+23", {L"3807817867486572e7"}},
    {L".", L"4.56462674530315E+28", {L"2852891715814472e12"}},
    {L".", L"1.41031546150867E+23", {L"8814471634429156e6"}},
    {L",", L"4,8", {L"0,3"}},
    {L",", L"1,6E-05", {L"1e-6"}},
    {L",", L"1,97530862419753", {L"0,1234567890123456789"}},
    {L",", ErrorKind::TypeMismatch, {L"12.5", L"1,2,3"}},
    {L"\u066B", L"-4\u066B8", {L"-0\u066B3"}}, // beyond ASCII
    {L"::", L"4::8", {L"0::3"}},
    {L"::", ErrorKind::TypeMismatch, {L"0:3", L"0.3"}},
    {L".",
     ErrorKind::TypeMismatch,
     {L"", L" ", L"1 2", L"123456789012345 6", L"1\0"sv, L"0x10", L"inf", L"nan", L"1e", L"1e+",
      L"--1", L"+-1", L".", L"-", L"e5", L"1,5"}},
    {L".", ErrorKind::Overflow, {L"1.13e307", L"-1.2e308", L"1e400", L"1e99999999999999"}}};

TEST(ScaleBy16Test, MultipliesAndWritesLikeAGeneralFormatNumber) {
    for (const auto& [separator, scaled, values] : ScaleRows) {
        for (const std::wstring_view value : values) {
            std::variant<std::wstring, ErrorKind> result;
            try {
                result = ScaleBy16(value, separator);
            } catch (const CoordinateError& error) {
                result = error.kind;
            }
            EXPECT_EQ(result, scaled) << "value: " << std::wstring(value);
        }
    }
}

// The user's own separator in a whole import. Run with a locale whose
// separator is a comma (LC_ALL=de_DE.UTF-8, under Wine too).
TEST(CommaLocaleTest, ImportScalesWithTheUsersSeparator) {
    if (platform::UserDecimalSeparator() != L",")
        GTEST_SKIP() << "written for a decimal comma";
    testing::ProgramFolder folder;
    folder.Write("[p]\r\nx=12,5\r\ny= 0,3\r\nz=-1e-6\r\n[q]\r\nx=1\r\ny=2\r\nz=1.5\r\n");
    WindowModel model{L"", L"", L"", L"", true};
    FileSlot slot;
    std::wstring stop;
    EndingOf(
        [&] {
            return ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot),
                   Status::Done;
        },
        &stop);
    EXPECT_EQ(model.Text4, L"200, 4,8, -1,6E-05");
    EXPECT_EQ(stop, L"Line 8 of " SHOWN_FILE L": \"1.5\" is not a number.");
}

// Sentences that no import above gives: kind, text, system message, sentence.
TEST(DescribeErrorTest, NamesWhatFailedAndWhy) {
    using Row = std::tuple<ErrorKind, std::wstring_view, std::wstring_view, std::wstring_view>;
    const Row rows[] = {
        {ErrorKind::TypeMismatch, L"12345678901234567890123456789012345678\xD83D\xDE00!", L"",
         L"Line 4 of " SHOWN_FILE L": \"12345678901234567890123456789012345678\u2026\""
         L" is not a number."}, // not half of a surrogate pair
        {ErrorKind::FileAlreadyOpen, L"", L"", SHOWN_FILE L" is already open."},
        {ErrorKind::OpenFailed, L"", L"Access is denied",
         SHOWN_FILE L" could not be opened: Access is denied"},
        {ErrorKind::ReadFailed, L"", L"Is a directory",
         SHOWN_FILE L" could not be read: Is a directory"},
        {ErrorKind::TruncateFailed, L"", L"", SHOWN_FILE L" could not be emptied."}};
    for (const auto& [kind, text, systemMessage, sentence] : rows)
        EXPECT_EQ(DescribeError(
                      CoordinateError(kind, 4, std::wstring(text), std::wstring(systemMessage))),
                  sentence);
}

// Values and bad lines are decoded whole in code page 932 (under Wine:
// LC_ALL=ja_JP.UTF-8), where a byte from 0x40 may end a character or start one.
TEST(DoubleByteTest, ValuesAndBadLinesAreDecodedWhole) {
    std::wstring kana;
    platform::AppendAnsi(kana, "\x82\xA0");
    if (kana != L"\u3042")
        GTEST_SKIP() << "written for code page 932";
    testing::ProgramFolder folder;
    folder.Write(
        "[p]\r\nx=\x82\xA0\x83\x41\r\ny=2\r\nz=3\r\n[q]\r\nx=1\r\n\x82\xA0\x83\x41\r\nz=3");
    WindowModel model;
    FileSlot slot;
    std::wstring stop;
    EndingOf(
        [&] {
            return ImportEntries(CoordinateFilePath(folder.programFolder()), model, slot),
                   Status::Done;
        },
        &stop);
    EXPECT_EQ(model.Text4, L"\u3042\u30A2, 2, 3");
    EXPECT_EQ(stop, L"Line 7 of " SHOWN_FILE L" has no \"=\": \"\u3042\u30A2\".");
}

TEST(LongPathFormTest, PrefixesPathsFrom260CharactersAndMakesSeparatorsSingle) {
    const std::wstring deep(250, L'd'); // with "C:\" and "\cleo\Temp.INI": 267 characters
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"C:\\Games\\cleo\\Temp.INI", L"C:\\Games\\cleo\\Temp.INI"},
        {L"C:\\\\cleo\\Temp.INI", L"C:\\\\cleo\\Temp.INI"},
        {L"C:\\" + std::wstring(256, L'd'), L"C:\\" + std::wstring(256, L'd')},
        {L"C:\\" + std::wstring(257, L'd'), L"\\\\?\\C:\\" + std::wstring(257, L'd')},
        {L"C:\\" + deep + L"\\\\cleo\\Temp.INI", L"\\\\?\\C:\\" + deep + L"\\cleo\\Temp.INI"},
        {L"\\\\server\\share\\" + deep + L"\\\\cleo\\Temp.INI",
         L"\\\\?\\UNC\\server\\share\\" + deep + L"\\cleo\\Temp.INI"},
        {L"\\\\?\\C:\\\\cleo\\Temp.INI",
         L"\\\\?\\C:\\cleo\\Temp.INI"}, // started as \\?\C:\velmora.exe
        {L"\\\\?\\UNC\\server\\share\\\\cleo\\Temp.INI",
         L"\\\\?\\UNC\\server\\share\\cleo\\Temp.INI"}};
    for (const auto& [path, expected] : rows)
        EXPECT_EQ(LongPathForm(path), expected) << path.size() << " characters";
}

} // namespace
} // namespace velmora
