#include "GraphicTestSupport.h"

#include "graphics/VxGradient.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Red at (0, 0), blue at (200, 100), green at (0, 100).
constexpr TRIVERTEX kVertices[] = {
    {0, 0, 0xFF00, 0, 0, 0}, {200, 100, 0, 0, 0xFF00, 0x1234}, {0, 100, 0, 0xFF00, 0, 0}};
constexpr ULONG kRectMesh[] = {0, 1, 2, 1};

std::vector<POINT> Places(const CVxGradient& gradient)
{
    std::vector<POINT> points;
    for (const TRIVERTEX& v : gradient.GetPlacedVertices())
        points.push_back({v.x, v.y});
    return points;
}

}  // namespace

// The vertices follow the box through a resize, a flip and a move, and a stored
// copy draws at the same places; stored meshes that do not fit are refused.
TEST(VxGradient, VerticesFollowTheBoxAndStoredMeshesMustFit)
{
    VxRegisterGraphicClasses();
    CVxGradient gradient(kVertices, kRectMesh, GRADIENT_FILL_RECT_H);
    gradient.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, {400, 50});
    gradient.Scale(-1, 1, 1, 1);
    gradient.Offset(10, 20);
    const std::vector<POINT> places{{410, 20}, {10, 70}, {410, 70}};
    EXPECT_EQ(Places(gradient), places);
    const std::unique_ptr<CVxGraphic> pLoaded = LoadObject(StoreObject(gradient));
    const auto* pCopy = dynamic_cast<const CVxGradient*>(pLoaded.get());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(Places(*pCopy), places);
    EXPECT_EQ(pCopy->GetMesh().size(), 4u);

    const std::vector<std::uint8_t> good = StoreBare(gradient);
    // From the end: 4 indices, their count, 3 vertices, their count, source box, mode.
    const struct {
        std::size_t fromEnd;
        std::uint32_t value;
    } patches[] = {{92, 3}, {4, 3}, {72, 0x10000000}, {20, 3}};
    for (const auto& p : patches) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data() + bytes.size() - p.fromEnd, &p.value, 4);
        CVxGradient target;
        EXPECT_THROW(LoadBare(target, bytes), CTkArchiveException) << p.fromEnd;
    }
}

// The record read field by field: the vertices as given, the mesh after them, a
// rectangle mesh padded to triangles' size at the end. A Windows metafile gets
// bands of solid colour from red to blue instead.
TEST(VxGradient, WritesItsRecordOrBandsOfSolidColour)
{
    CVxGradient gradient(kVertices, kRectMesh, GRADIENT_FILL_RECT_V);
    const EmfRecord r =
        RecordEmf([&](CTkDC& dc) { gradient.Draw(&dc); }).Only(EMR_GRADIENTFILL);
    EXPECT_EQ(r.size, 36 + 3 * 16 + 4 * 4 + 8u);
    EXPECT_EQ((std::vector<std::uint32_t>{r.U32(24), r.U32(28), r.U32(32), r.U32(96)}),
              (std::vector<std::uint32_t>{3, 2, GRADIENT_FILL_RECT_V, 1}));
    EXPECT_EQ(r.Point(52), (POINT{200, 100}));
    EXPECT_EQ((std::vector<unsigned>{r.U16(64), r.U16(66)}),
              (std::vector<unsigned>{0xFF00, 0x1234}));

    const ULONG mesh[] = {0, 1};
    CVxGradient across(kVertices, mesh, GRADIENT_FILL_RECT_H);
    const WmfFile wmf = RecordWmf([&](CTkDC& dc) { across.Draw(&dc); });
    std::vector<COLORREF> colours;  // each band's, the brush made last before it
    COLORREF brush = 0;
    for (const WmfRecord& record : wmf.records) {
        if (record.function == META_CREATEBRUSHINDIRECT)
            brush = record.DWord(1);
        if (record.function == META_POLYGON)
            colours.push_back(brush);
    }
    const auto bands = wmf.Find(META_POLYGON);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ((std::vector<int>{bands[0]->Short(1), bands[63]->Short(3), bands[63]->Short(6)}),
              (std::vector<int>{0, 200, 100}));
    EXPECT_EQ(colours.front(), RGB(253, 0, 1));
    EXPECT_EQ(colours.back(), RGB(1, 0, 253));
}
