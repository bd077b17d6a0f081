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

// Appends ASCII text to wide text. (wstring::append with char iterators would
// build a temporary wstring first.)
void AppendAscii(std::wstring& out, std::string_view ascii) {
    const std::size_t start = out.size();
    out.resize(start + ascii.size());
    std::copy(ascii.begin(), ascii.end(), out.begin() + static_cast<std::ptrdiff_t>(start));
}

// Writes digits × 10^exponent as printf's %.15G would, given at most 15 digits.
void FormatGeneral(std::wstring& out, bool negative, std::string_view digits, long long exponent,
                   std::wstring_view separator) {
    out.clear();
    if (digits.empty()) {
        out = L"0";
        return;
    }
    if (negative)
        out = L"-";
    const long long count = static_cast<long long>(digits.size());
    const long long scientific = exponent + count - 1;
    if (scientific < -4 || scientific >= 15) {
        out += static_cast<wchar_t>(digits[0]);
        if (count > 1) {
            out += separator;
            AppendAscii(out, digits.substr(1));
        }
        const std::string power = std::to_string(scientific < 0 ? -scientific : scientific);
        out += scientific < 0 ? L"E-" : L"E+";
        if (power.size() < 2)
            out += L'0';
        AppendAscii(out, power);
    } else if (exponent >= 0) {
        AppendAscii(out, digits);
        out.append(static_cast<std::size_t>(exponent), L'0');
    } else if (scientific >= 0) {
        const auto whole = static_cast<std::size_t>(scientific + 1);
        AppendAscii(out, digits.substr(0, whole));
        out += separator;
        AppendAscii(out, digits.substr(whole));
    } else {
        out += L'0';
        out += separator;
        out.append(static_cast<std::size_t>(-scientific - 1), L'0');
        AppendAscii(out, digits);
    }
}

// 16 × m for a mantissa of up to 18 digits fits in 64 bits, and a product of at
// most 15 significant digits is exactly what the double route would show: x × 16
// is exact in binary, and 15 digits survive a round trip through a double.
bool ScaleExactly(std::wstring& out, const Decimal& number, std::wstring_view separator) {
    constexpr long long SafeExponent = 280; // far from overflow and subnormals
    if (number.digits.empty()) {
        out = L"0";
        return true;
    }
    if (number.digits.size() > 18)
        return false;
    std::uint64_t product = 0;
    for (const char digit : number.digits)
        product = product * 10 + static_cast<std::uint64_t>(digit - '0');
    product *= ScaleFactor;
    long long exponent = number.exponent;
    while (product % 10 == 0) {
        product /= 10;
        ++exponent;
    }
    const std::string digits = std::to_string(product);
    const long long scientific = exponent + static_cast<long long>(digits.size()) - 1;
    if (digits.size() > 15 || scientific > SafeExponent || scientific < -SafeExponent)
        return false;
    FormatGeneral(out, number.negative && product != 0, digits, exponent, separator);
    return true;
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
    out.clear();
    for (const char* c = buffer; c != printed.ptr; ++c) {
        if (*c == '.')
            out += separator;
        else
            out += static_cast<wchar_t>(*c == 'e' ? 'E' : *c);
    }
    if (out == L"-0")
        out = L"0";
}

} // namespace

void ScaleBy16Into(std::wstring& field, std::wstring_view value,
                   std::wstring_view decimalSeparator) {
    const auto number = NumberParser(value, decimalSeparator).Parse();
    if (!number)
        throw CoordinateError(ErrorKind::TypeMismatch, 0, value);
    if (!ScaleExactly(field, *number, decimalSeparator))
        ScaleThroughDouble(field, *number, value, decimalSeparator);
}

std::wstring ScaleBy16(std::wstring_view value, std::wstring_view decimalSeparator) {
    std::wstring field;
    ScaleBy16Into(field, value, decimalSeparator);
    return field;
}

} // namespace velmora
