// The edit commands on the real view: selecting next, previous and similar,
// stacking order, flips, trimming, the palettes and the quick attribute commands.

#include "VxViewFixture.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "editing/VxEditDialogs.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxText.h"
#include "platform/framework/TkMessageService.h"
#include "resources/VxResourceIds.h"

namespace {

class VxViewEditCommandsTest : public VxViewFixture {
protected:
    VxViewEditCommandsTest() { VxRegisterGraphicClasses(); }

    CVxGraphic& Line(COLORREF color, RECT rect = {100, 100, 2000, 900})
    {
        auto* pLine = new CVxLine(rect);
        Pen(*pLine).SetColor(color);
        m_doc.GetPicture().AddChildTail(pLine);
        return *pLine;
    }
    CVxText& Text(const char16_t* pszFace, LONG nWeight, UINT nOptions)
    {
        auto* pText = new CVxText(u"Ab", 500, 500, nOptions, {}, RECT{500, 500, 1500, 900});
        Font(*pText).SetFaceName(pszFace);
        Font(*pText).SetWeight(nWeight);
        m_doc.GetPicture().AddChildTail(pText);
        return *pText;
    }
    static CVxPenGraphicProperty& Pen(CVxGraphic& g)
    {
        return dynamic_cast<CVxPenGraphicProperty&>(*g.LookupProperty("Pen"));
    }
    static CVxFontGraphicProperty& Font(CVxGraphic& g)
    {
        return dynamic_cast<CVxFontGraphicProperty&>(*g.LookupProperty("Font"));
    }
    CVxGraphic* Child(int i)
    {
        auto pos = m_doc.GetPicture().GetFirstChildPosition();
        while (i-- > 0) m_doc.GetPicture().GetNextChild(pos);
        return m_doc.GetPicture().GetChildAt(pos);
    }
    void Run(unsigned nID) { m_pView->OnCmdMsg(nID, nullptr); }
    CTkCmdUI Update(unsigned nID)
    {
        CTkCmdUI ui(nID);
        m_pView->OnCmdMsg(nID, &ui);
        return ui;
    }
    CVxSelection& Selection() { return m_pView->GetSelection(); }
    void SelectAll()
    {
        for (auto pos = m_doc.GetPicture().GetFirstChildPosition(); pos;)
            m_pView->Select(m_doc.GetPicture().GetNextChild(pos), true);
    }

    CVxScriptedEditDialogs m_dialogs;
    CVxEditDialogsGuard m_guard{m_dialogs};
};

TEST_F(VxViewEditCommandsTest, SelectNextAndPreviousWrap)
{
    for (COLORREF c : {0x1u, 0x2u, 0x3u}) Line(c);
    struct Case {
        int nSelected;  // -1: nothing
        unsigned nID;
        int nExpected;
    };
    for (const Case& c : {Case{-1, ID_EDIT_SELECT_NEXT, 0}, Case{0, ID_EDIT_SELECT_NEXT, 1},
                          Case{2, ID_EDIT_SELECT_NEXT, 0}, Case{-1, ID_EDIT_SELECT_PREVIOUS, 2},
                          Case{0, ID_EDIT_SELECT_PREVIOUS, 2}, Case{2, ID_EDIT_SELECT_PREVIOUS, 1}}) {
        m_pView->Select(c.nSelected < 0 ? nullptr : Child(c.nSelected), false);
        Run(c.nID);
        ASSERT_EQ(Selection().GetChildCount(), 1);
        EXPECT_EQ(Selection().GetFirstChild(), Child(c.nExpected)) << c.nSelected << " " << c.nID;
    }
}

TEST_F(VxViewEditCommandsTest, EnablingFollowsTheSelectionAndTheX1Switch)
{
    const unsigned ids[] = {ID_EDIT_SELECT_NEXT, ID_EDIT_TRIM_PICTURE, ID_EDIT_SELECT_SIMILAR,
                            ID_ARRANGE_FLIP_BOTH, ID_ARRANGE_BRING_TO_FRONT};
    for (unsigned nID : ids) EXPECT_FALSE(Update(nID).IsEnabled()) << nID;
    CTkCmdTarget::SetCommandLineFlags(1);
    for (unsigned nID : ids) EXPECT_TRUE(Update(nID).IsEnabled()) << nID;
    CTkCmdTarget::SetCommandLineFlags(0);
    Line(0);
    EXPECT_TRUE(Update(ID_EDIT_SELECT_NEXT).IsEnabled());
    EXPECT_FALSE(Update(ID_EDIT_SELECT_SIMILAR).IsEnabled());
    // An empty selection changes the attributes of new graphics.
    EXPECT_TRUE(Update(ID_TEXT_BOLD).IsEnabled());
}

TEST_F(VxViewEditCommandsTest, SelectSimilarOffersOnlySharedValuesAndFoldsFaceNames)
{
    CVxGraphic& red = Line(RGB(255, 0, 0));
    CVxGraphic& blue = Line(RGB(0, 0, 255));
    CVxText& arial = Text(u"Arial", FW_NORMAL, 0);
    CVxText& upper = Text(u"ARIAL", FW_BOLD, 0);
    CVxText& times = Text(u"Times", FW_NORMAL, 0);
    VxSelectSimilarData offered;
    m_pView->Select(&red, false);
    m_pView->Select(&blue, true);
    m_dialogs.QueueSelectSimilar([&](VxSelectSimilarData& data) { offered = data; });
    Run(ID_EDIT_SELECT_SIMILAR);
    EXPECT_FALSE(offered.offered[size_t(VxSimilarFilter::LineColor)]);
    EXPECT_TRUE(offered.offered[size_t(VxSimilarFilter::LineStyle)]);
    EXPECT_FALSE(offered.offered[size_t(VxSimilarFilter::FontName)]);

    m_pView->Select(&arial, false);
    m_dialogs.QueueSelectSimilar([](VxSelectSimilarData& data) {
        data.checked = {};
        data.checked[size_t(VxSimilarFilter::FontName)] = true;
    });
    Run(ID_EDIT_SELECT_SIMILAR);
    EXPECT_TRUE(Selection().FindChild(&arial));
    EXPECT_TRUE(Selection().FindChild(&upper));
    EXPECT_FALSE(Selection().FindChild(&times));
    EXPECT_FALSE(Selection().FindChild(&red));  // no font: no match
}

TEST_F(VxViewEditCommandsTest, OrderAndFlipsTakeOneUndoStepEach)
{
    CVxGraphic& a = Line(1, {0, 0, 1000, 500});
    CVxGraphic& b = Line(2);
    CVxGraphic& c = Line(3);
    m_pView->Select(&c, false);
    Run(ID_ARRANGE_SEND_TO_BACK);
    EXPECT_EQ(Child(0), &c);
    m_pView->Select(&c, false);
    m_pView->Select(&a, true);
    Run(ID_ARRANGE_BRING_TO_FRONT);
    EXPECT_EQ(Child(0), &b);
    EXPECT_EQ(Child(1), &c);  // document order kept among the moved
    EXPECT_EQ(Child(2), &a);

    m_pView->Select(&a, false);
    Run(ID_ARRANGE_FLIP_HORIZONTAL);
    const RECT r = a.GetRect();
    EXPECT_EQ(r.left, 1000);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.top, 0);
    m_doc.OnEditUndo();
    EXPECT_EQ(Child(2)->GetRect().left, 0);
}

TEST_F(VxViewEditCommandsTest, TrimPicture)
{
    CTkScriptedMessageService messages;
    TkSetMessageService(&messages);
    // A tiny graphic needs a page below the smallest size.
    Line(0, {10, 10, 12, 12});
    m_doc.SetModifiedFlag(false);
    Run(ID_EDIT_TRIM_PICTURE);
    ASSERT_EQ(messages.GetShown().size(), 1u);
    EXPECT_EQ(messages.GetShown()[0].nIdMessage, IDS_CANNOT_RESIZE);
    EXPECT_FALSE(m_doc.CanUndo());

    // Off centre: the page becomes the bounds and 1 % each side, centred on them.
    Line(0, {3000, 2000, 5010, 3010});
    const RECT b = VxNormalizeRect(m_doc.GetPicture().GetBounds());
    const LONG w = b.right - b.left, h = b.bottom - b.top;
    Run(ID_EDIT_TRIM_PICTURE);
    EXPECT_EQ(m_doc.GetPictureSize().cx, w + 2 * (w / 100));
    EXPECT_EQ(m_doc.GetPictureSize().cy, h + 2 * (h / 100));
    const RECT after = VxNormalizeRect(m_doc.GetPicture().GetBounds());
    EXPECT_EQ((after.left + after.right) / 2, m_doc.GetPictureSize().cx / 2);
    EXPECT_TRUE(m_doc.CanUndo());

    // Trimmed already: nothing to do, no undo step.
    m_doc.DiscardLastUndoState();
    Run(ID_EDIT_TRIM_PICTURE);
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_EQ(messages.GetShown().size(), 1u);
    TkSetMessageService(nullptr);
}

TEST_F(VxViewEditCommandsTest, BoldOnMixedTextMakesAllBoldThenAllNormal)
{
    CVxText& plain = Text(u"Arial", FW_NORMAL, 0);
    CVxText& bold = Text(u"Arial", FW_BOLD, 0);
    SelectAll();
    EXPECT_EQ(Update(ID_TEXT_BOLD).GetCheck(), 2);
    for (LONG nExpected : {FW_BOLD, FW_NORMAL}) {
        Run(ID_TEXT_BOLD);
        EXPECT_EQ(Font(plain).GetLogFont().lfWeight, nExpected);
        EXPECT_EQ(Font(bold).GetLogFont().lfWeight, nExpected);
        EXPECT_EQ(Update(ID_TEXT_BOLD).GetCheck(), nExpected == FW_BOLD ? 1 : 0);
    }
    EXPECT_TRUE(m_doc.CanUndo());
}

TEST_F(VxViewEditCommandsTest, LineStyleAndFillReachEverySelectedGraphic)
{
    CVxGraphic& a = Line(1);
    CVxGraphic& b = Line(2);
    Pen(b).SetStyle(PS_DOT);
    SelectAll();
    Run(ID_LINE_STYLE_FIRST + PS_DASH);
    EXPECT_EQ(Pen(a).GetStyle(), UINT(PS_DASH));
    EXPECT_EQ(Pen(b).GetStyle(), UINT(PS_DASH));
    EXPECT_TRUE(Update(ID_LINE_STYLE_FIRST + PS_DASH).IsRadio());
    EXPECT_FALSE(Update(ID_FILL_FIRST + 8).IsEnabled());  // no picture brush in that slot
}

TEST_F(VxViewEditCommandsTest, TransparentClearsOpaqueTextBoxes)
{
    CVxText& boxed = Text(u"Arial", FW_NORMAL, ETO_OPAQUE | ETO_CLIPPED);
    CVxText& plain = Text(u"Arial", FW_NORMAL, 0);
    SelectAll();
    const auto& global = [](CVxGraphic& g) -> CVxGlobalGraphicProperty& {
        return dynamic_cast<CVxGlobalGraphicProperty&>(*g.LookupProperty("Global"));
    };
    global(boxed).SetBkMode(TRANSPARENT);
    global(plain).SetBkMode(TRANSPARENT);
    Run(ID_FORMAT_TRANSPARENT);  // the mode is already transparent; the box is not
    EXPECT_EQ(boxed.GetOptions(), UINT(ETO_CLIPPED));
    EXPECT_TRUE(m_doc.CanUndo());
    m_doc.DiscardLastUndoState();
    Run(ID_FORMAT_TRANSPARENT);
    EXPECT_FALSE(m_doc.CanUndo());  // nothing left to change
    Run(ID_FORMAT_OPAQUE);
    EXPECT_EQ(global(plain).GetBkMode(), OPAQUE);
    EXPECT_TRUE(Update(ID_FORMAT_OPAQUE).IsRadio());
}

TEST_F(VxViewEditCommandsTest, PalettesKeepBlackWhiteGreyAndTakeThePictureColours)
{
    CVxGraphic& line = Line(RGB(1, 2, 3));
    Text(u"Arial", FW_NORMAL, 0);
    m_pView->ResetForPicture();  // as after opening a file
    std::vector<std::pair<unsigned, COLORREF>> changed;
    m_pView->SetPaletteSignals({[&](unsigned nID, COLORREF c) { changed.emplace_back(nID, c); }, {}, {}, {}});
    const CTkPalette<COLORREF>& palette = m_pView->GetColorPalette();
    EXPECT_EQ(changed.size(), 9u);
    // The line's pen colour, then the new ones of the text (default brush
    // white and text black are there already).
    const COLORREF expected[] = {0x000000, 0xFFFFFF, 0x808080, RGB(1, 2, 3)};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(palette.GetAt(i), expected[i]) << i;
    EXPECT_EQ(m_pView->GetFillPalette().GetAt(7).lbHatch, 5u);

    // A custom colour goes on the line and into the palette, never over the first three.
    m_pView->Select(&line, false);
    Run(ID_COLOR_TARGET_LINE);
    for (COLORREF c = 0x10; c < 0x1A; ++c) {
        m_dialogs.QueueColor(c);
        Run(ID_COLOR_CUSTOM);
        EXPECT_EQ(Pen(line).GetColor(), c);
        EXPECT_GE(palette.IndexOf(c), 3);
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(palette.GetAt(i), expected[i]) << i;
    EXPECT_GE(changed.back().first, ID_COLOR_FIRST + 3);
    const int nSlot = palette.IndexOf(0x17);
    Run(ID_COLOR_FIRST + unsigned(nSlot));
    EXPECT_EQ(Pen(line).GetColor(), 0x17u);
    EXPECT_TRUE(Update(ID_COLOR_FIRST + unsigned(nSlot)).IsRadio());
}

}  // namespace
