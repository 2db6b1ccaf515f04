#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "graphics/VxArc.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class VxPathTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

}  // namespace

TEST_F(VxPathTest, ALineACloseFigureAndALineAreOneBracketStrokedAndFilled)
{
    CVxPath path;
    path.AddChildTail(new CVxLine(RECT{0, 0, 10, 0}));
    path.AddChildTail(new CVxCloseFigure(RECT{10, 0, 0, 0}));
    path.AddChildTail(new CVxLine(RECT{20, 20, 30, 30}));
    PenOf(path).SetWidth(3);
    CRecordingPass pass;
    path.Draw(pass.DC());
    EXPECT_EQ(pass.Shapes(),
              (std::vector<std::string>{"BeginPath", "MoveTo 0 0", "MoveTo 0 0", "LineTo 10 0",
                                        "CloseFigure", "MoveTo 20 20", "MoveTo 20 20",
                                        "LineTo 30 30", "EndPath", "StrokeAndFillPath"}));
    // The path's own pen, selected before the bracket and nowhere inside it.
    const auto& calls = pass.Log().Calls();
    const auto begin = std::find(calls.begin(), calls.end(), "BeginPath");
    EXPECT_TRUE(std::any_of(calls.begin(), begin, [](const std::string& call) {
        return call.starts_with("SelectObject pen style=0 width=3");
    })) << pass.Log().Text();
    EXPECT_EQ(std::count_if(begin, calls.end(),
                            [](const std::string& call) { return call.starts_with("Select"); }),
              0);
}

TEST_F(VxPathTest, TheModeChoosesHowThePathIsFinished)
{
    CVxPath path;
    path.AddChildTail(new CVxLine(RECT{0, 0, 10, 10}));
    for (auto [mode, last] : {std::pair{0, "StrokePath"}, std::pair{1, "FillPath"},
                              std::pair{2, "StrokeAndFillPath"}, std::pair{7, "EndPath"}}) {
        path.SetPathMode(mode);
        CRecordingPass pass;
        path.Draw(pass.DC());
        EXPECT_EQ(pass.Last(), last) << "mode " << mode;
    }

    CFakeDocument doc;
    path.SetDocument(&doc);
    path.SetPathMode(7);
    EXPECT_TRUE(doc.m_modifiedCalls.empty()) << "unchanged";
    path.SetPathMode(0);
    EXPECT_EQ(doc.m_modifiedCalls, (std::vector<bool>{true}));
}

TEST_F(VxPathTest, AConnectedArcStartsItsFigureAtItsCurrentPosition)
{
    CVxPath path;
    path.AddChildTail(new CVxArc(RECT{0, 0, 20, 20}, POINT{20, 10}, POINT{0, 10}, TRUE,
                                 POINT{40, 10}));
    path.AddChildTail(new CVxLine(RECT{0, 10, 0, 40}));
    CRecordingPass pass;
    path.DrawShape(pass.DC(), FALSE);
    EXPECT_EQ(pass.Shapes(),
              (std::vector<std::string>{"BeginPath", "MoveTo 40 10", "MoveTo 40 10",
                                        "ArcTo 0 0 20 20 20 10 0 10", "LineTo 0 40", "EndPath",
                                        "StrokeAndFillPath"}));
}

