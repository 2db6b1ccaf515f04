// Measuring, draw bounds, drawing and the geometry of text graphics. The test
// font engine makes a height of -20 measure 10 units per character, 25 high
// with an ascent of 20, and gives italics an overhang of 1 on either side.

#include "GraphicTestSupport.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxText.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>


namespace {

CVxGlobalGraphicProperty& GlobalOf(CVxGraphic& graphic)
{
    return dynamic_cast<CVxGlobalGraphicProperty&>(*graphic.LookupProperty("Global"));
}

class VxTextGeometry : public ::testing::Test {
protected:
    // A text at (100, 50) that measures itself, in a font of height -20.
    CVxText& Make(const std::u16string& text, UINT align = TA_LEFT | TA_TOP,
                  std::span<const INT> spacing = {})
    {
        m_pText = std::make_unique<CVxText>(text, 100, 50, 0, spacing, RECT{});
        FontOf(*m_pText).SetHeight(-20);
        GlobalOf(*m_pText).SetTextAlign(align);
        return *m_pText;
    }

    CTestFontEngineScope m_engine;
    std::unique_ptr<CVxText> m_pText;
};

}  // namespace

TEST_F(VxTextGeometry, BoxFollowsTheHorizontalAndVerticalAlignment)
{
    EXPECT_EQ(Make(u"Hello").GetRect(), (RECT{100, 50, 150, 75}));
    EXPECT_EQ(Make(u"Hell", TA_RIGHT | TA_TOP).GetRect(), (RECT{60, 50, 100, 75}));
    EXPECT_EQ(Make(u"Hello", TA_CENTER | TA_BOTTOM).GetRect(), (RECT{75, 25, 125, 50}));
    EXPECT_EQ(Make(u"Hello", TA_LEFT | TA_BASELINE).GetRect(), (RECT{100, 30, 150, 55}));
    // Half of an odd width is truncated: the extra unit goes to the right.
    const INT spacing[] = {5, 5, 5};
    EXPECT_EQ(Make(u"abc", TA_CENTER | TA_TOP, spacing).GetRect(), (RECT{93, 50, 108, 75}));

    // The default alignment of "Global" is baseline and centre.
    CVxText plain(u"Hello", 100, 50, 0, {}, RECT{});
    FontOf(plain).SetHeight(-20);
    EXPECT_EQ(plain.GetRect(), (RECT{75, 30, 125, 55}));
    EXPECT_EQ(plain.GetCenter(), (POINT{100, 50})) << "placed by its reference point";
}

TEST_F(VxTextGeometry, MeasuresAgainWhenFontAlignmentOrTextChange)
{
    CVxText& text = Make(u"Hello");
    ASSERT_EQ(text.GetRect(), (RECT{100, 50, 150, 75}));
    EXPECT_FALSE(text.NeedsMeasure());

    std::unique_ptr<CVxGraphicProperty> pFont = text.CopyProperty("Font");
    dynamic_cast<CVxFontGraphicProperty&>(*pFont).SetHeight(-40);
    EXPECT_TRUE(text.ApplyProperty(*pFont));
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 200, 100}));

    GlobalOf(text).SetTextAlign(TA_RIGHT | TA_TOP);
    EXPECT_EQ(text.GetRect(), (RECT{0, 50, 100, 100}));

    EXPECT_TRUE(text.SetText(u"Hi"));
    EXPECT_EQ(text.GetRect(), (RECT{60, 50, 100, 100}));
    EXPECT_FALSE(text.SetText(u"Hi"));

    const INT spacing[] = {3, 4};
    EXPECT_TRUE(text.SetSpacing(spacing));
    EXPECT_EQ(text.GetRect(), (RECT{93, 50, 100, 100}));
}

TEST_F(VxTextGeometry, DrawBoundsAddTheRotatedBoxWhenAContextIsAvailable)
{
    CVxText& text = Make(u"Hello");
    FontOf(text).SetEscapement(900);
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 150, 75})) << "measured upright";
    EXPECT_EQ(text.GetDrawBounds(), (RECT{100, 50, 150, 75})) << "no context";

    CTkDC dc;
    CVxGraphicProperty::BeginDrawing(&dc);
    text.SelectAttributes(&dc);
    // Turned up about (100, 50): the box becomes (100, 0, 125, 50).
    EXPECT_EQ(text.ComputeTextRect(&dc, TRUE), (RECT{100, 0, 125, 50}));
    EXPECT_EQ(text.ComputeTextRect(&dc, FALSE), (RECT{100, 50, 150, 75}));
    EXPECT_EQ(text.GetDrawBounds(&dc), (RECT{100, 0, 150, 75}));
    CVxGraphicProperty::EndDrawing(&dc);
    EXPECT_EQ(text.GetDrawBounds(&dc), (RECT{100, 0, 150, 75})) << "outside a pass too";
}

TEST_F(VxTextGeometry, DrawsOneExtTextOutWithOptionsRectangleAndSpacing)
{
    const INT spacing[] = {7, 8, 9};
    CVxText text(u"a\"b", 100, 50, ETO_CLIPPED | ETO_OPAQUE, spacing, RECT{120, 60, 10, 5});
    FontOf(text).SetHeight(-20);
    GlobalOf(text).SetTextColor(RGB(255, 0, 0));
    GlobalOf(text).SetTextAlign(TA_LEFT | TA_BOTTOM);

    const CRecordingPass pass;
    text.Draw(pass.DC());
    const CTestRecordingBackend& log = pass.Log();
    EXPECT_EQ(pass.Shapes(),
              (std::vector<std::string>{"ExtTextOutW 100 50 opts=6 \"a\\\"b\" rect=10 5 120 60 "
                                        "dx=7,8,9"}))
        << log.Text();
    EXPECT_EQ(log.Count("SelectObject font height=-20 face=Arial"), 1) << log.Text();
    EXPECT_EQ(log.Count("SetTextAlign 8"), 1) << log.Text();
    EXPECT_EQ(log.Count("SetTextColor 0000ff"), 1) << log.Text();
}

TEST_F(VxTextGeometry, SavedAsOneTextRecordWithTheFontsOwnAdvancesWhenItHasNoTable)
{
    CVxText& text = Make(u"Hey");
    const EmfFile emf = RecordEmf([&](CTkDC& dc) { text.Draw(&dc); });
    const std::vector<const EmfRecord*> records = emf.Find(EMR_EXTTEXTOUTW);
    ASSERT_EQ(records.size(), 1u) << ::testing::PrintToString(emf.Names());
    const EmfText record = records[0]->Text();
    EXPECT_EQ(record.reference, (POINT{100, 50}));
    EXPECT_EQ(record.options, 0u);
    EXPECT_EQ(record.text, u"Hey");
    EXPECT_EQ(record.dx, (std::vector<std::int32_t>{10, 10, 10}));
    EXPECT_EQ(emf.Find(EMR_EXTCREATEFONTINDIRECTW).size(), 1u);
}

TEST_F(VxTextGeometry, AMeasuredTextIsNotResizedButScalesItsFontInAGroup)
{
    CVxText& text = Make(u"Hello");
    for (int h = VX_HANDLE_BODY; h <= VX_HANDLE_BOTTOM_RIGHT; ++h)
        EXPECT_FALSE(text.IsValidHandle(h)) << h;
    text.Scale(200, 200, 100, 100);
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 150, 75}));
    EXPECT_EQ(FontOf(text).GetLogFont().lfHeight, -20);

    CVxGraphic::s_bScaleAttributes = TRUE;
    EXPECT_TRUE(text.IsValidHandle(VX_HANDLE_TOP));
    text.Scale(200, 200, 100, 100);
    CVxGraphic::s_bScaleAttributes = FALSE;
    EXPECT_EQ(FontOf(text).GetLogFont().lfHeight, -40);
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 200, 100})) << "measured with the new font";
}

TEST_F(VxTextGeometry, AKeptRectangleIsResizedWhileTheTextStaysPut)
{
    CVxText text(u"Hello", 10, 15, ETO_CLIPPED, {}, RECT{0, 0, 100, 20});
    EXPECT_TRUE(text.IsValidHandle(VX_HANDLE_BOTTOM_RIGHT));
    text.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, POINT{150, 40});
    EXPECT_EQ(text.GetRect(), (RECT{0, 0, 150, 40}));
    EXPECT_EQ(text.GetRefPoint(), (POINT{10, 15}));

    text.MoveHandle(VX_HANDLE_BODY, POINT{85, 25});  // the body's point is (75, 20)
    EXPECT_EQ(text.GetRect(), (RECT{10, 5, 160, 45}));
    EXPECT_EQ(text.GetRefPoint(), (POINT{20, 20}));

    text.Scale(300, 80, 150, 40);
    EXPECT_EQ(text.GetRect(), (RECT{-65, -15, 235, 65}));
    EXPECT_EQ(text.GetRefPoint(), (POINT{20, 20}));

    text.Offset(1, 1);
    EXPECT_EQ(text.GetRefPoint(), (POINT{21, 21})) << "handle state was restored";
}


// The box is measured on the reference device, not on the context that happens
// to draw the text first: a view's zoom must not reach the saved box.
TEST_F(VxTextGeometry, DrawingOnAZoomedPassKeepsTheReferenceBox)
{
    const std::size_t objects = TkGdiObjectCount();
    CVxText& text = Make(u"Hi");
    {
        const CRecordingPass pass;
        pass.DC()->SetMapMode(MM_ANISOTROPIC);
        pass.DC()->SetWindowExt(1000, 1000);
        pass.DC()->SetViewportExt(37, 37);
        text.Draw(pass.DC());
    }
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 120, 75}));
    EXPECT_EQ(TkGdiObjectCount(), objects) << "the measuring font is deleted";
}
