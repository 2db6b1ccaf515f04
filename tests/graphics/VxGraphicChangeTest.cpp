#include "TestGraphics.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<std::string> PropertyNames(CVxGraphic& graphic)
{
    std::vector<std::string> names;
    for (auto pos = graphic.GetFirstPropertyPosition(); pos;)
        names.push_back(graphic.GetNextPropertyName(pos));
    return names;
}

CVxPenGraphicProperty& PenOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxPenGraphicProperty&>(*graphic.LookupProperty("Pen"));
}

CVxBrushGraphicProperty& BrushOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxBrushGraphicProperty&>(*graphic.LookupProperty("Brush"));
}

}  // namespace

TEST(VxGraphicNotify, InvalidateAndSetModifiedReachTheDocument)
{
    CFakeDocument doc;
    CTestLine line(RECT{0, 0, 10, 10});
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

TEST(VxGraphicNotify, ViewUpdatesOffSilenceTheViewsOfEveryDescendant)
{
    CFakeDocument doc;
    CTestGroup outer(RECT{0, 0, 1, 1});
    CTestGroup inner(RECT{0, 0, 1, 1});
    CTestLine leaf(RECT{0, 0, 1, 1});
    outer.m_children.AddTail(&inner);
    inner.m_children.AddTail(&leaf);
    leaf.SetDocument(&doc);

    outer.SetUpdateViews(FALSE);
    EXPECT_FALSE(inner.IsUpdatingViews());
    EXPECT_FALSE(leaf.IsUpdatingViews());
    leaf.Offset(1, 1);
    EXPECT_TRUE(doc.m_updates.empty());
    EXPECT_EQ(doc.m_modifiedCalls, std::vector<bool>{true}) << "the document still learns of it";
    outer.SetUpdateViews(TRUE);
    EXPECT_TRUE(leaf.IsUpdatingViews());
}

TEST(VxGraphicWalk, DepthFirstAndStopsAtTheFirstFalse)
{
    CTestGroup outer(RECT{0, 0, 1, 1});
    CTestGroup inner(RECT{0, 0, 1, 1});
    CTestLine a(RECT{0, 0, 1, 1}), b(RECT{0, 0, 1, 1}), c(RECT{0, 0, 1, 1});
    outer.m_children.AddTail(&inner);
    outer.m_children.AddTail(&c);
    inner.m_children.AddTail(&a);
    inner.m_children.AddTail(&b);

    struct Walk {
        std::vector<CVxGraphic*> seen;
        CVxGraphic* pStopAt = nullptr;
    };
    auto record = [](CVxGraphic* pGraphic, void* pContext) -> BOOL {
        auto& walk = *static_cast<Walk*>(pContext);
        walk.seen.push_back(pGraphic);
        return pGraphic != walk.pStopAt;
    };
    Walk all;
    EXPECT_TRUE(outer.ForEachGraphic(record, &all));
    EXPECT_EQ(all.seen, (std::vector<CVxGraphic*>{&inner, &a, &b, &c}));
    Walk stopped{{}, &a};
    EXPECT_FALSE(outer.ForEachGraphic(record, &stopped));
    EXPECT_EQ(stopped.seen, (std::vector<CVxGraphic*>{&inner, &a}));
    Walk leaf;
    EXPECT_TRUE(a.ForEachGraphic(record, &leaf));
    EXPECT_TRUE(leaf.seen.empty());
    EXPECT_FALSE(outer.ForEachGraphic(nullptr, nullptr));
    EXPECT_FALSE(a.ForEachGraphic(nullptr, nullptr));
}

TEST(VxGraphicProperties, CreatedInOrderAndOwnedByTheGraphic)
{
    CTestPlain plain(RECT{0, 0, 1, 1});
    CTestRectangle rect(RECT{0, 0, 1, 1});
    CTestLine forLoading;
    EXPECT_EQ(PropertyNames(plain), (std::vector<std::string>{"Global", "Position"}));
    EXPECT_EQ(PropertyNames(rect),
              (std::vector<std::string>{"Global", "Position", "Pen", "Brush"}));
    EXPECT_TRUE(PropertyNames(forLoading).empty());
    EXPECT_EQ(rect.GetPropertyMap().GetOwner(), static_cast<IVxPropertyOwner*>(&rect));
    EXPECT_NE(rect.CopyProperty("Pen").get(), rect.LookupProperty("Pen"));
    EXPECT_EQ(plain.CopyProperty("Pen"), nullptr);
}

TEST(VxGraphicProperties, ApplyReportsAndMarksOnlyRealChanges)
{
    CFakeDocument doc;
    CTestLine line(RECT{0, 0, 10, 10});
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
    CTestRectangle rect(RECT{1, 2, 3, 4});
    rect.SetDocument(&doc);
    rect.CopyFrom(rect);
    EXPECT_TRUE(doc.m_updates.empty());
    rect.SetUpdateViews(FALSE);
    PenOf(rect).SetWidth(7);
    CTestLine line(RECT{0, 0, 0, 0});
    line.CopyFrom(rect);
    EXPECT_EQ(line.GetRect(), (RECT{1, 2, 3, 4}));
    EXPECT_EQ(line.GetDocument(), &doc);
    EXPECT_TRUE(line.IsUpdatingViews()) << "not copied";
    EXPECT_EQ(PenOf(line).GetWidth(), 7);
    EXPECT_FALSE(line.HasProperty("Brush")) << "never added";

    CTestRectangle other(RECT{0, 0, 0, 0});
    BrushOf(other).SetColor(RGB(1, 2, 3));
    other.CopyFrom(line);
    EXPECT_EQ(PenOf(other).GetWidth(), 7);
    EXPECT_EQ(BrushOf(other).GetColor(), RGB(1, 2, 3)) << "the line has none to give";
}

TEST(VxGraphicCopy, CloneIsFreeStandingAndSilent)
{
    CFakeDocument doc;
    CTestRectangle rect(RECT{5, 6, 1, 2});
    rect.SetDocument(&doc);
    PenOf(rect).SetWidth(4);
    std::unique_ptr<CVxGraphic> pClone = rect.Clone();
    ASSERT_NE(dynamic_cast<CTestRectangle*>(pClone.get()), nullptr);
    EXPECT_EQ(pClone->GetRect(), (RECT{5, 6, 1, 2}));
    EXPECT_EQ(pClone->GetDocument(), nullptr);
    EXPECT_EQ(rect.GetDocument(), &doc);
    EXPECT_TRUE(doc.m_updates.empty());
    EXPECT_TRUE(doc.m_modifiedCalls.empty());
    EXPECT_NE(&PenOf(*pClone), &PenOf(rect));
    EXPECT_EQ(PenOf(*pClone).GetWidth(), 4);
}

TEST(VxGraphicOwner, PropertiesReachTheGraphicThroughTheOwnerInterface)
{
    CFakeDocument doc;
    CTestLine line(RECT{10, 4, 0, 0});
    line.SetDocument(&doc);
    IVxPropertyOwner& owner = line;
    EXPECT_EQ(owner.GetReferencePoint(), (POINT{10, 4}));
    EXPECT_EQ(owner.GetOwnerDocument(), &doc);
    owner.OwnerOffset(1, 2);
    owner.OwnerScale(-1, 1, 1, 1);
    EXPECT_EQ(line.GetRect(), (RECT{1, 6, 11, 2}));
}
