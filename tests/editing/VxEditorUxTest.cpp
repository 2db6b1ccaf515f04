// What a user sees of the view: partial repaints, the point-size box, the
// sheet's tab order, Ctrl+wheel zoom.

#include "VxViewFixture.h"

#include "attributes/VxFontGraphicProperty.h"
#include "graphics/VxText.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QDialog>
#include <QTabWidget>
#include <QWheelEvent>

namespace {

using VxEditorUxTest = VxViewFixture;

TEST_F(VxEditorUxTest, PartOfTheLinesGridRepaintsAsTheWhole)
{
    VxGridSettingsData grid = m_pView->GetGrid();
    grid.bDisplayGrid = TRUE;
    grid.nGridType = kVxGridLines;
    m_pView->SetGrid(grid);
    const QImage whole = Grab();
    for (const RECT& rc : {RECT{203, 107, 297, 161}, RECT{31, 455, 77, 590}}) {
        m_pView->InvalidatePictureRect(m_pView->ClientToPicture(rc));
        EXPECT_EQ(Grab(), whole) << rc.left;
    }
}

// A height of 0 (the device's default) or under half a point: no number
// rather than "0".
TEST_F(VxEditorUxTest, PointSizeBoxIsBlankForTheDefaultOrATinyHeight)
{
    auto* pText = new CVxText(u"Ab", 500, 500, 0, {}, RECT{500, 500, 1500, 900});
    m_doc.GetPicture().AddChildTail(pText);
    for (const LONG nHeight : {LONG(0), LONG(16), LONG(-m_doc.PointsToLogicalY(24))}) {
        dynamic_cast<CVxFontGraphicProperty&>(*pText->LookupProperty("Font")).SetHeight(nHeight);
        m_pView->SelectOnly(*pText);
        CTkCmdUI cmdUI(IDC_POINT_SIZE);
        m_pView->OnCmdMsg(IDC_POINT_SIZE, &cmdUI);
        EXPECT_EQ(cmdUI.GetText(), nHeight < 0 ? "24" : "") << nHeight;
    }
}

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

// A step per notch (half notches add up), about the point under the mouse.
TEST_F(VxEditorUxTest, CtrlWheelZoomsAboutThePointUnderTheMouse)
{
    m_pView->SetZoom(40000);
    const QPointF at(200, 150);
    auto turn = [&](int nDelta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(at, at, {}, {0, nDelta}, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pView->viewport(), &wheel);
    };
    turn(120, Qt::NoModifier);  // scrolls
    EXPECT_EQ(m_pView->GetZoom(), 40000);
    const POINT picture = m_pView->ClientToPicture(POINT{200, 150});
    for (const auto& [nDelta, nZoom] : {std::pair{60, 40000}, {60, 60000}, {-120, 40000}}) {
        turn(nDelta, Qt::ControlModifier);
        EXPECT_EQ(m_pView->GetZoom(), nZoom);
        const POINT now = m_pView->ClientToPicture(POINT{200, 150});
        EXPECT_NEAR(now.x, picture.x, 10);
        EXPECT_NEAR(now.y, picture.y, 10);
    }
}

}  // namespace
