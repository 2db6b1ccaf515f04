// The drawing tools' state rules on a view that maps one pixel to one unit.

#include "FakeToolView.h"
#include "editing/VxPolyTool.h"
#include "editing/VxShapeTool.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPoly.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "resources/VxResourceIds.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

std::unique_ptr<CVxGraphic> MakeNothing(const RECT&) { return nullptr; }
std::unique_ptr<CVxGraphic> ThrowBadAlloc(const RECT&) { throw std::bad_alloc(); }
std::unique_ptr<CVxGraphic> MakePolyline(const RECT& rect) { return std::make_unique<CVxPoly>(rect, FALSE); }
std::unique_ptr<CVxGraphic> MakePolygon(const RECT& rect) { return std::make_unique<CVxPoly>(rect, TRUE); }

class VxDrawingToolTest : public ::testing::Test {
protected:
    VxDrawingToolTest()
    {
        TkSetSettings(&m_settings);
        TkSetMessageService(&m_messages);
        VxRegisterGraphicClasses();
    }
    ~VxDrawingToolTest() override
    {
        m_view.m_selection.RemoveAllChildren();
        TkSetMessageService(nullptr);
        TkSetSettings(nullptr);
    }
    CVxPoly* Poly() { return dynamic_cast<CVxPoly*>(m_doc.GetPicture().GetLastChild()); }
    std::vector<POINT> Points()
    {
        std::vector<POINT> points;
        for (int i = 0; i < Poly()->GetPointCount(); ++i) points.push_back(Poly()->GetPoint(i));
        return points;
    }
    void Click(IVxInputHandler& tool, POINT pt)
    {
        tool.OnMouseMove(m_view, 0, pt);
        tool.OnLButtonDown(m_view, MK_LBUTTON, pt);
        tool.OnLButtonUp(m_view, 0, pt);
    }
    void ExpectNoTrace()
    {
        EXPECT_TRUE(m_doc.GetPicture().HasNoChildren());
        EXPECT_FALSE(m_doc.CanUndo());
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_FALSE(m_view.HasCapture());
    }

    CTkMemorySettings m_settings;
    CTkScriptedMessageService m_messages;
    CVxDoc m_doc;
    FakeToolView m_view{m_doc};
};

TEST_F(VxDrawingToolTest, EnterDoubleClicksSpaceClicksAndDeleteRunsTheCommandAtTheCursor)
{
    using M = IVxToolView::MouseMessage;
    CVxSelectTool tool;
    m_view.m_ptCursor = {30, 20};
    m_view.m_nModifiers = MK_SHIFT;
    struct Case {
        UINT nKey;
        std::vector<M> messages;
    };
    for (const Case& c : {Case{VK_RETURN, {M::LButtonDown, M::LButtonUp, M::LButtonDblClk, M::LButtonUp}},
                          Case{VK_SPACE, {M::LButtonDown, M::LButtonUp}}, Case{VK_DELETE, {}}}) {
        m_view.m_sent.clear();
        EXPECT_TRUE(tool.OnKeyDown(m_view, c.nKey, 1, 0));
        ASSERT_EQ(m_view.m_sent.size(), c.messages.size()) << c.nKey;
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            const auto& sent = m_view.m_sent[i];
            EXPECT_EQ(sent.message, c.messages[i]);
            const bool bDown = sent.message != M::LButtonUp;
            EXPECT_EQ(sent.nFlags, MK_SHIFT | (bDown ? MK_LBUTTON : 0u));
            EXPECT_EQ(sent.point, (POINT{30, 20}));
        }
    }
    EXPECT_EQ(m_view.m_commands, std::vector<UINT>{ID_EDIT_DELETE});
}

TEST_F(VxDrawingToolTest, AGraphicThatCannotBeMadeIsReportedAndNothingIsAdded)
{
    for (auto pfnCreate : {&MakeNothing, &ThrowBadAlloc}) {
        m_messages.Reset();
        CVxShapeTool tool(pfnCreate);
        tool.OnLButtonDown(m_view, MK_LBUTTON, {10, 10});
        tool.OnMouseMove(m_view, MK_LBUTTON, {40, 40});
        tool.OnLButtonUp(m_view, 0, {40, 40});
        ASSERT_EQ(m_messages.GetShown().size(), 1u);
        EXPECT_EQ(m_messages.GetShown()[0].nIdMessage, IDS_NO_MEMORY_OBJECT);
        ExpectNoTrace();
    }
}

TEST_F(VxDrawingToolTest, TheTimerSwitchesToFreehandUntilTheButtonGoesUp)
{
    CVxPolyTool tool(&MakePolyline);
    EXPECT_FALSE(tool.OnTimer(m_view, CVxPolyTool::kFreehandTimer));  // nothing built yet
    tool.OnLButtonDown(m_view, MK_LBUTTON, {10, 10});
    EXPECT_FALSE(tool.OnTimer(m_view, 2));
    EXPECT_FALSE(tool.IsFreehand());
    EXPECT_TRUE(tool.OnTimer(m_view, CVxPolyTool::kFreehandTimer));
    EXPECT_TRUE(tool.IsFreehand());
    EXPECT_EQ(m_view.m_nCursor, IDC_PENCIL);
    // Each move with the button held adds a point; one on the last adds none.
    for (POINT pt : {POINT{12, 11}, POINT{14, 12}, POINT{14, 12}}) tool.OnMouseMove(m_view, MK_LBUTTON, pt);
    EXPECT_EQ(Points(), (std::vector<POINT>{{10, 10}, {11, 10}, {12, 11}, {14, 12}}));
    tool.OnLButtonUp(m_view, 0, {14, 12});
    EXPECT_FALSE(tool.IsFreehand());
    EXPECT_TRUE(m_view.HasCapture());
    tool.OnSetCursor(m_view);
    EXPECT_EQ(m_view.m_nCursor, IDC_DRAW_CROSS);
    // The stroke's end, not a point inside it, follows the mouse now.
    tool.OnMouseMove(m_view, 0, {30, 20});
    EXPECT_EQ(Points().back(), (POINT{30, 20}));
    EXPECT_EQ(Points()[2], (POINT{12, 11}));
    tool.Cancel(m_view);
}

TEST_F(VxDrawingToolTest, BackspaceTakesBackTheLastPointWhileThePolyHasPointsToSpare)
{
    CVxPolyTool tool(&MakePolyline);
    Click(tool, {10, 10});
    Click(tool, {20, 10});
    Click(tool, {30, 10});
    tool.OnMouseMove(m_view, 0, {40, 15});
    ASSERT_EQ(Points().size(), 4u);
    struct Step {
        UINT nKey;
        std::vector<POINT> points;
    };
    // The point before the deleted one follows the mouse; the last two stay.
    for (const Step& s : {Step{VK_BACK, {{10, 10}, {20, 10}, {40, 15}}}, Step{VK_DELETE, {{10, 10}, {40, 15}}},
                          Step{VK_BACK, {{10, 10}, {40, 15}}}}) {
        EXPECT_TRUE(tool.OnKeyDown(m_view, s.nKey, 1, 0));
        EXPECT_EQ(Points(), s.points);
    }
    tool.OnMouseMove(m_view, 0, {50, 50});
    EXPECT_EQ(Points(), (std::vector<POINT>{{10, 10}, {50, 50}}));
    EXPECT_TRUE(m_view.m_commands.empty());
    tool.Cancel(m_view);
}

TEST_F(VxDrawingToolTest, APolyThatEndsTooSmallIsCancelledWithoutTrace)
{
    // One double-click: the polygon has two points, too few for a figure.
    CVxPolyTool tool(&MakePolygon);
    tool.OnLButtonDown(m_view, MK_LBUTTON, {10, 10});
    EXPECT_TRUE(tool.IsBuilding());
    tool.OnLButtonUp(m_view, 0, {10, 10});
    tool.OnLButtonDblClk(m_view, MK_LBUTTON, {10, 10});
    tool.OnLButtonUp(m_view, 0, {10, 10});
    EXPECT_FALSE(tool.IsBuilding());
    ExpectNoTrace();
    EXPECT_TRUE(m_view.m_selection.HasNoChildren());
}

}  // namespace
