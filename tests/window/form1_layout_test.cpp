// Form1's control table and the arithmetic that places it, checked without a window.
#include "form1_controls.h"
#include "tab_order.h"
#include "twips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora {
namespace {

const ControlDefinition& Definition(ControlId id) {
    return *std::ranges::find(Form1Controls, id, &ControlDefinition::id);
}

std::ptrdiff_t StackPosition(ControlId id) {
    return std::ranges::find(Form1Controls, id, &ControlDefinition::id) - Form1Controls.begin();
}

bool Contains(const TwipsRect& outer, const TwipsRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST(Form1ControlsTest, CoveredControlsLieInsideTheListAndBeneathIt) {
    for (const ControlId covered : {IdText1, IdText2, IdText3, IdCommand2}) {
        SCOPED_TRACE(covered);
        EXPECT_TRUE(Contains(Definition(IdText4).rect, Definition(covered).rect));
        EXPECT_GT(StackPosition(covered), StackPosition(IdText4));
    }
}

TEST(Form1ControlsTest, LabelsLieBeneathEveryOtherControlAndTakeNoFocus) {
    EXPECT_EQ(StackPosition(IdLabel2), 9);
    EXPECT_EQ(StackPosition(IdLabel1), 10);
    for (const ControlId label : {IdLabel1, IdLabel2}) {
        EXPECT_EQ(Definition(label).style & WS_TABSTOP, 0u);
        EXPECT_NE(Definition(label).style & SS_NOTIFY, 0u) << "a click would fall through";
    }
}

TEST(TabOrderTest, FollowsTheTabIndexNotTheStackingOrder) {
    const std::vector<ControlId> expected{IdText1, IdText2,   IdText3,    IdCommand1, IdCommand2,
                                          IdText4, IdOption1, IdCommand3, IdCommand4};
    EXPECT_EQ(TabOrder(Form1Controls), expected);
}

TEST(TabOrderTest, MovesOnAndWrapsRoundAtEitherEnd) {
    const std::vector<ControlId> order = TabOrder(Form1Controls);
    struct Case {
        std::optional<ControlId> from;
        bool forward;
        ControlId to;
    };
    const Case cases[] = {
        {IdText1, true, IdText2},      {IdText2, false, IdText1},
        {IdCommand4, true, IdText1},   {IdText1, false, IdCommand4},
        {IdOption1, true, IdCommand3}, {IdCommand3, true, IdCommand4},
        {std::nullopt, true, IdText1}, {std::nullopt, false, IdCommand4},
        {IdLabel1, true, IdText1}, // a control outside the order
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.from ? static_cast<int>(*c.from) : 0)
                                        << (c.forward ? " forward" : " backward"));
        EXPECT_EQ(NextInTabOrder(order, c.from, c.forward), c.to);
    }
}

TEST(TwipsTest, ConvertAtTheWindowsDpiRoundingHalfPixelsUp) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {3525, 96, 235},  {5100, 96, 340}, {3525, 144, 353}, {5100, 144, 510}, {3525, 120, 294},
        {3525, 192, 470}, {15, 96, 1},     {7, 96, 0},       {8, 96, 1},       {0, 144, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
}

} // namespace
} // namespace velmora
