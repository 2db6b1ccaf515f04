// The Qt painting DCs: what they report about their device and how they keep
// their surface.

#include "platform/qt/TkQtPaintTest.h"

#include "platform/qt/TkQtPaintBackend.h"

#include <QBuffer>
#include <QPdfWriter>

namespace {

using TkQtPaintDCTest = TkQtPaintTest;

TEST_F(TkQtPaintDCTest, ANewSurfaceStartsWithoutClipping)
{
    dc().IntersectClipRect(0, 0, 4, 4);
    dc().SetDeviceRect(RECT{0, 0, 16, 32});
    dc().SelectObject(GetStockObject(NULL_PEN));
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    dc().Rectangle(0, 0, 33, 33);
    EXPECT_EQ(InkBounds(), QRect(0, 0, 16, 32));
}

TEST_F(TkQtPaintDCTest, NullImageDrawsNothing)
{
    QImage none;
    const auto dc = TkCreateImageDC(none);
    EXPECT_EQ(dc->GetDeviceRect(), (RECT{0, 0, 0, 0}));
    const WCHAR text[] = u"x";
    EXPECT_TRUE(dc->Rectangle(0, 0, 10, 10));
    EXPECT_TRUE(dc->LineTo(5, 5));
    EXPECT_TRUE(dc->TextOutW(0, 0, text, 1));
    EXPECT_EQ(dc->SetPixel(0, 0, 0), COLORREF(CLR_INVALID));
}

TEST_F(TkQtPaintDCTest, PdfWriterIsAPrinterWithItsOwnCaps)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        const auto dc = TkCreatePaintDC(&writer);
        EXPECT_EQ(dc->GetObjectType(), OBJ_DC);
        EXPECT_TRUE(dc->IsPrinting());
        EXPECT_EQ(dc->GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSX), 72);
        EXPECT_EQ(dc->GetDeviceCaps(HORZRES), writer.width());
        EXPECT_EQ(dc->GetDeviceCaps(VERTSIZE), writer.heightMM());
        EXPECT_EQ(dc->GetDeviceRect(), (RECT{0, 0, writer.width(), writer.height()}));
        // Mixing and inverting work on a device that cannot be read back.
        dc->SetROP2(R2_XORPEN);
        dc->Rectangle(20, 20, 120, 80);
        dc->TextOutW(30, 150, u"Glyphar", 7);
        const RECT r{0, 0, 50, 50};
        dc->InvertRect(&r);
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF"));
    EXPECT_GT(buffer.data().size(), 1000);
}

}  // namespace
