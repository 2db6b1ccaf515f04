#pragma once
// The painting backend of a DC: every drawing call painted with QPainter, with
// GDI's meaning. Points go through the DC's own mapping and are drawn in device
// space on whole pixels (the painter is never given the mapping), so that shapes
// cover the pixels GDI's rasteriser covers: a line leaves out its last pixel, a
// closed shape's box its right column and bottom row. Pens, brushes, fonts,
// colours and modes are read from the DC at each call.
//
// On a 32-bit QImage (the memory bitmap) every ROP2 code, InvertRect,
// DrawFocusRect, PatBlt and BitBlt combine pixels exactly as GDI's truth tables
// say. Other devices (widgets, printers, PDF writers) cannot be read back: there
// the operations that depend on the destination act as on white paper.

#include "platform/gdi/TkDCBackend.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CTkQtFontEngine;
class CTkQtPaintColours;
class CTkQtPaintPen;
class ITkFontEngine;

class CTkQtPaintBackend : public CTkDCBackend {
public:
    // Paints on image, which must outlive the backend.
    explicit CTkQtPaintBackend(QImage& image);
    // Paints on any device; a widget only while it handles its paint event.
    explicit CTkQtPaintBackend(QPaintDevice* pDevice);
    ~CTkQtPaintBackend() override;
    CTkQtPaintBackend(const CTkQtPaintBackend&) = delete;
    CTkQtPaintBackend& operator=(const CTkQtPaintBackend&) = delete;

    QPaintDevice* GetDevice() const { return m_pDevice; }
    // The image whose pixels the backend combines, or null on other devices.
    QImage* GetImage() const { return m_pImage; }
    // The device surface in pixels.
    RECT GetDeviceRect() const;

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
    // Rectangles with a linear gradient; triangles as small flat triangles, each
    // coloured at its centre (TkQtPaintGradient.cpp).
    bool CanShadeGradients() const override { return true; }
    BOOL GradientFill(CTkDC& dc, std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                      ULONG mode) override;

private:
    // What one call paints, in this order: the fill and wide pens by QPainter,
    // then one-pixel lines on an image as GDI rasterises them.
    struct CJob {
        QPainterPath path;            // in Qt's device coordinates
        std::optional<QBrush> brush;  // the fill
        std::optional<QPen> gapPen;   // the background in a styled pen's gaps
        std::optional<QPen> pen;
        QPoint brushOrigin;
        std::vector<QPolygon> lines;  // device pixels
        std::vector<int> runs;        // the lines' style
        QRgb lineColour = 0;
        std::optional<QRgb> gapColour;

        bool HasPainterParts() const { return brush || pen || gapPen; }
    };
    // How a layer's pixel combines with the one below it; x and y are the pixel's
    // place in the layer.
    using Combine = std::function<QRgb(QRgb layer, QRgb dest, int x, int y)>;
    enum class PathState { None, Open, Closed };
    enum Parts { kStroke = 1, kFill = 2 };

    void Begin();
    QRegion Clip(const CTkDC& dc);
    void PrepareFor(const QRegion& clip, QPainter::CompositionMode mode);
    BOOL Paint(CTkDC& dc, const QPainterPath& figures, int parts);
    // pixelFigure, when given, is the figure's one-pixel outline.
    BOOL PaintWith(CTkDC& dc, const CTkQtPaintColours& colours, const CTkQtPaintPen& pen,
                   const QPainterPath& figures, int parts,
                   std::optional<QPolygon> pixelFigure = std::nullopt);
    void SetOutline(CJob& job, const CTkQtPaintColours& colours, const CTkQtPaintPen& pen,
                    const QPainterPath& figures, std::optional<QPolygon> pixelFigure) const;
    void PaintJob(const CJob& job, int rop, const QRegion& clip);
    static void DrawJob(QPainter& painter, const CJob& job);
    // Sets the job's one-pixel lines on target, mixed by rop.
    static void DrawLines(QImage& target, QPoint origin, const CJob& job, const QRegion& clip,
                          int rop);
    void PaintThroughLayer(const CJob& job, const QRect& bounds, const QRegion& clip,
                           const Combine& combine);
    void CombineLayer(const QImage& layer, QPoint at, const QRegion& clip,
                      const Combine& combine);
    // The pixels of source inside from, stretched onto area (device pixels) by rop.
    BOOL BlitImage(CTkDC& dc, const QImage& source, const QRect& from, QRect area, DWORD rop);
    BOOL BlendImage(CTkDC& dc, const QImage& source, const QRect& from, QRect area,
                    const TkDibBlit& blit);
    // How a drawing call's figure joins the path.
    enum FigureKind { kOpen, kContinued, kClosed };
    // Adds the figures to the path being collected, or else paints their parts.
    BOOL Shape(CTkDC& dc, const QPainterPath& figures, FigureKind kind, int parts);
    // corner, when given, rounds a rectangle's corners: a box's half for an
    // ellipse; the outline is then drawn symmetric.
    BOOL ClosedShape(CTkDC& dc, const RECT& box,
                     const std::function<QPainterPath(const QRectF&)>& figure,
                     const std::function<QSizeF(const QRectF&)>& corner = nullptr);
    void AddToPath(CTkDC& dc, const QPainterPath& figure, FigureKind kind);
    QPointF CurrentPosition(const CTkDC& dc) const;
    BOOL FinishPath(CTkDC& dc, int parts);
    std::optional<QBrush> SelectedBrush(const CTkDC& dc) const;
    void ForEachPixel(const CTkDC& dc, const QRect& rect,
                      const std::function<QRgb(int x, int y, QRgb dest)>& op);
    ITkFontEngine& Metrics();
    CTkQtFontEngine& Faces();

    QPaintDevice* m_pDevice;
    QImage* m_pImage = nullptr;
    bool m_bRasterOps = false;
    int m_nHatchSize = 8;  // a hatch tile's side in device pixels
    QPainter m_painter;
    RECT m_deviceRect{};  // the DC's surface when the clip was last reset
    QRegion m_clip;       // device pixels
    std::vector<QRegion> m_savedClips;
    std::optional<QRegion> m_appliedClip;
    QPainterPath m_path;  // device coordinates, whole pixels at integers
    PathState m_pathState = PathState::None;
    bool m_bFigureOpen = false;
    std::unique_ptr<CTkQtFontEngine> m_pFaces;
};
