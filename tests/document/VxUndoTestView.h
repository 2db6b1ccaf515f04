#pragma once
// A view for the undo tests: a selection, a zoom and a scroll position that go
// into every snapshot, and stores that fail on demand as a view's own
// serialisation can.

#include "DocTestSupport.h"

#include "document/VxDoc.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkArchive.h"

#include <cstdint>
#include <vector>

class CUndoTestView : public IVxUndoViewState, public ITkDocumentView {
public:
    explicit CUndoTestView(CVxDoc& doc);
    ~CUndoTestView() override;
    CUndoTestView(const CUndoTestView&) = delete;
    CUndoTestView& operator=(const CUndoTestView&) = delete;

    void SerializeForUndo(CTkArchive& ar) override;
    void ResetForUndo() override;
    void OnUpdate(ITkDocumentView* pSender, long lHint, CTkObject* pHint) override;

    void Select(CVxGraphic* pGraphic) { m_selection.AddChildTail(pGraphic); }
    // The selected graphics by their places among the picture's top-level graphics.
    std::vector<int> SelectedPlaces() const;

    int m_nZoom = 100;
    POINT m_ptScroll{0, 0};
    // The next this many stores throw, as a failing write would.
    int m_nFailingStores = 0;
    int m_nResets = 0;
    std::vector<long> m_hints;

private:
    CVxDoc& m_doc;
    CVxSelection m_selection;
};

// What a document shows: its page, units, modified flag, graphics and the view.
struct UndoTestState {
    SIZE sizePicture;
    SIZE sizeUnitsPerCm;
    bool bModified;
    std::vector<std::uint8_t> graphics;
    std::vector<int> selection;
    int nZoom;
    POINT ptScroll;
};

UndoTestState CaptureState(CVxDoc& doc, const CUndoTestView& view);
void ExpectSameState(const UndoTestState& expected, const UndoTestState& actual);

// The picture's own record as a snapshot holds it.
std::vector<std::uint8_t> StorePicture(CVxDoc& doc);
