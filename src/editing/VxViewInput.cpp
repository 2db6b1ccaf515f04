// Input: Qt's mouse, key, focus and timer events turned into the view's
// message operations, which offer each message to the manipulator and then
// to the current tool. The one file of the view that reads Qt's input events.

#include "editing/VxView.h"

#include "editing/VxGraphicManipulator.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxCursors.h"
#include "resources/VxResourceIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

constexpr auto kVirtualKeys = std::to_array<std::pair<int, UINT>>({
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT},   {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},       {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},     {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},     {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
});

UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT nFlags = 0;
    if (buttons & Qt::LeftButton) nFlags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) nFlags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) nFlags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) nFlags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) nFlags |= MK_CONTROL;
    return nFlags;
}

// One of the editor's own cursors, made from its pixel rows.
QCursor MakeCursor(const VxCursorImage& cursor)
{
    QImage image(kVxCursorSize, kVxCursorSize, QImage::Format_ARGB32);
    for (int y = 0; y < kVxCursorSize; ++y) {
        for (int x = 0; x < kVxCursorSize; ++x) {
            const char c = cursor.rows[std::size_t(y)][std::size_t(x)];
            image.setPixel(x, y, c == 'X' ? 0xFF000000 : c == 'o' ? 0xFFFFFFFF : 0x00000000);
        }
    }
    return QCursor(QPixmap::fromImage(image), cursor.nHotX, cursor.nHotY);
}

POINT ClientPoint(const QMouseEvent& event)
{
    const QPoint pt = event.position().toPoint();
    return {pt.x(), pt.y()};
}

}  // namespace

UINT CVxView::VirtualKeyFromQt(int nQtKey)
{
    // Letters and digits share their codes with Qt's.
    if ((nQtKey >= Qt::Key_A && nQtKey <= Qt::Key_Z) || (nQtKey >= Qt::Key_0 && nQtKey <= Qt::Key_9))
        return UINT(nQtKey);
    if (nQtKey >= Qt::Key_F1 && nQtKey <= Qt::Key_F24) return 0x70 + UINT(nQtKey - Qt::Key_F1);
    const auto it = std::find_if(kVirtualKeys.begin(), kVirtualKeys.end(),
                                 [nQtKey](const auto& entry) { return entry.first == nQtKey; });
    return it == kVirtualKeys.end() ? 0 : it->second;
}

template <typename Call>
void CVxView::Route(Call call)
{
    if (!m_bActive) return;
    // A drag belongs to the handler that started it.
    if (m_bCapture) {
        call(m_pCaptureHandler ? *m_pCaptureHandler : *m_pTool);
        return;
    }
    IVxInputHandler* pManipulator = GetActiveManipulator();
    if (pManipulator && call(*pManipulator)) {
        if (m_bCapture) m_pCaptureHandler = pManipulator;
        return;
    }
    call(*m_pTool);
}

void CVxView::OnLButtonDown(UINT nFlags, POINT point)
{
    Route([&](IVxInputHandler& h) { return h.OnLButtonDown(*this, nFlags, point); });
}

void CVxView::OnMouseMove(UINT nFlags, POINT point)
{
    Route([&](IVxInputHandler& h) { return h.OnMouseMove(*this, nFlags, point); });
}

void CVxView::OnLButtonUp(UINT nFlags, POINT point)
{
    Route([&](IVxInputHandler& h) { return h.OnLButtonUp(*this, nFlags, point); });
}

void CVxView::OnLButtonDblClk(UINT nFlags, POINT point)
{
    Route([&](IVxInputHandler& h) { return h.OnLButtonDblClk(*this, nFlags, point); });
}

void CVxView::SendMouseMessage(MouseMessage message, UINT nFlags, POINT point)
{
    switch (message) {
    case MouseMessage::LButtonDown: OnLButtonDown(nFlags, point); break;
    case MouseMessage::LButtonUp: OnLButtonUp(nFlags, point); break;
    case MouseMessage::LButtonDblClk: OnLButtonDblClk(nFlags, point); break;
    }
}

UINT CVxView::GetModifierFlags() const
{
    return m_nKeyModifiers;
}

void CVxView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Route([&](IVxInputHandler& h) { return h.OnKeyDown(*this, nChar, nRepCnt, nFlags); });
}

void CVxView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Route([&](IVxInputHandler& h) { return h.OnKeyUp(*this, nChar, nRepCnt, nFlags); });
}

void CVxView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Route([&](IVxInputHandler& h) { return h.OnChar(*this, nChar, nRepCnt, nFlags); });
}

void CVxView::OnCancelMode()
{
    if (!m_bActive) return;
    IVxInputHandler* pFirst = GetActiveManipulator();
    if (m_bCapture) pFirst = m_pCaptureHandler;
    if (!pFirst || !pFirst->Cancel(*this)) m_pTool->Cancel(*this);
}

bool CVxView::TrackContextMenu(POINT screenPoint)
{
    if (!m_pContextMenu) return false;
    m_pContextMenu->popup(QPoint(screenPoint.x, screenPoint.y));
    return true;
}

void CVxView::mousePressEvent(QMouseEvent* pEvent)
{
    m_nKeyModifiers = KeyFlags({}, pEvent->modifiers());
    if (pEvent->button() != Qt::LeftButton) return;
    OnLButtonDown(KeyFlags(pEvent->buttons(), pEvent->modifiers()), ClientPoint(*pEvent));
}

void CVxView::mouseMoveEvent(QMouseEvent* pEvent)
{
    const POINT point = ClientPoint(*pEvent);
    m_nKeyModifiers = KeyFlags({}, pEvent->modifiers());
    OnMouseMove(KeyFlags(pEvent->buttons(), pEvent->modifiers()), point);
    if (!m_bActive) return;
    // The cursor is asked for on every move, as Windows does before each one.
    bool bSet = false;
    Route([&](IVxInputHandler& h) { return bSet = h.OnSetCursor(*this); });
    if (!bSet) viewport()->unsetCursor();
}

void CVxView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) return;
    OnLButtonUp(KeyFlags(pEvent->buttons(), pEvent->modifiers()), ClientPoint(*pEvent));
}

void CVxView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) return;
    OnLButtonDblClk(KeyFlags(pEvent->buttons(), pEvent->modifiers()), ClientPoint(*pEvent));
}

void CVxView::keyPressEvent(QKeyEvent* pEvent)
{
    m_nKeyModifiers = KeyFlags({}, pEvent->modifiers());
    const UINT nRepCnt = UINT(std::max(1, pEvent->count()));
    const UINT nKey = VirtualKeyFromQt(pEvent->key());
    if (nKey != 0) OnKeyDown(nKey, nRepCnt, pEvent->isAutoRepeat() ? 0x4000 : 0);
    // Text follows its key down, as the translated character message does.
    for (const QChar ch : pEvent->text()) {
        if (ch.unicode() >= 0x20 || ch == u'\r' || ch == u'\b') OnChar(ch.unicode(), nRepCnt, 0);
    }
}

void CVxView::keyReleaseEvent(QKeyEvent* pEvent)
{
    m_nKeyModifiers = KeyFlags({}, pEvent->modifiers());
    if (pEvent->isAutoRepeat()) return;
    const UINT nKey = VirtualKeyFromQt(pEvent->key());
    if (nKey != 0) OnKeyUp(nKey, 1, 0);
}

void CVxView::contextMenuEvent(QContextMenuEvent* pEvent)
{
    const POINT point{pEvent->globalPos().x(), pEvent->globalPos().y()};
    Route([&](IVxInputHandler& h) { return h.OnContextMenu(*this, point); });
}

void CVxView::focusInEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusInEvent(pEvent);
    OnActivateView(true);
}

void CVxView::focusOutEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusOutEvent(pEvent);
    // Losing the focus ends a gesture, not point editing: a menu opened to
    // pick a point command takes the focus too, and cancelling point
    // editing would throw its edits away.
    const CVxGraphicManipulator* pManipulator = m_bManipulatorStale ? nullptr : m_pSelectionManipulator.get();
    if (pManipulator && pManipulator->IsEditingPoints() && !m_bCapture && !m_pManipulator) return;
    OnCancelMode();
    // A menu or one of the editor's dialogs opened over the window does not
    // take the view's place: the selection stays shown while it is worked on.
    const Qt::FocusReason reason = pEvent->reason();
    const bool bOverWindow = reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
                             QApplication::activeModalWidget() != nullptr;
    if (!bOverWindow) OnActivateView(false);
}

void CVxView::timerEvent(QTimerEvent* pEvent)
{
    const auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](const auto& timer) {
        return timer.second == pEvent->timerId();
    });
    if (it == m_timers.end()) {
        QAbstractScrollArea::timerEvent(pEvent);
        return;
    }
    const UINT nIDEvent = it->first;
    Route([&](IVxInputHandler& h) { return h.OnTimer(*this, nIDEvent); });
}

void CVxView::wheelEvent(QWheelEvent* pEvent)
{
    if (!(pEvent->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(pEvent);
        return;
    }
    pEvent->accept();
    // Not in the middle of a drag: the manipulator's points are in the old scale.
    if (m_bCapture) return;
    // One step per notch; fine-grained wheels add up to a notch first.
    constexpr int kNotch = 120;
    m_nWheelZoom += pEvent->angleDelta().y();
    const QPoint at = pEvent->position().toPoint();
    for (; std::abs(m_nWheelZoom) >= kNotch; m_nWheelZoom -= m_nWheelZoom > 0 ? kNotch : -kNotch)
        ZoomAt(m_nWheelZoom > 0, {at.x(), at.y()});
}

void CVxView::SetCapture()
{
    m_bCapture = true;
    viewport()->grabMouse();
}

void CVxView::ReleaseCapture()
{
    if (!m_bCapture) return;
    m_bCapture = false;
    m_pCaptureHandler = nullptr;
    viewport()->releaseMouse();
}

void CVxView::SetCursor(UINT nCursorID)
{
    if (nCursorID >= IDC_FIRST_CURSOR && nCursorID <= IDC_LAST_CURSOR) {
        std::optional<QCursor>& cursor = m_cursors[nCursorID - IDC_FIRST_CURSOR];
        if (!cursor) cursor = MakeCursor(VxGetCursorImage(nCursorID).value());
        viewport()->setCursor(*cursor);
        return;
    }
    static constexpr auto kCursors = std::to_array<std::pair<UINT, Qt::CursorShape>>({
        {IDC_IBEAM, Qt::IBeamCursor},      {IDC_CROSS, Qt::CrossCursor},
        {IDC_SIZENS, Qt::SizeVerCursor},   {IDC_SIZEWE, Qt::SizeHorCursor},
        {IDC_SIZENESW, Qt::SizeBDiagCursor}, {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    });
    const auto it = std::find_if(kCursors.begin(), kCursors.end(),
                                 [&](const auto& entry) { return entry.first == nCursorID; });
    viewport()->setCursor(it == kCursors.end() ? Qt::ArrowCursor : it->second);
}

POINT CVxView::GetCursorPos() const
{
    const QPoint pt = viewport()->mapFromGlobal(QCursor::pos());
    return {pt.x(), pt.y()};
}

void CVxView::SetCursorPos(POINT point)
{
    QCursor::setPos(viewport()->mapToGlobal(QPoint(point.x, point.y)));
}

void CVxView::SetTimer(UINT nIDEvent, UINT nElapse)
{
    KillTimer(nIDEvent);
    m_timers.emplace_back(nIDEvent, startTimer(int(std::max(1u, nElapse))));
}

void CVxView::KillTimer(UINT nIDEvent)
{
    std::erase_if(m_timers, [&](const auto& timer) {
        if (timer.first != nIDEvent) return false;
        killTimer(timer.second);
        return true;
    });
}

void CVxView::SetMessageString(UINT nID)
{
    if (m_messageSink) m_messageSink(TkLoadString(nID));
}
