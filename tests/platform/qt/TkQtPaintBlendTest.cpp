// AlphaBlend and TransparentBlt painted over what lies under them, and the
// decoded images kept while their bitmap lives.

#include "TkQtPaintTest.h"

#include "platform/qt/TkQtDibImageCache.h"
#include "support/TestDib.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TkDibBlit Blit(TkDibBlitCall call, const Bytes& dib, RECT dest, int width)
{
    TkDibBlit b;
    b.call = call;
    b.xDest = dest.left, b.yDest = dest.top, b.cxDest = dest.right, b.cyDest = dest.bottom;
    b.cxSrc = width, b.cySrc = 1;
    b.bmi = std::span(dib).first(40);
    b.bits = std::span(dib).subspan(40);
    return b;
}

}  // namespace

TEST_F(TkQtPaintTest, BlendedAndTransparentBlitsShowWhatLiesUnder)
{
    Reset(8, 2, qRgb(255, 0, 0));
    // Green is left out: its pixel shows the red under it, stretched to 2 x 2.
    const Bytes keyed = TestDib(2, 1, 24, {}, {{0, 255, 0, 255, 0, 0}});
    TkDibBlit t = Blit(TkDibBlitCall::TransparentBlt, keyed, {0, 0, 4, 2}, 2);
    t.transparentColour = RGB(0, 255, 0);
    EXPECT_TRUE(dc().DibBlit(t));
    EXPECT_EQ(Row(1, 0, 3, qRgb(0, 0, 255), qRgb(255, 0, 0)), "..##");

    // A premultiplied half-alpha black pixel, then constant half alpha on an
    // opaque blue one: each the average of itself and the red under it.
    const Bytes half = TestDib(1, 1, 32, {}, {{0, 0, 0, 0x80}});
    TkDibBlit a = Blit(TkDibBlitCall::AlphaBlend, half, {4, 0, 1, 1}, 1);
    a.blendFunction = DWORD(AC_SRC_ALPHA) << 24 | 255u << 16;
    EXPECT_TRUE(dc().DibBlit(a));
    const Bytes blue = TestDib(1, 1, 24, {}, {{255, 0, 0}});
    TkDibBlit c = Blit(TkDibBlitCall::AlphaBlend, blue, {5, 0, 1, 1}, 1);
    c.blendFunction = 0x80u << 16;
    EXPECT_TRUE(dc().DibBlit(c));
    for (const auto& [x, red, bluePart] : {std::tuple(4, 127, 0), std::tuple(5, 127, 128)}) {
        EXPECT_NEAR(qRed(At(x, 0)), red, 1) << x;
        EXPECT_NEAR(qBlue(At(x, 0)), bluePart, 1) << x;
    }
}

TEST_F(TkQtPaintTest, DecodedBitmapsAreKeptWhileTheirBitsLive)
{
    CTkQtDibImageCache& cache = CTkQtDibImageCache::Instance();
    cache.Clear();
    auto owner = std::make_shared<const Bytes>(TestDib(1, 1, 24, {}, {{0, 0, 255}}));
    TkDibBlit b = Blit(TkDibBlitCall::StretchDIBits, *owner, {0, 0, 2, 2}, 1);
    b.owner = owner;
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(dc().DibBlit(b));
    EXPECT_EQ(cache.GetCount(), 1u);
    EXPECT_EQ(At(1, 1), qRgb(255, 0, 0));
    // The same bits left out in another colour are another image.
    b.call = TkDibBlitCall::TransparentBlt;
    EXPECT_TRUE(dc().DibBlit(b));
    EXPECT_EQ(cache.GetCount(), 2u);
    b.owner.reset();
    owner.reset();
    EXPECT_EQ(cache.GetCount(), 0u);
}
