// The Properties sheet on the real view: mixed values, reading back only what
// the user set, bad input, one undo step per OK, the page it reopens on.

#include "VxViewFixture.h"
#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/pages/VxColorButton.h"
#include "attributes/pages/VxPropertySheet.h"
#include "editing/VxEditDialogs.h"
#include "graphics/VxRectangle.h"
#include "platform/framework/TkMessageService.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>

#include <functional>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

class VxViewPropertySheetTest : public VxViewFixture {
protected:
    // Two rectangles, lines of width 5 in red and blue, both selected; a third
    // with a bitmap pattern, the view's first bitmap fill, not selected.
    VxViewPropertySheetTest()
    {
        TkSetMessageService(&m_messages);
        for (auto [rc, color] : {std::pair{RECT{100, 100, 300, 200}, kRed}, std::pair{RECT{400, 100, 600, 200}, kBlue}}) {
            CVxGraphic& box = AddBox(rc, color);
            Pen(&box).SetColor(color);
            Pen(&box).SetWidth(5);
        }
        auto* pPatterned = new CVxRectangle(RECT{100, 3000, 3000, 4000});
        Brush(pPatterned).SetStyle(BS_PATTERN);
        Brush(pPatterned).SetHatch(std::uint32_t(m_hBitmap));
        m_doc.GetPicture().AddChildTail(pPatterned);
        m_pView->ResetForPicture();  // as after opening a file: the palettes follow the picture
        SelectBoxes();
    }
    ~VxViewPropertySheetTest() override
    {
        TkSetMessageService(nullptr);
        DeleteObject(m_hBitmap);
    }
    void SelectBoxes()
    {
        m_pView->Select(Box(0), false);
        m_pView->Select(Box(1), true);
    }

    // The i-th graphic of the picture (undo makes the graphics anew).
    CVxGraphic* Box(int i)
    {
        auto pos = m_doc.GetPicture().GetFirstChildPosition();
        while (i-- > 0) m_doc.GetPicture().GetNextChild(pos);
        return m_doc.GetPicture().GetChildAt(pos);
    }

    static CVxPenGraphicProperty& Pen(CVxGraphic* p) { return dynamic_cast<CVxPenGraphicProperty&>(*p->LookupProperty("Pen")); }
    static CVxBrushGraphicProperty& Brush(CVxGraphic* p)
    {
        return dynamic_cast<CVxBrushGraphicProperty&>(*p->LookupProperty("Brush"));
    }
    static CVxGlobalGraphicProperty& Global(CVxGraphic* p)
    {
        return dynamic_cast<CVxGlobalGraphicProperty&>(*p->LookupProperty("Global"));
    }
    template <class T>
    static T* Find(QDialog& sheet, unsigned nID)
    {
        T* pControl = sheet.findChild<T*>(QString::number(nID));
        EXPECT_NE(pControl, nullptr) << nID;
        return pControl;
    }
    // Runs command nID; user plays on the sheet it opens.
    void Run(unsigned nID, const std::function<void(CVxPropertySheet&)>& user)
    {
        const CTkScopedModalHandler handler([&](QDialog& dialog) { user(static_cast<CVxPropertySheet&>(dialog)); });
        m_pView->OnCmdMsg(nID, nullptr);
    }
    // OK as the button presses it; a page may refuse and keep the sheet open.
    static void Ok(QDialog& sheet) { sheet.accept(); }
    // Undo steps taken since the test began (the history starts empty).
    int UndoSteps()
    {
        int n = 0;
        for (; m_doc.CanUndo() && n < 5; ++n) m_doc.OnEditUndo();
        return n;
    }

    static constexpr BYTE kBits[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    const HBITMAP m_hBitmap = CreateBitmap(8, 8, 1, 1, kBits);
    CTkScriptedMessageService m_messages;
    CVxScriptedEditDialogs m_dialogs;
    CVxEditDialogsGuard m_guard{m_dialogs};
};

TEST_F(VxViewPropertySheetTest, MixedColoursShowTheWidthAloneAndOkKeepsEachColourInOneUndoStep)
{
    for (bool bOk : {true, false}) {
        Run(ID_FORMAT_LINE, [&](CVxPropertySheet& sheet) {
            EXPECT_EQ(sheet.GetActivePageId(), IDD_LINE_PAGE);
            EXPECT_EQ(Find<QLineEdit>(sheet, IDC_PEN_WIDTH)->text(), "5");
            EXPECT_EQ(Find<QComboBox>(sheet, IDC_PEN_STYLE)->currentIndex(), 0);
            EXPECT_FALSE(Find<CVxColorButton>(sheet, IDC_PEN_COLOR)->GetColor().has_value());
            bOk ? Ok(sheet) : sheet.reject();
        });
        EXPECT_EQ(Pen(Box(0)).GetColor(), kRed);
        EXPECT_EQ(Pen(Box(1)).GetColor(), kBlue);
        EXPECT_EQ(UndoSteps(), bOk ? 1 : 0) << bOk;
    }
}

TEST_F(VxViewPropertySheetTest, BadWidthsAreRefusedAndKeepTheWidths)
{
    struct Case {
        const char* pszText;
        int nWidth;  // after OK; 5 when refused
    };
    for (const Case& c : {Case{"8", 8}, Case{"abc", 5}, Case{"", 5}, Case{"40000", 5}, Case{"-1", 5}}) {
        Pen(Box(0)).SetWidth(5);
        Pen(Box(1)).SetWidth(5);
        m_messages.Reset();
        Run(ID_FORMAT_LINE, [&](CVxPropertySheet& sheet) {
            QLineEdit* pWidth = Find<QLineEdit>(sheet, IDC_PEN_WIDTH);
            pWidth->setText(c.pszText);
            emit pWidth->textEdited(c.pszText);
            Ok(sheet);
            if (sheet.isVisible()) sheet.reject();  // refused: still open
        });
        const bool bRefused = c.nWidth == 5;
        ASSERT_EQ(m_messages.GetShown().size(), bRefused ? 1u : 0u) << c.pszText;
        if (bRefused) {
            EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between 0 and 32767.");
        }
        EXPECT_EQ(Pen(Box(0)).GetWidth(), c.nWidth) << c.pszText;
        EXPECT_EQ(Pen(Box(1)).GetColor(), kBlue);
    }
}

TEST_F(VxViewPropertySheetTest, FillPatternsEnableTheColourAndSetOnlyWhatWasChosen)
{
    struct Case {
        int nPattern;
        bool bColorEnabled;
        UINT nStyle;
    };
    for (const Case& c : {Case{1, false, BS_HOLLOW}, Case{8, true, BS_PATTERN}, Case{2, true, BS_HATCHED}}) {
        Run(ID_FORMAT_FILL, [&](CVxPropertySheet& sheet) {
            QComboBox* pPattern = Find<QComboBox>(sheet, IDC_FILL_PATTERN);
            EXPECT_EQ(pPattern->currentIndex(), 0);  // both solid, in different colours
            // One bitmap pattern in the picture: the second is not offered.
            EXPECT_FALSE(qobject_cast<QStandardItemModel*>(pPattern->model())->item(9)->isEnabled());
            pPattern->setCurrentIndex(c.nPattern);
            emit pPattern->activated(c.nPattern);
            EXPECT_EQ(Find<CVxColorButton>(sheet, IDC_FILL_COLOR)->isEnabled(), c.bColorEnabled) << c.nPattern;
            Ok(sheet);
        });
        EXPECT_EQ(Brush(Box(1)).GetStyle(), c.nStyle);
        if (c.nStyle == BS_PATTERN) {
            EXPECT_EQ(Brush(Box(0)).GetHatch(), std::uint32_t(m_hBitmap));
        }
        EXPECT_EQ(Brush(Box(0)).GetColor(), kRed);
        EXPECT_EQ(Brush(Box(1)).GetColor(), kBlue);
        Brush(Box(0)).SetStyle(BS_SOLID);
        Brush(Box(1)).SetStyle(BS_SOLID);
        SelectBoxes();
    }
}

TEST_F(VxViewPropertySheetTest, ColoursAndModesSetOnAPageReachEveryGraphic)
{
    m_dialogs.QueueColor(kGreen);
    m_dialogs.QueueColor(kGreen);
    Global(Box(0)).SetBkMode(OPAQUE);
    Run(ID_FORMAT_OTHER, [&](CVxPropertySheet& sheet) {
        EXPECT_FALSE(Find<QRadioButton>(sheet, IDC_OTHER_OPAQUE)->isChecked());
        EXPECT_FALSE(Find<QRadioButton>(sheet, IDC_OTHER_TRANSPARENT)->isChecked());
        Find<QRadioButton>(sheet, IDC_OTHER_OPAQUE)->click();
        sheet.SetActivePage(IDD_LINE_PAGE);
        Find<CVxColorButton>(sheet, IDC_PEN_COLOR)->click();
        EXPECT_EQ(Find<CVxColorButton>(sheet, IDC_PEN_COLOR)->GetColor(), kGreen);
        sheet.SetActivePage(IDD_FILL_PAGE);
        Find<CVxColorButton>(sheet, IDC_FILL_COLOR)->click();
        Ok(sheet);
    });
    for (CVxGraphic* pBox : {Box(0), Box(1)}) {
        EXPECT_EQ(Pen(pBox).GetColor(), kGreen);
        EXPECT_EQ(Brush(pBox).GetColor(), kGreen);
        EXPECT_EQ(Global(pBox).GetBkMode(), OPAQUE);
        EXPECT_EQ(Global(pBox).GetArcDirection(), AD_COUNTERCLOCKWISE);
    }
    // Properties reopens the sheet on the page it was last closed on.
    Run(ID_EDIT_PROPERTIES, [&](CVxPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActivePageId(), IDD_FILL_PAGE);
        sheet.reject();
    });
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(VxViewPropertySheetTest, PositionMovesAndScalesOnceAndRefusesBadNumbers)
{
    const RECT before = Box(0)->GetNormalizedRect();
    Run(ID_FORMAT_POSITION, [&](CVxPropertySheet& sheet) {
        Find<QLineEdit>(sheet, IDC_POSITION_SCALE_Y)->setText("0");
        Ok(sheet);  // refused
        Find<QLineEdit>(sheet, IDC_POSITION_SCALE_Y)->setText("100");
        Find<QLineEdit>(sheet, IDC_POSITION_OFFSET_X)->setText("10");
        Ok(sheet);
    });
    ASSERT_EQ(m_messages.GetShown().size(), 1u);
    EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between 1 and 10000.");
    const RECT after = Box(0)->GetNormalizedRect();
    EXPECT_EQ(after.left, before.left + 10);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

TEST_F(VxViewPropertySheetTest, TheLineSampleIsUndefinedUntilTheColourIsChosen)
{
    m_dialogs.QueueColor(kGreen);
    Run(ID_FORMAT_LINE, [&](CVxPropertySheet& sheet) {
        QWidget* pSample = Find<QWidget>(sheet, IDC_PEN_SAMPLE);
        pSample->resize(200, 60);
        const auto Count = [&](QRgb rgb) { return ::Count(pSample->grab().toImage(), rgb); };
        EXPECT_EQ(Count(kWhite), 0);
        Find<CVxColorButton>(sheet, IDC_PEN_COLOR)->click();
        // A 5-unit green line across a white ground.
        EXPECT_GT(Count(kWhite), 0);
        EXPECT_GT(Count(0xFF008000), 150);
        sheet.reject();
    });
}

}  // namespace
