// Checks ScaleBy16 against the C library: for a text in the number grammar
// (blanks, sign, digits with one decimal point, exponent, blanks) the result is
// strtod × 16 printed with "%.15G"; any other text is a type mismatch. The
// comma is checked by swapping "." and "," in text and result.
#include "coordinate_error.h"
#include "fuzz_check.h"
#include "scale_by_16.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::fuzz {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar, written out plainly; the point is fixed as ".".
bool InGrammar(std::string_view text) {
    std::size_t at = 0;
    auto peek = [&] { return at < text.size() ? text[at] : '\0'; };
    while (IsBlank(peek()))
        ++at;
    if (peek() == '+' || peek() == '-')
        ++at;
    std::size_t digits = 0;
    bool point = false;
    for (;; ++at) {
        if (IsDigit(peek()))
            ++digits;
        else if (peek() == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (peek() == 'e' || peek() == 'E') {
        ++at;
        if (peek() == '+' || peek() == '-')
            ++at;
        if (!IsDigit(peek()))
            return false;
        while (IsDigit(peek()))
            ++at;
    }
    while (IsBlank(peek()))
        ++at;
    return at == text.size();
}

// What the old route gives: the C library's conversion, times 16, "%.15G";
// nothing where the product is beyond the double range.
std::optional<std::wstring> ReferenceScale(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    while (IsBlank(*end))
        ++end;
    Check(*end == '\0', "strtod takes every text of the grammar whole");
    const double product = value * 16;
    if (std::isinf(product))
        return std::nullopt;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.15G", product);
    const std::string shown = std::string(printed) == "-0" ? "0" : printed;
    return std::wstring(shown.begin(), shown.end());
}

std::wstring Widen(std::string_view text) {
    std::wstring wide;
    for (const char c : text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

template <class Text> Text SwapPointAndComma(Text text) {
    for (auto& c : text)
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    return text;
}

struct Result {
    std::optional<std::wstring> text;
    std::optional<ErrorKind> error;
};

Result Scale(const std::wstring& value, std::wstring_view separator) {
    try {
        return {ScaleBy16(value, separator), std::nullopt};
    } catch (const CoordinateError& error) {
        Check(error.kind == ErrorKind::TypeMismatch || error.kind == ErrorKind::Overflow,
              "ScaleBy16 stops only with a type mismatch or an overflow");
        return {std::nullopt, error.kind};
    } catch (...) {
        Fail("ScaleBy16 throws only CoordinateError");
    }
}

} // namespace
} // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    using namespace velmora::fuzz;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Result point = Scale(Widen(text), L".");
    if (!InGrammar(text)) {
        Check(point.error == ErrorKind::TypeMismatch,
              "text outside the grammar is a type mismatch");
    } else if (const auto expected = ReferenceScale(text)) {
        Check(point.text == expected, "the product reads as strtod x 16 printed with %.15G");
    } else {
        Check(point.error == ErrorKind::Overflow, "a product beyond the double range overflows");
    }

    // With a comma as the separator the same text, point and comma swapped,
    // gives the same result, swapped back.
    const Result comma = Scale(SwapPointAndComma(Widen(text)), L",");
    Check(comma.error == point.error, "a comma locale stops where a point locale does");
    Check(!comma.text || SwapPointAndComma(*comma.text) == point.text,
          "a comma locale writes the same number with a comma");
    return 0;
}
