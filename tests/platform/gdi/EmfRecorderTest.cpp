#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/EmfDecoder.h"
#include "support/TestFontEngine.h"
#include "support/TestGdi.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Types = std::vector<std::uint32_t>;

// The records between the header and EMR_EOF.
std::vector<EmfRecord> Body(const EmfFile& file)
{
    if (file.records.size() < 2)
        return {};
    return {file.records.begin() + 1, file.records.end() - 1};
}

Types BodyTypes(const EmfFile& file)
{
    Types types;
    for (const EmfRecord& r : Body(file))
        types.push_back(r.type);
    return types;
}

TEST(EmfRecorderHeader, CountsSizesFrameAndTheReferenceDevice)
{
    const EmfFile f = RecordEmfFile([](CTkDC&) {});
    const EmfHeader& h = f.header;
    EXPECT_EQ(h.nBytes, 108u + 20u);
    EXPECT_EQ(h.nRecords, 2u);
    EXPECT_EQ(h.nHandles, 1);  // index 0 is always reserved
    EXPECT_EQ(h.bounds, (RECT{0, 0, -1, -1}));
    EXPECT_EQ(h.frame, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(h.device, (SIZE{1920, 1080}));
    EXPECT_EQ(h.millimeters, (SIZE{508, 286}));
    EXPECT_EQ(h.micrometers, (SIZE{508000, 286000}));
    EXPECT_EQ(f.records.back().U32(16), 20u);  // EOF's nSizeLast

    TkDeviceCaps caps;
    caps.horzSizeMm = 320;
    caps.vertSizeMm = 240;
    const CTkDC ref(nullptr, OBJ_DC, caps);
    EXPECT_EQ(RecordEmfFile([](CTkDC&) {}, nullptr, &ref).header.micrometers,
              (SIZE{320000, 240000}));

    const RECT frame{0, 0, 2000, 1000};
    const auto box = [](CTkDC& dc) { dc.Rectangle(0, 0, 10, 10); };
    EXPECT_EQ(RecordEmfFile(box, &frame).header.frame, frame);
    // Bounds (0, 0, 96, 48) on 1920 px = 508 mm and 1080 px = 286 mm.
    const EmfFile computed = RecordEmfFile([](CTkDC& dc) { dc.Rectangle(0, 0, 97, 49); });
    EXPECT_EQ(computed.header.frame, (RECT{0, 0, 2540, 1271}));
}

TEST(EmfRecorderHeader, BoundsAreInDeviceUnitsAndWidenedByHalfThePen)
{
    CTestGdiObjects keep;
    const HPEN wide = keep(CreatePen(PS_SOLID, 10, 0));
    const HPEN inside = keep(CreatePen(PS_INSIDEFRAME, 10, 0));
    const EmfFile scaled = RecordEmfFile([](CTkDC& dc) {
        SetAnisotropic(dc, {1, 1}, {2, 2});
        dc.SetViewportOrg(100, 100);
        const POINT pts[] = {{0, 0}, {10, -5}};
        dc.Polyline(pts, 2);
    });
    EXPECT_EQ(scaled.header.bounds, (RECT{100, 90, 120, 100}));
    EXPECT_EQ(scaled.Only(EMR_POLYLINE16).Rect(8), (RECT{100, 90, 120, 100}));

    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(wide);
        dc.Rectangle(10, 20, 111, 71);
    });
    EXPECT_EQ(f.header.bounds, (RECT{5, 15, 115, 75}));
    // An inside-frame pen stays inside a box, but not along a line.
    const EmfFile g = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(inside);
        dc.Rectangle(10, 20, 111, 71);
        dc.MoveTo(200, 200);
        dc.LineTo(300, 200);
    });
    EXPECT_EQ(g.header.bounds, (RECT{10, 20, 305, 205}));
}

TEST(EmfRecorderObjects, IndicesStartAtOneFreedOnesAreReusedStockOnesAreNumbers)
{
    CTestGdiObjects keep;
    const HPEN a = keep(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HBRUSH b = keep(CreateSolidBrush(RGB(0, 255, 0)));
    const HFONT c = keep.Font(TestFont(-20));
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(a);
        dc.SelectObject(b);
        dc.SelectObject(GetStockObject(WHITE_PEN));
        dc.SelectObject(a);  // already written: selected again only
        dc.SelectObject(GetStockObject(BLACK_PEN));
        DeleteObject(a);
        dc.SelectObject(c);
        dc.SelectObject(GetStockObject(DEFAULT_PALETTE));
    });
    EXPECT_EQ(BodyTypes(f), (Types{EMR_CREATEPEN, EMR_SELECTOBJECT, EMR_CREATEBRUSHINDIRECT,
                                   EMR_SELECTOBJECT, EMR_SELECTOBJECT, EMR_SELECTOBJECT,
                                   EMR_SELECTOBJECT, EMR_DELETEOBJECT,
                                   EMR_EXTCREATEFONTINDIRECTW, EMR_SELECTOBJECT,
                                   EMR_SELECTPALETTE}));
    std::vector<DWORD> indices;
    for (const EmfRecord& r : Body(f))
        indices.push_back(r.U32(8));
    EXPECT_EQ(indices, (std::vector<DWORD>{1, 1, 2, 2, 0x80000000u + WHITE_PEN, 1,
                                           0x80000000u + BLACK_PEN, 1, 1, 1, 0x8000000Fu}));
    EXPECT_EQ(f.header.nHandles, 3);
}

TEST(EmfRecorderObjects, DeletingWritesOnlyForRecordedObjects)
{
    CTestGdiObjects keep;
    const HBRUSH unused = CreateSolidBrush(0);
    const HBRUSH used = CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, nullptr, {});
    dc->SelectObject(used);
    dc->SelectObject(GetStockObject(WHITE_BRUSH));
    DeleteObject(unused);
    DeleteObject(used);
    const HBRUSH late = keep(CreateSolidBrush(0));
    dc->SelectObject(late);
    const auto emf = CloseEnhMetaFile(dc.get());
    DeleteObject(late);  // after closing: nothing more is written
    const EmfFile f = *DecodeEmf(emf->GetBits());
    EXPECT_EQ(BodyTypes(f), (Types{EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT,
                                   EMR_SELECTOBJECT, EMR_DELETEOBJECT,
                                   EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT}));
    const EmfRecord& hatched = *f.Find(EMR_CREATEBRUSHINDIRECT).front();
    EXPECT_EQ(hatched.U32(12), BS_HATCHED);
    EXPECT_EQ(hatched.U32(20), DWORD(HS_CROSS));
}

TEST(EmfRecorderObjects, PensAndBrushesCarryTheirStylesAndDibs)
{
    CTestGdiObjects keep;
    const LOGBRUSH solid{BS_SOLID, RGB(9, 8, 7), 0};
    const DWORD style[] = {6, 2, 1, 2};
    const HPEN user = keep(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 12,
                                        &solid, 4, style));
    const LOGBRUSH pattern{BS_PATTERN, 0, keep(CreateBitmap(8, 8, 1, 1, {}))};
    const HPEN patterned = keep(ExtCreatePen(PS_GEOMETRIC, 4, &pattern, 0, nullptr));
    std::vector<std::uint8_t> dib = WmfMonoDib8x8();
    dib[48] = 0xA5;  // a first row to know it by
    const HBRUSH dibBrush = keep(CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
    // Rows of 16 bits in the bitmap, of 32 bits in the DIB, bottom row first.
    const std::uint8_t bits[] = {0xF0, 0, 0x0F, 0};
    const HBRUSH monoBrush = keep(CreatePatternBrush(keep(CreateBitmap(8, 2, 1, 1, bits))));
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(user);
        dc.SelectObject(patterned);
        dc.SelectObject(dibBrush);
        dc.SelectObject(monoBrush);
    });
    const auto pens = f.Find(EMR_EXTCREATEPEN);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0]->size, 52u + 16u);
    EXPECT_EQ(pens[0]->U32(28), PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT);
    EXPECT_EQ(pens[0]->U32(48), 4u);
    EXPECT_EQ(pens[0]->U32(64), 2u);
    // An 8 × 8 monochrome pattern: a 40-byte header, two colours, 8 rows of 4 bytes.
    EXPECT_EQ(pens[1]->U32(12), 52u);
    EXPECT_EQ(pens[1]->U32(20), 100u);
    EXPECT_EQ(pens[1]->U32(44), 0u);  // the bitmap handle is not written
    EXPECT_EQ(pens[1]->size, 132u);

    const EmfRecord& d = f.Only(EMR_CREATEDIBPATTERNBRUSHPT);
    EXPECT_EQ(d.U32(24), 80u);  // the bits right after the 48-byte BITMAPINFO
    EXPECT_EQ(d.Bytes(32, 80), dib);
    const EmfRecord& m = f.Only(EMR_CREATEMONOBRUSH);
    EXPECT_EQ(m.U32(32 + 44), RGB(255, 255, 255));
    EXPECT_EQ(m.Bytes(80, 8), (std::vector<std::uint8_t>{0x0F, 0, 0, 0, 0xF0, 0, 0, 0}));
}

TEST(EmfRecorderObjects, FontAndPaletteRecords)
{
    CTestGdiObjects keep;
    LOGFONTW lf{};
    lf.lfHeight = -353;
    lf.lfEscapement = 900;
    lf.lfCharSet = SYMBOL_CHARSET;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'x');
    std::copy_n(u"Arial", 6, lf.lfFaceName);  // with its null; 'x' left behind it
    const HFONT font = keep(CreateFontIndirectW(&lf));
    const PALETTEENTRY entries[] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    const HPALETTE pal = keep(CreatePalette(entries));
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(font);
        dc.SelectObject(pal);
    });
    const EmfRecord& r = f.Only(EMR_EXTCREATEFONTINDIRECTW);
    EXPECT_EQ(r.size, 368u);
    EXPECT_EQ(r.I32(12), -353);
    EXPECT_EQ(r.I32(20), 900);
    EXPECT_EQ(r.U8(35), SYMBOL_CHARSET);
    EXPECT_EQ(r.Utf16(40, 5), u"Arial");
    EXPECT_EQ(r.Bytes(50, 310), std::vector<std::uint8_t>(310, 0))
        << "face name tail, full name, style and script";
    EXPECT_EQ(r.U32(360), 0x08007664u);  // design vector signature, no axes

    const EmfRecord& p = f.Only(EMR_CREATEPALETTE);
    EXPECT_EQ(p.U16(12), 0x300);
    EXPECT_EQ(p.Bytes(16, 8), (std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
    EXPECT_EQ(f.Only(EMR_SELECTPALETTE).U32(8), 2u);
}

TEST(EmfRecorderState, RestoreLevelsAreWrittenRelative)
{
    const EmfFile f = RecordEmfFile([](CTkDC& dc) {
        dc.SaveDC();
        dc.SaveDC();
        dc.SaveDC();
        EXPECT_TRUE(dc.RestoreDC(-1));
        EXPECT_TRUE(dc.RestoreDC(1));  // the oldest of the two left: two back
        EXPECT_FALSE(dc.RestoreDC(1));
    });
    const auto restores = f.Find(EMR_RESTOREDC);
    ASSERT_EQ(restores.size(), 2u);
    EXPECT_EQ(restores[0]->I32(8), -1);
    EXPECT_EQ(restores[1]->I32(8), -2);

}

TEST(EmfRecorderBoxes, BoxIsNormalisedAndLosesOneDeviceUnitAtRightAndBottom)
{
    const EmfFile f = RecordEmfFile([](CTkDC& dc) {
        EXPECT_TRUE(dc.Rectangle(10, 10, 0, 0));
        dc.Ellipse(0, 0, 20, 30);
        dc.RoundRect(0, 0, 20, 30, 5, 6);
        dc.Chord(20, 30, 0, 0, 1, 2, 3, 4);
        dc.MoveTo(-10, -10);
        dc.ArcTo(0, 0, 20, 30, 1, 2, 3, 4);
        EXPECT_FALSE(dc.Rectangle(5, 5, 5, 20));
        EXPECT_FALSE(dc.Arc(3, 0, 3, 9, 0, 0, 1, 1));
    });
    EXPECT_EQ(f.Only(EMR_RECTANGLE).Rect(8), (RECT{0, 0, 9, 9}));
    EXPECT_EQ(f.Only(EMR_ELLIPSE).Rect(8), (RECT{0, 0, 19, 29}));
    EXPECT_EQ(f.Only(EMR_ROUNDRECT).Size(24), (SIZE{5, 6}));
    EXPECT_EQ(f.Only(EMR_CHORD).Rect(8), (RECT{0, 0, 19, 29}));
    EXPECT_EQ(f.Only(EMR_CHORD).Point(32), (POINT{3, 4}));
    EXPECT_TRUE(f.Find(EMR_ARC).empty());
    // ArcTo draws from the current position.
    EXPECT_EQ(f.header.bounds, (RECT{-10, -10, 19, 29}));

    const EmfFile advanced = RecordEmfFile([](CTkDC& dc) {
        dc.SetGraphicsMode(GM_ADVANCED);
        dc.Rectangle(10, 10, 0, 0);
    });
    EXPECT_EQ(advanced.Only(EMR_RECTANGLE).Rect(8), (RECT{0, 0, 10, 10}));
}

TEST(EmfRecorderBoxes, ReductionIsOneDeviceUnitInLogicalUnits)
{
    const EmfFile f = RecordEmfFile([](CTkDC& dc) {
        SetAnisotropic(dc, {1000, 1000}, {10, 10});
        EXPECT_EQ(TkDeviceUnitInLogical(dc), (SIZE{100, 100}));
        dc.Rectangle(0, 0, 1000, 500);
        dc.Ellipse(0, 0, 50, 500);  // narrower than a device unit: keeps zero width
    });
    EXPECT_EQ(f.Only(EMR_RECTANGLE).Rect(8), (RECT{0, 0, 900, 400}));
    EXPECT_EQ(f.Only(EMR_ELLIPSE).Rect(8), (RECT{0, 0, 0, 400}));
    EXPECT_EQ(f.header.bounds, (RECT{0, 0, 9, 4}));
}

TEST(EmfRecorderPolys, SixteenBitFormsWhenEveryPointFits)
{
    const POINT small[] = {{-32768, 0}, {32767, -5}, {3, 4}};
    const POINT large[] = {{0, 0}, {32768, 0}, {3, 4}};
    const POINT low[] = {{0, -32769}, {1, 1}};
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.Polyline(small, 3);
        dc.Polyline(large, 3);
        dc.Polygon(low, 2);
        dc.Polygon(small, 3);
        EXPECT_FALSE(dc.Polyline(small, 1));
        EXPECT_FALSE(dc.PolyBezier(large, 3));
    });
    EXPECT_EQ(BodyTypes(f),
              (Types{EMR_POLYLINE16, EMR_POLYLINE, EMR_POLYGON, EMR_POLYGON16}));
    const std::vector<EmfRecord> b = Body(f);
    EXPECT_EQ(b[0].size, 28u + 12u);
    EXPECT_EQ(b[0].PolyPoints(), std::vector<POINT>(std::begin(small), std::end(small)));
    EXPECT_EQ(b[0].Rect(8), (RECT{-32768, -5, 32767, 4}));
    EXPECT_EQ(b[1].PolyPoints(), std::vector<POINT>(std::begin(large), std::end(large)));
    EXPECT_EQ(b[2].PolyPoints(), std::vector<POINT>(std::begin(low), std::end(low)));
}

TEST(EmfRecorderPolys, CurvesAndConnectedFormsIncludeTheCurrentPosition)
{
    const POINT bezier[] = {{0, 0}, {10, 40}, {20, 40}, {30, 0}};
    const POINT to[] = {{50, 60}, {70, 80}, {90, 100}};
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.PolyBezier(bezier, 4);
        dc.MoveTo(-20, -30);
        dc.PolylineTo(to, 2);
        dc.PolyBezierTo(to, 3);
    });
    EXPECT_EQ(BodyTypes(f), (Types{EMR_POLYBEZIER16, EMR_MOVETOEX, EMR_POLYLINETO16,
                                   EMR_POLYBEZIERTO16}));
    const std::vector<EmfRecord> b = Body(f);
    EXPECT_EQ(b[0].Rect(8), (RECT{0, 0, 30, 40}));  // the control points
    EXPECT_EQ(b[2].Rect(8), (RECT{-20, -30, 70, 80}));
    EXPECT_EQ(b[3].Rect(8), (RECT{50, 60, 90, 100}));  // from the end of the polyline
}

TEST(EmfRecorderPolys, PolyPolyRecordsCarryTheirCounts)
{
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {-30, 25}};
    const DWORD lineCounts[] = {3, 2};
    const INT polyCounts[] = {2, 3};
    POINT wide[5];
    std::copy(std::begin(pts), std::end(pts), wide);
    wide[4] = {-40000, 25};
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.PolyPolyline(pts, lineCounts, 2);
        dc.PolyPolygon(wide, polyCounts, 2);
    });
    const EmfRecord& lines = f.Only(EMR_POLYPOLYLINE16);
    EXPECT_EQ(lines.size, 32u + 8u + 20u);
    EXPECT_EQ(lines.PolyCounts(), (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(lines.PolyPoints(), std::vector<POINT>(std::begin(pts), std::end(pts)));
    EXPECT_EQ(lines.Rect(8), (RECT{-30, 0, 20, 25}));
    const EmfRecord& polys = f.Only(EMR_POLYPOLYGON);
    EXPECT_EQ(polys.PolyCounts(), (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(polys.PolyPoints(), std::vector<POINT>(std::begin(wide), std::end(wide)));
}

TEST(EmfRecorderPaths, PathGrowsTheBoundsOnlyWhenDrawn)
{
    CTestGdiObjects keep;
    const HPEN wide = keep(CreatePen(PS_SOLID, 6, 0));
    const EmfFile aborted = RecordEmfFile([](CTkDC& dc) {
        dc.BeginPath();
        dc.Rectangle(0, 0, 60, 60);
        dc.AbortPath();
        EXPECT_FALSE(dc.StrokePath());  // nothing left to stroke
    });
    EXPECT_EQ(aborted.header.bounds, (RECT{0, 0, -1, -1}));

    const EmfFile drawn = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(wide);
        dc.BeginPath();
        dc.MoveTo(10, 10);
        dc.LineTo(100, 10);
        dc.LineTo(100, 50);
        dc.CloseFigure();
        dc.EndPath();
        EXPECT_TRUE(dc.FillPath());
        dc.BeginPath();
        dc.Rectangle(200, 200, 301, 301);
        dc.EndPath();
        EXPECT_TRUE(dc.StrokeAndFillPath());
    });
    EXPECT_EQ(drawn.Only(EMR_FILLPATH).Rect(8), (RECT{10, 10, 100, 50}));  // no pen
    EXPECT_EQ(drawn.Only(EMR_STROKEANDFILLPATH).Rect(8), (RECT{197, 197, 303, 303}));
    EXPECT_EQ(drawn.header.bounds, (RECT{10, 10, 303, 303}));
}

class EmfRecorderText : public ::testing::Test {
protected:
    CTestFontEngineScope m_engine;
    CTestGdiObjects m_keep;
    HFONT m_font = m_keep.Font(TestFont(-20));  // advance 10, tmHeight 25, ascent 20
};

TEST_F(EmfRecorderText, AdvancesAreMeasuredWhenNoneAreGiven)
{
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(m_font);
        EXPECT_TRUE(dc.ExtTextOutW(100, 50, 0, nullptr, u"Hello", 5, nullptr));
        dc.SetTextCharacterExtra(3);
        dc.ExtTextOutW(0, 0, 0, nullptr, u"abc", 3, nullptr);
        const INT given[] = {7, 8, 9};
        dc.ExtTextOutW(0, 0, 0, nullptr, u"abc", 3, given);  // as given: no extra
    });
    const auto texts = f.Find(EMR_EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 3u);
    const EmfText t = texts[0]->Text();
    EXPECT_EQ(texts[0]->size, 76u + 12u + 20u);
    EXPECT_FLOAT_EQ(t.exScale, 100.0f * 508 / 1920);
    EXPECT_EQ(t.offDx, 88u);
    EXPECT_EQ(t.text, u"Hello");
    EXPECT_EQ(t.dx, (std::vector<std::int32_t>{10, 10, 10, 10, 10}));
    EXPECT_EQ(t.bounds, (RECT{100, 50, 149, 74}));
    EXPECT_EQ(texts[1]->Text().dx, (std::vector<std::int32_t>{13, 13, 13}));
    EXPECT_EQ(texts[2]->Text().dx, (std::vector<std::int32_t>{7, 8, 9}));
}

TEST_F(EmfRecorderText, GivenAdvancesAndRectangleAreKept)
{
    const RECT clip{0, 0, 30, 10};
    const INT pairs[] = {5, 1, 6, 2};
    const EmfFile f = RecordEmfFile([&](CTkDC& dc) {
        dc.SelectObject(m_font);
        dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
        dc.ExtTextOutW(100, 100, ETO_OPAQUE, &clip, u"xyz", 3, nullptr);
        dc.SetTextAlign(TA_BOTTOM | TA_CENTER);
        dc.ExtTextOutW(100, 100, ETO_PDY | ETO_CLIPPED, &clip, u"pq", 2, pairs);
        dc.ExtTextOutW(10, 20, ETO_OPAQUE, &clip, nullptr, 0, nullptr);
    });
    const auto texts = f.Find(EMR_EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 3u);
    // Right of 30 wide and baseline of ascent 20, plus the opaque rectangle.
    EXPECT_EQ(texts[0]->Text().bounds, (RECT{0, 0, 99, 104}));
    EXPECT_EQ(texts[1]->size, 76u + 4u + 16u);
    EXPECT_EQ(texts[1]->Text().dx, (std::vector<std::int32_t>{5, 1, 6, 2}));
    // Centred 11 wide above the reference point, then cut by the clip rectangle.
    EXPECT_EQ(texts[1]->Text().bounds, (RECT{0, 0, -1, -1}));
    // Empty text still records its opaque rectangle.
    EXPECT_EQ(texts[2]->Text().offDx, 76u);
    EXPECT_EQ(texts[2]->Text().bounds, (RECT{0, 0, 29, 9}));
}

TEST(EmfRecorderClosing, CommentsArePaddedAndAClosedRecordingRecordsNothingMore)
{
    const BYTE data[] = {'G', 'l', 0, 0xFF, 7};
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, nullptr, {});
    EXPECT_TRUE(dc->GdiComment(5, data));
    const auto emf = CloseEnhMetaFile(dc.get());
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc.get()), nullptr);
    EXPECT_FALSE(dc->Rectangle(0, 0, 10, 10));
    const EmfFile f = *DecodeEmf(emf->GetBits());
    EXPECT_EQ(f.records.size(), 3u);
    EXPECT_EQ(f.header.bounds, (RECT{0, 0, -1, -1}));
    const EmfRecord& c = f.Only(EMR_GDICOMMENT);
    EXPECT_EQ(c.U32(8), 5u);
    EXPECT_EQ(c.Bytes(12, 8), (std::vector<std::uint8_t>{'G', 'l', 0, 0xFF, 7, 0, 0, 0}));
    CTkDC plain;
    EXPECT_EQ(CloseEnhMetaFile(&plain), nullptr);
}

}  // namespace
