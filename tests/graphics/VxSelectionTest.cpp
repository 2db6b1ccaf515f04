#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxSelection.h"

#include <gtest/gtest.h>

namespace {

class VxSelectionTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

}  // namespace

TEST_F(VxSelectionTest, GatheringMergesOnePropertyPerNameAndMarksDifferencesMixed)
{
    CVxSelection selection;
    CVxLine line(RECT{0, 0, 10, 10});
    CVxRectangle rect(RECT{20, 0, 30, 10});
    PenOf(line).SetColor(RGB(255, 0, 0));
    PenOf(rect).SetColor(RGB(0, 0, 255));
    PenOf(line).SetWidth(2);
    PenOf(rect).SetWidth(2);
    selection.AddChildTail(&line);
    selection.AddChildTail(&rect);

    EXPECT_EQ(PropertyNames(selection),
              (std::vector<std::string>{"Global", "Position", "Pen", "Brush"}));
    auto& pen = PenOf(selection);
    EXPECT_TRUE(pen.IsGathering());
    EXPECT_EQ(pen.GetState(CVxPenGraphicProperty::Width), VX_STATE_DEFINED);
    EXPECT_EQ(pen.GetWidth(), 2);
    EXPECT_EQ(pen.GetState(CVxPenGraphicProperty::Color), VX_STATE_MIXED);
    auto& brush = dynamic_cast<CVxBrushGraphicProperty&>(*selection.LookupProperty("Brush"));
    EXPECT_EQ(brush.GetState(CVxBrushGraphicProperty::Color), VX_STATE_DEFINED)
        << "from the rectangle alone";
    EXPECT_EQ(selection.GetTypeName(), "Selection");
}

TEST_F(VxSelectionTest, AnAppliedPropertyReachesEverySelectedGraphic)
{
    CFakeDocument doc;
    CVxSelection selection;
    selection.SetDocument(&doc);
    CVxLine line(RECT{0, 0, 10, 10});
    CVxRectangle rect(RECT{20, 0, 30, 10});
    PenOf(line).SetColor(RGB(255, 0, 0));
    selection.AddChildTail(&line);
    selection.AddChildTail(&rect);
    EXPECT_TRUE(doc.m_modifiedCalls.empty()) << "selecting changes no document";

    // As the toolbars do: a copy of the gathered pen with one value set.
    std::unique_ptr<CVxGraphicProperty> pCopy = selection.CopyProperty("Pen");
    auto& copy = dynamic_cast<CVxPenGraphicProperty&>(*pCopy);
    copy.SetGathering(FALSE);
    copy.SetWidth(7);
    copy.SetGathering(TRUE);
    EXPECT_TRUE(selection.ApplyProperty(copy));
    EXPECT_EQ(PenOf(line).GetWidth(), 7);
    EXPECT_EQ(PenOf(rect).GetWidth(), 7);
    EXPECT_EQ(PenOf(line).GetColor(), RGB(255, 0, 0)) << "a mixed value is left alone";
    EXPECT_EQ(PenOf(selection).GetWidth(), 7) << "gathered again";
    EXPECT_EQ(doc.m_modifiedCalls, (std::vector<bool>{true, true})) << "by each graphic";
}

TEST_F(VxSelectionTest, ScalingASelectionScalesPensAndFontsOfEveryMember)
{
    CVxSelection selection;
    CVxRectangle rect(RECT{0, 0, 10, 10});
    CVxPath path;
    path.AddChildTail(new CVxLine(RECT{30, 0, 40, 10}));
    PenOf(rect).SetWidth(2);
    PenOf(path).SetWidth(3);
    FontOf(path).SetHeight(-20);
    selection.AddChildTail(&rect);
    selection.AddChildTail(&path);
    ASSERT_EQ(selection.GetRect(), (RECT{0, 0, 40, 10}));

    selection.Scale(80, 20, 40, 10);
    EXPECT_EQ(selection.GetRect(), (RECT{-20, -5, 60, 15}));
    EXPECT_EQ(rect.GetRect(), (RECT{-20, -5, 0, 15}));
    EXPECT_EQ(PenOf(rect).GetWidth(), 4);
    EXPECT_EQ(PenOf(path).GetWidth(), 6) << "the path's own pen is the one drawn";
    EXPECT_EQ(FontOf(path).GetLogFont().lfHeight, -40);
    EXPECT_FALSE(CVxGraphic::s_bScaleAttributes) << "switched back";
    EXPECT_EQ(PenOf(selection).GetState(CVxPenGraphicProperty::Width), VX_STATE_MIXED)
        << "gathered again after the scaling";

    // The same graphics scaled alone keep their attributes.
    rect.Scale(40, 40, 20, 20);
    path.Scale(40, 40, 20, 20);
    EXPECT_EQ(PenOf(rect).GetWidth(), 4);
    EXPECT_EQ(PenOf(path).GetWidth(), 6);
}

TEST_F(VxSelectionTest, SerialisationStoresNoGatheredPropertiesAndKeepsTheDefaults)
{
    CVxSelection selection;
    CVxLine line(RECT{0, 0, 10, 10});
    PenOf(line).SetWidth(4);
    selection.AddChildTail(&line);
    CVxPenGraphicProperty pen;
    pen.SetWidth(11);
    selection.GetDefaultPropertyMap().Apply(pen);
    ASSERT_TRUE(selection.HasProperty("Pen"));

    const std::vector<std::uint8_t> bytes = StoreBare(selection);
    EXPECT_EQ(PenOf(selection).GetWidth(), 4) << "gathered again after storing";

    CVxSelection loaded;
    LoadBare(loaded, bytes);
    ASSERT_EQ(loaded.GetChildCount(), 1);
    EXPECT_STREQ(loaded.GetFirstChild()->GetClassName(), "CVxLine");
    EXPECT_EQ(PenOf(loaded).GetWidth(), 4) << "gathered from the loaded child";
    EXPECT_EQ(PenOf(*loaded.GetFirstChild()).GetWidth(), 4);
    auto& defaults = loaded.GetDefaultPropertyMap();
    ASSERT_EQ(defaults.GetCount(), 4);
    EXPECT_EQ(dynamic_cast<CVxPenGraphicProperty&>(*defaults.Lookup("Pen")).GetWidth(), 11);
    EXPECT_EQ(defaults.GetOwner(), static_cast<IVxPropertyOwner*>(&loaded));
    loaded.DeleteAllChildren();  // what a loaded selection refers to is the loader's
}
