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

