#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxChildIndex.h"
#include "graphics/VxPicture.h"
#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Enough lines for the picture to index them: 20 columns and 15 rows on a
// 20-unit grid, each line 10 units each way; the clip shows the first 5 x 5.
constexpr int kLines = 300;
constexpr RECT kClip{0, 0, 100, 100};

class VxChildIndexTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        static_assert(kLines >= CVxChildIndex::kMinChildren);
        m_pDC = MakeRecordingDC(&m_pLog);
        if (GetParam()) {
            // Zoomed out with a flipped axis: rounding in the mapping.
            m_pDC->SetMapMode(MM_ANISOTROPIC);
            m_pDC->SetWindowExt(1000, 1000);
            m_pDC->SetViewportExt(37, -37);
            m_pDC->SetViewportOrg(5, 20);
        }
        m_pDC->IntersectClipRect(kClip.left, kClip.top, kClip.right, kClip.bottom);
        CVxGraphicProperty::BeginDrawing(m_pDC.get());
        for (int i = 0; i < kLines; ++i) {
            const int x = i % 20 * 20, y = i / 20 * 20;
            m_lines.push_back(std::make_unique<CTestLine>(RECT{x, y, x + 10, y + 10}));
            m_picture.AddChildTail(m_lines.back().get());
        }
    }
    void TearDown() override { CVxGraphicProperty::EndDrawing(m_pDC.get()); }

    // The line ends drawn, in drawing order, by the picture or, as the
    // reference, by each child testing its own visibility.
    std::vector<std::string> Drawn(bool bByChild = false)
    {
        m_pLog->Clear();
        if (!bByChild) {
            m_picture.Draw(m_pDC.get());
        } else {
            for (auto pos = m_picture.GetFirstChildPosition(); pos;)
                m_picture.GetNextChild(pos)->Draw(m_pDC.get());
        }
        std::vector<std::string> ends;
        std::copy_if(m_pLog->Calls().begin(), m_pLog->Calls().end(), std::back_inserter(ends),
                     [](const std::string& call) { return call.starts_with("LineTo"); });
        return ends;
    }
    bool IsNear(const CVxGraphic& line)
    {
        const std::vector<CVxGraphic*> near = m_picture.GetChildrenNear(kClip);
        return std::find(near.begin(), near.end(), &line) != near.end();
    }

    std::unique_ptr<CTkDC> m_pDC;
    CTestRecordingBackend* m_pLog = nullptr;
    std::vector<std::unique_ptr<CTestLine>> m_lines;
    CVxPicture m_picture;
    CVxPicture m_other;
};

}  // namespace

TEST_P(VxChildIndexTest, DrawsAndFindsWhatEachChangeLeavesInTheClip)
{
    struct Step {
        const char* pszWhat;
        std::function<void()> change;
        int nLine;
        bool bShown;
    };
    const auto widenPen = [this](int nLine, int nWidth) {
        std::unique_ptr<CVxGraphicProperty> pPen = m_lines[nLine]->CopyProperty("Pen");
        dynamic_cast<CVxPenGraphicProperty&>(*pPen).SetWidth(nWidth);
        m_lines[nLine]->ApplyProperty(*pPen);
    };
    const Step steps[] = {
        {"moved into the clip", [&] { m_lines[299]->Offset(-295, -275); }, 299, true},
        {"moved out with the views not told",
         [&] {
             m_lines[0]->SetUpdateViews(FALSE);
             m_lines[0]->Offset(500, 500);
         },
         0, false},
        {"moved in as a member of another picture",
         [&] {
             m_other.AddChildTail(m_lines[150].get());
             m_other.Offset(-135, -137);
         },
         150, true},
        {"a wider pen reaches in", [&] { widenPen(6, 25); }, 6, true},
        {"removed from the picture", [&] { m_picture.RemoveChild(m_lines[1].get()); }, 1, false},
        {"put back in front", [&] { m_picture.AddChildTail(m_lines[1].get()); }, 1, true},
        {"children taken from another picture",
         [&] {
             CVxPicture reversed;
             for (auto it = m_lines.rbegin(); it != m_lines.rend(); ++it) reversed.AddChildTail(it->get());
             m_picture.CopyFrom(reversed);
         },
         299, true},
    };
    ASSERT_EQ(Drawn(), Drawn(true));
    ASSERT_FALSE(Drawn().empty());
    ASSERT_FALSE(IsNear(*m_lines[299]));
    for (const Step& step : steps) {
        step.change();
        const std::vector<std::string> drawn = Drawn();
        EXPECT_EQ(drawn, Drawn(true)) << step.pszWhat;
        EXPECT_EQ(IsNear(*m_lines[step.nLine]), step.bShown) << step.pszWhat;
        m_pLog->Clear();
        m_lines[step.nLine]->Draw(m_pDC.get(), TRUE);
        const std::string end = m_pLog->Calls().back();
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), end), step.bShown ? 1 : 0) << step.pszWhat;
    }
}

INSTANTIATE_TEST_SUITE_P(Mappings, VxChildIndexTest, ::testing::Bool());
