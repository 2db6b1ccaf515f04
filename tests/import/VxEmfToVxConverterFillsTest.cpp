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

// A red-to-blue gradient over (10, 20)–(110, 70) in the given mode; the mesh
// starts at offset 68.
std::size_t AddGradient(EmfBuilder& b, std::uint32_t mode)
{
    return b.Record(EMR_GRADIENTFILL, {0, 0, 0, 0, 2, 1, mode,
                                       10, 20, 0xFF00, 0,          // red
                                       110, 70, 0, 0xFF00,         // blue
                                       0, 1});
}

class ConverterFills : public ::testing::Test {
protected:
    std::vector<int> Run(std::vector<std::uint8_t> bytes)
    {
        return RunRecords(m_converter, bytes);
    }
    CVxGraphic* At(int index) const { return GraphicAt(m_converter.GetGraphics(), index); }

    CTestFontEngineScope m_engine;
    CVxEmfToVxConverter m_converter{0, 0, 16383, 16383, TRUE};
};

// The picture's own units: records map one to one.
EmfBuilder Started()
{
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    return b;
}

}  // namespace

// A pixel is a one-unit box of its colour without an outline, outside any path;
// a gradient keeps its vertices and mesh.
TEST_F(ConverterFills, PixelsAndGradientsBecomeGraphics)
{
    EmfBuilder b = Started();
    b.Record(EMR_BEGINPATH);
    b.Record(EMR_SETPIXELV, {5, 6, 0x00332211});
    b.Record(EMR_ENDPATH);
    AddGradient(b, GRADIENT_FILL_RECT_V);
    EXPECT_EQ(Run(b.Finish()), std::vector<int>(7, 0));

    ASSERT_EQ(m_converter.GetGraphics().GetCount(), 2);
    auto* pPixel = dynamic_cast<CVxRectangle*>(At(0));
    ASSERT_NE(pPixel, nullptr);
    EXPECT_EQ(pPixel->GetRect(), (RECT{5, 6, 6, 7}));
    auto& brush = dynamic_cast<CVxBrushGraphicProperty&>(*pPixel->LookupProperty("Brush"));
    EXPECT_EQ(brush.GetStyle(), BS_SOLID);
    EXPECT_EQ(brush.GetColor(), 0x332211u);
    auto& pen = dynamic_cast<CVxPenGraphicProperty&>(*pPixel->LookupProperty("Pen"));
    EXPECT_EQ(pen.GetStyle(), UINT(PS_NULL));

    auto* pGradient = dynamic_cast<CVxGradient*>(At(1));
    ASSERT_NE(pGradient, nullptr);
    EXPECT_EQ(pGradient->GetMode(), GRADIENT_FILL_RECT_V);
    EXPECT_EQ(pGradient->GetRect(), (RECT{10, 20, 110, 70}));
    EXPECT_EQ(pGradient->GetMesh(), (std::vector<ULONG>{0, 1}));
    EXPECT_EQ(pGradient->GetPlacedVertices()[1].Blue, 0xFF00);
}

// A quarter turn makes the rectangle two triangles whose corners carry the colours
// of the sides they lie on.
TEST_F(ConverterFills, TurnedGradientRectanglesBecomeTriangles)
{
    EmfBuilder b = Started();
    const auto f = [](float value) { return std::bit_cast<std::uint32_t>(value); };
    b.Record(EMR_SETWORLDTRANSFORM, {f(0), f(1), f(-1), f(0), f(500), f(0)});
    AddGradient(b, GRADIENT_FILL_RECT_H);
    EXPECT_EQ(Run(b.Finish()), std::vector<int>(5, 0));
    auto* pGradient = dynamic_cast<CVxGradient*>(At(0));
    ASSERT_NE(pGradient, nullptr);
    EXPECT_EQ(pGradient->GetMode(), GRADIENT_FILL_TRIANGLE);
    EXPECT_EQ(pGradient->GetMesh(), (std::vector<ULONG>{0, 1, 2, 0, 2, 3}));
    const std::vector<TRIVERTEX> v = pGradient->GetPlacedVertices();
    ASSERT_EQ(v.size(), 4u);
    const struct {
        POINT at;
        COLOR16 red;
    } corners[] = {{{480, 10}, 0xFF00}, {{480, 110}, 0}, {{430, 110}, 0}, {{430, 10}, 0xFF00}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ((POINT{v[i].x, v[i].y}), corners[i].at) << i;
        EXPECT_EQ(v[i].Red, corners[i].red) << i;
    }
}

// Each bad gradient is listed as ignored; the rectangle after it still arrives.
TEST_F(ConverterFills, BadGradientsAreRefusedOneByOne)
{
    const EmfPatch patches[] = {
        {"vertices past the record", 24, 0x08000000},
        {"rectangles past the record", 28, 0x40000000},
        {"an index past the vertices", 72, 2},
        {"an unknown mode", 32, 3},
    };
    for (const EmfPatch& patch : patches) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EmfBuilder b = Started();
        const std::size_t at = AddGradient(b, GRADIENT_FILL_RECT_H);
        b.Record(EMR_RECTANGLE, {0, 0, 10, 10});
        std::vector<std::uint8_t> bytes = b.Finish();
        SetU32(bytes, at + patch.offset, patch.value);
        EXPECT_EQ(RunRecords(converter, bytes), (std::vector<int>{0, 0, 1, 0, 0})) << patch.what;
        ASSERT_EQ(converter.GetGraphics().GetCount(), 1) << patch.what;
        EXPECT_NE(dynamic_cast<CVxRectangle*>(GraphicAt(converter.GetGraphics(), 0)), nullptr);
    }
}
