#include "AppTestFixture.h"

#include "app/VxColorToolBar.h"
#include "app/VxMainFrame.h"
#include "app/VxStatusBar.h"
#include "app/VxToolBar.h"
#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "graphics/VxText.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace {

// The editor kept running by the test.
class VxToolBarsTest : public AppTestFixture {
protected:
    CVxMainFrame& Start(const std::vector<std::string>& args = {}, bool bExpectRun = true)
    {
        m_pApp.reset();
        m_pApp = StartApp(args, bExpectRun);
        QApplication::processEvents();
        return *m_pApp->GetMainFrame();
    }
    // Closes the window as the user does, then ends the program.
    void Quit()
    {
        m_pApp->GetMainFrame()->close();
        m_pApp.reset();
    }
    std::string RectangleFile() { return GoodFile("rect.emf"); }
    // Puts text into a box as typed, then presses key.
    static void Type(QWidget* pBox, const QString& text, Qt::Key key)
    {
        auto* pEdit = pBox->findChild<QLineEdit*>();
        ASSERT_NE(pEdit, nullptr);
        for (const QString& typed : {text.left(1), text}) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier);  // marks the box as being edited
            QApplication::sendEvent(pEdit, &press);
            pEdit->setText(typed);
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(pEdit, &press);
    }

    std::unique_ptr<CVxApp> m_pApp;
};

TEST_F(VxToolBarsTest, BarsAreMadeInOrderAndDockedOnTheirSides)
{
    CVxMainFrame& frame = Start();
    struct Expected {
        const char* pszTitle;
        Qt::ToolBarArea area;
    };
    const Expected expected[] = {
        {"Standard", Qt::TopToolBarArea}, {"Text", Qt::TopToolBarArea},     {"Draw", Qt::LeftToolBarArea},
        {"Color", Qt::BottomToolBarArea}, {"Fill", Qt::BottomToolBarArea},  {"Line", Qt::BottomToolBarArea},
        {"Zoom", Qt::TopToolBarArea},     {"Format", Qt::LeftToolBarArea}, {"Grid", Qt::BottomToolBarArea},
        {"Polygon", Qt::LeftToolBarArea},
    };
    ASSERT_EQ(frame.GetToolBars().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        CVxToolBar& bar = *frame.GetToolBars()[i];
        EXPECT_EQ(bar.windowTitle(), expected[i].pszTitle);
        EXPECT_EQ(frame.toolBarArea(&bar), expected[i].area) << expected[i].pszTitle;
        EXPECT_FALSE(bar.GetButton(bar.GetLayout().buttons.back()) == nullptr &&
                     frame.GetToolBarBox(bar.GetLayout().buttons.back()) == nullptr);
    }
    // Along the top: Standard, Zoom, Text; down the left: Draw, Format,
    // Polygon (rows, or columns, first where a bar wraps).
    auto before = [&](unsigned nFirst, unsigned nNext, bool bRows) {
        const QPoint a = frame.GetToolBar(nFirst)->pos();
        const QPoint b = frame.GetToolBar(nNext)->pos();
        return bRows ? std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()) : std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    };
    EXPECT_TRUE(before(ID_VIEW_TOOLBAR, IDW_TOOLBAR_ZOOM, true));
    EXPECT_TRUE(before(IDW_TOOLBAR_ZOOM, IDW_TOOLBAR_TEXT, true));
    EXPECT_TRUE(before(IDW_TOOLBAR_DRAW, IDW_TOOLBAR_FORMAT, false));
    EXPECT_TRUE(before(IDW_TOOLBAR_FORMAT, IDW_TOOLBAR_POLY, false));
    // Bars with boxes dock only at the top or bottom.
    EXPECT_FALSE(frame.GetToolBar(IDW_TOOLBAR_LINE)->isAreaAllowed(Qt::LeftToolBarArea));
    EXPECT_TRUE(frame.GetToolBar(IDW_TOOLBAR_DRAW)->isAreaAllowed(Qt::RightToolBarArea));
}

TEST_F(VxToolBarsTest, AutoWrapStartsANewRowWhereABarWouldRunPastTheEdge)
{
    CVxMainFrame& frame = Start();
    for (const int nWidth : {1800, 500, 1800}) {
        frame.resize(nWidth, 700);
        QApplication::processEvents();
        std::set<int> rows;
        for (unsigned nId : {IDW_TOOLBAR_COLOR, IDW_TOOLBAR_FILL, IDW_TOOLBAR_LINE, IDW_TOOLBAR_GRID}) {
            const CVxToolBar& bar = *frame.GetToolBar(nId);
            rows.insert(bar.y());
            EXPECT_LT(bar.geometry().right(), frame.width()) << nWidth;
        }
        EXPECT_EQ(rows.size() > 1, nWidth < 1000) << nWidth;
    }
}

TEST_F(VxToolBarsTest, LargeButtonsFromTheOptionsSheetApplyAtOnce)
{
    CVxMainFrame& frame = Start();
    QWidget* pButton = frame.GetToolBar(IDW_TOOLBAR_DRAW)->GetButton(ID_TOOL_RECTANGLE);
    const int nSmall = pButton->sizeHint().height();
    const CTkScopedModalHandler handler([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QString::number(IDC_LARGE_BUTTONS))->setChecked(true);
        dialog.accept();
    });
    frame.GetCommand(ID_TOOLS_OPTIONS)->trigger();
    for (const CVxToolBar* pBar : frame.GetToolBars()) EXPECT_EQ(pBar->iconSize(), QSize(24, 24));
    EXPECT_GE(pButton->sizeHint().height(), nSmall + 8);
    EXPECT_EQ(Setting("Application/UseLargeToolBarButtons"), "1");
}

TEST_F(VxToolBarsTest, PointSizeFieldAppliesOnEnterKeepsOnEscapeAndRefusesOutOfRange)
{
    CVxMainFrame& frame = Start();
    CVxDoc& doc = frame.GetDocument();
    auto* pText = new CVxText(u"Ab", 500, 500, 0, {}, RECT{500, 500, 1500, 900});
    doc.GetPicture().AddChildTail(pText);
    frame.GetView().Select(pText, false);
    frame.UpdateFrame();
    auto height = [&] { return dynamic_cast<CVxFontGraphicProperty&>(*pText->LookupProperty("Font")).GetLogFont().lfHeight; };
    const LONG nOld = height();
    QWidget* pBox = frame.GetToolBarBox(IDC_POINT_SIZE);
    const QString shown = pBox->findChild<QLineEdit*>()->text();
    struct Case {
        const char* pszTyped;
        Qt::Key key;
        LONG nHeight;  // 0: unchanged
        bool bRefused;
    };
    const Case cases[] = {
        {"24", Qt::Key_Escape, 0, false},
        {"0", Qt::Key_Return, 0, true},
        {"x1", Qt::Key_Return, 0, true},
        {"24", Qt::Key_Return, -doc.PointsToLogicalY(24), false},
    };
    for (const Case& c : cases) {
        m_messages.Reset();
        Type(pBox, QString::fromLatin1(c.pszTyped), c.key);
        EXPECT_EQ(height(), c.nHeight ? c.nHeight : nOld) << c.pszTyped;
        EXPECT_EQ(m_messages.GetShown().size(), c.bRefused ? 1u : 0u) << c.pszTyped;
        if (c.bRefused) {
            EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between 1 and 9999.");
        }
        if (c.key == Qt::Key_Escape) {
            EXPECT_EQ(pBox->findChild<QLineEdit*>()->text(), shown);
        }
    }
    EXPECT_EQ(pBox->findChild<QLineEdit*>()->text(), "24");
}

TEST_F(VxToolBarsTest, ZoomBoxFitsThePageOrSetsTheTypedPercentage)
{
    CVxMainFrame& frame = Start({RectangleFile()});
    CVxView& view = frame.GetView();
    QWidget* pBox = frame.GetToolBarBox(IDC_CUSTOM_ZOOM);
    struct Case {
        const char* pszTyped;
        bool bFullPage;
        int nZoom;  // when not full page
    };
    const Case cases[] = {
        {"250%", false, 25000}, {" page ", true, 0}, {"75", false, 7500}, {"Zoom", false, 7500}, {"PAGE", true, 0},
    };
    for (const Case& c : cases) {
        Type(pBox, QString::fromLatin1(c.pszTyped), Qt::Key_Return);
        EXPECT_EQ(view.IsFullPage(), c.bFullPage) << c.pszTyped;
        if (!c.bFullPage) {
            EXPECT_EQ(view.GetZoom(), c.nZoom) << c.pszTyped;
        }
    }
    EXPECT_EQ(qobject_cast<QComboBox*>(pBox)->currentText(), "Page");
}

TEST_F(VxToolBarsTest, PanesComeBackInTheirOrderWhateverTheOrderTheyAreShown)
{
    CVxMainFrame& frame = Start();
    CVxStatusBar& bar = frame.GetStatusBar();
    const std::vector<unsigned> all{ID_INDICATOR_COORDINATE, ID_INDICATOR_SIZE, ID_INDICATOR_SELECTION};
    struct Step {
        unsigned nCommand;
        std::vector<unsigned> shown;
    };
    const Step steps[] = {
        {ID_VIEW_SIZE_STATUS, {ID_INDICATOR_COORDINATE, ID_INDICATOR_SELECTION}},
        {ID_VIEW_COORDINATE_STATUS, {ID_INDICATOR_SELECTION}},
        {ID_VIEW_SELECTION_STATUS, {}},
        {ID_VIEW_SELECTION_STATUS, {ID_INDICATOR_SELECTION}},
        {ID_VIEW_SIZE_STATUS, {ID_INDICATOR_SIZE, ID_INDICATOR_SELECTION}},
        {ID_VIEW_COORDINATE_STATUS, all},
    };
    EXPECT_EQ(bar.GetShownPanes(), all);
    for (const Step& step : steps) {
        frame.GetCommand(step.nCommand)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(bar.GetShownPanes(), step.shown) << step.nCommand;
    }
    frame.GetCommand(ID_VIEW_SIZE_STATUS)->trigger();
    EXPECT_EQ(Setting("StatusBar/DisplaySize"), "0");
    EXPECT_FALSE(frame.GetCommand(ID_VIEW_SIZE_STATUS)->isChecked());
}

TEST_F(VxToolBarsTest, OnlyATenNumberPlacementOnTheScreenIsRestoredAndTheLayoutSurvivesARestart)
{
    const QRect placed(10, 20, 600, 400);
    const struct {
        const char* pszWindowPos;
        bool bApplied;
    } cases[] = {
        {"0,1,-1,-1,-1,-1,10,20,610,420", true},
        {"0,1,-1,-1,-1,-1,10,20,610", false},
        {"0,1,-1,-1,-1,-1,10,20,610,420,5", false},
        {"0,1,-1,-1,-1,-1,9000,9000,9600,9400", false},
        {"0,1,-1,-1,-1,-1,x,20,610,420", false},
    };
    for (const auto& c : cases) {
        WriteSetting("Application/WindowPos", QString::fromLatin1(c.pszWindowPos));
        WriteSetting("Toolbars/State", "not a saved layout");
        CVxMainFrame& frame = Start();
        EXPECT_EQ(frame.geometry() == placed, c.bApplied) << c.pszWindowPos;
        EXPECT_EQ(frame.toolBarArea(frame.GetToolBar(IDW_TOOLBAR_ZOOM)), Qt::TopToolBarArea);
    }
    // What the window closes with comes back at the next start.
    CVxMainFrame& first = Start();
    first.addToolBar(Qt::BottomToolBarArea, first.GetToolBar(IDW_TOOLBAR_ZOOM));
    first.GetToolBar(IDW_TOOLBAR_GRID)->hide();
    first.setGeometry(30, 40, 700, 500);
    Quit();
    EXPECT_EQ(Setting("Application/WindowPos"), "0,1,-1,-1,-1,-1,30,40,730,540");

    CVxMainFrame& second = Start();
    EXPECT_EQ(second.toolBarArea(second.GetToolBar(IDW_TOOLBAR_ZOOM)), Qt::BottomToolBarArea);
    EXPECT_TRUE(second.GetToolBar(IDW_TOOLBAR_GRID)->isHidden());
    EXPECT_FALSE(second.GetToolBar(IDW_TOOLBAR_LINE)->isHidden());
    EXPECT_EQ(second.geometry(), QRect(30, 40, 700, 500));
}

TEST_F(VxToolBarsTest, FillSwatchFollowsTheClickedGraphicsColour)
{
    CVxMainFrame& frame = Start({RectangleFile()});
    CVxGraphic& rect = *frame.GetDocument().GetPicture().GetFirstChild();
    dynamic_cast<CVxBrushGraphicProperty&>(*rect.LookupProperty("Brush")).SetColor(0x0000FF);  // red
    QWidget* pViewport = frame.GetView().viewport();
    const QPointF middle = pViewport->rect().center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, middle, pViewport->mapToGlobal(middle), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pViewport, &event);
    }
    frame.UpdateFrame();
    auto* pButton = qobject_cast<QToolButton*>(frame.GetColorToolBar().GetButton(ID_COLOR_TARGET_FILL));
    ASSERT_NE(pButton, nullptr);
    const QImage image = pButton->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(image.pixelColor(7, 12), QColor(Qt::red));
    EXPECT_EQ(frame.GetColorToolBar().GetCurrentTarget(), ID_COLOR_TARGET_FILL);
}

}  // namespace
