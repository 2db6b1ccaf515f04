// The history's bounds and order as the document's commands see them.

#include "DocTestSupport.h"

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
};

// A script of commands: C an edit that adds the nth rectangle (n counting the
// edits), U undo, R redo, S a save. What the document holds afterwards, and
// whether it can go either way.
TEST_F(UndoHistoryTest, ScriptsOfEditsUndosAndRedos)
{
    const struct {
        int nMaxUndos;
        const char* script;
        int graphics;
        int lastLeft;  // of the newest graphic: which edit made it
        int snapshots;  // -1: not checked
        bool bCanUndo, bCanRedo, bModified;
    } cases[] = {
        // No undos: no snapshots and nothing happens.
        {0, "CCCU", 3, 300, 0, false, false, true},
        // One undo: a second edit drops the older snapshot quietly.
        {1, "CCU", 1, 100, -1, false, true, true},
        {1, "CCUR", 2, 200, -1, true, false, true},
        // The ring holds one snapshot more than the undos allowed.
        {3, "CCCC", 4, 400, 4, true, false, true},
        {3, "CCCCUUU", 1, 100, -1, false, true, true},
        {3, "CCCCUUURRR", 4, 400, -1, true, false, true},
        // An edit after an undo drops the redo states; the restored state's
        // snapshot is taken again.
        {5, "CCCUUC", 2, 400, 2, true, false, true},
        {5, "CCCUUCUU", 0, 0, -1, false, true, false},
        {5, "CCCUUCUURR", 2, 400, -1, true, false, true},
        // Undo back to the saved state clears the modified flag, redo sets it.
        {4, "CSCCU", 2, 200, -1, true, true, true},
        {4, "CSCCUU", 1, 100, -1, true, true, false},
        {4, "CSCCUUR", 2, 200, -1, true, true, true},
        {4, "CSCCUURU", 1, 100, -1, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.script) + " with " + std::to_string(c.nMaxUndos));
        auto pDoc = MakeDoc(c.nMaxUndos);
        int n = 0;
        for (const char* p = c.script; *p; ++p) {
            switch (*p) {
            case 'C': Change(*pDoc, ++n); break;
            case 'U': pDoc->OnEditUndo(); break;
            case 'R': pDoc->OnEditRedo(); break;
            default: pDoc->SetModifiedFlag(false); break;
            }
        }
        EXPECT_EQ(Graphics(*pDoc), c.graphics);
        if (c.snapshots >= 0) {
            EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), c.snapshots);
        }
        EXPECT_EQ(pDoc->CanUndo(), c.bCanUndo);
        EXPECT_EQ(pDoc->CanRedo(), c.bCanRedo);
        EXPECT_EQ(pDoc->IsUndoEnabled(), c.bCanUndo);
        EXPECT_EQ(pDoc->IsRedoEnabled(), c.bCanRedo);
        EXPECT_EQ(pDoc->IsModified(), c.bModified);
        if (c.graphics > 0) {
            EXPECT_EQ(pDoc->GetPicture().GetLastChild()->GetRect().left, c.lastLeft);
        }
        EXPECT_TRUE(ShownIds().empty());
    }
}

TEST_F(UndoHistoryTest, SettingsOutsideTheRangeAreBounded)
{
    EXPECT_FALSE(CVxUndoHistory(-5).HasRing());
    // Taken as the largest allowed: the ring is small enough to allocate.
    CVxUndoHistory big(100000);
    EXPECT_TRUE(big.HasRing());
    EXPECT_FALSE(big.CanUndo());
    EXPECT_FALSE(MakeDoc(0)->GetUndoHistory().HasRing());
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
    pDoc->OnEditUndo();
    EXPECT_EQ(Graphics(*pDoc), 0);
    EXPECT_FALSE(pDoc->CanUndo());
    // An empty bookmark discards everything; an empty history stays empty.
    Change(*pDoc, 1);
    Change(*pDoc, 2);
    pDoc->DiscardUndoStatesUntil(nullptr);
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 0);
    pDoc->DiscardLastUndoState();
    EXPECT_EQ(pDoc->GetUndoHistory().GetCount(), 0);
    EXPECT_EQ(Graphics(*pDoc), 2);
}

}  // namespace
