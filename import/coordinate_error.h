#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
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
// (1-based; 0 when no line is involved), the offending text (shortened) and,
// for file operations, the system's own explanation.
class CoordinateError : public std::exception {
  public:
    // The text is shortened to what a message box line shows.
    CoordinateError(ErrorKind kind, std::size_t line, std::wstring_view text,
                    std::wstring systemMessage = {})
        : kind_(kind), line_(line), text_(Shortened(text)),
          systemMessage_(std::move(systemMessage)) {}

    ErrorKind kind() const noexcept { return kind_; }
    std::size_t line() const noexcept { return line_; }
    const std::wstring& text() const noexcept { return text_; }
    const std::wstring& systemMessage() const noexcept { return systemMessage_; }
    void setLine(std::size_t line) noexcept { line_ = line; }

    const char* what() const noexcept override { return "the coordinate file stopped a command"; }

  private:
    // Long enough to recognise the text, short enough for a message box line;
    // never half of a UTF-16 surrogate pair (a character beyond U+FFFF).
    static std::wstring Shortened(std::wstring_view text) {
        constexpr std::size_t MaxShownText = 40;
        if (text.size() <= MaxShownText)
            return std::wstring(text);
        std::size_t kept = MaxShownText - 1;
        if (text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF)
            --kept;
        return std::wstring(text.substr(0, kept)) + L"\u2026";
    }

    ErrorKind kind_;
    std::size_t line_;
    std::wstring text_;
    std::wstring systemMessage_;
};

} // namespace velmora
