// The zoom: its limits, Set zoom with the keep-in-view rule, the zoom steps,
// full page mode and Custom Zoom.

#include "editing/VxView.h"

#include "editing/VxEditDialogs.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"

#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kZoomStep = 15000;  // Zoom In and Zoom Out scale by 1.5
constexpr int kMinimumPagePixels = 10;

}  // namespace

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
    InvalidateAll();
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

void CVxView::ZoomAt(bool bIn, POINT client)
{
    if (bIn ? !CanZoomIn() : !CanZoomOut()) return;
    const POINT picture = ClientToPicture(client);
    bIn ? OnZoomIn() : OnZoomOut();
    CTkDC dc;
    PrepareDC(dc, {0, 0});
    POINT now = picture;
    dc.LPtoDP(&now, 1);
    const POINT scroll = GetScrollPosition();
    ScrollTo({scroll.x + now.x - client.x, scroll.y + now.y - client.y});
}

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
    m_bPalettesStale = true;
    EnterFullPage();
    InvalidateAll();
}


void CVxView::OnViewZoomCustom()
{
    int nPercent = m_nZoom / 100;
    if (VxGetEditDialogs().RunCustomZoom(nPercent)) {
        // Set zoom clamps whatever was typed.
        SetZoom(int(std::clamp<long long>(nPercent * 100LL, 0, kHighestZoom)));
    }
}
