#include "GraphicTestSupport.h"

#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPoly.h"
#include "platform/framework/TkArchive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

CTkArchiveException::Cause LoadFailure(CVxGraphic& graphic, Bytes bytes)
{
    try {
        LoadBare(graphic, std::move(bytes));
    } catch (const CTkArchiveException& e) {
        return e.m_cause;
    }
    return CTkArchiveException::none;
}

void Put32(Bytes& bytes, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(std::uint8_t(v >> (8 * i)));
}

std::int32_t Get32(const Bytes& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(bytes[at + i]) << (8 * i);
    return std::int32_t(v);
}

std::vector<POINT> PointsOf(const CVxPoly& poly)
{
    std::vector<POINT> buffer;
    const std::span<const POINT> points = poly.GetTransformedPoints(buffer);
    return {points.begin(), points.end()};
}

class VxPolySerialize : public ::testing::Test {
protected:
    void SetUp() override
    {
        VxRegisterGraphicClasses();
        // An empty open poly ends with 14 bytes of its own: closed, no points,
        // one sub-polygon of no points. What comes before is the base.
        CVxPoly empty(RECT{1, 2, 3, 4}, FALSE);
        const Bytes bytes = StoreBare(empty);
        ASSERT_GT(bytes.size(), 14u);
        m_base.assign(bytes.begin(), bytes.end() - 14);
    }

    // The base bytes, then the closed flag and the given 32-bit values.
    Bytes Hostile(std::vector<std::uint32_t> values) const
    {
        Bytes bytes = m_base;
        bytes.push_back(1);
        bytes.push_back(0);
        for (const std::uint32_t v : values)
            Put32(bytes, v);
        return bytes;
    }

    Bytes m_base;
};

}  // namespace

TEST_F(VxPolySerialize, ARotatedPolyIsStoredWithItsTransformedPoints)
{
    CVxPoly poly(RECT{}, TRUE);
    const POINT points[] = {{0, 0}, {100, 0}, {100, 60}, {300, 300}, {350, 300}, {320, 390}};
    const INT counts[] = {3, 3};
    ASSERT_TRUE(poly.AppendPolyPolygon(points, counts));
    poly.Rotate(30);
    const std::vector<POINT> rotated = PointsOf(poly);
    ASSERT_NE(rotated[1], (POINT{100, 0}));

    const Bytes bytes = StoreBare(poly);
    EXPECT_FALSE(poly.GetTransform().IsIdentity()) << "storing changes nothing";
    const std::size_t tail = 2 + 4 + 6 * 8 + 4 + 2 * 4;
    ASSERT_GT(bytes.size(), tail);
    std::size_t at = bytes.size() - tail;
    EXPECT_EQ(bytes[at], 1);
    EXPECT_EQ(bytes[at + 1], 0);
    EXPECT_EQ(Get32(bytes, at + 2), 6);
    at += 6;
    for (const POINT& p : rotated) {
        EXPECT_EQ(Get32(bytes, at), p.x);
        EXPECT_EQ(Get32(bytes, at + 4), p.y);
        at += 8;
    }
    EXPECT_EQ(Get32(bytes, at), 2);
    EXPECT_EQ(Get32(bytes, at + 4), 3);
    EXPECT_EQ(Get32(bytes, at + 8), 3);

    CVxPoly loaded;
    LoadBare(loaded, bytes);
    EXPECT_TRUE(loaded.GetTransform().IsIdentity());
    EXPECT_EQ(PointsOf(loaded), rotated);
    EXPECT_EQ(loaded.GetSubPolygonPointCount(1), 3);
    EXPECT_EQ(loaded.GetRect(), poly.GetRect());
    EXPECT_EQ(loaded.GetTypeName(), "Polygon");
    EXPECT_TRUE(loaded.HasProperty("Brush"));
    EXPECT_EQ(loaded.GetPointCapacity(), 6) << "exactly the points read";
    EXPECT_EQ(loaded.GetCurrentSubPolygon(), 0);
    EXPECT_TRUE(loaded.AppendPoint({1, 1}, FALSE));
    EXPECT_EQ(loaded.GetSubPolygonPointCount(1), 4);
}

TEST_F(VxPolySerialize, HostileCountsFailBeforeAnythingIsAllocated)
{
    CVxPoly poly;
    // More points than the archive holds: no 16 GiB array, just the end of file.
    EXPECT_EQ(LoadFailure(poly, Hostile({0x7FFFFFFF})), CTkArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(poly, Hostile({0xFFFFFFFF})), CTkArchiveException::generic);
    EXPECT_EQ(LoadFailure(poly, Hostile({2, 0, 0, 5})), CTkArchiveException::endOfFile)
        << "points cut short";
    EXPECT_EQ(LoadFailure(poly, Hostile({1, 7, 7, 0x40000000})), CTkArchiveException::endOfFile)
        << "more sub-polygons than there are bytes";
    EXPECT_EQ(LoadFailure(poly, Hostile({1, 7, 7, 0x80000000})), CTkArchiveException::generic);
    EXPECT_EQ(poly.GetPointCount(), 0);
    EXPECT_EQ(poly.GetSubPolygonCount(), 0);
}

TEST_F(VxPolySerialize, CountsThatDoNotAddUpAreRefused)
{
    CVxPoly poly(RECT{}, TRUE);
    const POINT points[] = {{0, 0}, {10, 0}, {5, 5}};
    poly.AppendPolyline(points);
    const std::uint32_t minusOne = 0xFFFFFFFF;
    EXPECT_EQ(LoadFailure(poly, Hostile({2, 1, 1, 2, 2, 2, 1, 2})),
              CTkArchiveException::generic);
    EXPECT_EQ(LoadFailure(poly, Hostile({2, 1, 1, 2, 2, 2, 3, minusOne})),
              CTkArchiveException::generic);
    EXPECT_EQ(LoadFailure(poly, Hostile({2, 1, 1, 2, 2, 0})), CTkArchiveException::generic)
        << "points without a sub-polygon";
    EXPECT_EQ(PointsOf(poly), (std::vector<POINT>{{0, 0}, {10, 0}, {5, 5}}))
        << "the poly keeps its own points";

    EXPECT_EQ(LoadFailure(poly, Hostile({2, 1, 1, 2, 2, 2, 2, 0})), CTkArchiveException::none);
    EXPECT_EQ(poly.GetSubPolygonPointCount(0), 2);
    EXPECT_EQ(poly.GetSubPolygonPointCount(1), 0);
}
