#include "GraphicTestSupport.h"

#include "graphics/VxGradient.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Red on the left, blue on the right of 200 × 100; a second item in each mode.
constexpr TRIVERTEX kRed{0, 0, 0xFF00, 0, 0, 0};
constexpr TRIVERTEX kBlue{200, 100, 0, 0, 0xFF00, 0x1234};
constexpr TRIVERTEX kGreen{0, 100, 0, 0xFF00, 0, 0};
constexpr TRIVERTEX kVertices[] = {kRed, kBlue, kGreen};
constexpr ULONG kRectMesh[] = {0, 1, 2, 1};
constexpr ULONG kTriangleMesh[] = {0, 1, 2};

std::vector<POINT> Places(const CVxGradient& gradient)
{
    std::vector<POINT> points;
    for (const TRIVERTEX& v : gradient.GetPlacedVertices())
        points.push_back({v.x, v.y});
    return points;
}

class VxGradient : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

}  // namespace

// The vertices follow the box: a resize stretches them, a flip mirrors them.
TEST_F(VxGradient, VerticesFollowTheBoxThroughResizesAndFlips)
{
    CVxGradient gradient(kVertices, kRectMesh, GRADIENT_FILL_RECT_H);
    EXPECT_EQ(gradient.GetRect(), (RECT{0, 0, 200, 100}));
    EXPECT_EQ(gradient.GetTypeName(), "Gradient");
    const struct {
        const char* what;
        std::function<void(CVxGradient&)> change;
        std::vector<POINT> places;
    } steps[] = {
        {"drag the corner", [](auto& g) { g.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, {400, 50}); },
         {{0, 0}, {400, 50}, {0, 50}}},
        {"flip across", [](auto& g) { g.Scale(-1, 1, 1, 1); }, {{400, 0}, {0, 50}, {400, 50}}},
        {"move", [](auto& g) { g.Offset(10, 20); }, {{410, 20}, {10, 70}, {410, 70}}},
        {"flip down", [](auto& g) { g.Scale(1, -1, 1, 1); }, {{410, 70}, {10, 20}, {410, 20}}},
    };
    for (const auto& step : steps) {
        step.change(gradient);
        EXPECT_EQ(Places(gradient), step.places) << step.what;
    }
    // A clone and a stored copy draw at the same places.
    const std::unique_ptr<CVxGraphic> pClone = gradient.Clone();
    const std::unique_ptr<CVxGraphic> pLoaded = LoadObject(StoreObject(gradient));
    for (const CVxGraphic* pCopy : {pClone.get(), pLoaded.get()}) {
        const auto* pGradient = dynamic_cast<const CVxGradient*>(pCopy);
        ASSERT_NE(pGradient, nullptr);
        EXPECT_EQ(Places(*pGradient), steps[3].places);
        EXPECT_EQ(pGradient->GetMesh(), std::vector<ULONG>(std::begin(kRectMesh),
                                                           std::end(kRectMesh)));
        EXPECT_EQ(pGradient->GetPlacedVertices()[1].Alpha, 0x1234);
    }
}

// The stored fields end: mode, source box, 3 vertices, 4 indices.
TEST_F(VxGradient, StoredMeshesThatDoNotFitAreRefused)
{
    CVxGradient gradient(kVertices, kRectMesh, GRADIENT_FILL_RECT_H);
    const std::vector<std::uint8_t> good = StoreBare(gradient);
    constexpr std::size_t kTail = 4 + 16 + 4 + 3 * 16 + 4 + 4 * 4;
    const struct {
        const char* what;
        std::size_t fromEnd;
        std::uint32_t value;
    } patches[] = {
        {"unknown mode", kTail, 3},
        {"index past the vertices", 4, 3},
        {"more vertices than bytes", kTail - 20, 0x10000000},
        {"an odd index count", 4 * 4 + 4, 3},
    };
    for (const auto& p : patches) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data() + bytes.size() - p.fromEnd, &p.value, 4);
        CVxGradient target;
        EXPECT_THROW(LoadBare(target, bytes), CTkArchiveException) << p.what;
    }
}

// The record read field by field: vertices as given, the mesh after them and
// a rectangle mesh padded to triangles at the end.
TEST_F(VxGradient, EnhancedMetafilesGetTheRecordWithTheSameVerticesAndMesh)
{
    const struct {
        ULONG mode;
        std::span<const ULONG> mesh;
        std::size_t items;
        std::size_t padding;
    } cases[] = {
        {GRADIENT_FILL_RECT_V, kRectMesh, 2, 8},
        {GRADIENT_FILL_TRIANGLE, kTriangleMesh, 1, 0},
    };
    for (const auto& c : cases) {
        CVxGradient gradient(kVertices, c.mesh, c.mode);
        const EmfFile emf = RecordEmf([&](CTkDC& dc) { gradient.Draw(&dc); });
        const EmfRecord& r = emf.Only(EMR_GRADIENTFILL);
        EXPECT_EQ(r.size, 36 + 3 * 16 + c.mesh.size() * 4 + c.padding) << c.mode;
        EXPECT_EQ(r.U32(24), 3u);
        EXPECT_EQ(r.U32(28), c.items);
        EXPECT_EQ(r.U32(32), c.mode);
        EXPECT_EQ(r.Point(36 + 16), (POINT{200, 100}));
        EXPECT_EQ((std::vector<unsigned>{r.U16(60), r.U16(62), r.U16(64), r.U16(66)}),
                  (std::vector<unsigned>{0, 0, 0xFF00, 0x1234}));
        for (std::size_t i = 0; i < c.mesh.size(); ++i)
            EXPECT_EQ(r.U32(84 + 4 * i), c.mesh[i]);
    }
}

// A Windows metafile has no gradients: bands of solid colour without an
// outline, from red to blue across the box.
TEST_F(VxGradient, WindowsMetafilesGetBandsOfSolidColour)
{
    const ULONG mesh[] = {0, 1};
    CVxGradient gradient(kVertices, mesh, GRADIENT_FILL_RECT_H);
    const WmfFile wmf = RecordWmf([&](CTkDC& dc) { gradient.Draw(&dc); });
    const auto bands = wmf.Find(META_POLYGON);
    // The colour each band is filled with: the brush made last before it.
    std::vector<COLORREF> colours;
    COLORREF brush = 0;
    for (const WmfRecord& r : wmf.records) {
        if (r.function == META_CREATEBRUSHINDIRECT)
            brush = r.DWord(1);
        if (r.function == META_POLYGON)
            colours.push_back(brush);
    }
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(bands.front()->Short(1), 0);
    EXPECT_EQ(bands.back()->Short(3), 200);
    EXPECT_EQ(bands.back()->Short(6), 100);
    EXPECT_EQ(colours.front(), RGB(253, 0, 1));
    EXPECT_EQ(colours.back(), RGB(1, 0, 253));
    EXPECT_TRUE(wmf.Find(META_CREATEPENINDIRECT).empty() ||
                wmf.Find(META_CREATEPENINDIRECT)[0]->Word(0) == PS_NULL);
}
