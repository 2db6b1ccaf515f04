#include "GraphicTestSupport.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxChord.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPie.h"
#include "graphics/VxRoundRect.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

namespace {

class VxClosedShapesTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

constexpr RECT kBox{0, 0, 200, 100};
// On the ellipse of kBox: the right and the top middle.
constexpr POINT kStart{200, 50};
constexpr POINT kEnd{100, 0};

int DirectionOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxGlobalGraphicProperty&>(*graphic.LookupProperty("Global"))
        .GetArcDirection();
}

}  // namespace

TEST_F(VxClosedShapesTest, EachWritesItsOwnRecordOnBothFormats)
{
    CVxRoundRect roundRect(kBox, SIZE{-30, 20});
    CVxPie pie(kBox, kStart, kEnd);
    CVxChord chord(kBox, kStart, kEnd);
    struct Case {
        CVxGraphic& graphic;
        const char* typeName;
        DWORD emfType;
        WORD wmfFunction;
        std::vector<std::int16_t> wmfParams;
    } cases[] = {
        {roundRect, "Rounded Rectangle", EMR_ROUNDRECT, META_ROUNDRECT, {20, 30, 100, 200, 0, 0}},
        {pie, "Pie", EMR_PIE, META_PIE, {0, 100, 50, 200, 100, 200, 0, 0}},
        {chord, "Chord", EMR_CHORD, META_CHORD, {0, 100, 50, 200, 100, 200, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeName);
        EXPECT_EQ(c.graphic.GetTypeName(), c.typeName);
        EXPECT_EQ(PropertyNames(c.graphic),
                  (std::vector<std::string>{"Global", "Position", "Pen", "Brush"}));
        const EmfFile emf = RecordEmf([&](CTkDC& dc) { c.graphic.Draw(&dc); });
        const EmfRecord& record = emf.Only(c.emfType);
        EXPECT_EQ(record.Rect(8), kBox);
        if (c.emfType == EMR_ROUNDRECT) {
            EXPECT_EQ(record.Size(24), (SIZE{30, 20})) << "the corner's magnitude";
        } else {
            EXPECT_EQ(record.Point(24), kStart);
            EXPECT_EQ(record.Point(32), kEnd);
        }
        const WmfFile wmf = RecordWmf([&](CTkDC& dc) { c.graphic.Draw(&dc); });
        const auto found = wmf.Find(c.wmfFunction);
        ASSERT_EQ(found.size(), 1u);
        std::vector<std::int16_t> params;
        for (std::size_t i = 0; i < found[0]->params.size(); ++i)
            params.push_back(found[0]->Short(i));
        EXPECT_EQ(params, c.wmfParams);
    }
}

TEST_F(VxClosedShapesTest, ScalingAndFlipsKeepCornersAndTheDrawnPartOfTheEllipse)
{
    CVxRoundRect roundRect(kBox, SIZE{30, 20});
    roundRect.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, {400, 50});
    EXPECT_EQ(roundRect.GetNormalizedRect(), (RECT{0, 0, 400, 50}));
    EXPECT_EQ(roundRect.GetCornerSize(), (SIZE{60, 10}));
    roundRect.Scale(-1, 1, 1, 1);
    EXPECT_EQ(roundRect.GetCornerSize(), (SIZE{60, 10})) << "a flip keeps the corners";

    // Mirrored, the same part of the ellipse is drawn the other way round.
    CVxPie pie(kBox, kStart, kEnd);
    ASSERT_EQ(DirectionOf(pie), AD_COUNTERCLOCKWISE);
    pie.Scale(-1, 1, 1, 1);
    EXPECT_EQ(pie.GetArcStart(), (POINT{0, 50}));
    EXPECT_EQ(pie.GetArcEnd(), (POINT{100, 0}));
    EXPECT_EQ(DirectionOf(pie), AD_CLOCKWISE);
    pie.Scale(1, -1, 1, 1);
    EXPECT_EQ(DirectionOf(pie), AD_COUNTERCLOCKWISE) << "flipped on both axes it is turned";
    pie.Scale(-1, -1, 1, 1);
    EXPECT_EQ(DirectionOf(pie), AD_COUNTERCLOCKWISE);

    CVxChord chord(kBox, kStart, kEnd);
    EXPECT_EQ(chord.GetHandleCount(), VX_HANDLE_FIRST_POINT + 2);
    EXPECT_TRUE(chord.CanEdit());
    chord.MoveHandle(VX_HANDLE_FIRST_POINT, {100, 5000});
    EXPECT_EQ(chord.GetArcStart(), (POINT{100, 100})) << "kept on the ellipse";
}

TEST_F(VxClosedShapesTest, StoredShapesComeBackWhole)
{
    CVxRoundRect roundRect(kBox, SIZE{30, 20});
    auto pRoundRect = LoadObject(StoreObject(roundRect));
    ASSERT_NE(dynamic_cast<CVxRoundRect*>(pRoundRect.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CVxRoundRect&>(*pRoundRect).GetCornerSize(), (SIZE{30, 20}));
    EXPECT_EQ(pRoundRect->GetRect(), kBox);

    CVxChord chord(kBox, kStart, kEnd);
    auto pChord = LoadObject(StoreObject(chord));
    ASSERT_NE(dynamic_cast<CVxChord*>(pChord.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CVxChord&>(*pChord).GetArcEnd(), kEnd);
    EXPECT_EQ(PropertyNames(*pChord), PropertyNames(chord));

    // A pie stored as connected to the current position is refused.
    CVxArc arcTo(kBox, kStart, kEnd, TRUE, POINT{0, 0});
    std::vector<std::uint8_t> bytes = StoreBare(arcTo);
    CVxPie pie;
    EXPECT_THROW(LoadBare(pie, bytes), CTkArchiveException);
}
