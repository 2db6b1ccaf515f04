// The Picture page: sizes shown and typed in picture units, inches and
// centimetres, the refused sizes, and resizing through the sheet.

#include "DocTestSupport.h"

#include "attributes/pages/VxDocPropertyPage.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "graphics/VxGraphic.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>

#include <memory>

namespace {

class VxDocPropertyPageTest : public DocTest {
protected:
    VxDocPropertyPageTest()
        : m_sheet([this] { m_doc.SaveUndoState(); }, "Properties")
    {
        CVxDocPropertyPage::AddPage(m_sheet, m_doc);
        m_pPage = static_cast<CVxDocPropertyPage*>(m_sheet.FindPage(IDD_PICTURE_PAGE));
    }
    template <typename T>
    T* Control(unsigned nId)
    {
        return m_pPage->findChild<T*>(QString::number(nId));
    }
    QLineEdit* Width() { return Control<QLineEdit>(IDC_PICTURE_WIDTH); }
    QLineEdit* Height() { return Control<QLineEdit>(IDC_PICTURE_HEIGHT); }
    // Types the text as the user does, replacing what the field held.
    static void Type(QLineEdit* pField, const QString& text)
    {
        pField->selectAll();
        QTest::keyClick(pField, Qt::Key_Delete);
        QTest::keyClicks(pField, text);
    }

    CVxDoc m_doc;  // 6985 x 5397 picture units, 1000 per centimetre
    CVxPropertySheet m_sheet;
    CVxDocPropertyPage* m_pPage = nullptr;
};

TEST_F(VxDocPropertyPageTest, ShowsAndReadsTheSizeInEachUnit)
{
    struct Case {
        int nUnits;
        QString shownWidth, shownHeight, typedWidth;
        LONG nWidth;
    };
    for (const Case& c : {Case{0, "6985", "5397", "1234", 1234}, Case{1, "2.75", "2.1248", "1.5", 3810},
                          Case{2, "6.985", "5.397", "2.0004", 2000}}) {
        m_settings.WriteProfileInt("Application", "Units", c.nUnits);
        CVxDocPropertyPage page(m_doc);
        auto* pWidth = page.findChild<QLineEdit*>(QString::number(IDC_PICTURE_WIDTH));
        EXPECT_EQ(pWidth->text(), c.shownWidth) << c.nUnits;
        EXPECT_EQ(page.findChild<QLineEdit*>(QString::number(IDC_PICTURE_HEIGHT))->text(),
                  c.shownHeight);
        // OK untouched keeps the exact size although the shown one is rounded.
        EXPECT_TRUE(page.OnKillActive());
        EXPECT_EQ(page.GetPictureSize().cy, 5397);
        Type(pWidth, c.typedWidth);
        EXPECT_TRUE(page.OnKillActive());
        EXPECT_EQ(page.GetPictureSize().cx, c.nWidth) << c.nUnits;
        EXPECT_EQ(page.GetPictureSize().cy, 5397);
    }
    EXPECT_TRUE(m_messages.GetShown().empty());
}

TEST_F(VxDocPropertyPageTest, ChangingTheUnitsRedisplaysWhatWasTyped)
{
    auto* pUnits = Control<QComboBox>(IDC_PICTURE_UNITS);
    Type(Width(), "2540");
    pUnits->setCurrentIndex(1);
    EXPECT_EQ(Width()->text(), "1");
    pUnits->setCurrentIndex(2);
    EXPECT_EQ(Width()->text(), "2.54");
    EXPECT_EQ(Height()->text(), "5.397");
    // A refused value keeps the units it was typed in.
    Type(Width(), "x");
    pUnits->setCurrentIndex(0);
    EXPECT_EQ(pUnits->currentIndex(), 2);
    EXPECT_EQ(Width()->text(), "x");
    EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_ENTER_NUMBER});
}

TEST_F(VxDocPropertyPageTest, RefusesSizesOutsideTheSafeBoundsAndKeepsThePageOpen)
{
    struct Case {
        int nUnits;
        QString typed;
        const char* pszMessage;  // empty: accepted
    };
    const char* pszPu = "Enter an integer between 100 and 1073741823.";
    const char* pszIn = "Enter a number between 0.0394 and 422733.0012.";
    const char* pszCm = "Enter a number between 0.1 and 1073741.823.";
    for (const Case& c : {Case{0, "99", pszPu}, Case{0, "1073741824", pszPu}, Case{0, "12a", pszPu},
                          Case{0, "", pszPu}, Case{0, "100", ""}, Case{0, "1073741823", ""},
                          Case{1, "0.0393", pszIn}, Case{1, "abc", pszIn}, Case{1, "0.0394", ""},
                          Case{2, "1073741.824", pszCm}, Case{2, "1e400", pszCm}, Case{2, "0.1", ""}}) {
        m_messages.Reset();
        Control<QComboBox>(IDC_PICTURE_UNITS)->setCurrentIndex(c.nUnits);
        const SIZE before = m_pPage->GetPictureSize();
        Type(Height(), c.typed);
        static_cast<QDialog&>(m_sheet).accept();  // OK
        const bool bAccepted = *c.pszMessage == '\0';
        EXPECT_EQ(m_sheet.result() == QDialog::Accepted, bAccepted) << c.typed.toStdString();
        if (bAccepted) {
            m_sheet.setResult(QDialog::Rejected);
            continue;
        }
        ASSERT_EQ(m_messages.GetShown().size(), 1u) << c.typed.toStdString();
        EXPECT_EQ(m_messages.GetShown()[0].strText, c.pszMessage);
        EXPECT_EQ(m_pPage->GetPictureSize().cy, before.cy);
        Type(Height(), "1000");  // mended for the next case
        ASSERT_TRUE(m_pPage->OnKillActive());
    }
}

TEST_F(VxDocPropertyPageTest, ResizingScalesEveryGraphicOnceOrNoneAndUndoRestoresTheBytes)
{
    for (const bool bResize : {true, false}) {
        m_doc.DeleteContents();
        CVxGraphic* pFirst = AddRectangle(m_doc, {100, 200, 1100, 700});
        CVxGraphic* pSecond = AddRectangle(m_doc, {3000, 1000, 4000, 5000});
        const std::vector<std::uint8_t> before = StoreGraphics(m_doc);
        CVxPropertySheet sheet([this] { m_doc.SaveUndoState(); }, "Properties");
        CVxDocPropertyPage::AddPage(sheet, m_doc);
        auto* pPage = static_cast<CVxDocPropertyPage*>(sheet.FindPage(IDD_PICTURE_PAGE));
        Type(pPage->findChild<QLineEdit*>(QString::number(IDC_PICTURE_WIDTH)), "13970");
        pPage->findChild<QCheckBox*>(QString::number(IDC_PICTURE_RESIZE_OBJECTS))->setChecked(bResize);
        static_cast<QDialog&>(sheet).accept();
        CVxDocPropertyPage::ReadPage(sheet, m_doc);

        EXPECT_EQ(m_doc.GetPictureSize().cx, 13970);
        const RECT first = bResize ? RECT{200, 200, 2200, 700} : RECT{100, 200, 1100, 700};
        const RECT second = bResize ? RECT{6000, 1000, 8000, 5000} : RECT{3000, 1000, 4000, 5000};
        EXPECT_EQ(pFirst->GetRect(), first) << bResize;
        EXPECT_EQ(pSecond->GetRect(), second);
        ASSERT_TRUE(m_doc.CanUndo());
        m_doc.OnEditUndo();
        EXPECT_EQ(m_doc.GetPictureSize().cx, 6985);
        EXPECT_EQ(StoreGraphics(m_doc), before);
        EXPECT_FALSE(m_doc.CanUndo());  // one step
    }
}

}  // namespace
