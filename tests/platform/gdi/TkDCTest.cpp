#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
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

}  // namespace

TEST_F(TkDCTest, SettersRefuseValuesOutsideTheirRange)
{
    const std::pair<int (CTkDC::*)(int), int> refused[] = {
        {&CTkDC::SetBkMode, 0},        {&CTkDC::SetBkMode, 3},         {&CTkDC::SetROP2, 0},
        {&CTkDC::SetROP2, 17},         {&CTkDC::SetArcDirection, 3},   {&CTkDC::SetPolyFillMode, 0},
        {&CTkDC::SetGraphicsMode, 3},  {&CTkDC::SetStretchBltMode, 5}, {&CTkDC::SetMapMode, 9}};
    for (const auto& [setter, value] : refused)
        EXPECT_EQ((dc().*setter)(value), 0) << value;
    float old = -1;
    EXPECT_EQ(dc().SetMiterLimit(0.5f, &old), FALSE);
    EXPECT_EQ(dc().SetMiterLimit(std::nanf(""), &old), FALSE);
    EXPECT_EQ(old, -1.0f);
    EXPECT_EQ(dc().GetROP2(), R2_COPYPEN);
    EXPECT_EQ(dc().GetMapMode(), MM_TEXT);
    EXPECT_TRUE(log().Calls().empty()) << log().Text();
}

TEST_F(TkDCTest, FixedMappingModesTakeTheirExtentsFromTheDevice)
{
    const std::pair<int, SIZE> modes[] = {
        {MM_LOMETRIC, {5080, 2860}},  {MM_HIMETRIC, {50800, 28600}},
        {MM_LOENGLISH, {2000, 1126}}, {MM_HIENGLISH, {20000, 11260}},
        {MM_TWIPS, {28800, 16214}},
    };
    for (const auto& [mode, window] : modes) {
        dc().SetMapMode(mode);
        EXPECT_EQ(dc().GetWindowExt(), window) << mode;
        EXPECT_EQ(dc().GetViewportExt(), (SIZE{1920, -1080}));
    }
    dc().SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(ToDevice(100, 100), (POINT{38, -38}));  // 37.80, -37.76
    EXPECT_EQ(ToLogical(1920, 1080), (POINT{5080, -2860}));
    RECT r{0, 0, 100, 100};
    dc().LPtoDP(&r);
    EXPECT_EQ(r, (RECT{0, 0, 38, -38}));  // corners converted, not normalised

    // Extents stay fixed outside the scalable modes; zero ones are refused.
    dc().SetWindowExt(10, 10);
    dc().ScaleWindowExt(1, 2, 1, 2);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    dc().SetMapMode(MM_ANISOTROPIC);  // keeps the extents it finds
    log().Clear();
    EXPECT_EQ(dc().SetWindowExt(0, 10), (SIZE{5080, 2860}));
    EXPECT_EQ(dc().SetViewportExt(10, 0), (SIZE{1920, -1080}));
    EXPECT_TRUE(log().Calls().empty());
    dc().SetWindowExt(100, 200);
    EXPECT_EQ(dc().ScaleWindowExt(1, 2, 3, 1), (SIZE{100, 200}));
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{50, 600}));
    EXPECT_EQ(dc().ScaleWindowExt(1, 0, 1, 1), (SIZE{50, 600}));    // refused
    EXPECT_EQ(dc().ScaleWindowExt(1, 100, 1, 1), (SIZE{50, 600}));  // would be zero
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{50, 600}));
}

TEST_F(TkDCTest, IsotropicStartsMetricAndKeepsUnitsSquare)
{
    dc().SetMapMode(MM_ISOTROPIC);
    EXPECT_EQ(dc().GetWindowExt(), (SIZE{5080, 2860}));
    struct Case {
        SIZE window, viewport, adjusted;
    };
    const Case cases[] = {
        {{100, 50}, {1000, 1000}, {1000, 500}},    // 499.56
        {{50, 100}, {-1000, 1000}, {-500, 1000}},  // -500.43, the sign kept
        {{1000, 1000}, {1000, -1000}, {1000, -999}},  // pixels not quite square
        {{1, 1000000}, {-1, 1}, {-1, 1}},          // never shrinks to zero
    };
    for (const Case& c : cases) {
        dc().SetWindowExt(c.window.cx, c.window.cy);
        dc().SetViewportExt(c.viewport.cx, c.viewport.cy);
        EXPECT_EQ(dc().GetViewportExt(), c.adjusted) << c.window.cx << "x" << c.window.cy;
    }
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetViewportExt(1000, 1000);
    EXPECT_EQ(dc().GetViewportExt(), (SIZE{1000, 1000}));
}

TEST_F(TkDCTest, MappingRoundsHalvesAwayFromZeroBothWaysAndSaturates)
{
    struct Case {
        SIZE window, viewport;
        POINT windowOrg, viewportOrg, logical, device;
    };
    const Case cases[] = {
        {{2, 2}, {1, 1}, {0, 0}, {0, 0}, {1, 3}, {1, 2}},      // 0.5, 1.5
        {{2, 2}, {1, 1}, {0, 0}, {0, 0}, {-1, -3}, {-1, -2}},  // -0.5, -1.5
        {{2, 2}, {1, 1}, {1, 0}, {10, 0}, {2, 0}, {11, 0}},    // (2 - 1) / 2 + 10
        {{3, 3}, {-1, 1}, {0, 0}, {0, 0}, {1, 2}, {0, 1}},     // -0.33, 0.67
        {{1000000, 1}, {1000000, 1}, {0, 0}, {0, 0}, {2000000000, -2000000000},
         {2000000000, -2000000000}},
        {{1, 1}, {INT_MAX, INT_MIN}, {0, 0}, {0, 0}, {2, 2}, {INT_MAX, INT_MIN}},
        {{1, 1}, {1, 1}, {INT_MIN, 0}, {0, 0}, {INT_MAX, 0}, {INT_MAX, 0}},
    };
    for (const Case& c : cases) {
        Anisotropic(c.window, c.viewport);
        dc().SetWindowOrg(c.windowOrg.x, c.windowOrg.y);
        dc().SetViewportOrg(c.viewportOrg.x, c.viewportOrg.y);
        EXPECT_EQ(ToDevice(c.logical.x, c.logical.y), c.device) << c.logical.x;
    }
    const std::pair<POINT, POINT> inverse[] = {
        {{1, 1}, {1, -1}}, {{-3, 3}, {-2, -2}}};  // 0.5, -0.5; -1.5, -1.5
    Anisotropic({1, 1}, {2, -2});
    dc().SetWindowOrg(0, 0);
    dc().SetViewportOrg(0, 0);
    for (const auto& [device, logical] : inverse)
        EXPECT_EQ(ToLogical(device.x, device.y), logical) << device.x;
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
    for (int bad : {0, 4, -4})
        EXPECT_EQ(dc().RestoreDC(bad), FALSE) << bad;
    EXPECT_EQ(dc().GetMapMode(), MM_LOMETRIC);

    EXPECT_EQ(dc().RestoreDC(-1), TRUE);  // back to level 3's state
    EXPECT_EQ(dc().GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc().GetROP2(), R2_XORPEN);
    EXPECT_EQ(dc().RestoreDC(3), FALSE);  // popped
    EXPECT_EQ(dc().RestoreDC(1), TRUE);   // absolute: pops level 2 too
    EXPECT_EQ(dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc().RestoreDC(-1), FALSE);  // nothing saved any more
    EXPECT_EQ(log().Calls(), (Calls{"RestoreDC -1", "RestoreDC 1"}));
    DeleteObject(pen);

}

TEST_F(TkDCTest, SelectObjectAnswersThePreviousObjectOfItsKind)
{
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    const HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, {});
    EXPECT_EQ(dc().SelectObject(pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc().SelectObject(pen), pen);  // selected again, recorded again
    EXPECT_EQ(dc().SelectObject(brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc().SelectObject(GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(log().Count("SelectObject"), 4);
    log().Clear();
    EXPECT_EQ(dc().SelectObject(0xDEADBEEF), 0u);
    EXPECT_EQ(dc().SelectObject(bitmap), 0u);  // bitmaps go into memory DCs only
    EXPECT_TRUE(log().Calls().empty());

    CTestRecordingBackend* pMemLog = nullptr;
    auto memDC = MakeRecordingDC(&pMemLog, OBJ_MEMDC);
    EXPECT_EQ(memDC->SelectObject(bitmap), 0u);
    EXPECT_EQ(memDC->GetCurrentObject(OBJ_BITMAP), bitmap);

    // A deleted selected object keeps its handle in the DC, but nothing finds it.
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(log().Calls(), (Calls{"DeleteObject pen style=0 width=1 color=000000"}));
    EXPECT_EQ(dc().GetCurrentObject(OBJ_PEN), pen);
    EXPECT_EQ(dc().LineTo(5, 5), TRUE);
    EXPECT_EQ(dc().SelectObject(GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(dc().SelectObject(pen), 0u);
    for (HGDIOBJ h : {HGDIOBJ(brush), HGDIOBJ(bitmap)})
        DeleteObject(h);
}

TEST_F(TkDCTest, ClipBoxIsInLogicalUnitsAndKeepsABox)
{
    dc().SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(ClipBox(), (RECT{0, -2860, 5080, 0}));
    // 1000 x 1000 logical units are 378 x 378 pixels, which map back to 1000.1 x 1001.
    EXPECT_EQ(dc().IntersectClipRect(0, 0, 1000, -1000), SIMPLEREGION);
    EXPECT_EQ(ClipBox(), (RECT{0, -1001, 1000, 0}));
    dc().SetMapMode(MM_TEXT);
    dc().SelectClipRect(nullptr);

    struct Step {
        RECT excluded;
        int result;
        RECT box;
    };
    const Step steps[] = {
        {{-5, -5, 100, 2000}, SIMPLEREGION, {100, 0, 1920, 1080}},   // a full left strip
        {{1800, -1, 1920, 1080}, SIMPLEREGION, {100, 0, 1800, 1080}},
        {{0, 0, 50, 50}, SIMPLEREGION, {100, 0, 1800, 1080}},        // outside
        {{500, 500, 600, 600}, COMPLEXREGION, {100, 0, 1800, 1080}},  // a hole
        {{-1, -1, 2000, 2000}, NULLREGION, {0, 0, 0, 0}},
    };
    for (const Step& s : steps) {
        int result = 0;
        EXPECT_EQ(dc().ExcludeClipRect(s.excluded.left, s.excluded.top, s.excluded.right,
                                       s.excluded.bottom),
                  s.result);
        EXPECT_EQ(ClipBox(&result), s.box);
        EXPECT_EQ(result, s.result);
    }
    const RECT device{1900, 10, 3000, 20};
    EXPECT_EQ(dc().SelectClipRect(&device), SIMPLEREGION);
    EXPECT_EQ(ClipBox(), (RECT{1900, 10, 1920, 20}));  // within the device surface
    EXPECT_EQ(dc().IntersectClipRect(0, 0, 10, 10), NULLREGION);
    EXPECT_EQ(dc().GetClipBox(nullptr), ERROR);
}

TEST_F(TkDCTest, BadDrawingArgumentsNeverReachTheBackend)
{
    const POINT pts[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    const INT negative[] = {2, -1};
    const INT tooFew[] = {1, 3};
    const INT huge[] = {INT_MAX, INT_MAX};
    const DWORD hugeLines[] = {0x80000000u, 2};
    const RECT r{0, 0, 1, 1};
    const std::function<BOOL()> calls[] = {
        [&] { return dc().Polyline(nullptr, 2); },
        [&] { return dc().Polyline(pts, 1); },
        [&] { return dc().PolylineTo(pts, 0); },
        [&] { return dc().PolyPolygon(pts, negative, 2); },
        [&] { return dc().PolyPolygon(pts, tooFew, 2); },
        [&] { return dc().PolyPolygon(pts, huge, 2); },
        [&] { return dc().PolyPolygon(pts, tooFew + 1, 0); },
        [&] { return dc().PolyPolyline(pts, hugeLines, 2); },
        [&] { return dc().PolyBezier(pts, 3); },
        [&] { return dc().PolyBezierTo(pts, 4); },
        [&] { return dc().ExtTextOutW(0, 0, 0, nullptr, nullptr, 2, nullptr); },
        [&] { return dc().TextOutW(0, 0, u"ab", -1); },
        [&] { return dc().GdiComment(4, nullptr); },
        [&] { return dc().FillRect(&r, GetStockObject(BLACK_PEN)); },
        [&] { return dc().BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i)
        EXPECT_EQ(calls[i](), FALSE) << i;
    EXPECT_TRUE(log().Calls().empty()) << log().Text();
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{0, 0}));
}

TEST_F(TkDCTest, CurrentPositionMovesAfterASuccessfulBackendCall)
{
    dc().MoveTo(1, 2);
    const POINT pts[] = {{5, 5}, {6, 6}, {7, 8}};
    dc().PolylineTo(pts, 3);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{7, 8}));
    EXPECT_EQ(log().Calls(), (Calls{"MoveTo 1 2", "PolylineTo 3: 5 5 6 6 7 8"}));
    log().SetDrawResult(FALSE);
    EXPECT_EQ(dc().LineTo(9, 9), FALSE);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{7, 8}));
}

TEST_F(TkDCTest, ArcToEndsWhereTheEndRayMeetsTheEllipse)
{
    struct Case {
        RECT box;
        POINT end, reached;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, {200, 50}, {100, 50}},
        {{0, 0, 100, 100}, {50, -1000}, {50, 0}},
        {{0, 0, 100, 100}, {150, 150}, {85, 85}},   // 85.36
        {{0, 0, 200, 100}, {200, 100}, {171, 85}},  // 170.71, 85.36
        {{200, 100, 0, 0}, {200, 100}, {171, 85}},  // box given reversed
        {{0, 0, 100, 100}, {50, 50}, {100, 50}},    // no direction: 0 degrees
        {{0, 0, 0, 100}, {10, 100}, {0, 50}},       // flat: a thin ellipse's limit
    };
    for (const Case& c : cases) {
        dc().ArcTo(c.box.left, c.box.top, c.box.right, c.box.bottom, 0, 0, c.end.x, c.end.y);
        EXPECT_EQ(dc().GetCurrentPosition(), c.reached) << c.end.x << "," << c.end.y;
    }
}

TEST_F(TkDCTest, TextAtTheCurrentPositionAdvancesIt)
{
    const WCHAR text[] = u"abc";
    const INT dx[] = {5, 6, 7};
    const INT pairs[] = {5, 1, 6, 2};
    dc().MoveTo(10, 20);
    struct Step {
        UINT align, options;
        const INT* pDx;
        int count;
        POINT after;
    };
    const Step steps[] = {
        {0, 0, dx, 3, {10, 20}},                         // no TA_UPDATECP
        {TA_UPDATECP, 0, dx, 3, {28, 20}},
        {TA_UPDATECP, 0, nullptr, 3, {28, 20}},          // nothing to measure with
        {TA_UPDATECP | TA_RIGHT, 0, dx, 3, {10, 20}},
        {TA_UPDATECP | TA_CENTER, 0, dx, 3, {10, 20}},
        {TA_UPDATECP, ETO_PDY, pairs, 2, {21, 23}},
    };
    for (const Step& s : steps) {
        dc().SetTextAlign(s.align);
        dc().ExtTextOutW(500, 500, s.options, nullptr, text, s.count, s.pDx);
        EXPECT_EQ(dc().GetCurrentPosition(), s.after) << s.align;
    }
    EXPECT_EQ(log().Count("ExtTextOutW 500 500"), 1);
    EXPECT_EQ(log().Calls().back(), "ExtTextOutW 10 20 opts=8192 \"ab\" dx=5,1,6,2");

    dc().MoveTo(10, 10);
    dc().SetTextAlign(TA_BASELINE);
    dc().AdjustCP(25);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{10, 10}));
    dc().SetTextAlign(TA_UPDATECP | TA_BASELINE);
    dc().AdjustCP(25);
    EXPECT_EQ(dc().GetCurrentPosition(), (POINT{35, 10}));
}
