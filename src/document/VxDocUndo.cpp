// The document's undo and redo: snapshots of the whole document in memory
// files, kept by the undo history.

#include "document/VxDoc.h"
#include "document/VxDocMemento.h"
#include "document/VxDocState.h"
#include "document/VxUndoHistory.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkMessageService.h"

#include <new>
#include <unordered_map>
#include <utility>

namespace {

// The picture's graphics, each followed by its own children: the places that
// graphic references stand for.
void CollectGraphics(const CVxGraphic& parent, std::vector<CVxGraphic*>& graphics)
{
    for (CVxGraphic::POSITION pos = parent.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = parent.GetNextChild(pos);
        graphics.push_back(pGraphic);
        CollectGraphics(*pGraphic, graphics);
    }
}

void ShowStop(UINT nIdMessage)
{
    TkGetMessageService().ShowMessage(nIdMessage, MB_OK | MB_ICONSTOP);
}

}  // namespace

BOOL CVxDoc::CanUndo() const
{
    return m_pUndoHistory->CanUndo();
}

BOOL CVxDoc::CanRedo() const
{
    return m_pUndoHistory->CanRedo();
}

void CVxDoc::SaveUndoState()
{
    if (!m_pUndoHistory->HasRing()) return;
    std::unique_ptr<CVxDocState> pState;
    try {
        pState = std::make_unique<CVxDocState>(*this);
    } catch (const std::bad_alloc&) {
        ShowStop(IDS_UNDO_NOT_SAVED);
        return;
    }
    // A failed snapshot is refused; the user has been told, and the edit goes on.
    m_pUndoHistory->Push(std::move(pState));
}

const void* CVxDoc::GetUndoState() const
{
    return m_pUndoHistory->GetBookmark();
}

void CVxDoc::DiscardLastUndoState()
{
    m_pUndoHistory->RemoveNewest();
}

void CVxDoc::DiscardUndoStatesUntil(const void* pBookmark)
{
    while (m_pUndoHistory->GetCount() > 0 && GetUndoState() != pBookmark) {
        DiscardLastUndoState();
    }
}

BOOL CVxDoc::UndoUntilUndoState(const void* pBookmark)
{
    if (!CanUndo()) return FALSE;
    bool bUndone = false;
    do {
        if (GetUndoState() == pBookmark) break;
        m_pUndoHistory->Undo(*this, false);
        bUndone = true;
    } while (CanUndo());
    if (bUndone) UpdateAllViews(nullptr, 0, nullptr);
    return bUndone ? TRUE : FALSE;
}

void CVxDoc::OnEditUndo()
{
    if (!CanUndo()) return;
    m_pUndoHistory->Undo(*this, true);
    UpdateAllViews(nullptr, 0, nullptr);
}

void CVxDoc::OnEditRedo()
{
    if (!CanRedo()) return;
    m_pUndoHistory->Redo();
    UpdateAllViews(nullptr, 0, nullptr);
}

std::unique_ptr<CVxDocMemento> CVxDoc::CreateMemento()
{
    std::unique_ptr<CTkMemFile> pFile;
    std::unique_ptr<CVxDocMemento> pMemento;
    try {
        // Room for a snapshot a little bigger than the last, so that a large
        // document is not copied over and over while its file grows.
        std::vector<std::uint8_t> bytes;
        const std::uint64_t hint = m_pUndoHistory->GetSizeHint();
        bytes.reserve(std::size_t(hint + hint / 8));
        pFile = std::make_unique<CTkMemFile>(std::move(bytes));
        pMemento = std::make_unique<CVxDocMemento>();
    } catch (const std::bad_alloc&) {
        ShowStop(IDS_UNDO_NOT_SAVED);
        return nullptr;
    }
    if (!SerializeForUndo(*pFile, false)) return nullptr;
    pMemento->SetState(std::move(pFile));
    return pMemento;
}

void CVxDoc::SetMemento(CVxDocMemento& memento)
{
    // A memento without bytes reads back as a failed restore.
    CTkMemFile empty;
    CTkMemFile& file = memento.GetState() ? *memento.GetState() : empty;
    file.SeekToBegin();
    SerializeForUndo(file, true);
}

BOOL CVxDoc::SerializeForUndo(CTkFile& file, bool bLoading)
{
    CTkArchive ar(&file, bLoading ? CTkArchive::load : CTkArchive::store);
    ar.m_pDocument = this;
    try {
        if (bLoading) ResetForSnapshotLoad();
        ExchangeUndoSnapshot(ar);
        return TRUE;
    } catch (const CTkArchiveException&) {
    } catch (const CTkFileException&) {
    } catch (const std::bad_alloc&) {
    }
    // Whatever part was read goes: a half-restored picture would pass for whole.
    if (bLoading) ResetForSnapshotLoad();
    ShowStop(bLoading ? IDS_UNDO_NOT_RESTORED : IDS_UNDO_NOT_SAVED);
    return FALSE;
}

void CVxDoc::ResetForSnapshotLoad()
{
    {
        CVxUndoHistory::ClearHold hold(*m_pUndoHistory);
        DeleteContents();
    }
    if (m_pUndoView) m_pUndoView->ResetForUndo();
    SetModifiedFlag(true);
}

void CVxDoc::ExchangeUndoSnapshot(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_sizePicture.cx << m_sizePicture.cy;
        ar << m_sizeUnitsPerCm.cx << m_sizeUnitsPerCm.cy;
        m_pPicture->Serialize(ar);
        ar << std::uint16_t(IsModified() ? 1 : 0);
    } else {
        // Each value is read whole or the archive throws end-of-file.
        SIZE sizePicture{};
        SIZE sizeUnitsPerCm{};
        ar >> sizePicture.cx >> sizePicture.cy;
        ar >> sizeUnitsPerCm.cx >> sizeUnitsPerCm.cy;
        m_sizePicture = sizePicture;
        SetUnitsPerCm(sizeUnitsPerCm);
        m_pPicture->Serialize(ar);
        std::uint16_t wModified = 0;
        ar >> wModified;
        SetModifiedFlag(wModified != 0);
    }
    if (m_pUndoView) m_pUndoView->SerializeForUndo(ar);
}

void CVxDoc::WriteGraphicRefs(CTkArchive& ar, const CVxGraphic& group)
{
    ar.WriteCount(std::uint64_t(group.GetChildCount()));
    if (group.HasNoChildren()) return;
    std::vector<CVxGraphic*> graphics;
    graphics.reserve(std::size_t(m_pPicture->GetChildCount()));
    CollectGraphics(*m_pPicture, graphics);
    // Groups mostly list graphics in picture order (Select All, a rubber band):
    // a forward walk finds those; the table is built only for the first that
    // is out of order.
    std::unordered_map<const CVxGraphic*, std::uint32_t> places;
    std::size_t nNext = 0;
    for (CVxGraphic::POSITION pos = group.GetFirstChildPosition(); pos;) {
        const CVxGraphic* pGraphic = group.GetNextChild(pos);
        if (nNext >= graphics.size() || graphics[nNext] != pGraphic) {
            if (places.empty()) {
                places.reserve(graphics.size());
                for (std::size_t i = 0; i < graphics.size(); ++i)
                    places.emplace(graphics[i], std::uint32_t(i));
            }
            const auto it = places.find(pGraphic);
            // A graphic outside the picture could not be found again on reading.
            if (it == places.end()) throw CTkArchiveException(CTkArchiveException::generic);
            nNext = it->second;
        }
        ar << std::uint32_t(nNext++);
    }
}

std::vector<CVxGraphic*> CVxDoc::ReadGraphicRefs(CTkArchive& ar)
{
    const std::uint64_t count = ar.ReadCount();
    if (count > ar.BytesLeft() / sizeof(std::uint32_t)) {
        throw CTkArchiveException(CTkArchiveException::endOfFile);
    }
    std::vector<CVxGraphic*> refs;
    if (count == 0) return refs;
    std::vector<CVxGraphic*> graphics;
    CollectGraphics(*m_pPicture, graphics);
    refs.reserve(std::size_t(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint32_t nPlace = 0;
        ar >> nPlace;
        if (nPlace >= graphics.size()) throw CTkArchiveException(CTkArchiveException::badIndex);
        refs.push_back(graphics[nPlace]);
    }
    return refs;
}
