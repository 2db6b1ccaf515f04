// The setting and gathering rule shared by all properties, seen through the
// "Global" property's values.

#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"

#include <gtest/gtest.h>

using G = CVxGlobalGraphicProperty;

// Setting a value from each state, on a property of one graphic and on one
// that gathers the values of several: what is reported, the state after, and
// the value kept. A gathering property takes its first value, then marks
// disagreement mixed and keeps the value it had.
TEST(MergeValue, TransitionsOfTheState)
{
    constexpr COLORREF kOld = RGB(1, 2, 3), kNew = RGB(9, 9, 9);
    const struct {
        bool bGathering;
        int before;
        COLORREF set;
        bool bChanged;
        int after;
        COLORREF value;
    } cases[] = {
        {false, VX_STATE_NONE, kOld, false, VX_STATE_DEFINED, kOld},  // equal bytes: no change
        {false, VX_STATE_DEFINED, kNew, true, VX_STATE_DEFINED, kNew},
        {false, VX_STATE_MIXED, kNew, true, VX_STATE_DEFINED, kNew},
        {true, VX_STATE_NONE, kNew, true, VX_STATE_DEFINED, kNew},
        {true, VX_STATE_DEFINED, kOld, false, VX_STATE_DEFINED, kOld},
        {true, VX_STATE_DEFINED, kNew, false, VX_STATE_MIXED, kOld},
        {true, VX_STATE_MIXED, kOld, false, VX_STATE_MIXED, kOld},
        {true, VX_STATE_MIXED, kNew, false, VX_STATE_MIXED, kOld},
    };
    for (const auto& c : cases) {
        G global;
        global.SetTextColor(kOld);
        global.SetGathering(c.bGathering);
        global.SetState(G::TextColor, c.before);
        EXPECT_EQ(global.SetTextColor(c.set), c.bChanged) << c.bGathering << c.before;
        EXPECT_EQ(global.GetState(G::TextColor), c.after) << c.bGathering << c.before;
        EXPECT_EQ(global.GetTextColor(), c.value) << c.bGathering << c.before;
    }
    // Bytes are compared, not numbers.
    G global;
    ASSERT_TRUE(global.SetMiterLimit(0.0f));
    EXPECT_TRUE(global.SetMiterLimit(-0.0f));
}

TEST(PropertyMerge, MixedValuesOfAGatheringSourceStayMixed)
{
    G target(TRUE);
    G first;
    first.SetBkColor(RGB(10, 0, 0));
    target.Merge(first);  // every value of a single graphic is taken
    EXPECT_EQ(target.GetState(G::BkColor), VX_STATE_DEFINED);
    EXPECT_EQ(target.GetBkColor(), RGB(10, 0, 0));

    // An incoming gathered property: its colour is mixed, its mode definite
    // and equal, its fill mode definite and different.
    G incoming(TRUE);
    incoming.SetBkColor(RGB(10, 0, 0));
    incoming.SetBkColor(RGB(20, 0, 0));
    incoming.SetBkMode(TRANSPARENT);
    incoming.SetPolyFillMode(WINDING);
    ASSERT_EQ(incoming.GetState(G::BkColor), VX_STATE_MIXED);

    target.Merge(incoming);
    EXPECT_EQ(target.GetState(G::BkColor), VX_STATE_MIXED);
    EXPECT_EQ(target.GetBkColor(), RGB(10, 0, 0));
    EXPECT_EQ(target.GetState(G::BkMode), VX_STATE_DEFINED);
    EXPECT_EQ(target.GetState(G::PolyFillMode), VX_STATE_MIXED);
}

TEST(PropertyApply, TakesOnlyDefiniteValuesAndReportsChange)
{
    G target;
    G source(TRUE);  // all states 0: nothing to apply
    EXPECT_FALSE(target.Apply(source));

    source.SetTextAlign(TA_LEFT);          // definite, differs from 30
    source.SetArcDirection(AD_CLOCKWISE);  // made mixed below
    source.SetArcDirection(AD_COUNTERCLOCKWISE);
    ASSERT_EQ(source.GetState(G::ArcDirection), VX_STATE_MIXED);

    EXPECT_TRUE(target.Apply(source));
    EXPECT_EQ(target.GetTextAlign(), TA_LEFT);
    EXPECT_EQ(target.GetArcDirection(), AD_COUNTERCLOCKWISE);  // mixed: not applied

    EXPECT_FALSE(target.Apply(source));  // the same values again: no change
}

