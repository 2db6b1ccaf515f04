// GradientFill on the painting backend, in device pixels and clipped like every
// other call; the raster operation does not apply to it, as in GDI.

#include "platform/qt/TkQtPaintBackend.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGradientFill.h"

#include <QLinearGradient>
#include <QPolygon>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Small triangles per side of a triangle; fewer on a small one.
constexpr int kTriangleSteps = 32;

QColor ColourOf(const TRIVERTEX& v)
{
    return QColor(v.Red >> 8, v.Green >> 8, v.Blue >> 8);
}

QColor ColourOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The box between two corners, right and bottom edges left out, as GDI fills it,
// cut to area so that far-off corners cannot overflow a QRect.
QRect BoxBetween(const TRIVERTEX& a, const TRIVERTEX& b, const QRect& area)
{
    const auto cut = [](std::int64_t value, int low, int high) {
        return int(std::clamp<std::int64_t>(value, low, high));
    };
    return QRect(QPoint(cut(std::min(a.x, b.x), area.left(), area.right() + 1),
                        cut(std::min(a.y, b.y), area.top(), area.bottom() + 1)),
                 QPoint(cut(std::int64_t(std::max(a.x, b.x)) - 1, area.left() - 1, area.right()),
                        cut(std::int64_t(std::max(a.y, b.y)) - 1, area.top() - 1, area.bottom())));
}

}  // namespace

BOOL CTkQtPaintBackend::GradientFill(CTkDC& dc, std::span<const TRIVERTEX> vertices,
                                     std::span<const ULONG> mesh, ULONG mode)
{
    const QRegion clip = Clip(dc);
    if (clip.isEmpty())
        return TRUE;
    std::vector<TRIVERTEX> device(vertices.begin(), vertices.end());
    for (TRIVERTEX& v : device) {
        POINT p{v.x, v.y};
        dc.LPtoDP(&p);
        v.x = p.x;
        v.y = p.y;
    }
    PrepareFor(clip, QPainter::CompositionMode_SourceOver);
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    if (mode == GRADIENT_FILL_TRIANGLE) {
        TkForEachGradientPiece(device, mesh, mode, kTriangleSteps,
                               [&](std::span<const POINT> polygon, COLORREF colour) {
                                   QPolygon figure;
                                   for (const POINT p : polygon)
                                       figure << QPoint(p.x, p.y);
                                   m_painter.setBrush(ColourOf(colour));
                                   m_painter.drawPolygon(figure);
                               });
    } else {
        for (std::size_t i = 0; i + 1 < mesh.size(); i += 2) {
            const TRIVERTEX& a = device[mesh[i]];
            const TRIVERTEX& b = device[mesh[i + 1]];
            const QPointF end = mode == GRADIENT_FILL_RECT_V ? QPointF(a.x, b.y)
                                                             : QPointF(b.x, a.y);
            QLinearGradient gradient(QPointF(a.x, a.y), end);
            gradient.setColorAt(0, ColourOf(a));
            gradient.setColorAt(1, ColourOf(b));
            m_painter.fillRect(BoxBetween(a, b, clip.boundingRect()), gradient);
        }
    }
    m_painter.restore();
    return TRUE;
}
