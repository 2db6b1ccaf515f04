// The Text page and its font dialog on two selected texts that agree or
// differ: the rotation field, the empty face, three-state effects, bad input.

#include "DocTestSupport.h"

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxPropertyPage.h"
#include "attributes/pages/VxPropertySheet.h"
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

Font& FontOf(CVxGraphic* pGraphic) { return static_cast<Font&>(*pGraphic->LookupProperty("Font")); }

class VxFontPropertyPageTest : public DocTest {
protected:
    // Two selected 10-point texts in the sheet; the second one's face,
    // underline and rotation as given.
    void MakeTexts(const char16_t* pszFace2, BYTE nUnderline2 = 0, LONG nEscapement2 = 0)
    {
        m_selection.RemovePropertyPages(&m_sheet);
        m_selection.RemoveAllChildren();
        m_doc.DeleteContents();
        m_selection.SetDocument(&m_doc);
        for (CVxGraphic*& pText : m_pTexts) {
            pText = new CVxText(u"Text", 100, 100, 0, {}, RECT{});
            m_doc.GetPicture().AddChildTail(pText);
            m_selection.AddChildTail(pText);
            FontOf(pText).SetHeight(-m_doc.PointsToLogicalY(10));
        }
        FontOf(m_pTexts[1]).SetFaceName(pszFace2);
        FontOf(m_pTexts[1]).SetUnderline(nUnderline2);
        FontOf(m_pTexts[1]).SetEscapement(nEscapement2);
        m_selection.AddPropertyPages(&m_sheet);
        m_pPage = m_sheet.FindPage(IDD_TEXT_PAGE);
    }
    // Clicks "&Font..." and plays the user's part on the dialog, then OK.
    void RunFontDialog(const std::function<void(QDialog&, QList<QComboBox*>)>& user)
    {
        const CTkScopedModalHandler handler([&](QDialog& dialog) {
            user(dialog, dialog.findChildren<QComboBox*>());  // face, style, size
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        m_pPage->findChild<QPushButton*>(QString::number(IDC_TEXT_FONT))->click();
    }
    // OK on the sheet; true when it closed and the selection took the values.
    bool PressOk()
    {
        m_sheet.setResult(QDialog::Rejected);
        static_cast<QDialog&>(m_sheet).accept();
        if (m_sheet.result() != QDialog::Accepted) return false;
        m_selection.ApplyPropertyPages(&m_sheet);
        return true;
    }

    CVxDoc m_doc;
    CVxSelection m_selection;
    CVxGraphic* m_pTexts[2] = {};
    CVxPropertySheet m_sheet{[this] { m_doc.SaveUndoState(); }, "Properties"};
    CVxPropertyPage* m_pPage = nullptr;
};

TEST_F(VxFontPropertyPageTest, RotationIsReducedToATurnAsItIsTypedAndBadInputKeepsThePageOpen)
{
    struct Case {
        LONG nEscapement2;  // the second text's, before
        const char *pszTyped, *pszShown;
        bool bAccepted;     // else refused with the message
        LONG nStored[2];    // each text's after OK
    };
    for (const Case& c : {Case{0, "725", "5", true, {50, 50}}, Case{0, "-725", "-5", true, {-50, -50}},
                          Case{0, "360", "0", true, {0, 0}}, Case{900, "", "", true, {0, 900}},
                          Case{0, "4x", "4x", false, {}}, Case{0, "", "", false, {}}}) {
        m_messages.Reset();
        MakeTexts(u"Arial", 0, c.nEscapement2);
        auto* pField = m_pPage->findChild<QLineEdit*>(QString::number(IDC_TEXT_ROTATION));
        QTest::keyClicks(pField, "a");
        pField->selectAll();
        QTest::keyClick(pField, Qt::Key_Delete);
        QTest::keyClicks(pField, c.pszTyped);
        EXPECT_EQ(pField->text(), c.pszShown) << c.pszTyped;
        EXPECT_EQ(PressOk(), c.bAccepted) << c.pszTyped;
        if (!c.bAccepted) {
            ASSERT_EQ(m_messages.GetShown().size(), 1u);
            EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between -359 and 359.");
            continue;
        }
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(FontOf(m_pTexts[i]).GetLogFont().lfEscapement, c.nStored[i]) << c.pszTyped;
    }
}

TEST_F(VxFontPropertyPageTest, DifferentFacesOpenWithAnEmptyFaceAndASizeChangeKeepsEachFace)
{
    MakeTexts(u"No Such Face");
    QString face = "unset", size;
    RunFontDialog([&](QDialog& dialog, QList<QComboBox*> boxes) {
        face = boxes[0]->currentText();
        size = boxes[2]->currentText();
        for (const char* pszBad : {"big", "0", "10000", ""}) {
            boxes[2]->setEditText(pszBad);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            EXPECT_TRUE(dialog.isVisible()) << pszBad;
        }
        boxes[2]->setEditText("20");
    });
    EXPECT_EQ(face, "");
    EXPECT_EQ(size, "10");
    ASSERT_EQ(m_messages.GetShown().size(), 4u);
    EXPECT_EQ(m_messages.GetShown()[3].strText, "Enter an integer between 1 and 9999.");
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(FontOf(m_pTexts[0]).GetFaceName(), u"Arial");
    EXPECT_EQ(FontOf(m_pTexts[1]).GetFaceName(), u"No Such Face");
    for (CVxGraphic* pText : m_pTexts)
        EXPECT_EQ(FontOf(pText).GetLogFont().lfHeight, -m_doc.PointsToLogicalY(20));
}

TEST_F(VxFontPropertyPageTest, MixedUnderlineStaysMixedAndAFaceNotInstalledIsKeptByName)
{
    MakeTexts(u"Arial", 1);
    const LONG nHeight = FontOf(m_pTexts[0]).GetLogFont().lfHeight;
    Qt::CheckState underline = Qt::Unchecked;
    RunFontDialog([&](QDialog& dialog, QList<QComboBox*> boxes) {
        underline = dialog.findChildren<QCheckBox*>()[1]->checkState();
        boxes[0]->setEditText("No Such Face");
    });
    EXPECT_EQ(underline, Qt::PartiallyChecked);
    ASSERT_TRUE(PressOk());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(FontOf(m_pTexts[i]).GetLogFont().lfUnderline, i);
        EXPECT_EQ(FontOf(m_pTexts[i]).GetFaceName(), u"No Such Face");
        // The size, shown rounded to whole points, is not set back.
        EXPECT_EQ(FontOf(m_pTexts[i]).GetLogFont().lfHeight, nHeight);
    }
}

}  // namespace
