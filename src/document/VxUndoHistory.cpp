#include "document/VxUndoHistory.h"

#include "document/VxDoc.h"
#include "document/VxDocMemento.h"
#include "document/VxDocState.h"
#include "platform/framework/TkMessageService.h"

#include <algorithm>
#include <new>
#include <utility>

CVxUndoHistory::CVxUndoHistory(int nMaxUndos)
{
    const int nUndos = std::clamp(nMaxUndos, 0, kMaxUndos);
    if (nUndos < 1) return;
    try {
        // One more than the undos: the present is stored too when Undo keeps a redo.
        m_pRing = std::make_unique<Ring>(nUndos + 1);
    } catch (const std::bad_alloc&) {
        TkGetMessageService().ShowMessage(IDS_UNDO_NO_MEMORY, MB_OK | MB_ICONSTOP);
        return;
    }
    m_nCurrent = m_pRing->GetTail();
}

CVxUndoHistory::~CVxUndoHistory() = default;

bool CVxUndoHistory::CanUndo() const
{
    return m_pRing && m_nCurrent != m_pRing->GetHead();
}

bool CVxUndoHistory::CanRedo() const
{
    return m_pRing && m_nCurrent != m_pRing->GetTail() &&
           m_pRing->Next(m_nCurrent) != m_pRing->GetTail();
}

bool CVxUndoHistory::Push(std::unique_ptr<CVxDocState> pState)
{
    if (!m_pRing || !pState || !pState->GetMemento()) return false;
    TruncateRedo();
    // The oldest goes without a word: the user asked for no more than this.
    if (m_pRing->IsFull()) m_pRing->RemoveHead();
    const CTkMemFile* pFile = pState->GetMemento()->GetState();
    m_nSizeHint = pFile ? pFile->GetLength() : 0;
    m_pRing->AddTail(std::move(pState));
    m_nCurrent = m_pRing->GetTail();
    return true;
}

void CVxUndoHistory::Undo(CVxDoc& doc, bool bKeepRedo)
{
    if (!CanUndo()) return;
    if (bKeepRedo && m_nCurrent == m_pRing->GetTail()) {
        std::unique_ptr<CVxDocState> pPresent = std::make_unique<CVxDocState>(doc);
        // Older snapshots make room until the present fits, but never the one
        // this undo goes back to.
        while (!pPresent->GetMemento()) {
            if (m_pRing->IsEmpty() || m_pRing->Prev(m_nCurrent) == m_pRing->GetHead()) return;
            m_pRing->RemoveHead();
            TkGetMessageService().ShowMessage(IDS_UNDO_OLDEST_REMOVED, MB_OK | MB_ICONSTOP);
            pPresent = std::make_unique<CVxDocState>(doc);
        }
        Push(std::move(pPresent));
        m_nCurrent = m_pRing->Prev(m_nCurrent);
    }
    m_nCurrent = m_pRing->Prev(m_nCurrent);
    m_pRing->ElementAt(m_nCurrent)->Restore();
    if (!bKeepRedo) TruncateRedo();
}

void CVxUndoHistory::Redo()
{
    if (!CanRedo()) return;
    m_nCurrent = m_pRing->Next(m_nCurrent);
    m_pRing->ElementAt(m_nCurrent)->Restore();
}

void CVxUndoHistory::Clear()
{
    if (m_bClearHeld || !m_pRing) return;
    while (!m_pRing->IsEmpty()) m_pRing->RemoveTail();
    m_nCurrent = m_pRing->GetTail();
}

void CVxUndoHistory::TruncateRedo()
{
    if (!m_pRing) return;
    while (!m_pRing->IsEmpty() && m_pRing->GetTail() != m_nCurrent) m_pRing->RemoveTail();
}

const CVxDocState* CVxUndoHistory::GetBookmark() const
{
    return CanUndo() ? m_pRing->GetAt(m_pRing->Prev(m_nCurrent)).get() : nullptr;
}

void CVxUndoHistory::RemoveNewest()
{
    if (!m_pRing || m_pRing->IsEmpty()) return;
    const bool bAtPresent = m_nCurrent == m_pRing->GetTail();
    m_pRing->RemoveTail();
    // Otherwise current stays on the state the document shows; when that was
    // the one removed, it has become the present.
    if (bAtPresent) m_nCurrent = m_pRing->GetTail();
}

int CVxUndoHistory::GetCount() const
{
    if (!m_pRing) return 0;
    const int nSize = m_pRing->GetSize();
    return (m_pRing->GetTail() - m_pRing->GetHead() + nSize) % nSize;
}

CVxUndoHistory::ClearHold::ClearHold(CVxUndoHistory& history)
    : m_history(history), m_bWasHeld(std::exchange(history.m_bClearHeld, true))
{
}

CVxUndoHistory::ClearHold::~ClearHold()
{
    m_history.m_bClearHeld = m_bWasHeld;
}
