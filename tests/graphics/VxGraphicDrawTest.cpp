#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxLine.h"
#include "graphics/VxRectangle.h"
#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class VxGraphicDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pDC = MakeRecordingDC(&m_pLog);
        CVxGraphicProperty::BeginDrawing(m_pDC.get());
    }
    void TearDown() override { CVxGraphicProperty::EndDrawing(m_pDC.get()); }

    const std::vector<std::string>& Calls() const { return m_pLog->Calls(); }
    // Leaves only the calls made from now on.
    void ClipAndClear(int right, int bottom)
    {
        m_pDC->IntersectClipRect(0, 0, right, bottom);
        m_pLog->Clear();
    }

    std::unique_ptr<CTkDC> m_pDC;
    CTestRecordingBackend* m_pLog = nullptr;
};

}  // namespace

TEST_F(VxGraphicDraw, SelectsThePropertiesThenIssuesTheShape)
{
    CVxLine line(RECT{0, 0, 10, 4});
    dynamic_cast<CVxPenGraphicProperty&>(*line.LookupProperty("Pen")).SetWidth(3);
    line.Draw(m_pDC.get());
    ASSERT_GE(Calls().size(), 3u) << m_pLog->Text();
    const std::vector<std::string> tail(Calls().end() - 3, Calls().end());
    EXPECT_TRUE(tail[0].starts_with("SelectObject pen style=0 width=3")) << m_pLog->Text();
    EXPECT_EQ(tail[1], "MoveTo 0 0");
    EXPECT_EQ(tail[2], "LineTo 10 4");
}

TEST_F(VxGraphicDraw, OutsideTheClipBoxDrawsNothingUnlessPrintingOrContinuing)
{
    ClipAndClear(100, 100);
    CVxLine far(RECT{200, 200, 300, 300});
    far.Draw(m_pDC.get());
    far.DrawOutline(m_pDC.get());
    EXPECT_TRUE(Calls().empty()) << m_pLog->Text();

    far.Draw(m_pDC.get(), TRUE);
    EXPECT_EQ(Calls().back(), "LineTo 300 300");
    EXPECT_EQ(m_pLog->Count("MoveTo"), 0) << "the position stands at the start already";

    m_pLog->Clear();
    m_pDC->SetPrinting(TRUE);
    far.Draw(m_pDC.get());
    EXPECT_EQ(Calls().back(), "LineTo 300 300");
}

TEST_F(VxGraphicDraw, VisibilityCountsTouchingAndThePenReach)
{
    ClipAndClear(100, 100);
    // The pen of width 0 still reaches one unit out, to x = 100: touching counts.
    EXPECT_TRUE(CVxLine(RECT{101, 10, 120, 20}).IsVisibleIn(m_pDC.get()));
    EXPECT_FALSE(CVxLine(RECT{102, 10, 120, 20}).IsVisibleIn(m_pDC.get()));
    EXPECT_FALSE(CTestPlain(RECT{101, 10, 120, 20}).IsVisibleIn(m_pDC.get())) << "no pen";
}

