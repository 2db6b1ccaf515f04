// Elliptic arcs opened, saved and opened again: the arc drawn stays where the
// metafile put it, and saving again writes the same bytes. Where a radial point
// lands on its ray is the arc's own business, tested with it.

#include "DocTestSupport.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxArc.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fs = std::filesystem;

namespace {

struct ArcCase {
    DWORD type;       // EMR_ARC or EMR_ARCTO
    int direction;    // AD_COUNTERCLOCKWISE or AD_CLOCKWISE
    RECT box;
    POINT start;
    POINT end;
};

// None of them a circle; radial points far outside, inside and off the axes,
// boxes of odd and even sizes, on both sides of the origin.
const ArcCase kArcs[] = {
    {EMR_ARC, AD_COUNTERCLOCKWISE, {100, 200, 1701, 900}, {2900, -700}, {-3000, 1200}},
    {EMR_ARC, AD_CLOCKWISE, {-500, -300, 400, 1001}, {300, 10}, {-100, 2000}},
    {EMR_ARCTO, AD_CLOCKWISE, {100, 200, 1701, 900}, {1300, 480}, {1500, 300}},
    {EMR_ARC, AD_COUNTERCLOCKWISE, {-1233, -77, -3, 1290}, {-5000, -4000}, {37, 9999}},
};

std::uint32_t U(LONG value)
{
    return std::uint32_t(value);
}

std::vector<std::uint8_t> ArcsEmf()
{
    EmfBuilder emf;
    emf.Record(EMR_MOVETOEX, {U(50), U(60)});
    int direction = AD_COUNTERCLOCKWISE;
    for (const ArcCase& arc : kArcs) {
        if (arc.direction != direction)
            emf.Record(EMR_SETARCDIRECTION, {U(arc.direction)});
        direction = arc.direction;
        const RECT& b = arc.box;
        emf.Record(arc.type, {U(b.left), U(b.top), U(b.right), U(b.bottom), U(arc.start.x),
                              U(arc.start.y), U(arc.end.x), U(arc.end.y)});
    }
    std::vector<std::uint8_t> bytes = emf.Finish();
    // A reference pixel of 0.01 mm, so that logical units are the frame's units.
    SetU32(bytes, 72, 50800);
    SetU32(bytes, 76, 28600);
    return bytes;
}

// The placeable 1000 units an inch of 16-bit drawing programs: an arc from
// the bottom middle of its box round to the right middle, and one whose
// radial points lie far off the ellipse.
std::vector<std::uint8_t> ArcsWmf()
{
    WmfBuilder wmf;
    wmf.Add(META_SETWINDOWORG, {0, 0});
    wmf.Add(META_SETWINDOWEXT, {12000, 10000});
    wmf.Add(META_ARC, {7700, 7600, 11000, 5000, 11000, 7600, 4400, 2400});
    wmf.Add(META_ARC, {-900, 9000, 6000, 8000, 3301, 9001, 1000, 1000});
    return WmfPlaceable(wmf.Build(), 0, 0, 10000, 12000, 1000);
}

std::vector<const EmfRecord*> ArcRecords(const EmfFile& file)
{
    std::vector<const EmfRecord*> arcs;
    for (const EmfRecord& record : file.records)
        if (record.type == EMR_ARC || record.type == EMR_ARCTO)
            arcs.push_back(&record);
    return arcs;
}

std::vector<CVxArc*> Arcs(CVxDoc& doc)
{
    std::vector<CVxArc*> arcs;
    CVxPicture& picture = doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;)
        if (auto* pArc = dynamic_cast<CVxArc*>(picture.GetNextChild(pos)))
            arcs.push_back(pArc);
    return arcs;
}

class VxDocArcRoundTrip : public DocTest {
protected:
    // The source opened and saved, the saved file opened and saved again:
    // the same file name both times, as the description holds it.
    void OpenAndSaveTwice(const std::vector<std::uint8_t>& source, const char* name)
    {
        const fs::path path = m_temp.Path() / name;
        WriteBytes(path, source);
        ASSERT_TRUE(m_original.OnOpenDocument(path.string()));
        fs::create_directory(m_temp.Path() / "first");
        fs::create_directory(m_temp.Path() / "second");
        m_first = m_temp.Path() / "first" / "saved.emf";
        m_second = m_temp.Path() / "second" / "saved.emf";
        ASSERT_TRUE(m_original.OnSaveDocument(m_first.string()));
        ASSERT_TRUE(m_reopened.OnOpenDocument(m_first.string()));
        ASSERT_TRUE(m_reopened.OnSaveDocument(m_second.string()));
        ASSERT_TRUE(m_second_opened.OnOpenDocument(m_second.string()));
    }

    void ExpectStable()
    {
        // As first read: a plain arc's current position is never used, and is
        // not written.
        const std::vector<CVxArc*> original = Arcs(m_original);
        const std::vector<CVxArc*> reopened = Arcs(m_reopened);
        ASSERT_EQ(original.size(), reopened.size());
        for (std::size_t i = 0; i < original.size(); ++i) {
            EXPECT_EQ(original[i]->GetRect(), reopened[i]->GetRect()) << i;
            EXPECT_EQ(original[i]->GetArcStart(), reopened[i]->GetArcStart()) << i;
            EXPECT_EQ(original[i]->GetArcEnd(), reopened[i]->GetArcEnd()) << i;
            if (original[i]->IsArcTo()) {
                EXPECT_EQ(original[i]->GetCurrentPoint(), reopened[i]->GetCurrentPoint()) << i;
            }
        }
        EXPECT_EQ(StoreGraphics(m_reopened), StoreGraphics(m_second_opened));
        EXPECT_TRUE(ReadBytes(m_first) == ReadBytes(m_second)) << "saved again, other bytes";
        EXPECT_TRUE(m_messages.GetShown().empty());
    }

    CVxDoc m_original;
    CVxDoc m_reopened;
    CVxDoc m_second_opened;
    fs::path m_first;
    fs::path m_second;
};

}  // namespace

TEST_F(VxDocArcRoundTrip, ArcsFromAnEmfKeepTheirRaysAndResaveToTheSameBytes)
{
    OpenAndSaveTwice(ArcsEmf(), "arcs.emf");
    ExpectStable();

    const std::optional<EmfFile> saved = DecodeEmf(ReadBytes(m_first));
    ASSERT_TRUE(saved.has_value());
    const std::vector<const EmfRecord*> records = ArcRecords(*saved);
    const std::vector<CVxArc*> arcs = Arcs(m_reopened);
    ASSERT_EQ(records.size(), std::size(kArcs));
    ASSERT_EQ(arcs.size(), std::size(kArcs));
    for (std::size_t i = 0; i < std::size(kArcs); ++i) {
        SCOPED_TRACE(i);
        const ArcCase& given = kArcs[i];
        const EmfRecord& written = *records[i];
        EXPECT_EQ(written.type, given.type);
        EXPECT_EQ(arcs[i]->IsArcTo(), given.type == EMR_ARCTO);
        const auto* pGlobal =
            dynamic_cast<CVxGlobalGraphicProperty*>(arcs[i]->LookupProperty("Global"));
        ASSERT_NE(pGlobal, nullptr);
        EXPECT_EQ(pGlobal->GetArcDirection(), given.direction);
        // The written radial points are those kept (put on their rays when read).
        EXPECT_EQ(written.Point(24), arcs[i]->GetArcStart());
        EXPECT_EQ(written.Point(32), arcs[i]->GetArcEnd());
    }
}

TEST_F(VxDocArcRoundTrip, ArcsFromAWmfStartAndEndWhereTheWmfDrewThem)
{
    OpenAndSaveTwice(ArcsWmf(), "arcs.wmf");
    ExpectStable();

    const std::vector<CVxArc*> arcs = Arcs(m_original);
    ASSERT_EQ(arcs.size(), 2u);
    // The box is moved and widened for 16-bit drawing; the radial points must
    // move with it. Bottom middle to right middle stays so, within the
    // truncation of the centre (2.54 picture units a metafile unit).
    const RECT r = arcs[0]->GetRect();
    const double cx = (double(r.left) + r.right) / 2;
    const double cy = (double(r.top) + r.bottom) / 2;
    EXPECT_LE(std::abs(arcs[0]->GetArcStart().x - cx), 2.0) << arcs[0]->GetArcStart().x;
    EXPECT_LE(std::abs(arcs[0]->GetArcEnd().y - cy), 2.0) << arcs[0]->GetArcEnd().y;
    EXPECT_GE(arcs[0]->GetArcStart().y, r.bottom - 2);
    EXPECT_GE(arcs[0]->GetArcEnd().x, r.right - 2);

}
