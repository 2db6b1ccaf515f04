#pragma once
// The one view of the document: the page at a zoom factor on a grey surround,
// painted through an off-screen image, scrolled when it is larger than the
// window, or fitted to the window in full page mode.

#include "document/VxDoc.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkCmdTarget.h"
#include "platform/framework/TkDocumentBase.h"
#include "platform/gdi/GdiTypes.h"

#include <QAbstractScrollArea>

class CTkDC;

class CVxView : public QAbstractScrollArea,
                public CTkCmdTarget,
                public ITkDocumentView,
                public IVxUndoViewState {
public:
    static constexpr int kActualSize = 10000;  // zoom of 100 %
    static constexpr int kLowestZoom = 100;
    static constexpr int kHighestZoom = 1000000;

    // Registers with doc, which must outlive the view.
    explicit CVxView(CVxDoc& doc, QWidget* pParent = nullptr);
    ~CVxView() override;
    CVxView(const CVxView&) = delete;
    CVxView& operator=(const CVxView&) = delete;

    CVxDoc& GetDocument() { return m_doc; }
    int GetZoom() const { return m_nZoom; }
    int GetMinZoom() const { return m_nMinZoom; }
    int GetMaxZoom() const { return m_nMaxZoom; }
    bool IsFullPage() const { return m_bFullPage; }

    // Leaves full page mode; the zoom is clamped to the limits and the page
    // scrolled so that what was in the middle of the window stays there.
    void SetZoom(int nZoom);
    void OnZoomIn();
    void OnZoomOut();
    bool CanZoomIn() const { return m_nZoom < m_nMaxZoom; }
    bool CanZoomOut() const { return m_nZoom > m_nMinZoom; }
    void OnViewActualSize() { SetZoom(kActualSize); }
    // Enters full page mode, or leaves it keeping the fitted zoom.
    void OnViewFullPage();
    void OnUpdateZoomIn(CTkCmdUI& cmdUI);
    void OnUpdateZoomOut(CTkCmdUI& cmdUI);
    void OnUpdateViewActualSize(CTkCmdUI& cmdUI);
    void OnUpdateViewFullPage(CTkCmdUI& cmdUI);
    void OnViewRedraw();
    // The view's own commands only; the frame routes on.
    bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI) override;

    // A new picture: nothing selected, full page.
    void ResetForPicture();

    // The page in device pixels at actual size and at the current zoom, and
    // where its top-left corner lies in the window.
    SIZE GetActualSizePixels() const;
    SIZE GetPagePixels() const;
    POINT GetPageOrigin() const;

    // zoom-to-fit: the zoom at which pagePixels (at actual size) fits into
    // client; kHighestZoom for an empty page or a result out of range.
    static int ZoomToFit(SIZE client, SIZE pagePixels);
    // The full-page zoom leaves a margin of 2 %.
    static int FullPageZoom(SIZE client, SIZE pagePixels);
    // The scroll position of one axis after a zoom: total is the page's
    // length and client the window's, before (Old) and after the zoom.
    static int KeepInView(int total, int totalOld, int client, int clientOld, int scrollOld);

    void OnUpdate(ITkDocumentView* pSender, long lHint, CTkObject* pHint) override;
    void SerializeForUndo(CTkArchive& ar) override;
    void ResetForUndo() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    SIZE GetClientSize() const;
    POINT GetScrollPosition() const;
    void ScrollTo(POINT pt);
    void ComputeZoomLimits();
    // Full page: the zoom follows the window; otherwise the scroll sizes follow
    // the zoom.
    void Fit();
    void EnterFullPage();
    // Clamps and stores the zoom without leaving full page mode.
    void ApplyZoom(int nZoom);
    void UpdateScrollBars();
    // Maps picture units onto the window, shifted so that device point
    // ptDevice of the window is the DC's 0, 0.
    void PrepareDC(CTkDC& dc, POINT ptDevice) const;
    // The surround, the page and the picture over rcDevice.
    void DrawPage(CTkDC& dc, const RECT& rcDevice);

    CVxDoc& m_doc;
    CVxSelection m_selection;
    int m_nZoom = kActualSize;
    int m_nMinZoom = kLowestZoom;
    int m_nMaxZoom = kHighestZoom;
    bool m_bFullPage = true;
    bool m_bInZoom = false;
};
