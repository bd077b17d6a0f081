#include "reference_import.h"

#include "fuzz_check.h"
#include "scaled_text.h"

#include <array>
#include <iconv.h>
#include <vector>

namespace velmora::fuzz {
namespace {

// Windows-1252 as the C library's iconv reads it, byte by byte. It refuses the
// five bytes that the code page leaves unassigned, which Windows maps to the C1
// controls of the same value.
std::array<wchar_t, 256> Windows1252() {
    std::array<wchar_t, 256> table{};
    const iconv_t convert = iconv_open("WCHAR_T", "WINDOWS-1252");
    Check(convert != reinterpret_cast<iconv_t>(-1), "iconv converts from Windows-1252");
    int refused = 0;
    for (int byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        wchar_t out = 0;
        char* from = &in;
        char* to = reinterpret_cast<char*>(&out);
        std::size_t fromLeft = 1;
        std::size_t toLeft = sizeof out;
        const bool converted = iconv(convert, &from, &fromLeft, &to, &toLeft) == 0;
        table[static_cast<std::size_t>(byte)] = converted ? out : static_cast<wchar_t>(byte);
        refused += !converted;
    }
    iconv_close(convert);
    Check(refused == 5, "iconv refuses only the five unassigned bytes");
    return table;
}

// Lines end at CR or CR LF; a terminator at the very end opens no new line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r')
            ++end;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
        if (start < bytes.size())
            start += (start + 1 < bytes.size() && bytes[start + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

} // namespace

std::wstring DecodeWindows1252(std::string_view bytes) {
    static const std::array<wchar_t, 256> table = Windows1252();
    std::wstring text;
    for (const char c : bytes)
        text += table[static_cast<unsigned char>(c)];
    return text;
}

ExpectedImport ReferenceImport(std::string_view bytes, const WindowModel& before,
                               std::wstring_view decimalSeparator) {
    ExpectedImport expected;
    expected.model = before;
    expected.model.Text4.clear();
    std::wstring* const fields[3] = {&expected.model.Text1, &expected.model.Text2,
                                     &expected.model.Text3};
    const auto lines = SplitLines(bytes);
    for (std::size_t first = 0; first < lines.size(); first += 4) {
        if (lines.size() - first < 4) {
            expected.stop = ErrorKind::InputPastEnd;
            expected.stopLine = lines.size() + 1;
            return expected;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string_view line = lines[first + 1 + i];
            const std::size_t lineNumber = first + 2 + i;
            const std::size_t equals = line.find('=');
            if (equals == line.npos) {
                expected.stop = ErrorKind::SubscriptOutOfRange;
                expected.stopLine = lineNumber;
                return expected;
            }
            std::string_view value = line.substr(equals + 1);
            value = value.substr(0, value.find('='));
            std::wstring text = DecodeWindows1252(value);
            if (expected.model.Option1) {
                try {
                    text = testing::ScaledText(text, decimalSeparator);
                } catch (const CoordinateError& error) {
                    expected.stop = error.kind();
                    expected.stopLine = lineNumber;
                    return expected;
                }
            }
            *fields[i] = std::move(text);
        }
        if (!expected.model.Text4.empty())
            expected.model.Text4 += L"\r\n";
        expected.model.Text4 +=
            expected.model.Text1 + L", " + expected.model.Text2 + L", " + expected.model.Text3;
        ++expected.entries;
    }
    return expected;
}

} // namespace velmora::fuzz
