#include "error_message.h"

#include "coordinate_file.h"

namespace velmora {

std::wstring DescribeError(const CoordinateError& error) {
    // The file as the user finds it beside the program: cleo\Temp.INI.
    const std::wstring file = CoordinateFileLiteral().substr(1);
    const std::wstring line = L"Line " + std::to_wstring(error.line()) + L" of " + file;
    const std::wstring quoted = L"\"" + error.text() + L"\"";
    const std::wstring& systemMessage = error.systemMessage();
    const std::wstring why = systemMessage.empty() ? L"." : L": " + systemMessage;
    switch (error.kind()) {
    case ErrorKind::SubscriptOutOfRange:
        if (error.text().empty())
            return line + L" is empty where a value line was expected.";
        return line + L" has no \"=\": " + quoted + L".";
    case ErrorKind::TypeMismatch:
        return line + L": " + quoted + L" is not a number.";
    case ErrorKind::Overflow:
        return line + L": " + quoted + L" multiplied by 16 is too large.";
    case ErrorKind::InputPastEnd:
        return file + L" ends at line " + std::to_wstring(error.line() - 1) +
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
