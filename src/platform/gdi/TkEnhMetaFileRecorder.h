#pragma once
// Recording an enhanced metafile: the backend of a DC whose object type is
// OBJ_ENHMETADC. It writes the records GDI writes for the calls made on the DC,
// in logical units, and keeps the header's bounds, handle count and sizes.
//
// Habits kept from GDI:
// - an object is written when it is first selected (its create record into the
//   lowest free index, index 0 being the metafile's), then selected; selecting
//   it again writes only the select record; stock objects are selected as
//   ENHMETA_STOCK_OBJECT + stock number; deleting a written object writes
//   EMR_DELETEOBJECT and frees its index;
// - every state call writes its record, changed or not; SetTextCharacterExtra
//   has no record and is folded into the measured advances of text;
// - poly records take their 16-bit form when every point fits in 16 bits;
// - the boxes of Rectangle, Ellipse, RoundRect, Arc, ArcTo, Chord and Pie are
//   normalised and, in the compatible graphics mode, their right and bottom
//   reduced by the logical size of one device unit (GDI leaves out the right and
//   bottom edge there); an empty box is refused;
// - text records carry an advance array, measured with the selected font when
//   the caller gave none;
// - PatBlt is an EMR_BITBLT without a source; the bitmaps that metafile records
//   hand over (DibBlit) become EMR_BITBLT, EMR_STRETCHBLT, EMR_STRETCHDIBITS,
//   EMR_SETDIBITSTODEVICE, EMR_ALPHABLEND or EMR_TRANSPARENTBLT with their
//   BITMAPINFO and bits after the fixed fields (TkEnhMetaFileRecorderBlits.cpp).
//
// Bounds are inclusive device-unit boxes, in the records as in the header. They
// hold the points of a primitive (a box shape: its recorded box; a curve: its
// control points), widened by half the device width of a wide pen when the
// outline is stroked (not for an inside-frame pen on a box shape, whose stroke
// stays inside). Text spans its advances and the font's height from its
// alignment, with the opaque rectangle added and the clip rectangle applied.
// Between BeginPath and EndPath nothing grows the header; the path's bounds do
// when it is stroked or filled.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkDCBackend.h"
#include "platform/gdi/TkEmfObjectTable.h"
#include "platform/gdi/TkEmfRecordBuffer.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkGdiObjects.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// An inclusive box that grows; (0, 0, -1, -1) while empty.
class CTkEmfBounds {
public:
    void Add(POINT p);
    void Add(const RECT& inclusive);  // ignored when right < left or bottom < top
    void Add(const CTkEmfBounds& other);
    void Inflate(int by);
    void Intersect(const RECT& inclusive);
    bool IsEmpty() const { return m_bEmpty; }
    RECT Get() const { return m_bEmpty ? RECT{0, 0, -1, -1} : m_rect; }

private:
    bool m_bEmpty = true;
    RECT m_rect{0, 0, -1, -1};
};

class CTkEnhMetaFileRecorder : public CTkDCBackend, private ITkGdiObjectObserver {
public:
    // refCaps: the reference device, whose size in pixels and millimetres the
    // header gives. pFrame: the picture frame in hundredths of a millimetre; null
    // to take it from the bounds when closing. description: stored as given,
    // embedded nulls included (conventionally "application\0title\0").
    CTkEnhMetaFileRecorder(const TkDeviceCaps& refCaps, const RECT* pFrame,
                           std::u16string_view description);
    ~CTkEnhMetaFileRecorder() override;

    // Writes EMR_EOF, completes the header and hands the bytes over. Afterwards
    // nothing more is recorded and drawing calls answer FALSE. Null when the
    // recording was closed already.
    std::unique_ptr<CTkEnhMetaFile> Close();
    bool IsClosed() const { return m_bClosed; }

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
    // EMR_BITBLT without a source.
    BOOL PatBlt(CTkDC& dc, const RECT& rect, DWORD rop) override;
    // The record of the call, the BITMAPINFO and the bits copied after its fixed
    // part; the destination box grows the bounds.
    BOOL DibBlit(CTkDC& dc, const TkDibBlit& blit) override;
    // EMR_GRADIENTFILL: the vertices and mesh as given, each rectangle padded to
    // a triangle's size at the end, as GDI writes it.
    bool CanShadeGradients() const override { return true; }
    BOOL GradientFill(CTkDC& dc, std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                      ULONG mode) override;
    // Not recorded: these answer FALSE.
    BOOL InvertRect(CTkDC& dc, const RECT& rect) override;
    BOOL DrawFocusRect(CTkDC& dc, const RECT& rect) override;
    BOOL FillRect(CTkDC& dc, const RECT& rect, HBRUSH hBrush) override;
    BOOL BitBlt(CTkDC& dc, const RECT& dest, CTkDC& source, POINT sourceOrigin,
                DWORD rop) override;

private:
    enum class PathState { None, Open, Closed };

    void OnDeleteObject(HGDIOBJ hObject) override;
    void StopObserving();

    void WriteHeader(const TkDeviceCaps& refCaps, std::u16string_view description);
    RECT FrameFromBounds() const;
    void WriteEmptyRecord(DWORD type);
    void WriteU32Record(DWORD type, DWORD value);
    void WritePointRecord(DWORD type, POINT p);
    void WriteRectRecord(DWORD type, const RECT& rect);

    // Grows the header's bounds, or the path's inside a path bracket.
    void Drawn(const CTkEmfBounds& bounds);
    // The bounds of an outline as the pen strokes it.
    CTkEmfBounds Stroked(const CTkDC& dc, CTkEmfBounds bounds, bool boxShape) const;
    std::optional<RECT> RecordedBox(const CTkDC& dc, const RECT& box) const;
    BOOL WriteBoxShape(CTkDC& dc, DWORD type, const RECT& box, std::span<const POINT> tail,
                       bool fromCurrentPosition);
    BOOL WritePoly(CTkDC& dc, DWORD type32, DWORD type16, std::span<const POINT> pts,
                   bool fromCurrentPosition);
    BOOL WritePolyPoly(CTkDC& dc, DWORD type32, DWORD type16, const POINT* pts,
                       std::span<const DWORD> counts);
    BOOL WritePathDrawing(CTkDC& dc, DWORD type, bool stroke);

    CTkEmfRecordBuffer m_out;
    CTkEmfObjectTable m_objects;
    CTkEmfBounds m_bounds;
    CTkEmfBounds m_pathBounds;
    PathState m_path = PathState::None;
    std::optional<RECT> m_frame;
    TkDeviceCaps m_refCaps;
    int m_saveDepth = 0;
    bool m_bClosed = false;
    bool m_bObserving = false;
};

// CreateEnhMetaFileW for a memory metafile: a DC of type OBJ_ENHMETADC recording
// into a new enhanced metafile. pRefDC supplies the device (its capabilities);
// null: the fixed reference device. pFrame and description as above.
std::unique_ptr<CTkDC> CreateEnhMetaFileW(const CTkDC* pRefDC, const RECT* pFrame,
                                          std::u16string_view description);
// Ends the recording of a DC made by CreateEnhMetaFileW and returns the metafile;
// null when pDC does not record one or was closed already. The DC stays usable
// as an object but records nothing more.
std::unique_ptr<CTkEnhMetaFile> CloseEnhMetaFile(CTkDC* pDC);

// The logical size of one device unit as the framework's DPtoLP of a SIZE
// answers it (MulDiv by the absolute window and viewport extents). The box
// adjustment of the recorder uses it; code that undoes the adjustment should too.
SIZE TkDeviceUnitInLogical(const CTkDC& dc);
