#include "coordinate_error.h"

#include "coordinate_file.h"

namespace velmora {
namespace {

// Long enough to recognise the text, short enough for a message box line.
constexpr std::size_t MaxShownText = 40;

std::wstring Shortened(std::wstring_view text) {
    if (text.size() <= MaxShownText)
        return std::wstring(text);
    std::size_t kept = MaxShownText - 1;
    // Never half of a UTF-16 surrogate pair (a character beyond U+FFFF).
    if (text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF)
        --kept;
    return std::wstring(text.substr(0, kept)) + L"\u2026";
}

std::wstring Quoted(std::wstring_view text) {
    return L"\"" + std::wstring(text) + L"\"";
}

// The file as the user finds it beside the program: cleo\Temp.INI.
std::wstring ShownFile() {
    return std::wstring(CoordinateFileLiteral().substr(1));
}

std::wstring LinePrefix(std::size_t line) {
    return L"Line " + std::to_wstring(line) + L" of " + ShownFile();
}

std::wstring WithSystemMessage(std::wstring sentence, const std::wstring& systemMessage) {
    if (systemMessage.empty())
        return sentence + L".";
    return sentence + L": " + systemMessage;
}

} // namespace

CoordinateError::CoordinateError(ErrorKind kind, std::size_t line, std::wstring_view text,
                                 std::wstring systemMessage)
    : kind_(kind), line_(line), text_(Shortened(text)), systemMessage_(std::move(systemMessage)) {}

const char* CoordinateError::what() const noexcept {
    switch (kind_) {
    case ErrorKind::SubscriptOutOfRange:
        return "subscript out of range";
    case ErrorKind::TypeMismatch:
        return "type mismatch";
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::InputPastEnd:
        return "input past end of file";
    case ErrorKind::FileAlreadyOpen:
        return "file already open";
    case ErrorKind::OpenFailed:
        return "file could not be opened";
    case ErrorKind::ReadFailed:
        return "file could not be read";
    case ErrorKind::TruncateFailed:
        return "file could not be emptied";
    }
    return "coordinate file error";
}

std::wstring DescribeError(const CoordinateError& error) {
    const std::wstring file = ShownFile();
    switch (error.kind()) {
    case ErrorKind::SubscriptOutOfRange:
        if (error.text().empty())
            return LinePrefix(error.line()) + L" is empty where a value line was expected.";
        return LinePrefix(error.line()) + L" has no \"=\": " + Quoted(error.text()) + L".";
    case ErrorKind::TypeMismatch:
        return LinePrefix(error.line()) + L": " + Quoted(error.text()) + L" is not a number.";
    case ErrorKind::Overflow:
        return LinePrefix(error.line()) + L": " + Quoted(error.text()) +
               L" multiplied by 16 is too large.";
    case ErrorKind::InputPastEnd:
        return file + L" ends at line " + std::to_wstring(error.line() - 1) +
               L", inside a position: every position needs four lines.";
    case ErrorKind::FileAlreadyOpen:
        return file + L" is already open.";
    case ErrorKind::OpenFailed:
        return WithSystemMessage(file + L" could not be opened", error.systemMessage());
    case ErrorKind::ReadFailed:
        return WithSystemMessage(file + L" could not be read", error.systemMessage());
    case ErrorKind::TruncateFailed:
        return WithSystemMessage(file + L" could not be emptied", error.systemMessage());
    }
    return file + L": " + Quoted(error.text());
}

} // namespace velmora
