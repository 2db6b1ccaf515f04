#include "editing/VxUndoCheckpoint.h"

#include "document/VxDoc.h"

CVxUndoCheckpoint::CVxUndoCheckpoint(CVxDoc& doc) : m_pDoc(&doc) {}

void CVxUndoCheckpoint::Take()
{
    if (m_bTaken) return;
    m_pBookmark = m_pDoc->GetUndoState();
    m_bModified = m_pDoc->IsModified();
    m_pDoc->SaveUndoState();
    m_bTaken = true;
}

bool CVxUndoCheckpoint::RollBack()
{
    if (!m_bTaken) return false;
    m_bTaken = false;
    m_pDoc->UndoUntilUndoState(m_pBookmark);
    m_pDoc->SetModifiedFlag(m_bModified);
    return true;
}

void CVxUndoCheckpoint::Drop()
{
    if (!m_bTaken) return;
    m_bTaken = false;
    m_pDoc->DiscardUndoStatesUntil(m_pBookmark);
    m_pDoc->SetModifiedFlag(m_bModified);
}
