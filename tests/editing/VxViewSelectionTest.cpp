// Selecting and dragging on the real view: the pick, the rubber band, a drag
// as one undo step, and cancel putting the graphic back.

#include "VxViewFixture.h"
#include "editing/VxGraphicManipulator.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkMessageService.h"
#include "resources/VxResourceIds.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFocusEvent>

#include <utility>

namespace {

class VxViewSelectionTest : public VxViewFixture {
protected:
    VxViewSelectionTest()
    {
        VxRegisterGraphicClasses();
        // A filled box behind a hollow one that overlaps it.
        m_pFilled = &AddBox({100, 100, 300, 300}, RGB(0, 0, 255));
        m_pHollow = &AddBox({200, 200, 500, 450}, std::nullopt);
        m_doc.SetModifiedFlag(false);
        QApplication::processEvents();
    }

    void Click(POINT point, UINT nFlags = 0)
    {
        m_pView->OnLButtonDown(MK_LBUTTON | nFlags, point);
        m_pView->OnLButtonUp(nFlags, point);
    }
    void Drag(POINT from, POINT to, UINT nFlags = 0)
    {
        m_pView->OnLButtonDown(MK_LBUTTON | nFlags, from);
        m_pView->OnMouseMove(MK_LBUTTON | nFlags, {(from.x + to.x) / 2, (from.y + to.y) / 2});
        m_pView->OnMouseMove(MK_LBUTTON | nFlags, to);
        m_pView->OnLButtonUp(nFlags, to);
    }
    bool IsSelected(CVxGraphic* pGraphic) { return m_pView->GetSelection().FindChild(pGraphic) != nullptr; }
    RECT FirstRect() { return m_doc.GetPicture().GetFirstChild()->GetRect(); }

    CVxGraphic* m_pFilled = nullptr;
    CVxGraphic* m_pHollow = nullptr;
};

TEST_F(VxViewSelectionTest, ThePickTakesTheFrontMostGraphicThatPaintsThere)
{
    struct Case {
        POINT client;
        CVxGraphic* pExpected;
    };
    // Inside the hollow box's frame only the filled one paints; on its edge
    // the hollow one is in front.
    for (const Case& c : {Case{{250, 250}, m_pFilled}, Case{{250, 200}, m_pHollow},
                          Case{{252, 202}, m_pHollow}, Case{{400, 400}, nullptr},
                          Case{{150, 150}, m_pFilled}, Case{{50, 50}, nullptr}}) {
        EXPECT_EQ(m_pView->PickAt(m_pView->ClientToPicture(c.client)), c.pExpected)
            << c.client.x << "," << c.client.y;
    }
}

TEST_F(VxViewSelectionTest, AClickSelectsWithoutAnUndoStepAndShiftToggles)
{
    Click({150, 150});
    EXPECT_TRUE(IsSelected(m_pFilled));
    EXPECT_EQ(m_pView->GetSelection().GetChildCount(), 1);
    Click({250, 200}, MK_SHIFT);
    EXPECT_EQ(m_pView->GetSelection().GetChildCount(), 2);
    Click({150, 150}, MK_SHIFT);
    EXPECT_FALSE(IsSelected(m_pFilled));
    EXPECT_TRUE(IsSelected(m_pHollow));
    Click({400, 400});
    EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(VxViewSelectionTest, ACornerDragResizesAndOneUndoRestores)
{
    const RECT before = FirstRect();
    Click({150, 150});
    Drag({300, 300}, {350, 340});
    const RECT after = FirstRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_GT(after.right, before.right);
    EXPECT_GT(after.bottom, before.bottom);
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.OnEditUndo();
    EXPECT_EQ(FirstRect(), before);
    EXPECT_FALSE(m_doc.CanUndo());
    // The selection comes back with the picture, and its handles still work.
    ASSERT_EQ(m_pView->GetSelection().GetChildCount(), 1);
    ASSERT_NE(m_pView->GetSelectionManipulator(), nullptr);
    EXPECT_EQ(m_pView->GetSelectionManipulator()->HitTest(m_pView->ClientToPicture(POINT{300, 300})),
              VX_HANDLE_BOTTOM_RIGHT);
    QApplication::processEvents();
}

TEST_F(VxViewSelectionTest, ALiveDragRepaintsWithoutATrail)
{
    Click({150, 150});
    QApplication::processEvents();
    m_pView->OnLButtonDown(MK_LBUTTON, {150, 150});
    for (int step = 1; step <= 4; ++step) {
        m_pView->OnMouseMove(MK_LBUTTON, {150 + 25 * step, 150 + 25 * step});
        QApplication::processEvents();
    }
    const QImage during = Grab();
    m_pView->OnLButtonUp(0, {250, 250});
    QApplication::processEvents();
    for (const QImage& image : {during, Grab()}) {
        EXPECT_EQ(image.pixel(120, 120), kWhite);
        EXPECT_EQ(image.pixel(350, 350), qRgb(0, 0, 255));
    }
}

TEST_F(VxViewSelectionTest, CancelDuringADragPutsTheGraphicBack)
{
    const RECT before = FirstRect();
    Click({150, 150});
    m_pView->OnLButtonDown(MK_LBUTTON, {150, 150});
    m_pView->OnMouseMove(MK_LBUTTON, {190, 170});
    EXPECT_NE(FirstRect().left, before.left);
    m_pView->OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_FALSE(m_pView->HasCapture());
    QApplication::processEvents();
    EXPECT_EQ(FirstRect(), before);
    EXPECT_FALSE(m_doc.IsModified());
    // The mouse coming up afterwards changes nothing.
    m_pView->OnLButtonUp(0, {190, 170});
    EXPECT_EQ(FirstRect(), before);
}

TEST_F(VxViewSelectionTest, TheRubberBandTakesOnlyWhatLiesWhollyInside)
{
    Drag({80, 80}, {320, 320});
    EXPECT_TRUE(IsSelected(m_pFilled));
    EXPECT_FALSE(IsSelected(m_pHollow));
    // Bands start off the selection: a press on it would drag it.
    Drag({520, 470}, {190, 190}, MK_SHIFT);
    EXPECT_TRUE(IsSelected(m_pFilled));
    EXPECT_TRUE(IsSelected(m_pHollow));
    Drag({520, 470}, {190, 190}, MK_SHIFT);
    EXPECT_FALSE(IsSelected(m_pHollow));
    Drag({600, 500}, {700, 550});
    EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    // Moving 4 pixels or less is still a click at the press point; 5 is a band.
    Drag({150, 150}, {155, 150});
    EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    Drag({150, 150}, {154, 154});
    EXPECT_TRUE(IsSelected(m_pFilled));
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(VxViewSelectionTest, ACtrlDragLeavesACopyBehindThatUndoRemoves)
{
    CTkScriptedMessageService messages;
    TkSetMessageService(&messages);
    const RECT before = FirstRect();
    Click({150, 150});
    Drag({150, 150}, {190, 170}, MK_CONTROL);
    ASSERT_EQ(m_doc.GetPicture().GetChildCount(), 3);
    // The copy stays put just behind the dragged original.
    EXPECT_EQ(FirstRect(), before);
    auto pos = m_doc.GetPicture().GetFirstChildPosition();
    EXPECT_NE(m_doc.GetPicture().GetNextChild(pos), m_pFilled);
    EXPECT_EQ(m_doc.GetPicture().GetNextChild(pos), m_pFilled);
    EXPECT_NE(m_pFilled->GetRect().left, before.left);
    EXPECT_TRUE(IsSelected(m_pFilled));
    EXPECT_TRUE(messages.GetShown().empty());
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 2);
    EXPECT_EQ(FirstRect(), before);

    // Released where it started: the copy lies on the original, and the user is told.
    Click({150, 150});
    Drag({150, 150}, {150, 150}, MK_CONTROL);
    EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 3);
    ASSERT_EQ(messages.GetShown().size(), 1u);
    EXPECT_EQ(messages.GetShown()[0].nIdMessage, IDS_OBJECTS_COPIED);
    TkSetMessageService(nullptr);
}

TEST_F(VxViewSelectionTest, WithSnapOnTheNearestCornerLandsOnTheGrid)
{
    VxGridSettingsData grid = m_pView->GetGrid();
    grid.bSnapToGrid = TRUE;
    grid.ptOrigin = {0, 0};
    grid.sizeSpacing = {100, 100};
    m_pView->SetGrid(grid);
    Click({150, 150});
    Drag({150, 150}, {187, 163});
    const RECT r = m_pFilled->GetRect();
    const bool bCornerOnGrid =
        (r.left % 100 == 0 || r.right % 100 == 0) && (r.top % 100 == 0 || r.bottom % 100 == 0);
    EXPECT_TRUE(bCornerOnGrid) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    const RECT b = m_pView->ClientToPicture(RECT{100, 100, 300, 300});
    EXPECT_EQ(r.right - r.left, b.right - b.left);
}

}  // namespace

namespace {

// The view is active while it has the focus: the handles show only then, and
// clicks reach the tools only then.
TEST_F(VxViewSelectionTest, HandlesAndClicksNeedTheViewActive)
{
    Click({250, 250});
    ASSERT_TRUE(IsSelected(m_pFilled));
    // The top left handle covers the box's corner, inverting its blue.
    const QRgb handle = Grab().pixel(102, 102);
    ASSERT_NE(handle, qRgb(0, 0, 255));

    m_pView->OnActivateView(false);
    EXPECT_FALSE(m_pView->IsActive());
    EXPECT_EQ(Grab().pixel(102, 102), qRgb(0, 0, 255));
    Click({400, 300});
    EXPECT_TRUE(IsSelected(m_pFilled));

    m_pView->OnActivateView(true);
    EXPECT_EQ(Grab().pixel(102, 102), handle);
    // A repaint agrees with what activation drew.
    m_pView->OnViewRedraw();
    EXPECT_EQ(Grab().pixel(102, 102), handle);

    // A menu taking the focus leaves the view active; another window does not.
    for (const auto& [reason, bActive] : {std::pair{Qt::PopupFocusReason, true}, std::pair{Qt::MenuBarFocusReason, true},
                                          std::pair{Qt::ActiveWindowFocusReason, false}}) {
        m_pView->OnActivateView(true);
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(m_pView.get(), &out);
        EXPECT_EQ(m_pView->IsActive(), bActive) << reason;
    }
    // Nor does a dialog of the editor's own.
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    m_pView->OnActivateView(true);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(m_pView.get(), &out);
    EXPECT_TRUE(m_pView->IsActive());
}

}  // namespace
