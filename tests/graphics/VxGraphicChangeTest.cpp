#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxLine.h"
#include "graphics/VxRectangle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CVxBrushGraphicProperty& BrushOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxBrushGraphicProperty&>(*graphic.LookupProperty("Brush"));
}

}  // namespace

TEST(VxGraphicNotify, InvalidateAndSetModifiedReachTheDocument)
{
    CFakeDocument doc;
    CVxLine line(RECT{0, 0, 10, 10});
    line.SetModified(TRUE);  // no document: nothing to tell
    line.SetDocument(&doc);
    line.Invalidate();
    ASSERT_EQ(doc.m_updates.size(), 1u);
    EXPECT_EQ(doc.m_updates[0].pSender, nullptr);
    EXPECT_EQ(doc.m_updates[0].lHint, 1);
    EXPECT_EQ(doc.m_updates[0].pHint, &line);

    doc.Reset();
    line.SetModified(FALSE);
    EXPECT_EQ(doc.m_modifiedCalls, std::vector<bool>{false});
    EXPECT_TRUE(doc.m_updates.empty()) << "only a change repaints";
    line.Offset(1, 1);
    EXPECT_EQ(doc.m_updates.size(), 2u) << "before and after";
    EXPECT_EQ(doc.m_modifiedCalls, (std::vector<bool>{false, true}));
}

TEST(VxGraphicProperties, ApplyReportsAndMarksOnlyRealChanges)
{
    CFakeDocument doc;
    CVxLine line(RECT{0, 0, 10, 10});
    line.SetDocument(&doc);
    CVxPenGraphicProperty wider;
    wider.SetWidth(PenOf(line).GetWidth() + 3);
    EXPECT_TRUE(line.ApplyProperty(wider));
    EXPECT_EQ(PenOf(line).GetWidth(), wider.GetWidth());
    EXPECT_EQ(doc.m_modifiedCalls, std::vector<bool>{true});

    doc.Reset();
    EXPECT_FALSE(line.ApplyProperty(wider)) << "the same value again";
    EXPECT_FALSE(line.ApplyProperty(CVxBrushGraphicProperty())) << "a line has no brush";
    EXPECT_TRUE(doc.m_modifiedCalls.empty());
    EXPECT_FALSE(line.HasProperty("Brush"));
}

TEST(VxGraphicCopy, CopiesOnlyTheCommonPropertiesAndNothingFromItself)
{
    CFakeDocument doc;
    CVxRectangle rect(RECT{1, 2, 3, 4});
    rect.SetDocument(&doc);
    rect.CopyFrom(rect);
    EXPECT_TRUE(doc.m_updates.empty());
    rect.SetUpdateViews(FALSE);
    PenOf(rect).SetWidth(7);
    CVxLine line(RECT{0, 0, 0, 0});
    line.CopyFrom(rect);
    EXPECT_EQ(line.GetRect(), (RECT{1, 2, 3, 4}));
    EXPECT_EQ(line.GetDocument(), &doc);
    EXPECT_TRUE(line.IsUpdatingViews()) << "not copied";
    EXPECT_EQ(PenOf(line).GetWidth(), 7);
    EXPECT_FALSE(line.HasProperty("Brush")) << "never added";

    CVxRectangle other(RECT{0, 0, 0, 0});
    BrushOf(other).SetColor(RGB(1, 2, 3));
    other.CopyFrom(line);
    EXPECT_EQ(PenOf(other).GetWidth(), 7);
    EXPECT_EQ(BrushOf(other).GetColor(), RGB(1, 2, 3)) << "the line has none to give";
}

