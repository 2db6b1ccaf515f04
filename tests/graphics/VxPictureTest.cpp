#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "graphics/VxArc.h"
#include "graphics/VxComment.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPicture.h"
#include "graphics/VxRectangle.h"

#include <gtest/gtest.h>

namespace {

class VxPictureTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

}  // namespace

TEST_F(VxPictureTest, BoundsFollowTheChildrenWithExtent)
{
    CVxPicture picture;
    EXPECT_EQ(picture.GetRect(), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(picture.GetDrawBounds(), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(picture.GetTypeName(), "Picture");

    CVxLine line(RECT{10, 10, 0, 0});
    CVxRectangle rect(RECT{30, 5, 20, -5});
    const BYTE bytes[] = {1, 2, 3, 4};
    CVxComment comment(bytes, 4);
    picture.AddChildTail(&comment);
    EXPECT_EQ(picture.GetRect(), (RECT{0, 0, 0, 0})) << "a comment has no extent";
    picture.AddChildTail(&line);
    picture.AddChildHead(&rect);
    EXPECT_EQ(picture.GetRect(), (RECT{0, -5, 30, 10}));
    EXPECT_EQ(picture.GetDrawBounds(), (RECT{-1, -6, 31, 11}));
    EXPECT_EQ(picture.GetCenter(), (POINT{15, 2}));

    picture.Offset(5, 5);
    EXPECT_EQ(line.GetRect(), (RECT{15, 15, 5, 5}));
    EXPECT_EQ(picture.GetRect(), (RECT{5, 0, 35, 15}));

    picture.RemoveChild(&rect);
    EXPECT_EQ(picture.GetRect(), (RECT{5, 5, 15, 15}));
    EXPECT_EQ(picture.GetDrawBounds(), (RECT{4, 4, 16, 16}));
    EXPECT_EQ(picture.GetChildCount(), 2);
    EXPECT_EQ(rect.GetRect(), (RECT{35, 10, 25, 0})) << "removed, not deleted";
}

TEST_F(VxPictureTest, APenAppliedToThePictureWidensItsDrawBounds)
{
    CVxPicture picture;
    CVxLine line(RECT{0, 0, 10, 10});
    CVxRectangle rect(RECT{20, 0, 30, 10});
    picture.AddChildTail(&line);
    picture.AddChildTail(&rect);
    ASSERT_EQ(picture.GetDrawBounds(), (RECT{-1, -1, 31, 11}));

    CVxPenGraphicProperty pen;
    pen.SetWidth(4);
    EXPECT_TRUE(picture.ApplyProperty(pen));
    EXPECT_EQ(PenOf(line).GetWidth(), 4);
    EXPECT_EQ(PenOf(rect).GetWidth(), 4);
    EXPECT_EQ(picture.GetDrawBounds(), (RECT{-4, -4, 34, 14}));
    EXPECT_FALSE(picture.ApplyProperty(pen)) << "nothing changed the second time";
}

TEST_F(VxPictureTest, ChildrenJoinThePicturesDocumentAndMovesRepaintOnlyThePicture)
{
    CFakeDocument doc;
    CVxPicture picture;
    picture.SetDocument(&doc);
    CVxLine a(RECT{0, 0, 10, 10}), b(RECT{20, 0, 30, 10}), c(RECT{40, 0, 50, 10});
    for (CVxGraphic* pChild : {&a, &b, &c})
        picture.AddChildTail(pChild);
    EXPECT_EQ(b.GetDocument(), &doc);
    EXPECT_FALSE(doc.m_modifiedCalls.empty());

    doc.Reset();
    picture.Offset(3, -2);
    for (CVxLine* pChild : {&a, &b, &c}) {
        EXPECT_EQ(pChild->GetRect().left % 20, 3);
        EXPECT_EQ(pChild->GetRect().top, -2);
        EXPECT_TRUE(pChild->IsUpdatingViews());
    }
    ASSERT_FALSE(doc.m_updates.empty());
    for (const auto& update : doc.m_updates)
        EXPECT_EQ(update.pHint, &picture) << "no child repaints on its own";
}

TEST_F(VxPictureTest, HandlesAreThePicturesThenEachChilds)
{
    CVxPicture picture;
    CVxRectangle first(RECT{0, 0, 10, 20});
    CVxRectangle second(RECT{100, 100, 140, 120});
    picture.AddChildTail(&first);
    picture.AddChildTail(&second);
    EXPECT_EQ(picture.GetHandleCount(), 24);
    EXPECT_EQ(picture.GetHandlePoint(VX_HANDLE_BOTTOM_RIGHT), (POINT{140, 120}));
    EXPECT_EQ(picture.GetHandlePoint(8 + VX_HANDLE_RIGHT), (POINT{10, 10}));
    EXPECT_EQ(picture.GetHandlePoint(16 + VX_HANDLE_TOP_LEFT), (POINT{100, 100}));
    EXPECT_EQ(picture.GetHandlePoint(24), (POINT{0, 0})) << "no third child";

    POINT p{-50, 60};
    EXPECT_TRUE(picture.ConstrainHandlePoint(VX_HANDLE_RIGHT, p));
    EXPECT_EQ(p, (POINT{1, 60})) << "the right side stops short of the left";
    p = {200, 60};
    EXPECT_FALSE(picture.ConstrainHandlePoint(VX_HANDLE_RIGHT, p));
}

TEST_F(VxPictureTest, ScalingMovesTheChildrensCentresAndScalesTheirPens)
{
    CVxPicture picture;
    CVxRectangle left(RECT{0, 0, 10, 10});
    CVxRectangle right(RECT{30, 0, 40, 10});
    PenOf(left).SetWidth(2);
    PenOf(right).SetWidth(3);
    picture.AddChildTail(&left);
    picture.AddChildTail(&right);
    picture.Scale(80, 20, 40, 10);
    EXPECT_EQ(left.GetRect(), (RECT{-20, -5, 0, 15}));
    EXPECT_EQ(right.GetRect(), (RECT{40, -5, 60, 15}));
    EXPECT_EQ(picture.GetRect(), (RECT{-20, -5, 60, 15}));
    EXPECT_EQ(PenOf(left).GetWidth(), 4);
    EXPECT_EQ(PenOf(right).GetWidth(), 6);
    EXPECT_FALSE(CVxGraphic::s_bScaleAttributes) << "switched back";
    EXPECT_EQ(picture.LookupProperty("Pen")->IsGathering(), TRUE);
    EXPECT_EQ(dynamic_cast<CVxPenGraphicProperty&>(*picture.LookupProperty("Pen"))
                  .GetState(CVxPenGraphicProperty::Width),
              VX_STATE_MIXED)
        << "gathered again after the scaling";

    // Alone, a graphic keeps its pen.
    left.Scale(40, 40, 20, 20);
    EXPECT_EQ(PenOf(left).GetWidth(), 4);
}

TEST_F(VxPictureTest, FlippingMirrorsEachChildAboutThePicturesCentre)
{
    CVxPicture picture;
    CVxLine line(RECT{0, 0, 10, 4});
    CVxArc arc(RECT{30, 0, 50, 20});
    picture.AddChildTail(&line);
    picture.AddChildTail(&arc);
    ASSERT_EQ(picture.GetCenter(), (POINT{25, 10}));
    picture.Scale(-1, 1, 1, 1);
    EXPECT_EQ(line.GetRect(), (RECT{50, 0, 40, 4})) << "mirrored in place and moved across";
    EXPECT_EQ(arc.GetCenter(), (POINT{10, 10}));
    EXPECT_EQ(arc.GetArcStart(), (POINT{20, 10})) << "was the left middle, now the right";
    EXPECT_EQ(picture.GetRect(), (RECT{0, 0, 50, 20}));
}

TEST_F(VxPictureTest, DrawUsesTheChildrensAttributesAndDrawShapeOnlyTheirShapes)
{
    CVxPicture picture;
    CVxLine line(RECT{0, 0, 10, 10});
    CVxRectangle rect(RECT{20, 0, 30, 10});
    PenOf(line).SetWidth(3);
    picture.AddChildTail(&line);
    picture.AddChildTail(&rect);
    {
        CRecordingPass pass;
        picture.Draw(pass.DC());
        EXPECT_EQ(pass.Shapes(), (std::vector<std::string>{"MoveTo 0 0", "LineTo 10 10",
                                                            "Rectangle 20 0 30 10"}));
        EXPECT_GE(pass.Log().SelectCount("pen"), 2) << pass.Log().Text();
    }
    CRecordingPass pass;
    picture.DrawShape(pass.DC(), FALSE);
    EXPECT_EQ(pass.Log().SelectCount(), 0) << pass.Log().Text();
    EXPECT_EQ(pass.Shapes().size(), 3u);
}

TEST_F(VxPictureTest, TheOutlineIsOneDottedRectangleAndPutsTheContextBack)
{
    CVxPicture picture;
    CVxLine line(RECT{10, 10, 0, 0});
    CVxLine other(RECT{20, 30, 25, 35});
    picture.AddChildTail(&line);
    picture.AddChildTail(&other);
    CRecordingPass pass;
    const HGDIOBJ hPen = pass.DC()->GetCurrentObject(OBJ_PEN);
    picture.DrawOutline(pass.DC());
    EXPECT_EQ(pass.Shapes(), (std::vector<std::string>{"Rectangle 0 0 25 35"}));
    EXPECT_EQ(pass.Log().Count("SetROP2 7"), 1);
    EXPECT_EQ(pass.Log().Count("SetBkMode 1"), 1);
    EXPECT_EQ(pass.Log().SelectCount("pen style=2 width=0 color=ffffff"), 1) << pass.Log().Text();
    EXPECT_EQ(pass.Log().SelectCount("stock 5"), 1);
    EXPECT_EQ(pass.DC()->GetROP2(), R2_COPYPEN);
    EXPECT_EQ(pass.DC()->GetBkMode(), OPAQUE);
    EXPECT_EQ(pass.DC()->GetCurrentObject(OBJ_PEN), hPen);
}

TEST_F(VxPictureTest, ACloneSharesTheChildrenAndGathersTheirProperties)
{
    CFakeDocument doc;
    CVxPicture picture;
    picture.SetDocument(&doc);
    CVxLine line(RECT{0, 0, 10, 10});
    PenOf(line).SetWidth(6);
    picture.AddChildTail(&line);
    ASSERT_NE(picture.LookupProperty("Pen"), nullptr);

    std::unique_ptr<CVxGraphic> pClone = picture.Clone();
    EXPECT_EQ(pClone->GetDocument(), nullptr);
    EXPECT_EQ(pClone->GetFirstChild(), &line);
    EXPECT_EQ(pClone->GetRect(), (RECT{0, 0, 10, 10}));
    ASSERT_NE(pClone->LookupProperty("Pen"), nullptr) << "gathered from the children";
    EXPECT_EQ(PenOf(*pClone).GetWidth(), 6);
}

TEST_F(VxPictureTest, AssignmentLeavesTheReplacedChildrenAlone)
{
    CVxPicture target;
    CVxLine old(RECT{0, 0, 1, 1});
    PenOf(old).SetWidth(1);
    target.AddChildTail(&old);

    CVxPicture source;
    CVxLine incoming(RECT{5, 5, 9, 9});
    PenOf(incoming).SetWidth(5);
    source.AddChildTail(&incoming);

    target.CopyFrom(source);
    EXPECT_EQ(PenOf(old).GetWidth(), 1) << "the source's attributes are not pressed on it";
    EXPECT_EQ(target.GetFirstChild(), &incoming);
    EXPECT_EQ(target.GetChildCount(), 1);
    EXPECT_EQ(target.GetRect(), (RECT{5, 5, 9, 9}));
}

TEST_F(VxPictureTest, DeletingAllChildrenDeletesThemOnceWhetherOwnedOrNot)
{
    std::vector<int> destroyed;
    CVxPicture picture;
    picture.AddChildTail(new CTestPlain(RECT{0, 0, 1, 1}, &destroyed, 1));
    auto pSecond = std::make_unique<CTestPlain>(RECT{0, 0, 2, 2}, &destroyed, 2);
    picture.AddChildTail(pSecond.get());
    picture.RemoveChild(pSecond.get());
    EXPECT_TRUE(destroyed.empty()) << "removing deletes nothing";
    pSecond.reset();
    picture.DeleteAllChildren();
    EXPECT_EQ(destroyed, (std::vector<int>{2, 1}));
    EXPECT_TRUE(picture.HasNoChildren());

    destroyed.clear();
    CVxPath path;
    path.AddChildTail(new CTestPlain(RECT{0, 0, 1, 1}, &destroyed, 4));
    path.DeleteAllChildren();
    EXPECT_EQ(destroyed, (std::vector<int>{4}));
}
