#pragma once
// One gesture, one undo step: the document's undo bookmark and modified flag
// as they stood before the gesture, and a snapshot taken only at its first
// change, so a click that changes nothing leaves no step behind.

class CVxDoc;

class CVxUndoCheckpoint {
public:
    explicit CVxUndoCheckpoint(CVxDoc& doc);

    // Snapshots the document the first time only.
    void Take();
    bool IsTaken() const { return m_bTaken; }
    // Undoes back to the state before Take and restores the modified flag;
    // false when nothing was taken. Graphics changed since then are replaced,
    // so nobody may still refer to them.
    bool RollBack();
    // For a change already taken back by hand: drops the snapshots since
    // the bookmark and restores the modified flag, leaving no undo step.
    void Drop();
    // The gesture is kept: its snapshot stays as one undo step.
    void Discard() { m_bTaken = false; }

private:
    CVxDoc* m_pDoc;
    const void* m_pBookmark = nullptr;
    bool m_bModified = false;
    bool m_bTaken = false;
};
