#include "platform/qt/TkQtPaintBackend.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtFontEngine.h"
#include "platform/qt/TkQtPaintBrush.h"
#include "platform/qt/TkQtPaintColours.h"
#include "platform/qt/TkQtPaintDib.h"
#include "platform/qt/TkQtPaintGeometry.h"
#include "platform/qt/TkQtPaintLine.h"
#include "platform/qt/TkQtPaintPen.h"
#include "platform/qt/TkQtPaintRop.h"
#include "platform/qt/TkQtPaintText.h"

#include <QPagedPaintDevice>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

bool IsCombinable(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return true;
    default: return false;
    }
}

bool IsCovered(QRgb layerPixel) { return qAlpha(layerPixel) >= 128; }

// Appends figure to path as the continuation of path's last figure: figure's
// first point is where path stands, so its opening move is dropped.
void AppendConnected(QPainterPath& path, const QPainterPath& figure)
{
    for (int i = 1; i < figure.elementCount(); ++i) {
        const QPainterPath::Element e = figure.elementAt(i);
        if (e.isMoveTo()) {
            path.moveTo(e);
        } else if (e.isLineTo()) {
            path.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < figure.elementCount()) {
            path.cubicTo(e, figure.elementAt(i + 1), figure.elementAt(i + 2));
            i += 2;
        }
    }
}

// Cubic curves from path's current point, three logical points each.
void AppendBeziers(QPainterPath& path, const CTkDC& dc, const POINT* pts, int count)
{
    for (int i = 0; i + 2 < count; i += 3)
        path.cubicTo(TkQtToDevice(dc, pts[i]), TkQtToDevice(dc, pts[i + 1]),
                     TkQtToDevice(dc, pts[i + 2]));
}

// The part of source (its pixels in from) that shows in the visible part of
// *pArea, scaled when the two rectangles differ in size as GDI stretches; *pArea
// becomes where those pixels go. A null image when nothing shows.
QImage VisibleSource(const QImage& source, const QRect& from, const QRect& visible, QRect* pArea)
{
    const QRect area = *pArea;
    if (area.isEmpty() || from.isEmpty())
        return {};
    const double sx = double(from.width()) / area.width();
    const double sy = double(from.height()) / area.height();
    const auto toSource = [&](const QRectF& r) {
        return QRectF(from.left() + (r.left() - area.left()) * sx,
                      from.top() + (r.top() - area.top()) * sy, r.width() * sx, r.height() * sy);
    };
    const auto toDest = [&](const QRectF& r) {
        return QRectF(area.left() + (r.left() - from.left()) / sx,
                      area.top() + (r.top() - from.top()) / sy, r.width() / sx, r.height() / sy);
    };
    const QRectF read = toSource(QRectF(area & visible)).intersected(QRectF(source.rect()));
    const QRect target = toDest(read).toAlignedRect() & visible;
    if (read.isEmpty() || target.isEmpty())
        return {};
    *pArea = target;
    QImage pixels = source.copy(toSource(QRectF(target)).toAlignedRect());
    if (pixels.size() != target.size())
        pixels = pixels.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A brush drawn over rect into a layer of the rect's size.
QImage BrushLayer(const QRect& rect, const QBrush& brush, QPoint brushOrigin)
{
    QImage layer(rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return layer;
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.translate(-rect.topLeft());
    p.setBrushOrigin(brushOrigin);
    p.fillRect(rect, brush);
    return layer;
}

QPainter::CompositionMode CopyMode() { return QPainter::CompositionMode_SourceOver; }

}  // namespace

CTkQtPaintBackend::CTkQtPaintBackend(QImage& image)
    : CTkQtPaintBackend(static_cast<QPaintDevice*>(&image))
{
}

CTkQtPaintBackend::CTkQtPaintBackend(QPaintDevice* pDevice) : m_pDevice(pDevice)
{
    Begin();
    m_deviceRect = GetDeviceRect();
    m_clip = QRegion(TkQtRect(m_deviceRect));
}

CTkQtPaintBackend::~CTkQtPaintBackend()
{
    if (m_painter.isActive())
        m_painter.end();
}

void CTkQtPaintBackend::Begin()
{
    if (m_pDevice == nullptr)
        return;
    if (m_pDevice->devType() == QInternal::Image) {
        auto* pImage = static_cast<QImage*>(m_pDevice);
        if (pImage->isNull())
            return;
        if (IsCombinable(*pImage))
            m_pImage = pImage;
        // QPainter mixes its raster operations into the other two formats only.
        m_bRasterOps = m_pImage != nullptr && pImage->format() != QImage::Format_ARGB32;
    }
    // Hatches of 8 printer pixels would shrink to specks: on paper they keep
    // the size they have on the screen.
    if (dynamic_cast<QPagedPaintDevice*>(m_pDevice) != nullptr)
        m_nHatchSize = TkQtPaperHatchSize(m_pDevice->logicalDpiY());
    m_painter.begin(m_pDevice);
}

RECT CTkQtPaintBackend::GetDeviceRect() const
{
    if (m_pDevice == nullptr)
        return {0, 0, 0, 0};
    return {0, 0, m_pDevice->width(), m_pDevice->height()};
}

// Clipping

QRegion CTkQtPaintBackend::Clip(const CTkDC& dc)
{
    // A DC given a new surface starts over with the whole of it, as it clips.
    if (dc.GetDeviceRect() != m_deviceRect) {
        m_deviceRect = dc.GetDeviceRect();
        m_clip = QRegion(TkQtRect(m_deviceRect));
    }
    if (!m_painter.isActive())
        return {};
    return m_clip & TkQtRect(GetDeviceRect());
}

void CTkQtPaintBackend::OnSaveDC(CTkDC& dc)
{
    Clip(dc);
    m_savedClips.push_back(m_clip);
}

void CTkQtPaintBackend::OnRestoreDC(CTkDC&, int nSavedDC)
{
    const int level = int(m_savedClips.size());
    const int target = nSavedDC > 0 ? nSavedDC : level + nSavedDC + 1;
    if (target < 1 || target > level)
        return;
    m_clip = m_savedClips[std::size_t(target - 1)];
    m_savedClips.resize(std::size_t(target - 1));
}

void CTkQtPaintBackend::OnIntersectClipRect(CTkDC& dc, const RECT& rect)
{
    Clip(dc);
    m_clip &= TkQtDeviceRect(dc, rect);
}

void CTkQtPaintBackend::OnExcludeClipRect(CTkDC& dc, const RECT& rect)
{
    Clip(dc);
    m_clip -= TkQtDeviceRect(dc, rect);
}

void CTkQtPaintBackend::OnSelectClipRect(CTkDC& dc, const RECT* pDeviceRect)
{
    Clip(dc);
    const QRegion surface(TkQtRect(m_deviceRect));
    m_clip = pDeviceRect == nullptr ? surface : surface & TkQtRect(*pDeviceRect);
}

void CTkQtPaintBackend::PrepareFor(const QRegion& clip, QPainter::CompositionMode mode)
{
    if (!m_appliedClip || *m_appliedClip != clip) {
        m_painter.setClipRegion(clip);
        m_appliedClip = clip;
    }
    // Each call marks the painter's state changed, even to what it was.
    if (m_painter.compositionMode() != mode)
        m_painter.setCompositionMode(mode);
    if (m_painter.testRenderHint(QPainter::Antialiasing))
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    if (!m_painter.worldTransform().isIdentity())
        m_painter.resetTransform();
}

// Painting figures

BOOL CTkQtPaintBackend::Paint(CTkDC& dc, const QPainterPath& figures, int parts)
{
    const CTkQtPaintColours colours(dc);
    return PaintWith(dc, colours, CTkQtPaintPen(dc, colours, m_nHatchSize), figures, parts);
}

BOOL CTkQtPaintBackend::PaintWith(CTkDC& dc, const CTkQtPaintColours& colours,
                                  const CTkQtPaintPen& pen, const QPainterPath& figures,
                                  int parts, std::optional<QPolygon> pixelFigure)
{
    CJob job;
    if ((parts & kFill) != 0) {
        if (const CTkGdiObject* pBrush = TkLookupGdiObject(dc.GetCurrentObject(OBJ_BRUSH)))
            job.brush = TkQtMakeBrush(*pBrush, colours, m_nHatchSize);
    }
    if ((parts & kStroke) != 0 && !pen.IsNull())
        SetOutline(job, colours, pen, figures, std::move(pixelFigure));
    // Lines drawn pixel by pixel alone need no path for the painter.
    if (job.HasPainterParts()) {
        job.path = figures.translated(kTkQtPixelCentre, kTkQtPixelCentre);
        job.path.setFillRule(dc.GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    }
    job.brushOrigin = QPoint(dc.GetBrushOrg().x, dc.GetBrushOrg().y);
    if (job.HasPainterParts() || !job.lines.empty())
        PaintJob(job, dc.GetROP2(), Clip(dc));
    return TRUE;
}

void CTkQtPaintBackend::SetOutline(CJob& job, const CTkQtPaintColours& colours,
                                   const CTkQtPaintPen& pen, const QPainterPath& figures,
                                   std::optional<QPolygon> pixelFigure) const
{
    if (m_pImage == nullptr || !pen.IsCosmetic() || !pen.IsSolidColour()) {
        job.pen = pen.MakePen();
        if (colours.IsOpaque())
            job.gapPen = pen.MakeGapPen(colours.Background());
        return;
    }
    if (pixelFigure)
        job.lines.push_back(std::move(*pixelFigure));
    else
        job.lines = CTkQtPaintLine::PixelFigures(figures);
    job.runs = pen.Runs();
    job.lineColour = pen.Colour();
    if (colours.IsOpaque() && pen.IsStyled())
        job.gapColour = colours.Background();
}

void CTkQtPaintBackend::PaintJob(const CJob& job, int rop, const QRegion& clip)
{
    if (rop == R2_NOP || clip.isEmpty())
        return;
    if (rop == R2_COPYPEN || !job.HasPainterParts()) {
        if (job.HasPainterParts()) {
            PrepareFor(clip, CopyMode());
            DrawJob(m_painter, job);
        }
        if (!job.lines.empty())
            DrawLines(*m_pImage, QPoint(0, 0), job, clip, rop);
        return;
    }
    // One solid colour covers each pixel once, so QPainter's own raster operation
    // gives the mix; several parts must mix as one.
    const bool single = job.lines.empty() && job.brush.has_value() != job.pen.has_value() &&
                        !job.gapPen;
    const QBrush& ink = job.brush ? *job.brush : job.pen->brush();
    if (m_bRasterOps && single && ink.style() == Qt::SolidPattern) {
        PrepareFor(clip, *TkRop2CompositionMode(rop));
        DrawJob(m_painter, job);
        return;
    }
    // Wide pens reach beyond the figure by up to their mitres.
    const double margin =
        job.pen ? job.pen->widthF() * std::max(1.0, job.pen->miterLimit()) + 2 : 2;
    const QRectF reach = job.path.controlPointRect().adjusted(-margin, -margin, margin, margin);
    const QRect bounds = QRectF(clip.boundingRect()).intersected(reach).toAlignedRect();
    const Combine combine = [rop](QRgb layer, QRgb dest, int, int) {
        return TkApplyRop2(rop, layer, dest);
    };
    PaintThroughLayer(job, bounds & clip.boundingRect(), clip, combine);
}

void CTkQtPaintBackend::DrawLines(QImage& target, QPoint origin, const CJob& job,
                                  const QRegion& clip, int rop)
{
    // Detaches once, here, rather than at every pixel.
    const struct {
        uchar* bits;
        qsizetype stride;
        QPoint origin;
        const CJob& job;
        const QRegion& clip;
        int rop;
        bool box;
        QRgb* Pixel(const CTkQtPaintLine::CPixel& p) const
        {
            return reinterpret_cast<QRgb*>(bits + (p.y - origin.y()) * stride) + (p.x - origin.x());
        }
    } to{target.bits(), target.bytesPerLine(), origin, job, clip, rop, clip.rectCount() == 1};
    // Most lines are solid, copied and clipped by one rectangle: their pixels
    // need no tests. One reference captured keeps the visitor off the heap.
    const bool plain = to.box && rop == R2_COPYPEN && job.runs.empty();
    const auto visit = [&to, plain](std::span<const CTkQtPaintLine::CPixel> pixels) {
        const CJob& job = to.job;
        if (plain) {
            for (const CTkQtPaintLine::CPixel& p : pixels)
                *to.Pixel(p) = job.lineColour | 0xFF000000;
            return;
        }
        for (const CTkQtPaintLine::CPixel& p : pixels) {
            if ((!p.dash && !job.gapColour) || (!to.box && !to.clip.contains(QPoint(p.x, p.y))))
                continue;
            const QRgb colour = p.dash ? job.lineColour : *job.gapColour;
            QRgb& pixel = *to.Pixel(p);
            pixel = to.rop == R2_COPYPEN ? colour | 0xFF000000 : TkApplyRop2(to.rop, colour, pixel);
        }
    };
    CTkQtPaintLine raster(clip.boundingRect() & QRect(origin, target.size()), job.runs, visit);
    for (const QPolygon& figure : job.lines)
        raster.Figure(figure);
}

void CTkQtPaintBackend::DrawJob(QPainter& painter, const CJob& job)
{
    painter.setBrushOrigin(job.brushOrigin);
    if (job.brush)
        painter.fillPath(job.path, *job.brush);
    if (job.gapPen)
        painter.strokePath(job.path, *job.gapPen);
    if (job.pen)
        painter.strokePath(job.path, *job.pen);
}

void CTkQtPaintBackend::PaintThroughLayer(const CJob& job, const QRect& bounds,
                                          const QRegion& clip, const Combine& combine)
{
    if (bounds.isEmpty())
        return;
    QImage layer(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return;
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.translate(-bounds.topLeft());
        p.setClipRegion(clip);
        DrawJob(p, job);
    }
    DrawLines(layer, bounds.topLeft(), job, clip, R2_COPYPEN);
    CombineLayer(layer, bounds.topLeft(), clip, combine);
}

void CTkQtPaintBackend::CombineLayer(const QImage& layer, QPoint at, const QRegion& clip,
                                     const Combine& combine)
{
    if (m_pImage == nullptr) {
        // Nothing to read back: combine with white paper.
        QImage result = layer;
        for (int y = 0; y < result.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
            for (int x = 0; x < result.width(); ++x)
                line[x] = IsCovered(line[x]) ? combine(line[x], kWhite, x, y) : 0;
        }
        PrepareFor(clip, CopyMode());
        m_painter.drawImage(at, result);
        return;
    }
    const QRegion area = clip & (QRect(at, layer.size()) & m_pImage->rect());
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(layer.constScanLine(y - at.y()));
            auto* dest = reinterpret_cast<QRgb*>(m_pImage->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb s = source[x - at.x()];
                if (IsCovered(s))
                    dest[x] = combine(s, dest[x], x - at.x(), y - at.y());
            }
        }
    }
}

// Figures and the path bracket

QPointF CTkQtPaintBackend::CurrentPosition(const CTkDC& dc) const
{
    return TkQtToDevice(dc, dc.GetCurrentPosition());
}

void CTkQtPaintBackend::AddToPath(CTkDC& dc, const QPainterPath& figure, FigureKind kind)
{
    // Lines drawn from the current position go on with the open figure that ends
    // there; anything else begins figures of its own.
    const bool connect = kind == kContinued && m_bFigureOpen && m_path.elementCount() > 0 &&
                         m_path.currentPosition() == CurrentPosition(dc);
    if (connect)
        AppendConnected(m_path, figure);
    else
        m_path.addPath(figure);
    m_bFigureOpen = kind != kClosed;
}

BOOL CTkQtPaintBackend::Shape(CTkDC& dc, const QPainterPath& figures, FigureKind kind, int parts)
{
    if (dc.IsInPath()) {
        AddToPath(dc, figures, kind);
        return TRUE;
    }
    return Paint(dc, figures, parts);
}

BOOL CTkQtPaintBackend::ClosedShape(CTkDC& dc, const RECT& box,
                                    const std::function<QPainterPath(const QRectF&)>& figure,
                                    const std::function<QSizeF(const QRectF&)>& corner)
{
    const CTkQtPaintColours colours(dc);
    const CTkQtPaintPen pen(dc, colours, m_nHatchSize);
    const double inset = dc.IsInPath() ? 0 : pen.InsideFrameInset();
    const std::optional<QRectF> outline = TkQtOutlineBox(dc, box, inset);
    if (!outline)
        return TRUE;
    QPainterPath path = figure(*outline);
    path.closeSubpath();
    if (dc.IsInPath()) {
        AddToPath(dc, path, kClosed);
        return TRUE;
    }
    std::optional<QPolygon> ring;
    if (corner) {
        const QSizeF radii = corner(*outline);
        ring = CTkQtPaintLine::RoundedFigure(*outline, radii.width(), radii.height());
    }
    return PaintWith(dc, colours, pen, path, kFill | kStroke, ring);
}

BOOL CTkQtPaintBackend::MoveTo(CTkDC& dc, POINT p)
{
    if (dc.IsInPath()) {
        m_path.moveTo(TkQtToDevice(dc, p));
        m_bFigureOpen = true;
    }
    return TRUE;
}

BOOL CTkQtPaintBackend::LineTo(CTkDC& dc, POINT p)
{
    QPainterPath figure(CurrentPosition(dc));
    TkQtAppendPolyline(figure, dc, &p, 1, true);
    return Shape(dc, figure, kContinued, kStroke);
}

BOOL CTkQtPaintBackend::Rectangle(CTkDC& dc, const RECT& box)
{
    return ClosedShape(dc, box, TkQtRectanglePath);
}

BOOL CTkQtPaintBackend::RoundRect(CTkDC& dc, const RECT& box, SIZE corner)
{
    return ClosedShape(
        dc, box, [&](const QRectF& outline) { return TkQtRoundRectPath(dc, outline, corner); },
        [&](const QRectF& outline) { return TkQtRoundRectRadii(dc, outline, corner); });
}

BOOL CTkQtPaintBackend::Ellipse(CTkDC& dc, const RECT& box)
{
    return ClosedShape(dc, box, TkQtEllipsePath,
                       [](const QRectF& outline) { return outline.size() / 2; });
}

BOOL CTkQtPaintBackend::Arc(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const std::optional<QRectF> outline = TkQtOutlineBox(dc, box, 0);
    if (!outline)
        return TRUE;
    QPainterPath figure;
    TkQtAppendArc(figure, TkQtArcOf(dc, *outline, start, end), false);
    return Shape(dc, figure, kOpen, kStroke);
}

BOOL CTkQtPaintBackend::ArcTo(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const std::optional<QRectF> outline = TkQtOutlineBox(dc, box, 0);
    if (!outline)
        return LineTo(dc, start);
    QPainterPath figure(CurrentPosition(dc));
    TkQtAppendArc(figure, TkQtArcOf(dc, *outline, start, end), true);
    return Shape(dc, figure, kContinued, kStroke);
}

BOOL CTkQtPaintBackend::Chord(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    return ClosedShape(dc, box, [&](const QRectF& outline) {
        QPainterPath path;
        TkQtAppendArc(path, TkQtArcOf(dc, outline, start, end), false);
        return path;
    });
}

BOOL CTkQtPaintBackend::Pie(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    return ClosedShape(dc, box, [&](const QRectF& outline) {
        QPainterPath path(outline.center());
        TkQtAppendArc(path, TkQtArcOf(dc, outline, start, end), true);
        return path;
    });
}

BOOL CTkQtPaintBackend::Polyline(CTkDC& dc, const POINT* pts, int count)
{
    QPainterPath figure;
    TkQtAppendPolyline(figure, dc, pts, count, false);
    return Shape(dc, figure, kOpen, kStroke);
}

BOOL CTkQtPaintBackend::PolylineTo(CTkDC& dc, const POINT* pts, int count)
{
    QPainterPath figure(CurrentPosition(dc));
    TkQtAppendPolyline(figure, dc, pts, count, true);
    return Shape(dc, figure, kContinued, kStroke);
}

BOOL CTkQtPaintBackend::Polygon(CTkDC& dc, const POINT* pts, int count)
{
    const INT counts[] = {count};
    return PolyPolygon(dc, pts, counts, 1);
}

BOOL CTkQtPaintBackend::PolyPolyline(CTkDC& dc, const POINT* pts, const DWORD* counts, int polys)
{
    QPainterPath figures;
    for (int i = 0; i < polys; pts += counts[i], ++i)
        TkQtAppendPolyline(figures, dc, pts, int(counts[i]), false);
    return Shape(dc, figures, kOpen, kStroke);
}

BOOL CTkQtPaintBackend::PolyPolygon(CTkDC& dc, const POINT* pts, const INT* counts, int polys)
{
    QPainterPath figures;
    for (int i = 0; i < polys; pts += counts[i], ++i) {
        TkQtAppendPolyline(figures, dc, pts, counts[i], false);
        figures.closeSubpath();
    }
    return Shape(dc, figures, kClosed, kFill | kStroke);
}

BOOL CTkQtPaintBackend::PolyBezier(CTkDC& dc, const POINT* pts, int count)
{
    QPainterPath figure(TkQtToDevice(dc, pts[0]));
    AppendBeziers(figure, dc, pts + 1, count - 1);
    return Shape(dc, figure, kOpen, kStroke);
}

BOOL CTkQtPaintBackend::PolyBezierTo(CTkDC& dc, const POINT* pts, int count)
{
    QPainterPath figure(CurrentPosition(dc));
    AppendBeziers(figure, dc, pts, count);
    return Shape(dc, figure, kContinued, kStroke);
}

BOOL CTkQtPaintBackend::BeginPath(CTkDC&)
{
    m_path = QPainterPath();
    m_pathState = PathState::Open;
    m_bFigureOpen = false;
    return TRUE;
}

BOOL CTkQtPaintBackend::EndPath(CTkDC&)
{
    if (m_pathState != PathState::Open)
        return FALSE;
    m_pathState = PathState::Closed;
    return TRUE;
}

BOOL CTkQtPaintBackend::CloseFigure(CTkDC&)
{
    if (m_pathState != PathState::Open)
        return FALSE;
    if (m_bFigureOpen)
        m_path.closeSubpath();
    m_bFigureOpen = false;
    return TRUE;
}

BOOL CTkQtPaintBackend::AbortPath(CTkDC&)
{
    m_path = QPainterPath();
    m_pathState = PathState::None;
    m_bFigureOpen = false;
    return TRUE;
}

BOOL CTkQtPaintBackend::FinishPath(CTkDC& dc, int parts)
{
    // A path is drawn once its bracket is closed; drawing ends it either way.
    const bool ready = m_pathState == PathState::Closed;
    const QPainterPath path = std::exchange(m_path, QPainterPath());
    m_pathState = PathState::None;
    m_bFigureOpen = false;
    return ready ? Paint(dc, path, parts) : FALSE;
}

BOOL CTkQtPaintBackend::StrokePath(CTkDC& dc) { return FinishPath(dc, kStroke); }

BOOL CTkQtPaintBackend::FillPath(CTkDC& dc) { return FinishPath(dc, kFill); }

BOOL CTkQtPaintBackend::StrokeAndFillPath(CTkDC& dc) { return FinishPath(dc, kFill | kStroke); }

std::optional<QBrush> CTkQtPaintBackend::SelectedBrush(const CTkDC& dc) const
{
    const CTkGdiObject* pBrush = TkLookupGdiObject(dc.GetCurrentObject(OBJ_BRUSH));
    if (pBrush == nullptr)
        return std::nullopt;
    return TkQtMakeBrush(*pBrush, CTkQtPaintColours(dc), m_nHatchSize);
}

// Text

ITkFontEngine& CTkQtPaintBackend::Metrics()
{
    if (ITkFontEngine* pEngine = TkGetFontEngine())
        return *pEngine;
    return Faces();
}

CTkQtFontEngine& CTkQtPaintBackend::Faces()
{
    if (auto* pEngine = dynamic_cast<CTkQtFontEngine*>(TkGetFontEngine()))
        return *pEngine;
    if (!m_pFaces)
        m_pFaces = std::make_unique<CTkQtFontEngine>();
    return *m_pFaces;
}

BOOL CTkQtPaintBackend::ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect,
                                    const WCHAR* text, UINT count, const INT* dx)
{
    const CTkQtPaintColours colours(dc);
    QRegion clip = Clip(dc);
    const std::optional<QRect> box =
        pRect != nullptr ? std::optional(TkQtDeviceRect(dc, *pRect)) : std::nullopt;
    if (box && (options & ETO_OPAQUE) != 0 && !dc.IsInPath() && !clip.isEmpty()) {
        PrepareFor(clip, CopyMode());
        m_painter.fillRect(*box, QColor(colours.Background()));
    }
    if (box && (options & ETO_CLIPPED) != 0)
        clip &= *box;
    if (count == 0)
        return TRUE;
    CTkQtPaintText layout(dc, Metrics(), Faces());
    if (!layout.Layout(p, options, text, count, dx))
        return FALSE;
    if (dc.IsInPath()) {
        // Glyph outlines are in pixel corners; the path holds pixel centres.
        AddToPath(dc, layout.Outline().translated(-0.5, -0.5), kClosed);
        return TRUE;
    }
    if (!clip.isEmpty()) {
        PrepareFor(clip, CopyMode());
        if (colours.IsOpaque()) {
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(QColor(colours.Background()));
            m_painter.drawPolygon(layout.CellBox());
        }
        if (m_painter.testRenderHint(QPainter::TextAntialiasing) != layout.IsAntialiased())
            m_painter.setRenderHint(QPainter::TextAntialiasing, layout.IsAntialiased());
        m_painter.setPen(QColor(colours.Text()));
        layout.Draw(m_painter);
    }
    const UINT align = dc.GetTextAlign();
    if (dx == nullptr && (align & TA_UPDATECP) != 0 && (align & TA_CENTER) != TA_CENTER) {
        // The DC moves the position only by advances it was given.
        const double scale = std::fabs(double(dc.GetWindowExt().cx) / dc.GetViewportExt().cx);
        const int advance = int(std::round(layout.Advance() * scale));
        dc.AdjustCP((align & TA_RIGHT) != 0 ? -advance : advance);
    }
    return TRUE;
}

// Pixels

void CTkQtPaintBackend::ForEachPixel(const CTkDC& dc, const QRect& rect,
                                     const std::function<QRgb(int x, int y, QRgb dest)>& op)
{
    if (m_pImage == nullptr)
        return;
    const QRegion area = Clip(dc) & rect;
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_pImage->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                line[x] = op(x, y, line[x]);
        }
    }
}

COLORREF CTkQtPaintBackend::SetPixel(CTkDC& dc, POINT p, COLORREF color)
{
    dc.LPtoDP(&p);
    const QRegion clip = Clip(dc);
    if (!clip.contains(QPoint(p.x, p.y)))
        return COLORREF(CLR_INVALID);
    // The pixel mixes with the DC's mix mode as a pen of its colour would, so
    // that XOR dots drawn twice go away.
    const QRgb colour = CTkQtPaintColours(dc).Of(color);
    const int rop = dc.GetROP2();
    if (m_pImage != nullptr) {
        ForEachPixel(dc, QRect(p.x, p.y, 1, 1),
                     [&](int, int, QRgb d) { return TkApplyRop2(rop, colour, d); });
    } else if (rop != R2_NOP) {
        PrepareFor(clip, CopyMode());
        m_painter.fillRect(QRect(p.x, p.y, 1, 1), QColor(TkApplyRop2(rop, colour, kWhite)));
    }
    return RGB(BYTE(qRed(colour)), BYTE(qGreen(colour)), BYTE(qBlue(colour)));
}

BOOL CTkQtPaintBackend::InvertRect(CTkDC& dc, const RECT& rect)
{
    const QRect area = TkQtDeviceRect(dc, rect);
    if (m_pImage != nullptr) {
        ForEachPixel(dc, area, [](int, int, QRgb d) { return ~d | 0xFF000000; });
    } else if (const QRegion clip = Clip(dc); !clip.isEmpty()) {
        PrepareFor(clip, CopyMode());
        m_painter.fillRect(area, Qt::black);  // white paper inverted
    }
    return TRUE;
}

BOOL CTkQtPaintBackend::DrawFocusRect(CTkDC& dc, const RECT& rect)
{
    const QRect area = TkQtDeviceRect(dc, rect);
    if (area.isEmpty())
        return TRUE;
    // Every other pixel of the frame inverted: drawing it twice removes it.
    const auto dot = [](int x, int y, QRgb d) { return ((x + y) & 1) == 0 ? ~d | 0xFF000000 : d; };
    const int l = area.left();
    const int t = area.top();
    const int w = area.width();
    const int h = area.height();
    ForEachPixel(dc, QRect(l, t, w, 1), dot);
    if (h > 1)
        ForEachPixel(dc, QRect(l, t + h - 1, w, 1), dot);
    if (h > 2) {
        ForEachPixel(dc, QRect(l, t + 1, 1, h - 2), dot);
        if (w > 1)
            ForEachPixel(dc, QRect(l + w - 1, t + 1, 1, h - 2), dot);
    }
    return TRUE;
}

BOOL CTkQtPaintBackend::FillRect(CTkDC& dc, const RECT& rect, HBRUSH hBrush)
{
    const CTkGdiObject* pBrush = TkLookupGdiObject(hBrush);
    const QRegion clip = Clip(dc);
    if (pBrush == nullptr)
        return FALSE;
    const std::optional<QBrush> brush =
        TkQtMakeBrush(*pBrush, CTkQtPaintColours(dc), m_nHatchSize);
    if (brush && !clip.isEmpty()) {
        PrepareFor(clip, CopyMode());
        m_painter.setBrushOrigin(dc.GetBrushOrg().x, dc.GetBrushOrg().y);
        m_painter.fillRect(TkQtDeviceRect(dc, rect), *brush);
    }
    return TRUE;
}

BOOL CTkQtPaintBackend::PatBlt(CTkDC& dc, const RECT& rect, DWORD rop)
{
    if (TkRop3UsesSource(rop))
        return FALSE;
    const QRect area = TkQtDeviceRect(dc, rect);
    // Black stands for a pattern the operation does not read.
    const std::optional<QBrush> brush =
        TkRop3UsesPattern(rop) ? SelectedBrush(dc) : QBrush(Qt::black);
    const QRegion clip = Clip(dc);
    if (!brush || area.isEmpty() || clip.isEmpty())
        return TRUE;
    const QPoint origin(dc.GetBrushOrg().x, dc.GetBrushOrg().y);
    if (rop == PATCOPY) {
        PrepareFor(clip, CopyMode());
        m_painter.setBrushOrigin(origin);
        m_painter.fillRect(area, *brush);
        return TRUE;
    }
    const QRect bounds = area & clip.boundingRect();
    CombineLayer(BrushLayer(bounds, *brush, origin), bounds.topLeft(), clip,
                 [rop](QRgb p, QRgb d, int, int) { return TkApplyRop3(rop, p, 0, d); });
    return TRUE;
}

BOOL CTkQtPaintBackend::BitBlt(CTkDC& dc, const RECT& dest, CTkDC& source, POINT sourceOrigin,
                               DWORD rop)
{
    if (!TkRop3UsesSource(rop))
        return PatBlt(dc, dest, rop);
    const auto* pSource = dynamic_cast<const CTkQtPaintBackend*>(source.GetBackend());
    if (pSource == nullptr || pSource->GetImage() == nullptr)
        return FALSE;
    const auto extent = [](LONG from, LONG to) {
        return LONG(std::clamp<std::int64_t>(std::int64_t(to) - from, 0, INT_MAX));
    };
    const LONG width = extent(dest.left, dest.right);
    const LONG height = extent(dest.top, dest.bottom);
    const RECT from{sourceOrigin.x, sourceOrigin.y,
                    LONG(std::min<std::int64_t>(std::int64_t(sourceOrigin.x) + width, INT_MAX)),
                    LONG(std::min<std::int64_t>(std::int64_t(sourceOrigin.y) + height, INT_MAX))};
    return BlitImage(dc, *pSource->GetImage(), TkQtDeviceRect(source, from),
                     TkQtDeviceRect(dc, dest), rop);
}

BOOL CTkQtPaintBackend::BlitImage(CTkDC& dc, const QImage& source, const QRect& from,
                                  QRect area, DWORD rop)
{
    const QRegion clip = Clip(dc);
    const QImage pixels = VisibleSource(source, from, clip.boundingRect(), &area);
    if (pixels.isNull())
        return TRUE;
    if (rop == SRCCOPY) {
        PrepareFor(clip, QPainter::CompositionMode_Source);
        m_painter.drawImage(area.topLeft(), pixels);
        return TRUE;
    }
    QImage pattern;
    if (TkRop3UsesPattern(rop)) {
        pattern = BrushLayer(area, SelectedBrush(dc).value_or(QBrush(Qt::black)),
                             QPoint(dc.GetBrushOrg().x, dc.GetBrushOrg().y));
    }
    // The source is the layer; the pattern lies beside it, pixel for pixel.
    CombineLayer(pixels, area.topLeft(), clip, [&](QRgb s, QRgb d, int x, int y) {
        const QRgb p =
            pattern.isNull() ? 0 : reinterpret_cast<const QRgb*>(pattern.constScanLine(y))[x];
        return TkApplyRop3(rop, p, s, d);
    });
    return TRUE;
}

// The bitmap turned as the signs of the source and destination extents in
// device space ask, then drawn like a BitBlt from the part the blit names.
BOOL CTkQtPaintBackend::DibBlit(CTkDC& dc, const TkDibBlit& blit)
{
    const bool blended =
        blit.call == TkDibBlitCall::AlphaBlend || blit.call == TkDibBlitCall::TransparentBlt;
    if (!blended && !TkRop3UsesSource(blit.rop))
        return FALSE;
    const auto far = [](LONG from, LONG extent) {
        return LONG(std::clamp<std::int64_t>(std::int64_t(from) + extent, INT_MIN, INT_MAX));
    };
    POINT corners[2] = {{blit.xDest, blit.yDest},
                        {far(blit.xDest, blit.cxDest), far(blit.yDest, blit.cyDest)}};
    dc.LPtoDP(corners, 2);
    const CTkQtPaintColours colours(dc);
    bool bBottomUp = true;
    QImage image = TkQtBlitImage(blit, {colours.Text(), colours.Background(), colours.Palette()},
                                 &bBottomUp);
    if (image.isNull())
        return TRUE;
    QRect from = TkQtBlitSourceRect(blit, image.height(), bBottomUp);
    const bool mirrorX = (corners[1].x < corners[0].x) != (blit.cxSrc < 0);
    const bool mirrorY = (corners[1].y < corners[0].y) != (blit.cySrc < 0);
    if (mirrorX || mirrorY) {
        image = image.mirrored(mirrorX, mirrorY);
        if (mirrorX)
            from.moveLeft(image.width() - 1 - from.right());
        if (mirrorY)
            from.moveTop(image.height() - 1 - from.bottom());
    }
    const QRect area = TkQtRect({corners[0].x, corners[0].y, corners[1].x, corners[1].y});
    if (blended)
        return BlendImage(dc, image, from, area, blit);
    return BlitImage(dc, image, from, area, blit.rop);
}

// AlphaBlend and TransparentBlt: the premultiplied image over what lies under it,
// scaled by the constant alpha; stretched without smoothing, as GDI does.
BOOL CTkQtPaintBackend::BlendImage(CTkDC& dc, const QImage& source, const QRect& from,
                                   QRect area, const TkDibBlit& blit)
{
    const QRegion clip = Clip(dc);
    const QImage pixels = VisibleSource(source, from, clip.boundingRect(), &area);
    if (pixels.isNull())
        return TRUE;
    const int constant = blit.call == TkDibBlitCall::AlphaBlend
                             ? int((blit.blendFunction >> 16) & 0xFF) : 255;
    PrepareFor(clip, QPainter::CompositionMode_SourceOver);
    m_painter.setOpacity(constant / 255.0);
    m_painter.drawImage(area.topLeft(), pixels);
    m_painter.setOpacity(1.0);
    return TRUE;
}
