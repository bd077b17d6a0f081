#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <utility>

namespace velmora {

enum class ErrorKind {
    SubscriptOutOfRange, // a value line without "=" (or an empty line)
    TypeMismatch,        // a value that is not a number, with "Multiply By 16"
    Overflow,            // a value beyond the range of a double, or its product
    InputPastEnd,        // the file ends inside a group of four lines
    FileAlreadyOpen,     // the file slot is still occupied
    OpenFailed,          // the file could not be opened for reading
    ReadFailed,          // reading the file failed part way
    TruncateFailed,      // the file could not be emptied
};

// Why a command stopped: what went wrong, on which line of the coordinate file
// (1-based; 0 when no line is involved), the offending text and, for file
// operations, the system's own explanation.
struct CoordinateError : std::exception {
    CoordinateError(ErrorKind what, std::size_t lineNumber, std::wstring offending = {},
                    std::wstring explanation = {})
        : kind(what), line(lineNumber), text(std::move(offending)),
          systemMessage(std::move(explanation)) {}
    const char* what() const noexcept override { return "the coordinate file stopped a command"; }

    ErrorKind kind;
    std::size_t line;
    std::wstring text;
    std::wstring systemMessage;
};

// The sentence the user sees, e.g.: Line 7 of cleo\Temp.INI has no "=".
std::wstring DescribeError(const CoordinateError& error);

} // namespace velmora
