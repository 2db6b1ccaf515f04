// The view's mapping of picture units onto the window, conversions for the
// tools, document updates and the view state kept in undo snapshots.

#include "editing/VxView.h"

#include "editing/VxGraphicManipulator.h"
#include "graphics/VxGraphic.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"

#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int Clamp(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

SIZE CVxView::GetSafeRange()
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

namespace {

// Shrinks both extents alike until neither exceeds the safe range: the
// largest excess decides the ratio.
void ScaleIntoSafeRange(SIZE& window, SIZE& viewport)
{
    const SIZE range = CVxView::GetSafeRange();
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

CVxView::CVxView(CVxDoc& doc, QWidget* pParent)
    : QAbstractScrollArea(pParent), m_doc(doc), m_grid(VxGridSettingsData::Load())
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // Every paint covers its whole area, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_selection.SetDocument(&m_doc);
    m_doc.AddView(this);
    m_doc.SetUndoViewState(this);
    InstallPointEditing();
    ComputeZoomLimits();
    ResetForPicture();
}

CVxView::~CVxView()
{
    m_doc.SetUndoViewState(nullptr);
    m_doc.RemoveView(this);
    // The frame's message pane may be gone already.
    m_messageSink = nullptr;
    m_pSelectionManipulator.reset();
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
    const POINT origin = GetPageOrigin();
    MapPicture(dc, GetPagePixels(), {origin.x - ptDevice.x, origin.y - ptDevice.y});
}

void CVxView::MapPicture(CTkDC& dc, SIZE pagePixels, POINT origin) const
{
    const SIZE sizePicture = m_doc.GetPictureSize();
    SIZE window{sizePicture.cx, sizePicture.cy};
    ScaleIntoSafeRange(window, pagePixels);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(pagePixels.cx, pagePixels.cy);
    dc.SetViewportOrg(origin.x, origin.y);
}

POINT CVxView::ClientToPicture(POINT point) const
{
    CTkDC dc;
    PrepareDC(dc, {0, 0});
    dc.DPtoLP(&point, 1);
    return point;
}

RECT CVxView::ClientToPicture(const RECT& rect) const
{
    RECT result = rect;
    CTkDC dc;
    PrepareDC(dc, {0, 0});
    dc.DPtoLP(&result);
    return result;
}

POINT CVxView::SnapPoint(POINT point) const
{
    if (!m_grid.bSnapToGrid) return point;
    return {VxSnapToGrid(point.x, m_grid.ptOrigin.x, m_grid.sizeSpacing.cx),
            VxSnapToGrid(point.y, m_grid.ptOrigin.y, m_grid.sizeSpacing.cy)};
}

POINT CVxView::GetMousePoint(POINT clientPoint) const
{
    return SnapPoint(ClientToPicture(clientPoint));
}

// --- the document

void CVxView::OnUpdate(ITkDocumentView*, long lHint, CTkObject* pHint)
{
    switch (lHint) {
    case kVxHintDeleteContents:
        m_pSelectionManipulator.reset();
        m_bManipulatorStale = true;
        ResetForPicture();
        break;
    case kVxHintPictureSize:
        ComputeZoomLimits();
        Fit();
        InvalidateAll();
        break;
    case VX_HINT_UPDATE_GRAPHIC:
        // The whole picture changing (a graphic added to it) repaints all:
        // its bounds would cost a walk over every graphic.
        if (pHint == &m_selection && m_bRegrouping) break;
        if (auto* pGraphic = dynamic_cast<CVxGraphic*>(pHint);
            pGraphic && pGraphic != &m_doc.GetPicture()) {
            InvalidateGraphic(*pGraphic);
            break;
        }
        InvalidateAll();
        break;
    case kVxHintSelection:
        InvalidateSelection();
        break;
    default:
        InvalidateAll();
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
        // A manipulator still to be made (the caller may be the old one) has
        // no point editing yet.
        const CVxGraphicManipulator* pManipulator =
            m_bManipulatorStale ? nullptr : m_pSelectionManipulator.get();
        ar << std::int32_t(pManipulator ? pManipulator->GetEditPoints() : 0)
           << std::int32_t(pManipulator ? pManipulator->GetCurrentPoint() : 0);
        return;
    }
    // At once: one by one, each addition would measure the whole selection again.
    CVxGraphicList selected;
    for (CVxGraphic* pGraphic : m_doc.ReadGraphicRefs(ar)) selected.AddTail(pGraphic);
    m_selection.AddChildrenTail(selected);
    m_bManipulatorStale = true;
    std::uint16_t wFullPage = 0;
    std::int32_t nZoom = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t nEditPoints = 0;
    std::int32_t nCurrentPoint = 0;
    ar >> wFullPage >> nZoom >> x >> y >> nEditPoints >> nCurrentPoint;
    m_nUndoEditPoints = nEditPoints;
    m_nUndoCurrentPoint = nCurrentPoint;
    if (wFullPage == 1) {
        EnterFullPage();
    } else {
        SetZoom(nZoom);
        ScrollTo({x, y});
    }
    InvalidateAll();
}

void CVxView::ResetForUndo()
{
    // The manipulator refers to graphics the undo is about to replace.
    m_pSelectionManipulator.reset();
    m_bManipulatorStale = true;
    m_nUndoEditPoints = 0;
    m_selection.RemoveAllChildren();
}
