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
    void OnSaveDC(CTkDC&) override { Log("SaveDC"); }
    void OnRestoreDC(CTkDC&, int nSavedDC) override { Log("RestoreDC", nSavedDC); }
    void OnIntersectClipRect(CTkDC&, const RECT& r) override { Log("IntersectClipRect", r); }
    void OnExcludeClipRect(CTkDC&, const RECT& r) override { Log("ExcludeClipRect", r); }
    void OnSelectClipRect(CTkDC&, const RECT* p) override
    {
        Log("SelectClipRect", p != nullptr ? Arg(*p) : "null");
    }

    BOOL MoveTo(CTkDC&, POINT p) override { return Log("MoveTo", p); }
    BOOL LineTo(CTkDC&, POINT p) override { return Log("LineTo", p); }
    BOOL Rectangle(CTkDC&, const RECT& box) override { return Log("Rectangle", box); }
    BOOL RoundRect(CTkDC&, const RECT& box, SIZE corner) override
    {
        return Log("RoundRect", box, corner);
    }
    BOOL Ellipse(CTkDC&, const RECT& box) override { return Log("Ellipse", box); }
    BOOL Arc(CTkDC&, const RECT& b, POINT s, POINT e) override { return Log("Arc", b, s, e); }
    BOOL ArcTo(CTkDC&, const RECT& b, POINT s, POINT e) override { return Log("ArcTo", b, s, e); }
    BOOL Chord(CTkDC&, const RECT& b, POINT s, POINT e) override { return Log("Chord", b, s, e); }
    BOOL Pie(CTkDC&, const RECT& b, POINT s, POINT e) override { return Log("Pie", b, s, e); }
    BOOL Polyline(CTkDC&, const POINT* p, int n) override { return Log("Polyline", Poly(p, n)); }
    BOOL PolylineTo(CTkDC&, const POINT* p, int n) override
    {
        return Log("PolylineTo", Poly(p, n));
    }
    BOOL Polygon(CTkDC&, const POINT* p, int n) override { return Log("Polygon", Poly(p, n)); }
    BOOL PolyPolyline(CTkDC&, const POINT* p, const DWORD* counts, int polys) override
    {
        return Log("PolyPolyline", PolyPoly(p, {counts, counts + polys}));
    }
    BOOL PolyPolygon(CTkDC&, const POINT* p, const INT* counts, int polys) override
    {
        return Log("PolyPolygon", PolyPoly(p, {counts, counts + polys}));
    }
    BOOL PolyBezier(CTkDC&, const POINT* p, int n) override
    {
        return Log("PolyBezier", Poly(p, n));
    }
    BOOL PolyBezierTo(CTkDC&, const POINT* p, int n) override
    {
        return Log("PolyBezierTo", Poly(p, n));
    }
    BOOL ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect, const WCHAR* text,
                     UINT count, const INT* dx) override;
    BOOL GdiComment(CTkDC&, UINT size, const BYTE*) override { return Log("GdiComment", size); }
    BOOL BeginPath(CTkDC&) override { return Log("BeginPath"); }
    BOOL EndPath(CTkDC&) override { return Log("EndPath"); }
    BOOL CloseFigure(CTkDC&) override { return Log("CloseFigure"); }
    BOOL AbortPath(CTkDC&) override { return Log("AbortPath"); }
    BOOL StrokePath(CTkDC&) override { return Log("StrokePath"); }
    BOOL FillPath(CTkDC&) override { return Log("FillPath"); }
    BOOL StrokeAndFillPath(CTkDC&) override { return Log("StrokeAndFillPath"); }
    COLORREF SetPixel(CTkDC&, POINT p, COLORREF color) override
    {
        Log("SetPixel", p, Color(color));
        return color;
    }
    BOOL InvertRect(CTkDC&, const RECT& r) override { return Log("InvertRect", r); }
    BOOL DrawFocusRect(CTkDC&, const RECT& r) override { return Log("DrawFocusRect", r); }
    BOOL FillRect(CTkDC&, const RECT& r, HBRUSH hBrush) override
    {
        return Log("FillRect", r, Describe(hBrush));
    }
    BOOL PatBlt(CTkDC&, const RECT& r, DWORD rop) override { return Log("PatBlt", r, Rop(rop)); }
    BOOL BitBlt(CTkDC&, const RECT& dest, CTkDC&, POINT from, DWORD rop) override
    {
        return Log("BitBlt", dest, "from", from, Rop(rop));
    }

private:
    void OnDeleteObject(HGDIOBJ hObject) override;

    // The call's name and its arguments, each after a space.
    template <typename... Args>
    BOOL Log(std::string_view name, const Args&... args)
    {
        std::string line(name);
        ((line += " " + Arg(args)), ...);
        m_calls.push_back(std::move(line));
        return m_result;
    }
    static std::string Arg(const std::string& s) { return s; }
    static std::string Arg(const char* s) { return s; }
    static std::string Arg(long long value) { return std::to_string(value); }
    static std::string Arg(POINT p) { return Arg(p.x) + " " + Arg(p.y); }
    static std::string Arg(SIZE s) { return Arg(s.cx) + " " + Arg(s.cy); }
    static std::string Arg(const RECT& r)
    {
        return Arg(POINT{r.left, r.top}) + " " + Arg(POINT{r.right, r.bottom});
    }
    static std::string Color(COLORREF color);
    static std::string Rop(DWORD rop);
    static std::string Poly(const POINT* pts, int count);
    static std::string PolyPoly(const POINT* pts, const std::vector<long long>& counts);

    std::vector<std::string> m_calls;
    std::set<HGDIOBJ> m_selected;  // objects seen selected, for their delete entries
    BOOL m_result = TRUE;
};

// A DC on the reference device that logs into a CTestRecordingBackend; the DC owns
// the backend, *ppBackend (when not null) refers to it.
std::unique_ptr<CTkDC> MakeRecordingDC(CTestRecordingBackend** ppBackend,
                                       DWORD objectType = OBJ_DC);
