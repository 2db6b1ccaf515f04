// Elliptic arcs of a placeable metafile opened, saved and opened again: the arc
// drawn stays where the metafile put it, and saving again writes the same bytes.
// Arcs of enhanced metafiles go the same way in the corpus round trip.

#include "DocTestSupport.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fs = std::filesystem;

namespace {

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

std::vector<CVxArc*> Arcs(CVxDoc& doc)
{
    std::vector<CVxArc*> arcs;
    CVxPicture& picture = doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;)
        if (auto* pArc = dynamic_cast<CVxArc*>(picture.GetNextChild(pos)))
            arcs.push_back(pArc);
    return arcs;
}

using VxDocArcRoundTrip = DocTest;

}  // namespace

TEST_F(VxDocArcRoundTrip, ArcsFromAWmfStartAndEndWhereTheWmfDrewThem)
{
    // Opened and saved, the saved file opened and saved again under the same
    // name, as the description holds it.
    const fs::path source = m_temp.Path() / "arcs.wmf";
    WriteBytes(source, ArcsWmf());
    fs::create_directory(m_temp.Path() / "first");
    fs::create_directory(m_temp.Path() / "second");
    const fs::path first = m_temp.Path() / "first" / "saved.emf";
    const fs::path second = m_temp.Path() / "second" / "saved.emf";
    CVxDoc original;
    CVxDoc reopened;
    ASSERT_TRUE(original.OnOpenDocument(source.string()));
    ASSERT_TRUE(original.OnSaveDocument(first.string()));
    ASSERT_TRUE(reopened.OnOpenDocument(first.string()));
    ASSERT_TRUE(reopened.OnSaveDocument(second.string()));
    EXPECT_TRUE(ReadBytes(first) == ReadBytes(second)) << "saved again, other bytes";
    EXPECT_TRUE(m_messages.GetShown().empty());

    const std::vector<CVxArc*> arcs = Arcs(original);
    const std::vector<CVxArc*> back = Arcs(reopened);
    ASSERT_EQ(arcs.size(), 2u);
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        EXPECT_EQ(arcs[i]->GetRect(), back[i]->GetRect()) << i;
        EXPECT_EQ(arcs[i]->GetArcStart(), back[i]->GetArcStart()) << i;
        EXPECT_EQ(arcs[i]->GetArcEnd(), back[i]->GetArcEnd()) << i;
    }
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

// A 16-bit metafile has no paths: a round figure with a wedge cut out, drawn as a
// filled path, must still come back filled.
TEST_F(VxDocArcRoundTrip, AFilledPathSavedAsWmfComesBackFilled)
{
    constexpr COLORREF kFill = RGB(250, 200, 40);
    CVxDoc doc;
    auto pPath = std::make_unique<CVxPath>();
    const POINT c{3000, 3000};
    pPath->AddChildTail(new CVxArc(RECT{1300, 1300, 4700, 4700}, {4472, 2150}, {4472, 3850},
                                   TRUE, c));
    pPath->AddChildTail(new CVxCloseFigure(RECT{4472, 3850, c.x, c.y}));
    pPath->SetPathMode(CVxPath::StrokeAndFill);
    auto* pBrush = dynamic_cast<CVxBrushGraphicProperty*>(pPath->LookupProperty("Brush"));
    ASSERT_NE(pBrush, nullptr);
    pBrush->SetStyle(BS_SOLID);
    pBrush->SetColor(kFill);
    doc.GetPicture().AddChildTail(pPath.release());
    const std::string path = m_temp.File("path.wmf");
    ASSERT_TRUE(doc.OnSaveDocument(path));

    CVxDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    int filled = 0;
    CVxPicture& picture = reopened.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        const auto* pFill =
            dynamic_cast<const CVxBrushGraphicProperty*>(pGraphic->LookupProperty("Brush"));
        if (pFill && pFill->GetStyle() == BS_SOLID && pFill->GetColor() == kFill) {
            ++filled;
            EXPECT_NE(dynamic_cast<CVxPoly*>(pGraphic), nullptr);
            // The body round the left, not the wedge of the mouth.
            const RECT r = pGraphic->GetRect();
            EXPECT_GT(r.right - r.left, 3000) << r.left << ".." << r.right;
        }
    }
    EXPECT_EQ(filled, 1);
}
