#include "scale_by_16.h"

#include "byte_search.h"
#include "coordinate_error.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <system_error>
#include <type_traits>

namespace velmora {
namespace {

// Exponents this large already put any value far outside the double range;
// clamping keeps the arithmetic below from overflowing.
constexpr long long ExponentLimit = 100'000'000;

// A number as written: its digits before and after the decimal separator and
// its written power of ten.
template <class Char> struct Decimal {
    bool negative = false;
    std::basic_string_view<Char> integer;
    std::basic_string_view<Char> fraction;
    long long power = 0;
    std::size_t digits() const { return integer.size() + fraction.size(); }
};

template <class Char> bool IsBlank(Char c) {
    return c == ' ' || c == '\t';
}
template <class Char> bool IsDigit(Char c) {
    return c >= '0' && c <= '9';
}

template <class Char> const Char* SkipDigits(const Char* at, const Char* end) {
#ifdef VELMORA_SSE2
    if constexpr (std::is_same_v<Char, char>) { // the text has readable bytes past it
        for (const char* block = at;; block += ByteBlock) {
            const __m128i digits = _mm_sub_epi8(Load(block), _mm_set1_epi8('0'));
            const int run = std::countr_one(
                Mask(_mm_cmpeq_epi8(_mm_min_epu8(digits, _mm_set1_epi8(9)), digits)));
            if (run < 16 || block + ByteBlock >= end)
                return std::min(block + run, end);
        }
    }
#endif
    while (at != end && IsDigit(*at))
        ++at;
    return at;
}

template <class Char>
bool AtSeparator(const Char* at, const Char* end, std::wstring_view separator) {
    if (separator.empty() || static_cast<std::size_t>(end - at) < separator.size())
        return false;
    for (const wchar_t c : separator) {
        if (static_cast<wchar_t>(*at++) != c)
            return false;
    }
    return true;
}

// The one grammar of a number: blanks, a sign, digits with at most one decimal
// separator, an exponent (E or e, a sign, digits), blanks; all but the digits
// optional. False for any other text.
template <class Char>
bool Parse(std::basic_string_view<Char> text, std::wstring_view separator, Decimal<Char>& number) {
    const Char* at = text.data();
    const Char* const end = at + text.size();
    while (at != end && IsBlank(*at))
        ++at;
    if (at != end && (*at == '+' || *at == '-'))
        number.negative = *at++ == '-';
    const Char* start = at;
    at = SkipDigits(at, end);
    number.integer = {start, at};
    number.fraction = {at, at};
    if (AtSeparator(at, end, separator)) {
        start = at += separator.size();
        at = SkipDigits(at, end);
        number.fraction = {start, at};
    }
    if (number.digits() == 0)
        return false;
    if (at != end && (*at == 'E' || *at == 'e')) {
        const bool negative = ++at != end && *at == '-';
        if (at != end && (*at == '+' || *at == '-'))
            ++at;
        if (at == end || !IsDigit(*at))
            return false;
        for (; at != end && IsDigit(*at); ++at)
            number.power = std::min(ExponentLimit, number.power * 10 + (*at - '0'));
        number.power = negative ? -number.power : number.power;
    }
    while (at != end && IsBlank(*at))
        ++at;
    return at == end;
}

// A product as printf's %.15G shows it: its significant digits (at most 15, no
// trailing zeros) and the power of ten of the last; no digits for zero.
struct Product {
    bool negative = false;
    char digits[2 * ByteBlock] = {};
    int count = 0;
    long long exponent = 0;
};

// Moves the significant digits of digits[0, size) to the front, sets count, and
// moves the power of ten past the trailing zeros.
void TrimZeros(Product& product, int size) {
#ifdef VELMORA_SSE2
    // One load and one store at digits, so that each meets the store before it whole.
    const __m128i digits = Load(product.digits);
    const unsigned significant =
        ~Mask(_mm_cmpeq_epi8(digits, _mm_set1_epi8('0'))) & ((1u << size) - 1);
    if (significant == 0) {
        product.count = 0;
        return;
    }
    const int first = std::countr_zero(significant);
    const int last = 32 - std::countl_zero(significant);
    // Down by first bytes: each half shifted, the high half's low bytes moved over.
    const __m128i bits = _mm_cvtsi32_si128(8 * (first % 8));
    const __m128i upper = _mm_srli_si128(digits, 8);
    const __m128i from = first < 8 ? digits : upper;
    const __m128i next = first < 8 ? upper : _mm_setzero_si128();
    const __m128i moved = _mm_or_si128(
        _mm_srl_epi64(from, bits), _mm_sll_epi64(next, _mm_cvtsi32_si128(64 - 8 * (first % 8))));
    Store(product.digits, _mm_unpacklo_epi64(moved, _mm_srl_epi64(next, bits)));
#else
    const auto zero = [](char c) { return c == '0'; };
    char* const digits = product.digits;
    const int first = static_cast<int>(std::find_if_not(digits, digits + size, zero) - digits);
    if (first == size) {
        product.count = 0;
        return;
    }
    int last = size;
    while (digits[last - 1] == '0')
        --last;
    std::memmove(digits, digits + first, static_cast<std::size_t>(last - first));
#endif
    product.count = last - first;
    product.exponent += size - last;
}

// The number's digits times 16, written as decimal digits at digits[0, n + 2).
// Doubling a decimal number carries out of a digit exactly where it is 5 or
// more, whatever comes from below, so each of the four doublings takes all
// digits at once.
void TimesSixteen(char* digits, std::size_t n) {
#ifdef VELMORA_SSE2
    const __m128i ascii = _mm_set1_epi8('0');
    // Two zero digits in front for the product's carries, none past the end.
    __m128i value =
        _mm_and_si128(_mm_slli_si128(_mm_sub_epi8(Load(digits), ascii), 2), LanesBelow(n + 2));
    for (int round = 0; round < 4; ++round) {
        const __m128i carries = _mm_cmpgt_epi8(value, _mm_set1_epi8(4)); // 5 or more
        value = _mm_sub_epi8(_mm_add_epi8(value, value), _mm_and_si128(carries, _mm_set1_epi8(10)));
        value = _mm_sub_epi8(value, _mm_srli_si128(carries, 1)); // -1 is a carry from below
    }
    Store(digits, _mm_add_epi8(value, ascii));
#else
    int carry = 0;
    for (std::size_t i = n; i-- > 0;) {
        const int product = (digits[i] - '0') * 16 + carry;
        digits[i + 2] = static_cast<char>('0' + product % 10);
        carry = product / 10;
    }
    digits[1] = static_cast<char>('0' + carry % 10);
    digits[0] = static_cast<char>('0' + carry / 10);
#endif
}

// 16 × the number, computed exactly on its decimal digits where it has at most
// 14 and the product at most 15 significant ones. That is what the double route
// shows: x × 16 is exact in binary, and 15 digits survive a round trip through a
// double. False otherwise.
template <class Char> bool ExactProduct(const Decimal<Char>& number, Product& product) {
    constexpr std::size_t MaxDigits = 14;
    constexpr long long SafeExponent = 250; // far from overflow and subnormals
    const std::size_t n = number.digits();
    if (n > MaxDigits || std::abs(number.power) > SafeExponent)
        return false;
    if constexpr (std::is_same_v<Char, char>) { // the text has readable bytes past it
#ifdef VELMORA_SSE2
        // The integer digits, and in the lanes after them the fraction's, in one store.
        Store(product.digits, Select(LanesBelow(number.integer.size()), Load(number.integer.data()),
                                     Load(number.fraction.data() - number.integer.size())));
#else
        std::memcpy(product.digits, number.integer.data(), ByteBlock);
        std::memcpy(product.digits + number.integer.size(), number.fraction.data(), ByteBlock);
#endif
    } else {
        const auto narrow = [](Char c) { return static_cast<char>(c); };
        std::transform(
            number.fraction.begin(), number.fraction.end(),
            std::transform(number.integer.begin(), number.integer.end(), product.digits, narrow),
            narrow);
    }
    TimesSixteen(product.digits, n);
    product.negative = number.negative;
    product.exponent = number.power - static_cast<long long>(number.fraction.size());
    TrimZeros(product, static_cast<int>(n + 2));
    return product.count <= 15;
}

// The power of ten just above the number's first significant digit.
template <class Char> long long Magnitude(const Decimal<Char>& number) {
    const auto nonzero = [](Char c) { return c != '0'; };
    const auto lead = std::find_if(number.integer.begin(), number.integer.end(), nonzero);
    if (lead != number.integer.end())
        return (number.integer.end() - lead) + number.power;
    return number.power - (std::find_if(number.fraction.begin(), number.fraction.end(), nonzero) -
                           number.fraction.begin());
}

// 16 × the number through a double, as any product beyond ExactProduct needs.
template <class Char>
Product ProductThroughDouble(const Decimal<Char>& number, std::basic_string_view<Char> original) {
    const auto overflow = [&] {
        return CoordinateError(ErrorKind::Overflow, 0,
                               std::wstring(original.begin(), original.end()));
    };
    std::string written = number.negative ? "-" : "";
    const auto append = [&](std::basic_string_view<Char> digits) {
        std::transform(digits.begin(), digits.end(), std::back_inserter(written),
                       [](Char digit) { return static_cast<char>(digit); });
    };
    append(number.integer);
    written += '.';
    append(number.fraction);
    written += "e" + std::to_string(number.power);
    double value = 0;
    const auto parsed = std::from_chars(written.data(), written.data() + written.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (Magnitude(number) > 0)
            throw overflow();
        value = 0; // too small to tell from zero
    }
    const double scaled = value * ScaleFactor;
    if (!std::isfinite(scaled))
        throw overflow();
    // -d.dddddddddddddde±x: the 15 significant digits and the power of ten.
    char printed[32];
    const char* const end =
        std::to_chars(printed, printed + sizeof printed, scaled, std::chars_format::scientific, 14)
            .ptr;
    const char* const first = printed + (printed[0] == '-');
    Product product;
    product.negative = printed[0] == '-';
    product.digits[0] = first[0];
    std::copy(first + 2, first + 16, product.digits + 1);
    int power = 0;
    std::from_chars(first + 17 + (first[17] == '+'), end, power);
    product.exponent = power - 14;
    TrimZeros(product, 15);
    return product;
}

// Writes the product as printf's %.15G does, with the user's decimal separator.
wchar_t* WriteGeneral(const Product& product, std::wstring_view separator, wchar_t* out) {
    if (product.count == 0) {
        *out++ = L'0';
        return out;
    }
    const auto copy = [&](int from, int to) {
        out = WidenAscii({product.digits + from, static_cast<std::size_t>(to - from)}, out);
    };
    const auto point = [&] { out = std::copy(separator.begin(), separator.end(), out); };
    *out = L'-';
    out += product.negative;
    const long long scientific = product.exponent + product.count - 1;
    if (scientific < -4 || scientific >= 15) {
        copy(0, 1);
        if (product.count > 1) {
            point();
            copy(1, product.count);
        }
        const long long power = std::abs(scientific);
        *out++ = L'E';
        *out++ = scientific < 0 ? L'-' : L'+';
        *out = static_cast<wchar_t>(L'0' + power / 100);
        out += power >= 100;
        *out++ = static_cast<wchar_t>(L'0' + power / 10 % 10);
        *out++ = static_cast<wchar_t>(L'0' + power % 10);
    } else if (product.exponent >= 0) {
        copy(0, product.count);
        out = std::fill_n(out, product.exponent, L'0');
    } else if (scientific >= 0) {
        const int whole = static_cast<int>(scientific) + 1;
#ifdef VELMORA_SSE2
        if (separator.size() == 1) {
            // The digits with the fraction's a lane further, from the one load at
            // digits that meets the store before it whole.
            const __m128i digits = Load(product.digits);
            StoreWide(out, Select(LanesBelow(whole), digits, _mm_slli_si128(digits, 1)));
            out[whole] = separator[0];
            return out + product.count + 1;
        }
#endif
        copy(0, whole);
        point();
        copy(whole, product.count);
    } else {
        *out++ = L'0';
        point();
        out = std::fill_n(out, -scientific - 1, L'0');
        copy(0, product.count);
    }
    return out;
}

} // namespace

template <class Char>
wchar_t* ScaleBy16(const Char* value, std::size_t size, std::wstring_view decimalSeparator,
                   wchar_t* out) {
    const std::basic_string_view<Char> text(value, size);
    Decimal<Char> number;
    if (!Parse(text, decimalSeparator, number))
        throw CoordinateError(ErrorKind::TypeMismatch, 0, std::wstring(text.begin(), text.end()));
    Product product;
    if (!ExactProduct(number, product))
        product = ProductThroughDouble(number, text);
    return WriteGeneral(product, decimalSeparator, out);
}

template wchar_t* ScaleBy16(const char*, std::size_t, std::wstring_view, wchar_t*);
template wchar_t* ScaleBy16(const wchar_t*, std::size_t, std::wstring_view, wchar_t*);

} // namespace velmora
