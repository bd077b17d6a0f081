// The texts the core writes: scaled values, the sentences that explain a stop,
// and paths in the form the Windows file functions take beyond 259 characters.
#include "coordinate_error.h"
#include "entry_list.h"
#include "long_path.h"

#include <gtest/gtest.h>

#include <tuple>
#include <variant>
#include <vector>

namespace velmora {
namespace {

using namespace std::string_view_literals;
using enum ErrorKind;

std::variant<std::wstring, ErrorKind> Scaled(std::wstring_view value, std::wstring_view separator) {
    try {
        return ScaleBy16(value, separator);
    } catch (const CoordinateError& error) {
        return error.kind();
    }
}

// separator, the text or error, the values that give it
using ScaleRow = std::tuple<std::wstring_view, std::variant<std::wstring, ErrorKind>,
                            std::vector<std::wstring_view>>;

// General format with 15 significant digits: fixed from 1E-04 to 15 digits before
// the separator, the exponent form outside, with at least two exponent digits.
const ScaleRow ScaleRows[] = {
    {L".", L"0", {L"0", L"-0", L"-0.000", L"-1e-400", L"1e-99999999999999"}},
    {L".", L"112", {L"+7", L" 7 ", L"\t7\t", L"7.", L".7e1", L"00007.000"}},
    {L".", L"-4.8", {L"-0.3"}},
    {L".", L"16000", {L"1e3"}},
    {L".", L"0.0001", {L"0.00000625"}},
    {L".", L"8E-05", {L"0.000005"}},
    {L".", L"99999999999998.4", {L"6249999999999.9"}},
    {L".", L"999999999999999", {L"62499999999999.9375"}},
    {L".", L"1E+15", {L"62500000000000", L"62499999999999.99999"}},
    {L".", L"1.97530862419752E+15", {L"123456789012345"}},
    {L".", L"1.60000000000002E+15", {L"100000000000001"}},
    {L".", L"1.96767440737096E+19", {L"1229796504606846976"}},
    {L".", L"-1.6E+21", {L"-1e20"}},
    {L".", L"1.6E+100", {L"1e99"}},
    {L".", L"1.792E+308", {L"1.12e307"}},
    {L",", L"4,8", {L"0,3"}},
    {L",", L"1,6E-05", {L"1e-6"}},
    {L",", L"1,97530862419753", {L"0,1234567890123456789"}},
    {L",", TypeMismatch, {L"12.5", L"1,2,3"}},
    {L".",
     TypeMismatch,
     {L"", L" ", L"1 2", L"1\0"sv, L"0x10", L"inf", L"nan", L"1e", L"1e+", L"--1", L"+-1", L".",
      L"-", L"e5", L"1,5"}},
    {L".", Overflow, {L"1.13e307", L"-1.2e308", L"1e400", L"1e99999999999999"}}};

TEST(ScaleBy16Test, MultipliesAndWritesLikeAGeneralFormatNumber) {
    for (const auto& [separator, scaled, values] : ScaleRows) {
        for (const std::wstring_view value : values)
            EXPECT_EQ(Scaled(value, separator), scaled) << "value: " << std::wstring(value);
    }
}

// The file as the user finds it beside the program.
#ifdef _WIN32
#define SHOWN_FILE L"cleo\\Temp.INI"
#else
#define SHOWN_FILE L"cleo/Temp.INI"
#endif

// kind, line, text, system message, the sentence
constexpr std::tuple<ErrorKind, std::size_t, std::wstring_view, std::wstring_view,
                     std::wstring_view>
    MessageRows[] = {
        {SubscriptOutOfRange, 7, L"z 3", L"", L"Line 7 of " SHOWN_FILE L" has no \"=\": \"z 3\"."},
        {SubscriptOutOfRange, 12, L"", L"",
         L"Line 12 of " SHOWN_FILE L" is empty where a value line was expected."},
        {TypeMismatch, 3, L"1234567890123456789012345678901234567890", L"",
         L"Line 3 "
         L"of " SHOWN_FILE L": \"1234567890123456789012345678901234567890\" is not a number."},
        {TypeMismatch, 3, L"12345678901234567890123456789012345678901", L"",
         L"Line 3 "
         L"of " SHOWN_FILE L": \"123456789012345678901234567890123456789\u2026\" is not a number."},
        {Overflow, 2, L"1e308", L"",
         L"Line 2 of " SHOWN_FILE L": \"1e308\" multiplied by 16 is too large."},
        {InputPastEnd, 6, L"", L"",
         SHOWN_FILE L" ends at line 5, inside a position: every position needs four lines."},
        {FileAlreadyOpen, 0, L"", L"", SHOWN_FILE L" is already open."},
        {OpenFailed, 0, L"", L"Access is denied",
         SHOWN_FILE L" could not be opened: Access is denied"},
        {ReadFailed, 0, L"", L"Is a directory", SHOWN_FILE L" could not be read: Is a directory"},
        {TruncateFailed, 0, L"", L"Sharing violation",
         SHOWN_FILE L" could not be emptied: Sharing violation"},
        {TruncateFailed, 0, L"", L"", SHOWN_FILE L" could not be emptied."}};

TEST(DescribeErrorTest, NamesTheLineAndWhatIsWrong) {
    for (const auto& [kind, line, text, systemMessage, sentence] : MessageRows)
        EXPECT_EQ(DescribeError(CoordinateError(kind, line, text, std::wstring(systemMessage))),
                  sentence);
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
        {L"\\\\?\\C:\\" + deep + L"\\\\cleo\\Temp.INI",
         L"\\\\?\\C:\\" + deep + L"\\\\cleo\\Temp.INI"}};
    for (const auto& [path, expected] : rows)
        EXPECT_EQ(LongPathForm(path), expected) << path.size() << " characters";
}

} // namespace
} // namespace velmora
