// The spacing table through font changes and copies, cloning, and Edit after
// the text dialog answers.

#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxText.h"
#include "graphics/VxTextDialogService.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::unique_ptr<CVxGraphicProperty> FontWithHeight(CVxGraphic& graphic, LONG height)
{
    std::unique_ptr<CVxGraphicProperty> pFont = graphic.CopyProperty("Font");
    dynamic_cast<CVxFontGraphicProperty&>(*pFont).SetHeight(height);
    return pFont;
}

class CUndoCountingDocument : public CFakeDocument {
public:
    void SaveUndoState() override { ++m_nUndoStates; }
    int m_nUndoStates = 0;
};

// Answers the dialog as a test tells it, and keeps what the dialog was shown.
class CAnsweringTextDialog : public IVxTextDialogService {
public:
    CAnsweringTextDialog() { VxSetTextDialogService(this); }
    ~CAnsweringTextDialog() override { VxSetTextDialogService(nullptr); }

    BOOL RunTextDialog(CVxView*, VxTextDialogData& data) override
    {
        m_shown = data;
        if (!m_answer)
            return FALSE;
        data = *m_answer;
        return TRUE;
    }

    std::optional<VxTextDialogData> m_answer;  // none: Cancel
    std::optional<VxTextDialogData> m_shown;
};

VxTextDialogData Answer(std::u16string text, BOOL bClip, BOOL bOpaque, BOOL bSizeToFit)
{
    return {std::move(text), bClip, bOpaque, bSizeToFit};
}

class VxTextEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        FontOf(m_text).SetHeight(-20);
        dynamic_cast<CVxGlobalGraphicProperty&>(*m_text.LookupProperty("Global"))
            .SetTextAlign(TA_LEFT | TA_TOP);
        m_text.SetDocument(&m_doc);
    }

    static constexpr INT kSpacing[3] = {7, 8, 9};
    CTestFontEngineScope m_engine;
    CUndoCountingDocument m_doc;
    CVxText m_text{u"abc", 100, 50, 0, kSpacing, RECT{}};
    CAnsweringTextDialog m_dialog;
};

}  // namespace

TEST_F(VxTextEdit, ChangingTheFontDropsTheSpacingTableUnlessSwitchedOff)
{
    ASSERT_EQ(m_text.GetSpacing(), (std::vector<INT>{7, 8, 9}));
    EXPECT_EQ(m_text.GetRect(), (RECT{100, 50, 124, 75})) << "the table's advances";

    EXPECT_FALSE(m_text.ApplyProperty(*FontWithHeight(m_text, -20))) << "same font";
    EXPECT_EQ(m_text.GetSpacing().size(), 3u);

    // As the converter applies the metafile's font.
    CVxText::s_bDropSpacingOnFontChange = FALSE;
    EXPECT_TRUE(m_text.ApplyProperty(*FontWithHeight(m_text, -30)));
    CVxText::s_bDropSpacingOnFontChange = TRUE;
    EXPECT_EQ(m_text.GetSpacing().size(), 3u);

    m_doc.Reset();
    EXPECT_TRUE(m_text.ApplyProperty(*FontWithHeight(m_text, -20)));
    EXPECT_TRUE(m_text.GetSpacing().empty());
    EXPECT_EQ(m_text.GetRect(), (RECT{100, 50, 130, 75})) << "the font's advances again";
    EXPECT_EQ(m_doc.m_modifiedCalls, (std::vector<bool>{true}));
}

TEST_F(VxTextEdit, ASpacingTableMustHaveOneAdvancePerCharacter)
{
    const INT two[] = {1, 2};
    EXPECT_FALSE(m_text.SetSpacing(two));
    EXPECT_TRUE(m_text.GetSpacing().empty()) << "the font's spacing is used";
    EXPECT_TRUE(m_text.SetSpacing(kSpacing));
    EXPECT_FALSE(m_text.SetSpacing({}));
    EXPECT_TRUE(m_text.GetSpacing().empty());

    CVxText mismatched(u"abcd", 0, 0, 0, kSpacing, RECT{});
    EXPECT_TRUE(mismatched.GetSpacing().empty());
}

TEST_F(VxTextEdit, CancelChangesNothingAndTakesNoUndoStep)
{
    EXPECT_TRUE(m_text.CanEdit());
    m_text.Edit(nullptr);
    ASSERT_TRUE(m_dialog.m_shown);
    EXPECT_EQ(m_dialog.m_shown->strText, u"abc");
    EXPECT_FALSE(m_dialog.m_shown->bClip || m_dialog.m_shown->bOpaque);
    EXPECT_TRUE(m_dialog.m_shown->bSizeToFit);
    EXPECT_EQ(m_doc.m_nUndoStates, 0);
    EXPECT_EQ(m_text.GetSpacing().size(), 3u);
    EXPECT_TRUE(m_doc.m_modifiedCalls.empty());
}

TEST_F(VxTextEdit, TickingClipKeepsTheSpacingAndFixesTheRectangle)
{
    const RECT measured = m_text.GetRect();
    m_dialog.m_answer = Answer(u"abc", TRUE, FALSE, FALSE);
    m_text.Edit(nullptr);
    EXPECT_EQ(m_text.GetOptions(), UINT(ETO_CLIPPED));
    EXPECT_EQ(m_text.GetSpacing().size(), 3u);
    EXPECT_EQ(m_text.GetRect(), measured);
    FontOf(m_text).SetHeight(-40);
    EXPECT_EQ(m_text.GetRect(), measured) << "a clip rectangle stays as it is";

    // Size to fit measures the kept rectangle once more.
    m_dialog.m_answer = Answer(u"abc", TRUE, TRUE, TRUE);
    m_text.Edit(nullptr);
    EXPECT_TRUE(m_dialog.m_shown->bClip);
    EXPECT_FALSE(m_dialog.m_shown->bSizeToFit);
    EXPECT_EQ(m_text.GetOptions(), UINT(ETO_CLIPPED | ETO_OPAQUE));
    EXPECT_EQ(m_text.GetRect(), (RECT{100, 50, 124, 100}));
    EXPECT_EQ(m_doc.m_nUndoStates, 2);
}

