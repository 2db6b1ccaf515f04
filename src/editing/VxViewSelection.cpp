// The selection: picking the graphic under a click, selecting by rectangle,
// the manipulator made for what is selected and the handles it draws.

#include "editing/VxView.h"

#include "editing/VxCreateManipulator.h"
#include "editing/VxGraphicManipulator.h"
#include "editing/VxUndoCheckpoint.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxGraphicList.h"
#include "graphics/VxPicture.h"
#include "platform/gdi/TkDC.h"
#include "platform/qt/TkQtDC.h"

#include <QImage>
#include <QMetaObject>

#include <algorithm>
#include <functional>
#include <unordered_set>
#include <vector>

namespace {

// How near a click must come to what a graphic paints, in pixels.
constexpr int kPickPixels = 3;
// Room for the handles around the selection, in pixels.
constexpr int kHandleMargin = 6;

bool Overlaps(const RECT& a, const RECT& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// Whether graphic changes a pixel of image; drawn on white and, for white
// paint, on black.
bool PaintsInto(QImage& image, CVxGraphic& graphic, const std::function<void(CTkDC&)>& prepare)
{
    for (const QRgb background : {qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
        image.fill(background);
        {
            const std::unique_ptr<CTkDC> dc = TkCreateImageDC(image);
            prepare(*dc);
            CVxGraphicProperty::BeginDrawing(dc.get());
            graphic.Draw(dc.get(), FALSE);
            CVxGraphicProperty::EndDrawing(dc.get());
        }
        for (int y = 0; y < image.height(); ++y) {
            const auto* pRow = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            if (std::any_of(pRow, pRow + image.width(), [&](QRgb c) { return c != background; }))
                return true;
        }
    }
    return false;
}

}  // namespace

CVxGraphic* CVxView::PickAt(POINT point)
{
    CTkDC map;
    PrepareDC(map, {0, 0});
    POINT device = point;
    map.LPtoDP(&device);
    const RECT near = VxNormalizeRect(ClientToPicture(RECT{device.x - kPickPixels, device.y - kPickPixels,
                                                      device.x + kPickPixels + 1, device.y + kPickPixels + 1}));
    QImage image(2 * kPickPixels + 1, 2 * kPickPixels + 1, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    const auto prepare = [&](CTkDC& dc) { PrepareDC(dc, {device.x - kPickPixels, device.y - kPickPixels}); };
    const std::vector<CVxGraphic*> candidates = m_doc.GetPicture().GetChildrenNear(near);
    // Front to back: the first graphic that paints there is the one seen.
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        if (Overlaps(VxNormalizeRect((*it)->GetBounds()), near) && PaintsInto(image, **it, prepare))
            return *it;
    }
    return nullptr;
}

void CVxView::Select(CVxGraphic* pGraphic, bool bToggle)
{
    Regroup([&] {
        if (!bToggle) m_selection.RemoveAllChildren();
        if (!pGraphic) return;
        const auto pos = m_selection.FindChild(pGraphic);
        if (!pos)
            m_selection.AddChildTail(pGraphic);
        else if (bToggle)
            m_selection.RemoveChildAt(pos);
    });
}

void CVxView::SelectAtPoint(POINT point, bool bToggle)
{
    CVxGraphic* pGraphic = PickAt(point);
    // A shift-click on nothing keeps the selection.
    if (pGraphic || !bToggle) Select(pGraphic, bToggle);
}

void CVxView::SelectInRect(const RECT& rect, bool bToggle)
{
    const RECT r = VxNormalizeRect(rect);
    std::vector<CVxGraphic*> inside;
    CVxPicture& picture = m_doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        if (pGraphic->IsInsideRect(r)) inside.push_back(pGraphic);
    }
    // The new selection is made whole and given at once: adding or removing
    // graphics one by one would measure the selection after each, which on a
    // large picture takes quadratic time. Toggling keeps what was selected and
    // not inside, then adds what is inside and was not selected.
    CVxGraphicList result;
    const std::unordered_set<const CVxGraphic*> selected =
        bToggle ? GetSelectedSet() : std::unordered_set<const CVxGraphic*>{};
    if (bToggle) {
        const std::unordered_set<const CVxGraphic*> insideSet(inside.begin(), inside.end());
        for (auto pos = m_selection.GetFirstChildPosition(); pos;) {
            CVxGraphic* pGraphic = m_selection.GetNextChild(pos);
            if (!insideSet.contains(pGraphic)) result.AddTail(pGraphic);
        }
    }
    for (CVxGraphic* pGraphic : inside) {
        if (!selected.contains(pGraphic)) result.AddTail(pGraphic);
    }
    Regroup([&] {
        m_selection.RemoveAllChildren();
        if (!result.IsEmpty()) m_selection.AddChildrenTail(result);
    });
}

void CVxView::RollBackLater(const CVxUndoCheckpoint& checkpoint)
{
    QMetaObject::invokeMethod(
        this,
        [checkpoint] {
            CVxUndoCheckpoint pending = checkpoint;
            pending.RollBack();
        },
        Qt::QueuedConnection);
}

CVxGraphicManipulator* CVxView::GetSelectionManipulator()
{
    UpdateManipulator();
    return m_pSelectionManipulator.get();
}

IVxInputHandler* CVxView::GetActiveManipulator()
{
    if (m_pManipulator) return m_pManipulator;
    return GetSelectionManipulator();
}

void CVxView::UpdateManipulator()
{
    if (!m_bManipulatorStale) return;
    m_bManipulatorStale = false;
    m_pSelectionManipulator.reset();
    if (!m_selection.HasNoChildren()) m_pSelectionManipulator = VxCreateManipulator(m_selection, *this);
    if (m_pSelectionManipulator)
        m_pSelectionManipulator->RestoreEditPoints(m_nUndoEditPoints, m_nUndoCurrentPoint);
    m_nUndoEditPoints = 0;
    OnSelectionChanged();
}

void CVxView::InvalidateHandles()
{
    if (m_selection.HasNoChildren()) return;
    m_selection.SetAllDirty();
    const RECT margin = VxNormalizeRect(ClientToPicture(RECT{0, 0, kHandleMargin, kHandleMargin}));
    RECT r = VxNormalizeRect(m_selection.GetBounds());
    const LONG dx = margin.right - margin.left;
    const LONG dy = margin.bottom - margin.top;
    InvalidatePicture({r.left - dx, r.top - dy, r.right + dx, r.bottom + dy});
}

void CVxView::Regroup(const std::function<void()>& change)
{
    InvalidateHandleFrame();
    {
        struct Reset {
            bool& bFlag;
            ~Reset() { bFlag = false; }
        } reset{m_bRegrouping};
        m_bRegrouping = true;
        change();
    }
    m_bManipulatorStale = true;
    InvalidateHandleFrame();
}

void CVxView::InvalidateHandleFrame()
{
    // One graphic may be showing its points, which stand inside it.
    if (m_selection.GetChildCount() < 2) {
        InvalidateHandles();
        return;
    }
    m_selection.SetAllDirty();
    // The box handles stand on the rectangle's sides and corners.
    const RECT margin = VxNormalizeRect(ClientToPicture(RECT{0, 0, 2 * kHandleMargin, 2 * kHandleMargin}));
    const LONG dx = margin.right - margin.left;
    const LONG dy = margin.bottom - margin.top;
    const RECT r = VxNormalizeRect(m_selection.GetRect());
    InvalidatePicture({r.left - dx, r.top - dy, r.right + dx, r.top + dy});
    InvalidatePicture({r.left - dx, r.bottom - dy, r.right + dx, r.bottom + dy});
    InvalidatePicture({r.left - dx, r.top - dy, r.left + dx, r.bottom + dy});
    InvalidatePicture({r.right - dx, r.top - dy, r.right + dx, r.bottom + dy});
}

void CVxView::DrawHandles(CTkDC& dc)
{
    if (CVxGraphicManipulator* pManipulator = GetSelectionManipulator()) pManipulator->DrawHandles(dc);
}

void CVxView::OnActivateView(bool bActivate)
{
    if (bActivate == m_bActive) return;
    if (m_selection.HasNoChildren()) {
        m_bActive = bActivate;
        return;
    }
    // The screen is brought up to date with the handles as they were; being
    // inverted, drawing them again then shows or takes them away.
    const std::unique_ptr<CTkDC> dc = GetClientDC();
    m_bActive = bActivate;
    DrawHandles(*dc);
}
