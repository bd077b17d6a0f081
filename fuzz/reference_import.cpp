#include "reference_import.h"

#include "entry_list.h"

#include <vector>

namespace velmora::fuzz {
namespace {

// 0x80 to 0x9F; the unassigned five stay C1 controls, as on Windows.
constexpr wchar_t HighControls[32] = {
    L'\u20AC', L'\u0081', L'\u201A', L'\u0192', L'\u201E', L'\u2026', L'\u2020', L'\u2021',
    L'\u02C6', L'\u2030', L'\u0160', L'\u2039', L'\u0152', L'\u008D', L'\u017D', L'\u008F',
    L'\u0090', L'\u2018', L'\u2019', L'\u201C', L'\u201D', L'\u2022', L'\u2013', L'\u2014',
    L'\u02DC', L'\u2122', L'\u0161', L'\u203A', L'\u0153', L'\u009D', L'\u017E', L'\u0178'};

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
    std::wstring text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x80 && byte <= 0x9F) ? HighControls[byte - 0x80] : wchar_t(byte);
    }
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
                    text = ScaleBy16(text, decimalSeparator);
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
