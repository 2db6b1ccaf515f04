// The manipulator on a view that maps one pixel to one picture unit.

#include "FakeToolView.h"
#include "editing/VxCreateManipulator.h"
#include "editing/VxGraphicManipulator.h"
#include "editing/VxPictureManipulator.h"
#include "editing/VxSelectTool.h"
#include "editing/VxUndoCheckpoint.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/TkDC.h"
#include "resources/VxResourceIds.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

namespace {

class VxGraphicManipulatorTest : public ::testing::Test {
protected:
    VxGraphicManipulatorTest()
    {
        TkSetSettings(&m_settings);
        VxRegisterGraphicClasses();
    }
    ~VxGraphicManipulatorTest() override
    {
        m_pManipulator.reset();
        m_view.m_selection.RemoveAllChildren();
        TkSetSettings(nullptr);
    }

    CVxGraphic& Add(const RECT& rect)
    {
        auto* pGraphic = new CVxRectangle(rect);
        m_doc.GetPicture().AddChildTail(pGraphic);
        m_doc.SetModifiedFlag(false);
        m_pManipulator = VxCreateManipulator(*pGraphic, m_view);
        return *pGraphic;
    }
    // A closed poly in point editing, current point 0.
    CVxPoly& AddPoly(std::initializer_list<POINT> points)
    {
        auto* pPoly = new CVxPoly(RECT{0, 0, 0, 0}, TRUE);
        for (const POINT p : points) pPoly->AppendPoint(p, FALSE);
        m_doc.GetPicture().AddChildTail(pPoly);
        m_doc.SetModifiedFlag(false);
        m_pManipulator = VxCreateManipulator(*pPoly, m_view);
        m_pManipulator->SetEditPoints(true);
        return *pPoly;
    }
    std::vector<POINT> Points(CVxGraphic& graphic)
    {
        std::vector<POINT> points;
        for (int i = 0; i < m_pManipulator->GetPointCount(); ++i)
            points.push_back(graphic.GetHandlePoint(VX_HANDLE_FIRST_POINT + i));
        return points;
    }
    CVxGraphic& First() { return *m_doc.GetPicture().GetFirstChild(); }
    void Drag(POINT from, POINT to)
    {
        m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, from);
        m_pManipulator->OnMouseMove(m_view, MK_LBUTTON, to);
        m_pManipulator->OnLButtonUp(m_view, 0, to);
    }

    CTkMemorySettings m_settings;
    CVxDoc m_doc;
    FakeToolView m_view{m_doc};
    std::unique_ptr<CVxGraphicManipulator> m_pManipulator;
};

TEST_F(VxGraphicManipulatorTest, HitTestTakesHandlesThenTheWidenedBody)
{
    Add(RECT{100, 100, 200, 160});
    struct Case {
        POINT point;
        int nHandle;
    };
    // Handles reach 4 units each way, end exclusive; the body widens by 4.
    for (const Case& c : {Case{{100, 100}, VX_HANDLE_TOP_LEFT}, Case{{96, 96}, VX_HANDLE_TOP_LEFT},
                          Case{{104, 104}, VX_HANDLE_BODY}, Case{{150, 100}, VX_HANDLE_TOP},
                          Case{{203, 130}, VX_HANDLE_RIGHT}, Case{{150, 163}, VX_HANDLE_BOTTOM},
                          Case{{97, 130}, VX_HANDLE_LEFT}, Case{{200, 100}, VX_HANDLE_TOP_RIGHT},
                          Case{{100, 160}, VX_HANDLE_BOTTOM_LEFT},
                          Case{{199, 159}, VX_HANDLE_BOTTOM_RIGHT}, Case{{97, 120}, VX_HANDLE_BODY},
                          Case{{203, 120}, VX_HANDLE_BODY}, Case{{95, 120}, VX_HANDLE_NONE},
                          Case{{204, 120}, VX_HANDLE_NONE}, Case{{150, 165}, VX_HANDLE_NONE}}) {
        EXPECT_EQ(m_pManipulator->HitTest(c.point), c.nHandle) << c.point.x << "," << c.point.y;
    }
}

TEST_F(VxGraphicManipulatorTest, DiagonalCursorsTurnWhenTheBoxIsFlippedOnOneAxis)
{
    struct Case {
        RECT rect;
        int nHandle;
        bool bCtrl;
        UINT nCursor;
    };
    for (const Case& c : {Case{{0, 0, 100, 100}, VX_HANDLE_TOP_LEFT, false, IDC_SIZENWSE},
                          Case{{0, 0, 100, 100}, VX_HANDLE_TOP_RIGHT, false, IDC_SIZENESW},
                          Case{{100, 0, 0, 100}, VX_HANDLE_TOP_LEFT, false, IDC_SIZENESW},
                          Case{{0, 100, 100, 0}, VX_HANDLE_BOTTOM_LEFT, false, IDC_SIZENWSE},
                          Case{{100, 100, 0, 0}, VX_HANDLE_TOP_LEFT, false, IDC_SIZENWSE},
                          Case{{100, 0, 0, 100}, VX_HANDLE_TOP, false, IDC_SIZENS},
                          Case{{0, 0, 100, 100}, VX_HANDLE_LEFT, false, IDC_SIZEWE},
                          Case{{0, 0, 100, 100}, VX_HANDLE_BODY, false, IDC_MOVE},
                          Case{{0, 0, 100, 100}, VX_HANDLE_BODY, true, IDC_MOVE_COPY}}) {
        CVxRectangle rectangle(c.rect);
        const CVxGraphicManipulator manipulator(rectangle, m_view);
        EXPECT_EQ(manipulator.GetHandleCursor(c.nHandle, c.bCtrl), c.nCursor) << c.nHandle;
    }
}

TEST_F(VxGraphicManipulatorTest, SnapPutsTheNearestCornerOnTheGrid)
{
    m_view.m_nGrid = 10;
    struct Case {
        RECT rect;
        SIZE move;
        RECT expected;
    };
    // Top right needs (+2, -1), the least; a four-way tie keeps top left.
    for (const Case& c : {Case{{103, 101, 148, 158}, {20, 20}, {125, 120, 170, 177}},
                          Case{{101, 101, 149, 149}, {10, 10}, {110, 110, 158, 158}}}) {
        CVxGraphic& graphic = Add(c.rect);
        const POINT centre = graphic.GetHandlePoint(VX_HANDLE_BODY);
        Drag(centre, {centre.x + c.move.cx, centre.y + c.move.cy});
        EXPECT_EQ(graphic.GetRect(), c.expected);
        m_doc.GetPicture().DeleteAllChildren();
    }
}

TEST_F(VxGraphicManipulatorTest, AClickWithoutMovingSelectsAndTakesNoCheckpoint)
{
    Add(RECT{100, 100, 200, 160});
    for (const UINT nFlags : {0u, UINT(MK_SHIFT)}) {
        m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON | nFlags, {150, 130});
        EXPECT_TRUE(m_view.HasCapture());
        m_pManipulator->OnMouseMove(m_view, MK_LBUTTON | nFlags, {150, 130});
        m_pManipulator->OnLButtonUp(m_view, nFlags, {150, 130});
        EXPECT_FALSE(m_view.HasCapture());
    }
    ASSERT_EQ(m_view.m_clicks.size(), 2u);
    EXPECT_FALSE(m_view.m_clicks[0].bToggle);
    EXPECT_TRUE(m_view.m_clicks[1].bToggle);
    EXPECT_EQ(m_view.m_clicks[1].point.x, 150);
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(VxGraphicManipulatorTest, ACornerDragIsOneUndoStep)
{
    Add(RECT{100, 100, 200, 160});
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {101, 102});
    for (const POINT p : {POINT{90, 95}, POINT{80, 90}, POINT{71, 82}})
        m_pManipulator->OnMouseMove(m_view, MK_LBUTTON, p);
    m_pManipulator->OnLButtonUp(m_view, 0, {71, 82});
    // The grab keeps the corner where it was under the mouse: 1, 2 off.
    EXPECT_EQ(First().GetRect(), (RECT{70, 80, 200, 160}));
    EXPECT_TRUE(m_view.m_clicks.empty());
    EXPECT_TRUE(m_doc.IsModified());
    m_pManipulator.reset();
    EXPECT_TRUE(m_doc.CanUndo());
    m_doc.OnEditUndo();
    ASSERT_EQ(m_doc.GetPicture().GetChildCount(), 1);
    EXPECT_EQ(First().GetRect(), (RECT{100, 100, 200, 160}));
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(VxGraphicManipulatorTest, CancelReleasesAndRollsBackOnlyWhatChanged)
{
    Add(RECT{100, 100, 200, 160});
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {150, 130});
    EXPECT_TRUE(m_pManipulator->Cancel(m_view));
    EXPECT_FALSE(m_view.m_rollBack.has_value());
    EXPECT_FALSE(m_pManipulator->Cancel(m_view));

    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {150, 130});
    m_pManipulator->OnMouseMove(m_view, MK_LBUTTON, {170, 150});
    EXPECT_EQ(First().GetRect(), (RECT{120, 120, 220, 180}));
    EXPECT_TRUE(m_pManipulator->Cancel(m_view));
    EXPECT_FALSE(m_view.HasCapture());
    ASSERT_TRUE(m_view.m_rollBack.has_value());
    m_pManipulator.reset();
    EXPECT_TRUE(m_view.m_rollBack->RollBack());
    EXPECT_EQ(First().GetRect(), (RECT{100, 100, 200, 160}));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.CanUndo());
}

TEST_F(VxGraphicManipulatorTest, ADragStopsAtTheCoordinateLimits)
{
    Add(RECT{100, 100, 200, 160});
    const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {100, 100});
    m_pManipulator->OnMouseMove(m_view, MK_LBUTTON, {INT_MIN + 1, INT_MIN + 1});
    m_pManipulator->OnLButtonUp(m_view, 0, {INT_MIN + 1, INT_MIN + 1});
    // The corner goes as far as a representable width and height allow.
    ASSERT_LE(limits.left, 200 - INT_MAX);
    EXPECT_EQ(First().GetRect(), (RECT{200 - INT_MAX, 160 - INT_MAX, 200, 160}));
}

TEST_F(VxGraphicManipulatorTest, ASelectionOfOneGetsItsGraphicsHandles)
{
    CVxRectangle a(RECT{0, 0, 10, 10});
    CVxRectangle b(RECT{20, 0, 30, 10});
    m_view.m_selection.AddChildTail(&a);
    auto pOne = VxCreateManipulator(m_view.m_selection, m_view);
    EXPECT_EQ(dynamic_cast<CVxPictureManipulator*>(pOne.get()), nullptr);
    EXPECT_EQ(pOne->HitTest({10, 10}), VX_HANDLE_BOTTOM_RIGHT);
    m_view.m_selection.AddChildTail(&b);
    auto pTwo = VxCreateManipulator(m_view.m_selection, m_view);
    EXPECT_NE(dynamic_cast<CVxPictureManipulator*>(pTwo.get()), nullptr);
    EXPECT_EQ(pTwo->HitTest({30, 10}), VX_HANDLE_BOTTOM_RIGHT);
    // The handles past the box are the members', not points.
    EXPECT_FALSE(pTwo->CanEditPoints());
    m_view.m_selection.RemoveAllChildren();
    auto pNone = VxCreateManipulator(m_view.m_selection, m_view);
    EXPECT_EQ(pNone->HitTest({0, 0}), VX_HANDLE_NONE);
}

TEST_F(VxGraphicManipulatorTest, ArrowKeysMoveTheCursorFasterWhileHeldAndStopAtTheEdge)
{
    CVxSelectTool tool;
    m_view.m_ptCursor = {50, 40};
    struct Step {
        UINT nKey;
        bool bDown;
        POINT expected;
    };
    // 1, 2, 3 pixels while held; a key up starts again at 1; the client area
    // (100 x 80) keeps the cursor.
    for (const Step& s : {Step{VK_RIGHT, true, {51, 40}}, Step{VK_RIGHT, true, {53, 40}},
                          Step{VK_DOWN, true, {53, 43}}, Step{VK_DOWN, false, {53, 43}},
                          Step{VK_UP, true, {53, 42}}, Step{VK_LEFT, true, {51, 42}},
                          Step{VK_LEFT, true, {48, 42}}, Step{VK_LEFT, false, {48, 42}}}) {
        if (s.bDown)
            EXPECT_TRUE(tool.OnKeyDown(m_view, s.nKey, 1, 0));
        else
            tool.OnKeyUp(m_view, s.nKey, 1, 0);
        EXPECT_EQ(m_view.m_ptCursor.x, s.expected.x);
        EXPECT_EQ(m_view.m_ptCursor.y, s.expected.y);
    }
    m_view.m_ptCursor = {98, 1};
    for (int n = 0; n < 3; ++n) tool.OnKeyDown(m_view, VK_RIGHT, 1, 0);
    tool.OnKeyDown(m_view, VK_UP, 1, 0);
    EXPECT_EQ(m_view.m_ptCursor.x, 99);
    EXPECT_EQ(m_view.m_ptCursor.y, 0);
    tool.OnKeyUp(m_view, VK_UP, 1, 0);
    EXPECT_FALSE(tool.OnKeyDown(m_view, VK_HOME, 1, 0));
}

TEST_F(VxGraphicManipulatorTest, PointKeysStepWrapInsertAndDelete)
{
    CVxPoly& poly = AddPoly({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    struct Step {
        UINT nKey;
        bool bSub;  // Ctrl+Shift held
        bool bTaken;
        int nCurrent;
        int nPoints;
        int nSubpolygons;
    };
    for (const Step& s : {
             Step{VK_LEFT, false, true, 3, 4, 1}, Step{VK_RIGHT, false, true, 0, 4, 1},
             Step{VK_DOWN, false, true, 1, 4, 1},
             // Backspace deletes point 1 and moves back; a triangle keeps its 3.
             Step{VK_BACK, false, true, 0, 3, 1}, Step{VK_BACK, false, true, 0, 3, 1},
             Step{VK_DELETE, false, true, 0, 3, 1},
             // A new sub-polygon's first point becomes current.
             Step{VK_INSERT, true, true, 3, 6, 2}, Step{VK_DOWN, true, true, 0, 6, 2},
             Step{VK_UP, true, true, 3, 6, 2}, Step{VK_UP, false, true, 2, 6, 2},
             Step{VK_DELETE, true, true, 0, 3, 1}, Step{VK_RIGHT, true, true, 0, 3, 1},
             Step{VK_INSERT, false, true, 0, 4, 1}, Step{'A', false, false, 0, 4, 1},
             Step{VK_RETURN, false, true, 0, 4, 1}, Step{VK_LEFT, false, false, 0, 4, 1}}) {
        m_view.m_nModifiers = s.bSub ? MK_CONTROL | MK_SHIFT : 0;
        EXPECT_EQ(m_pManipulator->OnKeyDown(m_view, s.nKey, 1, 0), s.bTaken) << s.nKey;
        EXPECT_EQ(m_pManipulator->GetCurrentPoint(), s.nCurrent) << s.nKey;
        EXPECT_EQ(m_pManipulator->GetPointCount(), s.nPoints) << s.nKey;
        EXPECT_EQ(poly.GetSubPolygonCount(), s.nSubpolygons) << s.nKey;
    }
    EXPECT_FALSE(m_pManipulator->IsEditingPoints());
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(VxGraphicManipulatorTest, PointEditingHandlesAreThePointsOfGraphicsThatHaveThem)
{
    Add(RECT{0, 0, 50, 50});
    m_pManipulator->SetEditPoints(true);
    EXPECT_FALSE(m_pManipulator->IsEditingPoints());
    EXPECT_FALSE(m_pManipulator->OnLButtonDblClk(m_view, MK_LBUTTON, {25, 25}));
    EXPECT_EQ(m_view.m_pEdited, nullptr);

    CVxPoly& poly = AddPoly({{100, 100}, {200, 100}, {150, 200}});
    EXPECT_EQ(m_pManipulator->GetFirstHandle(), VX_HANDLE_FIRST_POINT);
    EXPECT_EQ(m_pManipulator->GetLastHandle(), VX_HANDLE_FIRST_POINT + 2);
    // Box handles are not there to hit; the points are.
    EXPECT_EQ(m_pManipulator->HitTest({200, 100}), VX_HANDLE_FIRST_POINT + 1);
    EXPECT_EQ(m_pManipulator->HitTest({150, 100}), VX_HANDLE_BODY);
    // A click on a point makes it current and selects nothing.
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {151, 199});
    m_pManipulator->OnLButtonUp(m_view, 0, {151, 199});
    EXPECT_EQ(m_pManipulator->GetCurrentPoint(), 2);
    EXPECT_TRUE(m_view.m_clicks.empty());
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_TRUE(m_pManipulator->OnLButtonDblClk(m_view, MK_LBUTTON, {150, 150}));
    EXPECT_EQ(m_view.m_pEdited, &poly);
}

TEST_F(VxGraphicManipulatorTest, ACtrlDragOfAPointLeavesACopyBehind)
{
    CTkScriptedMessageService messages;
    TkSetMessageService(&messages);
    CVxPoly& poly = AddPoly({{100, 100}, {200, 100}, {150, 200}});
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON | MK_CONTROL, {200, 100});
    m_pManipulator->OnMouseMove(m_view, MK_LBUTTON | MK_CONTROL, {220, 130});
    m_pManipulator->OnLButtonUp(m_view, 0, {220, 130});
    EXPECT_EQ(Points(poly), (std::vector<POINT>{{100, 100}, {220, 130}, {200, 100}, {150, 200}}));
    EXPECT_TRUE(messages.GetShown().empty());
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.GetPicture().GetFirstChild()->GetHandleCount(), VX_HANDLE_FIRST_POINT + 3);

    // Released where it started: the copy lies on the point, and the user is told.
    CVxPoly& again = AddPoly({{100, 100}, {200, 100}, {150, 200}});
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON | MK_CONTROL, {100, 100});
    m_pManipulator->OnLButtonUp(m_view, 0, {100, 100});
    EXPECT_EQ(Points(again), (std::vector<POINT>{{100, 100}, {100, 100}, {200, 100}, {150, 200}}));
    ASSERT_EQ(messages.GetShown().size(), 1u);
    EXPECT_EQ(messages.GetShown()[0].nIdMessage, IDS_POINT_COPIED);
    TkSetMessageService(nullptr);
}

TEST_F(VxGraphicManipulatorTest, EscapeInPointEditingPutsTheGraphicBackWithoutATrace)
{
    CVxPoly& poly = AddPoly({{100, 100}, {200, 100}, {150, 200}});
    const std::vector<POINT> before = Points(poly);
    Drag({200, 100}, {240, 120});
    Drag({150, 200}, {150, 260});
    m_pManipulator->OnKeyDown(m_view, VK_DELETE, 1, 0);
    // Two drags in, then cancelled in the middle of a third.
    m_pManipulator->OnLButtonDown(m_view, MK_LBUTTON, {100, 100});
    m_pManipulator->OnMouseMove(m_view, MK_LBUTTON, {90, 90});
    ASSERT_NE(Points(poly), before);
    EXPECT_TRUE(m_pManipulator->OnKeyDown(m_view, VK_ESCAPE, 1, 0));
    EXPECT_FALSE(m_view.HasCapture());
    EXPECT_FALSE(m_pManipulator->IsEditingPoints());
    EXPECT_EQ(Points(poly), before);
    EXPECT_EQ(poly.GetDocument(), m_doc.GetPicture().GetDocument());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_FALSE(m_view.m_rollBack.has_value());
    EXPECT_FALSE(m_pManipulator->OnKeyDown(m_view, VK_ESCAPE, 1, 0));
}

}  // namespace
