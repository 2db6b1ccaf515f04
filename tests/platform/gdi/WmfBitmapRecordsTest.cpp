// The bitmap records of a Windows metafile played into an enhanced-metafile
// recording: which record each becomes, its fields and copied bitmap as an
// independent decoder reads them, and bitmaps that do not fit their record.

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/EmfDecoder.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kDibHeader = 40;
constexpr std::size_t kMonoTable = 8;
constexpr std::int32_t kMonoBmi = kDibHeader + kMonoTable;

// The 8 x 8 monochrome DIB with a different value in each row, so that copies
// and row orders can be told apart.
Bytes NumberedDib()
{
    Bytes dib = WmfMonoDib8x8();
    for (std::size_t row = 0; row < 8; ++row)
        dib[kMonoBmi + 4 * row] = std::uint8_t(0x10 + row);
    return dib;
}

Bytes Part(const Bytes& bytes, std::size_t from, std::size_t count)
{
    return Bytes(bytes.begin() + std::ptrdiff_t(from),
                 bytes.begin() + std::ptrdiff_t(from + count));
}

struct Played {
    BOOL ok = FALSE;
    std::vector<DWORD> passedOn;
    EmfFile emf;
};

// Plays into a recording whose window and viewport are window and viewport.
Played PlayIntoEmf(const WmfBuilder& wmf, SIZE window = {1000, 1000},
                   SIZE viewport = {1000, 1000})
{
    const std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, nullptr, u"");
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(window.cx, window.cy);
    dc->SetViewportExt(viewport.cx, viewport.cy);
    Played out;
    CTkWmfPlayer player(*dc, [&out](CTkDC&, DWORD type) { out.passedOn.push_back(type); });
    out.ok = player.Play(wmf.Build());
    const std::unique_ptr<CTkEnhMetaFile> emf = CloseEnhMetaFile(dc.get());
    if (!emf) {
        ADD_FAILURE() << "no metafile";
        return out;
    }
    std::string error;
    const std::optional<EmfFile> decoded = DecodeEmf(emf->GetBits(), &error);
    if (!decoded) {
        ADD_FAILURE() << "undecodable: " << error;
        return out;
    }
    out.emf = *decoded;
    return out;
}

using Ints = std::vector<std::int32_t>;

// The 32-bit fields of a record at the given offsets.
Ints Fields(const EmfRecord& r, std::initializer_list<std::size_t> offsets)
{
    Ints values;
    for (const std::size_t at : offsets)
        values.push_back(r.I32(at));
    return values;
}

// The four (offset, size) fields of a record's source, from at.
Ints SourceFields(const EmfRecord& r, std::size_t at)
{
    return Fields(r, {at, at + 4, at + 8, at + 12});
}

// A Bitmap16 of the given depth and rows, as META_BITBLT and META_STRETCHBLT
// carry it.
WmfParams& Bitmap16(WmfParams& params, int width, int height, int bitsPixel, const Bytes& rows)
{
    return params.Word(0).Word(width).Word(height).Word((width * bitsPixel + 15) / 16 * 2)
        .Word(0x0001 | (bitsPixel << 8))
        .Bytes(rows);
}

}  // namespace

TEST(WmfBitmapRecords, DibRecordsBecomeTheirEnhancedCounterpartsWithTheirBitmap)
{
    const Bytes dib = NumberedDib();
    WmfBuilder b;
    // rop, usage, source height, width, y, x, destination height, width, y, x
    b.Add(META_STRETCHDIB, WmfParams().DWord(SRCCOPY).Word(DIB_RGB_COLORS).Word(8).Word(8)
                               .Word(1).Word(2).Word(16).Word(24).Word(30).Word(40).Bytes(dib))
        // rop, source y, x, height, width, destination y, x
        .Add(META_DIBBITBLT, WmfParams().DWord(SRCAND).Word(3).Word(4).Word(8).Word(8).Word(50)
                                 .Word(60).Bytes(dib))
        .Add(META_DIBSTRETCHBLT, WmfParams().DWord(SRCCOPY).Word(8).Word(4).Word(0).Word(1)
                                     .Word(10).Word(20).Word(5).Word(6).Bytes(dib))
        // usage, scans, first scan, source y, x, height, width, destination y, x
        .Add(META_SETDIBTODEV, WmfParams{DIB_RGB_COLORS, 8, 0, 0, 0, 8, 8, 70, 80}.Bytes(dib));
    const Played p = PlayIntoEmf(b);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.passedOn, (std::vector<DWORD>{EMR_STRETCHDIBITS, EMR_BITBLT, EMR_STRETCHBLT,
                                              EMR_SETDIBITSTODEVICE}));
    const Bytes bmi = Part(dib, 0, kMonoBmi);
    const Bytes bits = Part(dib, kMonoBmi, 32);

    // Each record: its destination, its source fields, and the DIB copied after them.
    const EmfRecord& s = p.emf.Only(EMR_STRETCHDIBITS);
    EXPECT_EQ(s.Rect(8), (RECT{40, 30, 63, 45}));
    EXPECT_EQ(Fields(s, {24, 28, 32, 36, 72, 76}), (Ints{40, 30, 2, 1, 24, 16}));
    EXPECT_EQ(SourceFields(s, 48), (Ints{80, kMonoBmi, 128, 32}));
    EXPECT_EQ(s.Bytes(128, 32), bits);

    const EmfRecord& bb = p.emf.Only(EMR_BITBLT);
    EXPECT_EQ(Fields(bb, {24, 28, 40, 44, 48}), (Ints{60, 50, SRCAND, 4, 3}));
    EXPECT_EQ(bb.F32(52), 1.0f);  // the source's transform is the identity
    EXPECT_EQ(SourceFields(bb, 84), (Ints{100, kMonoBmi, 148, 32}));
    EXPECT_EQ(bb.Bytes(100, kMonoBmi), bmi);

    const EmfRecord& sb = p.emf.Only(EMR_STRETCHBLT);
    EXPECT_EQ(Fields(sb, {24, 28, 32, 36, 44, 48, 100, 104}), (Ints{6, 5, 20, 10, 1, 0, 4, 8}));
    EXPECT_EQ(sb.Bytes(156, 32), bits);

    const EmfRecord& d = p.emf.Only(EMR_SETDIBITSTODEVICE);
    EXPECT_EQ(d.Rect(8), (RECT{80, 70, 87, 77}));
    EXPECT_EQ(SourceFields(d, 48), (Ints{76, kMonoBmi, 124, 32}));
    EXPECT_EQ(d.U32(72), 8u);  // scans

    // The header's bounds hold every destination.
    EXPECT_EQ(p.emf.header.bounds, (RECT{6, 5, 87, 77}));
}

TEST(WmfBitmapRecords, DeviceBitmapsBecomeBottomUpDibs)
{
    // Three top-down rows of a monochrome 8 x 3 bitmap, padded to 16 bits.
    const Bytes rows = {0xA1, 0, 0xB2, 0, 0xC3, 0};
    WmfParams blt = WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(3).Word(8).Word(2).Word(1);
    WmfParams stretch = WmfParams().DWord(SRCCOPY).Word(3).Word(8).Word(0).Word(0).Word(6)
                            .Word(16).Word(0).Word(0);
    WmfBuilder b;
    b.Add(META_BITBLT, Bitmap16(blt, 8, 3, 1, rows))
        .Add(META_STRETCHBLT, Bitmap16(stretch, 8, 3, 1, rows));
    const Played p = PlayIntoEmf(b);
    ASSERT_TRUE(p.ok);

    const EmfRecord& bb = p.emf.Only(EMR_BITBLT);
    EXPECT_EQ(Fields(bb, {24, 28, 32, 36}), (Ints{1, 2, 8, 3}));
    ASSERT_EQ(SourceFields(bb, 84), (Ints{100, kMonoBmi, 148, 12}));
    // BITMAPINFOHEADER: size, width, height (bottom-up), planes and depth, BI_RGB.
    EXPECT_EQ(Fields(bb, {100, 104, 108, 112, 116}), (Ints{40, 8, 3, 0x10001, 0}));
    EXPECT_EQ(bb.U32(140), RGB(0, 0, 0));
    EXPECT_EQ(bb.U32(144), RGB(255, 255, 255));
    EXPECT_EQ(bb.Bytes(148, 12), (Bytes{0xC3, 0, 0, 0, 0xB2, 0, 0, 0, 0xA1, 0, 0, 0}));

    const EmfRecord& sb = p.emf.Only(EMR_STRETCHBLT);
    EXPECT_EQ(Fields(sb, {32, 36, 100, 104}), (Ints{16, 6, 8, 3}));
    EXPECT_EQ(sb.Bytes(156, 12), bb.Bytes(148, 12));
}

TEST(WmfBitmapRecords, PatternBlitsAreBitBltsWithoutSource)
{
    WmfBuilder b;
    // rop, height, width, y, x
    b.Add(META_PATBLT, WmfParams().DWord(PATCOPY).Word(6).Word(5).Word(2).Word(1))
        // rop, source y, x, reserved, height, width, destination y, x
        .Add(META_DIBBITBLT, WmfParams().DWord(PATINVERT).Word(0).Word(0).Word(0).Word(4)
                                 .Word(3).Word(20).Word(10));
    const Played p = PlayIntoEmf(b);
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.passedOn.empty());
    const auto blits = p.emf.Find(EMR_BITBLT);
    ASSERT_EQ(blits.size(), 2u);
    for (const EmfRecord* r : blits) {
        EXPECT_EQ(r->size, 100u);
        EXPECT_EQ(SourceFields(*r, 84), (Ints{0, 0, 0, 0}));
    }
    EXPECT_EQ(blits[0]->U32(40), PATCOPY);
    EXPECT_EQ(blits[0]->Rect(8), (RECT{1, 2, 5, 7}));
    EXPECT_EQ(blits[1]->U32(40), PATINVERT);
    EXPECT_EQ(blits[1]->Rect(8), (RECT{10, 20, 12, 23}));
}

TEST(WmfBitmapRecords, BoundsAreInDeviceUnits)
{
    WmfBuilder b;
    b.Add(META_STRETCHDIB, WmfParams().DWord(SRCCOPY).Word(DIB_RGB_COLORS).Word(8).Word(8)
                               .Word(0).Word(0).Word(16).Word(24).Word(30).Word(40)
                               .Bytes(NumberedDib()));
    // Two logical units to a device unit.
    const Played p = PlayIntoEmf(b, {200, 200}, {100, 100});
    const EmfRecord& s = p.emf.Only(EMR_STRETCHDIBITS);
    EXPECT_EQ(s.I32(24), 40);  // the destination stays logical
    EXPECT_EQ(s.Rect(8), (RECT{20, 15, 31, 22}));
    EXPECT_EQ(p.emf.header.bounds, (RECT{20, 15, 31, 22}));
}

TEST(WmfBitmapRecords, BitmapsThatDoNotFitTheirRecordAreSkipped)
{
    const Bytes good = NumberedDib();
    Bytes tall = good;  // says 16 rows, holds 8
    tall[8] = 16;
    Bytes hugeHeader = good;
    hugeHeader[3] = 0x7F;
    const auto stretchDib = [](int usage, const Bytes& dib) {
        return WmfParams().DWord(SRCCOPY).Word(usage).Word(8).Word(8).Word(0).Word(0).Word(8)
            .Word(8).Word(0).Word(0).Bytes(dib);
    };
    WmfParams shortRows = WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(8).Word(8).Word(0).Word(0);
    WmfParams fourBits = WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(2).Word(4).Word(0).Word(0);
    WmfBuilder b;
    b.Add(META_STRETCHDIB, stretchDib(DIB_RGB_COLORS, tall))
        .Add(META_STRETCHDIB, stretchDib(DIB_RGB_COLORS, hugeHeader))
        .Add(META_STRETCHDIB, stretchDib(7, good))  // no such colour usage
        .Add(META_STRETCHDIB, WmfParams().DWord(SRCCOPY).Word(0).Word(8))  // fields cut short
        .Add(META_SETDIBTODEV, WmfParams{0, 8, 0, 0, 0, 8, 8, 0, 0})    // no DIB at all
        .Add(META_BITBLT, Bitmap16(shortRows, 8, 8, 1, {0xFF, 0, 0xFF, 0}))  // 2 rows of 8
        .Add(META_BITBLT, Bitmap16(fourBits, 4, 2, 4, {1, 2, 3, 4}))  // no DIB form
        .Add(META_RECTANGLE, {40, 30, 20, 10});
    const Played p = PlayIntoEmf(b);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.passedOn.size(), 7u);
    EXPECT_TRUE(p.emf.Find(EMR_STRETCHDIBITS).empty());
    EXPECT_TRUE(p.emf.Find(EMR_SETDIBITSTODEVICE).empty());
    EXPECT_TRUE(p.emf.Find(EMR_BITBLT).empty());
    EXPECT_EQ(p.emf.Find(EMR_RECTANGLE).size(), 1u);

    // A bitmap record that lies about its own size stops the play.
    WmfBuilder lying;
    lying.Add(META_RECTANGLE, {40, 30, 20, 10})
        .AddSized(0x10000, META_STRETCHDIB, stretchDib(DIB_RGB_COLORS, good));
    const Played stopped = PlayIntoEmf(lying);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.emf.Find(EMR_STRETCHDIBITS).empty());
    EXPECT_EQ(stopped.emf.Find(EMR_RECTANGLE).size(), 1u);
}
