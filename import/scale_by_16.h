#pragma once

#include <cstddef>
#include <string_view>

namespace velmora {

inline constexpr int ScaleFactor = 16;

// The most characters ScaleBy16 writes besides the decimal separator.
inline constexpr std::size_t MaxScaledLength = 24;

// Writes the value (size characters at value) times 16 at out as the user reads numbers
// (decimalSeparator is theirs) and returns the end. out needs room for MaxScaledLength characters,
// the separator and ByteBlock more (byte_search.h). Char is wchar_t for any text, or char for ASCII
// text followed by ReadAhead readable bytes, as a GroupReader's lines are. Throws
// CoordinateError(TypeMismatch) for text that is not a number and CoordinateError(Overflow) beyond
// the range of a double. (The value as a pointer and a size, which both calling conventions keep in
// registers: Windows' passes a view through a copy in memory, whose reading back stalls.)
template <class Char>
wchar_t* ScaleBy16(const Char* value, std::size_t size, std::wstring_view decimalSeparator,
                   wchar_t* out);

} // namespace velmora
