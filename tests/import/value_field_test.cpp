#include "coordinate_error.h"
#include "entry_list.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct ValueLineCase {
    std::wstring_view line;
    std::wstring_view value;
};

class ValueFieldTest : public ::testing::TestWithParam<ValueLineCase> {};

TEST_P(ValueFieldTest, TakesTheTextAfterTheFirstEqualsSign) {
    EXPECT_EQ(ValueField(GetParam().line), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(ValueLines, ValueFieldTest,
                         ::testing::Values(ValueLineCase{L"k=12.5", L"12.5"},
                                           ValueLineCase{L"k = 12.5", L" 12.5"},
                                           ValueLineCase{L"k=1=2", L"1"},
                                           ValueLineCase{L"=7", L"7"}, ValueLineCase{L"k=", L""},
                                           ValueLineCase{L"k==", L""},
                                           ValueLineCase{L"x=a\nb", L"a\nb"}));

TEST(ValueFieldTest, LineWithoutEqualsSignHasNoValue) {
    for (const std::wstring_view line : {L"k", L"", L"[p]", L" "}) {
        try {
            (void)ValueField(line);
            ADD_FAILURE() << "no error for a line without \"=\"";
        } catch (const CoordinateError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::SubscriptOutOfRange);
        }
    }
}

} // namespace
} // namespace velmora
