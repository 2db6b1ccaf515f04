// The document's picture, its size and units, and what it tells its views.

#include "DocTestSupport.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

RECT RectOf(CVxGraphic* pGraphic)
{
    return pGraphic->GetRect();
}

using VxDocConstruction = DocTest;
using VxDocPictureSize = DocTest;
using VxDocContents = DocTest;
using VxDocWmfChecks = DocTest;
using VxDocMapping = DocTest;

}  // namespace

TEST_F(VxDocConstruction, DocumentSettingsGiveSizeAndUnits)
{
    m_settings.WriteProfileInt("Document", "StandardDocWidth", 4000);
    m_settings.WriteProfileInt("Document", "StandardDocHeight", 3000);
    m_settings.WriteProfileInt("Document", "EmbeddedDocWidth", 2000);
    m_settings.WriteProfileInt("Document", "EmbeddedDocHeight", 1500);
    m_settings.WriteProfileInt("Document", "DefaultXUnitsPerCentimeter", 500);
    m_settings.WriteProfileInt("Document", "DefaultYUnitsPerCentimeter", 2000);
    const CVxDoc standalone;
    // The default size is in hundredths of a millimetre, the picture in units.
    EXPECT_EQ(standalone.GetPictureSize(), (SIZE{2000, 6000}));
    EXPECT_EQ(standalone.GetUnitsPerCmSize(), (SIZE{500, 2000}));
    EXPECT_DOUBLE_EQ(standalone.GetUnitsPerCm().y, 2000.0);
    EXPECT_DOUBLE_EQ(standalone.GetUnitsPerInch().x, 1270.0);
    const CVxDoc embedded(true);
    EXPECT_EQ(embedded.GetPictureSize(), (SIZE{1000, 3000}));
}

TEST_F(VxDocPictureSize, ResizingScalesTheGraphicsAboutThePageOrigin)
{
    CVxDoc doc;
    doc.SetPictureSize({1000, 1000}, FALSE);
    CVxGraphic* pRect = AddRectangle(doc, {100, 100, 300, 200});
    CVxGraphic* pOther = AddRectangle(doc, {500, 600, 700, 900});
    CHintRecorder view;
    doc.AddView(&view);
    doc.SetModifiedFlag(false);
    doc.SetPictureSize({2000, 3000}, TRUE);
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{2000, 3000}));
    EXPECT_EQ(RectOf(pRect), (RECT{200, 300, 600, 600}));
    EXPECT_EQ(RectOf(pOther), (RECT{1000, 1800, 1400, 2700}));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_FALSE(view.m_hints.empty());
    EXPECT_EQ(view.m_hints.back(), kVxHintPictureSize);
    doc.RemoveView(&view);
}

TEST_F(VxDocPictureSize, AnInvalidOrUnchangedSizeChangesNothing)
{
    CVxDoc doc;
    AddRectangle(doc, {100, 100, 300, 200});
    doc.SetModifiedFlag(false);
    CHintRecorder view;
    doc.AddView(&view);
    // Sizes lie between 100 and half of the 32-bit range.
    EXPECT_EQ(doc.GetSafePictureBounds(), (RECT{0, 0, 1073741823, 1073741823}));
    EXPECT_TRUE(doc.IsValidPictureSize({100, 1073741823}));
    for (const SIZE size : {SIZE{99, 1000}, SIZE{100, 99}, SIZE{1073741824, 100},
                            SIZE{1000, 1073741824}, SIZE{6985, 5397}}) {
        doc.SetPictureSize(size, TRUE);
        EXPECT_EQ(doc.GetPictureSize(), (SIZE{6985, 5397}));
    }
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view.m_hints.empty());
    doc.RemoveView(&view);
}

TEST_F(VxDocContents, DeleteContentsEmptiesThePictureAndRestoresTheDefaults)
{
    CVxDoc doc;
    AddRectangle(doc, {0, 0, 10, 10});
    AddRectangle(doc, {0, 0, 20, 20});
    doc.SetPictureSize({3000, 4000}, FALSE);
    doc.SaveUndoState();
    ASSERT_TRUE(doc.CanUndo());
    doc.SetModifiedFlag(false);
    CHintRecorder view;
    doc.AddView(&view);
    doc.DeleteContents();
    EXPECT_TRUE(doc.GetPicture().HasNoChildren());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPictureSize(), (SIZE{6985, 5397}));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(view.m_hints, std::vector<long>{kVxHintDeleteContents});
    doc.RemoveView(&view);
}

TEST_F(VxDocContents, ImportedBitmapsLiveUntilTheDocumentIsDestroyed)
{
    const BYTE bits[2] = {0xAA, 0x55};
    std::vector<HBITMAP> bitmaps{CreateBitmap(8, 1, 1, 1, bits), CreateBitmap(8, 1, 1, 1, bits)};
    std::vector<CVxDoc::PackedDib> globals;
    globals.emplace_back(std::vector<std::uint8_t>(40, 0));
    const HGLOBAL hBlock = globals[0].Get();
    const std::vector<HBITMAP> made = bitmaps;
    {
        CVxDoc doc;
        CHintRecorder view;
        doc.AddView(&view);
        doc.AddImportedGdiObjects(bitmaps, globals);
        EXPECT_TRUE(bitmaps.empty());
        EXPECT_TRUE(globals.empty());
        EXPECT_EQ(view.m_hints, std::vector<long>{kVxHintImportedObjects});
        doc.RemoveView(&view);
        // A new picture keeps them: imported brushes may still refer to them.
        doc.DeleteContents();
        for (HBITMAP hBitmap : made) EXPECT_EQ(GetObjectType(hBitmap), DWORD(OBJ_BITMAP));
        EXPECT_EQ(TkGlobalBytes(hBlock).size(), 40u);
    }
    for (HBITMAP hBitmap : made) EXPECT_EQ(GetObjectType(hBitmap), DWORD(0));
    EXPECT_TRUE(TkGlobalBytes(hBlock).empty());
}

TEST_F(VxDocWmfChecks, PolyPolylinesAreOpenPolysOfSeveralFigures)
{
    CVxDoc doc;
    AddPoly(doc, true, {{{0, 0}, {100, 0}, {100, 100}}, {{200, 200}, {300, 200}, {300, 300}}});
    AddPoly(doc, false, {{{0, 0}, {100, 0}, {100, 100}}});
    EXPECT_FALSE(doc.HasPolyPolylines());
    CVxPoly* pPoly = AddPoly(doc, false, {{{0, 0}, {100, 0}}, {{200, 200}, {300, 200}}});
    EXPECT_TRUE(doc.HasPolyPolylines());
    // Inside a group it counts too.
    doc.GetPicture().RemoveChild(pPoly);
    auto pGroup = std::make_unique<CVxPicture>();
    pGroup->AddChildTail(pPoly);
    doc.GetPicture().AddChildTail(pGroup.get());
    CVxPicture* pOwned = pGroup.release();
    EXPECT_TRUE(doc.HasPolyPolylines());
    // The document deletes top-level graphics only; the group's child is ours.
    doc.GetPicture().RemoveChild(pOwned);
    pOwned->DeleteAllChildren();
    delete pOwned;
    EXPECT_FALSE(doc.HasPolyPolylines());
}

TEST_F(VxDocWmfChecks, WidePatternedLinesAreDashesOrDotsTwoUnitsWideOrMore)
{
    struct Case {
        UINT style;
        int width;
        bool bWidePatterned;
    };
    const Case cases[] = {
        {PS_SOLID, 20, false},   {PS_DASH, 1, false},        {PS_DASH, 2, true},
        {PS_DOT, 5, true},       {PS_DASHDOT, 2, true},      {PS_DASHDOTDOT, 2, true},
        {PS_NULL, 9, false},     {PS_INSIDEFRAME, 9, false}, {PS_GEOMETRIC | PS_DASH, 3, true},
        {PS_USERSTYLE, 3, false},
    };
    for (const Case& c : cases) {
        CVxDoc doc;
        AddRectangle(doc, {0, 0, 10, 10});
        CVxGraphic* pRect = AddRectangle(doc, {0, 0, 100, 100});
        EXPECT_FALSE(doc.HasWidePatternedLines());
        SetPen(pRect, c.style, c.width);
        EXPECT_EQ(doc.HasWidePatternedLines() != FALSE, c.bWidePatterned)
            << "style " << c.style << ", width " << c.width;
    }
}

TEST_F(VxDocWmfChecks, FittingBringsTheLongerSideTo16384)
{
    const CVxDoc doc;
    auto fit = [&](SIZE size) { return doc.FitSizeForWmf(size); };
    EXPECT_EQ(fit({40000, 20000}), (SIZE{16384, 8192}));
    EXPECT_EQ(fit({20000, 40000}), (SIZE{8192, 16384}));
    EXPECT_EQ(fit({40000, 40000}), (SIZE{16384, 16384}));
    EXPECT_EQ(fit({40000, 29999}), (SIZE{16384, 12288}));  // 12287.6 rounds up
    EXPECT_EQ(fit({16384, 16384}), (SIZE{16384, 16384}));
    EXPECT_EQ(fit({16384, 100}), (SIZE{16384, 100}));
    EXPECT_EQ(fit({16385, 100}), (SIZE{16384, 100}));
}

TEST_F(VxDocMapping, MetafileMappingTurnsPictureUnitsIntoDevicePixels)
{
    CVxDoc doc;
    doc.SetPictureSize({2000, 1000}, FALSE);
    CTkDC dc;
    dc.SetWindowOrg(5, 5);
    doc.PrepareMetafileDC(dc);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowOrg(), (POINT{0, 0}));
    EXPECT_EQ(dc.GetWindowExt(), (SIZE{2000, 1000}));
    // 20 mm at 3780 pixels a metre is 75.6 pixels, 10 mm at 3776 is 37.76.
    EXPECT_EQ(dc.GetViewportExt(), (SIZE{76, 38}));
    EXPECT_TRUE(dc.IsPrinting());
}
