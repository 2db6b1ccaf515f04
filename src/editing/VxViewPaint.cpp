// Painting: the screen image, the surround, the page, the grid and the
// picture, and the client DC that draws into the screen.

#include "editing/VxView.h"

#include "attributes/VxGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtDC.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <vector>

void CVxView::DrawPage(CTkDC& dc, const RECT& rcDevice)
{
    // One pixel more on each side, so that rounding to picture units leaves
    // no edge unpainted.
    RECT clip{rcDevice.left - 1, rcDevice.top - 1, rcDevice.right + 1, rcDevice.bottom + 1};
    dc.DPtoLP(&clip);
    if (clip.left > clip.right) std::swap(clip.left, clip.right);
    if (clip.top > clip.bottom) std::swap(clip.top, clip.bottom);
    if (dc.IsPrinting()) {
        DrawPicture(dc);
        return;
    }
    const SIZE sizePicture = m_doc.GetPictureSize();
    const RECT page{0, 0, sizePicture.cx, sizePicture.cy};
    const HBRUSH hGrey = GetStockObject(GRAY_BRUSH);
    const RECT strips[] = {
        {clip.left, clip.top, std::min(page.left, clip.right), clip.bottom},
        {std::max(page.right, clip.left), clip.top, clip.right, clip.bottom},
        {std::max(page.left, clip.left), clip.top, std::min(page.right, clip.right),
         std::min(page.top, clip.bottom)},
        {std::max(page.left, clip.left), std::max(page.bottom, clip.top),
         std::min(page.right, clip.right), clip.bottom},
    };
    for (const RECT& strip : strips) {
        if (strip.left < strip.right && strip.top < strip.bottom) dc.FillRect(&strip, hGrey);
    }
    dc.FillRect(&page, GetStockObject(WHITE_BRUSH));
    if (m_grid.bDisplayGrid && m_grid.nGridType == kVxGridLines) DrawGrid(dc, clip);
    DrawPicture(dc);
    if (m_grid.bDisplayGrid && m_grid.nGridType == kVxGridDots) DrawGrid(dc, clip);
    if (m_bActive) DrawHandles(dc);
}


void CVxView::DrawPicture(CTkDC& dc)
{
    CVxGraphicProperty::BeginDrawing(&dc);
    m_doc.GetPicture().Draw(&dc, FALSE);
    CVxGraphicProperty::EndDrawing(&dc);
}

namespace {

// The grid positions of one axis inside [nFirst, nLast] and the page
// [0, nPage]: origin modulo spacing, then every spacing.
std::vector<int> GridPositions(int nOrigin, int nSpacing, int nPage, int nFirst, int nLast)
{
    std::vector<int> positions;
    const long long s = nSpacing;
    long long v = nOrigin % s;
    const long long nFrom = std::max(0, nFirst);
    if (v < nFrom) v += (nFrom - v + s - 1) / s * s;
    for (; v <= std::min(nPage, nLast); v += s) positions.push_back(int(v));
    return positions;
}

}  // namespace

void CVxView::DrawGrid(CTkDC& dc, const RECT& clip) const
{
    const SIZE spacing = m_grid.GetUsableSpacing();
    // A grid denser than every other pixel would only grey the page.
    POINT step{spacing.cx, spacing.cy};
    POINT zero{0, 0};
    dc.LPtoDP(&step, 1);
    dc.LPtoDP(&zero, 1);
    if (std::abs(step.x - zero.x) < 2 || std::abs(step.y - zero.y) < 2) return;
    const SIZE page = m_doc.GetPictureSize();
    const std::vector<int> columns =
        GridPositions(m_grid.ptOrigin.x, spacing.cx, page.cx, clip.left, clip.right);
    const std::vector<int> rows =
        GridPositions(m_grid.ptOrigin.y, spacing.cy, page.cy, clip.top, clip.bottom);
    if (columns.empty() || rows.empty()) return;
    if (m_grid.nGridType == kVxGridDots) {
        const int nOldRop = dc.SetROP2(R2_XORPEN);
        for (int y : rows) {
            for (int x : columns) dc.SetPixel(x, y, 0xFFFFFF);
        }
        dc.SetROP2(nOldRop);
        return;
    }
    // Lines run across the whole painted area, not from the first grid point
    // in it: a partial repaint must match the full one.
    const int nLeft = std::max(0, int(clip.left)), nRight = std::min(int(page.cx), int(clip.right));
    const int nTop = std::max(0, int(clip.top)), nBottom = std::min(int(page.cy), int(clip.bottom));
    const HPEN hPen = CreatePen(PS_SOLID, 0, m_grid.crGridColor);
    const HGDIOBJ hOldPen = dc.SelectObject(hPen);
    for (int x : columns) {
        dc.MoveTo(x, nTop);
        dc.LineTo(x, nBottom);
    }
    for (int y : rows) {
        dc.MoveTo(nLeft, y);
        dc.LineTo(nRight, y);
    }
    dc.SelectObject(hOldPen);
    DeleteObject(hPen);
}

void CVxView::PaintScreen(const QRegion& area)
{
    const QRect rc = area.boundingRect();
    QImage image(rc.size(), QImage::Format_RGB32);
    if (image.isNull()) return;
    {
        // The DC's painter must end before the image is copied.
        const std::unique_ptr<CTkDC> dc = TkCreateImageDC(image);
        PrepareDC(*dc, {rc.left(), rc.top()});
        DrawPage(*dc, {0, 0, rc.width(), rc.height()});
    }
    // Only the area: pixels around it may hold feedback drawn since.
    QPainter painter(&m_screen);
    painter.setClipRegion(area);
    painter.drawImage(rc.topLeft(), image);
}

void CVxView::BringScreenUpToDate()
{
    const QSize size = viewport()->size();
    if (m_screen.size() != size) {
        m_screen = QImage(size, QImage::Format_RGB32);
        m_dirty = QRegion(QRect(QPoint(0, 0), size));
    }
    if (m_screen.isNull()) return;
    // Every paint walks the whole picture, so rectangles that lie close, as
    // a graphic's old and new places do, are painted in one go.
    const QRect bounds = m_dirty.boundingRect();
    qint64 nArea = 0;
    for (const QRect& rc : m_dirty) nArea += qint64(rc.width()) * rc.height();
    if (2 * nArea >= qint64(bounds.width()) * bounds.height()) {
        PaintScreen(m_dirty);
    } else {
        for (const QRect& rc : m_dirty) PaintScreen(QRegion(rc));
    }
    m_dirty = QRegion();
}

void CVxView::paintEvent(QPaintEvent* pEvent)
{
    BringScreenUpToDate();
    const QRect rc = pEvent->rect();
    if (m_screen.isNull()) {
        // No memory for the screen image: paint on the window itself.
        const std::unique_ptr<CTkDC> dc = TkCreatePaintDC(viewport());
        PrepareDC(*dc, {0, 0});
        DrawPage(*dc, {rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1});
        return;
    }
    QPainter painter(viewport());
    painter.drawImage(rc.topLeft(), m_screen, rc);
}

void CVxView::InvalidateAll()
{
    m_dirty = QRegion(QRect(QPoint(0, 0), viewport()->size()));
    viewport()->update();
}

void CVxView::InvalidatePicture(const RECT& rect)
{
    CTkDC dc;
    PrepareDC(dc, {0, 0});
    RECT device = rect;
    dc.LPtoDP(&device);
    // Pixels more on each side for rounding, wide pens at the edges and the
    // handles of a selected graphic.
    constexpr int kMargin = 6;
    const QRect rc = QRect(QPoint(std::min(device.left, device.right) - kMargin,
                                  std::min(device.top, device.bottom) - kMargin),
                           QPoint(std::max(device.left, device.right) + kMargin,
                                  std::max(device.top, device.bottom) + kMargin))
                         .intersected(viewport()->rect());
    if (rc.isEmpty()) return;
    m_dirty += rc;
    viewport()->update(rc);
}

void CVxView::InvalidateGraphic(CVxGraphic& graphic) { InvalidatePicture(graphic.GetBounds()); }

void CVxView::InvalidateSelection()
{
    if (m_selection.HasNoChildren()) return;
    InvalidatePicture(m_selection.GetBounds());
}

std::unique_ptr<CTkDC> CVxView::GetClientDC()
{
    // Feedback goes over what the window shows now, not over stale pixels.
    BringScreenUpToDate();
    if (m_screen.isNull()) return std::make_unique<CTkDC>();
    std::unique_ptr<CTkDC> dc = TkCreateImageDC(m_screen);
    PrepareDC(*dc, {0, 0});
    viewport()->update();
    return dc;
}

void CVxView::resizeEvent(QResizeEvent* pEvent)
{
    QAbstractScrollArea::resizeEvent(pEvent);
    // Scroll bars coming or going while the zoom is set resize the window too;
    // then only their ranges follow.
    if (m_bInZoom) {
        UpdateScrollBars();
        return;
    }
    Fit();
}

void CVxView::scrollContentsBy(int dx, int dy)
{
    // What stays in the window moves with the page; only the uncovered strips
    // are painted, so scrolling a large picture costs a strip, not a page.
    const QRect all(QPoint(0, 0), viewport()->size());
    if (m_screen.size() != all.size() || std::abs(dx) >= all.width() ||
        std::abs(dy) >= all.height()) {
        InvalidateAll();
        return;
    }
    const QImage moved = m_screen.copy();
    {
        QPainter painter(&m_screen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(dx, dy, moved);
    }
    m_dirty.translate(dx, dy);
    m_dirty += QRegion(all).subtracted(QRegion(all.translated(dx, dy)));
    viewport()->update();
}

