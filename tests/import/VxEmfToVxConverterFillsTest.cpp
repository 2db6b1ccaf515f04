// The fill records without an outline: SetPixelV and GradientFill.

#include "import/VxEmfToVxConverter.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxGradient.h"
#include "graphics/VxRectangle.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

// In the picture's own units, a pixel inside a path, then a red-to-blue gradient
// over (10, 20)–(110, 70) under a quarter turn when asked, its mesh at offset 68.
std::vector<std::uint8_t> Fills(ULONG mode, bool bTurned, std::size_t* pGradientAt = nullptr)
{
    const auto f = [](float value) { return std::bit_cast<std::uint32_t>(value); };
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    b.Record(EMR_BEGINPATH);
    b.Record(EMR_SETPIXELV, {5, 6, 0x00332211});
    b.Record(EMR_ABORTPATH);
    if (bTurned)
        b.Record(EMR_SETWORLDTRANSFORM, {f(0), f(1), f(-1), f(0), f(500), f(0)});
    const std::size_t at = b.Record(EMR_GRADIENTFILL, {0, 0, 0, 0, 2, 1, mode, 10, 20, 0xFF00, 0,
                                                       110, 70, 0, 0xFF00, 0, 1});
    if (pGradientAt)
        *pGradientAt = at;
    return b.Finish();
}

}  // namespace

// A pixel is a one-unit box of its colour without an outline, outside any path; a
// gradient keeps its vertices, and a quarter turn makes its rectangle two
// triangles whose corners carry the colours of the sides they lie on.
TEST(ConverterFills, PixelsAndGradientsBecomeGraphics)
{
    const CTestFontEngineScope engine;
    for (const bool bTurned : {false, true}) {
        CVxEmfToVxConverter c(0, 0, 16383, 16383, TRUE);
        const std::vector<int> answers = RunRecords(c, Fills(GRADIENT_FILL_RECT_H, bTurned));
        EXPECT_EQ(answers, std::vector<int>(bTurned ? 8 : 7, 0));
        ASSERT_EQ(c.GetGraphics().GetCount(), 2);
        auto* pPixel = dynamic_cast<CVxRectangle*>(GraphicAt(c.GetGraphics(), 0));
        ASSERT_NE(pPixel, nullptr);
        EXPECT_EQ(pPixel->GetRect(), (RECT{5, 6, 6, 7}));
        EXPECT_EQ(dynamic_cast<CVxBrushGraphicProperty&>(*pPixel->LookupProperty("Brush"))
                      .GetColor(), 0x332211u);
        EXPECT_EQ(dynamic_cast<CVxPenGraphicProperty&>(*pPixel->LookupProperty("Pen"))
                      .GetStyle(), UINT(PS_NULL));
        auto* pGradient = dynamic_cast<CVxGradient*>(GraphicAt(c.GetGraphics(), 1));
        ASSERT_NE(pGradient, nullptr);
        std::vector<std::pair<POINT, COLOR16>> corners;  // with their red
        for (const TRIVERTEX& v : pGradient->GetPlacedVertices())
            corners.push_back({{v.x, v.y}, v.Red});
        using Corners = decltype(corners);
        EXPECT_EQ(corners, (bTurned ? Corners{{{480, 10}, 0xFF00}, {{480, 110}, 0},
                                              {{430, 110}, 0}, {{430, 10}, 0xFF00}}
                                    : Corners{{{10, 20}, 0xFF00}, {{110, 70}, 0}}));
        EXPECT_EQ(pGradient->GetMesh(),
                  (bTurned ? std::vector<ULONG>{0, 1, 2, 0, 2, 3} : std::vector<ULONG>{0, 1}));
    }
}

// Each bad gradient is listed as ignored; the rest of the file still arrives.
TEST(ConverterFills, BadGradientsAreRefusedOneByOne)
{
    const EmfPatch patches[] = {
        {"vertices past the record", 24, 0x08000000},
        {"rectangles past the record", 28, 0x40000000},
        {"an index past the vertices", 72, 2},
        {"an unknown mode", 32, 3},
    };
    const CTestFontEngineScope engine;
    for (const EmfPatch& patch : patches) {
        CVxEmfToVxConverter c(0, 0, 16383, 16383, TRUE);
        std::size_t at = 0;
        std::vector<std::uint8_t> bytes = Fills(GRADIENT_FILL_RECT_H, false, &at);
        SetU32(bytes, at + patch.offset, patch.value);
        EXPECT_EQ(RunRecords(c, bytes), (std::vector<int>{0, 0, 0, 0, 0, 1, 0})) << patch.what;
        EXPECT_EQ(c.GetGraphics().GetCount(), 1) << patch.what;
    }
}
