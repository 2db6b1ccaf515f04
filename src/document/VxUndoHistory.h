#pragma once
// The document's bounded history of whole-document snapshots: the oldest at the
// ring's head, the newest before its tail, the one the document shows at
// current (current == tail: the present, not stored).

#include "platform/framework/TkRingBuffer.h"

#include <cstdint>
#include <memory>

class CVxDoc;
class CVxDocState;

class CVxUndoHistory {
public:
    // The most the setting accepts.
    static constexpr int kMaxUndos = 32767;

    // nMaxUndos < 1: undo is off (no ring); above kMaxUndos it is taken as
    // kMaxUndos. Room for nMaxUndos + 1 snapshots. When the ring cannot be
    // allocated the user is told (4201) and undo is off.
    explicit CVxUndoHistory(int nMaxUndos);
    ~CVxUndoHistory();
    CVxUndoHistory(const CVxUndoHistory&) = delete;
    CVxUndoHistory& operator=(const CVxUndoHistory&) = delete;

    bool HasRing() const { return m_pRing != nullptr; }
    bool CanUndo() const;
    bool CanRedo() const;
    // Takes ownership; false (and the state destroyed) when refused: no ring,
    // no state, or a state whose snapshot failed. Drops the redo states and,
    // when the ring is full, the oldest snapshot.
    bool Push(std::unique_ptr<CVxDocState> pState);
    // keepRedo: the present is stored first so that Redo can come back to it;
    // otherwise the restored snapshot and all after it are dropped.
    void Undo(CVxDoc& doc, bool bKeepRedo);
    void Redo();
    // Destroys every snapshot, unless a snapshot is being read back (see
    // ClearHold).
    void Clear();
    void TruncateRedo();
    // The state at Prev(current) when CanUndo, else null.
    const CVxDocState* GetBookmark() const;
    // Destroys the newest snapshot; when the document showed the present, it
    // still does.
    void RemoveNewest();

    // The number of snapshots stored (for the document's tests and tools).
    int GetCount() const;
    // The byte size of the last snapshot stored: the next is likely about as big.
    std::uint64_t GetSizeHint() const { return m_nSizeHint; }

    // While one lives, Clear does nothing: reading a snapshot back resets the
    // document first, and that reset must not destroy the history it is
    // reading from.
    class ClearHold {
    public:
        explicit ClearHold(CVxUndoHistory& history);
        ~ClearHold();
        ClearHold(const ClearHold&) = delete;
        ClearHold& operator=(const ClearHold&) = delete;

    private:
        CVxUndoHistory& m_history;
        bool m_bWasHeld;
    };

private:
    using Ring = CTkRingBuffer<std::unique_ptr<CVxDocState>>;

    int m_nCurrent = 0;
    std::unique_ptr<Ring> m_pRing;
    bool m_bClearHeld = false;
    std::uint64_t m_nSizeHint = 0;
};
