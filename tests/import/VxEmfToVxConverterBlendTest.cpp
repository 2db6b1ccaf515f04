// Blended, transparent, masked and parallelogram blits, and palette colours.

#include "graphics/VxBitmap.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestDib.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kOne = 0x3F800000;  // 1.0f
const Bytes kDib24 = TestDib(2, 1, 24, {}, {{1, 2, 3, 4, 5, 6}});
const Bytes kDib32 = TestDib(1, 1, 32, {}, {{0x40, 0, 0, 0x80}});

// A record of the StretchBlt layout: AlphaBlend, TransparentBlt or StretchBlt.
void Stretch(EmfBuilder& b, DWORD type, std::uint32_t operation, const Bytes& dib = kDib24)
{
    b.DibBlit(type, {10, 20, 4, 2, operation, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, DIB_RGB_COLORS},
              {2, 1}, std::span(dib).first(40), std::span(dib).subspan(40));
}

// MaskBlt, its mask (a whole 1-bit DIB) after the source's bits; PlgBlt onto
// three corners.
void MaskBlt(EmfBuilder& b, std::uint32_t rop4, const Bytes& mask = {})
{
    Bytes bits(kDib24.begin() + 40, kDib24.end());
    bits.insert(bits.end(), mask.begin(), mask.end());
    const std::uint32_t at = 128 + 48, bmi = mask.empty() ? 0 : 48;
    b.DibBlit(EMR_MASKBLT, {10, 20, 2, 1, rop4, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, DIB_RGB_COLORS},
              {0, 0, 0, bmi ? at : 0, bmi, bmi ? at + bmi : 0, bmi ? 4u : 0u},
              std::span(kDib24).first(40), bits);
}
const Bytes kMask = TestDib(2, 1, 1, {0x000000, 0xFFFFFF}, {{0x80}});  // the first pixel set

void PlgBlt(EmfBuilder& b, std::array<std::uint32_t, 6> p)
{
    b.DibBlit(EMR_PLGBLT, {p[0], p[1], p[2], p[3], p[4], p[5], 0, 0, 2, 1, kOne, 0, 0, kOne, 0, 0,
                           0, DIB_RGB_COLORS},
              {0, 0, 0, 0, 0, 0, 0}, std::span(kDib24).first(40), std::span(kDib24).subspan(40));
}

CVxBitmap& BitmapAt(const CVxEmfToVxConverter& c, int i)
{
    auto* p = dynamic_cast<CVxBitmap*>(GraphicAt(c.GetGraphics(), i));
    EXPECT_NE(p, nullptr) << i;
    return *p;
}

}  // namespace

TEST(ConverterBlends, BlitsBecomeBitmapsOfTheirKind)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});  // the frame's own units
    Stretch(b, EMR_ALPHABLEND, 0x01800000, kDib32);  // per-pixel alpha, constant 128
    Stretch(b, EMR_TRANSPARENTBLT, 0x00030201);
    MaskBlt(b, 0xCCCC0020);  // SRCCOPY both ways: the mask changes nothing
    MaskBlt(b, 0xAACC0020, kMask);  // the source where set, the destination elsewhere
    PlgBlt(b, {30, 40, 36, 40, 30, 43});
    // Palette colours: a two-entry palette selected, an 8-bit bitmap naming 1, 0.
    b.Record(EMR_CREATEPALETTE, {1, 0x00020300, 0x00332211, 0x00665544});
    b.Record(EMR_SELECTPALETTE, {1});
    const Bytes pal = TestDib(2, 1, 8, {1, 0}, {{0, 1}}, BI_RGB, DIB_PAL_COLORS);
    b.DibBlit(EMR_STRETCHDIBITS, {0, 0, 0, 0, 2, 1}, {DIB_PAL_COLORS, SRCCOPY, 2, 1},
              std::span(pal).first(44), std::span(pal).subspan(44));
    Bytes emf = b.Finish();
    SetU32(emf, 56, 2);  // nHandles: room for the palette
    EXPECT_EQ(RunRecords(converter, emf), (std::vector<int>(11, 0)));
    ASSERT_EQ(converter.GetGraphics().GetCount(), 6);

    using Kind = CVxBitmap::Kind;
    const std::tuple<Kind, DWORD, DWORD, RECT> expected[] = {
        {Kind::AlphaBlend, 0x01800000, SRCCOPY, {10, 20, 14, 22}},
        {Kind::Transparent, 0x00030201, SRCCOPY, {10, 20, 14, 22}},
        {Kind::Plain, 0, SRCCOPY, {10, 20, 12, 21}},
        {Kind::AlphaBlend, 0x01FF0000, SRCCOPY, {10, 20, 12, 21}},
        {Kind::Plain, 0, SRCCOPY, {30, 40, 36, 43}},
    };
    for (int i = 0; i < 5; ++i) {
        CVxBitmap& bitmap = BitmapAt(converter, i);
        const auto& [kind, param, rop, rect] = expected[i];
        EXPECT_EQ(std::tuple(bitmap.GetKind(), bitmap.GetKindParam(), bitmap.GetRop(),
                             bitmap.GetRect(), bitmap.GetUsage()),
                  std::tuple(kind, param, rop, rect, DIB_RGB_COLORS)) << i;
    }
    EXPECT_EQ(BitmapAt(converter, 0).GetDib().size(), kDib32.size());
    // The masked one: 32 bits, top-down, premultiplied, empty where the mask is clear.
    const std::span<const BYTE> masked = BitmapAt(converter, 3).GetDib();
    EXPECT_EQ(GetU32(masked, 8), std::uint32_t(-1));
    EXPECT_EQ(Bytes(masked.begin() + 40, masked.end()), (Bytes{1, 2, 3, 255, 0, 0, 0, 0}));

    // The palette's colours, as RGBQUADs, in the order the indices named them.
    const CVxBitmap& resolved = BitmapAt(converter, 5);
    EXPECT_EQ(resolved.GetUsage(), DIB_RGB_COLORS);
    EXPECT_EQ(Bytes(resolved.GetDib().begin() + 40, resolved.GetDib().end()),
              (Bytes{0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0, 0, 1, 0, 0}));
}

// Each refused record costs only itself.
TEST(ConverterBlends, UnsoundBlitsAreListedOneByOne)
{
    EmfBuilder b;
    const std::size_t at = b.Record(EMR_RECTANGLE, {0, 0, 1, 1}) + 24;
    Stretch(b, EMR_ALPHABLEND, 0x00800000);
    const Bytes good = b.Finish();
    const EmfPatch cases[] = {
        {"an operation other than source over", at + 40, 0x00800001},
        {"blend flags", at + 40, 0x00800100},
        {"per-pixel alpha of a 24-bit bitmap", at + 40, 0x01800000},
        {"an unknown alpha format", at + 40, 0x02800000},
        {"a mirrored destination", at + 32, 0xFFFFFFFC},
        {"bits past the record", at + 92, 0x7FFFFFF0},
        {"palette colours past 8 bits", at + 80, DIB_PAL_COLORS},
        {"a transparent colour with flags", 0, EMR_TRANSPARENTBLT},
    };
    for (EmfPatch c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        Bytes bytes = Patched(good, c);
        if (c.offset == 0)
            bytes = Patched(Patched(good, {c.what, at, EMR_TRANSPARENTBLT}),
                            {c.what, at + 40, 0x02000000});
        EXPECT_EQ(RunRecords(converter, bytes), (std::vector<int>{0, 0, 1, 0})) << c.what;
        EXPECT_EQ(converter.GetGraphics().GetCount(), 1) << c.what;
    }

    // A mask choosing between operations other than copying and keeping, a mask
    // of the wrong size, and a turned parallelogram.
    EmfBuilder m;
    MaskBlt(m, 0x66CC0020, kMask);
    MaskBlt(m, 0xAACC0020, TestDib(1, 1, 1, {0, 0xFFFFFF}, {{0x80}}));
    PlgBlt(m, {30, 40, 36, 42, 28, 43});
    m.Record(EMR_RECTANGLE, {0, 0, 1, 1});
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EXPECT_EQ(RunRecords(converter, m.Finish()), (std::vector<int>{0, 1, 1, 1, 0, 0}));
}
