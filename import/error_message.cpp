#include "error_message.h"

#include "coordinate_file.h"

namespace velmora {
namespace {

std::wstring Quoted(std::wstring_view text) {
    return L"\"" + std::wstring(text) + L"\"";
}

// The file as the user finds it beside the program: cleo\Temp.INI.
std::wstring ShownFile() {
    return CoordinateFileLiteral().substr(1);
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
