#include "coordinate_error.h"
#include "entry_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace velmora {
namespace {

struct ScaleCase {
    std::wstring_view value;
    std::wstring_view separator;
    std::wstring_view scaled;
};

std::ostream& operator<<(std::ostream& out, const ScaleCase& c) {
    return out << std::string(c.value.begin(), c.value.end()) << " with separator "
               << std::string(c.separator.begin(), c.separator.end());
}

class ScaleBy16Test : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleBy16Test, MultipliesAndWritesLikeGeneralFormat) {
    EXPECT_EQ(ScaleBy16(GetParam().value, GetParam().separator), GetParam().scaled);
}

INSTANTIATE_TEST_SUITE_P(
    FullStop, ScaleBy16Test,
    ::testing::Values(ScaleCase{L"12.5", L".", L"200"}, ScaleCase{L"100.25", L".", L"1604"},
                      ScaleCase{L"-3.5", L".", L"-56"}, ScaleCase{L"0.3", L".", L"4.8"},
                      ScaleCase{L" 7 ", L".", L"112"}, ScaleCase{L"\t7\t", L".", L"112"},
                      ScaleCase{L"+1", L".", L"16"}, ScaleCase{L".5", L".", L"8"},
                      ScaleCase{L"5.", L".", L"80"}, ScaleCase{L"0", L".", L"0"},
                      ScaleCase{L"-0", L".", L"0"}, ScaleCase{L"-0.000", L".", L"0"},
                      ScaleCase{L"0.1", L".", L"1.6"}, ScaleCase{L"1e3", L".", L"16000"},
                      ScaleCase{L"0.00001", L".", L"0.00016"},
                      ScaleCase{L"0.000001", L".", L"1.6E-05"},
                      ScaleCase{L"1E-6", L".", L"1.6E-05"}, ScaleCase{L"6.25e13", L".", L"1E+15"},
                      ScaleCase{L"62500000000000", L".", L"1E+15"},
                      ScaleCase{L"6249999999999.9", L".", L"99999999999998.4"},
                      ScaleCase{L"123456789012345", L".", L"1.97530862419752E+15"},
                      ScaleCase{L"-2193.814535", L".", L"-35101.03256"},
                      ScaleCase{L"1e300", L".", L"1.6E+301"}, ScaleCase{L"1e-400", L".", L"0"},
                      ScaleCase{L"-1e-400", L".", L"0"}, ScaleCase{L"00012.50", L".", L"200"}));

INSTANTIATE_TEST_SUITE_P(
    Comma, ScaleBy16Test,
    ::testing::Values(ScaleCase{L"12,5", L",", L"200"}, ScaleCase{L"0,3", L",", L"4,8"},
                      ScaleCase{L"-2193,814535", L",", L"-35101,03256"},
                      ScaleCase{L"1e-6", L",", L"1,6E-05"},
                      ScaleCase{L"0,1234567890123456789", L",", L"1,97530862419753"}));

TEST(ScaleBy16Test, TextThatIsNotANumberIsATypeMismatch) {
    const ScaleCase cases[] = {
        {L"", L".", {}},     {L" ", L".", {}},     {L"\t", L".", {}},      {L"abc", L".", {}},
        {L"1,5", L".", {}},  {L"1.2.3", L".", {}}, {L"1e", L".", {}},      {L"1e+", L".", {}},
        {L"--1", L".", {}},  {L"+-1", L".", {}},   {L"1 2", L".", {}},     {L"0x10", L".", {}},
        {L"inf", L".", {}},  {L"nan", L".", {}},   {L"1,000.5", L".", {}}, {L"$5", L".", {}},
        {L".", L".", {}},    {L"-", L".", {}},     {L"e5", L".", {}},      {L"1.5", L",", {}},
        {L"12.5", L",", {}}, {L"1\n", L".", {}},   {L"\u00a01", L".", {}},
    };
    for (const auto& c : cases) {
        try {
            const auto scaled = ScaleBy16(c.value, c.separator);
            ADD_FAILURE() << c << " gave " << std::string(scaled.begin(), scaled.end());
        } catch (const CoordinateError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch) << c;
        }
    }
}

TEST(ScaleBy16Test, ProductBeyondDoubleRangeIsAnOverflow) {
    for (const std::wstring_view value : {L"1e308", L"-1.2e308", L"1e400", L"1e99999999999999"}) {
        try {
            (void)ScaleBy16(value, L".");
            ADD_FAILURE() << "no overflow";
        } catch (const CoordinateError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Overflow);
        }
    }
}

// The printf route the text must match: strtod, times 16, "%.15G".
std::string Reference(const std::string& value) {
    const double product = std::strtod(value.c_str(), nullptr) * 16;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", product);
    return std::string(buffer) == "-0" ? "0" : buffer;
}

std::string Scaled(const std::string& value) {
    const std::wstring wide = ScaleBy16(std::wstring(value.begin(), value.end()), L".");
    return {wide.begin(), wide.end()};
}

TEST(ScaleBy16Test, AgreesWithPrintfOnRandomValues) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> digitCount(1, 20), digit(0, 9), exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        std::string value = random() % 2 ? "-" : "";
        const int count = digitCount(random);
        const int point = static_cast<int>(random() % (count + 1));
        for (int d = 0; d < count; ++d) {
            if (d == point)
                value += '.';
            value += static_cast<char>('0' + digit(random));
        }
        if (random() % 3 == 0)
            value += "e" + std::to_string(exponent(random));
        ASSERT_EQ(Scaled(value), Reference(value)) << value;
    }
    for (int i = 0; i < 20000; ++i) {
        const double x = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                                    std::uniform_int_distribution<int>(-1000, 1000)(random));
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17g", x);
        ASSERT_EQ(Scaled(buffer), Reference(buffer)) << buffer;
    }
}

} // namespace
} // namespace velmora
