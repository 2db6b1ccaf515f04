// Point editing on the real view: entered by a double-click or the commands,
// drawn with only the current point inverted, driven by Qt's keys, and
// brought back by Undo.

#include "VxViewFixture.h"
#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "editing/VxGraphicManipulator.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPoly.h"
#include "platform/framework/TkCmdUI.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>

#include <string>

namespace {

// The corners of a hollow box, clockwise from top left, in client pixels.
constexpr POINT kCorners[] = {{200, 200}, {400, 200}, {400, 350}, {200, 350}};

class VxViewPointEditingTest : public VxViewFixture {
protected:
    VxViewPointEditingTest()
    {
        VxRegisterGraphicClasses();
        m_pPoly = new CVxPoly(RECT{0, 0, 0, 0}, TRUE);
        for (const POINT p : kCorners) m_pPoly->AppendPoint(m_pView->ClientToPicture(p), FALSE);
        dynamic_cast<CVxPenGraphicProperty&>(*m_pPoly->LookupProperty("Pen")).SetWidth(0);
        dynamic_cast<CVxBrushGraphicProperty&>(*m_pPoly->LookupProperty("Brush")).SetStyle(BS_HOLLOW);
        m_doc.GetPicture().AddChildTail(m_pPoly);
        m_doc.SetModifiedFlag(false);
        m_pView->SetMessageSink([this](const std::string& text) { m_message = text; });
        m_pView->Select(m_pPoly, false);
        QApplication::processEvents();
    }

    CVxGraphicManipulator& Manipulator() { return *m_pView->GetSelectionManipulator(); }
    CVxPoly& Poly() { return dynamic_cast<CVxPoly&>(*m_doc.GetPicture().GetFirstChild()); }
    // A key pressed and released as Qt delivers it.
    void Key(int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, nKey, modifiers);
            QApplication::sendEvent(m_pView.get(), &event);
        }
    }
    CTkCmdUI Update(unsigned nID)
    {
        CTkCmdUI cmdUI(nID);
        m_pView->OnCmdMsg(nID, &cmdUI);
        return cmdUI;
    }

    CVxPoly* m_pPoly = nullptr;
    std::string m_message;
};

TEST_F(VxViewPointEditingTest, ADoubleClickEntersPointEditingWithOnlyTheCurrentPointInverted)
{
    EXPECT_TRUE(Update(ID_EDIT_OPEN).IsEnabled());
    EXPECT_EQ(Update(ID_EDIT_POINTS).GetCheck(), 0);
    m_pView->OnLButtonDblClk(MK_LBUTTON, {300, 200});
    ASSERT_TRUE(Manipulator().IsEditingPoints());
    EXPECT_EQ(Update(ID_EDIT_POINTS).GetCheck(), 1);
    EXPECT_EQ(m_message, TkLoadString(IDS_EDITING_POINTS));
    QApplication::processEvents();
    const QImage image = Grab();
    // Beside the current point (0, top left) all is inverted; beside another
    // one only the square's edge is drawn.
    EXPECT_EQ(image.pixel(198, 198), kBlack);
    EXPECT_EQ(image.pixel(402, 352), kWhite);
    int nEdge = 0;
    for (int d = 1; d <= 6; ++d) nEdge += image.pixel(400 + d, 353) == kBlack;
    EXPECT_GT(nEdge, 0);

    Key(Qt::Key_Return);
    EXPECT_FALSE(Manipulator().IsEditingPoints());
    EXPECT_EQ(m_message, TkLoadString(IDS_IDLE_PROMPT));
    m_pView->OnCmdMsg(ID_EDIT_OPEN, nullptr);
    EXPECT_TRUE(Manipulator().IsEditingPoints());
}

TEST_F(VxViewPointEditingTest, QtKeysWithCtrlAndShiftWorkOnSubPolygons)
{
    m_pView->OnCmdMsg(ID_EDIT_POINTS, nullptr);
    Key(Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Poly().GetSubPolygonCount(), 2);
    EXPECT_EQ(Manipulator().GetCurrentPoint(), 4);
    m_pView->OnCmdMsg(ID_SUBPOLYGON_NEXT, nullptr);
    Key(Qt::Key_Right);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Manipulator().GetPointCount(), 3 + 3);
    EXPECT_EQ(Manipulator().GetCurrentPoint(), 0);
    m_pView->OnCmdMsg(ID_SUBPOLYGON_DELETE, nullptr);
    EXPECT_FALSE(Update(ID_SUBPOLYGON_DELETE).IsEnabled());
}

TEST_F(VxViewPointEditingTest, UndoAfterAPointDragBringsBackPointEditingAtTheSamePoint)
{
    m_pView->OnCmdMsg(ID_EDIT_POINTS, nullptr);
    const POINT before = Poly().GetHandlePoint(VX_HANDLE_FIRST_POINT + 2);
    m_pView->OnLButtonDown(MK_LBUTTON, kCorners[2]);
    m_pView->OnMouseMove(MK_LBUTTON, {450, 380});
    m_pView->OnLButtonUp(0, {450, 380});
    EXPECT_NE(Poly().GetHandlePoint(VX_HANDLE_FIRST_POINT + 2), before);
    m_pView->OnKeyDown(VK_RIGHT, 1, 0);
    EXPECT_EQ(Manipulator().GetCurrentPoint(), 3);
    // A menu taking the focus leaves point editing and its edits alone.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(m_pView.get(), &focusOut);
    EXPECT_TRUE(Manipulator().IsEditingPoints());
    EXPECT_NE(Poly().GetHandlePoint(VX_HANDLE_FIRST_POINT + 2), before);
    m_doc.OnEditUndo();
    EXPECT_EQ(Poly().GetHandlePoint(VX_HANDLE_FIRST_POINT + 2), before);
    ASSERT_NE(m_pView->GetSelectionManipulator(), nullptr);
    EXPECT_TRUE(Manipulator().IsEditingPoints());
    EXPECT_EQ(Manipulator().GetCurrentPoint(), 2);
    QApplication::processEvents();
}

TEST_F(VxViewPointEditingTest, TheContextMenuOpensOverASelection)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Edit Points"));
    m_pView->SetContextMenu(&menu);
    for (const bool bSelected : {false, true}) {
        m_pView->Select(bSelected ? m_pPoly : nullptr, false);
        const QPoint point(300, 300);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, m_pView->mapToGlobal(point));
        QApplication::sendEvent(m_pView->viewport(), &event);
        EXPECT_EQ(menu.isVisible(), bSelected);
    }
    menu.hide();
    m_pView->SetContextMenu(nullptr);
}

}  // namespace
