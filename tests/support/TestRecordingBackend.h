#pragma once
// A DC backend for tests that logs every call made on the DC, in order, as one
// line of text, so that a test can compare the drawing sequence it expects.
//
// Line format (numbers decimal unless said; colours are the COLORREF in lower-case
// hex, at least 6 digits; points and rectangles are their numbers separated by
// single spaces):
//   state setters      "SetMapMode 8", "SetWindowOrg 0 0", "SetWindowExt 100 200",
//                      "SetViewportOrg 0 0", "SetViewportExt 96 -96", "SetBkColor ffffff",
//                      "SetBkMode 1", "SetTextColor 0000ff", "SetTextAlign 24",
//                      "SetROP2 13", "SetArcDirection 2", "SetPolyFillMode 2",
//                      "SetMiterLimit 10", "SetTextCharacterExtra 0", "SetBrushOrg 0 0",
//                      "SetGraphicsMode 1", "SetStretchBltMode 3"
//                      (the values are the DC's after the call)
//   objects            "SelectObject " + Describe(handle); Describe gives
//                      "stock 5"                                   a stock object
//                      "pen style=0 width=1 color=000000"          style in hex
//                      "extpen style=12101 width=2 color=0000ff brush=2"
//                          then " hatch=5" (BS_HATCHED), " bitmap=8x8" (bitmap pattern),
//                          " dib=N" (packed DIB of N bytes), " user=4,2" (user style)
//                      "brush style=2 color=0000ff hatch=5"        solid, null, hatched
//                      "brush style=3 bitmap=8x8"                  bitmap pattern
//                      "brush style=6 usage=0 dib=N"               DIB pattern
//                      "font height=-353 face=Arial width=0 escapement=0 orientation=0
//                          weight=400 italic=0 underline=0 strikeout=0 charset=0"
//                          (one line; non-ASCII face characters as \uXXXX)
//                      "palette entries=20", "bitmap 8x8 bpp=1", "invalid"
//   deletion           "DeleteObject " + Describe(handle), for objects this backend saw
//                      selected, logged when DeleteObject is called
//   save and clip      "SaveDC", "RestoreDC -1", "IntersectClipRect 0 0 10 10",
//                      "ExcludeClipRect 0 0 10 10", "SelectClipRect 0 0 10 10",
//                      "SelectClipRect null"
//   drawing            "MoveTo 1 2", "LineTo 3 4", "Rectangle 0 0 10 10",
//                      "RoundRect 0 0 10 10 3 3", "Ellipse 0 0 10 10",
//                      "Arc 0 0 10 10 10 5 0 5" (box, start, end; also ArcTo, Chord, Pie),
//                      "Polyline 3: 0 0 10 0 5 5" (also PolylineTo, Polygon, PolyBezier,
//                      PolyBezierTo), "PolyPolygon counts=3,2: 0 0 1 1 2 2 5 5 6 6"
//                      (also PolyPolyline),
//                      "ExtTextOutW 10 20 opts=0 \"text\"" then " rect=0 0 5 5" when a
//                      rectangle is given and " dx=7,7,7" when advances are given
//                      (non-ASCII characters as \uXXXX, quote and backslash escaped),
//                      "GdiComment 12" (the byte count), "BeginPath", "EndPath",
//                      "CloseFigure", "AbortPath", "StrokePath", "FillPath",
//                      "StrokeAndFillPath", "SetPixel 1 2 ff0000", "InvertRect 0 0 5 5",
//                      "DrawFocusRect 0 0 5 5", "FillRect 0 0 5 5 stock 2",
//                      "PatBlt 0 0 5 5 rop=f00021", "BitBlt 0 0 5 5 from 1 1 rop=cc0020"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkDCBackend.h"
#include "platform/gdi/TkGdiObjects.h"

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CTestRecordingBackend : public CTkDCBackend, private ITkGdiObjectObserver {
public:
    CTestRecordingBackend();
    ~CTestRecordingBackend() override;
    CTestRecordingBackend(const CTestRecordingBackend&) = delete;
    CTestRecordingBackend& operator=(const CTestRecordingBackend&) = delete;

    const std::vector<std::string>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    // Calls that start with prefix.
    int Count(std::string_view prefix) const;
    // "SelectObject " calls whose description starts with kind ("pen", "stock 0").
    int SelectCount(std::string_view kind = {}) const;
    // All calls, one a line, for failure messages.
    std::string Text() const;
    // What every drawing call answers from now on (TRUE at first).
    void SetDrawResult(BOOL result) { m_result = result; }

    static std::string Describe(HGDIOBJ hObject);

    void OnStateChanged(CTkDC& dc, TkDCState what) override;
    void OnSelectObject(CTkDC& dc, HGDIOBJ hObject, HGDIOBJ hPrevious) override;
    void OnSaveDC(CTkDC& dc) override;
    void OnRestoreDC(CTkDC& dc, int nSavedDC) override;
    void OnIntersectClipRect(CTkDC& dc, const RECT& rect) override;
    void OnExcludeClipRect(CTkDC& dc, const RECT& rect) override;
    void OnSelectClipRect(CTkDC& dc, const RECT* pDeviceRect) override;

    BOOL MoveTo(CTkDC& dc, POINT p) override;
    BOOL LineTo(CTkDC& dc, POINT p) override;
    BOOL Rectangle(CTkDC& dc, const RECT& box) override;
    BOOL RoundRect(CTkDC& dc, const RECT& box, SIZE corner) override;
    BOOL Ellipse(CTkDC& dc, const RECT& box) override;
    BOOL Arc(CTkDC& dc, const RECT& box, POINT start, POINT end) override;
    BOOL ArcTo(CTkDC& dc, const RECT& box, POINT start, POINT end) override;
    BOOL Chord(CTkDC& dc, const RECT& box, POINT start, POINT end) override;
    BOOL Pie(CTkDC& dc, const RECT& box, POINT start, POINT end) override;
    BOOL Polyline(CTkDC& dc, const POINT* pts, int count) override;
    BOOL PolylineTo(CTkDC& dc, const POINT* pts, int count) override;
    BOOL Polygon(CTkDC& dc, const POINT* pts, int count) override;
    BOOL PolyPolyline(CTkDC& dc, const POINT* pts, const DWORD* counts, int polys) override;
    BOOL PolyPolygon(CTkDC& dc, const POINT* pts, const INT* counts, int polys) override;
    BOOL PolyBezier(CTkDC& dc, const POINT* pts, int count) override;
    BOOL PolyBezierTo(CTkDC& dc, const POINT* pts, int count) override;
    BOOL ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect, const WCHAR* text,
                     UINT count, const INT* dx) override;
    BOOL GdiComment(CTkDC& dc, UINT size, const BYTE* data) override;
    BOOL BeginPath(CTkDC& dc) override;
    BOOL EndPath(CTkDC& dc) override;
    BOOL CloseFigure(CTkDC& dc) override;
    BOOL AbortPath(CTkDC& dc) override;
    BOOL StrokePath(CTkDC& dc) override;
    BOOL FillPath(CTkDC& dc) override;
    BOOL StrokeAndFillPath(CTkDC& dc) override;
    COLORREF SetPixel(CTkDC& dc, POINT p, COLORREF color) override;
    BOOL InvertRect(CTkDC& dc, const RECT& rect) override;
    BOOL DrawFocusRect(CTkDC& dc, const RECT& rect) override;
    BOOL FillRect(CTkDC& dc, const RECT& rect, HBRUSH hBrush) override;
    BOOL PatBlt(CTkDC& dc, const RECT& rect, DWORD rop) override;
    BOOL BitBlt(CTkDC& dc, const RECT& dest, CTkDC& source, POINT sourceOrigin,
                DWORD rop) override;

private:
    void OnDeleteObject(HGDIOBJ hObject) override;
    BOOL Log(std::string call);

    std::vector<std::string> m_calls;
    std::set<HGDIOBJ> m_selected;  // objects seen selected, for their delete entries
    BOOL m_result = TRUE;
};

// A DC on the reference device that logs into a CTestRecordingBackend; the DC owns
// the backend, *ppBackend (when not null) refers to it.
std::unique_ptr<CTkDC> MakeRecordingDC(CTestRecordingBackend** ppBackend,
                                       DWORD objectType = OBJ_DC);
