// Drawing shapes, polys and texts on the real view with the tool commands.

#include "VxViewFixture.h"
#include "attributes/VxFontGraphicProperty.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPointEditing.h"
#include "graphics/VxPoly.h"
#include "graphics/VxText.h"
#include "graphics/VxTextDialogService.h"
#include "platform/framework/TkCmdUI.h"
#include "resources/VxResourceIds.h"

#include <QCursor>
#include <QPixmap>

#include <cstring>
#include <optional>

namespace {

// Types the queued answer (none: Cancel) into the "Text" dialog.
class CScriptedTextDialog : public IVxTextDialogService {
public:
    CScriptedTextDialog() { VxSetTextDialogService(this); }
    ~CScriptedTextDialog() override { VxSetTextDialogService(nullptr); }
    BOOL RunTextDialog(CVxView* pView, VxTextDialogData& data) override
    {
        ++m_nRuns;
        // A dialog takes the focus from the view, as a real one does.
        pView->OnCancelMode();
        if (!m_answer) return FALSE;
        data.strText = *m_answer;
        return TRUE;
    }
    std::optional<std::u16string> m_answer;
    int m_nRuns = 0;
};

class CCountingPointEditing : public IVxPointEditing {
public:
    CCountingPointEditing() { VxSetPointEditing(this); }
    ~CCountingPointEditing() override { VxSetPointEditing(nullptr); }
    void TogglePointEditing(CVxView* pView) override { m_views.push_back(pView); }
    std::vector<CVxView*> m_views;
};

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
    CCountingPointEditing editing;
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
    // Only the new arc goes into point editing, on this view.
    EXPECT_EQ(editing.m_views, std::vector<CVxView*>{m_pView.get()});
}

TEST_F(VxShapeToolTest, TwoClicksAndADoubleClickMakeAThreePointPolygon)
{
    m_pView->OnCmdMsg(ID_TOOL_POLYGON, nullptr);
    for (POINT pt : {POINT{400, 300}, POINT{500, 300}}) {
        m_pView->OnMouseMove(0, pt);
        m_pView->OnLButtonDown(MK_LBUTTON, pt);
        m_pView->OnLButtonUp(0, pt);
        EXPECT_TRUE(m_pView->HasCapture()) << "kept between clicks";
    }
    m_pView->OnMouseMove(0, {450, 400});
    m_pView->OnLButtonDown(MK_LBUTTON, {450, 400});
    m_pView->OnLButtonUp(0, {450, 400});
    m_pView->OnLButtonDblClk(MK_LBUTTON, {450, 400});
    m_pView->OnLButtonUp(0, {450, 400});
    EXPECT_FALSE(m_pView->HasCapture());
    auto* pPoly = dynamic_cast<CVxPoly*>(m_doc.GetPicture().GetLastChild());
    ASSERT_NE(pPoly, nullptr);
    EXPECT_TRUE(pPoly->IsClosed());
    ASSERT_EQ(pPoly->GetPointCount(), 3);
    EXPECT_EQ(pPoly->GetPoint(2), m_pView->GetMousePoint({450, 400}));
    EXPECT_EQ(m_pView->GetSelection().GetFirstChild(), pPoly);
    m_doc.OnEditUndo();
    ExpectNoTrace();
}

TEST_F(VxShapeToolTest, EnterFinishesAPolyAtTheCursor)
{
    m_pView->OnCmdMsg(ID_TOOL_POLYLINE, nullptr);
    m_pView->OnLButtonDown(MK_LBUTTON, {400, 300});
    m_pView->OnLButtonUp(0, {400, 300});
    m_pView->SetCursorPos({480, 340});
    m_pView->OnMouseMove(0, m_pView->GetCursorPos());
    m_pView->OnKeyDown(VK_RETURN, 1, 0);
    auto* pPoly = dynamic_cast<CVxPoly*>(m_doc.GetPicture().GetLastChild());
    ASSERT_NE(pPoly, nullptr);
    ASSERT_EQ(pPoly->GetPointCount(), 2);
    EXPECT_EQ(pPoly->GetPoint(1), m_pView->GetMousePoint({480, 340}));
    EXPECT_FALSE(m_pView->HasCapture());
    EXPECT_EQ(m_pView->GetSelection().GetFirstChild(), pPoly);
}

TEST_F(VxShapeToolTest, DeleteWhileBuildingAPolyTakesBackAPointAndKeepsTheSelection)
{
    m_pView->Select(m_pBox, false);
    m_pView->OnCmdMsg(ID_TOOL_POLYLINE, nullptr);
    for (POINT pt : {POINT{400, 300}, POINT{500, 300}}) {
        m_pView->OnLButtonDown(MK_LBUTTON, pt);
        m_pView->OnLButtonUp(0, pt);
    }
    auto* pPoly = dynamic_cast<CVxPoly*>(m_doc.GetPicture().GetLastChild());
    ASSERT_NE(pPoly, nullptr);
    const int nPoints = pPoly->GetPointCount();
    m_pView->OnCmdMsg(ID_EDIT_DELETE, nullptr);  // the menu's Del shortcut
    EXPECT_EQ(pPoly->GetPointCount(), nPoints - 1);
    EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 2) << "the selected box stays";
}

TEST_F(VxShapeToolTest, ATextIsOneUndoStepAndAnEmptyOrCancelledOneLeavesNothing)
{
    CScriptedTextDialog dialog;
    m_pView->OnCmdMsg(ID_TOOL_TEXT, nullptr);
    for (const std::optional<std::u16string>& answer :
         {std::optional<std::u16string>{}, std::optional<std::u16string>{u""}}) {
        dialog.m_answer = answer;
        // A click without moving still makes a text.
        Drag({400, 350}, {400, 350});
        ExpectNoTrace();
        EXPECT_TRUE(m_pView->GetSelection().HasNoChildren());
    }
    dialog.m_answer = u"Hello";
    // With a shape selected there is no current font: the default one's size.
    m_pView->Select(m_pBox, false);
    Drag({400, 350}, {400, 350});
    EXPECT_EQ(dialog.m_nRuns, 3);
    auto* pText = dynamic_cast<CVxText*>(m_doc.GetPicture().GetLastChild());
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->GetText(), u"Hello");
    EXPECT_EQ(pText->GetRefPoint(), m_pView->GetMousePoint({400, 350}));
    const auto& font = dynamic_cast<CVxFontGraphicProperty&>(*pText->LookupProperty("Font"));
    EXPECT_EQ(font.GetLogFont().lfHeight, -m_doc.PointsToLogicalY(10));
    EXPECT_EQ(m_pView->GetSelection().GetFirstChild(), pText);
    m_doc.OnEditUndo();
    ExpectNoTrace();
}

TEST_F(VxShapeToolTest, TheViewShowsTheEditorsOwnCursorsWithTheirHotspots)
{
    m_pView->SetCursor(IDC_PENCIL);
    const QCursor cursor = m_pView->viewport()->cursor();
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 30));
    EXPECT_EQ(cursor.pixmap().toImage().pixel(1, 30), 0xFF000000);
    EXPECT_EQ(qAlpha(cursor.pixmap().toImage().pixel(31, 0)), 0);
    m_pView->SetCursor(IDC_IBEAM);
    EXPECT_EQ(m_pView->viewport()->cursor().shape(), Qt::IBeamCursor);
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

TEST_F(VxShapeToolTest, ToolsAreEnabledAndTheCurrentOneIsChosen)
{
    m_pView->OnCmdMsg(ID_TOOL_ELLIPSE, nullptr);
    struct Case {
        unsigned nID;
        bool bEnabled;
        bool bChosen;
    };
    for (const Case& c : {Case{ID_TOOL_SELECTION, true, false}, Case{ID_TOOL_ELLIPSE, true, true},
                          Case{ID_TOOL_POLYLINE, true, false}, Case{ID_TOOL_TEXT, true, false}}) {
        CTkCmdUI cmdUI(c.nID);
        ASSERT_TRUE(m_pView->OnCmdMsg(c.nID, &cmdUI));
        EXPECT_EQ(cmdUI.IsEnabled(), c.bEnabled) << c.nID;
        EXPECT_EQ(cmdUI.IsRadio(), c.bChosen) << c.nID;
    }
}

}  // namespace
