#include "attributes/VxPositionGraphicProperty.h"
#include "attributes/VxPropertyMap.h"

#include "FakePropertyOwner.h"

#include <gtest/gtest.h>

namespace {
// A "Position" property held by a graphic.
struct OwnedPosition {
    OwnedPosition()
    {
        map.SetOwner(&owner);
        map.SetAt(std::make_unique<CVxPositionGraphicProperty>());
        pPosition = dynamic_cast<CVxPositionGraphicProperty*>(map.Lookup("Position"));
    }
    CFakePropertyOwner owner;
    CVxPropertyMap map;
    CVxPositionGraphicProperty* pPosition = nullptr;
};
}  // namespace

TEST(Position, OnAGraphicTheValuesActAndStayNeutral)
{
    OwnedPosition p;
    ASSERT_NE(p.pPosition, nullptr);
    EXPECT_TRUE(p.pPosition->SetOffset(10, 0));
    EXPECT_TRUE(p.pPosition->SetScale(50, 200));
    EXPECT_FALSE(p.pPosition->SetOffset(0, 0));
    EXPECT_FALSE(p.pPosition->SetScale(100, 100));
    EXPECT_EQ(p.owner.calls, (std::vector<std::string>{"Offset 10 0", "Scale 50 200 100 100"}));
    EXPECT_EQ(p.pPosition->GetOffset(), (POINT{0, 0}));
    EXPECT_EQ(p.pPosition->GetScale(), (SIZE{100, 100}));
}

TEST(Position, ApplyMovesThenScalesAndReportsWhetherEitherActed)
{
    OwnedPosition p;
    CVxPositionGraphicProperty neutral;
    EXPECT_FALSE(p.pPosition->Apply(neutral));
    EXPECT_TRUE(p.owner.calls.empty());

    CVxPositionGraphicProperty page;
    page.SetScale(100, 50);
    EXPECT_TRUE(p.pPosition->Apply(page));
    page.SetOffset(-3, 7);
    EXPECT_TRUE(p.pPosition->Apply(page));
    EXPECT_EQ(p.owner.calls, (std::vector<std::string>{"Scale 100 50 100 100", "Offset -3 7",
                                                        "Scale 100 50 100 100"}));
}

