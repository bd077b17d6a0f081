#include "coordinate_error.h"

namespace velmora {
namespace {

// Long enough to recognise the text, short enough for a message box line.
constexpr std::size_t MaxShownText = 40;

std::wstring Shortened(std::wstring_view text) {
    if (text.size() <= MaxShownText)
        return std::wstring(text);
    return std::wstring(text.substr(0, MaxShownText - 1)) + L"\u2026";
}

} // namespace

CoordinateError::CoordinateError(ErrorKind kind, std::size_t line, std::wstring_view text,
                                 std::wstring systemMessage)
    : kind_(kind), line_(line), text_(Shortened(text)), systemMessage_(std::move(systemMessage)) {}

} // namespace velmora
