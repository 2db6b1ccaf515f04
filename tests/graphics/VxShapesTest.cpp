#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxChord.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPie.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxRoundRect.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

namespace {

class VxShapes : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

// One device unit is 100 logical units across and 50 down.
void SetCoarseMapping(CTkDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 500);
    dc.SetViewportExt(10, -10);
}

}  // namespace

TEST_F(VxShapes, ALineKeepsItsDirectionAndContinuedEmitsOnlyItsLineTo)
{
    CVxLine line(RECT{10, 10, 0, 0});
    EXPECT_EQ(line.GetBounds(), (RECT{0, 0, 10, 10}));
    EXPECT_EQ(line.GetStartPoint(), (POINT{10, 10}));
    for (const BOOL bContinue : {FALSE, TRUE}) {
        CRecordingPass pass;
        line.Draw(pass.DC(), bContinue);
        const std::vector<std::string> moved{"MoveTo 10 10", "LineTo 0 0"};
        EXPECT_EQ(pass.Shapes(), bContinue ? std::vector<std::string>{moved[1]} : moved);
        EXPECT_EQ(pass.DC()->GetCurrentPosition(), (POINT{0, 0}));
    }
}

TEST_F(VxShapes, BoxesAreNormalisedAndGiveBackTheUnitOnlyToEnhancedMetafiles)
{
    CVxRectangle rect(RECT{10, 10, 0, 0});
    CVxEllipse ellipse(RECT{10, 10, 0, 0});
    CVxRoundRect roundRect(RECT{10, 10, 0, 0}, SIZE{4, 2});
    EXPECT_EQ(rect.GetRect(), (RECT{10, 10, 0, 0})) << "stored as given";
    for (const DWORD type : {OBJ_DC, OBJ_METADC, OBJ_ENHMETADC}) {
        const std::string box = type == OBJ_ENHMETADC ? " 0 0 11 11" : " 0 0 10 10";
        CRecordingPass pass(type);
        rect.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), "Rectangle" + box) << "type " << type;
        ellipse.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), "Ellipse" + box) << "type " << type;
        roundRect.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), "RoundRect" + box + " 4 2") << "type " << type;
    }
}

TEST_F(VxShapes, TheGivenBackUnitIsOneDeviceUnitInLogicalUnits)
{
    CVxRectangle rect(RECT{0, 0, 1000, 500});
    CRecordingPass pass(OBJ_ENHMETADC);
    SetCoarseMapping(*pass.DC());
    rect.Draw(pass.DC());
    EXPECT_EQ(pass.Last(), "Rectangle 0 0 1100 550");

    // The advanced graphics mode draws the edges, so the recorder trims nothing.
    pass.DC()->SetGraphicsMode(GM_ADVANCED);
    rect.Draw(pass.DC());
    EXPECT_EQ(pass.Last(), "Rectangle 0 0 1000 500");
}

TEST_F(VxShapes, BoxesReadFromAnEnhancedMetafileAreWrittenBackUnchanged)
{
    // As read back from records the recorder trimmed: 4 logical units a pixel.
    CVxRectangle rect(RECT{0, 0, 396, 196});
    CVxEllipse ellipse(RECT{-40, -40, 36, 76});
    const EmfFile file = RecordEmf([&](CTkDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(400, 400);
        dc.SetViewportExt(100, 100);
        rect.Draw(&dc);
        ellipse.Draw(&dc);
    });
    EXPECT_EQ(file.Only(EMR_RECTANGLE).Rect(8), (RECT{0, 0, 396, 196}));
    EXPECT_EQ(file.Only(EMR_ELLIPSE).Rect(8), (RECT{-40, -40, 36, 76}));
}

namespace {
constexpr RECT kBox{0, 0, 200, 100};
constexpr POINT kStart{200, 50}, kEnd{100, 0};  // on the ellipse of kBox
}  // namespace

TEST_F(VxShapes, RoundedBoxesPiesAndChordsWriteTheirOwnRecordsOnBothFormats)
{
    CVxRoundRect roundRect(kBox, SIZE{-30, 20});
    CVxPie pie(kBox, kStart, kEnd);
    CVxChord chord(kBox, kStart, kEnd);
    const struct {
        CVxGraphic& graphic;
        DWORD emfType;
        POINT tail;  // the corner, or the start point
        WORD wmfFunction;
        std::vector<std::uint16_t> wmfParams;
    } cases[] = {
        {roundRect, EMR_ROUNDRECT, {30, 20}, META_ROUNDRECT, {20, 30, 100, 200, 0, 0}},
        {pie, EMR_PIE, kStart, META_PIE, {0, 100, 50, 200, 100, 200, 0, 0}},
        {chord, EMR_CHORD, kStart, META_CHORD, {0, 100, 50, 200, 100, 200, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.graphic.GetTypeName());
        const EmfFile emf = RecordEmf([&](CTkDC& dc) { c.graphic.Draw(&dc); });
        const EmfRecord& record = emf.Only(c.emfType);
        EXPECT_EQ(record.Rect(8), kBox);
        EXPECT_EQ(record.Point(24), c.tail);
        const WmfFile wmf = RecordWmf([&](CTkDC& dc) { c.graphic.Draw(&dc); });
        ASSERT_EQ(wmf.Find(c.wmfFunction).size(), 1u);
        EXPECT_EQ(wmf.Find(c.wmfFunction)[0]->params, c.wmfParams);
        EXPECT_EQ(PropertyNames(c.graphic),
                  (std::vector<std::string>{"Global", "Position", "Pen", "Brush"}));
    }
    // A pie stored as connected to the current position is refused.
    CVxArc arcTo(kBox, kStart, kEnd, TRUE, POINT{0, 0});
    EXPECT_THROW(LoadBare(pie, StoreBare(arcTo)), CTkArchiveException);
}

TEST_F(VxShapes, ResizesKeepCornersAndFlipsKeepTheDrawnPartOfTheEllipse)
{
    CVxRoundRect roundRect(kBox, SIZE{30, 20});
    roundRect.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, {400, 50});
    roundRect.Scale(-1, 1, 1, 1);
    EXPECT_EQ(roundRect.GetCornerSize(), (SIZE{60, 10}));

    CVxPie pie(kBox, kStart, kEnd);
    auto& global = dynamic_cast<CVxGlobalGraphicProperty&>(*pie.LookupProperty("Global"));
    const struct {
        int nw, nh;
        int direction;
    } flips[] = {
        {-1, 1, AD_CLOCKWISE}, {1, -1, AD_COUNTERCLOCKWISE}, {-1, -1, AD_COUNTERCLOCKWISE}};
    for (const auto& f : flips) {
        pie.Scale(f.nw, f.nh, 1, 1);
        EXPECT_EQ(global.GetArcDirection(), f.direction) << f.nw << " " << f.nh;
    }
    EXPECT_EQ(pie.GetArcStart(), kStart) << "flipped twice on each axis";
}
