// The setting and gathering rule shared by all properties, seen through the
// "Global" property's values.

#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"

#include <gtest/gtest.h>

using G = CVxGlobalGraphicProperty;

TEST(MergeValue, SettingMarksDefinedAndReportsOnlyRealChanges)
{
    G global;
    global.SetState(G::BkMode, VX_STATE_NONE);
    EXPECT_FALSE(global.SetBkMode(TRANSPARENT));  // equal bytes: no change
    EXPECT_EQ(global.GetState(G::BkMode), VX_STATE_DEFINED);

    global.SetState(G::BkMode, VX_STATE_MIXED);
    EXPECT_TRUE(global.SetBkMode(OPAQUE));
    EXPECT_EQ(global.GetBkMode(), OPAQUE);
    EXPECT_EQ(global.GetState(G::BkMode), VX_STATE_DEFINED);
}

TEST(MergeValue, GatheringTakesFirstValueThenMarksDisagreementMixed)
{
    G gathered(TRUE);
    EXPECT_EQ(gathered.GetState(G::TextColor), VX_STATE_NONE);

    EXPECT_TRUE(gathered.SetTextColor(RGB(1, 2, 3)));  // 0 -> 1, value taken
    EXPECT_EQ(gathered.GetState(G::TextColor), VX_STATE_DEFINED);
    EXPECT_EQ(gathered.GetTextColor(), RGB(1, 2, 3));

    EXPECT_FALSE(gathered.SetTextColor(RGB(1, 2, 3)));  // agreeing: stays 1
    EXPECT_EQ(gathered.GetState(G::TextColor), VX_STATE_DEFINED);

    EXPECT_FALSE(gathered.SetTextColor(RGB(9, 9, 9)));  // 1 -> 2, field kept
    EXPECT_EQ(gathered.GetState(G::TextColor), VX_STATE_MIXED);
    EXPECT_EQ(gathered.GetTextColor(), RGB(1, 2, 3));

    EXPECT_FALSE(gathered.SetTextColor(RGB(1, 2, 3)));  // mixed stays mixed
    EXPECT_EQ(gathered.GetState(G::TextColor), VX_STATE_MIXED);
}

TEST(MergeValue, ComparesBytesNotNumbers)
{
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

