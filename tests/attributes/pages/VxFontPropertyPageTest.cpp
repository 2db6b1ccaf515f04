// The Text page and its font dialog on texts that agree or differ: the
// rotation field, the empty face of mixed faces, three-state effects.

#include "DocTestSupport.h"

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxFontDialog.h"
#include "attributes/pages/VxFontPropertyPage.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "graphics/VxSelection.h"
#include "graphics/VxText.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <functional>
#include <memory>

namespace {

using Font = CVxFontGraphicProperty;

Font& FontOf(CVxGraphic& graphic) { return static_cast<Font&>(*graphic.LookupProperty("Font")); }

class VxFontPropertyPageTest : public DocTest {
protected:
    // Two 10-point texts in the document, selected; the second one's face,
    // underline and escapement as given. The sheet shows their pages.
    void MakeTexts(const char16_t* pszFace2, BYTE nUnderline2, LONG nEscapement2 = 0)
    {
        m_selection.SetDocument(&m_doc);
        for (int i = 0; i < 2; ++i) {
            auto pText = std::make_unique<CVxText>(u"Text", 100, 100 + 500 * i, 0,
                                                   std::span<const INT>{}, RECT{});
            m_doc.GetPicture().AddChildTail(pText.get());
            m_pTexts[i] = pText.release();
            m_selection.AddChildTail(m_pTexts[i]);
            FontOf(*m_pTexts[i]).SetHeight(-m_doc.PointsToLogicalY(10));
        }
        FontOf(*m_pTexts[1]).SetFaceName(pszFace2);
        FontOf(*m_pTexts[1]).SetUnderline(nUnderline2);
        FontOf(*m_pTexts[1]).SetEscapement(nEscapement2);
        m_selection.AddPropertyPages(&m_sheet);
        m_pPage = m_sheet.FindPage(IDD_TEXT_PAGE);
        ASSERT_NE(m_pPage, nullptr);
    }
    const Font& Touched() const { return static_cast<const Font&>(*m_pPage->GetUserValues()); }
    // Clicks "&Font..." and plays the user's part on the dialog; OK after.
    void RunFontDialog(const std::function<void(QDialog&)>& user)
    {
        const CTkScopedModalHandler handler([&](QDialog& dialog) {
            user(dialog);
            auto* pButtons = dialog.findChild<QDialogButtonBox*>();
            pButtons->button(QDialogButtonBox::Ok)->click();
        });
        m_pPage->findChild<QPushButton*>(QString::number(IDC_TEXT_FONT))->click();
    }
    // OK on the sheet; the selection takes what was set.
    void Apply()
    {
        static_cast<QDialog&>(m_sheet).accept();
        ASSERT_EQ(m_sheet.result(), QDialog::Accepted);
        m_selection.ApplyPropertyPages(&m_sheet);
    }

    CVxDoc m_doc;
    CVxSelection m_selection;
    CVxGraphic* m_pTexts[2] = {};
    CVxPropertySheet m_sheet{[this] { m_doc.SaveUndoState(); }, "Properties"};
    CVxPropertyPage* m_pPage = nullptr;
};

TEST_F(VxFontPropertyPageTest, RotationIsReducedToATurnAsItIsTyped)
{
    MakeTexts(u"Arial", 0);
    auto* pField = m_pPage->findChild<QLineEdit*>(QString::number(IDC_TEXT_ROTATION));
    EXPECT_EQ(pField->text(), "0");
    struct Case {
        const char* pszTyped;
        const char* pszShown;
        LONG nEscapement;  // 1: not applied
        bool bAccepted;
    };
    for (const Case& c : {Case{"725", "5", 50, true}, Case{"-725", "-5", -50, true},
                          Case{"359", "359", 3590, true}, Case{"360", "0", 0, true},
                          Case{"4x", "4x", 1, false}, Case{"", "", 1, false}}) {
        m_messages.Reset();
        pField->selectAll();
        QTest::keyClick(pField, Qt::Key_Delete);
        QTest::keyClicks(pField, c.pszTyped);
        EXPECT_EQ(pField->text(), c.pszShown) << c.pszTyped;
        const Font& touched = Touched();
        if (c.nEscapement == 1) {
            EXPECT_NE(touched.GetState(Font::Escapement), VX_STATE_DEFINED) << c.pszTyped;
        } else {
            EXPECT_EQ(touched.GetState(Font::Escapement), VX_STATE_DEFINED);
            EXPECT_EQ(touched.GetLogFont().lfEscapement, c.nEscapement) << c.pszTyped;
        }
        EXPECT_EQ(m_pPage->OnKillActive(), c.bAccepted) << c.pszTyped;
        EXPECT_EQ(m_messages.GetShown().size(), c.bAccepted ? 0u : 1u);
    }
    EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between -359 and 359.");
}

TEST_F(VxFontPropertyPageTest, MixedRotationsLeftEmptyKeepEachRotation)
{
    MakeTexts(u"Arial", 0, 900);
    auto* pField = m_pPage->findChild<QLineEdit*>(QString::number(IDC_TEXT_ROTATION));
    EXPECT_EQ(pField->text(), "");
    QTest::keyClicks(pField, "a");
    pField->clear();
    EXPECT_TRUE(m_pPage->OnKillActive());
    Apply();
    EXPECT_EQ(FontOf(*m_pTexts[0]).GetLogFont().lfEscapement, 0);
    EXPECT_EQ(FontOf(*m_pTexts[1]).GetLogFont().lfEscapement, 900);
}

TEST_F(VxFontPropertyPageTest, DifferentFacesOpenWithAnEmptyFaceAndASizeChangeKeepsEachFace)
{
    MakeTexts(u"No Such Face", 0);
    QString shownFace = "unset";
    RunFontDialog([&](QDialog& dialog) {
        auto boxes = dialog.findChildren<QComboBox*>();
        shownFace = boxes[0]->currentText();
        EXPECT_EQ(boxes[2]->currentText(), "10");
        boxes[2]->setEditText("20");
    });
    EXPECT_EQ(shownFace, "");
    Apply();
    EXPECT_EQ(FontOf(*m_pTexts[0]).GetFaceName(), u"Arial");
    EXPECT_EQ(FontOf(*m_pTexts[1]).GetFaceName(), u"No Such Face");
    for (CVxGraphic* pText : m_pTexts)
        EXPECT_EQ(FontOf(*pText).GetLogFont().lfHeight, -m_doc.PointsToLogicalY(20));
}

TEST_F(VxFontPropertyPageTest, MixedUnderlineStaysMixedAndAFaceNotInstalledIsKeptByName)
{
    MakeTexts(u"Arial", 1);
    const LONG nHeight = FontOf(*m_pTexts[0]).GetLogFont().lfHeight;
    Qt::CheckState underline = Qt::Unchecked;
    RunFontDialog([&](QDialog& dialog) {
        underline = dialog.findChildren<QCheckBox*>()[1]->checkState();
        dialog.findChildren<QComboBox*>()[0]->setEditText("No Such Face");
    });
    EXPECT_EQ(underline, Qt::PartiallyChecked);
    Apply();
    EXPECT_EQ(FontOf(*m_pTexts[0]).GetLogFont().lfUnderline, 0);
    EXPECT_EQ(FontOf(*m_pTexts[1]).GetLogFont().lfUnderline, 1);
    for (CVxGraphic* pText : m_pTexts) {
        EXPECT_EQ(FontOf(*pText).GetFaceName(), u"No Such Face");
        // The size shown rounded to whole points is not set back.
        EXPECT_EQ(FontOf(*pText).GetLogFont().lfHeight, nHeight);
    }
}

TEST_F(VxFontPropertyPageTest, ABadSizeKeepsTheDialogOpen)
{
    MakeTexts(u"Arial", 0);
    for (const char* pszSize : {"big", "0", "10000", ""}) {
        m_messages.Reset();
        bool bStillOpen = false;
        RunFontDialog([&](QDialog& dialog) {
            dialog.findChildren<QComboBox*>()[2]->setEditText(pszSize);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            bStillOpen = dialog.isVisible();
        });
        EXPECT_TRUE(bStillOpen) << pszSize;
        ASSERT_FALSE(m_messages.GetShown().empty());
        EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between 1 and 9999.");
    }
    Apply();
    EXPECT_EQ(Touched().GetState(Font::Height), VX_STATE_NONE);
}

}  // namespace
