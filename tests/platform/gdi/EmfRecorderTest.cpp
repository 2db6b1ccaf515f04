#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/EmfDecoder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <vector>

using namespace std::string_view_literals;

namespace {

using Draw = std::function<void(CTkDC&)>;

std::vector<std::uint8_t> RecordBytes(const Draw& draw, const RECT* pFrame = nullptr,
                                      std::u16string_view description = {},
                                      const CTkDC* pRefDC = nullptr)
{
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(pRefDC, pFrame, description);
    EXPECT_EQ(dc->GetObjectType(), OBJ_ENHMETADC);
    draw(*dc);
    const std::unique_ptr<CTkEnhMetaFile> emf = CloseEnhMetaFile(dc.get());
    if (!emf) {
        ADD_FAILURE() << "no metafile";
        return {};
    }
    const auto bits = emf->GetBits();
    return {bits.begin(), bits.end()};
}

EmfFile Record(const Draw& draw, const RECT* pFrame = nullptr,
               std::u16string_view description = {}, const CTkDC* pRefDC = nullptr)
{
    const std::vector<std::uint8_t> bytes = RecordBytes(draw, pFrame, description, pRefDC);
    std::string error;
    std::optional<EmfFile> file = DecodeEmf(bytes, &error);
    if (!file) {
        ADD_FAILURE() << "undecodable: " << error;
        return {};
    }
    return *file;
}

// The records between the header and EMR_EOF.
std::vector<EmfRecord> Body(const EmfFile& file)
{
    if (file.records.size() < 2)
        return {};
    return {file.records.begin() + 1, file.records.end() - 1};
}

std::vector<std::string> BodyNames(const EmfFile& file)
{
    std::vector<std::string> names = file.Names();
    if (names.size() < 2)
        return {};
    return {names.begin() + 1, names.end() - 1};
}

const EmfRecord& Only(const EmfFile& file, DWORD type)
{
    static const EmfRecord none;
    const auto found = file.Find(type);
    EXPECT_EQ(found.size(), 1u) << EmfRecordName(type);
    return found.empty() ? none : *found.front();
}

void Anisotropic(CTkDC& dc, SIZE window, SIZE viewport)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(viewport.cx, viewport.cy);
}

HFONT MakeFont(LONG height, std::u16string_view face = u"Arial")
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

// Deletes the GDI objects a test made, even when it fails half-way.
class ObjectsGuard {
public:
    HGDIOBJ operator()(HGDIOBJ h)
    {
        m_objects.push_back(h);
        return h;
    }
    ~ObjectsGuard()
    {
        for (HGDIOBJ h : m_objects)
            DeleteObject(h);
    }

private:
    std::vector<HGDIOBJ> m_objects;
};

// ---- header ----

TEST(EmfRecorderHeader, EmptyPictureHasHeaderAndEofWithTheReferenceDevice)
{
    const std::vector<std::uint8_t> bytes = RecordBytes([](CTkDC&) {});
    const EmfFile f = *DecodeEmf(bytes);
    const EmfHeader& h = f.header;
    EXPECT_EQ(f.Types(), (std::vector<std::uint32_t>{EMR_HEADER, EMR_EOF}));
    EXPECT_EQ(h.headerSize, 108u);
    EXPECT_EQ(h.nBytes, bytes.size());
    EXPECT_EQ(h.nBytes, 108u + 20u);
    EXPECT_EQ(h.nRecords, 2u);
    EXPECT_EQ(h.nHandles, 1);  // index 0 is always reserved
    EXPECT_EQ(h.reserved, 0);
    EXPECT_EQ(h.bounds, (RECT{0, 0, -1, -1}));
    EXPECT_EQ(h.frame, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(h.signature, 0x464D4520u);
    EXPECT_EQ(h.version, 0x10000u);
    EXPECT_EQ(h.nDescription, 0u);
    EXPECT_EQ(h.offDescription, 0u);
    EXPECT_EQ(h.nPalEntries, 0u);
    EXPECT_EQ(h.device, (SIZE{1920, 1080}));
    EXPECT_EQ(h.millimeters, (SIZE{508, 286}));
    EXPECT_EQ(h.cbPixelFormat, 0u);
    EXPECT_EQ(h.offPixelFormat, 0u);
    EXPECT_EQ(h.bOpenGL, 0u);
    EXPECT_EQ(h.micrometers, (SIZE{508000, 286000}));

    const EmfRecord& eof = f.records.back();
    EXPECT_EQ(eof.size, 20u);
    EXPECT_EQ(eof.U32(8), 0u);    // nPalEntries
    EXPECT_EQ(eof.U32(12), 16u);  // offPalEntries
    EXPECT_EQ(eof.U32(16), 20u);  // nSizeLast
}

TEST(EmfRecorderHeader, DescriptionKeepsItsNullsAndIsPadded)
{
    constexpr std::u16string_view desc = u"Glyphar\0pic.emf\0"sv;
    const EmfFile f = Record([](CTkDC&) {}, nullptr, desc);
    EXPECT_EQ(f.header.nDescription, 16u);
    EXPECT_EQ(f.header.offDescription, 108u);
    EXPECT_EQ(f.header.headerSize, 108u + 32u);
    EXPECT_EQ(f.header.description, desc);

    // Three characters take six bytes and two of padding, both zero.
    const EmfFile odd = Record([](CTkDC&) {}, nullptr, u"ab\0"sv);
    EXPECT_EQ(odd.header.headerSize, 116u);
    EXPECT_EQ(odd.header.description, u"ab\0"sv);
    EXPECT_EQ(odd.records.front().U16(114), 0);
}

TEST(EmfRecorderHeader, ReferenceDcGivesTheDeviceSize)
{
    TkDeviceCaps caps;
    caps.horzRes = 800;
    caps.vertRes = 600;
    caps.horzSizeMm = 320;
    caps.vertSizeMm = 240;
    const CTkDC ref(nullptr, OBJ_DC, caps);
    const EmfFile f = Record([](CTkDC&) {}, nullptr, {}, &ref);
    EXPECT_EQ(f.header.device, (SIZE{800, 600}));
    EXPECT_EQ(f.header.millimeters, (SIZE{320, 240}));
    EXPECT_EQ(f.header.micrometers, (SIZE{320000, 240000}));
}

TEST(EmfRecorderHeader, FrameIsTheGivenOneOrComesFromTheBounds)
{
    const RECT frame{0, 0, 2000, 1000};
    const EmfFile given = Record([](CTkDC& dc) { dc.Rectangle(0, 0, 10, 10); }, &frame);
    EXPECT_EQ(given.header.frame, frame);

    // Bounds (0, 0, 96, 48) on 1920 px = 508 mm and 1080 px = 286 mm.
    const EmfFile computed = Record([](CTkDC& dc) { dc.Rectangle(0, 0, 97, 49); });
    EXPECT_EQ(computed.header.bounds, (RECT{0, 0, 96, 48}));
    EXPECT_EQ(computed.header.frame, (RECT{0, 0, 2540, 1271}));
}

TEST(EmfRecorderHeader, BoundsAreTheUnionOfWhatWasDrawnInDeviceUnits)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.Rectangle(10, 20, 110, 70);
        dc.MoveTo(200, 5);
        dc.LineTo(210, 300);
    });
    EXPECT_EQ(f.header.bounds, (RECT{10, 5, 210, 300}));

    // Two device pixels per logical unit, origin moved.
    const EmfFile scaled = Record([](CTkDC& dc) {
        Anisotropic(dc, {1, 1}, {2, 2});
        dc.SetViewportOrg(100, 100);
        const POINT pts[] = {{0, 0}, {10, -5}};
        dc.Polyline(pts, 2);
    });
    EXPECT_EQ(scaled.header.bounds, (RECT{100, 90, 120, 100}));
    EXPECT_EQ(Only(scaled, EMR_POLYLINE16).Rect(8), (RECT{100, 90, 120, 100}));
}

TEST(EmfRecorderHeader, WidePensWidenTheBoundsByHalfTheirWidth)
{
    ObjectsGuard keep;
    const HPEN wide = keep(CreatePen(PS_SOLID, 10, 0));
    const HPEN inside = keep(CreatePen(PS_INSIDEFRAME, 10, 0));
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(wide);
        dc.Rectangle(10, 20, 111, 71);
    });
    EXPECT_EQ(f.header.bounds, (RECT{5, 15, 115, 75}));

    // An inside-frame pen stays inside a box, but not along a line.
    const EmfFile g = Record([&](CTkDC& dc) {
        dc.SelectObject(inside);
        dc.Rectangle(10, 20, 111, 71);
        dc.MoveTo(200, 200);
        dc.LineTo(300, 200);
    });
    EXPECT_EQ(g.header.bounds, (RECT{10, 20, 305, 205}));
}

// ---- objects ----

TEST(EmfRecorderObjects, IndicesStartAtOneAndFreedOnesAreReused)
{
    ObjectsGuard keep;
    const HPEN a = keep(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HBRUSH b = keep(CreateSolidBrush(RGB(0, 255, 0)));
    const HFONT c = keep(MakeFont(-20));
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(a);
        dc.SelectObject(b);
        dc.SelectObject(GetStockObject(BLACK_PEN));
        DeleteObject(a);
        dc.SelectObject(c);
    });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{
                                "EMR_CREATEPEN", "EMR_SELECTOBJECT", "EMR_CREATEBRUSHINDIRECT",
                                "EMR_SELECTOBJECT", "EMR_SELECTOBJECT", "EMR_DELETEOBJECT",
                                "EMR_EXTCREATEFONTINDIRECTW", "EMR_SELECTOBJECT"}));
    const std::vector<EmfRecord> body = Body(f);
    EXPECT_EQ(body[0].U32(8), 1u);
    EXPECT_EQ(body[1].U32(8), 1u);
    EXPECT_EQ(body[2].U32(8), 2u);
    EXPECT_EQ(body[3].U32(8), 2u);
    EXPECT_EQ(body[5].U32(8), 1u);
    EXPECT_EQ(body[6].U32(8), 1u);  // the font takes the pen's freed index
    EXPECT_EQ(body[7].U32(8), 1u);
    EXPECT_EQ(f.header.nHandles, 3);
}

TEST(EmfRecorderObjects, AnObjectIsWrittenOnceHoweverOftenItIsSelected)
{
    ObjectsGuard keep;
    const HPEN pen = keep(CreatePen(PS_DASH, 3, RGB(1, 2, 3)));
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(pen);
        dc.SelectObject(GetStockObject(WHITE_PEN));
        dc.SelectObject(pen);
    });
    const auto creates = f.Find(EMR_CREATEPEN);
    ASSERT_EQ(creates.size(), 1u);
    const EmfRecord& create = *creates.front();
    EXPECT_EQ(create.size, 28u);
    EXPECT_EQ(create.U32(8), 1u);
    EXPECT_EQ(create.U32(12), PS_DASH);
    EXPECT_EQ(create.Point(16), (POINT{3, 0}));
    EXPECT_EQ(create.U32(24), RGB(1, 2, 3));
    const auto selects = f.Find(EMR_SELECTOBJECT);
    ASSERT_EQ(selects.size(), 3u);
    EXPECT_EQ(selects[0]->U32(8), 1u);
    EXPECT_EQ(selects[1]->U32(8), 0x80000000u + WHITE_PEN);
    EXPECT_EQ(selects[2]->U32(8), 1u);
}

TEST(EmfRecorderObjects, StockObjectsAreSelectedByTheirNumber)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.SelectObject(GetStockObject(NULL_BRUSH));
        dc.SelectObject(GetStockObject(BLACK_PEN));
        dc.SelectObject(GetStockObject(DEFAULT_GUI_FONT));
        dc.SelectObject(GetStockObject(DEFAULT_PALETTE));
    });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_SELECTOBJECT", "EMR_SELECTOBJECT",
                                                      "EMR_SELECTOBJECT", "EMR_SELECTPALETTE"}));
    const std::vector<EmfRecord> body = Body(f);
    EXPECT_EQ(body[0].U32(8), 0x80000005u);
    EXPECT_EQ(body[1].U32(8), 0x80000007u);
    EXPECT_EQ(body[2].U32(8), 0x80000011u);
    EXPECT_EQ(body[3].U32(8), 0x8000000Fu);
    EXPECT_EQ(f.header.nHandles, 1);
}

TEST(EmfRecorderObjects, DeletingWritesOnlyForRecordedObjects)
{
    ObjectsGuard keep;
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
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{
                                "EMR_CREATEBRUSHINDIRECT", "EMR_SELECTOBJECT",
                                "EMR_SELECTOBJECT", "EMR_DELETEOBJECT",
                                "EMR_CREATEBRUSHINDIRECT", "EMR_SELECTOBJECT"}));
    const EmfRecord& hatched = *f.Find(EMR_CREATEBRUSHINDIRECT).front();
    EXPECT_EQ(hatched.U32(12), BS_HATCHED);
    EXPECT_EQ(hatched.U32(16), RGB(0, 0, 255));
    EXPECT_EQ(hatched.U32(20), DWORD(HS_CROSS));
    EXPECT_EQ(f.Find(EMR_DELETEOBJECT).front()->U32(8), 1u);
    EXPECT_EQ(f.Find(EMR_CREATEBRUSHINDIRECT).back()->U32(8), 1u);
}

TEST(EmfRecorderObjects, ExtendedPenCarriesStyleEntriesAndPattern)
{
    ObjectsGuard keep;
    const LOGBRUSH solid{BS_SOLID, RGB(9, 8, 7), 0};
    const DWORD style[] = {6, 2, 1, 2};
    const HPEN user = keep(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 12,
                                        &solid, 4, style));
    const HBITMAP bitmap = keep(CreateBitmap(8, 8, 1, 1, {}));
    const LOGBRUSH pattern{BS_PATTERN, 0, bitmap};
    const HPEN patterned = keep(ExtCreatePen(PS_GEOMETRIC, 4, &pattern, 0, nullptr));
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(user);
        dc.SelectObject(patterned);
    });
    const auto pens = f.Find(EMR_EXTCREATEPEN);
    ASSERT_EQ(pens.size(), 2u);
    const EmfRecord& p = *pens[0];
    EXPECT_EQ(p.size, 52u + 16u);
    EXPECT_EQ(p.U32(12), 0u);  // no bitmap
    EXPECT_EQ(p.U32(16), 0u);
    EXPECT_EQ(p.U32(28), PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT);
    EXPECT_EQ(p.U32(32), 12u);
    EXPECT_EQ(p.U32(36), BS_SOLID);
    EXPECT_EQ(p.U32(40), RGB(9, 8, 7));
    EXPECT_EQ(p.U32(48), 4u);
    EXPECT_EQ(p.U32(52), 6u);
    EXPECT_EQ(p.U32(64), 2u);

    // An 8 × 8 monochrome pattern: a 40-byte header, two colours, 8 rows of 4 bytes.
    const EmfRecord& q = *pens[1];
    EXPECT_EQ(q.U32(36), BS_PATTERN);
    EXPECT_EQ(q.U32(44), 0u);  // the bitmap handle is not written
    EXPECT_EQ(q.U32(12), 52u);
    EXPECT_EQ(q.U32(16), 48u);
    EXPECT_EQ(q.U32(20), 100u);
    EXPECT_EQ(q.U32(24), 32u);
    EXPECT_EQ(q.size, 132u);
    EXPECT_EQ(q.U16(52 + 14), 1);  // biBitCount
}

TEST(EmfRecorderObjects, PatternBrushesCarryTheirDib)
{
    ObjectsGuard keep;
    // A 2 × 2 24-bit DIB: header, then two rows of 6 bytes padded to 8.
    std::vector<std::uint8_t> dib(40 + 16, 0);
    dib[0] = 40;
    dib[4] = 2;
    dib[8] = 2;
    dib[12] = 1;
    dib[14] = 24;
    for (std::size_t i = 40; i < dib.size(); ++i)
        dib[i] = std::uint8_t(i);
    const HBRUSH dibBrush = keep(CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS));
    // Rows of 16 bits in the bitmap, of 32 bits in the DIB, bottom row first.
    const std::uint8_t bits[] = {0xF0, 0, 0x0F, 0};
    const HBITMAP mono = keep(CreateBitmap(8, 2, 1, 1, bits));
    const HBRUSH monoBrush = keep(CreatePatternBrush(mono));
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(dibBrush);
        dc.SelectObject(monoBrush);
    });

    const EmfRecord& d = Only(f, EMR_CREATEDIBPATTERNBRUSHPT);
    EXPECT_EQ(d.U32(8), 1u);
    EXPECT_EQ(d.U32(12), DIB_RGB_COLORS);
    EXPECT_EQ(d.U32(16), 32u);
    EXPECT_EQ(d.U32(20), 40u);
    EXPECT_EQ(d.U32(24), 72u);
    EXPECT_EQ(d.U32(28), 16u);
    EXPECT_EQ(d.Bytes(32, 40), std::vector<std::uint8_t>(dib.begin(), dib.begin() + 40));
    EXPECT_EQ(d.Bytes(72, 16), std::vector<std::uint8_t>(dib.begin() + 40, dib.end()));

    const EmfRecord& m = Only(f, EMR_CREATEMONOBRUSH);
    EXPECT_EQ(m.U32(8), 2u);
    EXPECT_EQ(m.U32(20), 48u);
    EXPECT_EQ(m.U32(24), 80u);
    EXPECT_EQ(m.U32(28), 8u);
    EXPECT_EQ(m.U32(32 + 40), RGB(0, 0, 0));
    EXPECT_EQ(m.U32(32 + 44), RGB(255, 255, 255));
    EXPECT_EQ(m.Bytes(80, 8), (std::vector<std::uint8_t>{0x0F, 0, 0, 0, 0xF0, 0, 0, 0}));
}

TEST(EmfRecorderObjects, FontRecordIsTheLogFontWithClearedTail)
{
    ObjectsGuard keep;
    LOGFONTW lf{};
    lf.lfHeight = -353;
    lf.lfWidth = 7;
    lf.lfEscapement = 900;
    lf.lfOrientation = 450;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfPitchAndFamily = 0x22;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'x');
    std::copy_n(u"Arial", 6, lf.lfFaceName);  // with its null; 'x' left behind it
    const HFONT font = keep(CreateFontIndirectW(&lf));
    const EmfFile f = Record([&](CTkDC& dc) { dc.SelectObject(font); });

    const EmfRecord& r = Only(f, EMR_EXTCREATEFONTINDIRECTW);
    EXPECT_EQ(r.size, 368u);
    EXPECT_EQ(r.I32(12), -353);
    EXPECT_EQ(r.I32(16), 7);
    EXPECT_EQ(r.I32(20), 900);
    EXPECT_EQ(r.I32(24), 450);
    EXPECT_EQ(r.I32(28), FW_BOLD);
    EXPECT_EQ(r.U8(32), 1);
    EXPECT_EQ(r.U8(35), SYMBOL_CHARSET);
    EXPECT_EQ(r.U8(39), 0x22);
    EXPECT_EQ(r.Utf16(40, 5), u"Arial");
    EXPECT_EQ(r.Bytes(50, 310), std::vector<std::uint8_t>(310, 0))
        << "face name tail, full name, style and script";
    EXPECT_EQ(r.U32(360), 0x08007664u);  // design vector signature, no axes
    EXPECT_EQ(r.U32(364), 0u);
}

TEST(EmfRecorderObjects, PaletteIsCreatedAndSelectedWithItsOwnRecord)
{
    ObjectsGuard keep;
    const PALETTEENTRY entries[] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    const HPALETTE pal = keep(CreatePalette(entries));
    const EmfFile f = Record([&](CTkDC& dc) { dc.SelectObject(pal); });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_CREATEPALETTE", "EMR_SELECTPALETTE"}));
    const EmfRecord& r = Only(f, EMR_CREATEPALETTE);
    EXPECT_EQ(r.size, 28u);
    EXPECT_EQ(r.U32(8), 1u);
    EXPECT_EQ(r.U16(12), 0x300);
    EXPECT_EQ(r.U16(14), 3);
    EXPECT_EQ(r.Bytes(16, 12),
              (std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}));
    EXPECT_EQ(Only(f, EMR_SELECTPALETTE).U32(8), 1u);
}

// ---- state ----

TEST(EmfRecorderState, EverySetterWritesItsRecordEvenWhenNothingChanges)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.SetMapMode(MM_TEXT);
        dc.SetBkMode(OPAQUE);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(RGB(255, 255, 255));
        dc.SetTextColor(RGB(1, 2, 3));
        dc.SetTextAlign(TA_BASELINE);
        dc.SetROP2(R2_COPYPEN);
        dc.SetArcDirection(AD_CLOCKWISE);
        dc.SetPolyFillMode(WINDING);
        dc.SetMiterLimit(10.0f);
        dc.SetBrushOrg(3, 4);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.SetWindowOrg(-5, 6);
        dc.SetViewportOrg(7, -8);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 2000);
        dc.SetViewportExt(10, -20);
        dc.MoveTo(11, 12);
    });
    EXPECT_EQ(BodyNames(f),
              (std::vector<std::string>{
                  "EMR_SETMAPMODE", "EMR_SETBKMODE", "EMR_SETBKMODE", "EMR_SETBKCOLOR",
                  "EMR_SETTEXTCOLOR", "EMR_SETTEXTALIGN", "EMR_SETROP2", "EMR_SETARCDIRECTION",
                  "EMR_SETPOLYFILLMODE", "EMR_SETMITERLIMIT", "EMR_SETBRUSHORGEX",
                  "EMR_SETSTRETCHBLTMODE", "EMR_SETWINDOWORGEX", "EMR_SETVIEWPORTORGEX",
                  "EMR_SETMAPMODE", "EMR_SETWINDOWEXTEX", "EMR_SETVIEWPORTEXTEX",
                  "EMR_MOVETOEX"}));
    const std::vector<EmfRecord> b = Body(f);
    EXPECT_EQ(b[0].U32(8), DWORD(MM_TEXT));
    EXPECT_EQ(b[2].U32(8), DWORD(OPAQUE));
    EXPECT_EQ(b[3].U32(8), RGB(255, 255, 255));
    EXPECT_EQ(b[4].U32(8), RGB(1, 2, 3));
    EXPECT_EQ(b[5].U32(8), TA_BASELINE);
    EXPECT_EQ(b[6].U32(8), DWORD(R2_COPYPEN));
    EXPECT_EQ(b[7].U32(8), DWORD(AD_CLOCKWISE));
    EXPECT_EQ(b[8].U32(8), DWORD(WINDING));
    EXPECT_EQ(b[9].F32(8), 10.0f);
    EXPECT_EQ(b[10].Point(8), (POINT{3, 4}));
    EXPECT_EQ(b[11].U32(8), DWORD(COLORONCOLOR));
    EXPECT_EQ(b[12].Point(8), (POINT{-5, 6}));
    EXPECT_EQ(b[13].Point(8), (POINT{7, -8}));
    EXPECT_EQ(b[15].Size(8), (SIZE{1000, 2000}));
    EXPECT_EQ(b[16].Size(8), (SIZE{10, -20}));
    EXPECT_EQ(b[17].Point(8), (POINT{11, 12}));
}

TEST(EmfRecorderState, CharacterExtraAndGraphicsModeHaveNoRecord)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.SetTextCharacterExtra(3);
        dc.SetGraphicsMode(GM_ADVANCED);
        dc.SetGraphicsMode(GM_COMPATIBLE);
    });
    EXPECT_TRUE(BodyNames(f).empty());
}

TEST(EmfRecorderState, RestoreLevelsAreWrittenRelative)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.SaveDC();
        dc.SaveDC();
        dc.SaveDC();
        EXPECT_TRUE(dc.RestoreDC(-1));
        EXPECT_TRUE(dc.RestoreDC(1));  // the oldest of the two left: two back
        EXPECT_FALSE(dc.RestoreDC(1));
    });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_SAVEDC", "EMR_SAVEDC", "EMR_SAVEDC",
                                                      "EMR_RESTOREDC", "EMR_RESTOREDC"}));
    const auto restores = f.Find(EMR_RESTOREDC);
    EXPECT_EQ(restores[0]->I32(8), -1);
    EXPECT_EQ(restores[1]->I32(8), -2);
}

// The recorder keeps its own save depth, whatever DC drives it.
TEST(EmfRecorderState, RestoreOfAnUnsavedLevelIsNotWritten)
{
    CTkEnhMetaFileRecorder recorder(TkDeviceCaps::ReferenceDevice(), nullptr, {});
    CTkDC dc;
    recorder.OnSaveDC(dc);
    recorder.OnRestoreDC(dc, -2);
    recorder.OnRestoreDC(dc, 2);
    recorder.OnRestoreDC(dc, 0);
    recorder.OnRestoreDC(dc, 1);
    recorder.OnRestoreDC(dc, -1);  // nothing saved any more
    const auto emf = recorder.Close();
    const EmfFile f = *DecodeEmf(emf->GetBits());
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_SAVEDC", "EMR_RESTOREDC"}));
    EXPECT_EQ(Only(f, EMR_RESTOREDC).I32(8), -1);
}

TEST(EmfRecorderState, ClippingRecords)
{
    const RECT device{1, 2, 30, 40};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.IntersectClipRect(0, 0, 100, 50);
        dc.ExcludeClipRect(10, 10, 20, 20);
        dc.SelectClipRect(&device);
        dc.SelectClipRect(nullptr);
    });
    EXPECT_EQ(Only(f, EMR_INTERSECTCLIPRECT).Rect(8), (RECT{0, 0, 100, 50}));
    EXPECT_EQ(Only(f, EMR_EXCLUDECLIPRECT).Rect(8), (RECT{10, 10, 20, 20}));
    const auto regions = f.Find(EMR_EXTSELECTCLIPRGN);
    ASSERT_EQ(regions.size(), 2u);
    const EmfRecord& r = *regions[0];
    EXPECT_EQ(r.size, 64u);
    EXPECT_EQ(r.U32(8), 48u);
    EXPECT_EQ(r.U32(12), RGN_COPY);
    EXPECT_EQ(r.U32(16), 32u);  // RGNDATAHEADER size
    EXPECT_EQ(r.U32(20), 1u);   // RDH_RECTANGLES
    EXPECT_EQ(r.U32(24), 1u);
    EXPECT_EQ(r.Rect(32), device);
    EXPECT_EQ(r.Rect(48), device);
    EXPECT_EQ(regions[1]->size, 16u);
    EXPECT_EQ(regions[1]->U32(8), 0u);
    EXPECT_EQ(regions[1]->U32(12), RGN_COPY);
}

// ---- boxes ----

TEST(EmfRecorderBoxes, BoxIsNormalisedAndLosesOneDeviceUnitAtRightAndBottom)
{
    const EmfFile f = Record([](CTkDC& dc) {
        EXPECT_TRUE(dc.Rectangle(10, 10, 0, 0));
        dc.Ellipse(0, 0, 20, 30);
        dc.RoundRect(0, 0, 20, 30, 5, 6);
        dc.Arc(0, 0, 20, 30, 1, 2, 3, 4);
        dc.Chord(20, 30, 0, 0, 1, 2, 3, 4);
        dc.Pie(0, 0, 20, 30, 1, 2, 3, 4);
        dc.MoveTo(-10, -10);
        dc.ArcTo(0, 0, 20, 30, 1, 2, 3, 4);
    });
    EXPECT_EQ(Only(f, EMR_RECTANGLE).Rect(8), (RECT{0, 0, 9, 9}));
    EXPECT_EQ(Only(f, EMR_ELLIPSE).Rect(8), (RECT{0, 0, 19, 29}));
    const EmfRecord& rr = Only(f, EMR_ROUNDRECT);
    EXPECT_EQ(rr.Rect(8), (RECT{0, 0, 19, 29}));
    EXPECT_EQ(rr.Size(24), (SIZE{5, 6}));
    for (DWORD type : {EMR_ARC, EMR_CHORD, EMR_PIE, EMR_ARCTO}) {
        const EmfRecord& r = Only(f, type);
        EXPECT_EQ(r.Rect(8), (RECT{0, 0, 19, 29})) << r.Name();
        EXPECT_EQ(r.Point(24), (POINT{1, 2})) << r.Name();
        EXPECT_EQ(r.Point(32), (POINT{3, 4})) << r.Name();
    }
    // ArcTo draws from the current position.
    EXPECT_EQ(f.header.bounds, (RECT{-10, -10, 19, 29}));
}

TEST(EmfRecorderBoxes, EmptyBoxesAreRefusedAndNotRecorded)
{
    const EmfFile f = Record([](CTkDC& dc) {
        EXPECT_FALSE(dc.Rectangle(5, 5, 5, 20));
        EXPECT_FALSE(dc.Ellipse(0, 7, 10, 7));
        EXPECT_FALSE(dc.Arc(3, 0, 3, 9, 0, 0, 1, 1));
        EXPECT_FALSE(dc.RoundRect(0, 0, 0, 0, 1, 1));
    });
    EXPECT_TRUE(BodyNames(f).empty());
    EXPECT_EQ(f.header.bounds, (RECT{0, 0, -1, -1}));
}

TEST(EmfRecorderBoxes, ReductionIsOneDeviceUnitInLogicalUnits)
{
    const EmfFile f = Record([](CTkDC& dc) {
        Anisotropic(dc, {1000, 1000}, {10, 10});
        EXPECT_EQ(TkDeviceUnitInLogical(dc), (SIZE{100, 100}));
        dc.Rectangle(0, 0, 1000, 500);
        dc.Ellipse(0, 0, 50, 500);  // narrower than a device unit: keeps zero width
    });
    EXPECT_EQ(Only(f, EMR_RECTANGLE).Rect(8), (RECT{0, 0, 900, 400}));
    EXPECT_EQ(Only(f, EMR_ELLIPSE).Rect(8), (RECT{0, 0, 0, 400}));
    EXPECT_EQ(f.header.bounds, (RECT{0, 0, 9, 4}));
}

TEST(EmfRecorderBoxes, AdvancedGraphicsModeKeepsTheBox)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.SetGraphicsMode(GM_ADVANCED);
        dc.Rectangle(10, 10, 0, 0);
    });
    EXPECT_EQ(Only(f, EMR_RECTANGLE).Rect(8), (RECT{0, 0, 10, 10}));
}

// A box read from a metafile and drawn again, with the drawing side's adjustment
// (one device unit added at right and bottom), comes out as it went in; and a box
// drawn, read back and adjusted is the box that was drawn.
TEST(EmfRecorderBoxes, ReadBackBoxesSurviveARedraw)
{
    struct Mapping {
        SIZE window;
        SIZE viewport;
    };
    const Mapping mappings[] = {{{1, 1}, {1, 1}}, {{1000, 1000}, {10, 10}},
                                {{2540, 2540}, {96, 96}}, {{1000, 500}, {-10, 50}}};
    const RECT boxes[] = {{0, 0, 900, 400}, {-350, 20, 4000, 7777}, {5, 5, 6, 6}};
    for (const Mapping& m : mappings) {
        for (const RECT& box : boxes) {
            SIZE unit{};
            const auto redraw = [&](const RECT& b) {
                return Record([&](CTkDC& dc) {
                    Anisotropic(dc, m.window, m.viewport);
                    unit = TkDeviceUnitInLogical(dc);
                    dc.Rectangle(b.left, b.top, b.right + unit.cx, b.bottom + unit.cy);
                });
            };
            const RECT once = Only(redraw(box), EMR_RECTANGLE).Rect(8);
            EXPECT_EQ(once, box) << m.window.cx << "/" << m.viewport.cx;
            const RECT twice = Only(redraw(once), EMR_RECTANGLE).Rect(8);
            EXPECT_EQ(twice, box);
            // The other way: the recorded box plus the unit is what was drawn.
            const RECT drawn{box.left, box.top, box.right + 3 * unit.cx,
                             box.bottom + 2 * unit.cy};
            const RECT recorded = Only(Record([&](CTkDC& dc) {
                                           Anisotropic(dc, m.window, m.viewport);
                                           dc.Rectangle(drawn.left, drawn.top, drawn.right,
                                                        drawn.bottom);
                                       }),
                                       EMR_RECTANGLE)
                                      .Rect(8);
            EXPECT_EQ((RECT{recorded.left, recorded.top, recorded.right + unit.cx,
                            recorded.bottom + unit.cy}),
                      drawn);
        }
    }
}

// ---- lines and polys ----

TEST(EmfRecorderPolys, SixteenBitFormsWhenEveryPointFits)
{
    const POINT small[] = {{-32768, 0}, {32767, -5}, {3, 4}};
    const POINT large[] = {{0, 0}, {32768, 0}, {3, 4}};
    const POINT low[] = {{0, -32769}, {1, 1}};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.Polyline(small, 3);
        dc.Polyline(large, 3);
        dc.Polygon(low, 2);
        dc.Polygon(small, 3);
    });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_POLYLINE16", "EMR_POLYLINE",
                                                      "EMR_POLYGON", "EMR_POLYGON16"}));
    const std::vector<EmfRecord> b = Body(f);
    EXPECT_EQ(b[0].size, 28u + 12u);
    EXPECT_EQ(b[0].U32(24), 3u);
    EXPECT_EQ(b[0].PolyPoints(), std::vector<POINT>(std::begin(small), std::end(small)));
    EXPECT_EQ(b[0].Rect(8), (RECT{-32768, -5, 32767, 4}));
    EXPECT_EQ(b[1].size, 28u + 24u);
    EXPECT_EQ(b[1].PolyPoints(), std::vector<POINT>(std::begin(large), std::end(large)));
    EXPECT_EQ(b[2].PolyPoints(), std::vector<POINT>(std::begin(low), std::end(low)));
}

TEST(EmfRecorderPolys, CurvesAndConnectedFormsIncludeTheCurrentPosition)
{
    const POINT bezier[] = {{0, 0}, {10, 40}, {20, 40}, {30, 0}};
    const POINT to[] = {{50, 60}, {70, 80}, {90, 100}};
    const POINT far[] = {{100000, 0}, {0, 0}, {1, 1}};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.PolyBezier(bezier, 4);
        dc.MoveTo(-20, -30);
        dc.PolylineTo(to, 2);
        dc.PolyBezierTo(to, 3);
        dc.PolyBezierTo(far, 3);
    });
    EXPECT_EQ(BodyNames(f), (std::vector<std::string>{"EMR_POLYBEZIER16", "EMR_MOVETOEX",
                                                      "EMR_POLYLINETO16", "EMR_POLYBEZIERTO16",
                                                      "EMR_POLYBEZIERTO"}));
    const std::vector<EmfRecord> b = Body(f);
    EXPECT_EQ(b[0].Rect(8), (RECT{0, 0, 30, 40}));  // the control points
    EXPECT_EQ(b[2].Rect(8), (RECT{-20, -30, 70, 80}));
    EXPECT_EQ(b[3].Rect(8), (RECT{50, 60, 90, 100}));  // from the end of the polyline
    EXPECT_EQ(b[4].PolyPoints(), std::vector<POINT>(std::begin(far), std::end(far)));
}

TEST(EmfRecorderPolys, PolyPolyRecordsCarryTheirCounts)
{
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {-30, 25}};
    const DWORD lineCounts[] = {3, 2};
    const INT polyCounts[] = {2, 3};
    POINT wide[5];
    std::copy(std::begin(pts), std::end(pts), wide);
    wide[4] = {-40000, 25};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.PolyPolyline(pts, lineCounts, 2);
        dc.PolyPolygon(wide, polyCounts, 2);
    });
    const EmfRecord& lines = Only(f, EMR_POLYPOLYLINE16);
    EXPECT_EQ(lines.size, 32u + 8u + 20u);
    EXPECT_EQ(lines.U32(24), 2u);
    EXPECT_EQ(lines.U32(28), 5u);
    EXPECT_EQ(lines.PolyCounts(), (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(lines.PolyPoints(), std::vector<POINT>(std::begin(pts), std::end(pts)));
    EXPECT_EQ(lines.Rect(8), (RECT{-30, 0, 20, 25}));
    const EmfRecord& polys = Only(f, EMR_POLYPOLYGON);
    EXPECT_EQ(polys.size, 32u + 8u + 40u);
    EXPECT_EQ(polys.PolyCounts(), (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(polys.PolyPoints(), std::vector<POINT>(std::begin(wide), std::end(wide)));
}

TEST(EmfRecorderPolys, MalformedPolysAreRefused)
{
    const POINT pts[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    const EmfFile f = Record([&](CTkDC& dc) {
        EXPECT_FALSE(dc.Polyline(pts, 1));
        EXPECT_FALSE(dc.PolyBezier(pts, 5));
        EXPECT_FALSE(dc.PolyBezierTo(pts, 4));
        EXPECT_FALSE(dc.Polygon(nullptr, 3));
    });
    EXPECT_TRUE(BodyNames(f).empty());
}

TEST(EmfRecorderPolys, LineAndPixelRecords)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.MoveTo(5, 6);
        EXPECT_TRUE(dc.LineTo(-7, 8));
        EXPECT_EQ(dc.SetPixel(100, 200, RGB(1, 2, 3)), RGB(1, 2, 3));
    });
    EXPECT_EQ(Only(f, EMR_MOVETOEX).Point(8), (POINT{5, 6}));
    EXPECT_EQ(Only(f, EMR_LINETO).Point(8), (POINT{-7, 8}));
    const EmfRecord& pixel = Only(f, EMR_SETPIXELV);
    EXPECT_EQ(pixel.Point(8), (POINT{100, 200}));
    EXPECT_EQ(pixel.U32(16), RGB(1, 2, 3));
    EXPECT_EQ(f.header.bounds, (RECT{-7, 6, 100, 200}));
}

// ---- paths ----

TEST(EmfRecorderPaths, PathGrowsTheBoundsOnlyWhenDrawn)
{
    ObjectsGuard keep;
    const HPEN wide = keep(CreatePen(PS_SOLID, 6, 0));
    const EmfFile aborted = Record([](CTkDC& dc) {
        dc.BeginPath();
        dc.Rectangle(0, 0, 50, 50);
        dc.EndPath();
        dc.BeginPath();
        dc.Rectangle(0, 0, 60, 60);
        dc.AbortPath();
        EXPECT_FALSE(dc.StrokePath());  // nothing left to stroke
    });
    EXPECT_EQ(aborted.header.bounds, (RECT{0, 0, -1, -1}));
    EXPECT_TRUE(aborted.Find(EMR_STROKEPATH).empty());

    const EmfFile drawn = Record([&](CTkDC& dc) {
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
    EXPECT_EQ(BodyNames(drawn),
              (std::vector<std::string>{"EMR_CREATEPEN", "EMR_SELECTOBJECT", "EMR_BEGINPATH",
                                        "EMR_MOVETOEX", "EMR_LINETO", "EMR_LINETO",
                                        "EMR_CLOSEFIGURE", "EMR_ENDPATH", "EMR_FILLPATH",
                                        "EMR_BEGINPATH", "EMR_RECTANGLE", "EMR_ENDPATH",
                                        "EMR_STROKEANDFILLPATH"}));
    EXPECT_EQ(Only(drawn, EMR_FILLPATH).Rect(8), (RECT{10, 10, 100, 50}));  // no pen
    EXPECT_EQ(Only(drawn, EMR_STROKEANDFILLPATH).Rect(8), (RECT{197, 197, 303, 303}));
    EXPECT_EQ(drawn.header.bounds, (RECT{10, 10, 303, 303}));
}

TEST(EmfRecorderPaths, StrokePathCarriesThePathBounds)
{
    const EmfFile f = Record([](CTkDC& dc) {
        dc.BeginPath();
        dc.Ellipse(-5, -5, 6, 16);
        dc.EndPath();
        dc.StrokePath();
    });
    EXPECT_EQ(Only(f, EMR_STROKEPATH).size, 24u);
    EXPECT_EQ(Only(f, EMR_STROKEPATH).Rect(8), (RECT{-5, -5, 5, 15}));
    EXPECT_EQ(f.header.bounds, (RECT{-5, -5, 5, 15}));
}

// ---- text ----

class EmfRecorderText : public ::testing::Test {
protected:
    CTestFontEngineScope m_engine;
    ObjectsGuard m_keep;
    HFONT m_font = m_keep(MakeFont(-20));  // advance 10, tmHeight 25, ascent 20
};

TEST_F(EmfRecorderText, AdvancesAreMeasuredWhenNoneAreGiven)
{
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(m_font);
        EXPECT_TRUE(dc.ExtTextOutW(100, 50, 0, nullptr, u"Hello", 5, nullptr));
    });
    const EmfRecord& r = Only(f, EMR_EXTTEXTOUTW);
    const EmfText t = r.Text();
    EXPECT_EQ(r.size, 76u + 12u + 20u);
    EXPECT_EQ(t.graphicsMode, DWORD(GM_COMPATIBLE));
    EXPECT_FLOAT_EQ(t.exScale, 100.0f * 508 / 1920);
    EXPECT_FLOAT_EQ(t.eyScale, 100.0f * 286 / 1080);
    EXPECT_EQ(t.reference, (POINT{100, 50}));
    EXPECT_EQ(t.nChars, 5u);
    EXPECT_EQ(t.offString, 76u);
    EXPECT_EQ(t.options, 0u);
    EXPECT_EQ(t.rect, (RECT{0, 0, -1, -1}));
    EXPECT_EQ(t.offDx, 88u);
    EXPECT_EQ(t.text, u"Hello");
    EXPECT_EQ(t.dx, (std::vector<std::int32_t>{10, 10, 10, 10, 10}));
    EXPECT_EQ(r.U16(86), 0) << "string padding";
    EXPECT_EQ(t.bounds, (RECT{100, 50, 149, 74}));
    EXPECT_EQ(f.header.bounds, t.bounds);
}

TEST_F(EmfRecorderText, CharacterExtraIsFoldedIntoTheAdvances)
{
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(m_font);
        dc.SetTextCharacterExtra(3);
        dc.ExtTextOutW(0, 0, 0, nullptr, u"abc", 3, nullptr);
        const INT given[] = {7, 8, 9};
        dc.ExtTextOutW(0, 0, 0, nullptr, u"abc", 3, given);  // as given: no extra
    });
    const auto texts = f.Find(EMR_EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text().dx, (std::vector<std::int32_t>{13, 13, 13}));
    EXPECT_EQ(texts[1]->Text().dx, (std::vector<std::int32_t>{7, 8, 9}));
}

TEST_F(EmfRecorderText, GivenAdvancesAndRectangleAreKept)
{
    const RECT clip{0, 0, 30, 10};
    const INT pairs[] = {5, 1, 6, 2};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.SelectObject(m_font);
        dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
        dc.ExtTextOutW(100, 100, ETO_OPAQUE, &clip, u"xyz", 3, nullptr);
        dc.SetTextAlign(TA_BOTTOM | TA_CENTER);
        dc.ExtTextOutW(100, 100, ETO_PDY | ETO_CLIPPED, &clip, u"pq", 2, pairs);
    });
    const auto texts = f.Find(EMR_EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 2u);
    const EmfText a = texts[0]->Text();
    EXPECT_EQ(a.options, ETO_OPAQUE);
    EXPECT_EQ(a.rect, clip);
    // Right of 30 wide and baseline of ascent 20, plus the opaque rectangle.
    EXPECT_EQ(a.bounds, (RECT{0, 0, 99, 104}));
    const EmfText b = texts[1]->Text();
    EXPECT_EQ(b.options, ETO_PDY | ETO_CLIPPED);
    EXPECT_EQ(texts[1]->size, 76u + 4u + 16u);
    EXPECT_EQ(b.dx, (std::vector<std::int32_t>{5, 1, 6, 2}));
    // Centred 11 wide above the reference point, then cut by the clip rectangle.
    EXPECT_EQ(b.bounds, (RECT{0, 0, -1, -1}));
}

TEST_F(EmfRecorderText, EmptyTextStillRecordsItsOpaqueRectangle)
{
    const RECT box{10, 20, 30, 40};
    const EmfFile f = Record([&](CTkDC& dc) {
        dc.ExtTextOutW(10, 20, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    });
    const EmfText t = Only(f, EMR_EXTTEXTOUTW).Text();
    EXPECT_EQ(t.nChars, 0u);
    EXPECT_EQ(t.offDx, 76u);
    EXPECT_TRUE(t.dx.empty());
    EXPECT_EQ(t.bounds, (RECT{10, 20, 29, 39}));
}

TEST_F(EmfRecorderText, ScaledMappingMeasuresInLogicalUnits)
{
    const EmfFile f = Record([&](CTkDC& dc) {
        Anisotropic(dc, {100, 100}, {10, 10});
        dc.SelectObject(m_keep(MakeFont(-200)));  // 20 device pixels high
        dc.ExtTextOutW(0, 0, 0, nullptr, u"ab", 2, nullptr);
    });
    const EmfText t = Only(f, EMR_EXTTEXTOUTW).Text();
    EXPECT_EQ(t.dx, (std::vector<std::int32_t>{100, 100}));
    EXPECT_EQ(t.bounds, (RECT{0, 0, 19, 24}));
}

TEST(EmfRecorderTextWithoutEngine, UnmeasurableTextIsRefusedButGivenAdvancesRecord)
{
    ITkFontEngine* pPrevious = TkGetFontEngine();
    TkSetFontEngine(nullptr);
    const INT dx[] = {4, 4};
    const EmfFile f = Record([&](CTkDC& dc) {
        EXPECT_FALSE(dc.ExtTextOutW(0, 0, 0, nullptr, u"ab", 2, nullptr));
        EXPECT_TRUE(dc.ExtTextOutW(0, 0, 0, nullptr, u"ab", 2, dx));
    });
    TkSetFontEngine(pPrevious);
    EXPECT_EQ(f.Find(EMR_EXTTEXTOUTW).size(), 1u);
}

// ---- comments, closing, determinism ----

TEST(EmfRecorderComments, BytesSurviveAndArePadded)
{
    const BYTE data[] = {'G', 'l', 0, 0xFF, 7};
    const EmfFile f = Record([&](CTkDC& dc) {
        EXPECT_TRUE(dc.GdiComment(5, data));
        EXPECT_TRUE(dc.GdiComment(0, nullptr));
    });
    const auto comments = f.Find(EMR_GDICOMMENT);
    ASSERT_EQ(comments.size(), 2u);
    EXPECT_EQ(comments[0]->size, 20u);
    EXPECT_EQ(comments[0]->U32(8), 5u);
    EXPECT_EQ(comments[0]->Bytes(12, 8),
              (std::vector<std::uint8_t>{'G', 'l', 0, 0xFF, 7, 0, 0, 0}));
    EXPECT_EQ(comments[1]->size, 12u);
    EXPECT_EQ(f.header.bounds, (RECT{0, 0, -1, -1}));
}

TEST(EmfRecorderClosing, AClosedRecordingRecordsNothingMore)
{
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, nullptr, {});
    dc->Rectangle(0, 0, 10, 10);
    const auto emf = CloseEnhMetaFile(dc.get());
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc.get()), nullptr);
    EXPECT_FALSE(dc->Rectangle(0, 0, 10, 10));
    EXPECT_EQ(DecodeEmf(emf->GetBits())->records.size(), 3u);

    CTkDC plain;
    EXPECT_EQ(CloseEnhMetaFile(&plain), nullptr);
    EXPECT_EQ(CloseEnhMetaFile(nullptr), nullptr);
}

TEST(EmfRecorderClosing, SamePictureGivesTheSameBytes)
{
    CTestFontEngineScope engine;
    const auto picture = [](CTkDC& dc) {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        // Different leftovers behind the face name each time.
        static char16_t junk = u'a';
        std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), junk++);
        std::copy_n(u"Sans", 5, lf.lfFaceName);
        const HFONT font = CreateFontIndirectW(&lf);
        const HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
        Anisotropic(dc, {2000, 1000}, {75, 38});
        dc.SelectObject(font);
        dc.SelectObject(pen);
        dc.Rectangle(0, 0, 500, 300);
        dc.ExtTextOutW(10, 10, 0, nullptr, u"same", 4, nullptr);
        const BYTE data[] = {1, 2, 3};
        dc.GdiComment(3, data);
        dc.SelectObject(GetStockObject(SYSTEM_FONT));
        dc.SelectObject(GetStockObject(BLACK_PEN));
        DeleteObject(font);
        DeleteObject(pen);
    };
    const RECT frame{0, 0, 2000, 1000};
    EXPECT_EQ(RecordBytes(picture, &frame, u"Glyphar\0t\0"sv),
              RecordBytes(picture, &frame, u"Glyphar\0t\0"sv));
}

}  // namespace
