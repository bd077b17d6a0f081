#include "scale_by_16.h"

#include "coordinate_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#if defined(__i386__) && defined(_WIN32)
#include <float.h>
#elif defined(__i386__)
#include <fpu_control.h>
#endif

namespace velmora {
namespace {

// The value in the form from_chars reads: blanks around it trimmed, the user's
// separator as ".", no "+" sign, and "?" for what no number holds. Nothing
// where it starts as no number can (from_chars would take "inf" and "nan").
std::optional<std::string> Normalised(std::wstring_view text, std::wstring_view separator) {
    const std::size_t start = std::min(text.find_first_not_of(L" \t"), text.size());
    text = text.substr(start, text.find_last_not_of(L" \t") + 1 - start);
    if (text.starts_with(L'+') && !text.starts_with(L"+-"))
        text.remove_prefix(1);
    std::string number;
    while (!text.empty()) {
        const bool atSeparator = !separator.empty() && text.starts_with(separator);
        const wchar_t c = text.front();
        number += atSeparator ? '.' : c < 0x80 && c != L'.' ? static_cast<char>(c) : '?';
        text.remove_prefix(atSeparator ? separator.size() : 1);
    }
    const char first = number[number.starts_with('-')]; // '\0' past the end
    if (first != '.' && (first < '0' || first > '9'))
        return std::nullopt;
    return number;
}

// Parses the whole number, or says why not. From_chars must round once, to 53
// bits: the x87 unit of 32-bit x86, which the C runtime's start-up leaves at
// 64-bit precision, would round twice.
std::errc Parse(const std::string& number, double& value) {
#if defined(__i386__) && defined(_WIN32)
    const unsigned saved = _controlfp(0, 0);
    _controlfp(_PC_53, _MCW_PC);
#elif defined(__i386__)
    fpu_control_t saved = 0;
    _FPU_GETCW(saved);
    fpu_control_t precision = static_cast<fpu_control_t>((saved & ~_FPU_EXTENDED) | _FPU_DOUBLE);
    _FPU_SETCW(precision);
#endif
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
#if defined(__i386__) && defined(_WIN32)
    _controlfp(saved, _MCW_PC);
#elif defined(__i386__)
    _FPU_SETCW(saved);
#endif
    return end != number.data() + number.size() ? std::errc::invalid_argument : error;
}

// True where a number that no double holds is too large rather than too small:
// its first significant digit stands left of the units.
bool TooLarge(std::string_view number) {
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    long long power = 0;
    if (e < number.size()) {
        const std::string_view exponent = number.substr(e + 1 + (number[e + 1] == '+'));
        if (std::from_chars(exponent.data(), exponent.data() + exponent.size(), power).ec !=
            std::errc()) // so many digits that the sign alone decides
            power = exponent.starts_with('-') ? -(1LL << 62) : 1LL << 62;
    }
    const std::size_t point = std::min(number.find('.'), e);
    const std::size_t first = number.find_first_of("123456789");
    return first<e&& static_cast<long long>(point - first) + power> 0;
}

// The product as printf's "%.15G" writes it, with the user's decimal separator.
std::wstring General(double product, std::wstring_view separator) {
    if (product == 0)
        return L"0"; // also for -0
    // The shortest digits that read back as a normal product are "%.15G"'s
    // where they are at most 15, and the shortest forms are quicker to find.
    char printed[32];
    char* end =
        std::to_chars(printed, std::end(printed), product, std::chars_format::scientific).ptr;
    const std::string_view shortest(printed, end); // -d.ddde+dd
    const std::size_t e = shortest.find('e');
    const std::size_t digits = e - (product < 0) - (shortest.find('.') < e);
    int power = 0;
    std::from_chars(&printed[e + 1 + (printed[e + 1] == '+')], end, power);
    if (digits > 15 || std::abs(product) < std::numeric_limits<double>::min())
        end =
            std::to_chars(printed, std::end(printed), product, std::chars_format::general, 15).ptr;
    else if (power >= -4 && power < 15)
        end = std::to_chars(printed, std::end(printed), product, std::chars_format::fixed).ptr;
    std::wstring out;
    for (const char c : std::string_view(printed, end)) {
        if (c == '.')
            out += separator;
        else
            out += static_cast<wchar_t>(c == 'e' ? 'E' : c);
    }
    return out;
}

} // namespace

std::wstring ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator) {
    const std::optional<std::string> number = Normalised(value, decimalSeparator);
    double parsed = 0;
    const std::errc parsing = number ? Parse(*number, parsed) : std::errc::invalid_argument;
    if (parsing == std::errc::invalid_argument)
        throw CoordinateError(ErrorKind::TypeMismatch, 0, std::wstring(value));
    const double product = parsing == std::errc() ? parsed * 16 : 0; // else too small to tell
    if ((parsing != std::errc() && TooLarge(*number)) || !std::isfinite(product))
        throw CoordinateError(ErrorKind::Overflow, 0, std::wstring(value));
    return General(product, decimalSeparator);
}

} // namespace velmora
