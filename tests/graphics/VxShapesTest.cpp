#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/EmfRecordTypes.h"

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

CVxBrushGraphicProperty& BrushOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxBrushGraphicProperty&>(*graphic.LookupProperty("Brush"));
}

}  // namespace

TEST_F(VxShapes, ALineDrawnRightToLeftKeepsItsDirection)
{
    CVxLine line(RECT{10, 10, 0, 0});
    EXPECT_EQ(line.GetBounds(), (RECT{0, 0, 10, 10}));
    EXPECT_EQ(line.GetStartPoint(), (POINT{10, 10}));
    CRecordingPass pass;
    line.Draw(pass.DC());
    EXPECT_EQ(pass.Shapes(), (std::vector<std::string>{"MoveTo 10 10", "LineTo 0 0"}));
    EXPECT_EQ(pass.DC()->GetCurrentPosition(), (POINT{0, 0}));
}

TEST_F(VxShapes, AContinuedLineEmitsOnlyItsLineTo)
{
    CVxLine line(RECT{5, 6, 70, 80});
    CRecordingPass pass;
    pass.DC()->MoveTo(5, 6);
    pass.Log().Clear();
    line.Draw(pass.DC(), TRUE);
    EXPECT_EQ(pass.Shapes(), (std::vector<std::string>{"LineTo 70 80"}));
    EXPECT_EQ(pass.DC()->GetCurrentPosition(), (POINT{70, 80}));
}

TEST_F(VxShapes, BoxesAreNormalisedAndGiveBackTheUnitOnlyToEnhancedMetafiles)
{
    CVxRectangle rect(RECT{10, 10, 0, 0});
    CVxEllipse ellipse(RECT{10, 10, 0, 0});
    EXPECT_EQ(rect.GetRect(), (RECT{10, 10, 0, 0})) << "stored as given";
    struct Case {
        DWORD type;
        const char* rectangle;
        const char* ellipse;
    };
    for (const Case& c : {Case{OBJ_DC, "Rectangle 0 0 10 10", "Ellipse 0 0 10 10"},
                          Case{OBJ_METADC, "Rectangle 0 0 10 10", "Ellipse 0 0 10 10"},
                          Case{OBJ_ENHMETADC, "Rectangle 0 0 11 11", "Ellipse 0 0 11 11"}}) {
        CRecordingPass pass(c.type);
        rect.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), c.rectangle) << "type " << c.type;
        ellipse.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), c.ellipse) << "type " << c.type;
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
    const auto rectangles = file.Find(EMR_RECTANGLE);
    const auto ellipses = file.Find(EMR_ELLIPSE);
    ASSERT_EQ(rectangles.size(), 1u);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(rectangles[0]->Rect(8), (RECT{0, 0, 396, 196}));
    EXPECT_EQ(ellipses[0]->Rect(8), (RECT{-40, -40, 36, 76}));
}

TEST_F(VxShapes, SerialisedShapesComeBackAsTheirClassWithTheirAttributes)
{
    CFakeDocument doc;
    CVxLine line(RECT{10, 20, -30, 40});
    PenOf(line).SetWidth(5);
    CVxRectangle rect(RECT{1, 2, 3, 4});
    BrushOf(rect).SetColor(RGB(1, 2, 3));
    CVxEllipse ellipse(RECT{-5, -6, 7, 8});
    PenOf(ellipse).SetColor(RGB(9, 9, 9));

    std::unique_ptr<CVxGraphic> pLine = RoundTrip(line, &doc);
    std::unique_ptr<CVxGraphic> pRect = RoundTrip(rect, &doc);
    std::unique_ptr<CVxGraphic> pEllipse = RoundTrip(ellipse, &doc);
    ASSERT_TRUE(pLine && pRect && pEllipse);
    EXPECT_STREQ(pLine->GetClassName(), "CVxLine");
    EXPECT_STREQ(pRect->GetClassName(), "CVxRectangle");
    EXPECT_STREQ(pEllipse->GetClassName(), "CVxEllipse");
    EXPECT_EQ(pLine->GetRect(), (RECT{10, 20, -30, 40}));
    EXPECT_EQ(PenOf(*pLine).GetWidth(), 5);
    EXPECT_EQ(BrushOf(*pRect).GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(PenOf(*pEllipse).GetColor(), RGB(9, 9, 9));
    EXPECT_EQ(pEllipse->GetDocument(), &doc);
    // A line and a rectangle store their rectangle and their attributes, nothing more.
    for (CVxGraphic* pGraphic : {static_cast<CVxGraphic*>(&line), static_cast<CVxGraphic*>(&rect)}) {
        CTkMemFile file;
        CTkArchive ar(&file, CTkArchive::store);
        const RECT r = pGraphic->GetRect();
        for (const LONG value : {r.left, r.top, r.right, r.bottom})
            ar << std::int32_t(value);
        pGraphic->GetPropertyMap().Serialize(ar);
        EXPECT_EQ(StoreBare(*pGraphic), file.Detach()) << pGraphic->GetClassName();
    }
}

TEST_F(VxShapes, ClonesAreFreeStandingAndIndependent)
{
    CFakeDocument doc;
    CVxRectangle rect(RECT{10, 10, 0, 0});
    rect.SetDocument(&doc);
    BrushOf(rect).SetColor(RGB(200, 0, 0));
    std::unique_ptr<CVxGraphic> pClone = rect.Clone();
    EXPECT_STREQ(pClone->GetClassName(), "CVxRectangle");
    EXPECT_EQ(pClone->GetRect(), (RECT{10, 10, 0, 0}));
    EXPECT_EQ(pClone->GetDocument(), nullptr);
    EXPECT_EQ(rect.GetDocument(), &doc);
    EXPECT_TRUE(doc.m_updates.empty() && doc.m_modifiedCalls.empty()) << "copying tells no one";
    EXPECT_EQ(BrushOf(*pClone).GetColor(), RGB(200, 0, 0));
    BrushOf(*pClone).SetColor(RGB(0, 0, 200));
    EXPECT_EQ(BrushOf(rect).GetColor(), RGB(200, 0, 0));

    CVxLine line(RECT{1, 2, 3, 4});
    EXPECT_STREQ(line.Clone()->GetClassName(), "CVxLine");
    CVxEllipse ellipse(RECT{1, 2, 3, 4});
    EXPECT_STREQ(ellipse.Clone()->GetClassName(), "CVxEllipse");
}
