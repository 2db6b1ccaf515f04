// The Qt painting DCs: how they keep their surface.

#include "platform/qt/TkQtPaintTest.h"

#include "platform/qt/TkQtPaintBackend.h"

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

}  // namespace
