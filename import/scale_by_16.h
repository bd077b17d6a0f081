#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Sets field to the value times 16, written as the user reads numbers: their
// decimal separator, at most 15 significant digits, the exponent form for very
// large and very small products. The value may have blanks around it, a sign,
// an exponent. Throws CoordinateError(TypeMismatch) for text that is no number
// and CoordinateError(Overflow) beyond the range of a double, leaving field as
// it was.
void ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator, std::wstring& field);

} // namespace velmora
