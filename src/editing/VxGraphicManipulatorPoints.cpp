// Point editing: the current point, the keys and commands that step through,
// insert and delete points and sub-polygons, and cancelling a session.

#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "editing/VxGraphicManipulator.h"
#include "graphics/VxGraphic.h"
#include "resources/VxResourceIds.h"

#include <algorithm>

int CVxGraphicManipulator::GetPointCount() const
{
    return std::max(0, m_pGraphic->GetHandleCount() - VX_HANDLE_FIRST_POINT);
}

bool CVxGraphicManipulator::IsCurrentHandle(int nHandle) const
{
    return nHandle == VX_HANDLE_FIRST_POINT + m_nCurrentPoint;
}

void CVxGraphicManipulator::Redraw()
{
    m_pView->InvalidateSelection();
}

void CVxGraphicManipulator::SetEditPoints(bool bOn)
{
    if (!CanEditPoints() || bOn == IsEditingPoints()) return;
    m_nEditPoints = bOn ? 1 : 0;
    if (m_nCurrentPoint < 0 || m_nCurrentPoint >= GetPointCount()) m_nCurrentPoint = 0;
    m_pView->SetMessageString(bOn ? IDS_EDITING_POINTS : IDS_IDLE_PROMPT);
    Redraw();
    if (!bOn) {
        m_pSavedGraphic.reset();
        m_editCheckpoint.reset();
    }
}

void CVxGraphicManipulator::RestoreEditPoints(int nEditPoints, int nCurrentPoint)
{
    if (nEditPoints <= 0 || !CanEditPoints()) return;
    m_nEditPoints = nEditPoints;
    m_nCurrentPoint = nCurrentPoint >= 0 && nCurrentPoint < GetPointCount() ? nCurrentPoint : 0;
    m_pView->SetMessageString(IDS_EDITING_POINTS);
}

void CVxGraphicManipulator::SetCurrentPoint(int nPoint)
{
    if (nPoint < 0 || nPoint >= GetPointCount() || nPoint == m_nCurrentPoint) return;
    m_nCurrentPoint = nPoint;
    Redraw();
}

bool CVxGraphicManipulator::CanInsertPoint() const
{
    return IsEditingPoints() && m_pGraphic->CanInsertPoint(m_nCurrentPoint);
}

bool CVxGraphicManipulator::CanDeletePoint() const
{
    return IsEditingPoints() && m_pGraphic->CanDeletePoint(m_nCurrentPoint);
}

bool CVxGraphicManipulator::CanNextSubpolygon() const
{
    return IsEditingPoints() && m_pGraphic->GetSubPolygonCount() > 1;
}

bool CVxGraphicManipulator::CanInsertSubpolygon() const
{
    const int nSubPolygon = m_pGraphic->GetSubPolygonOfPoint(m_nCurrentPoint);
    return IsEditingPoints() && m_pGraphic->CanInsertSubPolygon(nSubPolygon);
}

bool CVxGraphicManipulator::CanDeleteSubpolygon() const
{
    const int nSubPolygon = m_pGraphic->GetSubPolygonOfPoint(m_nCurrentPoint);
    return IsEditingPoints() && m_pGraphic->CanDeleteSubPolygon(nSubPolygon);
}

void CVxGraphicManipulator::NextPoint()
{
    const int nCount = GetPointCount();
    if (nCount > 0) SetCurrentPoint((m_nCurrentPoint + 1) % nCount);
}

void CVxGraphicManipulator::PreviousPoint()
{
    const int nCount = GetPointCount();
    if (nCount > 0) SetCurrentPoint((m_nCurrentPoint + nCount - 1) % nCount);
}

void CVxGraphicManipulator::InsertPoint()
{
    m_pView->GetDocument().SaveUndoState();
    // The copy goes in at the current index: both points lie on the same spot
    // and the copy joins the current point's sub-polygon even at its end.
    const POINT point = m_pGraphic->GetHandlePoint(VX_HANDLE_FIRST_POINT + m_nCurrentPoint);
    if (m_pGraphic->InsertPoint(m_nCurrentPoint, point, TRUE)) m_pGraphic->SetModified(TRUE);
    Redraw();
}

void CVxGraphicManipulator::DeletePoint()
{
    m_pView->GetDocument().SaveUndoState();
    if (m_pGraphic->DeletePoint(m_nCurrentPoint)) {
        m_nCurrentPoint = std::clamp(m_nCurrentPoint, 0, std::max(0, GetPointCount() - 1));
        m_pGraphic->SetModified(TRUE);
    }
    Redraw();
}

void CVxGraphicManipulator::SetFirstPointOf(int nSubPolygon)
{
    SetCurrentPoint(m_pGraphic->GetSubPolygonFirstPoint(nSubPolygon));
}

void CVxGraphicManipulator::StepSubpolygon(int nStep)
{
    const int nCount = m_pGraphic->GetSubPolygonCount();
    if (nCount <= 0) return;
    const int nSubPolygon = m_pGraphic->GetSubPolygonOfPoint(m_nCurrentPoint);
    SetFirstPointOf(((nSubPolygon + nStep) % nCount + nCount) % nCount);
}

void CVxGraphicManipulator::NextSubpolygon()
{
    StepSubpolygon(1);
}

void CVxGraphicManipulator::PreviousSubpolygon()
{
    StepSubpolygon(-1);
}

void CVxGraphicManipulator::InsertSubpolygon()
{
    m_pView->GetDocument().SaveUndoState();
    const int nSubPolygon = m_pGraphic->GetSubPolygonOfPoint(m_nCurrentPoint);
    if (m_pGraphic->InsertSubPolygon(nSubPolygon, 0)) {
        m_pGraphic->SetModified(TRUE);
        SetFirstPointOf(nSubPolygon + 1);
    }
    Redraw();
}

void CVxGraphicManipulator::DeleteSubpolygon()
{
    m_pView->GetDocument().SaveUndoState();
    const int nSubPolygon = m_pGraphic->GetSubPolygonOfPoint(m_nCurrentPoint);
    if (m_pGraphic->DeleteSubPolygon(nSubPolygon)) {
        m_pGraphic->SetModified(TRUE);
        // The current index may be past the end now, so it is set directly.
        const int nNext = std::min(nSubPolygon, m_pGraphic->GetSubPolygonCount() - 1);
        m_nCurrentPoint = std::max(0, m_pGraphic->GetSubPolygonFirstPoint(nNext));
    }
    Redraw();
}

bool CVxGraphicManipulator::OnPointKey(UINT nChar, bool bSub)
{
    switch (nChar) {
    case VK_BACK:
    case VK_DELETE:
    case VK_RETURN:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
        break;
    default:
        return false;
    }
    // A point deleted under a drag would leave it holding another one.
    if (IsDragging()) return true;
    switch (nChar) {
    case VK_BACK:
    case VK_DELETE:
        if (!(bSub ? CanDeleteSubpolygon() : CanDeletePoint())) break;
        bSub ? DeleteSubpolygon() : DeletePoint();
        if (nChar == VK_BACK) OnPointKey(VK_LEFT, bSub);
        break;
    case VK_RETURN:
        SetEditPoints(false);
        break;
    case VK_LEFT:
    case VK_UP:
        if (bSub ? CanPreviousSubpolygon() : CanPreviousPoint())
            bSub ? PreviousSubpolygon() : PreviousPoint();
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (bSub ? CanNextSubpolygon() : CanNextPoint()) bSub ? NextSubpolygon() : NextPoint();
        break;
    case VK_INSERT:
        if (bSub ? CanInsertSubpolygon() : CanInsertPoint()) bSub ? InsertSubpolygon() : InsertPoint();
        break;
    }
    return true;
}

void CVxGraphicManipulator::RestoreSavedGraphic()
{
    if (!m_pSavedGraphic) return;
    m_pGraphic->Invalidate();
    // The copy carries no document; the graphic stays in its own.
    CVxDocumentContext* pDocument = m_pGraphic->GetDocument();
    m_pGraphic->CopyFrom(*m_pSavedGraphic);
    m_pGraphic->SetDocument(pDocument);
    m_pGraphic->Invalidate();
    m_pSavedGraphic.reset();
    if (m_editCheckpoint) m_editCheckpoint->Drop();
    m_editCheckpoint.reset();
    if (m_nCurrentPoint >= GetPointCount()) m_nCurrentPoint = 0;
}
