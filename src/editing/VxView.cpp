#include "editing/VxView.h"

#include "attributes/VxGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtDC.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kZoomStep = 15000;  // Zoom In and Zoom Out scale by 1.5
constexpr int kMinimumPagePixels = 10;

int Clamp(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The coordinate range scaled by the settings' safety factor, once per run.
SIZE GetSafeRange()
{
    static const SIZE size = [] {
        const ITkSettings& settings = TkGetSettings();
        std::int64_t nMul = settings.GetProfileInt("Application", "SafeGdiBoundsMultiplier", 1);
        std::int64_t nDiv = settings.GetProfileInt("Application", "SafeGdiBoundsDivisor", 4);
        // A stored factor that is not positive would leave no usable range.
        if (nMul <= 0 || nDiv <= 0) {
            nMul = 1;
            nDiv = 4;
        }
        const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
        auto scaled = [&](LONG v) { return std::int64_t(v) * nMul / nDiv; };
        return SIZE{Clamp(scaled(limits.right) - scaled(limits.left)),
                    Clamp(scaled(limits.bottom) - scaled(limits.top))};
    }();
    return size;
}

// Shrinks both extents alike until neither exceeds the safe range: the
// largest excess decides the ratio.
void ScaleIntoSafeRange(SIZE& window, SIZE& viewport)
{
    const SIZE range = GetSafeRange();
    const std::int64_t values[] = {window.cx, window.cy, viewport.cx, viewport.cy};
    const std::int64_t ranges[] = {range.cx, range.cy, range.cx, range.cy};
    std::int64_t nNum = 1;
    std::int64_t nDen = 1;
    for (int i = 0; i < 4; ++i) {
        // values[i] / ranges[i] > nDen / nNum, in integers.
        if (values[i] > ranges[i] && values[i] * nNum > nDen * ranges[i]) {
            nNum = ranges[i];
            nDen = values[i];
        }
    }
    if (nNum == nDen) return;
    for (LONG* pValue : {&window.cx, &window.cy, &viewport.cx, &viewport.cy})
        *pValue = Clamp(*pValue * nNum / nDen);
}

SIZE ScaleToZoom(SIZE size, int nZoom)
{
    return {MulDiv(size.cx, nZoom, CVxView::kActualSize),
            MulDiv(size.cy, nZoom, CVxView::kActualSize)};
}

}  // namespace

CVxView::CVxView(CVxDoc& doc, QWidget* pParent) : QAbstractScrollArea(pParent), m_doc(doc)
{
    setFrameShape(QFrame::NoFrame);
    // Every paint covers its whole area, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_selection.SetDocument(&m_doc);
    m_doc.AddView(this);
    m_doc.SetUndoViewState(this);
    ComputeZoomLimits();
    ResetForPicture();
}

CVxView::~CVxView()
{
    m_doc.SetUndoViewState(nullptr);
    m_doc.RemoveView(this);
    // The selection refers to the picture's graphics; it owns none of them.
    m_selection.RemoveAllChildren();
}

// --- mapping

int CVxView::ZoomToFit(SIZE client, SIZE pagePixels)
{
    if (pagePixels.cx <= 0 || pagePixels.cy <= 0) return kHighestZoom;
    const int nZoom = std::min(MulDiv(client.cx, kActualSize, pagePixels.cx),
                               MulDiv(client.cy, kActualSize, pagePixels.cy));
    return nZoom < 0 ? kHighestZoom : nZoom;
}

int CVxView::FullPageZoom(SIZE client, SIZE pagePixels)
{
    return MulDiv(ZoomToFit(client, pagePixels), 98, 100);
}

int CVxView::KeepInView(int total, int totalOld, int client, int clientOld, int scrollOld)
{
    if (client >= total) return 0;
    if (clientOld >= totalOld || totalOld <= 0) return (total - client) / 2;
    // The point that was in the middle of the window stays there.
    return MulDiv(clientOld / 2 + scrollOld, total, totalOld) - client / 2;
}

SIZE CVxView::GetActualSizePixels() const
{
    // The document knows how its page maps onto a device at actual size.
    CTkDC reference;
    m_doc.PrepareMetafileDC(reference);
    return reference.GetViewportExt();
}

SIZE CVxView::GetPagePixels() const { return ScaleToZoom(GetActualSizePixels(), m_nZoom); }

SIZE CVxView::GetClientSize() const
{
    return {viewport()->width(), viewport()->height()};
}

POINT CVxView::GetScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CVxView::ScrollTo(POINT pt)
{
    horizontalScrollBar()->setValue(pt.x);
    verticalScrollBar()->setValue(pt.y);
}

POINT CVxView::GetPageOrigin() const
{
    const SIZE page = GetPagePixels();
    const SIZE client = GetClientSize();
    const POINT scroll = GetScrollPosition();
    // A page smaller than the window is centred in it.
    return {client.cx > page.cx ? (client.cx - page.cx) / 2 : -scroll.x,
            client.cy > page.cy ? (client.cy - page.cy) / 2 : -scroll.y};
}

void CVxView::PrepareDC(CTkDC& dc, POINT ptDevice) const
{
    const SIZE sizePicture = m_doc.GetPictureSize();
    SIZE window{sizePicture.cx, sizePicture.cy};
    SIZE viewportExt = GetPagePixels();
    ScaleIntoSafeRange(window, viewportExt);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(viewportExt.cx, viewportExt.cy);
    const POINT origin = GetPageOrigin();
    dc.SetViewportOrg(origin.x - ptDevice.x, origin.y - ptDevice.y);
}

// --- zoom

void CVxView::ComputeZoomLimits()
{
    const SIZE actual = GetActualSizePixels();
    m_nMinZoom = std::clamp(ZoomToFit({kMinimumPagePixels, kMinimumPagePixels}, actual),
                            kLowestZoom, kHighestZoom);
    // At the highest zoom the page still maps into the safe range, which also
    // keeps very large pages from overflowing the mapping.
    m_nMaxZoom = std::clamp(ZoomToFit(GetSafeRange(), actual), kLowestZoom, kHighestZoom);
    m_nMinZoom = std::min(m_nMinZoom, m_nMaxZoom);
}

void CVxView::ApplyZoom(int nZoom)
{
    if (m_bInZoom) return;
    m_bInZoom = true;
    m_nZoom = std::clamp(nZoom, m_nMinZoom, m_nMaxZoom);
    UpdateScrollBars();
    viewport()->update();
    m_bInZoom = false;
}

void CVxView::SetZoom(int nZoom)
{
    if (m_bInZoom) return;
    const SIZE totalOld = GetPagePixels();
    const SIZE clientOld = GetClientSize();
    const POINT scrollOld = GetScrollPosition();
    m_bFullPage = false;
    ApplyZoom(nZoom);
    const SIZE total = GetPagePixels();
    const SIZE client = GetClientSize();
    ScrollTo({KeepInView(total.cx, totalOld.cx, client.cx, clientOld.cx, scrollOld.x),
              KeepInView(total.cy, totalOld.cy, client.cy, clientOld.cy, scrollOld.y)});
}

void CVxView::OnZoomIn() { SetZoom(MulDiv(m_nZoom, kZoomStep, kActualSize)); }

void CVxView::OnZoomOut() { SetZoom(MulDiv(m_nZoom, kActualSize, kZoomStep)); }

void CVxView::OnViewFullPage()
{
    if (m_bFullPage) {
        m_bFullPage = false;
        ApplyZoom(m_nZoom);
        return;
    }
    EnterFullPage();
}

void CVxView::EnterFullPage()
{
    SetZoom(kLowestZoom);
    m_bFullPage = true;
    Fit();
}

void CVxView::Fit()
{
    if (!m_bFullPage) {
        ApplyZoom(m_nZoom);
        return;
    }
    // The fitted page leaves no scroll bars, so it fits the window without them.
    const QSize client = maximumViewportSize();
    ApplyZoom(FullPageZoom({client.width(), client.height()}, GetActualSizePixels()));
}

void CVxView::UpdateScrollBars()
{
    const SIZE total = GetPagePixels();
    const SIZE client = GetClientSize();
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int totals[] = {total.cx, total.cy};
    const int clients[] = {client.cx, client.cy};
    for (int i = 0; i < 2; ++i) {
        bars[i]->setRange(0, std::max(0, totals[i] - clients[i]));
        bars[i]->setPageStep(std::max(1, clients[i]));
        bars[i]->setSingleStep(std::max(1, totals[i] / 100));
    }
}

void CVxView::ResetForPicture()
{
    m_selection.RemoveAllChildren();
    EnterFullPage();
    viewport()->update();
}

// --- painting

void CVxView::DrawPage(CTkDC& dc, const RECT& rcDevice)
{
    // One pixel more on each side, so that rounding to picture units leaves
    // no edge unpainted.
    RECT clip{rcDevice.left - 1, rcDevice.top - 1, rcDevice.right + 1, rcDevice.bottom + 1};
    dc.DPtoLP(&clip);
    if (clip.left > clip.right) std::swap(clip.left, clip.right);
    if (clip.top > clip.bottom) std::swap(clip.top, clip.bottom);
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
    CVxGraphicProperty::BeginDrawing(&dc);
    m_doc.GetPicture().Draw(&dc, FALSE);
    CVxGraphicProperty::EndDrawing(&dc);
}

void CVxView::paintEvent(QPaintEvent* pEvent)
{
    const QRect rc = pEvent->rect();
    QImage image(rc.size(), QImage::Format_RGB32);
    if (image.isNull()) {
        // No memory for the off-screen image: paint on the window itself.
        const std::unique_ptr<CTkDC> dc = TkCreatePaintDC(viewport());
        PrepareDC(*dc, {0, 0});
        DrawPage(*dc, {rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1});
        return;
    }
    {
        // The DC's painter must end before the image is copied.
        const std::unique_ptr<CTkDC> dc = TkCreateImageDC(image);
        PrepareDC(*dc, {rc.left(), rc.top()});
        DrawPage(*dc, {0, 0, rc.width(), rc.height()});
    }
    QPainter painter(viewport());
    painter.drawImage(rc.topLeft(), image);
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

void CVxView::scrollContentsBy(int, int) { viewport()->update(); }

// --- the document

void CVxView::OnUpdate(ITkDocumentView*, long lHint, CTkObject*)
{
    switch (lHint) {
    case kVxHintDeleteContents:
        ResetForPicture();
        break;
    case kVxHintPictureSize:
        ComputeZoomLimits();
        Fit();
        viewport()->update();
        break;
    default:
        // Single graphics are repainted with the whole page until the view
        // tracks their areas.
        viewport()->update();
        break;
    }
}

void CVxView::SerializeForUndo(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        m_doc.WriteGraphicRefs(ar, m_selection);
        const POINT scroll = GetScrollPosition();
        ar << std::uint16_t(m_bFullPage ? 1 : 0) << std::int32_t(m_nZoom)
           << std::int32_t(scroll.x) << std::int32_t(scroll.y);
        return;
    }
    for (CVxGraphic* pGraphic : m_doc.ReadGraphicRefs(ar)) m_selection.AddChildTail(pGraphic);
    std::uint16_t wFullPage = 0;
    std::int32_t nZoom = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    ar >> wFullPage >> nZoom >> x >> y;
    if (wFullPage == 1) {
        EnterFullPage();
    } else {
        SetZoom(nZoom);
        ScrollTo({x, y});
    }
    viewport()->update();
}

void CVxView::ResetForUndo() { m_selection.RemoveAllChildren(); }
