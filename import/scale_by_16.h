#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Room for any product that ScaleSimply writes.
using ScaledText = std::array<char, 32>;

// ScaleBy16 for the numbers a recording script writes — sign, digits, at most
// one point, nothing else — where the product keeps at most 15 significant
// digits: writes the product into `into` with point as the decimal separator,
// allocating nothing. Nothing for any other text, which ScaleBy16Into decides.
template <class Char>
std::optional<std::string_view> ScaleSimply(std::basic_string_view<Char> value, char point,
                                            ScaledText& into);

// The decimal separator as the one ASCII character ScaleSimply takes, if it is one.
std::optional<char> AsciiPoint(std::wstring_view decimalSeparator);

// ScaleBy16, writing into the field's own storage so that an import of many
// values allocates nothing per value. Leaves the field unchanged when it throws.
void ScaleBy16Into(std::wstring& field, std::wstring_view value,
                   std::wstring_view decimalSeparator);

} // namespace velmora
