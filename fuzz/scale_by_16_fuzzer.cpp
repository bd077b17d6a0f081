// Checks ScaleBy16 against the C library: a text in the number grammar gives
// strtod × 16 printed with "%.15G" (an overflow where that is infinite), any
// other text a type mismatch.
#undef NDEBUG // every assert is an invariant, also in an optimised build
#include "coordinate_error.h"
#include "scale_by_16.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <variant>

namespace {

using Result = std::variant<std::wstring, velmora::ErrorKind>;

// Blanks, a sign, digits with at most one ".", an exponent, blanks: where the
// text holds only these characters, strtod takes exactly this grammar.
Result Expected(const std::string& text) {
    const std::size_t first = std::min(text.find_first_not_of(" \t"), text.size());
    const std::string number = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    const char lead = number[number.starts_with('+') || number.starts_with('-')];
    char* end = nullptr;
    const double product = std::strtod(number.c_str(), &end) * 16;
    if (number.find_first_not_of("0123456789+-.eE") != std::string::npos ||
        (lead != '.' && (lead < '0' || lead > '9')) || end != number.c_str() + number.size())
        return velmora::ErrorKind::TypeMismatch;
    if (std::isinf(product))
        return velmora::ErrorKind::Overflow;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.15G", product == 0 ? 0.0 : product); // never "-0"
    return std::wstring(printed, printed + std::strlen(printed));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Result scaled;
    try {
        std::wstring field;
        velmora::ScaleBy16(std::wstring(data, data + size), L".", field);
        scaled = field;
    } catch (const velmora::CoordinateError& error) { // any other ends the run: a finding
        scaled = error.kind;
    }
    assert(scaled == Expected(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
