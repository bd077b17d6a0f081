// The core on real files. Refresh and Clear first on the bytes a recording
// script, an editor or a crash may leave in the coordinate file: the list and
// fields they give, or the sentence that says where and why the import stops.
// Then on a file that is missing, hidden, held by another program, denied to us
// or replaced as the import opens it, and below unusual program folders. Last
// the scaled values, and paths in the form the Windows file functions take.
#include "coordinate_error.h"
#include "entry_list.h"
#include "long_path.h"
#include "program_folder.h"
#include "scale_by_16.h"

#include <gtest/gtest.h>

#include <memory>
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

// How a command ended: with its result, or stopped by an error of this kind,
// which stop explains.
template <class Command>
auto EndingOf(Command command, std::wstring* stop = nullptr)
    -> std::variant<decltype(command()), ErrorKind> {
    try {
        return command();
    } catch (const CoordinateError& error) {
        if (stop)
            *stop = DescribeError(error);
        return error.kind;
    }
}
using Outcome = std::variant<Status, ErrorKind>;

const auto ByName = [](const auto& test) { return std::string(test.param.name); };
const auto Fields = [](const WindowModel& m) { return m.Text1 + L"|" + m.Text2 + L"|" + m.Text3; };

struct ImportRow {
    const char* name;
    bool scaled;
    std::string file;
    std::wstring list;            // Text4 afterwards
    std::wstring fields;          // Text1|Text2|Text3 afterwards
    std::wstring stop = {};       // the sentence that explains the stop, if any
    std::string_view locale = {}; // where it runs alone: "comma" separator, "kana" code page 932
    friend void PrintTo(const ImportRow& row, std::ostream* out) { *out << row.name; }
};

const std::string Two(testing::TwoGroups);
const std::wstring TwoEntries(testing::TwoEntries);
// The first read (64 KiB and a byte) ends between a CR and its LF; the second,
// shorter, leaves the first one's CRs in the buffer past its end.
const std::string SplitCrLf = "[pp]\r\nx=1\r\ny=2\r\nz=3\r\n[" + std::string(65498, 'p') +
                              "]\r\nx=1\r\ny=2\r\nz=3\r\n[q]\r\nx=4\r\ny=5\r\nz=6";

const ImportRow ImportRows[] = {
    {"ZeroBytesKeepTheFields", false, "", L"", L"a|b|c"},
    {"FieldsEndAsTheLastGroup", false, Two, TwoEntries, L"4|5|6"},
    {"MixedLineEndsNoFinalOne", false, "[p]\rx=1\r\ny=2\rz=3", L"1, 2, 3", L"1|2|3"},
    {"CrAndLfInTwoReads", false, SplitCrLf, L"1, 2, 3\r\n" + TwoEntries, L"4|5|6"},
    {"ValueLongerThanARead", false, "[p]\r\nx=" + std::string(200000, 'v') + "\r\ny=2\r\nz=3",
     std::wstring(200000, L'v') + L", 2, 3", std::wstring(200000, L'v') + L"|2|3"},
    {"LineFeedsAloneEndNoLine", false, "[p]\nx=1\ny=2\nz=3\n", L"", L"a|b|c",
     SHOWN_FILE L" ends at line 1, inside a position: every position needs four lines."},
    {"KeysHeadersEqualsBlanksAndNulStay", false, "\r\nx= 1\0\r\n=2 =x=y\r\nk=a value \x80="s,
     L" 1\0, 2 , a value \u20AC"s, L" 1\0|2 |a value \u20AC"s},
    {"AnsiCodePage", false,
     "[\x8D]\r\nx=\x80\r\ny=1\r\nz=2\r\n[q]\r\nx=\x9F\xA0\r\ny=\xFF\r\nz=\x7F",
     L"\u20AC, 1, 2\r\n\u0178\u00A0, \u00FF, \x7F", L"\u0178\u00A0|\u00FF|\x7F"},
    {"BlankLineBeforeAHeader", false, "[p]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[q]\r\nx=4\r\ny=5\r\nz=6",
     L"1, 2, 3", L"1|2|3", L"Line 6 of " SHOWN_FILE L" has no \"=\": \"[q]\"."},
    {"EmptyValueLineAfterACr", false, "[p]\r\nx=1\r\r\nz=3\r\n", L"", L"1|b|c",
     L"Line 3 of " SHOWN_FILE L" is empty where a value line was expected."},
    {"BlankLineAfterTheLastGroup", false, Two + "\r", TwoEntries, L"4|5|6",
     SHOWN_FILE L" ends at line 9, inside a position: every position needs four lines."},
    {"ScaledThirdValueNotANumber", true, Two + "[r]\r\nx=7\r\ny=-8.5\r\nz=nine",
     L"16, 32, 48\r\n64, 80, 96", L"112|-136|96",
     L"Line 12 of " SHOWN_FILE L": \"nine\" is not a number."},
    {"ScaledProductTooLarge", true, "[p]\r\nx=1\r\ny=1e308\r\nz=3\r\n", L"", L"16|b|c",
     L"Line 3 of " SHOWN_FILE L": \"1e308\" multiplied by 16 is too large."},
    {"CommaLocaleUsesTheUsersSeparator", true,
     "[p]\r\nx=12,5\r\ny= 0,3\r\nz=-1e-6\r\n[q]\r\nx=1\r\ny=2\r\nz=1.5\r\n", L"200, 4,8, -1,6E-05",
     L"16|32|-1,6E-05", L"Line 8 of " SHOWN_FILE L": \"1.5\" is not a number.", "comma"},
    // A byte from 0x40 may end a character there or start one.
    {"DoubleByteCodePageDecodesValuesAndBadLinesWhole", false,
     "[p]\r\nx=\x82\xA0\x83\x41\r\ny=2\r\nz=3\r\n[q]\r\nx=1\r\n\x82\xA0\x83\x41\r\nz=3",
     L"\u3042\u30A2, 2, 3", L"1|2|3", L"Line 7 of " SHOWN_FILE L" has no \"=\": \"\u3042\u30A2\".",
     "kana"}};

class ImportTest : public ::testing::TestWithParam<ImportRow> {};

TEST_P(ImportTest, RefreshGivesTheListOrStopsWhereTheFileGoesWrong) {
    const ImportRow& row = GetParam();
    // Run with LC_ALL=de_DE.UTF-8 or ja_JP.UTF-8, under Wine too.
    std::wstring kana;
    platform::AppendAnsi(kana, "\x82\xA0");
    const bool comma = platform::UserDecimalSeparator() == L",";
    const std::string_view here = kana == L"\u3042" ? "kana" : comma ? "comma" : "";
    if (row.locale.empty() ? row.scaled && comma : row.locale != here)
        GTEST_SKIP() << "written for another locale";
    testing::ProgramFolder folder;
    folder.Write(row.file);
    WindowModel model{L"a", L"b", L"c", L"old list", row.scaled};
    FileSlot slot;
    const RunImport import = [&](const auto& path) { ImportEntries(path, model, slot); };
    for (int twice = 0; twice < 2; ++twice) { // the list must not double
        std::wstring stop;
        EndingOf([&] { return Refresh(folder.programFolder(), slot, import); }, &stop);
        EXPECT_EQ(std::tuple(stop, model.Text4, Fields(model)),
                  std::tuple(row.stop, row.list, row.fields));
        EXPECT_FALSE(slot) << "the file is released at once, also at a stop";
    }
    EXPECT_EQ(Clear(folder.programFolder(), model, slot), Status::Done);
    EXPECT_EQ(Fields(model) + model.Text4, row.fields);
    EXPECT_EQ(folder.Read(), "");
}

INSTANTIATE_TEST_SUITE_P(Files, ImportTest, ::testing::ValuesIn(ImportRows), ByName);

// The states a file may be in; Hidden and the holds by another program need Windows.
enum class State { None, Missing, Folder, Hidden, HeldUnshared, HeldSharingReads, HeldSharing };

struct FaultRow {
    const char* name;
    State state;
    Outcome refresh;
    Outcome clear;
    std::optional<std::string_view> bytes; // afterwards; nothing where no file is
    bool atTheOpen = false; // the change comes after Refresh's existence test, as the import opens
    std::wstring folderSuffix = {};
    friend void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }
};

const Outcome Finished = Status::Done, Missing = Status::FileMissing,
              OpenFailed = ErrorKind::OpenFailed, Refused = ErrorKind::TruncateFailed;
const std::optional<std::string_view> Kept = Two, Emptied = "", Gone = {};
const std::wstring Separator(1, fs::path::preferred_separator);

const FaultRow FaultRows[] = {
    {"Missing", State::Missing, Missing, Missing, Gone},
    {"Folder", State::Folder, Missing, Missing, Gone},
    {"Hidden", State::Hidden, Missing, Missing, Kept},
    {"HeldWithoutSharing", State::HeldUnshared, OpenFailed, Refused, Kept},
    {"HeldSharingReads", State::HeldSharingReads, Finished, Refused, Kept},
    {"HeldSharingReadsAndWrites", State::HeldSharing, Finished, Finished, Emptied},
    {"MissingAtTheOpen", State::Missing, OpenFailed, Missing, Gone, true},
    {"FolderAtTheOpen", State::Folder,
     Separator == L"\\" ? OpenFailed : Outcome(ErrorKind::ReadFailed), Missing, Gone, true},
    {"NonAsciiProgramFolder", State::None, Finished, Finished, Emptied, false,
     L" Pr\u00f6gr\u00e4mm \u0394\u03b9\u03b1 \u4f4d\u7f6e \U0001F600"},
    {"ProgramFolderOver260Characters", State::None, Finished, Finished, Emptied, false,
     Separator + std::wstring(150, L'a') + Separator + std::wstring(150, L'b')}};

// Puts the file into the state, another program's hold lasting as long as
// holder; says why not where this system cannot.
const char* Enter(State state, const fs::path& file,
                  [[maybe_unused]] std::shared_ptr<void>& holder) {
    if (state == State::Missing || state == State::Folder)
        fs::remove(file);
    if (state == State::Folder)
        fs::create_directory(file);
#ifdef _WIN32
    if (state == State::Hidden)
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD shares[] = {0, FILE_SHARE_READ, FILE_SHARE_READ | FILE_SHARE_WRITE};
    if (state >= State::HeldUnshared)
        holder.reset(
            CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                        shares[static_cast<int>(state) - static_cast<int>(State::HeldUnshared)],
                        nullptr, OPEN_EXISTING, 0, nullptr),
            CloseHandle);
    return nullptr;
#else
    return state >= State::Hidden ? "a state of Windows files" : nullptr;
#endif
}

class FileFaultTest : public ::testing::TestWithParam<FaultRow> {};

TEST_P(FileFaultTest, CommandsReportTheFaultAndLeaveTheFileAlone) {
    const FaultRow& row = GetParam();
    testing::ProgramFolder folder(row.folderSuffix);
    folder.Write(Two);
    WindowModel model{L"", L"", L"", L"old list", false};
    FileSlot slot;
    std::shared_ptr<void> holder;
    if (const char* unenforced = Enter(row.state, folder.coordinateFile(), holder))
        GTEST_SKIP() << unenforced;
    const RunImport import = [&](const auto& path) { ImportEntries(path, model, slot); };
    EXPECT_EQ(EndingOf([&] {
                  if (!row.atTheOpen)
                      return Refresh(folder.programFolder(), slot, import);
                  import(folder.coordinatePath()); // where Refresh hands over
                  return Status::Done;
              }),
              row.refresh);
    EXPECT_EQ(model.Text4, row.refresh == Finished ? TwoEntries : L"old list");
    EXPECT_EQ(EndingOf([&] { return Clear(folder.programFolder(), model, slot); }), row.clear);
    EXPECT_EQ(model.Text4, L"");
    EXPECT_FALSE(slot);
    holder.reset();
    // What is gone stays gone, even for a truncation past the existence test.
    const auto truncate = [&] { return TruncateCoordinateFile(folder.coordinatePath(), slot); };
    EXPECT_TRUE(row.bytes || EndingOf([&] { return truncate(), Status::Done; }) == Refused);
    EXPECT_EQ(folder.Read(), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(States, FileFaultTest, ::testing::ValuesIn(FaultRows), ByName);

// Beyond a double's range, with a plus sign in the exponent, and with no exponent.
const std::wstring Tiny = L"0." + std::wstring(330, L'0') + L"1e+5", Huge(400, L'9');

// General format with 15 significant digits: fixed from 1E-04 to 15 digits before
// the separator, the exponent form outside, with at least two exponent digits.
// A separator, the field text or the stop, and the values that give it.
const std::tuple<std::wstring_view, std::variant<std::wstring, ErrorKind>,
                 std::vector<std::wstring_view>>
    ScaleRows[] = {
        {L".", L"0", {L"0", L"-0", L"-0.000", L"-1E-400", L"1e-99999999999999999999", Tiny}},
        {L".", L"112", {L"+7", L" 7 ", L"\t7\t", L"7.", L".7e1", L"00007.000", L"000000000000007"}},
        {L".", L"8E-05", {L"0.000005"}},
        {L".", L"0.0001", {L"0.00000625"}},
        {L".", L"999999999999999", {L"62499999999999.9453125"}}, // 999999999999999.1
        {L".", L"1E+15", {L"62500000000000", L"62499999999999.99999"}},
        {L".", L"1.59998218749229E-319", {L"1e-320"}}, // too few bits for 15 digits to tell
        // Where the x87 unit rounds a conversion twice, the last digit comes out one high.
        {L".", L"6.09250858797851E+23", {L"3807817867486572e7"}},
        {L".", L"4.56462674530315E+28", {L"2852891715814472e12"}},
        {L".", L"1.41031546150867E+23", {L"8814471634429156e6"}},
        {L",", L"1,6E-05", {L"1e-6"}},
        {L"\u066B", L"-4\u066B8", {L"-0\u066B3"}}, // beyond ASCII
        {L"::", L"4::8", {L"0::3"}},               // several characters
        {L".",
         ErrorKind::TypeMismatch,
         {L"", L" ", L"1 2", L"123456789012345 6", L"1\0"sv, L"0x10", L"inf", L"nan", L"1e", L"1e+",
          L"--1", L"+-1", L".", L"-", L"e5", L"1,5", L"1.2.3"}},
        {L".",
         ErrorKind::Overflow,
         {L"1.13e307", L"-1.2e308", L"9e400", L"1e99999999999999999999", Huge}}};

TEST(ScaleBy16Test, MultipliesAndWritesLikeAGeneralFormatNumber) {
    for (const auto& [separator, scaled, values] : ScaleRows) {
        for (const std::wstring_view value : values) {
            const std::wstring_view decimal = separator; // a lambda may not capture a binding
            std::wstring field;
            EXPECT_EQ(EndingOf([&] { return ScaleBy16(value, decimal, field), field; }), scaled)
                << "value: " << std::wstring(value);
        }
    }
}

// Sentences no import above gives: a long text is cut, never inside a UTF-16
// surrogate pair; a file operation gives the system's reason.
TEST(DescribeErrorTest, CutsLongTextsAndGivesTheSystemsReason) {
    const std::wstring ones(38, L'1');
    const std::pair<std::wstring, std::wstring> cuts[] = {
        {ones + L"12", ones + L"12"},
        {ones + L"\uFF0123", ones + L"\uFF01\u2026"},
        {ones + L"\xD800\xDC00!", ones + L"\u2026"},
        {ones + L"\xDBFF\xDFFF!", ones + L"\u2026"}};
    for (const auto& [text, shown] : cuts)
        EXPECT_EQ(DescribeError(CoordinateError(ErrorKind::TypeMismatch, 4, text)),
                  L"Line 4 of " SHOWN_FILE L": \"" + shown + L"\" is not a number.");
    EXPECT_EQ(DescribeError(CoordinateError(ErrorKind::OpenFailed, 0, L"", L"Access is denied")),
              SHOWN_FILE L" could not be opened: Access is denied");
}

TEST(LongPathFormTest, PrefixesPathsFrom260CharactersAndMakesSeparatorsSingle) {
    const auto d = [](std::size_t n) { return std::wstring(n, L'd'); };
    const std::wstring file = L"\\cleo\\Temp.INI", longForm = L"\\\\?\\";
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"C:\\" + d(241) + L"\\" + file, L"C:\\" + d(241) + L"\\" + file}, // 259 characters
        {L"C:\\" + d(242) + L"\\" + file, longForm + L"C:\\" + d(242) + file},
        {L"\\\\srv\\share\\" + d(250) + file, longForm + L"UNC\\srv\\share\\" + d(250) + file},
        {L"\\\\.\\C:\\" + d(250) + file, longForm + L"C:\\" + d(250) + file}, // not a share "C:"
        // Started as \\?\C:\velmora.exe: Windows does not make that form's separators single.
        {longForm + L"C:\\" + file, longForm + L"C:" + file}};
    for (const auto& [path, expected] : rows)
        EXPECT_EQ(LongPathForm(path), expected) << path.size() << " characters";
}

} // namespace
} // namespace velmora
