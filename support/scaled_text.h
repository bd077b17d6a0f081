#pragma once

#include "byte_search.h"
#include "scale_by_16.h"

#include <string>
#include <string_view>

namespace velmora::testing {

// What ScaleBy16 writes, as a string: from wide text, or from ASCII bytes
// followed by the padding that the import's buffer has.
inline std::wstring ScaledText(std::wstring_view value, std::wstring_view decimalSeparator) {
    wchar_t out[MaxScaledLength + 8 + ByteBlock];
    return {out, ScaleBy16(value.data(), value.size(), decimalSeparator, out)};
}
inline std::wstring ScaledText(std::string_view value, std::wstring_view decimalSeparator) {
    const std::string padded = std::string(value) + std::string(ReadAhead, '\0');
    wchar_t out[MaxScaledLength + 8 + ByteBlock];
    return {out, ScaleBy16(padded.data(), value.size(), decimalSeparator, out)};
}

} // namespace velmora::testing
