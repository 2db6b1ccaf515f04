#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/gdi/TkMetaFileRecorder.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Deletes a GDI object at the end of a test.
class Owned {
public:
    explicit Owned(HGDIOBJ h) : m_h(h) {}
    ~Owned() { DeleteObject(m_h); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator HGDIOBJ() const { return m_h; }

private:
    HGDIOBJ m_h;
};

HFONT MakeFont(const char16_t* face, BYTE charSet, LONG height = -20)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfCharSet = charSet;
    font.lfPitchAndFamily = 0x22;
    std::copy_n(face, std::char_traits<char16_t>::length(face), font.lfFaceName);
    return CreateFontIndirectW(&font);
}

class WmfRecorderTest : public ::testing::Test {
protected:
    // Ends the recording and decodes it; a failure to decode fails the test.
    WmfFile Finish()
    {
        const std::unique_ptr<CTkMetaFile> mf = CloseMetaFile(m_dc.get());
        if (mf == nullptr) {
            ADD_FAILURE() << "no metafile";
            return {};
        }
        m_bits.assign(mf->GetBits().begin(), mf->GetBits().end());
        std::string error;
        std::optional<WmfFile> file = DecodeWmf(m_bits, &error);
        EXPECT_TRUE(file.has_value()) << error;
        return file.value_or(WmfFile{});
    }

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

    std::unique_ptr<CTkDC> m_dc = CreateMetaFileW(nullptr);
    std::vector<BYTE> m_bits;
};

TEST_F(WmfRecorderTest, SmallPictureHasTheExactBytes)
{
    m_dc->SetMapMode(MM_ANISOTROPIC);
    m_dc->SetWindowExt(2000, 1000);
    m_dc->Rectangle(10, 20, 30, 40);
    Finish();
    const std::vector<BYTE> expected = {
        0x01, 0x00, 0x09, 0x00, 0x00, 0x03,  // memory metafile, 9-word header, 0x0300
        0x1C, 0x00, 0x00, 0x00,              // 28 words in all
        0x00, 0x00,                          // no objects
        0x07, 0x00, 0x00, 0x00,              // largest record: 7 words
        0x00, 0x00,                          // no members
        0x04, 0x00, 0x00, 0x00, 0x03, 0x01, 0x08, 0x00,              // SETMAPMODE 8
        0x05, 0x00, 0x00, 0x00, 0x0C, 0x02, 0xE8, 0x03, 0xD0, 0x07,  // SETWINDOWEXT y, x
        0x07, 0x00, 0x00, 0x00, 0x1B, 0x04,                          // RECTANGLE
        0x28, 0x00, 0x1E, 0x00, 0x14, 0x00, 0x0A, 0x00,              // bottom right top left
        0x03, 0x00, 0x00, 0x00, 0x00, 0x00,                          // EOF
    };
    EXPECT_EQ(m_bits, expected);
}

TEST_F(WmfRecorderTest, EmptyMetafileIsHeaderAndEof)
{
    const WmfFile file = Finish();
    EXPECT_EQ(m_bits.size(), 24u);
    EXPECT_EQ(file.header.type, 1);
    EXPECT_EQ(file.header.headerSize, 9);
    EXPECT_EQ(file.header.version, 0x0300);
    EXPECT_EQ(file.header.sizeWords, 12u);
    EXPECT_EQ(file.header.numberOfObjects, 0);
    EXPECT_EQ(file.header.maxRecordWords, 3u);
    EXPECT_EQ(file.header.numberOfMembers, 0);
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_EQ(file.records[0].function, META_EOF);
}

TEST_F(WmfRecorderTest, HeaderCountsTheTableAndTheLargestRecord)
{
    Owned pen(CreatePen(PS_SOLID, 3, RGB(1, 2, 3)));
    Owned brush(CreateSolidBrush(RGB(4, 5, 6)));
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}};
    m_dc->SelectObject(pen);
    m_dc->SelectObject(brush);
    m_dc->Polygon(pts, 5);
    const WmfFile file = Finish();
    EXPECT_EQ(file.header.sizeWords * 2, m_bits.size());
    EXPECT_EQ(file.header.numberOfObjects, 2);
    EXPECT_EQ(file.header.maxRecordWords, 3u + 1 + 2 * 5);
    EXPECT_EQ(file.header.maxRecordWords, file.LargestRecordWords());
}

// Objects

TEST_F(WmfRecorderTest, ObjectsTakeTheLowestFreeSlot)
{
    const HPEN pen = CreatePen(PS_DASH, 2, RGB(255, 0, 0));
    Owned brush(CreateHatchBrush(HS_CROSS, RGB(0, 0, 255)));
    Owned font(MakeFont(u"Arial", ANSI_CHARSET));
    m_dc->SelectObject(pen);    // slot 0
    m_dc->SelectObject(brush);  // slot 1
    m_dc->SelectObject(GetStockObject(BLACK_PEN));  // slot 2
    DeleteObject(pen);          // frees slot 0
    m_dc->SelectObject(font);   // takes slot 0 again
    const WmfFile file = Finish();
    const std::vector<std::uint16_t> expected = {
        META_CREATEPENINDIRECT, META_SELECTOBJECT, META_CREATEBRUSHINDIRECT, META_SELECTOBJECT,
        META_CREATEPENINDIRECT, META_SELECTOBJECT, META_DELETEOBJECT, META_CREATEFONTINDIRECT,
        META_SELECTOBJECT, META_EOF};
    ASSERT_EQ(file.Functions(), expected);
    EXPECT_EQ(file.records[1].Word(0), 0);
    EXPECT_EQ(file.records[3].Word(0), 1);
    EXPECT_EQ(file.records[5].Word(0), 2);
    EXPECT_EQ(file.records[6].Word(0), 0);
    EXPECT_EQ(file.records[8].Word(0), 0);
    EXPECT_EQ(file.header.numberOfObjects, 3);
}

TEST_F(WmfRecorderTest, SecondSelectionOfAnObjectWritesNoSecondCreation)
{
    Owned pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    m_dc->SelectObject(pen);
    m_dc->SelectObject(GetStockObject(WHITE_PEN));
    m_dc->SelectObject(pen);
    const WmfFile file = Finish();
    EXPECT_EQ(file.Find(META_CREATEPENINDIRECT).size(), 2u);
    const std::vector<const WmfRecord*> selects = file.Find(META_SELECTOBJECT);
    ASSERT_EQ(selects.size(), 3u);
    EXPECT_EQ(selects[0]->Word(0), 0);
    EXPECT_EQ(selects[1]->Word(0), 1);
    EXPECT_EQ(selects[2]->Word(0), 0);
}

TEST_F(WmfRecorderTest, StockObjectIsWrittenAsAnEqualObjectAndNeverDeleted)
{
    const HGDIOBJ hollow = GetStockObject(NULL_BRUSH);
    m_dc->SelectObject(hollow);
    DeleteObject(hollow);
    DeleteObject(CreateSolidBrush(RGB(9, 9, 9)));  // never selected: not in the table
    m_dc->SelectObject(hollow);
    const WmfFile file = Finish();
    const WmfRecord create = Only(file, META_CREATEBRUSHINDIRECT);
    EXPECT_EQ(create.Word(0), BS_NULL);
    EXPECT_TRUE(file.Find(META_DELETEOBJECT).empty());
    EXPECT_EQ(file.Find(META_SELECTOBJECT).size(), 2u);
}

TEST_F(WmfRecorderTest, GeometricPensBecomePlainPens)
{
    const LOGBRUSH red{BS_SOLID, RGB(255, 0, 0), 0};
    const LOGBRUSH hollow{BS_NULL, RGB(255, 0, 0), 0};
    const DWORD dashes[] = {4, 2};
    Owned wide(ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 25, &red,
                            0, nullptr));
    Owned invisible(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &hollow, 0, nullptr));
    Owned user(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &red, 2, dashes));
    for (HGDIOBJ h : {HGDIOBJ(wide), HGDIOBJ(invisible), HGDIOBJ(user)})
        m_dc->SelectObject(h);
    const WmfFile file = Finish();
    const std::vector<const WmfRecord*> pens = file.Find(META_CREATEPENINDIRECT);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0]->Word(0), PS_DASH);  // caps, joins and the geometric flag dropped
    EXPECT_EQ(pens[0]->Short(1), 25);
    EXPECT_EQ(pens[0]->DWord(3), RGB(255, 0, 0));
    EXPECT_EQ(pens[1]->Word(0), PS_NULL);
    EXPECT_EQ(pens[2]->Word(0), PS_DASH);
    EXPECT_EQ(pens[2]->Short(1), 3);
}

TEST_F(WmfRecorderTest, PenAndBrushRecordsHoldTheirLogicalValues)
{
    Owned pen(CreatePen(PS_DASHDOT, 7, RGB(0x11, 0x22, 0x33)));
    Owned solid(CreateSolidBrush(RGB(1, 2, 3)));
    Owned hatch(CreateHatchBrush(HS_DIAGCROSS, RGB(4, 5, 6)));
    m_dc->SelectObject(pen);
    m_dc->SelectObject(solid);
    m_dc->SelectObject(hatch);
    const WmfFile file = Finish();
    const WmfRecord p = Only(file, META_CREATEPENINDIRECT);
    ASSERT_EQ(p.sizeWords, 8u);
    EXPECT_EQ(p.params, (std::vector<std::uint16_t>{PS_DASHDOT, 7, 0, 0x2211, 0x0033}));
    const std::vector<const WmfRecord*> brushes = file.Find(META_CREATEBRUSHINDIRECT);
    ASSERT_EQ(brushes.size(), 2u);
    EXPECT_EQ(brushes[0]->sizeWords, 7u);
    EXPECT_EQ(brushes[0]->Word(0), BS_SOLID);
    EXPECT_EQ(brushes[0]->DWord(1), RGB(1, 2, 3));
    EXPECT_EQ(brushes[1]->Word(0), BS_HATCHED);
    EXPECT_EQ(brushes[1]->DWord(1), RGB(4, 5, 6));
    EXPECT_EQ(brushes[1]->Word(3), HS_DIAGCROSS);
}

TEST_F(WmfRecorderTest, MonochromePatternBrushBecomesABottomUpDib)
{
    // Two rows of 8 pixels; DDB rows are padded to 16 bits.
    const std::vector<BYTE> rows = {0xF0, 0x00, 0x0F, 0x00};
    Owned bitmap(CreateBitmap(8, 2, 1, 1, rows));
    Owned brush(CreatePatternBrush(bitmap));
    m_dc->SelectObject(brush);
    const WmfRecord r = Only(Finish(), META_DIBCREATEPATTERNBRUSH);
    EXPECT_EQ(r.Word(0), BS_PATTERN);
    EXPECT_EQ(r.Word(1), DIB_RGB_COLORS);
    // BITMAPINFOHEADER from word 2, then two colours and two 4-byte rows.
    EXPECT_EQ(r.DWord(2), 40u);
    EXPECT_EQ(r.DWord(4), 8u);
    EXPECT_EQ(r.DWord(6), 2u);
    EXPECT_EQ(r.Word(8), 1);
    EXPECT_EQ(r.Word(9), 1);
    EXPECT_EQ(r.DWord(10), 0u);
    EXPECT_EQ(r.DWord(22), RGB(0, 0, 0));
    EXPECT_EQ(r.DWord(24), RGB(255, 255, 255));
    EXPECT_EQ(r.Bytes(26, 8), (std::vector<BYTE>{0x0F, 0, 0, 0, 0xF0, 0, 0, 0}));
    EXPECT_EQ(r.sizeWords, 3u + 2 + (40 + 8 + 8) / 2);
}

// Made from the DIB itself, or from a LOGBRUSH naming a global block of it.
TEST_F(WmfRecorderTest, DibPatternBrushesCarryTheirDibUnchanged)
{
    // A 1 x 1 24-bit DIB: header, one padded row.
    std::vector<BYTE> dib(40 + 4, 0);
    const BYTE header[] = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    std::memcpy(dib.data(), header, sizeof header);
    dib[40] = 0x11;
    dib[41] = 0x22;
    dib[42] = 0x33;
    Owned brush(CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
    std::vector<BYTE> blockDib = dib;
    blockDib[40] = 0x44;
    const CTkGlobalBlock block(blockDib);
    const LOGBRUSH logBrush{BS_DIBPATTERN, DIB_RGB_COLORS, block.Get()};
    Owned fromBlock(CreateBrushIndirect(&logBrush));
    ASSERT_NE(HGDIOBJ(brush), 0u);
    ASSERT_NE(HGDIOBJ(fromBlock), 0u);
    m_dc->SelectObject(brush);
    m_dc->SelectObject(fromBlock);
    const WmfFile f = Finish();
    const std::vector<const WmfRecord*> records = f.Find(META_DIBCREATEPATTERNBRUSH);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->Word(0), BS_DIBPATTERNPT);
    EXPECT_EQ(records[0]->Word(1), DIB_RGB_COLORS);
    EXPECT_EQ(records[0]->Bytes(2, dib.size()), dib);
    EXPECT_EQ(records[1]->Word(0), BS_DIBPATTERN);
    EXPECT_EQ(records[1]->Word(1), DIB_RGB_COLORS);
    EXPECT_EQ(records[1]->Bytes(2, blockDib.size()), blockDib);
}

TEST_F(WmfRecorderTest, FontRecordHoldsTheLogicalFontWithAZeroFilledFace)
{
    LOGFONTW lf{};
    lf.lfHeight = -40000;  // saturates
    lf.lfWidth = 12;
    lf.lfEscapement = 900;
    lf.lfWeight = FW_BOLD;
    lf.lfUnderline = 1;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfQuality = 4;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'x');  // junk after the end
    std::copy_n(u"Caf\u00E9", 5, lf.lfFaceName);
    Owned font(CreateFontIndirectW(&lf));
    m_dc->SelectObject(font);
    const WmfRecord r = Only(Finish(), META_CREATEFONTINDIRECT);
    ASSERT_EQ(r.sizeWords, 3u + 9 + 16);
    EXPECT_EQ(r.Short(0), -32768);
    EXPECT_EQ(r.Short(1), 12);
    EXPECT_EQ(r.Short(2), 900);
    EXPECT_EQ(r.Short(4), FW_BOLD);
    EXPECT_EQ(r.Bytes(5, 8), (std::vector<BYTE>{0, 1, 0, RUSSIAN_CHARSET, 0, 0, 4, 0}));
    std::vector<BYTE> face(32, 0);
    std::copy_n("Caf\xE9", 4, face.begin());
    EXPECT_EQ(r.Bytes(9, 32), face);
}

TEST_F(WmfRecorderTest, PaletteIsCreatedAndSelectedAsAPalette)
{
    const PALETTEENTRY entries[] = {{1, 2, 3, 0}, {4, 5, 6, 1}};
    Owned palette(CreatePalette(entries));
    m_dc->SelectObject(palette);
    const WmfFile file = Finish();
    const WmfRecord create = Only(file, META_CREATEPALETTE);
    EXPECT_EQ(create.Word(0), 0x0300);
    EXPECT_EQ(create.Word(1), 2);
    EXPECT_EQ(create.Bytes(2, 8), (std::vector<BYTE>{1, 2, 3, 0, 4, 5, 6, 1}));
    EXPECT_EQ(Only(file, META_SELECTPALETTE).Word(0), 0);
    EXPECT_TRUE(file.Find(META_SELECTOBJECT).empty());
}

// Argument order and coordinates

TEST_F(WmfRecorderTest, PointAndBoxRecordsStoreTheirArgumentsReversed)
{
    m_dc->SetMapMode(MM_ANISOTROPIC);
    m_dc->SetWindowOrg(-5, 6);
    m_dc->SetWindowExt(300, -200);
    m_dc->SetViewportOrg(7, 8);
    m_dc->SetViewportExt(30, 20);
    m_dc->MoveTo(1, 2);
    m_dc->LineTo(3, 4);
    m_dc->Ellipse(10, 20, 30, 40);
    m_dc->RoundRect(1, 2, 3, 4, 5, 6);
    m_dc->IntersectClipRect(11, 12, 13, 14);
    m_dc->ExcludeClipRect(15, 16, 17, 18);
    m_dc->SetPixel(21, 22, RGB(1, 2, 3));
    const WmfFile f = Finish();
    using Words = std::vector<std::uint16_t>;
    EXPECT_EQ(Only(f, META_SETWINDOWORG).params, (Words{6, WORD(-5)}));
    EXPECT_EQ(Only(f, META_SETWINDOWEXT).params, (Words{WORD(-200), 300}));
    EXPECT_EQ(Only(f, META_SETVIEWPORTORG).params, (Words{8, 7}));
    EXPECT_EQ(Only(f, META_SETVIEWPORTEXT).params, (Words{20, 30}));
    EXPECT_EQ(Only(f, META_MOVETO).params, (Words{2, 1}));
    EXPECT_EQ(Only(f, META_LINETO).params, (Words{4, 3}));
    EXPECT_EQ(Only(f, META_ELLIPSE).params, (Words{40, 30, 20, 10}));
    EXPECT_EQ(Only(f, META_ROUNDRECT).params, (Words{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Only(f, META_INTERSECTCLIPRECT).params, (Words{14, 13, 12, 11}));
    EXPECT_EQ(Only(f, META_EXCLUDECLIPRECT).params, (Words{18, 17, 16, 15}));
    EXPECT_EQ(Only(f, META_SETPIXEL).params, (Words{0x0201, 0x0003, 22, 21}));
}

TEST_F(WmfRecorderTest, ArcChordAndPieStoreEndStartAndBoxReversed)
{
    m_dc->Arc(1, 2, 3, 4, 5, 6, 7, 8);
    m_dc->Chord(1, 2, 3, 4, 5, 6, 7, 8);
    m_dc->Pie(1, 2, 3, 4, 5, 6, 7, 8);
    const WmfFile f = Finish();
    const std::vector<std::uint16_t> expected = {8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(Only(f, META_ARC).params, expected);
    EXPECT_EQ(Only(f, META_CHORD).params, expected);
    EXPECT_EQ(Only(f, META_PIE).params, expected);
}

TEST_F(WmfRecorderTest, ClockwiseArcIsWrittenWithItsEndsSwapped)
{
    m_dc->SetArcDirection(AD_CLOCKWISE);
    m_dc->SetMiterLimit(4.0f);
    m_dc->SetBrushOrg(3, 3);
    m_dc->SetGraphicsMode(GM_ADVANCED);
    m_dc->Arc(0, 0, 100, 100, 100, 50, 50, 0);
    const WmfFile f = Finish();
    EXPECT_EQ(Only(f, META_ARC).params,
              (std::vector<std::uint16_t>{50, 100, 0, 50, 100, 100, 0, 0}));
    EXPECT_EQ(f.records.size(), 2u);  // the modes have no records
}

TEST_F(WmfRecorderTest, PolyRecordsStorePointsXBeforeY)
{
    const POINT pts[] = {{1, 2}, {3, 4}, {5, 6}};
    const POINT shapes[] = {{0, 0}, {9, 0}, {9, 9}, {20, 20}, {30, 20}, {30, 30}, {20, 30}};
    const INT counts[] = {3, 4};
    m_dc->Polyline(pts, 3);
    m_dc->Polygon(pts, 3);
    m_dc->PolyPolygon(shapes, counts, 2);
    const WmfFile f = Finish();
    const std::vector<std::uint16_t> line = {3, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Only(f, META_POLYLINE).params, line);
    EXPECT_EQ(Only(f, META_POLYGON).params, line);
    EXPECT_EQ(Only(f, META_POLYPOLYGON).params,
              (std::vector<std::uint16_t>{2, 3, 4, 0, 0, 9, 0, 9, 9, 20, 20, 30, 20, 30, 30, 20,
                                          30}));
}

TEST_F(WmfRecorderTest, CoordinatesBeyondSixteenBitsSaturate)
{
    m_dc->Rectangle(-40000, 32767, 32768, 100000);
    m_dc->LineTo(-32769, 40000);
    const WmfFile f = Finish();
    EXPECT_EQ(Only(f, META_RECTANGLE).params,
              (std::vector<std::uint16_t>{0x7FFF, 0x7FFF, 0x7FFF, 0x8000}));
    EXPECT_EQ(Only(f, META_LINETO).params, (std::vector<std::uint16_t>{0x7FFF, 0x8000}));
}

// What the format cannot hold

TEST_F(WmfRecorderTest, PolyPolylineIsSplitIntoPolylines)
{
    const POINT pts[] = {{0, 0}, {1, 1}, {5, 5}, {6, 6}, {7, 5}};
    const DWORD counts[] = {2, 3};
    EXPECT_TRUE(m_dc->PolyPolyline(pts, counts, 2));
    const WmfFile file = Finish();
    const std::vector<const WmfRecord*> lines = file.Find(META_POLYLINE);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->params, (std::vector<std::uint16_t>{2, 0, 0, 1, 1}));
    EXPECT_EQ(lines[1]->params, (std::vector<std::uint16_t>{3, 5, 5, 6, 6, 7, 5}));
}

TEST_F(WmfRecorderTest, ArcToIsALineTheArcAndAMove)
{
    m_dc->MoveTo(-10, -10);
    // Start and end rays meet the circle of radius 50 at (100, 50) and (50, 0).
    EXPECT_TRUE(m_dc->ArcTo(0, 0, 100, 100, 200, 50, 50, -70));
    const WmfFile f = Finish();
    const std::vector<std::uint16_t> expected = {META_MOVETO, META_LINETO, META_ARC, META_MOVETO,
                                                 META_EOF};
    ASSERT_EQ(f.Functions(), expected);
    EXPECT_EQ(f.records[1].params, (std::vector<std::uint16_t>{50, 100}));
    EXPECT_EQ(f.records[2].params,
              (std::vector<std::uint16_t>{WORD(-70), 50, 50, 200, 100, 100, 0, 0}));
    EXPECT_EQ(f.records[3].params, (std::vector<std::uint16_t>{0, 50}));
    EXPECT_EQ(m_dc->GetCurrentPosition(), (POINT{50, 0}));
}

TEST_F(WmfRecorderTest, PolylineToStartsAtTheCurrentPositionAndMovesIt)
{
    const POINT pts[] = {{10, 0}, {10, 10}};
    m_dc->MoveTo(1, 2);
    EXPECT_TRUE(m_dc->PolylineTo(pts, 2));
    const WmfFile f = Finish();
    EXPECT_EQ(Only(f, META_POLYLINE).params, (std::vector<std::uint16_t>{3, 1, 2, 10, 0, 10, 10}));
    EXPECT_EQ(f.records[2].function, META_MOVETO);
    EXPECT_EQ(f.records[2].params, (std::vector<std::uint16_t>{10, 10}));
}

TEST_F(WmfRecorderTest, BeziersAreFlattenedIntoPolylines)
{
    const POINT curve[] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    m_dc->PolyBezier(curve, 4);
    m_dc->MoveTo(0, 0);
    m_dc->PolyBezierTo(curve + 1, 3);
    const WmfFile f = Finish();
    const std::vector<const WmfRecord*> lines = f.Find(META_POLYLINE);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->params, lines[1]->params);
    const WmfRecord& line = *lines[0];
    const std::size_t n = line.Word(0);
    ASSERT_GE(n, 8u);
    EXPECT_EQ(line.Short(1), 0);
    EXPECT_EQ(line.Short(2), 0);
    EXPECT_EQ(line.Short(2 * n - 1), 100);
    EXPECT_EQ(line.Short(2 * n), 0);
    // The curve's top: x 50 at y 75 halfway.
    const std::size_t mid = n / 2;
    EXPECT_EQ(line.Short(1 + 2 * mid), 50);
    EXPECT_EQ(line.Short(2 + 2 * mid), 75);
    EXPECT_EQ(f.records.back().function, META_EOF);
    EXPECT_EQ(f.records[f.records.size() - 2].function, META_MOVETO);
}

TEST_F(WmfRecorderTest, PathCallsFailAndTheFiguresAreDrawnDirectly)
{
    EXPECT_FALSE(m_dc->BeginPath());
    EXPECT_FALSE(m_dc->IsInPath());
    m_dc->MoveTo(0, 0);
    m_dc->LineTo(10, 0);
    EXPECT_FALSE(m_dc->CloseFigure());
    EXPECT_FALSE(m_dc->EndPath());
    EXPECT_FALSE(m_dc->StrokeAndFillPath());
    const std::vector<std::uint16_t> expected = {META_MOVETO, META_LINETO, META_EOF};
    EXPECT_EQ(Finish().Functions(), expected);
}

TEST_F(WmfRecorderTest, FiguresOverTheCountLimitFailWithoutWriting)
{
    const std::vector<POINT> many(32768, POINT{1, 1});
    const std::vector<BYTE> comment(65536, 0);
    const DWORD counts[] = {2, 32768};
    std::vector<POINT> joined(32770, POINT{2, 2});
    EXPECT_TRUE(m_dc->Polyline(many.data(), 32767));
    const std::size_t before = Finish().records.size();
    EXPECT_EQ(before, 2u);

    m_dc = CreateMetaFileW(nullptr);
    EXPECT_FALSE(m_dc->Polyline(many.data(), 32768));
    EXPECT_FALSE(m_dc->PolyPolyline(joined.data(), counts, 2));
    EXPECT_FALSE(m_dc->GdiComment(65536, comment.data()));
    EXPECT_EQ(Finish().records.size(), 1u);
}

// State records

TEST_F(WmfRecorderTest, StateRecordsAreWrittenEvenWhenNothingChanges)
{
    m_dc->SetBkMode(OPAQUE);  // already opaque
    m_dc->SetBkMode(TRANSPARENT);
    m_dc->SetBkColor(RGB(1, 2, 3));
    m_dc->SetTextColor(RGB(4, 5, 6));
    m_dc->SetTextAlign(TA_BASELINE | TA_CENTER | TA_UPDATECP);
    m_dc->SetROP2(R2_XORPEN);
    m_dc->SetPolyFillMode(WINDING);
    m_dc->SetTextCharacterExtra(-3);
    m_dc->SetStretchBltMode(COLORONCOLOR);
    m_dc->SetMapMode(MM_TEXT);
    const WmfFile f = Finish();
    const std::vector<const WmfRecord*> bkModes = f.Find(META_SETBKMODE);
    ASSERT_EQ(bkModes.size(), 2u);
    EXPECT_EQ(bkModes[0]->params, (std::vector<std::uint16_t>{OPAQUE}));
    EXPECT_EQ(bkModes[1]->params, (std::vector<std::uint16_t>{TRANSPARENT}));
    EXPECT_EQ(Only(f, META_SETBKCOLOR).DWord(0), RGB(1, 2, 3));
    EXPECT_EQ(Only(f, META_SETTEXTCOLOR).DWord(0), RGB(4, 5, 6));
    EXPECT_EQ(Only(f, META_SETTEXTALIGN).params, (std::vector<std::uint16_t>{31}));
    EXPECT_EQ(Only(f, META_SETROP2).params, (std::vector<std::uint16_t>{R2_XORPEN}));
    EXPECT_EQ(Only(f, META_SETPOLYFILLMODE).params, (std::vector<std::uint16_t>{WINDING}));
    EXPECT_EQ(Only(f, META_SETTEXTCHAREXTRA).Short(0), -3);
    EXPECT_EQ(Only(f, META_SETSTRETCHBLTMODE).params, (std::vector<std::uint16_t>{COLORONCOLOR}));
    EXPECT_EQ(Only(f, META_SETMAPMODE).params, (std::vector<std::uint16_t>{MM_TEXT}));
}

TEST_F(WmfRecorderTest, RestoreDcIsWrittenRelative)
{
    m_dc->SaveDC();
    m_dc->SaveDC();
    m_dc->SaveDC();
    m_dc->RestoreDC(2);   // two levels back
    m_dc->RestoreDC(-1);  // the one left
    EXPECT_FALSE(m_dc->RestoreDC(-1));
    const WmfFile f = Finish();
    EXPECT_EQ(f.Find(META_SAVEDC).size(), 3u);
    EXPECT_EQ(f.Find(META_SAVEDC)[0]->sizeWords, 3u);
    const std::vector<const WmfRecord*> restores = f.Find(META_RESTOREDC);
    ASSERT_EQ(restores.size(), 2u);
    EXPECT_EQ(restores[0]->Short(0), -2);
    EXPECT_EQ(restores[1]->Short(0), -1);
}

// Text

TEST_F(WmfRecorderTest, TextIsWrittenInWindows1252WithSixteenBitAdvances)
{
    Owned font(MakeFont(u"Arial", ANSI_CHARSET));
    m_dc->SelectObject(font);
    const std::u16string text = u"A\u00FC\u20AC\u0416";  // A, u-umlaut, euro, a Cyrillic letter
    const INT dx[] = {10, 11, 70000, -4};
    EXPECT_TRUE(m_dc->ExtTextOutW(5, 6, 0, nullptr, text.data(), UINT(text.size()), dx));
    const WmfRecord r = Only(Finish(), META_EXTTEXTOUT);
    EXPECT_EQ(r.Short(0), 6);  // y first
    EXPECT_EQ(r.Short(1), 5);
    EXPECT_EQ(r.Word(2), 4);
    EXPECT_EQ(r.Word(3), 0);
    EXPECT_EQ(r.Text(4, 4), "A\xFC\x80?");
    EXPECT_EQ(r.Short(6), 10);
    EXPECT_EQ(r.Short(7), 11);
    EXPECT_EQ(r.Short(8), 32767);
    EXPECT_EQ(r.Short(9), -4);
    EXPECT_EQ(r.sizeWords, 3u + 4 + 2 + 4);
}

TEST_F(WmfRecorderTest, TextIsWrittenInWindows1251ForARussianFont)
{
    Owned font(MakeFont(u"Arial", RUSSIAN_CHARSET));
    m_dc->SelectObject(font);
    const std::u16string text = u"\u041C\u0438\u0440";  // "Mir"
    const INT dx[] = {12, 9, 8};
    m_dc->ExtTextOutW(0, 0, 0, nullptr, text.data(), 3, dx);
    const WmfRecord r = Only(Finish(), META_EXTTEXTOUT);
    EXPECT_EQ(r.Word(2), 3);
    EXPECT_EQ(r.Bytes(4, 4), (std::vector<BYTE>{0xCC, 0xE8, 0xF0, 0x00}));  // padded
    EXPECT_EQ(r.Short(6), 12);
    EXPECT_EQ(r.Short(7), 9);
    EXPECT_EQ(r.Short(8), 8);
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
    EXPECT_EQ(texts[0]->Word(3), ETO_OPAQUE);
    EXPECT_EQ(texts[0]->params, (std::vector<std::uint16_t>{0, 0, 2, ETO_OPAQUE, 1, 2, 30, 40,
                                                           0x6261, 7, 8}));
    // A rectangle option without a rectangle is dropped; no array, no advances.
    EXPECT_EQ(texts[1]->params, (std::vector<std::uint16_t>{0, 0, 2, 0, 0x6261}));
}

TEST_F(WmfRecorderTest, CharacterOfTwoUnitsIsOneQuestionMarkWithBothAdvances)
{
    const std::u16string text = u"x\U0001F600y";
    const INT dx[] = {5, 6, 7, 8};
    m_dc->ExtTextOutW(0, 0, 0, nullptr, text.data(), UINT(text.size()), dx);
    const WmfRecord r = Only(Finish(), META_EXTTEXTOUT);
    EXPECT_EQ(r.Word(2), 3);
    EXPECT_EQ(r.Text(4, 3), "x?y");
    EXPECT_EQ(r.Short(6), 5);
    EXPECT_EQ(r.Short(7), 13);
    EXPECT_EQ(r.Short(8), 8);
}

// Other records

TEST_F(WmfRecorderTest, CommentIsAnEscapeWithItsBytesPadded)
{
    const BYTE data[] = {'a', 'b', 'c'};
    EXPECT_TRUE(m_dc->GdiComment(3, data));
    const WmfRecord r = Only(Finish(), META_ESCAPE);
    EXPECT_EQ(r.Word(0), 0x000F);
    EXPECT_EQ(r.Word(1), 3);
    EXPECT_EQ(r.Bytes(2, 4), (std::vector<BYTE>{'a', 'b', 'c', 0}));
    EXPECT_EQ(r.sizeWords, 3u + 2 + 2);
}

TEST_F(WmfRecorderTest, FillRectPaintsWithItsBrushAndSelectsTheCurrentOneBack)
{
    Owned current(CreateSolidBrush(RGB(1, 1, 1)));
    Owned fill(CreateSolidBrush(RGB(2, 2, 2)));
    m_dc->SelectObject(current);
    const RECT rect{10, 20, 15, 28};
    EXPECT_TRUE(m_dc->FillRect(&rect, fill));
    const WmfFile f = Finish();
    const std::vector<std::uint16_t> expected = {
        META_CREATEBRUSHINDIRECT, META_SELECTOBJECT, META_CREATEBRUSHINDIRECT, META_SELECTOBJECT,
        META_PATBLT, META_SELECTOBJECT, META_EOF};
    ASSERT_EQ(f.Functions(), expected);
    EXPECT_EQ(f.records[3].Word(0), 1);
    EXPECT_EQ(f.records[4].params, (std::vector<std::uint16_t>{0x0021, 0x00F0, 8, 5, 20, 10}));
    EXPECT_EQ(f.records[5].Word(0), 0);
}

TEST_F(WmfRecorderTest, RecordingTwiceGivesTheSameBytes)
{
    auto draw = [](CTkDC& dc, HFONT font) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SelectObject(font);
        const std::u16string text = u"odd";
        dc.ExtTextOutW(1, 2, 0, nullptr, text.data(), 3, nullptr);
        const BYTE data[] = {1, 2, 3, 4, 5};
        dc.GdiComment(5, data);
    };
    Owned font(MakeFont(u"Times New Roman", ANSI_CHARSET));
    draw(*m_dc, font);
    Finish();
    const std::vector<BYTE> first = m_bits;
    m_dc = CreateMetaFileW(nullptr);
    draw(*m_dc, font);
    Finish();
    EXPECT_EQ(m_bits, first);
}

// The DC and the handle

TEST_F(WmfRecorderTest, MetafileDcReportsItsKind)
{
    EXPECT_EQ(m_dc->GetObjectType(), OBJ_METADC);
    EXPECT_EQ(m_dc->GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
    EXPECT_EQ(CreateMetaFileW(u"picture.wmf"), nullptr);
}

TEST_F(WmfRecorderTest, ClosedDcRecordsNothingAndClosesOnce)
{
    ASSERT_NE(CloseMetaFile(m_dc.get()), nullptr);
    EXPECT_EQ(CloseMetaFile(m_dc.get()), nullptr);
    EXPECT_FALSE(m_dc->Rectangle(0, 0, 1, 1));
    EXPECT_FALSE(m_dc->LineTo(1, 1));
    Owned pen(CreatePen(PS_SOLID, 1, 0));
    m_dc->SelectObject(pen);  // must not touch the finished metafile
    CTkDC screen;
    EXPECT_EQ(CloseMetaFile(&screen), nullptr);
    EXPECT_EQ(CloseMetaFile(nullptr), nullptr);
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
