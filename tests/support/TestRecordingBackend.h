#pragma once
// A DC backend for tests that logs every call made on the DC, in order, as one
// line of text, so that a test can compare the drawing sequence it expects.
//
// The line is the call's name and its arguments in decimal, as the DC holds them
// after the call ("SetMapMode 8", "Rectangle 0 0 10 10", "Polyline 3: 0 0 10 0 5 5",
// "ExtTextOutW 10 20 opts=0 \"text\" dx=7,7"); colours are COLORREF hex and
// objects are described by Describe ("stock 5", "pen style=0 width=1 color=000000").

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
