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

