#include "TestGraphics.h"

#include "graphics/VxLine.h"
#include "graphics/VxRectangle.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<CVxGraphic*> Graphics(const CVxGraphicList& list)
{
    std::vector<CVxGraphic*> graphics;
    for (auto pos = list.GetHeadPosition(); pos;)
        graphics.push_back(list.GetNextGraphic(pos));
    return graphics;
}

}  // namespace

TEST(VxGraphicList, OnlyAnOwningListDeletesAndInListOrder)
{
    std::vector<int> destroyed;
    CTestPlain kept(RECT{0, 0, 1, 1}, &destroyed, 9);
    {
        CVxGraphicList referring;
        referring.AddTail(&kept);
        CVxGraphicList list;
        EXPECT_FALSE(list.m_bOwnsGraphics);
        list.m_bOwnsGraphics = TRUE;
        list.AddTail(new CTestPlain(RECT{0, 0, 1, 1}, &destroyed, 1));
        list.AddHead(new CTestPlain(RECT{0, 0, 1, 1}, &destroyed, 0));
        list.RemoveAllGraphics();
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_EQ(destroyed, (std::vector<int>{0, 1}));
        list.AddTail(new CTestPlain(RECT{0, 0, 1, 1}, &destroyed, 2));
    }
    EXPECT_EQ(destroyed, (std::vector<int>{0, 1, 2})) << "on destruction too, never the kept one";
}

TEST(VxGraphicList, AssigningAnOwningListCopiesDeeply)
{
    CFakeDocument doc;
    auto pSource = std::make_unique<CVxGraphicList>();
    pSource->m_bOwnsGraphics = TRUE;
    auto* pLine = new CVxLine(RECT{1, 2, 3, 4});
    pLine->SetDocument(&doc);
    pSource->AddTail(pLine);
    pSource->AddTail(new CVxRectangle(RECT{5, 6, 7, 8}));

    CVxGraphicList copy;
    copy = *pSource;
    pSource.reset();
    EXPECT_TRUE(copy.m_bOwnsGraphics);
    const std::vector<CVxGraphic*> copied = Graphics(copy);
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_EQ(copied[0]->GetRect(), (RECT{1, 2, 3, 4}));
    EXPECT_EQ(copied[0]->GetDocument(), nullptr);
    EXPECT_NE(dynamic_cast<CVxRectangle*>(copied[1]), nullptr);
    EXPECT_TRUE(doc.m_updates.empty());
}

