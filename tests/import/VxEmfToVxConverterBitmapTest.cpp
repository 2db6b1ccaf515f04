// The bitmap records: what becomes a bitmap graphic, and what is only listed.

#include "graphics/VxBitmap.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestDib.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2 x 2 bottom-up 24-bit DIB (40 bytes of BITMAPINFO), and an 8-bit one
// whose colour count is 0 though its table has only 2 entries.
const Bytes kDib = TestDib(2, 2, 24, {}, {Bytes(6, 1), Bytes(6, 2)});
const Bytes kShortTable = [] {
    Bytes dib = TestDib(2, 1, 8, {0x10, 0x20}, {{0, 1}});
    dib[32] = 0;
    return dib;
}();

// A blit record of the DIB with the given fields around its BITMAPINFO and bits.
void Blit(EmfBuilder& b, DWORD type, std::initializer_list<std::uint32_t> before,
          std::initializer_list<std::uint32_t> after, const Bytes& dib = kDib, std::size_t bmi = 40)
{
    b.DibBlit(type, before, after, std::span(dib).first(bmi), std::span(dib).subspan(bmi));
}

}  // namespace

// A blit's source counts y from the top of the picture and goes through the
// source transform; StretchDIBits counts from a bottom-up DIB's last stored row.
TEST(ConverterBitmaps, BlitsWithASourceBecomeBitmaps)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EmfBuilder b;
    b.Record(EMR_SETWINDOWEXTEX, {2000, 1000});  // the frame's own units
    Blit(b, EMR_STRETCHDIBITS, {10, 20, 1, 0, 1, 2}, {DIB_RGB_COLORS, SRCCOPY, 40, 30});
    Blit(b, EMR_BITBLT, {5, 6, 1, 1, SRCCOPY, 2, 0, 0x3F800000, 0, 0, 0x3F800000, 0xBF800000,
                         0, 0, 0}, {});  // a transform of 1 with eDx -1
    Blit(b, EMR_SETDIBITSTODEVICE, {7, 8, 0, 0, 2, 2}, {DIB_RGB_COLORS, 0, 2});
    Blit(b, EMR_STRETCHDIBITS, {10, 20, 0, 0, 2, 1}, {DIB_RGB_COLORS, SRCCOPY, 40, 30},
         kShortTable, 48);
    EXPECT_EQ(RunRecords(converter, b.Finish()), (std::vector<int>(7, 0)));
    const RECT expected[][2] = {{{10, 20, 50, 50}, {1, 0, 1, 2}},
                                {{5, 6, 6, 7}, {1, 1, 1, 1}},
                                {{7, 8, 9, 10}, {0, 0, 2, 2}},
                                {{10, 20, 50, 50}, {0, 0, 2, 1}}};
    for (int i = 0; i < 4; ++i) {
        auto* p = dynamic_cast<CVxBitmap*>(GraphicAt(converter.GetGraphics(), i));
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(p->GetRect(), expected[i][0]) << i;
        EXPECT_EQ(p->GetSource(), expected[i][1]) << i;
        EXPECT_EQ(p->GetDib()[32], i == 3 ? 2 : 0) << i;  // the table's count made explicit
    }
}

// Each broken or unsupported bitmap is listed as ignored and costs only itself.
TEST(ConverterBitmaps, BadBitmapsAreListedOneByOne)
{
    EmfBuilder b;
    const std::size_t at = b.Record(EMR_RECTANGLE, {0, 0, 1, 1}) + 24;  // the blit's start
    Blit(b, EMR_STRETCHDIBITS, {10, 20, 0, 0, 2, 2}, {DIB_RGB_COLORS, SRCCOPY, 40, 30});
    const Bytes good = b.Finish();
    const EmfPatch cases[] = {
        {"bmi offset past the record", at + 48, 0x7FFFFFF0},
        {"bits shorter than the rows", at + 60, 8},
        {"height overflowing the bits", at + 80 + 8, 0x7FFFFFFF},
        {"negative width", at + 80 + 4, 0xFFFFFFFE},
        {"bit count 7", at + 80 + 12, 0x00070001},
        {"colour count past the header", at + 80 + 32, 0x40000000},
        {"header size past the area", at + 80, 0x10000},
        {"run-length coded 24 bits", at + 80 + 16, BI_RLE8},
        {"palette colours", at + 64, DIB_PAL_COLORS},
        {"a pattern operation", at + 68, 0x00F00021},
        {"no destination width", at + 72, 0},
    };
    for (const EmfPatch& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EXPECT_EQ(RunRecords(converter, Patched(good, c)), (std::vector<int>{0, 0, 1, 0}))
            << c.what;
        EXPECT_EQ(converter.GetGraphics().GetCount(), 1) << c.what;
    }
}
