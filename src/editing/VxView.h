#pragma once
// The one view of the document: the page at a zoom factor on a grey surround,
// scrolled when it is larger than the window, or fitted to the window in full
// page mode. It keeps a window-sized image as its screen: paints go into it and
// the widget only copies it, so client-DC drawing (XOR feedback) stays until
// it is drawn again. Its members are split by topic over VxView*.cpp.

#include "document/VxDoc.h"
#include "attributes/TkPalette.h"
#include "editing/IVxToolView.h"
#include "editing/VxClipboardFormats.h"
#include "editing/VxGridSettings.h"
#include "editing/VxSelectTool.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkCmdTarget.h"
#include "platform/framework/TkDocumentBase.h"
#include "platform/gdi/GdiTypes.h"
#include "resources/VxResourceIds.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <QRegion>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class CTkDC;
class CVxGraphicManipulator;
class CVxGraphicProperty;
class QMenu;
class QPaintDevice;
class QPrinter;

class CVxView : public QAbstractScrollArea,
                public CTkCmdTarget,
                public ITkDocumentView,
                public IVxUndoViewState,
                public IVxToolView {
public:
    static constexpr int kActualSize = 10000;  // zoom of 100 %
    static constexpr int kLowestZoom = 100;
    static constexpr int kHighestZoom = 1000000;

    // Registers with doc, which must outlive the view.
    explicit CVxView(CVxDoc& doc, QWidget* pParent = nullptr);
    ~CVxView() override;
    CVxView(const CVxView&) = delete;
    CVxView& operator=(const CVxView&) = delete;

    CVxDoc& GetDocument() override { return m_doc; }
    CVxSelection& GetSelection() override { return m_selection; }
    int GetZoom() const { return m_nZoom; }
    int GetMinZoom() const { return m_nMinZoom; }
    int GetMaxZoom() const { return m_nMaxZoom; }
    bool IsFullPage() const { return m_bFullPage; }
    const VxGridSettingsData& GetGrid() const { return m_grid; }
    void SetGrid(const VxGridSettingsData& grid);

    // --- zoom (VxViewZoom.cpp)
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
    void OnViewZoomCustom();
    // One zoom step in or out that keeps the picture point under the client
    // point where it is, as Ctrl+wheel does.
    void ZoomAt(bool bIn, POINT client);
    void OnUpdateZoomIn(CTkCmdUI& cmdUI);
    void OnUpdateZoomOut(CTkCmdUI& cmdUI);
    void OnUpdateViewActualSize(CTkCmdUI& cmdUI);
    void OnUpdateViewFullPage(CTkCmdUI& cmdUI);
    void OnUpdateViewZoomCustom(CTkCmdUI& cmdUI);
    void OnUpdateZoomBox(CTkCmdUI& cmdUI);
    void OnViewRedraw();

    // --- grid (VxViewGrid.cpp)
    void OnViewDisplayGrid();
    void OnViewSnapToGrid();
    void OnViewGridSettings();
    void OnUpdateViewDisplayGrid(CTkCmdUI& cmdUI);
    void OnUpdateViewSnapToGrid(CTkCmdUI& cmdUI);

    // --- status panes (VxViewStatus.cpp)
    void OnUpdateCoordinatePane(CTkCmdUI& cmdUI);
    void OnUpdateSizePane(CTkCmdUI& cmdUI);
    void OnUpdateSelectionPane(CTkCmdUI& cmdUI);

    // --- edit commands (VxViewEditCommands.cpp)
    // Delete goes to the manipulator as the Delete key first (a point being
    // edited), else the selected graphics go, as one undo step.
    void OnEditDelete();
    void DeleteSelection();
    void OnEditSelectAll();
    void OnEditSelectNone() { Select(nullptr, false); }
    void OnUpdateNeedsSelection(CTkCmdUI& cmdUI);
    void OnUpdateNeedsGraphics(CTkCmdUI& cmdUI);

    // --- clipboard (VxViewClipboard.cpp)
    // The selection, or the whole picture when nothing or everything is selected.
    void OnEditCopy();
    // Copies, and deletes only what was copied.
    void OnEditCut();
    // The first of a metafile, a Windows metafile and text on the clipboard.
    void OnEditPaste();
    // ID_EDIT_PASTE_EMF, _WMF and _TEXT.
    void OnEditPasteAs(unsigned nID);
    void OnUpdateEditCopy(CTkCmdUI& cmdUI);
    void OnUpdateEditPaste(CTkCmdUI& cmdUI);
    void OnUpdateEditPasteAs(CTkCmdUI& cmdUI);

    // --- printing (VxViewPrinting.cpp)
    // Draws the picture onto one page of pDevice (a printer or PDF writer):
    // fitted in full page mode, else at the view's zoom, centred.
    void PrintPage(QPaintDevice* pDevice);
    // Prints on printer without a dialog (the command line's -p and -pt).
    void PrintDirect(QPrinter& printer);
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

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

    // --- IVxToolView
    POINT ClientToPicture(POINT point) const override;
    RECT ClientToPicture(const RECT& rect) const override;
    POINT SnapPoint(POINT point) const override;
    POINT GetMousePoint(POINT clientPoint) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return m_bCapture; }
    void SetCursor(UINT nCursorID) override;
    POINT GetCursorPos() const override;
    void SetCursorPos(POINT point) override;
    SIZE GetClientExtent() const override { return GetClientSize(); }
    void SetTimer(UINT nIDEvent, UINT nElapse) override;
    void KillTimer(UINT nIDEvent) override;
    std::unique_ptr<CTkDC> GetClientDC() override;
    void InvalidateGraphic(CVxGraphic& graphic) override;
    void InvalidatePictureRect(const RECT& rect) override { InvalidatePicture(rect); }
    void InvalidateSelection() override;
    void SetMessageString(UINT nID) override;
    void SelectAtPoint(POINT point, bool bToggle) override;
    void SelectInRect(const RECT& rect, bool bToggle) override;
    void SelectOnly(CVxGraphic& graphic) override { Select(&graphic, false); }
    void RollBackLater(const CVxUndoCheckpoint& checkpoint) override;
    bool TrackContextMenu(POINT screenPoint) override;

    // --- point editing and Open (VxViewPointEditing.cpp)
    // Turns the manipulator's point editing on or off (also what a graphic's
    // Edit does through the installed switch).
    void OnEditPoints();
    void OnUpdateEditPoints(CTkCmdUI& cmdUI);
    void OnEditOpen();
    void OnUpdateEditOpen(CTkCmdUI& cmdUI);
    // Next, previous, insert and delete of points and sub-polygons.
    void OnPointCommand(unsigned nID);
    void OnUpdatePointCommand(CTkCmdUI& cmdUI);
    void SelectNone() override { Select(nullptr, false); }
    void EditGraphic(CVxGraphic& graphic) override;
    UINT GetModifierFlags() const override;
    void SendMouseMessage(MouseMessage message, UINT nFlags, POINT point) override;
    void SendCommand(UINT nID) override { OnCmdMsg(nID, nullptr); }

    // --- tools (VxViewTools.cpp)
    // The tool commands (ID_TOOL_*): the tool that gets what the
    // manipulator leaves.
    void OnTool(unsigned nID);
    void OnUpdateTool(CTkCmdUI& cmdUI);

    // --- selection, order, flips and trim (VxViewArrangeCommands.cpp)
    void OnEditSelectNext();
    void OnEditSelectPrevious();
    void OnEditSelectSimilar();
    void OnArrangeBringToFront();
    void OnArrangeSendToBack();
    void OnArrangeFlip(unsigned nID);
    void OnEditTrimPicture();

    // --- the Properties sheet (VxViewPropertyCommands.cpp)
    void OnEditProperties();
    void OnUpdateEditProperties(CTkCmdUI& cmdUI);
    // Line, Fill, Position, Font and Other: the sheet opened on that page.
    void OnFormatPage(unsigned nID);
    void OnUpdateFormatPage(CTkCmdUI& cmdUI);

    // --- colours, fills and the quick attribute commands (VxViewAttributeCommands.cpp)
    // What the frame's colour and fill toolbars listen to.
    struct VxPaletteSignals {
        // A colour slot changed: its command (32900 + slot) and colour.
        std::function<void(unsigned, COLORREF)> paletteColorChanged;
        // A fill slot changed: its command (32960 + slot) and brush.
        std::function<void(unsigned, const LOGBRUSH&)> paletteBrushPatternChanged;
        // The selection's colour for a target (32951-32954).
        std::function<void(unsigned, COLORREF)> selectionColorChanged;
        // The colour commands now change this target.
        std::function<void(unsigned)> colorModeChanged;
    };
    void SetPaletteSignals(VxPaletteSignals sink) { m_paletteSignals = std::move(sink); }
    const CTkPalette<COLORREF>& GetColorPalette();
    const CTkPalette<LOGBRUSH>& GetFillPalette();
    unsigned GetColorTarget() const { return m_nColorTarget; }
    void OnColor(unsigned nID);
    void OnUpdateColor(CTkCmdUI& cmdUI);
    void OnColorCustom();
    void OnUpdateColorCustom(CTkCmdUI& cmdUI);
    void OnColorTarget(unsigned nID);
    void OnUpdateColorTarget(CTkCmdUI& cmdUI);
    void OnFill(unsigned nID);
    void OnUpdateFill(CTkCmdUI& cmdUI);
    void OnLineStyle(unsigned nID);
    void OnUpdateLineStyle(CTkCmdUI& cmdUI);
    // Bold, italic and underline.
    void OnFontStyle(unsigned nID);
    void OnUpdateFontStyle(CTkCmdUI& cmdUI);
    void OnTextAlign(unsigned nID);
    void OnUpdateTextAlign(CTkCmdUI& cmdUI);
    // Transparent and opaque.
    void OnBkMode(unsigned nID);
    void OnUpdateBkMode(CTkCmdUI& cmdUI);
    void OnArcDirection(unsigned nID);
    void OnUpdateArcDirection(CTkCmdUI& cmdUI);
    // The toolbar boxes: line width (602), face name (600), point size (601).
    // While the user edits a box its update leaves the box alone.
    void SetToolBarBoxActive(bool bActive) { m_bToolBarBoxActive = bActive; }
    void OnUpdateLineWidthBox(CTkCmdUI& cmdUI);
    void OnUpdateFaceNameBox(CTkCmdUI& cmdUI);
    void OnUpdatePointSizeBox(CTkCmdUI& cmdUI);
    void SetLineWidth(int nWidth);
    void SetFaceName(const std::u16string& faceName);
    void SetPointSize(int nPoints);

    // --- selection (VxViewSelection.cpp)
    // The front-most graphic of the picture that paints within a few pixels
    // of point (picture units), or null.
    CVxGraphic* PickAt(POINT point);
    // Selects pGraphic alone (null: nothing), or adds or removes it.
    void Select(CVxGraphic* pGraphic, bool bToggle);
    // The manipulator made for the current selection; null when it is empty.
    CVxGraphicManipulator* GetSelectionManipulator();

    // Where SetMessageString sends its text (the frame's message pane).
    void SetMessageSink(std::function<void(const std::string&)> sink) { m_messageSink = std::move(sink); }
    // The handler that has input after the manipulator (the select tool
    // until another is chosen); not owned, null restores the select tool.
    void SetTool(IVxInputHandler* pTool) { m_pTool = pTool ? pTool : &m_selectTool; }
    // The selection's manipulator, offered input first; not owned, may be null.
    void SetManipulator(IVxInputHandler* pManipulator) { m_pManipulator = pManipulator; }
    // The popup TrackContextMenu shows; not owned, null for none.
    void SetContextMenu(QMenu* pMenu) { m_pContextMenu = pMenu; }
    // Mouse and key messages are ignored while the view is not active.
    void SetActive(bool bActive) { m_bActive = bActive; }
    bool IsActive() const { return m_bActive; }
    // The view is active while it has the keyboard focus; the selection's
    // handles show only then.
    void OnActivateView(bool bActivate);
    // The message operations, after VxViewInput.cpp has turned Qt's events into them.
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnLButtonDblClk(UINT nFlags, POINT point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnCancelMode();
    // Qt's key as a Windows virtual key; 0 for keys without one.
    static UINT VirtualKeyFromQt(int nQtKey);

    // The coordinate range scaled by the settings' safety factor, once per run.
    static SIZE GetSafeRange();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;

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
    // Maps the picture onto pagePixels of dc with its top-left at origin,
    // shrunk alike on both sides of the mapping when it leaves the safe range.
    void MapPicture(CTkDC& dc, SIZE pagePixels, POINT origin) const;
    QPrinter& GetPrinter();
    // The surround, the page, the grid and the picture over rcDevice.
    void DrawPage(CTkDC& dc, const RECT& rcDevice);
    void DrawPicture(CTkDC& dc);
    // The grid over the page inside clip (picture units).
    void DrawGrid(CTkDC& dc, const RECT& clip) const;
    // Paints rc of the screen image afresh.
    void PaintScreen(const QRegion& area);
    // Resizes the screen image to the window and paints what is dirty.
    void BringScreenUpToDate();
    // Repaints the whole screen image at the next paint.
    void InvalidateAll();
    // A rectangle of picture units, repainted at the next paint.
    void InvalidatePicture(const RECT& rect);
    // The handler the message goes to: the manipulator unless a drag holds
    // the tool, which gets what the manipulator does not take.
    template <typename Call>
    void Route(Call call);
    // Makes the selection's manipulator again once the selection changed;
    // deferred, since the old one may be the caller.
    void UpdateManipulator();
    // The manipulator set from outside, else the selection's; may be null.
    IVxInputHandler* GetActiveManipulator();
    // The selection's area with its handles, repainted at the next paint.
    void InvalidateHandles();
    // Only where the handles stand, when the graphics themselves stay as drawn.
    void InvalidateHandleFrame();
    // Changes which graphics are selected, repainting only the handles.
    void Regroup(const std::function<void()>& change);
    void DrawHandles(CTkDC& dc);
    // The colour targets after a change of the selection, and their colours.
    void OnSelectionChanged();
    // The palettes from the picture's colours, at the first use after a reset.
    void EnsurePalettes();
    bool IsColorTargetUsable(unsigned nTarget);
    // The selection's colour for nTarget; false when it is not uniform.
    bool GetTargetColor(unsigned nTarget, COLORREF& color);
    void ShowTargetColor(unsigned nTarget, COLORREF color);
    void AddPaletteColor(COLORREF color, BOOL bSticky);
    void AddPaletteFill(LOGBRUSH brush, BOOL bSticky);
    void ApplyColor(COLORREF color);
    // Runs the Properties sheet on the selection, opened on page nPage when
    // it is there.
    void RunPropertySheet(unsigned nPage);
    // Applies group to the selection, an undo step first when graphics change.
    void ApplyToSelection(CVxGraphicProperty& group);
    // The selection moved to the picture's head or tail as one block.
    void MoveSelectionInOrder(bool bToFront);

    // Lets the graphics' Edit reach the views' point editing; once per run.
    static void InstallPointEditing();
    // The selected graphics, to test membership in one step.
    std::unordered_set<const CVxGraphic*> GetSelectedSet() const;
    // False when the copy failed (and the message was shown).
    bool CopyToClipboard();
    // Adds graphics of the document to the selection at once.
    void AddToSelection(const CVxGraphicList& graphics);
    // The clipboard's bytes of kind; none (and 4207 shown) when they cannot be had.
    std::optional<std::vector<std::uint8_t>> ReadClipboard(VxClipKind kind);
    void PasteMetafile(VxClipKind kind);
    void PasteText();
    // Asks whether a paste that falls off the page should be fitted and centred.
    void FitPastedSelection();

    CVxDoc& m_doc;
    CVxSelection m_selection;
    CVxSelectTool m_selectTool;
    IVxInputHandler* m_pTool = &m_selectTool;
    IVxInputHandler* m_pManipulator = nullptr;
    std::unique_ptr<CVxGraphicManipulator> m_pSelectionManipulator;
    bool m_bManipulatorStale = true;
    // While set, the selection's own repaint requests are dropped: only its
    // members change, and the handle frame is repainted instead.
    bool m_bRegrouping = false;
    // Point editing read back by an undo, for the manipulator made next.
    int m_nUndoEditPoints = 0;
    int m_nUndoCurrentPoint = 0;
    QMenu* m_pContextMenu = nullptr;
    UINT m_nKeyModifiers = 0;  // MK_SHIFT, MK_CONTROL of the last input event
    IVxInputHandler* m_pCaptureHandler = nullptr;  // who set the capture
    unsigned m_nToolCommand = ID_TOOL_SELECTION;
    VxGridSettingsData m_grid;
    // The page the Properties sheet was last closed on; 0 before.
    unsigned m_nLastPropertyPage = 0;
    QImage m_screen;
    QRegion m_dirty;  // parts of m_screen that must be painted again
    std::function<void(const std::string&)> m_messageSink;
    int m_nZoom = kActualSize;
    int m_nMinZoom = kLowestZoom;
    int m_nMaxZoom = kHighestZoom;
    bool m_bFullPage = true;
    bool m_bInZoom = false;
    int m_nWheelZoom = 0;  // Ctrl+wheel turns not yet a whole step
    bool m_bActive = true;
    bool m_bCapture = false;
    bool m_bRoutingDelete = false;  // Delete handed to the gesture in progress
    std::vector<std::pair<UINT, int>> m_timers;  // the tools' ids and Qt's
    // The editor's own cursors, made when first shown.
    std::array<std::optional<QCursor>, IDC_LAST_CURSOR - IDC_FIRST_CURSOR + 1> m_cursors;
    // Stamped by a use counter: uses within one clock tick keep their order.
    static CTkPalette<COLORREF>::Clock UseCounter()
    {
        return [n = std::uint32_t(0)]() mutable { return ++n; };
    }
    CTkPalette<COLORREF> m_colorPalette{9, UseCounter()};
    CTkPalette<LOGBRUSH> m_fillPalette{10, UseCounter()};
    bool m_bPalettesStale = true;
    unsigned m_nColorTarget = ID_COLOR_TARGET_FILL;
    VxPaletteSignals m_paletteSignals;
    bool m_bToolBarBoxActive = false;
    // The printer and page chosen in Print Setup, kept for the next print.
    std::unique_ptr<QPrinter> m_pPrinter;
};
