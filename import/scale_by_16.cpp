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
    std::string number(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i)
        number[i] = text[i] < 0x80 && text[i] != L'.' ? static_cast<char>(text[i]) : '?';
    // A second separator, or a "." where it is not the user's, makes no number.
    if (const std::size_t at = separator.empty() ? text.npos : text.find(separator);
        at != text.npos)
        number.replace(at, separator.size(), ".", 1);
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
    // Signed before subtracting: a 32-bit size_t would wrap where the digit is right of the point.
    const long long before = static_cast<long long>(point) - static_cast<long long>(first);
    return first < e && before + power > 0;
}

// The product as printf's "%.15G" writes it, with the user's decimal separator,
// into out. Where the shortest digits that read back as a normal product are
// at most 15, they are "%.15G"'s, in fixed notation from 1E-04 up to 1E+15;
// only where there are more is the product printed again, to 15 digits.
void General(double product, std::wstring_view separator, std::wstring& out) {
    const double magnitude = std::abs(product);
    const bool exponent = magnitude >= 1e15 || (magnitude > 0 && magnitude < 1e-4);
    char printed[32];
    char* end = std::to_chars(printed, std::end(printed), product,
                              exponent ? std::chars_format::scientific : std::chars_format::fixed)
                    .ptr;
    const auto significant = [](char c) { return c >= '1' && c <= '9'; };
    char* const first = std::find_if(printed, end, significant);
    if (std::count_if(first, std::find(first, end, 'e'), [](char c) { return c != '.'; }) > 15 ||
        (magnitude > 0 && magnitude < std::numeric_limits<double>::min()))
        end =
            std::to_chars(printed, std::end(printed), product, std::chars_format::general, 15).ptr;
    out.resize(static_cast<std::size_t>(end - printed));
    std::transform(printed, end, out.begin(), [](char c) { return c == 'e' ? L'E' : c; });
    if (const std::size_t point = out.find(L'.'); point != out.npos)
        out.replace(point, 1, separator);
}

} // namespace

void ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator, std::wstring& field) {
    const std::optional<std::string> number = Normalised(value, decimalSeparator);
    double parsed = 0;
    const std::errc parsing = number ? Parse(*number, parsed) : std::errc::invalid_argument;
    if (parsing == std::errc::invalid_argument)
        throw CoordinateError(ErrorKind::TypeMismatch, 0, std::wstring(value));
    // Too small to tell where out of range; + 0.0 makes -0 plain 0.
    const double product = parsing == std::errc() ? parsed * 16 + 0.0 : 0;
    if ((parsing != std::errc() && TooLarge(*number)) || !std::isfinite(product))
        throw CoordinateError(ErrorKind::Overflow, 0, std::wstring(value));
    General(product, decimalSeparator, field);
}

} // namespace velmora
