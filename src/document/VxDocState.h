#pragma once
// A snapshot in the undo history: the memento and the document it was taken of.

#include <memory>

class CVxDoc;
class CVxDocMemento;

class CVxDocState {
public:
    // Takes the snapshot now; the memento is null when that failed (the
    // document has told the user).
    explicit CVxDocState(CVxDoc& doc);
    ~CVxDocState();
    CVxDocState(const CVxDocState&) = delete;
    CVxDocState& operator=(const CVxDocState&) = delete;

    CVxDocMemento* GetMemento() const { return m_pMemento.get(); }
    // Reads the snapshot back into the document.
    void Restore();

private:
    CVxDoc* m_pDocument;
    std::unique_ptr<CVxDocMemento> m_pMemento;
};
