// Drawing shapes on the real view with the tool commands.

#include "VxViewFixture.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkCmdUI.h"
#include "resources/VxResourceIds.h"

#include <cstring>

namespace {

class VxShapeToolTest : public VxViewFixture {
protected:
    VxShapeToolTest()
    {
        VxRegisterGraphicClasses();
        m_pBox = &AddBox({100, 100, 300, 300}, RGB(0, 0, 255));
        m_doc.SetModifiedFlag(false);
    }
    void Drag(POINT from, POINT to)
    {
        m_pView->OnLButtonDown(MK_LBUTTON, from);
        m_pView->OnMouseMove(MK_LBUTTON, to);
        m_pView->OnLButtonUp(0, to);
    }
    void ExpectNoTrace()
    {
        EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 1);
        EXPECT_FALSE(m_doc.CanUndo());
        EXPECT_FALSE(m_doc.IsModified());
    }

    CVxGraphic* m_pBox = nullptr;
};

TEST_F(VxShapeToolTest, EachToolDrawsItsShapeAsOneSelectedUndoStep)
{
    struct Case {
        unsigned nID;
        const char* pszClass;
    };
    for (const Case& c : {Case{ID_TOOL_LINE, "CVxLine"}, Case{ID_TOOL_RECTANGLE, "CVxRectangle"},
                          Case{ID_TOOL_ELLIPSE, "CVxEllipse"}, Case{ID_TOOL_ARC, "CVxArc"}}) {
        m_pView->OnCmdMsg(c.nID, nullptr);
        Drag({400, 350}, {500, 420});
        ASSERT_EQ(m_doc.GetPicture().GetChildCount(), 2) << c.pszClass;
        CVxGraphic* pNew = m_doc.GetPicture().GetLastChild();
        EXPECT_STREQ(pNew->GetClassName(), c.pszClass);
        EXPECT_EQ(pNew->GetRect(), m_pView->ClientToPicture(RECT{400, 350, 500, 420}));
        EXPECT_EQ(m_pView->GetSelection().GetChildCount(), 1);
        EXPECT_EQ(m_pView->GetSelection().GetFirstChild(), pNew);
        m_doc.OnEditUndo();
        ExpectNoTrace();
        EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    }
}

TEST_F(VxShapeToolTest, AClickCreatesNothingAndSelects)
{
    m_pView->OnCmdMsg(ID_TOOL_LINE, nullptr);
    Drag({150, 150}, {153, 154});
    ExpectNoTrace();
    EXPECT_EQ(m_pView->GetSelection().GetFirstChild(), m_pBox);
}

TEST_F(VxShapeToolTest, CancellingOrSwitchingToolsMidDrawLeavesNoTrace)
{
    m_pView->OnCmdMsg(ID_TOOL_RECTANGLE, nullptr);
    m_pView->OnLButtonDown(MK_LBUTTON, {400, 350});
    m_pView->OnMouseMove(MK_LBUTTON, {500, 420});
    EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 2);
    m_pView->OnKeyDown(VK_ESCAPE, 1, 0);
    EXPECT_FALSE(m_pView->HasCapture());
    ExpectNoTrace();
    m_pView->OnLButtonDown(MK_LBUTTON, {400, 350});
    m_pView->OnMouseMove(MK_LBUTTON, {500, 420});
    m_pView->OnCmdMsg(ID_TOOL_SELECTION, nullptr);
    ExpectNoTrace();
    m_pView->OnLButtonUp(0, {500, 420});
    ExpectNoTrace();
}

TEST_F(VxShapeToolTest, OnlyBuiltToolsAreEnabledAndTheCurrentOneIsChosen)
{
    m_pView->OnCmdMsg(ID_TOOL_ELLIPSE, nullptr);
    struct Case {
        unsigned nID;
        bool bEnabled;
        bool bChosen;
    };
    for (const Case& c : {Case{ID_TOOL_SELECTION, true, false}, Case{ID_TOOL_ELLIPSE, true, true},
                          Case{ID_TOOL_POLYLINE, false, false}, Case{ID_TOOL_TEXT, false, false}}) {
        CTkCmdUI cmdUI(c.nID);
        ASSERT_TRUE(m_pView->OnCmdMsg(c.nID, &cmdUI));
        EXPECT_EQ(cmdUI.IsEnabled(), c.bEnabled) << c.nID;
        EXPECT_EQ(cmdUI.IsRadio(), c.bChosen) << c.nID;
    }
}

}  // namespace
