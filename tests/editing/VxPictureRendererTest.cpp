// The picture renderer on pictures built in code: where shapes land at a pixel
// width, the page's height and colour, the limits, and the PDF page.

#include "RenderTestSupport.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "editing/VxPictureRenderer.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxText.h"
#include "support/TestDib.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGreen = 0xFF00FF00;

QRect InkBounds(const QImage& image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                r |= QRect(x, y, 1, 1);
    return r;
}

constexpr double MmToPoints(double mm) { return mm / 25.4 * 72.0; }

class VxPictureRendererTest : public ::testing::Test {
protected:
    // A rectangle with a one-pixel pen and a solid fill (hollow when no fill).
    CVxRectangle& AddRectangle(const RECT& rect, COLORREF pen, std::optional<COLORREF> fill)
    {
        auto& graphic = m_owner.Add(std::make_unique<CVxRectangle>(rect));
        auto& penProperty = dynamic_cast<CVxPenGraphicProperty&>(*graphic.LookupProperty("Pen"));
        penProperty.SetWidth(0);
        penProperty.SetColor(pen);
        auto& brush = dynamic_cast<CVxBrushGraphicProperty&>(*graphic.LookupProperty("Brush"));
        brush.SetStyle(fill ? BS_SOLID : BS_HOLLOW);
        brush.SetColor(fill.value_or(0));
        return graphic;
    }

    QImage Render(SIZE size, int width)
    {
        return CVxPictureRenderer::RenderToImage(m_owner.Picture(), size, width);
    }

    CQtFontEngineScope m_fonts;
    CPictureOwner m_owner;
};

TEST_F(VxPictureRendererTest, ARectangleLandsOnTheMappedPixels)
{
    // 1000 x 500 units at 200 pixels: a factor of 1/5, so the box is (20,20)-(120,60)
    // with GDI's right column and bottom row left out.
    AddRectangle(RECT{100, 100, 600, 300}, RGB(255, 0, 0), RGB(0, 0, 255));
    const QImage image = Render(SIZE{1000, 500}, 200);
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(InkBounds(image), QRect(QPoint(20, 20), QPoint(119, 59)));
    EXPECT_EQ(image.pixel(20, 20), kRed);
    EXPECT_EQ(image.pixel(119, 59), kRed);
    EXPECT_EQ(image.pixel(21, 21), kBlue);
    EXPECT_EQ(image.pixel(118, 58), kBlue);
    EXPECT_EQ(Count(image, kRed), 2 * 100 + 2 * 38);
    EXPECT_EQ(Count(image, kBlue), 98 * 38);
    EXPECT_EQ(Count(image, kWhite), 200 * 100 - 100 * 40);

    // Twice the width: twice the box, the pen still one pixel.
    const QImage wide = Render(SIZE{1000, 500}, 400);
    ASSERT_EQ(wide.size(), QSize(400, 200));
    EXPECT_EQ(InkBounds(wide), QRect(QPoint(40, 40), QPoint(239, 119)));
    EXPECT_EQ(Count(wide, kRed), 2 * 200 + 2 * 78);
    EXPECT_EQ(Count(wide, kBlue), 198 * 78);
}

// A fill whose LOGBRUSH names a global block of a packed DIB is painted with
// the DIB's colours: a 2 by 1 tile of red and blue, so columns alternate.
TEST_F(VxPictureRendererTest, ADibPatternFillIsPaintedWithTheDibsColours)
{
    // Red, then blue, stored blue-green-red.
    m_owner.m_globals.emplace_back(TestDib(2, 1, 24, {}, {{0, 0, 0xFF, 0xFF, 0, 0}}));
    CVxRectangle& rectangle = AddRectangle(RECT{100, 100, 600, 300}, RGB(0, 255, 0), 0);
    auto& brush = dynamic_cast<CVxBrushGraphicProperty&>(*rectangle.LookupProperty("Brush"));
    brush.SetStyle(BS_DIBPATTERN);
    brush.SetColor(DIB_RGB_COLORS);
    brush.SetHatch(m_owner.m_globals.back().Get());
    const QImage image = Render(SIZE{1000, 500}, 200);
    ASSERT_EQ(image.size(), QSize(200, 100));
    // The inside is 98 by 38 pixels, half of its columns of each colour.
    EXPECT_EQ(Count(image, kRed), 49 * 38);
    EXPECT_EQ(Count(image, kBlue), 49 * 38);
    EXPECT_NE(image.pixel(40, 40), image.pixel(41, 40));
    EXPECT_EQ(image.pixel(40, 40), image.pixel(40, 41));
    EXPECT_EQ(Count(image, kGreen), 2 * 100 + 2 * 38);
}

TEST_F(VxPictureRendererTest, TheHeightFollowsTheAspectRatioRounded)
{
    auto height = [](SIZE size, int width) {
        return CVxPictureRenderer::GetPixelHeight(size, width);
    };
    EXPECT_EQ(height(SIZE{1000, 500}, 200), 100);
    EXPECT_EQ(height(SIZE{1000, 334}, 100), 33);  // 33.4
    EXPECT_EQ(height(SIZE{1000, 335}, 100), 34);  // 33.5: halves round up
    EXPECT_EQ(height(SIZE{1000, 336}, 100), 34);
    EXPECT_EQ(height(SIZE{3000, 1}, 100), 1);     // 0.03, but never below one row
    EXPECT_EQ(height(SIZE{100, 100}, 1), 1);
    // Large coordinates do not overflow the product.
    EXPECT_EQ(height(SIZE{0x3FFFFFFF, 0x3FFFFFFF}, 16384), 0);  // area beyond the limit
    EXPECT_EQ(height(SIZE{0x40000000, 0x10000000}, 16384), 4096);

    // The image is that height: 33.3 rows rounded to 33, a box over the whole
    // picture covers every pixel, the right column and bottom row the pen's.
    AddRectangle(RECT{0, 0, 1000, 333}, RGB(255, 0, 0), RGB(0, 0, 255));
    const QImage image = Render(SIZE{1000, 333}, 100);
    ASSERT_EQ(image.size(), QSize(100, 33));
    EXPECT_EQ(Count(image, kWhite), 0);
    EXPECT_EQ(image.pixel(99, 16), kRed);
    EXPECT_EQ(image.pixel(50, 32), kRed);
    EXPECT_EQ(image.pixel(98, 31), kBlue);
}

TEST_F(VxPictureRendererTest, BadArgumentsGiveANullImage)
{
    AddRectangle(RECT{0, 0, 50, 50}, RGB(0, 0, 0), std::nullopt);
    for (int width : {0, -1, INT_MIN, CVxPictureRenderer::kMaxImageSide + 1, INT_MAX}) {
        EXPECT_TRUE(Render(SIZE{100, 100}, width).isNull()) << width;
        EXPECT_EQ(CVxPictureRenderer::GetPixelHeight(SIZE{100, 100}, width), 0) << width;
    }
    for (SIZE size : {SIZE{0, 100}, SIZE{100, 0}, SIZE{-100, 100}, SIZE{100, -100}}) {
        EXPECT_TRUE(Render(size, 100).isNull()) << size.cx << " x " << size.cy;
    }
    // A tall, thin picture would need 1000 x 100000000 pixels.
    EXPECT_TRUE(Render(SIZE{1, 100000}, 1000).isNull());
    EXPECT_EQ(CVxPictureRenderer::GetPixelHeight(SIZE{100, 100000}, 16), 16000);
    EXPECT_EQ(CVxPictureRenderer::GetPixelHeight(SIZE{100, 100000}, 17), 0);
    // The widest allowed is still made.
    EXPECT_EQ(Render(SIZE{16384, 100}, CVxPictureRenderer::kMaxImageSide).size(),
              QSize(16384, 100));
}

TEST_F(VxPictureRendererTest, EachRenderIsAClosedDrawingPass)
{
    CVxRectangle& rect = AddRectangle(RECT{100, 100, 600, 300}, RGB(255, 0, 0), std::nullopt);
    EXPECT_GT(Count(Render(SIZE{1000, 500}, 200), kRed), 0);
    EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), nullptr);

    // The next render, on another DC, selects the changed pen afresh.
    dynamic_cast<CVxPenGraphicProperty&>(*rect.LookupProperty("Pen")).SetColor(RGB(0, 255, 0));
    const QImage image = Render(SIZE{1000, 500}, 200);
    EXPECT_EQ(Count(image, kRed), 0);
    EXPECT_EQ(Count(image, kGreen), 2 * 100 + 2 * 38);
    EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), nullptr);
}

TEST_F(VxPictureRendererTest, TextIsPaintedInsideItsMeasuredBox)
{
    // 5 units a pixel: a 40-pixel Arial text, centred on its baseline point.
    auto& text = m_owner.Add(
        std::make_unique<CVxText>(u"Glyphar", 1000, 500, 0, std::span<const INT>(), RECT{}));
    dynamic_cast<CVxFontGraphicProperty&>(*text.LookupProperty("Font")).SetHeight(-200);
    const QImage image = Render(SIZE{2000, 1000}, 400);
    const QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isEmpty());
    const RECT box = text.GetRect();
    const QRect expected(QPoint(box.left / 5, box.top / 5), QPoint(box.right / 5, box.bottom / 5));
    EXPECT_TRUE(expected.adjusted(-1, -1, 1, 1).contains(ink))
        << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    // Centred on (200, 100) with the descenders of "y" and "p" below the baseline.
    EXPECT_NEAR(ink.center().x(), 200, 3);
    EXPECT_LT(ink.top(), 100 - 20);
    EXPECT_GT(ink.bottom(), 100 + 3);
    // The glyphs fill a good part of their box, in the default black.
    EXPECT_GT(ink.width(), expected.width() * 3 / 4);
    EXPECT_GT(Count(image, 0xFF000000), 100);
}

class VxPictureRendererPdfTest : public VxPictureRendererTest {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

TEST_F(VxPictureRendererPdfTest, WritesOnePageOfThePictureSize)
{
    AddRectangle(RECT{1000, 1000, 20000, 13850}, RGB(255, 0, 0), RGB(0, 0, 255));
    const QString path = Path("landscape.pdf");
    ASSERT_TRUE(CVxPictureRenderer::RenderToPdf(m_owner.Picture(), SIZE{21000, 14850}, path));
    const QByteArray pdf = ReadAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(PageCount(pdf), 1);
    // Hundredths of a millimetre: 210 x 148.5 mm, landscape.
    const QSizeF box = MediaBox(pdf);
    EXPECT_NEAR(box.width(), MmToPoints(210), 1.0);
    EXPECT_NEAR(box.height(), MmToPoints(148.5), 1.0);

    // The shapes are on the page: a page without them is smaller.
    CVxPicture empty;
    const QString blank = Path("blank.pdf");
    ASSERT_TRUE(CVxPictureRenderer::RenderToPdf(empty, SIZE{21000, 14850}, blank));
    EXPECT_LT(ReadAll(blank).size() + 40, pdf.size());

}

TEST_F(VxPictureRendererPdfTest, ThePageFollowsTheUnitsAndStaysWithinReadersLimits)
{
    AddRectangle(RECT{0, 0, 500, 500}, RGB(0, 0, 0), std::nullopt);
    const QString path = Path("units.pdf");
    const struct {
        SIZE size;
        CTkPair<double> units;
        double dWidth, dHeight;  // points
    } cases[] = {
        {{10000, 20000}, {1000.0, 1000.0}, MmToPoints(100), MmToPoints(200)},
        {{21000, 14850}, {500.0, 250.0}, MmToPoints(420), MmToPoints(594)},
        // 10 km by 5 km: scaled to 200 by 100 inches.
        {{1000000000, 500000000}, {1000.0, 1000.0}, 14400.0, 7200.0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(CVxPictureRenderer::RenderToPdf(m_owner.Picture(), c.size, path, c.units));
        const QSizeF box = MediaBox(ReadAll(path));
        EXPECT_NEAR(box.width(), c.dWidth, 1.0) << c.size.cx;
        EXPECT_NEAR(box.height(), c.dHeight, 1.0) << c.size.cx;
    }
}

TEST_F(VxPictureRendererPdfTest, FailuresWriteNothingAndKeepWhatWasThere)
{
    AddRectangle(RECT{0, 0, 500, 500}, RGB(0, 0, 0), std::nullopt);
    const QString path = Path("kept.pdf");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old bytes");
    }
    CVxPicture& picture = m_owner.Picture();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(CVxPictureRenderer::RenderToPdf(picture, SIZE{0, 100}, path));
    EXPECT_FALSE(CVxPictureRenderer::RenderToPdf(picture, SIZE{100, -5}, path));
    EXPECT_FALSE(CVxPictureRenderer::RenderToPdf(picture, SIZE{100, 100}, path, {0.0, 1000.0}));
    EXPECT_FALSE(CVxPictureRenderer::RenderToPdf(picture, SIZE{100, 100}, path, {1000.0, nan}));
    EXPECT_EQ(ReadAll(path), QByteArray("old bytes"));

    const QString nowhere = Path("missing-folder/out.pdf");
    EXPECT_FALSE(CVxPictureRenderer::RenderToPdf(picture, SIZE{100, 100}, nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));

    // A good render replaces the old file whole.
    EXPECT_TRUE(CVxPictureRenderer::RenderToPdf(picture, SIZE{100, 100}, path));
    EXPECT_TRUE(ReadAll(path).startsWith("%PDF-"));
}

}  // namespace
