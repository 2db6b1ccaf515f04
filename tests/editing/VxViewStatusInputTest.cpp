#include "VxViewFixture.h"

#include "graphics/VxLine.h"
#include "resources/VxResourceIds.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what reaches it and takes what it is told to take.
class FakeHandler : public IVxInputHandler {
public:
    bool bTake = false;
    bool bCaptureOnDown = false;
    std::vector<std::string> calls;
    UINT nLastFlags = 0;
    UINT nLastKey = 0;

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT) override
    {
        nLastFlags = nFlags;
        if (bCaptureOnDown) view.SetCapture();
        return Note("down");
    }
    bool OnMouseMove(IVxToolView&, UINT, POINT) override { return Note("move"); }
    bool OnLButtonUp(IVxToolView& view, UINT, POINT) override
    {
        view.ReleaseCapture();
        return Note("up");
    }
    bool OnLButtonDblClk(IVxToolView&, UINT, POINT) override { return Note("dblclk"); }
    bool OnChar(IVxToolView&, UINT nChar, UINT, UINT) override
    {
        nLastKey = nChar;
        return Note("char");
    }
    bool OnKeyDown(IVxToolView&, UINT nChar, UINT, UINT) override
    {
        nLastKey = nChar;
        return Note("keydown");
    }
    bool OnKeyUp(IVxToolView&, UINT, UINT, UINT) override { return Note("keyup"); }
    bool OnContextMenu(IVxToolView&, POINT) override { return Note("context"); }
    bool OnSetCursor(IVxToolView&) override { return Note("cursor"); }
    bool OnTimer(IVxToolView&, UINT) override { return Note("timer"); }
    bool Cancel(IVxToolView& view) override
    {
        view.ReleaseCapture();
        return Note("cancel");
    }
    bool GetCurrentPoint(POINT&) const override { return false; }
    bool GetCurrentSize(SIZE&) const override { return false; }

private:
    bool Note(const char* psz)
    {
        calls.emplace_back(psz);
        return bTake;
    }
};

using VxViewStatusTest = VxViewFixture;

// A manipulator and a tool of the test's own on the view.
class VxViewInputTest : public VxViewFixture {
protected:
    VxViewInputTest()
    {
        m_pView->SetManipulator(&manipulator);
        m_pView->SetTool(&tool);
    }
    ~VxViewInputTest() override
    {
        m_pView->SetManipulator(nullptr);
        m_pView->SetTool(nullptr);
    }

    FakeHandler manipulator;
    FakeHandler tool;
};

std::string PaneText(CVxView& view, unsigned nID)
{
    CTkCmdUI cmdUI(nID);
    EXPECT_TRUE(view.OnCmdMsg(nID, &cmdUI));
    return cmdUI.GetText().value_or("(none)");
}

TEST_F(VxViewStatusTest, CoordinateAndSizeInPictureUnitsInchesAndCentimetres)
{
    VxGridSettingsData grid = m_pView->GetGrid();
    grid.bSnapToGrid = TRUE;
    grid.sizeSpacing = {1000, 1000};
    m_pView->SetGrid(grid);
    // The page of 6985 x 5397 units lies at (19, 6), 761 x 588 pixels:
    // these client points snap to (3000, 2000) and (1000, 1000).
    m_pView->OnMouseMove(0, {346, 224});
    EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_SIZE), "");
    m_pView->OnLButtonDown(MK_LBUTTON, {346, 224});
    m_pView->OnMouseMove(MK_LBUTTON, {128, 115});
    struct Case {
        int nUnits;
        const char* pszCoordinate;
        const char* pszSize;
    };
    for (const Case& c : {Case{0, "1000, 1000", "2000 x 1000"},
                          Case{1, "0.39, 0.39 in.", "0.79 x 0.39 in."},
                          Case{2, "1.00, 1.00 cm.", "2.00 x 1.00 cm."}}) {
        m_settings.WriteProfileInt("Application", "Units", c.nUnits);
        EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_COORDINATE), c.pszCoordinate);
        EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_SIZE), c.pszSize);
    }
    m_pView->OnLButtonUp(0, {128, 115});
}

TEST_F(VxViewStatusTest, SelectionPaneNamesOneGraphicAndCountsTheRest)
{
    EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_SELECTION), "0 selected");
    CVxLine line1(RECT{0, 0, 100, 100});
    CVxLine line2(RECT{0, 0, 200, 100});
    m_pView->GetSelection().AddChildTail(&line1);
    EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_SELECTION), "Line selected");
    m_pView->GetSelection().AddChildTail(&line2);
    EXPECT_EQ(PaneText(*m_pView, ID_INDICATOR_SELECTION), "2 selected");
    m_pView->GetSelection().RemoveAllChildren();
}

TEST_F(VxViewInputTest, TheManipulatorGoesFirstUnlessTheToolHoldsADrag)
{

    manipulator.bTake = true;
    m_pView->OnLButtonDown(MK_LBUTTON, {10, 10});
    EXPECT_EQ(manipulator.calls, (std::vector<std::string>{"down"}));
    EXPECT_TRUE(tool.calls.empty());

    manipulator.bTake = false;
    tool.bTake = true;
    tool.bCaptureOnDown = true;
    m_pView->OnLButtonDown(MK_LBUTTON, {10, 10});
    m_pView->OnMouseMove(MK_LBUTTON, {20, 20});
    m_pView->OnLButtonUp(0, {20, 20});
    // While the tool drags, the manipulator is not asked.
    EXPECT_EQ(manipulator.calls, (std::vector<std::string>{"down", "down"}));
    EXPECT_EQ(tool.calls, (std::vector<std::string>{"down", "move", "up"}));

    m_pView->SetActive(false);
    m_pView->OnMouseMove(0, {30, 30});
    EXPECT_EQ(tool.calls.size(), 3u);
}

TEST_F(VxViewInputTest, CancelModeAsksTheManipulatorThenTheTool)
{
    manipulator.bTake = true;
    m_pView->OnCancelMode();
    EXPECT_EQ(manipulator.calls, (std::vector<std::string>{"cancel"}));
    EXPECT_TRUE(tool.calls.empty());
    manipulator.bTake = false;
    m_pView->OnCmdMsg(ID_EDIT_CANCEL, nullptr);
    EXPECT_EQ(tool.calls, (std::vector<std::string>{"cancel"}));

    // Focus lost during a drag: the tool cancels it, the manipulator is not asked.
    tool.bCaptureOnDown = true;
    m_pView->OnLButtonDown(MK_LBUTTON, {5, 5});
    ASSERT_TRUE(m_pView->HasCapture());
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(m_pView.get(), &focusOut);
    EXPECT_FALSE(m_pView->HasCapture());
    EXPECT_EQ(manipulator.calls.size(), 3u);  // cancel, cancel, down
    EXPECT_EQ(tool.calls.back(), "cancel");
}

TEST_F(VxViewInputTest, QtEventsBecomeKeyFlagsAndVirtualKeys)
{
    tool.bTake = true;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 50), QPointF(40, 50), Qt::LeftButton,
                      Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::sendEvent(m_pView->viewport(), &press);
    EXPECT_EQ(tool.nLastFlags, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    m_pView->ReleaseCapture();

    struct Case {
        int nQtKey;
        UINT nVirtualKey;
    };
    for (const Case& c : {Case{Qt::Key_Left, VK_LEFT}, Case{Qt::Key_Escape, VK_ESCAPE},
                          Case{Qt::Key_Delete, VK_DELETE}, Case{Qt::Key_A, 0x41},
                          Case{Qt::Key_F2, 0x71}, Case{Qt::Key_PageDown, VK_NEXT}}) {
        QKeyEvent key(QEvent::KeyPress, c.nQtKey, Qt::NoModifier);
        QApplication::sendEvent(m_pView.get(), &key);
        EXPECT_EQ(tool.nLastKey, c.nVirtualKey) << c.nQtKey;
    }
    EXPECT_EQ(CVxView::VirtualKeyFromQt(Qt::Key_Launch0), 0u);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(m_pView.get(), &typed);
    EXPECT_EQ(tool.calls.back(), "char");
    EXPECT_EQ(tool.nLastKey, UINT('x'));
}

}  // namespace
