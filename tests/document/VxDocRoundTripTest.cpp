// Every metafile of the corpus opened, saved and opened again keeps its graphics.

#include "support/TestCorpus.h"
#include "DocTestSupport.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxBezier.h"
#include "graphics/VxPath.h"
#include "platform/gdi/TkBitmapDib.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Stored(const CTkObject* pObject)
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        ar.WriteObject(pObject);
    }
    return file.Detach();
}

// The style a pen is written with: wide dashes become geometric pens with
// square caps and mitre joins, wide pens with caps or joins geometric pens,
// other pens lose their flags.
UINT WrittenPenStyle(const LOGPEN& pen)
{
    const UINT style = pen.lopnStyle;
    if (!CVxPenGraphicProperty::PenNeedsGeometric(pen)) return style & PS_STYLE_MASK;
    return (style & ~PS_STYLE_MASK) != 0 ? style | PS_GEOMETRIC
                                         : (style & PS_STYLE_MASK) | 0x12100;
}

// Pattern brushes refer to their bitmaps by handle: the bitmaps must be alike.
bool SamePatternBitmaps(const CVxGraphicProperty* pOriginal, const CVxGraphicProperty* pReopened)
{
    const auto* a = dynamic_cast<const CVxBrushGraphicProperty*>(pOriginal);
    const auto* b = dynamic_cast<const CVxBrushGraphicProperty*>(pReopened);
    if (!a || !b || a->GetStyle() != BS_PATTERN || b->GetStyle() != BS_PATTERN) return false;
    const CTkGdiObject* pa = TkLookupGdiObject(HGDIOBJ(a->GetHatch()));
    const CTkGdiObject* pb = TkLookupGdiObject(HGDIOBJ(b->GetHatch()));
    return pa && pb && pa->bitmap.bmWidth == pb->bitmap.bmWidth &&
           pa->bitmap.bmHeight == pb->bitmap.bmHeight &&
           pa->bitmap.bmBitsPixel == pb->bitmap.bmBitsPixel && pa->bits == pb->bits &&
           a->GetColor() == b->GetColor();
}

bool IsDibPattern(UINT style) { return style == BS_DIBPATTERN || style == BS_DIBPATTERNPT; }

// The packed DIB a brush made from the property draws with: its own, or its
// bitmap's as the writer converts it. Empty when no brush can be made.
std::vector<std::uint8_t> PatternDibOf(const CVxBrushGraphicProperty& brush)
{
    const HBRUSH h = CreateBrushIndirect(&brush.GetLogBrush());
    const CTkGdiObject* p = TkLookupGdiObject(h);
    std::vector<std::uint8_t> dib;
    if (p && IsDibPattern(brush.GetStyle())) dib = p->dib;
    if (p && brush.GetStyle() == BS_PATTERN) dib = TkBitmapToPackedDib(p->bitmap, p->bits);
    DeleteObject(h);
    return dib;
}

// DIB pattern brushes name their global blocks by handle: the brushes made
// from them must have the same DIB. A bitmap pattern that is not monochrome is
// written as a DIB pattern and comes back as one.
bool SamePatternDibs(const CVxGraphicProperty* pOriginal, const CVxGraphicProperty* pReopened)
{
    const auto* a = dynamic_cast<const CVxBrushGraphicProperty*>(pOriginal);
    const auto* b = dynamic_cast<const CVxBrushGraphicProperty*>(pReopened);
    if (!a || !b || !IsDibPattern(b->GetStyle())) return false;
    const bool bSameKind = a->GetStyle() == b->GetStyle() && a->GetColor() == b->GetColor();
    const bool bWrittenAsDib = a->GetStyle() == BS_PATTERN && b->GetColor() == DIB_RGB_COLORS;
    if (!bSameKind && !bWrittenAsDib) return false;
    const std::vector<std::uint8_t> dib = PatternDibOf(*a);
    return !dib.empty() && dib == PatternDibOf(*b);
}

// A property of the reopened graphic against the original's, allowing for
// what writing does to it.
void ExpectSameProperty(CVxGraphic& original, CVxGraphic& reopened, const std::string& name)
{
    std::unique_ptr<CVxGraphicProperty> pExpected = original.CopyProperty(name);
    CVxGraphicProperty* pActual = reopened.LookupProperty(name);
    ASSERT_TRUE(pExpected && pActual) << name;
    // A user-styled pen is written with its style and entries as they are.
    if (auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(pExpected.get());
        pPen && pPen->GetStyleEntries().empty())
        pPen->SetStyle(WrittenPenStyle(pPen->GetLogPen()));
    if (SamePatternBitmaps(pExpected.get(), pActual) ||
        SamePatternDibs(pExpected.get(), pActual))
        return;
    EXPECT_EQ(Stored(pExpected.get()), Stored(pActual)) << name << " of " << original.GetTypeName();
}

// The graphic read back from a written file against the one that was written.
// Stored whole they must be equal, but for what writing does by design: boxes
// are drawn normalised and pens as the writer makes them. Arc ends are put
// back onto their ellipse when read, which leaves them where they were.
// The members of a path draw only their shapes, with the path's attributes,
// so only their shapes are written and read back (bShapeOnly).
void ExpectSameGraphic(CVxGraphic& original, CVxGraphic& reopened, bool bShapeOnly = false)
{
    const std::string type = original.GetTypeName();
    ASSERT_EQ(type, reopened.GetTypeName());
    if (Stored(&original) == Stored(&reopened)) return;
    const bool bBox = type == "Rectangle" || type == "Ellipse";
    const RECT expected = bBox ? original.GetNormalizedRect() : original.GetRect();
    EXPECT_EQ(expected, reopened.GetRect()) << type;
    if (auto* pArc = dynamic_cast<CVxArc*>(&original)) {
        const auto& arc = dynamic_cast<CVxArc&>(reopened);
        EXPECT_EQ(pArc->GetArcStart(), arc.GetArcStart());
        EXPECT_EQ(pArc->GetArcEnd(), arc.GetArcEnd());
    }
    auto pos = original.GetFirstPropertyPosition();
    while (pos && !bShapeOnly)
        ExpectSameProperty(original, reopened, original.GetNextPropertyName(pos));
    ASSERT_EQ(original.GetChildCount(), reopened.GetChildCount()) << type;
    const bool bPath = dynamic_cast<CVxPath*>(&original) != nullptr;
    for (auto pa = original.GetFirstChildPosition(), pb = reopened.GetFirstChildPosition();
         pa && pb;)
        ExpectSameGraphic(*original.GetNextChild(pa), *reopened.GetNextChild(pb),
                          bShapeOnly || bPath);
    // Nothing else may differ: with the differences put right, the stored
    // graphics are the same size.
    if (original.HasNoChildren()) {
        EXPECT_EQ(Stored(&original).size(), Stored(&reopened).size()) << type;
    }
}

void ExpectSamePicture(CVxDoc& original, CVxDoc& reopened)
{
    EXPECT_EQ(reopened.GetPictureSize(), original.GetPictureSize());
    CVxPicture& a = original.GetPicture();
    CVxPicture& b = reopened.GetPicture();
    ASSERT_EQ(a.GetChildCount(), b.GetChildCount());
    for (auto pa = a.GetFirstChildPosition(), pb = b.GetFirstChildPosition(); pa && pb;)
        ExpectSameGraphic(*a.GetNextChild(pa), *b.GetNextChild(pb));
}

using VxDocRoundTrip = DocTest;

}  // namespace

// Undo snapshots and copies store properties: what is read back is what was stored.
TEST(VxDocRoundTripProperties, ValuesComeBackFromStorageWithTheirSign)
{
    const auto roundTrip = [](CVxGraphicProperty& from, CVxGraphicProperty& to) {
        CTkMemFile file;
        {
            CTkArchive ar(&file, CTkArchive::store);
            from.Serialize(ar);
        }
        CTkMemFile in(file.Detach());
        CTkArchive ar(&in, CTkArchive::load);
        to.Serialize(ar);
    };
    for (const int extra : {-3, -32768, 0, 32767}) {
        CVxGlobalGraphicProperty global;
        global.SetTextCharacterExtra(extra);
        CVxGlobalGraphicProperty back;
        roundTrip(global, back);
        EXPECT_EQ(back.GetTextCharacterExtra(), extra);
    }
    const std::vector<std::vector<DWORD>> styles{{}, {6, 2}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    for (const auto& entries : styles) {
        CVxPenGraphicProperty pen;
        pen.SetStyle(entries.empty() ? PS_DASH : PS_USERSTYLE);
        pen.SetStyleEntries(entries);
        CVxPenGraphicProperty back;
        roundTrip(pen, back);
        EXPECT_EQ(back.GetStyle(), pen.GetStyle());
        EXPECT_EQ(back.GetStyleEntries(), entries);
    }
}

TEST_F(VxDocRoundTrip, SavedAsEmfAndReopenedEveryFileKeepsItsGraphicsAndBytes)
{
    const std::vector<fs::path> files = TestCorpusFiles();
    if (files.empty()) GTEST_SKIP() << "GLYPHAR_CORPUS names no folder of metafiles";
    fs::create_directory(m_temp.Path() / "again");
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        CVxDoc original;
        ASSERT_TRUE(original.OnOpenDocument(path.string()));
        const std::string saved = m_temp.File("saved.emf");
        ASSERT_TRUE(original.OnSaveDocument(saved));
        CVxDoc reopened;
        ASSERT_TRUE(reopened.OnOpenDocument(saved));
        ExpectSamePicture(original, reopened);
        // Written again, the picture read back gives the same file, every file.
        const std::string again = (m_temp.Path() / "again" / "saved.emf").string();
        ASSERT_TRUE(reopened.OnSaveDocument(again));
        EXPECT_TRUE(ReadBytes(again) == ReadBytes(saved)) << "the second save differs";
    }
    EXPECT_TRUE(m_messages.GetShown().empty());
}

// What a Windows metafile holds: no paths, no ArcTo, no poly-polylines, no
// wide patterned pens, and coordinates of 16 bits.
bool FitsAWmf(CVxDoc& doc)
{
    if (!doc.CanSaveAsWmf() || doc.HasPolyPolylines() || doc.HasWidePatternedLines()) return false;
    return doc.GetPicture().ForEachGraphic(
        [](CVxGraphic* pGraphic, void*) -> BOOL {
            const RECT r = pGraphic->GetNormalizedRect();
            const auto* pArc = dynamic_cast<const CVxArc*>(pGraphic);
            // A curve comes back as the polyline it was flattened into.
            return dynamic_cast<CVxPath*>(pGraphic) == nullptr && !(pArc && pArc->IsArcTo()) &&
                   dynamic_cast<CVxBezier*>(pGraphic) == nullptr &&
                   r.left >= -32768 && r.top >= -32768 && r.right <= 32767 && r.bottom <= 32767;
        },
        nullptr);
}

// Within a device pixel of the recording (boxes read from a Windows metafile
// are drawn one pixel smaller and then widened by two units) and two units.
bool NearRect(const RECT& a, const RECT& b)
{
    constexpr int kTolerance = 29;  // 100000 / 3776 rounded up, plus 2
    return std::abs(a.left - b.left) <= kTolerance && std::abs(a.top - b.top) <= kTolerance &&
           std::abs(a.right - b.right) <= kTolerance &&
           std::abs(a.bottom - b.bottom) <= kTolerance;
}

TEST_F(VxDocRoundTrip, SavedAsWmfAndReopenedEveryFileKeepsWhatAWmfHolds)
{
    const std::vector<fs::path> files = TestCorpusFiles();
    if (files.empty()) GTEST_SKIP() << "GLYPHAR_CORPUS names no folder of metafiles";
    std::size_t nCompared = 0;
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        CVxDoc original;
        ASSERT_TRUE(original.OnOpenDocument(path.string()));
        if (!original.CanSaveAsWmf()) continue;
        const std::string saved = m_temp.File("saved.wmf");
        ASSERT_TRUE(original.OnSaveDocument(saved));
        CVxDoc reopened;
        ASSERT_TRUE(reopened.OnOpenDocument(saved));
        EXPECT_EQ(reopened.GetLastImport().kind, VxImportKind::PlaceableWindows);
        EXPECT_EQ(reopened.GetPictureSize(), original.GetPictureSize());
        if (!FitsAWmf(original)) continue;
        ++nCompared;
        // The same graphics in the same order, at the same places.
        CVxPicture& a = original.GetPicture();
        CVxPicture& b = reopened.GetPicture();
        ASSERT_EQ(a.GetChildCount(), b.GetChildCount());
        for (auto pa = a.GetFirstChildPosition(), pb = b.GetFirstChildPosition(); pa && pb;) {
            CVxGraphic* pA = a.GetNextChild(pa);
            CVxGraphic* pB = b.GetNextChild(pb);
            ASSERT_EQ(pA->GetTypeName(), pB->GetTypeName());
            const RECT ra = pA->GetNormalizedRect();
            const RECT rb = pB->GetNormalizedRect();
            EXPECT_TRUE(NearRect(ra, rb)) << pA->GetTypeName() << " " << ::testing::PrintToString(ra)
                                          << " read back as " << ::testing::PrintToString(rb);
        }
    }
    std::cout << nCompared << " of " << files.size() << " files compared shape by shape\n";
    EXPECT_GE(nCompared * 2, files.size());
}
