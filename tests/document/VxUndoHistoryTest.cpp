// The history's bounds and order as the document's commands see them.

#include "DocTestSupport.h"
#include "VxUndoTestView.h"

#include "document/VxDoc.h"
#include "document/VxUndoHistory.h"
#include "graphics/VxGraphicClasses.h"

#include <memory>

namespace {

class UndoHistoryTest : public DocTest {
protected:
    UndoHistoryTest() { VxRegisterGraphicClasses(); }

    // A document whose history has room for nMaxUndos undos.
    std::unique_ptr<CVxDoc> MakeDoc(int nMaxUndos)
    {
        m_settings.WriteProfileInt("Application", "MaxNumberOfUndos", nMaxUndos);
        return std::make_unique<CVxDoc>();
    }

    // One edit: a snapshot, then one more rectangle (the nth).
    static void Change(CVxDoc& doc, int n)
    {
        doc.SaveUndoState();
        AddRectangle(doc, {100 * n, 0, 100 * n + 50, 50});
        doc.SetModifiedFlag(true);
    }

    static int Graphics(CVxDoc& doc) { return doc.GetPicture().GetChildCount(); }

    // The left edge of the last graphic: which edit made it.
    static int LastLeft(CVxDoc& doc)
    {
        return doc.GetPicture().GetLastChild()->GetRect().left;
    }

    // How many undos the document allows from where it is.
    static int UndoAll(CVxDoc& doc)
    {
        int nSteps = 0;
        while (doc.CanUndo() && nSteps < 1000) {
            doc.OnEditUndo();
            ++nSteps;
        }
        return nSteps;
    }
};

TEST_F(UndoHistoryTest, NoUndosMeansNoSnapshotsAndDisabledCommands)
{
    auto pDoc = MakeDoc(0);
    EXPECT_FALSE(pDoc->GetUndoHistory().HasRing());
    for (int n = 1; n <= 3; ++n) Change(*pDoc, n);
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 0);
    EXPECT_FALSE(pDoc->CanUndo());
    EXPECT_FALSE(pDoc->CanRedo());
    EXPECT_FALSE(pDoc->IsUndoEnabled());
    EXPECT_FALSE(pDoc->IsRedoEnabled());
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 3);
    EXPECT_EQ(pDoc->GetUndoState(), nullptr);
    EXPECT_TRUE(ShownIds().empty());
}

TEST_F(UndoHistoryTest, SettingsOutsideTheRangeAreBounded)
{
    CVxUndoHistory off(-5);
    EXPECT_FALSE(off.HasRing());
    // Taken as the largest allowed: the ring is small enough to allocate.
    CVxUndoHistory big(100000);
    EXPECT_TRUE(big.HasRing());
    EXPECT_FALSE(big.CanUndo());
    EXPECT_TRUE(ShownIds().empty());
}

TEST_F(UndoHistoryTest, WithOneUndoASecondChangeDropsTheOlderSnapshotQuietly)
{
    auto pDoc = MakeDoc(1);
    Change(*pDoc, 1);
    Change(*pDoc, 2);
    EXPECT_EQ(UndoAll(*pDoc), 1);
    EXPECT_EQ(Graphics(*pDoc), 1);
    EXPECT_TRUE(ShownIds().empty());
    pDoc->OnEditRedo();
    EXPECT_EQ(Graphics(*pDoc), 2);
}

TEST_F(UndoHistoryTest, AfterMoreChangesThanUndosAtMostThatManyStepsBack)
{
    constexpr int kUndos = 3;
    auto pDoc = MakeDoc(kUndos);
    for (int n = 1; n <= kUndos + 1; ++n) Change(*pDoc, n);
    // The ring holds one snapshot more than the undos allowed.
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), kUndos + 1);
    EXPECT_EQ(UndoAll(*pDoc), kUndos);
    EXPECT_EQ(Graphics(*pDoc), 1);
    EXPECT_TRUE(ShownIds().empty());
    // All the way forward again to the present that the first undo stored.
    int nRedos = 0;
    while (pDoc->CanRedo()) {
        pDoc->OnEditRedo();
        ++nRedos;
    }
    EXPECT_EQ(nRedos, kUndos);
    EXPECT_EQ(Graphics(*pDoc), kUndos + 1);
    EXPECT_EQ(LastLeft(*pDoc), 100 * (kUndos + 1));
}

TEST_F(UndoHistoryTest, AChangeAfterUndoDropsTheRedoStates)
{
    auto pDoc = MakeDoc(5);
    for (int n = 1; n <= 3; ++n) Change(*pDoc, n);
    pDoc->OnEditUndo();
    pDoc->OnEditUndo();
    ASSERT_EQ(Graphics(*pDoc), 1);
    ASSERT_TRUE(pDoc->CanRedo());
    Change(*pDoc, 7);
    EXPECT_FALSE(pDoc->CanRedo());
    EXPECT_FALSE(pDoc->IsRedoEnabled());
    // The snapshot of the restored state was taken again; the old ones are gone.
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 2);
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 1);
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 0);
    EXPECT_FALSE(pDoc->CanUndo());
    pDoc->OnEditRedo();
    pDoc->OnEditRedo();
    EXPECT_EQ(Graphics(*pDoc), 2);
    EXPECT_EQ(LastLeft(*pDoc), 700);
    EXPECT_FALSE(pDoc->CanRedo());
}

TEST_F(UndoHistoryTest, UndoToTheSavedStateClearsTheModifiedFlag)
{
    auto pDoc = MakeDoc(4);
    Change(*pDoc, 1);
    pDoc->SetModifiedFlag(false);  // saved here
    Change(*pDoc, 2);
    Change(*pDoc, 3);
    pDoc->OnEditUndo();
    EXPECT_TRUE(pDoc->IsModified());
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 1);
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->OnEditRedo();
    EXPECT_TRUE(pDoc->IsModified());
    pDoc->OnEditUndo();
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(UndoHistoryTest, UndoUntilABookmarkLeavesNoRedo)
{
    auto pDoc = MakeDoc(8);
    Change(*pDoc, 1);
    const void* pBookmark = pDoc->GetUndoState();
    ASSERT_NE(pBookmark, nullptr);
    // A drag that took two snapshots and changed the picture, then was cancelled.
    Change(*pDoc, 2);
    Change(*pDoc, 3);
    EXPECT_TRUE(pDoc->UndoUntilUndoState(pBookmark));
    EXPECT_EQ(Graphics(*pDoc), 1);
    EXPECT_EQ(pDoc->GetUndoState(), pBookmark);
    EXPECT_FALSE(pDoc->CanRedo());
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 1);
    // Nothing taken since the bookmark: nothing to undo.
    EXPECT_FALSE(pDoc->UndoUntilUndoState(pBookmark));
    EXPECT_EQ(Graphics(*pDoc), 1);
    // The step before the bookmark is still there.
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 0);
}

TEST_F(UndoHistoryTest, DiscardUntilABookmarkRemovesOnlyTheNewerSnapshots)
{
    auto pDoc = MakeDoc(8);
    Change(*pDoc, 1);
    const void* pBookmark = pDoc->GetUndoState();
    // An action that took snapshots and then changed nothing.
    pDoc->SaveUndoState();
    pDoc->SaveUndoState();
    ASSERT_EQ(pDoc->GetUndoHistory().GetCount(), 3);
    pDoc->DiscardUndoStatesUntil(pBookmark);
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 1);
    EXPECT_EQ(pDoc->GetUndoState(), pBookmark);
    EXPECT_EQ(Graphics(*pDoc), 1);
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 0);
    EXPECT_FALSE(pDoc->CanUndo());
    // An empty bookmark discards everything; an empty history stays empty.
    pDoc->DeleteContents();
    Change(*pDoc, 1);
    Change(*pDoc, 2);
    pDoc->DiscardUndoStatesUntil(nullptr);
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 0);
    pDoc->DiscardLastUndoState();
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 0);
    EXPECT_EQ(Graphics(*pDoc), 2);
}

}  // namespace
