#pragma once
// The device-context model: the complete GDI state of one DC, with the GDI calls
// the program makes. Setters return the old value as GDI does. Drawing calls go
// to the backend, which paints, records or logs them.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDCBackend.h"

#include <memory>
#include <span>
#include <vector>

// The capabilities a DC reports through GetDeviceCaps.
struct TkDeviceCaps {
    int technology = DT_RASDISPLAY;
    int horzSizeMm = 508;
    int vertSizeMm = 286;
    int horzRes = 1920;
    int vertRes = 1080;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int bitsPixel = 32;
    int planes = 1;
    int lineCaps = LC_POLYLINE | LC_MARKER | LC_POLYMARKER | LC_WIDE | LC_STYLED |
                   LC_WIDESTYLED | LC_INTERIORS;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;

    // The fixed virtual display every run measures and records against.
    static TkDeviceCaps ReferenceDevice() { return {}; }
};

// Where an arc drawn in box ends (or starts): the point of the ellipse on the ray
// from its centre through radial, rounded to the nearest unit; a flat ellipse
// gives the limit of a thin one.
POINT TkArcEndPoint(const RECT& box, POINT radial);
// The parametric angle of that point: it is (cx + a cos t, cy + b sin t).
double TkArcAngle(const RECT& box, POINT radial);

class CTkDC {
public:
    // The DC draws through the backend (null: calls succeed and draw nothing).
    // objectType is what GetObjectType answers: OBJ_DC, OBJ_MEMDC, OBJ_METADC or
    // OBJ_ENHMETADC.
    explicit CTkDC(std::unique_ptr<CTkDCBackend> backend = nullptr,
                   DWORD objectType = OBJ_DC,
                   const TkDeviceCaps& caps = TkDeviceCaps::ReferenceDevice());
    virtual ~CTkDC();
    CTkDC(const CTkDC&) = delete;
    CTkDC& operator=(const CTkDC&) = delete;

    CTkDCBackend* GetBackend() const { return m_backend.get(); }
    DWORD GetObjectType() const { return m_objectType; }
    int GetDeviceCaps(int index) const;
    const TkDeviceCaps& GetCaps() const { return m_caps; }
    BOOL IsPrinting() const { return m_bPrinting; }
    void SetPrinting(BOOL printing) { m_bPrinting = printing; }
    // The DC that answers measuring and device questions for a metafile DC, as
    // the framework's attribute DC does; null means this DC itself.
    CTkDC* GetAttribDC() const { return m_pAttribDC; }
    void SetAttribDC(CTkDC* pDC) { m_pAttribDC = pDC; }

    // Mapping
    int SetMapMode(int mode);
    int GetMapMode() const { return m_state.mapMode; }
    POINT SetWindowOrg(int x, int y);
    POINT OffsetWindowOrg(int dx, int dy);
    POINT GetWindowOrg() const { return m_state.windowOrg; }
    SIZE SetWindowExt(int cx, int cy);  // ignored outside the two scalable modes
    SIZE ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    SIZE GetWindowExt() const { return m_state.windowExt; }
    POINT SetViewportOrg(int x, int y);
    POINT OffsetViewportOrg(int dx, int dy);
    POINT GetViewportOrg() const { return m_state.viewportOrg; }
    SIZE SetViewportExt(int cx, int cy);
    SIZE ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    SIZE GetViewportExt() const { return m_state.viewportExt; }
    // Rounded to the nearest device (logical) unit, halves away from zero.
    void LPtoDP(POINT* pts, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void DPtoLP(POINT* pts, int count = 1) const;
    void DPtoLP(RECT* rect) const;

    // Current position
    POINT MoveTo(int x, int y);  // MoveToEx; returns the old position
    POINT GetCurrentPosition() const { return m_state.currentPosition; }

    // Modes and colours
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_state.bkMode; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_state.textAlign; }
    int SetROP2(int rop);
    int GetROP2() const { return m_state.rop2; }
    int SetArcDirection(int direction);
    int GetArcDirection() const { return m_state.arcDirection; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_state.polyFillMode; }
    BOOL SetMiterLimit(float limit, float* pOld = nullptr);
    float GetMiterLimit() const { return m_state.miterLimit; }
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const { return m_state.textCharacterExtra; }
    POINT SetBrushOrg(int x, int y);
    POINT GetBrushOrg() const { return m_state.brushOrg; }
    int SetGraphicsMode(int mode);
    int GetGraphicsMode() const { return m_state.graphicsMode; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return m_state.stretchBltMode; }

    // Objects: returns the previously selected object of the same kind, or 0 when
    // the handle is not a pen, brush, font, palette or bitmap.
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    HGDIOBJ GetCurrentObject(UINT type) const;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_PAL, OBJ_BITMAP

    // Saving and clipping
    int SaveDC();  // returns the new save level, or 0
    BOOL RestoreDC(int nSavedDC);
    // The clip box in logical units; returns NULLREGION, SIMPLEREGION, ERROR, or
    // COMPLEXREGION when an exclusion left a hole (the box is then its bounds).
    int GetClipBox(RECT* pRect) const;
    int IntersectClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    // Device-unit clip rectangle; null resets to the whole device surface.
    int SelectClipRect(const RECT* pDeviceRect);
    // The device surface: the DC's extent in device units, the default clip.
    void SetDeviceRect(const RECT& rect);
    const RECT& GetDeviceRect() const { return m_deviceRect; }
    BOOL IsInPath() const { return m_bInPath; }

    // Drawing
    BOOL LineTo(int x, int y);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd);
    BOOL ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
               int yEnd);
    BOOL Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
               int yEnd);
    BOOL Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd);
    BOOL Polyline(const POINT* pts, int count);
    BOOL PolylineTo(const POINT* pts, int count);
    BOOL Polygon(const POINT* pts, int count);
    BOOL PolyPolyline(const POINT* pts, const DWORD* counts, int polys);
    BOOL PolyPolygon(const POINT* pts, const INT* counts, int polys);
    BOOL PolyBezier(const POINT* pts, int count);
    BOOL PolyBezierTo(const POINT* pts, int count);
    virtual BOOL ExtTextOutW(int x, int y, UINT options, const RECT* pRect, const WCHAR* text,
                             UINT count, const INT* dx);
    BOOL TextOutW(int x, int y, const WCHAR* text, int count);
    BOOL GdiComment(UINT size, const BYTE* data);
    BOOL BeginPath();
    BOOL EndPath();
    BOOL CloseFigure();
    BOOL AbortPath();
    BOOL StrokePath();
    BOOL FillPath();
    BOOL StrokeAndFillPath();
    COLORREF SetPixel(int x, int y, COLORREF color);
    BOOL InvertRect(const RECT* pRect);
    BOOL DrawFocusRect(const RECT* pRect);
    BOOL FillRect(const RECT* pRect, HBRUSH hBrush);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CTkDC* pSource, int xSource, int ySource,
                DWORD rop);
    // BitBlt, StretchBlt, StretchDIBits or SetDIBitsToDevice from a packed DIB, as a
    // metafile record gives them.
    BOOL DibBlit(const TkDibBlit& blit);
    // GradientFill with the mesh as a flat list of vertex indices (two per
    // rectangle, three per triangle); FALSE for a mesh that does not fit. A backend
    // that cannot shade gets flat bands and triangles drawn with solid brushes.
    BOOL GradientFill(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                      ULONG mode);

    // Moves the current position when TA_UPDATECP is set, as the framework does.
    void AdjustCP(int cx);

protected:
    void SetCurrentPosition(POINT p) { m_state.currentPosition = p; }

private:
    struct State {
        int mapMode = MM_TEXT;
        POINT windowOrg{0, 0};
        SIZE windowExt{1, 1};
        POINT viewportOrg{0, 0};
        SIZE viewportExt{1, 1};
        POINT currentPosition{0, 0};
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        COLORREF textColor = RGB(0, 0, 0);
        UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
        int rop2 = R2_COPYPEN;
        int arcDirection = AD_COUNTERCLOCKWISE;
        int polyFillMode = ALTERNATE;
        float miterLimit = 10.0f;
        int textCharacterExtra = 0;
        POINT brushOrg{0, 0};
        int graphicsMode = GM_COMPATIBLE;
        int stretchBltMode = BLACKONWHITE;
        HPEN pen = 0;
        HBRUSH brush = 0;
        HFONT font = 0;
        HPALETTE palette = 0;
        HBITMAP bitmap = 0;
        RECT clip{0, 0, 0, 0};  // device units
        bool clipComplex = false;  // the clip region is more than its box
    };

    void Changed(TkDCState what);
    void AdjustIsotropic();
    void SetFixedMapping(int mode);
    bool IsScalable() const;
    RECT LogicalToDeviceBox(int left, int top, int right, int bottom) const;
    int ClipResult() const;
    template <typename Call>
    BOOL Forward(Call call);
    bool HasBackend() const { return m_backend != nullptr; }
    BOOL DrawGradientPieces(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                            ULONG mode);

    std::unique_ptr<CTkDCBackend> m_backend;
    DWORD m_objectType;
    TkDeviceCaps m_caps;
    BOOL m_bPrinting = FALSE;
    CTkDC* m_pAttribDC = nullptr;
    RECT m_deviceRect;
    State m_state;
    std::vector<State> m_saved;
    BOOL m_bInPath = FALSE;
};
