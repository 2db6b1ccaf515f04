#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxLine.h"
#include "graphics/VxPicture.h"
#include "graphics/VxRectangle.h"
#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

// 300 lines (enough to be indexed) on a 20-unit grid; the clip shows 5 x 5 of
// them. After each change the picture must draw exactly what every child
// testing its own visibility draws, the changed line included or not.
class VxChildIndexTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        m_pDC = MakeRecordingDC(&m_pLog);
        if (GetParam()) {  // zoomed out, y flipped: rounding in the mapping
            m_pDC->SetMapMode(MM_ANISOTROPIC);
            m_pDC->SetWindowExt(1000, 1000);
            m_pDC->SetViewportExt(37, -37);
            m_pDC->SetViewportOrg(5, 20);
        }
        m_pDC->IntersectClipRect(0, 0, 100, 100);
        CVxGraphicProperty::BeginDrawing(m_pDC.get());
        for (int i = 0; i < 300; ++i) {
            const int x = i % 20 * 20, y = i / 20 * 20;
            m_lines.push_back(std::make_unique<CVxLine>(RECT{x, y, x + 10, y + 10}));
            m_picture.AddChildTail(m_lines.back().get());
        }
    }
    void TearDown() override { CVxGraphicProperty::EndDrawing(m_pDC.get()); }

    std::vector<std::string> Drawn(const std::function<void()>& draw)
    {
        m_pLog->Clear();
        draw();
        std::vector<std::string> ends;
        std::ranges::copy_if(m_pLog->Calls(), std::back_inserter(ends),
                             [](auto& s) { return s.starts_with("LineTo"); });
        return ends;
    }

    std::unique_ptr<CTkDC> m_pDC;
    CTestRecordingBackend* m_pLog = nullptr;
    std::vector<std::unique_ptr<CVxLine>> m_lines;
    CVxPicture m_picture, m_other;
};

TEST_P(VxChildIndexTest, DrawsAndFindsWhatEachChangeLeavesInTheClip)
{
    const auto pen = [this](int n, int width) {
        auto pPen = m_lines[n]->CopyProperty("Pen");
        dynamic_cast<CVxPenGraphicProperty&>(*pPen).SetWidth(width);
        m_lines[n]->ApplyProperty(*pPen);
    };
    CVxPicture reversed;
    for (auto it = m_lines.rbegin(); it != m_lines.rend(); ++it) reversed.AddChildTail(it->get());
    const struct {
        const char* pszWhat;
        std::function<void()> change;
        int nLine;
        bool bShown;
    } steps[] = {
        {"nothing yet", [] {}, 299, false},
        {"moved in", [&] { m_lines[299]->Offset(-295, -275); }, 299, true},
        {"moved out, views not told",
         [&] { m_lines[0]->SetUpdateViews(FALSE), m_lines[0]->Offset(500, 500); }, 0, false},
        {"moved in with another picture",
         [&] { m_other.AddChildTail(m_lines[150].get()), m_other.Offset(-135, -137); }, 150, true},
        {"a wider pen reaches in", [&] { pen(6, 25); }, 6, true},
        {"removed", [&] { m_picture.RemoveChild(m_lines[1].get()); }, 1, false},
        {"put back in front", [&] { m_picture.AddChildTail(m_lines[1].get()); }, 1, true},
        {"children copied from another picture", [&] { m_picture.CopyFrom(reversed); }, 299, true},
    };
    for (const auto& step : steps) {
        step.change();
        const auto drawn = Drawn([&] { m_picture.Draw(m_pDC.get()); });
        const auto byChild = Drawn([&] {
            for (auto pos = m_picture.GetFirstChildPosition(); pos;)
                m_picture.GetNextChild(pos)->Draw(m_pDC.get());
        });
        EXPECT_EQ(drawn, byChild) << step.pszWhat;
        const auto near = m_picture.GetChildrenNear({0, 0, 100, 100});
        EXPECT_EQ(std::ranges::count(near, m_lines[step.nLine].get()), step.bShown) << step.pszWhat;
        const auto own = Drawn([&] { m_lines[step.nLine]->Draw(m_pDC.get(), TRUE); });
        EXPECT_EQ(std::ranges::count(drawn, own.back()), step.bShown) << step.pszWhat;
    }
}

INSTANTIATE_TEST_SUITE_P(Mappings, VxChildIndexTest, ::testing::Bool());
