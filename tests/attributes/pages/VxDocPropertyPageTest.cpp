// The Picture page: sizes in picture units, inches and centimetres, the
// refused sizes, and resizing through the sheet.

#include "DocTestSupport.h"

#include "attributes/pages/VxDocPropertyPage.h"
#include "attributes/pages/VxPropertySheet.h"
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
    // A new use of the sheet: it may take one undo step again.
    void NewSheet()
    {
        m_pSheet = std::make_unique<CVxPropertySheet>([this] { m_doc.SaveUndoState(); }, "Properties");
        CVxDocPropertyPage::AddPage(*m_pSheet, m_doc);
    }
    CVxDocPropertyPage& Page() { return *static_cast<CVxDocPropertyPage*>(m_pSheet->FindPage(IDD_PICTURE_PAGE)); }
    template <typename T>
    T* Control(unsigned nId) { return Page().findChild<T*>(QString::number(nId)); }
    // Types over what the field held, as the user does.
    void Type(unsigned nId, const QString& text)
    {
        QLineEdit* pField = Control<QLineEdit>(nId);
        pField->selectAll();
        QTest::keyClick(pField, Qt::Key_Delete);
        QTest::keyClicks(pField, text);
    }
    bool PressOk()
    {
        m_pSheet->setResult(QDialog::Rejected);
        static_cast<QDialog&>(*m_pSheet).accept();
        return m_pSheet->result() == QDialog::Accepted;
    }

    CVxDoc m_doc;  // 6985 x 5397 picture units, 1000 per centimetre
    std::unique_ptr<CVxPropertySheet> m_pSheet;
};

TEST_F(VxDocPropertyPageTest, ConvertsBetweenUnitsAndRefusesSizesOutsideTheSafeBounds)
{
    struct Case {
        int nUnits;
        const char *pszShownHeight, *pszTyped;
        LONG nHeight;              // 0: refused with the message
        const char* pszMessage = "";
    };
    const char* pszPu = "Enter an integer between 100 and 1073741823.";
    const char* pszIn = "Enter a number between 0.0394 and 422733.0012.";
    const char* pszCm = "Enter a number between 0.1 and 1073741.823.";
    for (const Case& c : {Case{0, "5397", "100", 100}, Case{0, "5397", "1073741823", 1073741823},
                          Case{0, "5397", "99", 0, pszPu}, Case{0, "5397", "1073741824", 0, pszPu},
                          Case{0, "5397", "12a", 0, pszPu}, Case{0, "5397", "", 0, pszPu},
                          Case{1, "2.1248", "1.5", 3810}, Case{1, "2.1248", "0.0394", 100},
                          Case{1, "2.1248", "0.0393", 0, pszIn}, Case{1, "2.1248", "abc", 0, pszIn},
                          Case{2, "5.397", "2.0004", 2000}, Case{2, "5.397", "1e400", 0, pszCm},
                          Case{2, "5.397", "1073741.824", 0, pszCm}}) {
        m_messages.Reset();
        m_settings.WriteProfileInt("Application", "Units", c.nUnits);
        NewSheet();
        EXPECT_EQ(Control<QLineEdit>(IDC_PICTURE_HEIGHT)->text(), c.pszShownHeight);
        Type(IDC_PICTURE_HEIGHT, c.pszTyped);
        EXPECT_EQ(PressOk(), c.nHeight != 0) << c.pszTyped;
        // The width, shown rounded but untouched, keeps its exact value.
        EXPECT_EQ(Page().GetPictureSize(), (SIZE{6985, c.nHeight ? c.nHeight : 5397})) << c.pszTyped;
        if (c.nHeight == 0) {
            ASSERT_EQ(m_messages.GetShown().size(), 1u) << c.pszTyped;
            EXPECT_EQ(m_messages.GetShown()[0].strText, c.pszMessage);
        }
    }
    // Another unit shows what was typed; a refused value keeps the unit it was typed in.
    Type(IDC_PICTURE_HEIGHT, "5");
    Type(IDC_PICTURE_WIDTH, "2.54");
    Control<QComboBox>(IDC_PICTURE_UNITS)->setCurrentIndex(1);
    EXPECT_EQ(Control<QLineEdit>(IDC_PICTURE_WIDTH)->text(), "1");
    Type(IDC_PICTURE_WIDTH, "x");
    Control<QComboBox>(IDC_PICTURE_UNITS)->setCurrentIndex(0);
    EXPECT_EQ(Control<QComboBox>(IDC_PICTURE_UNITS)->currentIndex(), 1);
}

TEST_F(VxDocPropertyPageTest, ResizingScalesEveryGraphicOnceOrNoneAndUndoRestoresTheBytes)
{
    for (const bool bResize : {true, false}) {
        m_doc.DeleteContents();
        CVxGraphic* pFirst = AddRectangle(m_doc, {100, 200, 1100, 700});
        CVxGraphic* pSecond = AddRectangle(m_doc, {3000, 1000, 4000, 5000});
        const std::vector<std::uint8_t> before = StoreGraphics(m_doc);
        NewSheet();
        Type(IDC_PICTURE_WIDTH, "13970");
        Control<QCheckBox>(IDC_PICTURE_RESIZE_OBJECTS)->setChecked(bResize);
        ASSERT_TRUE(PressOk());
        CVxDocPropertyPage::ReadPage(*m_pSheet, m_doc);

        EXPECT_EQ(m_doc.GetPictureSize().cx, 13970);
        const RECT first = bResize ? RECT{200, 200, 2200, 700} : RECT{100, 200, 1100, 700};
        const RECT second = bResize ? RECT{6000, 1000, 8000, 5000} : RECT{3000, 1000, 4000, 5000};
        EXPECT_EQ(pFirst->GetRect(), first);
        EXPECT_EQ(pSecond->GetRect(), second);
        m_doc.OnEditUndo();
        EXPECT_EQ(m_doc.GetPictureSize().cx, 6985);
        EXPECT_EQ(StoreGraphics(m_doc), before);
        EXPECT_FALSE(m_doc.CanUndo());  // one step
    }
}

}  // namespace
