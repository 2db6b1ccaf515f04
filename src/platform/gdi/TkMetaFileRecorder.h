#pragma once
// The backend of a Windows metafile DC: it writes the 16-bit records that Windows
// GDI writes for the calls made on the DC, in logical coordinates.
//
// What the format cannot hold is handled as 16-bit GDI handles it:
// - coordinates and sizes are 16-bit; values outside -32768..32767 are saturated
//   (truncation would fold a far point to the opposite side of the picture);
// - objects are written when first selected, into the lowest free slot of the
//   metafile's object table; stock objects too, as a creation of an equal object,
//   since a 16-bit metafile cannot name them; deleting an object writes its delete
//   record and frees the slot;
// - extended pens become plain pens: the low style bits, the width, the colour;
// - there is no poly-polyline (each line is its own polyline), no Bezier (curves are
//   flattened into polylines), no ArcTo (a line to the arc's start, the arc, and a
//   move to its end), no arc direction (a clockwise arc is written with its ends
//   swapped, which is the same curve), no mitre limit, brush origin or graphics mode;
// - paths do not exist: the figures drawn inside a path bracket are kept, flattened
//   to lines, and a fill becomes one poly-polygon with the current brush and no
//   outline, a stroke one polyline per figure, a stroke-and-fill the poly-polygon
//   with the current pen;
// - text is written in the 8-bit code page of the selected font's character set;
// - FillRect, InvertRect and PatBlt become META_PATBLT (FillRect selects its brush
//   and then the DC's own brush again).
// Calls that the format cannot carry at all fail and write nothing: more than 32767
// points in one figure or characters in one text, a comment over 65535 bytes,
// glyph-index text, BitBlt, DrawFocusRect. Of the metafile blits only StretchDIBits
// is written (META_STRETCHDIB). An object without a record form (a
// pattern of 4 or 8 bits per pixel, which has no colour table to write) is not
// written or selected, so playback goes on with the previous object.

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkDCBackend.h"
#include "platform/gdi/TkDibColours.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkMetaFile.h"
#include "platform/gdi/TkPathFigures.h"

#include <memory>
#include <span>
#include <vector>

// first, then each curve of three further points, as the line points a 16-bit
// metafile gets for it.
std::vector<POINT> TkFlattenBeziers(POINT first, std::span<const POINT> rest);

class CTkMetaFileRecorder : public CTkDCBackend, private ITkGdiObjectObserver {
public:
    CTkMetaFileRecorder();
    ~CTkMetaFileRecorder() override;
    CTkMetaFileRecorder(const CTkMetaFileRecorder&) = delete;
    CTkMetaFileRecorder& operator=(const CTkMetaFileRecorder&) = delete;

    // Appends META_EOF and returns the metafile; null when already closed. After
    // that the recorder writes nothing and every drawing call fails.
    std::unique_ptr<CTkMetaFile> Close();
    bool IsClosed() const { return m_bClosed; }

    // What a metafile DC answers through GetDeviceCaps: the reference device, as a
    // metafile technology.
    static TkDeviceCaps DeviceCaps();

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
    BOOL DibBlit(CTkDC& dc, const TkDibBlit& blit) override;

private:
    void OnDeleteObject(HGDIOBJ hObject) override;
    // Ends the path; false when there is no ended path to draw.
    bool TakePath(std::vector<POINT>* pPoints, std::vector<INT>* pCounts, bool closeClosed);

    // Appends one record; nothing once closed.
    void Emit(WORD function, std::span<const BYTE> params);
    // The object's slot, writing its creation first when it has none; -1 when it
    // cannot be recorded.
    int SlotFor(HGDIOBJ hObject);
    bool WriteCreation(const CTkGdiObject& object);
    bool Select(HGDIOBJ hObject);
    void WriteBox(WORD function, const RECT& box);
    void WriteArc(WORD function, const CTkDC& dc, const RECT& box, POINT start, POINT end);
    bool WritePoints(WORD function, std::span<const POINT> pts);
    void WritePoint(WORD function, POINT p);
    void WritePatBlt(const RECT& rect, DWORD rop);
    void WriteStretchDib(const TkDibBlit& blit, std::span<const BYTE> dib, DWORD rop);
    bool WriteMaskPair(const TkDibBlit& blit, std::span<const BYTE> dib,
                       const std::function<bool(TkDibColour)>& isHidden);
    void WriteTransparentDib(const TkDibBlit& blit, std::span<const BYTE> dib);
    void WriteBlendedDib(const TkDibBlit& blit, std::span<const BYTE> dib);

    std::vector<BYTE> m_records;  // everything after the header
    std::vector<HGDIOBJ> m_objects;  // by slot; 0 is a free slot
    DWORD m_maxRecordWords = 0;
    int m_saveLevel = 0;
    bool m_bClosed = false;
    CTkPathFigures m_path;  // the figures of the path being drawn or ended
    bool m_bInPath = false;
    bool m_bPathEnded = false;
};

// A memory Windows metafile DC. Metafiles on disk are not made: with a file name
// the result is null.
std::unique_ptr<CTkDC> CreateMetaFileW(const WCHAR* pszFile);

// Ends the recording of a DC whose backend is a CTkMetaFileRecorder; null for any
// other DC and for one already closed.
std::unique_ptr<CTkMetaFile> CloseMetaFile(CTkDC* pDC);
