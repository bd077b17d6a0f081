#include "scale_by_16.h"
#include "coordinate_error.h"
#include "entry_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace velmora {
namespace {

// A number as written: digits × 10^exponent, without leading or trailing zeros
// in digits (no digits means zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Exponents this large already put any value far outside the double range;
// clamping keeps the arithmetic below from overflowing.
constexpr long long ExponentLimit = 100'000'000;

class NumberParser {
  public:
    NumberParser(std::wstring_view text, std::wstring_view separator)
        : text_(text), separator_(separator) {}

    // Blanks, sign, digits with at most one decimal separator, an optional
    // exponent, blanks; anything else is not a number.
    std::optional<Decimal> Parse() {
        SkipBlanks();
        Decimal number;
        if (Peek() == L'+' || Peek() == L'-')
            number.negative = text_[position_++] == L'-';
        if (!Mantissa(number) || !Exponent(number))
            return std::nullopt;
        SkipBlanks();
        if (position_ != text_.size())
            return std::nullopt;
        Normalise(number);
        return number;
    }

  private:
    wchar_t Peek() const { return position_ < text_.size() ? text_[position_] : L'\0'; }
    void SkipBlanks() {
        while (IsBlank(Peek()))
            ++position_;
    }
    bool AtSeparator() const {
        return !separator_.empty() && text_.substr(position_).starts_with(separator_);
    }

    bool Mantissa(Decimal& number) {
        bool anyDigit = false;
        bool seenSeparator = false;
        for (;;) {
            if (IsDigit(Peek())) {
                anyDigit = true;
                number.digits.push_back(static_cast<char>(text_[position_++]));
                if (seenSeparator)
                    --number.exponent;
            } else if (!seenSeparator && AtSeparator()) {
                seenSeparator = true;
                position_ += separator_.size();
            } else {
                return anyDigit;
            }
        }
    }

    bool Exponent(Decimal& number) {
        if (Peek() != L'E' && Peek() != L'e')
            return true;
        ++position_;
        bool negative = false;
        if (Peek() == L'+' || Peek() == L'-')
            negative = text_[position_++] == L'-';
        if (!IsDigit(Peek()))
            return false;
        long long value = 0;
        while (IsDigit(Peek()))
            value = std::min(ExponentLimit, value * 10 + (text_[position_++] - L'0'));
        number.exponent += negative ? -value : value;
        return true;
    }

    static void Normalise(Decimal& number) {
        const std::size_t first = number.digits.find_first_not_of('0');
        if (first == std::string::npos) {
            number.digits.clear();
            number.exponent = 0;
            return;
        }
        const std::size_t last = number.digits.find_last_not_of('0');
        number.exponent += static_cast<long long>(number.digits.size() - 1 - last);
        number.digits = number.digits.substr(first, last - first + 1);
    }

    std::wstring_view text_;
    std::wstring_view separator_;
    std::size_t position_ = 0;
};

// Writes digits × 10^exponent as printf's %.15G would, given 1 to 15 digits,
// with point as the decimal separator; returns the end.
char* WriteGeneral(char* out, bool negative, std::string_view digits, long long exponent,
                   char point) {
    if (negative)
        *out++ = '-';
    const long long count = static_cast<long long>(digits.size());
    const long long scientific = exponent + count - 1;
    if (scientific < -4 || scientific >= 15) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = point;
            out = std::copy(digits.begin() + 1, digits.end(), out);
        }
        *out++ = 'E';
        *out++ = scientific < 0 ? '-' : '+';
        const long long power = scientific < 0 ? -scientific : scientific;
        if (power < 10)
            *out++ = '0';
        return std::to_chars(out, out + 8, power).ptr;
    }
    if (exponent >= 0) {
        out = std::copy(digits.begin(), digits.end(), out);
        return std::fill_n(out, exponent, '0');
    }
    if (scientific >= 0) {
        const auto whole = static_cast<std::size_t>(scientific + 1);
        out = std::copy_n(digits.begin(), whole, out);
        *out++ = point;
        return std::copy(digits.begin() + static_cast<std::ptrdiff_t>(whole), digits.end(), out);
    }
    *out++ = '0';
    *out++ = point;
    out = std::fill_n(out, -scientific - 1, '0');
    return std::copy(digits.begin(), digits.end(), out);
}

// 16 × mantissa × 10^exponent, for a mantissa of up to 18 digits (16 times it
// fits in 64 bits). A product of at most 15 significant digits is exactly what
// the double route would show: x × 16 is exact in binary, and 15 digits survive
// a round trip through a double. Nothing for other products.
std::optional<std::string_view> WriteProduct(ScaledText& into, bool negative,
                                             std::uint64_t mantissa, long long exponent,
                                             char point) {
    constexpr long long SafeExponent = 280; // far from overflow and subnormals
    if (mantissa == 0) {
        into[0] = '0';
        return std::string_view(into.data(), 1);
    }
    std::uint64_t product = mantissa * ScaleFactor;
    while (product % 10 == 0) {
        product /= 10;
        ++exponent;
    }
    char digits[24];
    const char* const digitsEnd = std::to_chars(digits, digits + sizeof digits, product).ptr;
    const std::string_view written(digits, static_cast<std::size_t>(digitsEnd - digits));
    const long long scientific = exponent + static_cast<long long>(written.size()) - 1;
    if (written.size() > 15 || scientific > SafeExponent || scientific < -SafeExponent)
        return std::nullopt;
    const char* end = WriteGeneral(into.data(), negative, written, exponent, point);
    return std::string_view(into.data(), static_cast<std::size_t>(end - into.data()));
}

std::optional<std::string_view> ScaleExactly(ScaledText& into, const Decimal& number) {
    if (number.digits.size() > 18)
        return std::nullopt;
    std::uint64_t mantissa = 0;
    for (const char digit : number.digits)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(digit - '0');
    return WriteProduct(into, number.negative, mantissa, number.exponent, '.');
}

// Widens a product written with "." and "e" as the user reads it.
void WidenProduct(std::wstring& out, std::string_view product, std::wstring_view separator) {
    out.clear();
    for (const char c : product) {
        if (c == '.')
            out += separator;
        else
            out += static_cast<wchar_t>(c == 'e' ? 'E' : c);
    }
    if (out == L"-0")
        out = L"0";
}

void ScaleThroughDouble(std::wstring& out, const Decimal& number, std::wstring_view original,
                        std::wstring_view separator) {
    const std::string written =
        (number.negative ? "-" : "") + number.digits + "e" + std::to_string(number.exponent);
    double value = 0;
    const auto parsed = std::from_chars(written.data(), written.data() + written.size(), value);
    const long long scientific = number.exponent + static_cast<long long>(number.digits.size());
    if (parsed.ec == std::errc::result_out_of_range) {
        if (scientific > 0)
            throw CoordinateError(ErrorKind::Overflow, 0, original);
        value = 0; // too small to tell from zero
    }
    const double product = value * ScaleFactor;
    if (!std::isfinite(product))
        throw CoordinateError(ErrorKind::Overflow, 0, original);

    char buffer[64];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, product, std::chars_format::general, 15);
    WidenProduct(out, {buffer, static_cast<std::size_t>(printed.ptr - buffer)}, separator);
}

} // namespace

template <class Char>
std::optional<std::string_view> ScaleSimply(std::basic_string_view<Char> value, char point,
                                            ScaledText& into) {
    std::size_t i = 0;
    const bool negative = !value.empty() && value[0] == Char('-');
    if (!value.empty() && (value[0] == Char('+') || negative))
        ++i;
    std::uint64_t mantissa = 0;
    int significant = 0;
    long long exponent = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < value.size(); ++i) {
        const Char c = value[i];
        if (c >= Char('0') && c <= Char('9')) {
            anyDigit = true;
            if (seenPoint)
                --exponent;
            if (mantissa == 0 && c == Char('0'))
                continue; // a leading zero
            if (++significant > 18)
                return std::nullopt;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - Char('0'));
        } else if (c == Char(point) && !seenPoint) {
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return WriteProduct(into, negative && mantissa != 0, mantissa, exponent, point);
}

template std::optional<std::string_view> ScaleSimply(std::string_view, char, ScaledText&);
template std::optional<std::string_view> ScaleSimply(std::wstring_view, char, ScaledText&);

std::optional<char> AsciiPoint(std::wstring_view decimalSeparator) {
    if (decimalSeparator.size() != 1 || decimalSeparator[0] >= 0x80)
        return std::nullopt;
    return static_cast<char>(decimalSeparator[0]);
}

void ScaleBy16Into(std::wstring& field, std::wstring_view value,
                   std::wstring_view decimalSeparator) {
    ScaledText text;
    const auto point = AsciiPoint(decimalSeparator);
    if (const auto simple = point ? ScaleSimply(value, *point, text) : std::nullopt) {
        // Widened in place: assign() with char iterators would build a
        // temporary wstring.
        field.resize(simple->size());
        std::copy(simple->begin(), simple->end(), field.begin());
        return;
    }
    const auto number = NumberParser(value, decimalSeparator).Parse();
    if (!number)
        throw CoordinateError(ErrorKind::TypeMismatch, 0, value);
    if (const auto exact = ScaleExactly(text, *number))
        WidenProduct(field, *exact, decimalSeparator);
    else
        ScaleThroughDouble(field, *number, value, decimalSeparator);
}

std::wstring ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator) {
    std::wstring field;
    ScaleBy16Into(field, value, decimalSeparator);
    return field;
}

} // namespace velmora
