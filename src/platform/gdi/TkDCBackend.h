#pragma once
// What a device context does with the calls made on it: paint them (the Qt
// painting backend), record them (the metafile recorders) or log them (tests).
// CTkDC keeps the state; it tells the backend of every state call it made, even
// one that set the value already there, because GDI records such calls too.
// Coordinates are logical; the backend reads the mapping from the DC.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDibBlit.h"

#include <span>

class CTkDC;

// The state that a setter changed; the backend reads the new value from the DC.
enum class TkDCState {
    MapMode,
    WindowOrg,
    WindowExt,
    ViewportOrg,
    ViewportExt,
    BkColor,
    BkMode,
    TextColor,
    TextAlign,
    Rop2,
    ArcDirection,
    PolyFillMode,
    MiterLimit,
    TextCharacterExtra,
    BrushOrg,
    GraphicsMode,
    StretchBltMode,
};

class CTkDCBackend {
public:
    virtual ~CTkDCBackend() = default;

    virtual void OnStateChanged(CTkDC& dc, TkDCState what);
    // hObject is now selected; hPrevious was.
    virtual void OnSelectObject(CTkDC& dc, HGDIOBJ hObject, HGDIOBJ hPrevious);
    virtual void OnSaveDC(CTkDC& dc);
    // Called before the DC restores its state; nSavedDC as given (negative is
    // relative).
    virtual void OnRestoreDC(CTkDC& dc, int nSavedDC);
    virtual void OnIntersectClipRect(CTkDC& dc, const RECT& rect);
    virtual void OnExcludeClipRect(CTkDC& dc, const RECT& rect);
    virtual void OnSelectClipRect(CTkDC& dc, const RECT* pDeviceRect);

    // Drawing calls. The DC updates the current position after a call that moves
    // it, so during the call dc.GetCurrentPosition() is the position before.
    virtual BOOL MoveTo(CTkDC& dc, POINT p);
    virtual BOOL LineTo(CTkDC& dc, POINT p);
    virtual BOOL Rectangle(CTkDC& dc, const RECT& box);
    virtual BOOL RoundRect(CTkDC& dc, const RECT& box, SIZE corner);
    virtual BOOL Ellipse(CTkDC& dc, const RECT& box);
    virtual BOOL Arc(CTkDC& dc, const RECT& box, POINT start, POINT end);
    virtual BOOL ArcTo(CTkDC& dc, const RECT& box, POINT start, POINT end);
    virtual BOOL Chord(CTkDC& dc, const RECT& box, POINT start, POINT end);
    virtual BOOL Pie(CTkDC& dc, const RECT& box, POINT start, POINT end);
    virtual BOOL Polyline(CTkDC& dc, const POINT* pts, int count);
    virtual BOOL PolylineTo(CTkDC& dc, const POINT* pts, int count);
    virtual BOOL Polygon(CTkDC& dc, const POINT* pts, int count);
    virtual BOOL PolyPolyline(CTkDC& dc, const POINT* pts, const DWORD* counts, int polys);
    virtual BOOL PolyPolygon(CTkDC& dc, const POINT* pts, const INT* counts, int polys);
    virtual BOOL PolyBezier(CTkDC& dc, const POINT* pts, int count);
    virtual BOOL PolyBezierTo(CTkDC& dc, const POINT* pts, int count);
    virtual BOOL ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect,
                             const WCHAR* text, UINT count, const INT* dx);
    virtual BOOL GdiComment(CTkDC& dc, UINT size, const BYTE* data);
    virtual BOOL BeginPath(CTkDC& dc);
    virtual BOOL EndPath(CTkDC& dc);
    virtual BOOL CloseFigure(CTkDC& dc);
    virtual BOOL AbortPath(CTkDC& dc);
    virtual BOOL StrokePath(CTkDC& dc);
    virtual BOOL FillPath(CTkDC& dc);
    virtual BOOL StrokeAndFillPath(CTkDC& dc);
    virtual COLORREF SetPixel(CTkDC& dc, POINT p, COLORREF color);
    virtual BOOL InvertRect(CTkDC& dc, const RECT& rect);
    virtual BOOL DrawFocusRect(CTkDC& dc, const RECT& rect);
    virtual BOOL FillRect(CTkDC& dc, const RECT& rect, HBRUSH hBrush);
    virtual BOOL PatBlt(CTkDC& dc, const RECT& rect, DWORD rop);
    virtual BOOL BitBlt(CTkDC& dc, const RECT& dest, CTkDC& source, POINT sourceOrigin,
                        DWORD rop);
    // A bitmap carried by a metafile record; only recorders keep it.
    virtual BOOL DibBlit(CTkDC& dc, const TkDibBlit& blit);
    // A checked GradientFill, called only when CanShadeGradients answers true;
    // otherwise the DC draws the fill as flat pieces.
    virtual bool CanShadeGradients() const { return false; }
    virtual BOOL GradientFill(CTkDC& dc, std::span<const TRIVERTEX> vertices,
                              std::span<const ULONG> mesh, ULONG mode);
};
