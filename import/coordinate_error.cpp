#include "coordinate_error.h"
#include "coordinate_file.h"

namespace velmora {
namespace {

// Long enough to recognise the text, short enough for a message box line;
// never half of a UTF-16 surrogate pair (a character beyond U+FFFF).
std::wstring Shortened(const std::wstring& text) {
    constexpr std::size_t MaxShownText = 40;
    if (text.size() <= MaxShownText)
        return text;
    std::size_t kept = MaxShownText - 1;
    if (text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF)
        --kept;
    return text.substr(0, kept) + L"\u2026";
}

} // namespace

std::wstring DescribeError(const CoordinateError& error) {
    // The file as the user finds it beside the program: cleo\Temp.INI.
    const std::wstring file = CoordinateFileLiteral().substr(1);
    const std::wstring line = L"Line " + std::to_wstring(error.line) + L" of " + file;
    const std::wstring quoted = L"\"" + Shortened(error.text) + L"\"";
    const std::wstring why = error.systemMessage.empty() ? L"." : L": " + error.systemMessage;
    switch (error.kind) {
    case ErrorKind::SubscriptOutOfRange:
        if (error.text.empty())
            return line + L" is empty where a value line was expected.";
        return line + L" has no \"=\": " + quoted + L".";
    case ErrorKind::TypeMismatch:
        return line + L": " + quoted + L" is not a number.";
    case ErrorKind::Overflow:
        return line + L": " + quoted + L" multiplied by 16 is too large.";
    case ErrorKind::InputPastEnd:
        return file + L" ends at line " + std::to_wstring(error.line - 1) +
               L", inside a position: every position needs four lines.";
    case ErrorKind::FileAlreadyOpen:
        return file + L" is already open.";
    case ErrorKind::OpenFailed:
        return file + L" could not be opened" + why;
    case ErrorKind::ReadFailed:
        return file + L" could not be read" + why;
    case ErrorKind::TruncateFailed:
        return file + L" could not be emptied" + why;
    }
    return file + L": " + quoted;
}

} // namespace velmora
