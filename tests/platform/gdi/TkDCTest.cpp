#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class TkDCTest : public ::testing::Test {
protected:
    TkDCTest() : m_dc(MakeRecordingDC(&m_log)) {}

    CTkDC& dc() { return *m_dc; }
    CTestRecordingBackend& log() { return *m_log; }

    POINT ToDevice(int x, int y)
    {
        POINT p{x, y};
        m_dc->LPtoDP(&p);
        return p;
    }

    POINT ToLogical(int x, int y)
    {
        POINT p{x, y};
        m_dc->DPtoLP(&p);
        return p;
    }

    RECT ClipBox(int* pResult = nullptr)
    {
        RECT r{-1, -1, -1, -1};
        const int result = m_dc->GetClipBox(&r);
        if (pResult != nullptr)
            *pResult = result;
        return r;
    }

    void Anisotropic(SIZE window, SIZE viewport)
    {
        m_dc->SetMapMode(MM_ANISOTROPIC);
        m_dc->SetWindowExt(window.cx, window.cy);
        m_dc->SetViewportExt(viewport.cx, viewport.cy);
        m_log->Clear();
    }

private:
    CTestRecordingBackend* m_log = nullptr;
    std::unique_ptr<CTkDC> m_dc;
};

// Remembers what the DC looked like while the backend was being called.
class CPeekingBackend : public CTkDCBackend {
public:
    BOOL LineTo(CTkDC& dc, POINT) override
    {
        positionDuringCall = dc.GetCurrentPosition();
        return TRUE;
    }
    void OnRestoreDC(CTkDC& dc, int) override { bkModeDuringRestore = dc.GetBkMode(); }

    POINT positionDuringCall{-1, -1};
    int bkModeDuringRestore = 0;
};

}  // namespace

TEST_F(TkDCTest, NewDCHasWindowsDefaults)
{
    EXPECT_EQ(dc().GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{1, 1}));
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1, 1}));
    EXPECT_EQ(dc().GetWindowOrg(), (POINT{0, 0}));
    EXPECT_EQ(dc().GetBkColor(), RGB(255, 255, 255));
    EXPECT_EQ(dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(dc().GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc().GetTextAlign(), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc().GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc().GetArcDirection(), AD_COUNTERCLOCKWISE);
    EXPECT_EQ(dc().GetPolyFillMode(), ALTERNATE);
    EXPECT_EQ(dc().GetMiterLimit(), 10.0f);
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc().GetCurrentObject(OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc().GetCurrentObject(OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(dc().GetDeviceRect(), (RECT{0, 0, 1920, 1080}));
    int result = 0;
    EXPECT_EQ(ClipBox(&result), (RECT{0, 0, 1920, 1080}));
    EXPECT_EQ(result, SIMPLEREGION);
    EXPECT_EQ(dc().GetObjectType(), OBJ_DC);
    EXPECT_FALSE(dc().IsInPath());
    EXPECT_FALSE(dc().IsPrinting());
    EXPECT_TRUE(log().Calls().empty());  // construction records nothing
}

TEST_F(TkDCTest, DeviceCapsOfTheReferenceDevice)
{
    EXPECT_EQ(dc().GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(dc().GetDeviceCaps(HORZSIZE), 508);
    EXPECT_EQ(dc().GetDeviceCaps(VERTSIZE), 286);
    EXPECT_EQ(dc().GetDeviceCaps(HORZRES), 1920);
    EXPECT_EQ(dc().GetDeviceCaps(VERTRES), 1080);
    EXPECT_EQ(dc().GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc().GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc().GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(dc().GetDeviceCaps(PLANES), 1);
    EXPECT_NE(dc().GetDeviceCaps(LINECAPS) & LC_WIDESTYLED, 0);
    EXPECT_EQ(dc().GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_EQ(dc().GetDeviceCaps(ASPECTX), 36);
    EXPECT_EQ(dc().GetDeviceCaps(ASPECTY), 36);
    EXPECT_EQ(dc().GetDeviceCaps(ASPECTXY), 51);
    EXPECT_EQ(dc().GetDeviceCaps(PHYSICALWIDTH), 1920);
    EXPECT_EQ(dc().GetDeviceCaps(PHYSICALHEIGHT), 1080);
    EXPECT_EQ(dc().GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_EQ(dc().GetDeviceCaps(RASTERCAPS), 0);
    EXPECT_EQ(dc().GetDeviceCaps(-5), 0);

    TkDeviceCaps printer;
    printer.technology = DT_RASPRINTER;
    printer.bitsPixel = 8;
    printer.physicalOffsetX = 50;
    const CTkDC other(nullptr, OBJ_DC, printer);
    EXPECT_EQ(other.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(other.GetDeviceCaps(NUMCOLORS), 256);
    EXPECT_EQ(other.GetDeviceCaps(PHYSICALOFFSETX), 50);
}

TEST_F(TkDCTest, SettersAnswerTheOldValueAndAlwaysTellTheBackend)
{
    EXPECT_EQ(dc().SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc().SetBkMode(TRANSPARENT), TRANSPARENT);
    EXPECT_EQ(dc().SetBkColor(RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(dc().SetTextColor(RGB(255, 0, 0)), 0u);
    EXPECT_EQ(dc().SetTextColor(RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(dc().SetTextAlign(TA_BASELINE), TA_TOP);
    EXPECT_EQ(dc().SetROP2(R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(dc().SetArcDirection(AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    EXPECT_EQ(dc().SetPolyFillMode(WINDING), ALTERNATE);
    float old = 0;
    EXPECT_EQ(dc().SetMiterLimit(4.5f, &old), TRUE);
    EXPECT_EQ(old, 10.0f);
    EXPECT_EQ(dc().SetTextCharacterExtra(3), 0);
    EXPECT_EQ(dc().SetBrushOrg(4, 5), (POINT{0, 0}));
    EXPECT_EQ(dc().SetGraphicsMode(GM_ADVANCED), GM_COMPATIBLE);
    EXPECT_EQ(dc().SetStretchBltMode(COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(dc().SetMapMode(MM_TEXT), MM_TEXT);
    EXPECT_EQ(dc().SetWindowOrg(7, 8), (POINT{0, 0}));
    EXPECT_EQ(dc().SetViewportOrg(9, 10), (POINT{0, 0}));
    EXPECT_EQ(log().Calls(),
              (Calls{"SetBkMode 1", "SetBkMode 1", "SetBkColor 030201", "SetTextColor 0000ff",
                     "SetTextColor 0000ff", "SetTextAlign 24", "SetROP2 7",
                     "SetArcDirection 2", "SetPolyFillMode 2", "SetMiterLimit 4.5",
                     "SetTextCharacterExtra 3", "SetBrushOrg 4 5", "SetGraphicsMode 2",
                     "SetStretchBltMode 3", "SetMapMode 1", "SetWindowOrg 7 8",
                     "SetViewportOrg 9 10"}));
}

TEST_F(TkDCTest, SettersRefuseValuesOutsideTheirRange)
{
    EXPECT_EQ(dc().SetBkMode(0), 0);
    EXPECT_EQ(dc().SetBkMode(3), 0);
    EXPECT_EQ(dc().SetROP2(0), 0);
    EXPECT_EQ(dc().SetROP2(17), 0);
    EXPECT_EQ(dc().SetArcDirection(3), 0);
    EXPECT_EQ(dc().SetPolyFillMode(0), 0);
    EXPECT_EQ(dc().SetGraphicsMode(3), 0);
    EXPECT_EQ(dc().SetStretchBltMode(5), 0);
    EXPECT_EQ(dc().SetMapMode(0), 0);
    EXPECT_EQ(dc().SetMapMode(9), 0);
    float old = -1;
    EXPECT_EQ(dc().SetMiterLimit(0.5f, &old), FALSE);
    EXPECT_EQ(dc().SetMiterLimit(std::nanf(""), &old), FALSE);
    EXPECT_EQ(old, -1.0f);
    EXPECT_EQ(dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(dc().GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc().GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc().GetMiterLimit(), 10.0f);
    EXPECT_TRUE(log().Calls().empty()) << log().Text();
}

TEST_F(TkDCTest, FixedMappingModesTakeTheirExtentsFromTheDevice)
{
    struct Expected {
        int mode;
        SIZE window;
    };
    const Expected modes[] = {
        {MM_LOMETRIC, {5080, 2860}},   {MM_HIMETRIC, {50800, 28600}},
        {MM_LOENGLISH, {2000, 1126}},  {MM_HIENGLISH, {20000, 11260}},
        {MM_TWIPS, {28800, 16214}},
    };
    for (const Expected& e : modes) {
        SCOPED_TRACE(e.mode);
        dc().SetMapMode(e.mode);
        EXPECT_EQ(dc().GetWindowExt(), e.window);
        EXPECT_EQ(dc().GetViewportExt(), (SIZE{1920, -1080}));
    }
    dc().SetMapMode(MM_TEXT);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{1, 1}));
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1, 1}));
}

TEST_F(TkDCTest, LoMetricFlipsY)
{
    dc().SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(ToDevice(100, 100), (POINT{38, -38}));  // 37.80, -37.76
    EXPECT_EQ(ToDevice(5080, -2860), (POINT{1920, 1080}));
    EXPECT_EQ(ToLogical(1920, 1080), (POINT{5080, -2860}));
    RECT r{0, 0, 100, 100};
    dc().LPtoDP(&r);
    EXPECT_EQ(r, (RECT{0, 0, 38, -38}));  // corners converted, not normalised
}

TEST_F(TkDCTest, ExtentsAreIgnoredOutsideTheScalableModesAndZeroIsRefused)
{
    dc().SetMapMode(MM_LOMETRIC);
    log().Clear();
    EXPECT_EQ(dc().SetWindowExt(10, 10), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().SetViewportExt(10, 10), (SIZE{1920, -1080}));
    EXPECT_EQ(dc().ScaleWindowExt(1, 2, 1, 2), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1920, -1080}));

    dc().SetMapMode(MM_ANISOTROPIC);  // keeps the extents it finds
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().SetWindowExt(0, 10), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().SetViewportExt(10, 0), (SIZE{1920, -1080}));
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    EXPECT_EQ(log().Calls(), (Calls{"SetMapMode 8"}));

    EXPECT_EQ(dc().SetWindowExt(100, 200), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().SetWindowExt(100, 200), (SIZE{100, 200}));
    EXPECT_EQ(dc().ScaleWindowExt(1, 2, 3, 1), (SIZE{100, 200}));
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{50, 600}));
    EXPECT_EQ(dc().ScaleWindowExt(1, 0, 1, 1), (SIZE{50, 600}));  // refused
    EXPECT_EQ(dc().ScaleWindowExt(1, 100, 1, 1), (SIZE{50, 600}));  // would be zero
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{50, 600}));
    EXPECT_EQ(log().Count("SetWindowExt"), 3);
}

TEST_F(TkDCTest, IsotropicStartsMetricAndKeepsUnitsSquare)
{
    dc().SetMapMode(MM_ISOTROPIC);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1920, -1080}));

    // 100 x 50 units onto 1000 x 1000 pixels: y units would be twice as tall.
    dc().SetWindowExt(100, 50);
    dc().SetViewportExt(1000, 1000);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1000, 500}));  // 499.56

    // Shrinking x keeps the sign.
    dc().SetWindowExt(50, 100);
    dc().SetViewportExt(-1000, 1000);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{-500, 1000}));  // -500.43

    // The device's pixels are not quite square: 1000 x 1000 loses a pixel in y.
    dc().SetWindowExt(1000, 1000);
    dc().SetViewportExt(1000, -1000);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1000, -999}));

    // An extent never shrinks to zero.
    dc().SetWindowExt(1, 1000000);
    dc().SetViewportExt(-1, 1);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{-1, 1}));

    // Setting the same mode again keeps the extents; anisotropic does not adjust.
    dc().SetMapMode(MM_ISOTROPIC);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{1, 1000000}));
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetViewportExt(1000, 1000);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1000, 1000}));
}

TEST_F(TkDCTest, AnisotropicRoundsHalvesAwayFromZero)
{
    Anisotropic({2, 2}, {1, 1});
    EXPECT_EQ(ToDevice(1, 3), (POINT{1, 2}));      // 0.5, 1.5
    EXPECT_EQ(ToDevice(-1, -3), (POINT{-1, -2}));  // -0.5, -1.5
    EXPECT_EQ(ToDevice(-2, 2), (POINT{-1, 1}));

    dc().SetWindowOrg(1, 0);
    dc().SetViewportOrg(10, 0);
    EXPECT_EQ(ToDevice(2, 0), (POINT{11, 0}));  // (2 - 1) / 2 + 10

    Anisotropic({3, 3}, {-1, 1});
    dc().SetWindowOrg(0, 0);
    dc().SetViewportOrg(0, 0);
    EXPECT_EQ(ToDevice(1, 2), (POINT{0, 1}));  // -0.33, 0.67
}

TEST_F(TkDCTest, DPtoLPIsTheInverseWithTheSameRounding)
{
    Anisotropic({1, 1}, {2, -2});
    EXPECT_EQ(ToLogical(1, 1), (POINT{1, -1}));    // 0.5, -0.5
    EXPECT_EQ(ToLogical(-3, 3), (POINT{-2, -2}));  // -1.5, -1.5
    dc().SetViewportOrg(100, 100);
    dc().SetWindowOrg(5, 5);
    EXPECT_EQ(ToLogical(104, 100), (POINT{7, 5}));
    RECT r{100, 100, 110, 90};
    dc().DPtoLP(&r);
    EXPECT_EQ(r, (RECT{5, 5, 10, 10}));
}

TEST_F(TkDCTest, MappingUses64BitIntermediatesAndSaturates)
{
    Anisotropic({1000000, 1}, {1000000, 1});
    EXPECT_EQ(ToDevice(2000000000, -2000000000), (POINT{2000000000, -2000000000}));
    Anisotropic({1, 1}, {INT_MAX, INT_MIN});
    EXPECT_EQ(ToDevice(2, 2), (POINT{INT_MAX, INT_MIN}));
    Anisotropic({1, 1}, {1, 1});
    dc().SetWindowOrg(INT_MIN, 0);
    EXPECT_EQ(ToDevice(INT_MAX, 0), (POINT{INT_MAX, 0}));
}

TEST_F(TkDCTest, OffsettingOriginsRecordsTheNewOrigin)
{
    EXPECT_EQ(dc().OffsetWindowOrg(5, -5), (POINT{0, 0}));
    EXPECT_EQ(dc().OffsetWindowOrg(5, -5), (POINT{5, -5}));
    EXPECT_EQ(dc().OffsetViewportOrg(INT_MAX, 1), (POINT{0, 0}));
    EXPECT_EQ(dc().OffsetViewportOrg(1, 1), (POINT{INT_MAX, 1}));  // saturates
    EXPECT_EQ(dc().GetViewportOrg(), (POINT{INT_MAX, 2}));
    EXPECT_EQ(log().Calls(), (Calls{"SetWindowOrg 5 -5", "SetWindowOrg 10 -10",
                                    "SetViewportOrg 2147483647 1",
                                    "SetViewportOrg 2147483647 2"}));
}

TEST_F(TkDCTest, SaveAndRestoreByAbsoluteAndRelativeLevels)
{
    const HPEN pen = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
    EXPECT_EQ(dc().SaveDC(), 1);
    dc().SetBkMode(TRANSPARENT);
    dc().SelectObject(pen);
    EXPECT_EQ(dc().SaveDC(), 2);
    dc().SetROP2(R2_XORPEN);
    EXPECT_EQ(dc().SaveDC(), 3);
    dc().SetMapMode(MM_LOMETRIC);
    log().Clear();

    EXPECT_EQ(dc().RestoreDC(0), FALSE);
    EXPECT_EQ(dc().RestoreDC(4), FALSE);
    EXPECT_EQ(dc().RestoreDC(-4), FALSE);
    EXPECT_EQ(dc().GetMapMode(), MM_LOMETRIC);
    EXPECT_TRUE(log().Calls().empty());

    EXPECT_EQ(dc().RestoreDC(-1), TRUE);  // back to level 3's state
    EXPECT_EQ(dc().GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc().GetROP2(), R2_XORPEN);
    EXPECT_EQ(dc().RestoreDC(3), FALSE);  // popped
    EXPECT_EQ(dc().RestoreDC(1), TRUE);   // absolute: pops level 2 too
    EXPECT_EQ(dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(dc().GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc().RestoreDC(-1), FALSE);  // nothing saved any more
    EXPECT_EQ(log().Calls(), (Calls{"RestoreDC -1", "RestoreDC 1"}));
    EXPECT_EQ(dc().SaveDC(), 1);
    DeleteObject(pen);
}

TEST(TkDCBackendTest, RestoreTellsTheBackendBeforeTheStateChanges)
{
    auto backend = std::make_unique<CPeekingBackend>();
    CPeekingBackend* pBackend = backend.get();
    CTkDC dc(std::move(backend));
    dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    dc.RestoreDC(-1);
    EXPECT_EQ(pBackend->bkModeDuringRestore, TRANSPARENT);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST_F(TkDCTest, SelectObjectAnswersThePreviousObjectOfItsKind)
{
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    const LOGBRUSH solid{BS_SOLID, RGB(0, 0, 255), 0};
    const HPEN extPen = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                                     2, &solid, 0, nullptr);
    const HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, {});

    EXPECT_EQ(dc().SelectObject(pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc().SelectObject(pen), pen);  // selected again, recorded again
    EXPECT_EQ(dc().SelectObject(extPen), pen);
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), extPen);
    EXPECT_EQ(dc().SelectObject(brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc().SelectObject(GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(dc().SelectObject(GetStockObject(DEFAULT_GUI_FONT)), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc().SelectObject(GetStockObject(DEFAULT_PALETTE)),
              GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(log().Calls(),
              (Calls{"SelectObject pen style=0 width=1 color=000000",
                     "SelectObject pen style=0 width=1 color=000000",
                     "SelectObject extpen style=11101 width=2 color=ff0000 brush=0",
                     "SelectObject brush style=2 color=0000ff hatch=5", "SelectObject stock 5",
                     "SelectObject stock 17", "SelectObject stock 15"}));
    log().Clear();

    EXPECT_EQ(dc().SelectObject(0), 0u);
    EXPECT_EQ(dc().SelectObject(0xDEADBEEF), 0u);
    EXPECT_EQ(dc().SelectObject(bitmap), 0u);  // bitmaps go into memory DCs only
    EXPECT_TRUE(log().Calls().empty());
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), extPen);

    CTestRecordingBackend* pMemLog = nullptr;
    auto memDC = MakeRecordingDC(&pMemLog, OBJ_MEMDC);
    EXPECT_EQ(memDC->SelectObject(bitmap), 0u);
    EXPECT_EQ(memDC->GetCurrentObject(OBJ_BITMAP), bitmap);
    EXPECT_EQ(pMemLog->Calls(), (Calls{"SelectObject bitmap 8x8 bpp=1"}));

    dc().SelectObject(GetStockObject(BLACK_PEN));
    dc().SelectObject(GetStockObject(WHITE_BRUSH));
    for (HGDIOBJ h : {pen, extPen, brush, bitmap})
        DeleteObject(h);
}

TEST_F(TkDCTest, DeletingASelectedObjectLeavesAHandleThatFindsNothing)
{
    const HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 255, 0));
    dc().SelectObject(pen);
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(log().Calls(), (Calls{"SelectObject pen style=2 width=1 color=00ff00",
                                    "DeleteObject pen style=2 width=1 color=00ff00"}));
    // The DC keeps the handle, but no later object can take it over.
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), pen);
    EXPECT_EQ(TkLookupGdiObject(pen), nullptr);
    EXPECT_EQ(dc().LineTo(5, 5), TRUE);
    EXPECT_EQ(dc().SelectObject(GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(dc().SelectObject(pen), 0u);
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
}

TEST_F(TkDCTest, ClipBoxIsInLogicalUnits)
{
    dc().SetMapMode(MM_LOMETRIC);
    int result = 0;
    EXPECT_EQ(ClipBox(&result), (RECT{0, -2860, 5080, 0}));
    EXPECT_EQ(result, SIMPLEREGION);

    // 1000 x 1000 logical units are 378 x 378 pixels, which map back to 1000.1 x 1001.
    EXPECT_EQ(dc().IntersectClipRect(0, 0, 1000, -1000), SIMPLEREGION);
    EXPECT_EQ(ClipBox(), (RECT{0, -1001, 1000, 0}));
    EXPECT_EQ(log().Calls(), (Calls{"SetMapMode 2", "IntersectClipRect 0 0 1000 -1000"}));
    EXPECT_EQ(dc().GetClipBox(nullptr), ERROR);
}

TEST_F(TkDCTest, ClippingKeepsABox)
{
    EXPECT_EQ(dc().ExcludeClipRect(-5, -5, 100, 2000), SIMPLEREGION);  // a full left strip
    EXPECT_EQ(ClipBox(), (RECT{100, 0, 1920, 1080}));
    EXPECT_EQ(dc().ExcludeClipRect(1800, -1, 1920, 1080), SIMPLEREGION);  // the right strip
    EXPECT_EQ(ClipBox(), (RECT{100, 0, 1800, 1080}));
    EXPECT_EQ(dc().ExcludeClipRect(0, 1000, 5000, 1080), SIMPLEREGION);  // the bottom
    EXPECT_EQ(ClipBox(), (RECT{100, 0, 1800, 1000}));
    EXPECT_EQ(dc().ExcludeClipRect(0, 0, 50, 50), SIMPLEREGION);  // outside: no change
    EXPECT_EQ(ClipBox(), (RECT{100, 0, 1800, 1000}));

    int result = 0;
    EXPECT_EQ(dc().ExcludeClipRect(500, 500, 600, 600), COMPLEXREGION);  // a hole
    EXPECT_EQ(ClipBox(&result), (RECT{100, 0, 1800, 1000}));
    EXPECT_EQ(result, COMPLEXREGION);

    EXPECT_EQ(dc().SelectClipRect(nullptr), SIMPLEREGION);
    EXPECT_EQ(ClipBox(), (RECT{0, 0, 1920, 1080}));
    const RECT device{1900, 10, 3000, 20};
    EXPECT_EQ(dc().SelectClipRect(&device), SIMPLEREGION);
    EXPECT_EQ(ClipBox(), (RECT{1900, 10, 1920, 20}));  // within the device surface

    EXPECT_EQ(dc().IntersectClipRect(0, 0, 10, 10), NULLREGION);
    EXPECT_EQ(ClipBox(&result), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(result, NULLREGION);

    dc().SelectClipRect(nullptr);
    EXPECT_EQ(dc().ExcludeClipRect(-1, -1, 2000, 2000), NULLREGION);
    EXPECT_EQ(log().Count("ExcludeClipRect"), 6);
    EXPECT_EQ(log().Count("SelectClipRect null"), 2);
    EXPECT_EQ(log().Count("SelectClipRect 1900 10 3000 20"), 1);

    dc().SetDeviceRect(RECT{0, 0, 64, 32});
    EXPECT_EQ(ClipBox(), (RECT{0, 0, 64, 32}));
}

TEST_F(TkDCTest, PathBracket)
{
    EXPECT_EQ(dc().EndPath(), FALSE);
    EXPECT_EQ(dc().CloseFigure(), FALSE);
    EXPECT_EQ(dc().BeginPath(), TRUE);
    EXPECT_TRUE(dc().IsInPath());
    EXPECT_EQ(dc().CloseFigure(), TRUE);
    EXPECT_EQ(dc().EndPath(), TRUE);
    EXPECT_FALSE(dc().IsInPath());
    EXPECT_EQ(dc().StrokePath(), TRUE);
    dc().BeginPath();
    EXPECT_EQ(dc().StrokeAndFillPath(), TRUE);  // ends the bracket
    EXPECT_FALSE(dc().IsInPath());
    dc().BeginPath();
    dc().AbortPath();
    EXPECT_FALSE(dc().IsInPath());
    dc().BeginPath();
    dc().FillPath();
    EXPECT_FALSE(dc().IsInPath());
    EXPECT_EQ(log().Calls(),
              (Calls{"BeginPath", "CloseFigure", "EndPath", "StrokePath", "BeginPath",
                     "StrokeAndFillPath", "BeginPath", "AbortPath", "BeginPath", "FillPath"}));
}

TEST_F(TkDCTest, DrawingCallsReachTheBackendAsGiven)
{
    const POINT tri[] = {{0, 0}, {10, 0}, {5, 5}};
    const POINT two[] = {{0, 0}, {1, 1}, {5, 5}, {6, 6}};
    const INT polyCounts[] = {2, 2};
    const DWORD lineCounts[] = {2, 2};
    const BYTE data[12] = {};
    EXPECT_EQ(dc().Rectangle(0, 0, 10, 10), TRUE);
    dc().RoundRect(0, 0, 10, 10, 3, 3);
    dc().Ellipse(10, 10, 0, 0);
    dc().Arc(0, 0, 10, 10, 10, 5, 0, 5);
    dc().Chord(0, 0, 10, 10, 10, 5, 0, 5);
    dc().Pie(0, 0, 10, 10, 10, 5, 0, 5);
    dc().Polyline(tri, 3);
    dc().Polygon(tri, 3);
    dc().PolyPolygon(two, polyCounts, 2);
    dc().PolyPolyline(two, lineCounts, 2);
    dc().PolyBezier(two, 4);
    dc().GdiComment(sizeof data, data);
    EXPECT_EQ(dc().SetPixel(1, 2, RGB(255, 0, 0)), RGB(255, 0, 0));
    const RECT r{0, 0, 5, 5};
    dc().InvertRect(&r);
    dc().DrawFocusRect(&r);
    dc().FillRect(&r, GetStockObject(GRAY_BRUSH));
    dc().PatBlt(0, 0, 5, 5, PATCOPY);
    CTkDC source;
    dc().BitBlt(0, 0, 5, 5, &source, 1, 1, SRCCOPY);
    EXPECT_EQ(log().Calls(),
              (Calls{"Rectangle 0 0 10 10", "RoundRect 0 0 10 10 3 3", "Ellipse 10 10 0 0",
                     "Arc 0 0 10 10 10 5 0 5", "Chord 0 0 10 10 10 5 0 5",
                     "Pie 0 0 10 10 10 5 0 5", "Polyline 3: 0 0 10 0 5 5",
                     "Polygon 3: 0 0 10 0 5 5", "PolyPolygon counts=2,2: 0 0 1 1 5 5 6 6",
                     "PolyPolyline counts=2,2: 0 0 1 1 5 5 6 6",
                     "PolyBezier 4: 0 0 1 1 5 5 6 6", "GdiComment 12", "SetPixel 1 2 0000ff",
                     "InvertRect 0 0 5 5", "DrawFocusRect 0 0 5 5", "FillRect 0 0 5 5 stock 2",
                     "PatBlt 0 0 5 5 rop=f00021", "BitBlt 0 0 5 5 from 1 1 rop=cc0020"}));
}

TEST_F(TkDCTest, BadDrawingArgumentsNeverReachTheBackend)
{
    const POINT pts[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    const INT negative[] = {2, -1};
    const INT tooFew[] = {1, 3};
    const INT huge[] = {INT_MAX, INT_MAX};
    const DWORD hugeLines[] = {0x80000000u, 2};
    const WCHAR text[] = u"ab";
    EXPECT_EQ(dc().Polyline(nullptr, 2), FALSE);
    EXPECT_EQ(dc().Polyline(pts, 1), FALSE);
    EXPECT_EQ(dc().Polyline(pts, -1), FALSE);
    EXPECT_EQ(dc().Polygon(pts, 1), FALSE);
    EXPECT_EQ(dc().Polygon(nullptr, 3), FALSE);
    EXPECT_EQ(dc().PolylineTo(pts, 0), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, negative, 2), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, tooFew, 2), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, huge, 2), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, nullptr, 1), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, tooFew + 1, 0), FALSE);
    EXPECT_EQ(dc().PolyPolygon(pts, tooFew + 1, -1), FALSE);
    EXPECT_EQ(dc().PolyPolyline(pts, hugeLines, 2), FALSE);
    EXPECT_EQ(dc().PolyBezier(pts, 3), FALSE);
    EXPECT_EQ(dc().PolyBezierTo(pts, 4), FALSE);
    EXPECT_EQ(dc().PolyBezierTo(pts, 0), FALSE);
    EXPECT_EQ(dc().ExtTextOutW(0, 0, 0, nullptr, nullptr, 2, nullptr), FALSE);
    EXPECT_EQ(dc().TextOutW(0, 0, text, -1), FALSE);
    EXPECT_EQ(dc().GdiComment(4, nullptr), FALSE);
    EXPECT_EQ(dc().InvertRect(nullptr), FALSE);
    EXPECT_EQ(dc().DrawFocusRect(nullptr), FALSE);
    const RECT r{0, 0, 1, 1};
    EXPECT_EQ(dc().FillRect(&r, 0xDEADBEEF), FALSE);
    EXPECT_EQ(dc().FillRect(&r, GetStockObject(BLACK_PEN)), FALSE);
    EXPECT_EQ(dc().FillRect(nullptr, GetStockObject(BLACK_BRUSH)), FALSE);
    EXPECT_EQ(dc().BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY), FALSE);
    EXPECT_TRUE(log().Calls().empty()) << log().Text();
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{0, 0}));
}

TEST_F(TkDCTest, CurrentPositionMovesAfterTheBackendCall)
{
    EXPECT_EQ(dc().MoveTo(1, 2), (POINT{0, 0}));
    EXPECT_EQ(dc().LineTo(3, 4), TRUE);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{3, 4}));
    const POINT pts[] = {{5, 5}, {6, 6}, {7, 8}};
    dc().PolylineTo(pts, 3);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{7, 8}));
    dc().PolyBezierTo(pts, 3);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{7, 8}));
    EXPECT_EQ(dc().MoveTo(0, 0), (POINT{7, 8}));
    EXPECT_EQ(log().Calls(), (Calls{"MoveTo 1 2", "LineTo 3 4", "PolylineTo 3: 5 5 6 6 7 8",
                                    "PolyBezierTo 3: 5 5 6 6 7 8", "MoveTo 0 0"}));

    log().SetDrawResult(FALSE);  // a failed call leaves the position alone
    EXPECT_EQ(dc().LineTo(9, 9), FALSE);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{0, 0}));

    auto backend = std::make_unique<CPeekingBackend>();
    CPeekingBackend* pPeek = backend.get();
    CTkDC peeked(std::move(backend));
    peeked.MoveTo(10, 20);
    peeked.LineTo(30, 40);
    EXPECT_EQ(pPeek->positionDuringCall, (POINT{10, 20}));
    EXPECT_EQ(peeked.GetCurrentPosition(), (POINT{30, 40}));
}

TEST_F(TkDCTest, CoordinateProbeReadsBack32BitPositions)
{
    dc().MoveTo(2147483647, 2147483647);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{2147483647, 2147483647}));
    EXPECT_EQ(dc().MoveTo(INT_MIN, INT_MIN), (POINT{2147483647, 2147483647}));
}

TEST_F(TkDCTest, ArcToEndsWhereTheEndRayMeetsTheEllipse)
{
    const auto endOf = [&](RECT box, POINT end) {
        dc().ArcTo(box.left, box.top, box.right, box.bottom, 0, 0, end.x, end.y);
        return dc().GetCurrentPosition();
    };
    EXPECT_EQ(endOf({0, 0, 100, 100}, {100, 50}), (POINT{100, 50}));
    EXPECT_EQ(endOf({0, 0, 100, 100}, {200, 50}), (POINT{100, 50}));
    EXPECT_EQ(endOf({0, 0, 100, 100}, {50, -1000}), (POINT{50, 0}));
    EXPECT_EQ(endOf({0, 0, 100, 100}, {150, 150}), (POINT{85, 85}));   // 85.36
    EXPECT_EQ(endOf({0, 0, 200, 100}, {200, 100}), (POINT{171, 85}));  // 170.71, 85.36
    EXPECT_EQ(endOf({200, 100, 0, 0}, {200, 100}), (POINT{171, 85}));  // box given reversed
    EXPECT_EQ(endOf({0, 0, 100, 100}, {50, 50}), (POINT{100, 50}));    // no direction: 0 deg
    EXPECT_EQ(endOf({0, 0, 0, 100}, {10, 100}), (POINT{0, 50}));  // flat: a thin ellipse's limit
    EXPECT_EQ(endOf({0, 0, 0, 100}, {0, 100}), (POINT{0, 100}));
    EXPECT_EQ(log().Count("ArcTo 0 0 100 100 0 0 200 50"), 1);
}

TEST_F(TkDCTest, TextAtTheCurrentPositionAdvancesIt)
{
    const WCHAR text[] = u"abc";
    const INT dx[] = {5, 6, 7};
    dc().MoveTo(10, 20);
    dc().ExtTextOutW(500, 500, 0, nullptr, text, 3, dx);  // no TA_UPDATECP
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{10, 20}));

    dc().SetTextAlign(TA_UPDATECP);
    dc().ExtTextOutW(500, 500, 0, nullptr, text, 3, dx);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{28, 20}));
    dc().ExtTextOutW(500, 500, 0, nullptr, text, 3, nullptr);  // nothing to measure with
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{28, 20}));

    dc().SetTextAlign(TA_UPDATECP | TA_RIGHT);
    dc().ExtTextOutW(0, 0, 0, nullptr, text, 3, dx);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{10, 20}));
    dc().SetTextAlign(TA_UPDATECP | TA_CENTER);
    dc().ExtTextOutW(0, 0, 0, nullptr, text, 3, dx);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{10, 20}));

    const INT pairs[] = {5, 1, 6, 2};
    dc().SetTextAlign(TA_UPDATECP);
    dc().ExtTextOutW(0, 0, ETO_PDY, nullptr, text, 2, pairs);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{21, 23}));

    const auto& calls = log().Calls();
    EXPECT_EQ(calls[1], "ExtTextOutW 500 500 opts=0 \"abc\" dx=5,6,7");
    EXPECT_EQ(calls[3], "ExtTextOutW 10 20 opts=0 \"abc\" dx=5,6,7");
    EXPECT_EQ(calls[4], "ExtTextOutW 28 20 opts=0 \"abc\"");
    EXPECT_EQ(calls.back(), "ExtTextOutW 10 20 opts=8192 \"ab\" dx=5,1,6,2");
}

TEST_F(TkDCTest, TextOutAndAdjustCP)
{
    const WCHAR text[] = u"Hi \"x\"\u00e9";
    const RECT r{0, 0, 5, 5};
    dc().TextOutW(1, 2, text, 7);
    dc().ExtTextOutW(3, 4, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    EXPECT_EQ(log().Calls(), (Calls{"ExtTextOutW 1 2 opts=0 \"Hi \\\"x\\\"\\u00e9\"",
                                    "ExtTextOutW 3 4 opts=2 \"\" rect=0 0 5 5"}));

    dc().MoveTo(10, 10);
    dc().AdjustCP(25);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{10, 10}));
    dc().SetTextAlign(TA_UPDATECP | TA_BASELINE);
    dc().AdjustCP(25);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{35, 10}));
}

TEST(TkDCNullBackendTest, CallsSucceedWithoutABackend)
{
    CTkDC dc;
    const POINT pts[] = {{0, 0}, {1, 1}};
    EXPECT_EQ(dc.GetBackend(), nullptr);
    EXPECT_EQ(dc.LineTo(4, 4), TRUE);
    EXPECT_EQ(dc.GetCurrentPosition(), (POINT{4, 4}));
    EXPECT_EQ(dc.Polyline(pts, 2), TRUE);
    EXPECT_EQ(dc.SetPixel(0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SaveDC(), 1);
    EXPECT_EQ(dc.SelectObject(GetStockObject(NULL_PEN)), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.RestoreDC(1), TRUE);
    EXPECT_EQ(dc.GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
    dc.SetPrinting(TRUE);
    EXPECT_TRUE(dc.IsPrinting());
}
