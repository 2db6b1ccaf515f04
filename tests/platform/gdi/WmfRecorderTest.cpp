#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/gdi/TkMetaFileRecorder.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/TestGdi.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::uint16_t>;

class WmfRecorderTest : public ::testing::Test {
protected:
    WmfFile Finish() { return CloseAndDecodeWmf(*m_dc); }

    // The one record of a function; fails the test when there is not exactly one.
    static WmfRecord Only(const WmfFile& file, WORD function)
    {
        const std::vector<const WmfRecord*> found = file.Find(function);
        if (found.size() != 1) {
            ADD_FAILURE() << found.size() << " records 0x" << std::hex << function;
            return {};
        }
        return *found[0];
    }

    CTestGdiObjects m_keep;
    std::unique_ptr<CTkDC> m_dc = CreateMetaFileW(nullptr);
};

TEST_F(WmfRecorderTest, HeaderCountsTheTableAndTheLargestRecord)
{
    const HPEN pen = m_keep(CreatePen(PS_SOLID, 3, RGB(1, 2, 3)));
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}};
    m_dc->SelectObject(pen);
    m_dc->Polygon(pts, 5);
    m_dc->SelectObject(GetStockObject(BLACK_PEN));
    m_dc->Rectangle(10, 20, 30, 40);
    const WmfFile file = Finish();
    EXPECT_EQ(file.header.type, 1);  // in memory
    EXPECT_EQ(file.header.version, 0x0300);
    // The size in words is the decoder's own check.
    EXPECT_EQ(file.header.numberOfObjects, 2);
    EXPECT_EQ(file.header.maxRecordWords, 3u + 1 + 2 * 5);
    EXPECT_EQ(file.header.numberOfMembers, 0);
}

TEST_F(WmfRecorderTest, ObjectsTakeTheLowestFreeSlotAndAreWrittenOnce)
{
    const HPEN pen = CreatePen(PS_DASH, 2, RGB(255, 0, 0));
    const HGDIOBJ brush = m_keep(CreateHatchBrush(HS_CROSS, RGB(0, 0, 255)));
    const HGDIOBJ font = m_keep.Font(TestFont(-20));
    m_dc->SelectObject(pen);                        // slot 0
    m_dc->SelectObject(brush);                      // slot 1
    m_dc->SelectObject(GetStockObject(BLACK_PEN));  // slot 2
    m_dc->SelectObject(pen);                        // already there
    m_dc->SelectObject(GetStockObject(BLACK_PEN));
    DeleteObject(pen);         // frees slot 0
    m_dc->SelectObject(font);  // takes slot 0 again
    const WmfFile file = Finish();
    const Words expected = {META_CREATEPENINDIRECT, META_SELECTOBJECT, META_CREATEBRUSHINDIRECT,
                            META_SELECTOBJECT, META_CREATEPENINDIRECT, META_SELECTOBJECT,
                            META_SELECTOBJECT, META_SELECTOBJECT, META_DELETEOBJECT,
                            META_CREATEFONTINDIRECT, META_SELECTOBJECT, META_EOF};
    ASSERT_EQ(file.Functions(), expected);
    Words slots;
    for (std::size_t i : {1, 3, 5, 6, 7, 8, 10})
        slots.push_back(file.records[i].Word(0));
    EXPECT_EQ(slots, (Words{0, 1, 2, 0, 2, 0, 0}));
    EXPECT_EQ(file.header.numberOfObjects, 3);
}

TEST_F(WmfRecorderTest, PensAndBrushesHoldTheirLogicalValues)
{
    const LOGBRUSH red{BS_SOLID, RGB(255, 0, 0), 0};
    const LOGBRUSH hollow{BS_NULL, RGB(255, 0, 0), 0};
    const HGDIOBJ plain = m_keep(CreatePen(PS_DASHDOT, 7, RGB(0x11, 0x22, 0x33)));
    const HGDIOBJ wide = m_keep(ExtCreatePen(
        PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 25, &red, 0, nullptr));
    const HGDIOBJ invisible =
        m_keep(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &hollow, 0, nullptr));
    const HGDIOBJ hatch = m_keep(CreateHatchBrush(HS_DIAGCROSS, RGB(4, 5, 6)));
    for (HGDIOBJ h : {plain, wide, invisible, hatch})
        m_dc->SelectObject(h);
    const WmfFile file = Finish();
    const std::vector<const WmfRecord*> pens = file.Find(META_CREATEPENINDIRECT);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0]->params, (Words{PS_DASHDOT, 7, 0, 0x2211, 0x0033}));
    // Caps, joins and the geometric flag are dropped.
    EXPECT_EQ(pens[1]->params, (Words{PS_DASH, 25, 0, 0x00FF, 0}));
    EXPECT_EQ(pens[2]->Word(0), PS_NULL);
    EXPECT_EQ(Only(file, META_CREATEBRUSHINDIRECT).params,
              (Words{BS_HATCHED, 0x0504, 0x0006, HS_DIAGCROSS}));
}

TEST_F(WmfRecorderTest, PatternBrushesBecomeDibs)
{
    // Two rows of 8 pixels; DDB rows are padded to 16 bits, DIB rows to 32, bottom up.
    const HGDIOBJ bitmap = m_keep(CreateBitmap(8, 2, 1, 1, std::vector<BYTE>{0xF0, 0, 0x0F, 0}));
    const HGDIOBJ mono = m_keep(CreatePatternBrush(bitmap));
    // A 1 x 1 24-bit DIB, given as it is or through a global block.
    std::vector<BYTE> dib(40 + 4, 0);
    dib[0] = 40;
    dib[4] = dib[8] = dib[12] = 1;
    dib[14] = 24;
    dib[40] = 0x11;
    const HGDIOBJ direct = m_keep(CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
    std::vector<BYTE> blockDib = dib;
    blockDib[40] = 0x44;
    const CTkGlobalBlock block(blockDib);
    const LOGBRUSH logBrush{BS_DIBPATTERN, DIB_RGB_COLORS, block.Get()};
    const HGDIOBJ fromBlock = m_keep(CreateBrushIndirect(&logBrush));
    for (HGDIOBJ h : {mono, direct, fromBlock})
        m_dc->SelectObject(h);
    const WmfFile f = Finish();
    const std::vector<const WmfRecord*> records = f.Find(META_DIBCREATEPATTERNBRUSH);
    ASSERT_EQ(records.size(), 3u);
    const WmfRecord& r = *records[0];
    EXPECT_EQ(r.Word(0), BS_PATTERN);
    EXPECT_EQ(r.DWord(4), 8u);  // biWidth
    EXPECT_EQ(r.DWord(24), RGB(255, 255, 255));
    EXPECT_EQ(r.Bytes(26, 8), (std::vector<BYTE>{0x0F, 0, 0, 0, 0xF0, 0, 0, 0}));
    EXPECT_EQ(r.sizeWords, 3u + 2 + (40 + 8 + 8) / 2);
    EXPECT_EQ(records[1]->Word(0), BS_DIBPATTERNPT);
    EXPECT_EQ(records[1]->Bytes(2, dib.size()), dib);
    EXPECT_EQ(records[2]->Word(0), BS_DIBPATTERN);
    EXPECT_EQ(records[2]->Bytes(2, blockDib.size()), blockDib);
}

TEST_F(WmfRecorderTest, FontAndPaletteRecords)
{
    LOGFONTW lf{};
    lf.lfHeight = -40000;  // saturates
    lf.lfEscapement = 900;
    lf.lfCharSet = RUSSIAN_CHARSET;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'x');  // junk after the end
    std::copy_n(u"\u041C\u0438\u0440", 4, lf.lfFaceName);  // in the font's code page
    const HGDIOBJ font = m_keep(CreateFontIndirectW(&lf));
    const PALETTEENTRY entries[] = {{1, 2, 3, 0}, {4, 5, 6, 1}};
    const HGDIOBJ palette = m_keep(CreatePalette(entries));
    m_dc->SelectObject(font);
    m_dc->SelectObject(palette);
    const WmfFile file = Finish();
    const WmfRecord r = Only(file, META_CREATEFONTINDIRECT);
    ASSERT_EQ(r.sizeWords, 3u + 9 + 16);
    EXPECT_EQ(r.Short(0), -32768);
    EXPECT_EQ(r.Short(2), 900);
    EXPECT_EQ(r.Bytes(5, 4), (std::vector<BYTE>{0, 0, 0, RUSSIAN_CHARSET}));
    std::vector<BYTE> face(32, 0);
    std::copy_n("\xCC\xE8\xF0", 3, face.begin());
    EXPECT_EQ(r.Bytes(9, 32), face);

    EXPECT_EQ(Only(file, META_CREATEPALETTE).Bytes(2, 8),
              (std::vector<BYTE>{1, 2, 3, 0, 4, 5, 6, 1}));
    EXPECT_EQ(Only(file, META_SELECTPALETTE).Word(0), 1);
    EXPECT_EQ(file.Find(META_SELECTOBJECT).size(), 1u);
}

// Sixteen two-byte characters and the terminator do not fit: the last goes whole.
TEST_F(WmfRecorderTest, DoubleByteFaceNamesAreCutBetweenCharacters)
{
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::fill_n(lf.lfFaceName, 16, u'\u3042');
    m_dc->SelectObject(m_keep(CreateFontIndirectW(&lf)));
    std::string face;
    for (int i = 0; i < 15; ++i)
        face += "\x82\xA0";
    face.resize(32);
    EXPECT_EQ(Only(Finish(), META_CREATEFONTINDIRECT).Bytes(9, 32),
              std::vector<BYTE>(face.begin(), face.end()));
}

TEST_F(WmfRecorderTest, ParametersAreStoredReversedAndSaturated)
{
    m_dc->SetMapMode(MM_ANISOTROPIC);
    m_dc->SetWindowOrg(-5, 6);
    m_dc->SetWindowExt(300, -200);
    m_dc->MoveTo(1, 2);
    m_dc->Ellipse(10, 20, 30, 40);
    m_dc->RoundRect(1, 2, 3, 4, 5, 6);
    m_dc->Chord(1, 2, 3, 4, 5, 6, 7, 8);
    m_dc->IntersectClipRect(11, 12, 13, 14);
    m_dc->SetPixel(21, 22, RGB(1, 2, 3));
    m_dc->Rectangle(-40000, 32767, 32768, 100000);
    const POINT pts[] = {{1, 2}, {3, 4}, {5, 6}};
    const POINT shapes[] = {{0, 0}, {9, 0}, {9, 9}, {20, 20}, {30, 20}, {30, 30}, {20, 30}};
    const INT counts[] = {3, 4};
    m_dc->Polyline(pts, 3);
    m_dc->PolyPolygon(shapes, counts, 2);
    const WmfFile f = Finish();
    const std::pair<WORD, Words> cases[] = {
        {META_SETWINDOWORG, {6, WORD(-5)}},
        {META_SETWINDOWEXT, {WORD(-200), 300}},
        {META_MOVETO, {2, 1}},
        {META_ELLIPSE, {40, 30, 20, 10}},
        {META_ROUNDRECT, {6, 5, 4, 3, 2, 1}},
        {META_CHORD, {8, 7, 6, 5, 4, 3, 2, 1}},
        {META_INTERSECTCLIPRECT, {14, 13, 12, 11}},
        {META_SETPIXEL, {0x0201, 0x0003, 22, 21}},
        {META_RECTANGLE, {0x7FFF, 0x7FFF, 0x7FFF, 0x8000}},
        {META_POLYLINE, {3, 1, 2, 3, 4, 5, 6}},
        {META_POLYPOLYGON, {2, 3, 4, 0, 0, 9, 0, 9, 9, 20, 20, 30, 20, 30, 30, 20, 30}},
    };
    for (const auto& [function, params] : cases)
        EXPECT_EQ(Only(f, function).params, params) << std::hex << function;
}

TEST_F(WmfRecorderTest, ClockwiseArcIsWrittenWithItsEndsSwapped)
{
    m_dc->SetArcDirection(AD_CLOCKWISE);
    m_dc->SetMiterLimit(4.0f);
    m_dc->SetGraphicsMode(GM_ADVANCED);
    m_dc->Arc(0, 0, 100, 100, 100, 50, 50, 0);
    const WmfFile f = Finish();
    EXPECT_EQ(Only(f, META_ARC).params, (Words{50, 100, 0, 50, 100, 100, 0, 0}));
    EXPECT_EQ(f.records.size(), 2u);  // the modes have no records
}

// What the format cannot hold is drawn with what it can.
TEST_F(WmfRecorderTest, MissingCallsAreMadeOfOthers)
{
    const POINT pts[] = {{0, 0}, {1, 1}, {5, 5}, {6, 6}, {7, 5}};
    const DWORD counts[] = {2, 3};
    EXPECT_TRUE(m_dc->PolyPolyline(pts, counts, 2));
    m_dc->MoveTo(-10, -10);
    // Start and end rays meet the circle of radius 50 at (100, 50) and (50, 0).
    EXPECT_TRUE(m_dc->ArcTo(0, 0, 100, 100, 200, 50, 50, -70));
    const POINT to[] = {{10, 0}, {10, 10}};
    EXPECT_TRUE(m_dc->PolylineTo(to, 2));
    const WmfFile f = Finish();
    ASSERT_EQ(f.Functions(), (Words{META_POLYLINE, META_POLYLINE, META_MOVETO, META_LINETO,
                                    META_ARC, META_MOVETO, META_POLYLINE, META_MOVETO,
                                    META_EOF}));
    EXPECT_EQ(f.records[0].params, (Words{2, 0, 0, 1, 1}));
    EXPECT_EQ(f.records[1].params, (Words{3, 5, 5, 6, 6, 7, 5}));
    EXPECT_EQ(f.records[3].params, (Words{50, 100}));
    EXPECT_EQ(f.records[5].params, (Words{0, 50}));
    EXPECT_EQ(f.records[6].params, (Words{3, 50, 0, 10, 0, 10, 10}));
    EXPECT_EQ(f.records[7].params, (Words{10, 10}));
}

TEST_F(WmfRecorderTest, BeziersAreFlattenedIntoPolylines)
{
    const POINT curve[] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    m_dc->PolyBezier(curve, 4);
    const WmfRecord line = Only(Finish(), META_POLYLINE);
    const std::size_t n = line.Word(0);
    ASSERT_GE(n, 8u);
    EXPECT_EQ(line.Short(2 * n - 1), 100);
    EXPECT_EQ(line.Short(2 * n), 0);
    // The curve's top: x 50 at y 75 halfway.
    EXPECT_EQ(line.Short(1 + 2 * (n / 2)), 50);
    EXPECT_EQ(line.Short(2 + 2 * (n / 2)), 75);
}

TEST_F(WmfRecorderTest, FiguresOverTheCountLimitFailWithoutWriting)
{
    const std::vector<POINT> many(32768, POINT{1, 1});
    const std::vector<BYTE> comment(65536, 0);
    EXPECT_TRUE(m_dc->Polyline(many.data(), 32767));
    EXPECT_FALSE(m_dc->Polyline(many.data(), 32768));
    EXPECT_FALSE(m_dc->GdiComment(65536, comment.data()));
    EXPECT_EQ(Finish().records.size(), 2u);
}

TEST_F(WmfRecorderTest, StateRecordsAreWrittenEvenWhenNothingChanges)
{
    m_dc->SetBkMode(OPAQUE);  // already opaque
    m_dc->SetTextAlign(TA_BASELINE | TA_CENTER | TA_UPDATECP);
    m_dc->SetTextCharacterExtra(-3);
    m_dc->SetBkColor(RGB(1, 2, 3));
    m_dc->SaveDC();
    m_dc->SaveDC();
    m_dc->SaveDC();
    m_dc->RestoreDC(2);   // two levels back
    m_dc->RestoreDC(-1);  // the one left
    EXPECT_FALSE(m_dc->RestoreDC(-1));
    const WmfFile f = Finish();
    EXPECT_EQ(Only(f, META_SETBKMODE).params, (Words{OPAQUE}));
    EXPECT_EQ(Only(f, META_SETTEXTALIGN).params, (Words{31}));
    EXPECT_EQ(Only(f, META_SETTEXTCHAREXTRA).Short(0), -3);
    EXPECT_EQ(Only(f, META_SETBKCOLOR).DWord(0), RGB(1, 2, 3));
    const std::vector<const WmfRecord*> restores = f.Find(META_RESTOREDC);
    ASSERT_EQ(restores.size(), 2u);
    EXPECT_EQ(restores[0]->Short(0), -2);
    EXPECT_EQ(restores[1]->Short(0), -1);
}

TEST_F(WmfRecorderTest, TextIsWrittenInTheFontsCodePageWithSixteenBitAdvances)
{
    struct Case {
        BYTE charSet;
        std::u16string text;
        std::vector<INT> dx;
        std::string bytes;
        Words advances;
    };
    const Case cases[] = {
        // A, u-umlaut, euro, a Cyrillic letter; an advance beyond 16 bits saturates.
        {ANSI_CHARSET, u"A\u00FC\u20AC\u0416", {10, 11, 70000, -4}, "A\xFC\x80?",
         {10, 11, 32767, WORD(-4)}},
        {RUSSIAN_CHARSET, u"\u041C\u0438\u0440", {12, 9, 8}, "\xCC\xE8\xF0", {12, 9, 8}},
        // A character of two units is one question mark with both advances.
        {ANSI_CHARSET, u"x\U0001F600y", {5, 6, 7, 8}, "x?y", {5, 13, 8}},
    };
    for (const Case& c : cases) {
        m_dc = CreateMetaFileW(nullptr);
        const HGDIOBJ font = m_keep.Font(TestFont(-20, c.charSet));
        m_dc->SelectObject(font);
        EXPECT_TRUE(m_dc->ExtTextOutW(5, 6, 0, nullptr, c.text.data(), UINT(c.text.size()),
                                      c.dx.data()));
        const WmfRecord r = Only(Finish(), META_EXTTEXTOUT);
        const std::size_t n = c.bytes.size();
        EXPECT_EQ(r.Short(0), 6);  // y first
        EXPECT_EQ(r.Word(2), n);
        EXPECT_EQ(r.Text(4, n), c.bytes);
        EXPECT_EQ(Words(r.params.begin() + 4 + (n + 1) / 2, r.params.end()), c.advances);
    }
}

TEST_F(WmfRecorderTest, TextRectangleOptionsAndPairedAdvances)
{
    const RECT box{1, 2, 30, 40};
    const INT pairs[] = {7, 100, 8, 200};
    const std::u16string text = u"ab";
    m_dc->ExtTextOutW(0, 0, ETO_OPAQUE | ETO_PDY, &box, text.data(), 2, pairs);
    m_dc->ExtTextOutW(0, 0, ETO_CLIPPED, nullptr, text.data(), 2, nullptr);
    // Glyph indices mean nothing in an 8-bit code page.
    EXPECT_FALSE(m_dc->ExtTextOutW(0, 0, ETO_GLYPH_INDEX, nullptr, text.data(), 2, nullptr));
    const WmfFile file = Finish();
    const std::vector<const WmfRecord*> texts = file.Find(META_EXTTEXTOUT);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->params, (Words{0, 0, 2, ETO_OPAQUE, 1, 2, 30, 40, 0x6261, 7, 8}));
    // A rectangle option without a rectangle is dropped; no array, no advances.
    EXPECT_EQ(texts[1]->params, (Words{0, 0, 2, 0, 0x6261}));
}

TEST_F(WmfRecorderTest, FillRectPaintsWithItsBrushAndSelectsTheCurrentOneBack)
{
    const HGDIOBJ current = m_keep(CreateSolidBrush(RGB(1, 1, 1)));
    const HGDIOBJ fill = m_keep(CreateSolidBrush(RGB(2, 2, 2)));
    m_dc->SelectObject(current);
    const RECT rect{10, 20, 15, 28};
    EXPECT_TRUE(m_dc->FillRect(&rect, fill));
    const WmfFile f = Finish();
    ASSERT_EQ(f.Functions(), (Words{META_CREATEBRUSHINDIRECT, META_SELECTOBJECT,
                                    META_CREATEBRUSHINDIRECT, META_SELECTOBJECT, META_PATBLT,
                                    META_SELECTOBJECT, META_EOF}));
    EXPECT_EQ(f.records[4].params, (Words{0x0021, 0x00F0, 8, 5, 20, 10}));
    EXPECT_EQ(f.records[5].Word(0), 0);
}

// A path of a rectangle and a closed curve: a fill is one poly-polygon without an
// outline, a stroke a polyline per figure, a stroke-and-fill the poly-polygon.
TEST_F(WmfRecorderTest, PathsAreDrawnAsPolygonsOrPolylines)
{
    using Draw = BOOL (CTkDC::*)();
    const struct {
        Draw draw;
        Words functions;
    } cases[] = {
        {&CTkDC::FillPath,
         {META_CREATEPENINDIRECT, META_SELECTOBJECT, META_POLYPOLYGON, META_CREATEPENINDIRECT,
          META_SELECTOBJECT, META_EOF}},
        {&CTkDC::StrokePath, {META_POLYLINE, META_POLYLINE, META_EOF}},
        {&CTkDC::StrokeAndFillPath, {META_POLYPOLYGON, META_EOF}},
        {&CTkDC::AbortPath, {META_EOF}},
    };
    const POINT curve[] = {{0, 100}, {100, 100}, {100, 0}};
    for (const auto& c : cases) {
        m_dc = CreateMetaFileW(nullptr);
        ASSERT_TRUE(m_dc->BeginPath());
        m_dc->Rectangle(10, 20, 30, 40);
        m_dc->MoveTo(0, 0);
        m_dc->PolyBezierTo(curve, 3);
        m_dc->CloseFigure();
        m_dc->EndPath();
        EXPECT_TRUE((m_dc.get()->*c.draw)());
        const WmfFile f = Finish();
        ASSERT_EQ(f.Functions(), c.functions);
        std::vector<Words> figures;  // x, y pairs
        for (const WmfRecord& r : f.records) {
            if (r.function == META_POLYLINE)
                figures.emplace_back(r.params.begin() + 1, r.params.end());
            if (r.function == META_POLYPOLYGON) {
                std::size_t at = 1 + r.Word(0);
                for (std::size_t i = 0; i < r.Word(0); ++i) {
                    const std::size_t words = 2 * r.Word(1 + i);
                    ASSERT_LE(at + words, r.params.size());
                    figures.emplace_back(r.params.begin() + at, r.params.begin() + at + words);
                    at += words;
                }
            }
        }
        if (c.functions.size() == 1)
            continue;
        ASSERT_EQ(figures.size(), 2u);
        const bool stroke = c.functions[0] == META_POLYLINE;
        Words box{10, 20, 30, 20, 30, 40, 10, 40};
        if (stroke)
            box.insert(box.end(), {10, 20});  // closed figures are closed
        EXPECT_EQ(figures[0], box);
        const Words& bezier = figures[1];
        ASSERT_GE(bezier.size(), 16u);
        EXPECT_EQ(Words(bezier.begin(), bezier.begin() + 2), (Words{0, 0}));
        EXPECT_EQ(Words(bezier.end() - 2, bezier.end()), (stroke ? Words{0, 0} : Words{100, 0}));
        if (c.functions[0] == META_CREATEPENINDIRECT) {
            EXPECT_EQ(f.records[0].Word(0), PS_NULL);
            EXPECT_EQ(f.records[4].Word(0), 1);  // the black pen again
        }
    }
}

TEST(WmfRecorderLifetime, DeletingObjectsAfterTheRecorderIsGoneIsSafe)
{
    const HPEN pen = CreatePen(PS_SOLID, 1, 0);
    {
        std::unique_ptr<CTkDC> dc = CreateMetaFileW(nullptr);
        dc->SelectObject(pen);
    }  // destroyed without closing
    EXPECT_TRUE(DeleteObject(pen));
}

}  // namespace
