// What a snapshot holds, how it is read back, and how failures are told.

#include "DocTestSupport.h"

#include "document/VxDoc.h"
#include "document/VxDocMemento.h"
#include "document/VxDocState.h"
#include "document/VxUndoHistory.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPath.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <cstring>
#include <memory>
#include <tuple>

namespace {

// A view for the undo tests: a selection, a zoom and a scroll position that go
// into every snapshot, and stores that fail on demand as a view's own
// serialisation can.
class CUndoTestView : public IVxUndoViewState, public ITkDocumentView {
public:
    explicit CUndoTestView(CVxDoc& doc) : m_doc(doc)
    {
        m_selection.SetDocument(&doc);
        doc.AddView(this);
        doc.SetUndoViewState(this);
    }
    ~CUndoTestView() override
    {
        m_doc.SetUndoViewState(nullptr);
        m_doc.RemoveView(this);
    }

    void SerializeForUndo(CTkArchive& ar) override
    {
        if (ar.IsStoring()) {
            if (m_nFailingStores > 0) {
                --m_nFailingStores;
                throw CTkArchiveException(CTkArchiveException::generic);
            }
            ar << std::int32_t(m_nZoom) << std::int32_t(m_ptScroll.x) << std::int32_t(m_ptScroll.y);
            m_doc.WriteGraphicRefs(ar, m_selection);
            return;
        }
        std::int32_t nZoom = 0;
        ar >> nZoom >> m_ptScroll.x >> m_ptScroll.y;
        m_nZoom = nZoom;
        for (CVxGraphic* pGraphic : m_doc.ReadGraphicRefs(ar)) m_selection.AddChildTail(pGraphic);
    }
    void ResetForUndo() override
    {
        ++m_nResets;
        m_selection.RemoveAllChildren();
    }
    void OnUpdate(ITkDocumentView*, long lHint, CTkObject*) override
    {
        // A new picture: nothing of the old one stays selected.
        if (lHint == kVxHintDeleteContents) m_selection.RemoveAllChildren();
    }

    void Select(CVxGraphic* pGraphic) { m_selection.AddChildTail(pGraphic); }
    // The selected graphics by their places among the picture's top-level graphics.
    std::vector<int> SelectedPlaces() const
    {
        std::vector<int> places;
        const CVxPicture& picture = m_doc.GetPicture();
        for (auto pos = m_selection.GetFirstChildPosition(); pos;) {
            const CVxGraphic* pGraphic = m_selection.GetNextChild(pos);
            int nPlace = 0;
            auto at = picture.GetFirstChildPosition();
            while (at && picture.GetNextChild(at) != pGraphic) ++nPlace;
            places.push_back(nPlace < picture.GetChildCount() ? nPlace : -1);
        }
        return places;
    }

    int m_nZoom = 100;
    POINT m_ptScroll{0, 0};
    // The next this many stores throw, as a failing write would.
    int m_nFailingStores = 0;
    int m_nResets = 0;

private:
    CVxDoc& m_doc;
    CVxSelection m_selection;
};

class UndoSnapshotTest : public DocTest {
protected:
    UndoSnapshotTest()
    {
        VxRegisterGraphicClasses();
        m_settings.WriteProfileInt("Application", "MaxNumberOfUndos", 4);
        m_pDoc = std::make_unique<CVxDoc>();
        m_pView = std::make_unique<CUndoTestView>(*m_pDoc);
    }
    ~UndoSnapshotTest() override
    {
        m_pView.reset();
        m_pDoc.reset();
    }

    CVxDoc& Doc() { return *m_pDoc; }
    CUndoTestView& View() { return *m_pView; }
    int Graphics() { return m_pDoc->GetPicture().GetChildCount(); }
    CVxGraphic* GraphicAt(int nPlace)
    {
        const CVxPicture& picture = m_pDoc->GetPicture();
        auto pos = picture.GetFirstChildPosition();
        for (int i = 0; i < nPlace && pos; ++i) picture.GetNextChild(pos);
        return pos ? picture.GetChildAt(pos) : nullptr;
    }
    void Change(int n)
    {
        m_pDoc->SaveUndoState();
        AddRectangle(*m_pDoc, {100 * n, 0, 100 * n + 50, 50});
        m_pDoc->SetModifiedFlag(true);
    }
    // The memento of the newest snapshot, through the bookmark that names it.
    CTkMemFile& NewestSnapshot()
    {
        const auto* pState = static_cast<const CVxDocState*>(m_pDoc->GetUndoState());
        EXPECT_NE(pState, nullptr);
        EXPECT_NE(pState->GetMemento(), nullptr);
        return *pState->GetMemento()->GetState();
    }
    // What the document shows: its page, units, modified flag, graphics and the view.
    auto State()
    {
        return std::tuple(m_pDoc->GetPictureSize(), m_pDoc->GetUnitsPerCmSize(),
                          m_pDoc->IsModified(), StoreGraphics(*m_pDoc), View().SelectedPlaces(),
                          View().m_nZoom, View().m_ptScroll);
    }
    void ExpectEmptyDefaultPicture()
    {
        EXPECT_EQ(Graphics(), 0);
        EXPECT_EQ(m_pDoc->GetPictureSize(), (SIZE{6985, 5397}));
        EXPECT_EQ(m_pDoc->GetUnitsPerCmSize(), (SIZE{1000, 1000}));
        EXPECT_TRUE(m_pDoc->IsModified());
        EXPECT_TRUE(View().SelectedPlaces().empty());
    }

    std::unique_ptr<CVxDoc> m_pDoc;
    std::unique_ptr<CUndoTestView> m_pView;
};

TEST_F(UndoSnapshotTest, RedoReturnsExactlyTheStateBeforeTheUndo)
{
    Doc().SetPictureSize({4000, 3000}, FALSE);
    for (int n = 0; n < 3; ++n) AddRectangle(Doc(), {100 * n, 10, 100 * n + 80, 90});
    // In picture order, then past a gap, then back: every way a reference is found.
    View().Select(GraphicAt(0));
    View().Select(GraphicAt(2));
    View().Select(GraphicAt(1));
    View().m_nZoom = 150;
    View().m_ptScroll = {30, 40};
    Doc().SetModifiedFlag(false);
    const auto before = State();

    Doc().SaveUndoState();
    GraphicAt(1)->Offset(5, 7);
    AddRectangle(Doc(), {1, 2, 3, 4});
    Doc().SetPictureSize({5000, 3000}, TRUE);
    View().ResetForUndo();
    View().Select(GraphicAt(3));
    View().m_nZoom = 25;
    View().m_ptScroll = {-3, 8};
    Doc().SetModifiedFlag(true);
    const auto after = State();
    ASSERT_NE(std::get<3>(before), std::get<3>(after));

    Doc().OnEditUndo();
    EXPECT_EQ(State(), before);
    Doc().OnEditRedo();
    EXPECT_EQ(State(), after);
    Doc().OnEditUndo();
    EXPECT_EQ(State(), before);
    // The restored graphics belong to this document.
    EXPECT_EQ(GraphicAt(0)->GetDocument(), &Doc());
    EXPECT_TRUE(ShownIds().empty());
}

TEST_F(UndoSnapshotTest, AFailedRestoreLeavesAnEmptyPictureAndTheHistoryUsable)
{
    AddRectangle(Doc(), {0, 0, 10, 10});
    Change(1);
    Change(2);
    View().Select(GraphicAt(2));
    // The snapshot taken before the second change loses its second half.
    CTkMemFile& damaged = NewestSnapshot();
    damaged.SetLength(damaged.GetLength() / 2);

    Doc().OnEditUndo();
    ExpectEmptyDefaultPicture();
    ASSERT_EQ(ShownIds(), (std::vector<UINT>{IDS_UNDO_NOT_RESTORED}));
    EXPECT_EQ(m_messages.GetShown()[0].nType, MB_OK | MB_ICONSTOP);
    EXPECT_GT(View().m_nResets, 0);
    // Another undo or redo may be tried.
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_TRUE(Doc().CanRedo());
    Doc().OnEditUndo();
    EXPECT_EQ(Graphics(), 1);
    Doc().OnEditRedo();
    EXPECT_EQ(Graphics(), 0);
    EXPECT_EQ(ShownIds().size(), 2u);
    Doc().OnEditRedo();
    EXPECT_EQ(Graphics(), 3);
    EXPECT_EQ(View().SelectedPlaces(), (std::vector<int>{2}));
}

TEST_F(UndoSnapshotTest, AFailedSnapshotIsToldAndAddsNothing)
{
    Change(1);
    ASSERT_EQ(Doc().GetUndoHistory().GetCount(), 1);
    const void* pBookmark = Doc().GetUndoState();
    View().m_nFailingStores = 1;
    Change(2);
    ASSERT_EQ(ShownIds(), (std::vector<UINT>{IDS_UNDO_NOT_SAVED}));
    EXPECT_EQ(m_messages.GetShown()[0].nType, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Doc().GetUndoHistory().GetCount(), 1);
    EXPECT_EQ(Doc().GetUndoState(), pBookmark);
    // The edit itself went on.
    EXPECT_EQ(Graphics(), 2);
    View().m_nFailingStores = 1;
    EXPECT_EQ(Doc().CreateMemento(), nullptr);
    EXPECT_EQ(ShownIds().size(), 2u);
    // The one undo that is left goes to before the first change.
    Doc().OnEditUndo();
    EXPECT_EQ(Graphics(), 0);
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(UndoSnapshotTest, AnUndoThatCannotStoreThePresentKeepsTheSnapshotItNeeds)
{
    for (int n = 1; n <= 3; ++n) Change(n);
    View().m_nFailingStores = 100;
    Doc().OnEditUndo();
    EXPECT_EQ(ShownIds(), (std::vector<UINT>{IDS_UNDO_NOT_SAVED, IDS_UNDO_OLDEST_REMOVED,
                                             IDS_UNDO_NOT_SAVED, IDS_UNDO_OLDEST_REMOVED,
                                             IDS_UNDO_NOT_SAVED}));
    // Nothing was undone; the newest snapshot is still there.
    EXPECT_EQ(Graphics(), 3);
    EXPECT_EQ(Doc().GetUndoHistory().GetCount(), 1);
    EXPECT_TRUE(Doc().CanUndo());
    View().m_nFailingStores = 0;
    Doc().OnEditUndo();
    EXPECT_EQ(Graphics(), 2);
    Doc().OnEditRedo();
    EXPECT_EQ(Graphics(), 3);
}

}  // namespace
