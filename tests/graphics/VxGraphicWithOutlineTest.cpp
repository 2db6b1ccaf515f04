#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"

#include <gtest/gtest.h>

namespace {

// Bounds narrower than its rectangle, as an arc's are.
class CTestArcLike : public CTestLine {
public:
    using CTestLine::CTestLine;
    RECT GetBounds() override { return RECT{2, 2, 4, 4}; }
};

}  // namespace

TEST(VxGraphicWithOutline, DrawBoundsReachAsFarAsThePenFromTheBounds)
{
    CTestLine line(RECT{10, 20, 0, 0});
    auto& pen = dynamic_cast<CVxPenGraphicProperty&>(*line.LookupProperty("Pen"));
    pen.SetWidth(0);
    EXPECT_EQ(line.GetDrawBounds(), (RECT{-1, -1, 11, 21})) << "width 0 still draws";
    pen.SetWidth(5);
    EXPECT_EQ(line.GetDrawBounds(), (RECT{-5, -5, 15, 25}));

    CTestArcLike arc(RECT{0, 0, 10, 10});
    dynamic_cast<CVxPenGraphicProperty&>(*arc.LookupProperty("Pen")).SetWidth(1);
    EXPECT_EQ(arc.GetDrawBounds(), (RECT{1, 1, 5, 5}));
    EXPECT_EQ(CTestPlain(RECT{10, 20, 0, 0}).GetDrawBounds(), (RECT{0, 0, 10, 20}));
}
