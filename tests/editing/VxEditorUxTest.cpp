#include "VxViewFixture.h"

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxPropertySheet.h"
#include "graphics/VxText.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QTabWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

using VxEditorUxTest = VxViewFixture;

// A height of 0 asks for the device's default size: the point-size box shows
// no number for it rather than "0".
TEST_F(VxEditorUxTest, PointSizeBoxIsBlankForTheDefaultHeight)
{
    auto* pText = new CVxText(u"Ab", 500, 500, 0, {}, RECT{500, 500, 1500, 900});
    m_doc.GetPicture().AddChildTail(pText);
    auto& font = dynamic_cast<CVxFontGraphicProperty&>(*pText->LookupProperty("Font"));
    for (const LONG nHeight : {LONG(0), LONG(-m_doc.PointsToLogicalY(24))}) {
        font.SetHeight(nHeight);
        m_pView->SelectOnly(*pText);
        CTkCmdUI cmdUI(IDC_POINT_SIZE);
        ASSERT_TRUE(m_pView->OnCmdMsg(IDC_POINT_SIZE, &cmdUI));
        EXPECT_TRUE(cmdUI.IsEnabled());
        EXPECT_EQ(cmdUI.GetText(), nHeight ? "24" : "") << nHeight;
    }
}

// The sheet's tabs keep one order, whatever order the selection lists its
// properties in.
TEST_F(VxEditorUxTest, PropertySheetTabsStandInAFixedOrder)
{
    m_pView->SelectOnly(AddBox({100, 100, 300, 200}, RGB(255, 0, 0)));
    QStringList tabs;
    const CTkScopedModalHandler handler([&](QDialog& sheet) {
        const auto* pTabs = sheet.findChild<QTabWidget*>();
        for (int i = 0; i < pTabs->count(); ++i) tabs << pTabs->tabText(i);
        sheet.reject();
    });
    m_pView->OnCmdMsg(ID_EDIT_PROPERTIES, nullptr);
    EXPECT_EQ(tabs.join(','), "Line,Fill,Position,Other,Picture");
}

// Ctrl+wheel zooms a step per notch about the point under the mouse; the
// wheel alone scrolls.
TEST_F(VxEditorUxTest, CtrlWheelZoomsAboutThePointUnderTheMouse)
{
    m_pView->SetZoom(40000);
    const POINT at{200, 150};
    POINT picture{};
    struct Turn {
        int nDelta;
        Qt::KeyboardModifiers modifiers;
        int nZoom;
    };
    for (const Turn& t : {Turn{120, Qt::NoModifier, 40000}, Turn{60, Qt::ControlModifier, 40000},
                          Turn{60, Qt::ControlModifier, 60000}, Turn{-120, Qt::ControlModifier, 40000}}) {
        QWheelEvent wheel(QPointF(at.x, at.y), QPointF(at.x, at.y), {}, {0, t.nDelta}, Qt::NoButton,
                          t.modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pView->viewport(), &wheel);
        EXPECT_EQ(m_pView->GetZoom(), t.nZoom) << t.nDelta;
        if (t.modifiers == Qt::NoModifier) {
            picture = m_pView->ClientToPicture(at);
            continue;
        }
        const POINT now = m_pView->ClientToPicture(at);
        // Within a pixel or two of where it was.
        EXPECT_NEAR(now.x, picture.x, 10) << t.nDelta;
        EXPECT_NEAR(now.y, picture.y, 10) << t.nDelta;
    }
}

}  // namespace
