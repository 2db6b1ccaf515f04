// The frame's toolbars: creating and docking them, their boxes, auto-wrap,
// and the bar layout and window placement kept between runs.

#include "app/VxMainFrame.h"

#include "app/TkToolBarControls.h"
#include "app/VxAppSettings.h"
#include "app/VxBrushPatternToolBar.h"
#include "app/VxColorToolBar.h"
#include "app/VxCommandActions.h"
#include "app/VxWindowPlacement.h"
#include "editing/VxView.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kBarSection = "Toolbars";
constexpr const char* kBarStateKey = "State";
constexpr int kBarStateVersion = 1;

Qt::ToolBarArea AreaOf(VxDockSide side)
{
    switch (side) {
    case VxDockSide::Top: return Qt::TopToolBarArea;
    case VxDockSide::Left: return Qt::LeftToolBarArea;
    case VxDockSide::Bottom: return Qt::BottomToolBarArea;
    default: return Qt::RightToolBarArea;
    }
}

// Enough of rect lies on one screen to be seen and grabbed.
bool IsOnScreen(const QRect& rect)
{
    if (rect.width() < 100 || rect.height() < 50) return false;
    for (const QScreen* pScreen : QGuiApplication::screens()) {
        const QRect seen = pScreen->availableGeometry().intersected(rect);
        if (seen.width() >= 100 && seen.height() >= 50) return true;
    }
    return false;
}

// The number its leading digits make; false when text starts otherwise.
bool LeadingNumber(const QString& text, long long& nValue)
{
    qsizetype n = 0;
    while (n < text.size() && n < 9 && text[n] >= u'0' && text[n] <= u'9') ++n;
    if (n == 0) return false;
    nValue = text.left(n).toLongLong();
    return true;
}

}  // namespace

void CVxMainFrame::CreateToolBars()
{
    VxAppSettings settings;
    settings.Load();
    m_bAutoWrap = settings.bAutoWrapToolBars;
    const auto makeBox = [this](unsigned nID, CVxToolBar& bar) { return MakeToolBarBox(nID, bar); };
    for (const VxToolBarLayout& layout : VxGetToolBarLayouts()) {
        if (layout.nFrameId == IDW_TOOLBAR_COLOR) {
            m_toolBars.push_back(m_pColorBar = new CVxColorToolBar(layout, *m_pActions, makeBox, this));
        } else if (layout.nFrameId == IDW_TOOLBAR_FILL) {
            m_toolBars.push_back(m_pFillBar = new CVxBrushPatternToolBar(layout, *m_pActions, makeBox, this));
        } else {
            m_toolBars.push_back(new CVxToolBar(layout, *m_pActions, makeBox, this));
        }
    }
    for (CVxToolBar* pBar : m_toolBars) pBar->ApplyButtonSize(settings.bUseLargeToolBarButtons);
    for (unsigned nFrameId : VxGetToolBarDockOrder()) {
        CVxToolBar* pBar = GetToolBar(nFrameId);
        addToolBar(AreaOf(pBar->GetLayout().initialDock), pBar);
    }
    ConnectPaletteSignals();
    LoadBarState();
}

CVxToolBar* CVxMainFrame::GetToolBar(unsigned nFrameId) const
{
    const auto it = std::find_if(m_toolBars.begin(), m_toolBars.end(), [nFrameId](const CVxToolBar* pBar) {
        return pBar->GetLayout().nFrameId == nFrameId;
    });
    return it == m_toolBars.end() ? nullptr : *it;
}

QWidget* CVxMainFrame::GetToolBarBox(unsigned nID) const
{
    for (const ToolBarBox& box : m_boxes) {
        if (box.nID == nID) return box.pWidget;
    }
    return nullptr;
}

void CVxMainFrame::ConnectPaletteSignals()
{
    m_pView->SetPaletteSignals({
        [this](unsigned nID, COLORREF color) { m_pColorBar->SetPaletteColor(nID, color); },
        [this](unsigned nID, const LOGBRUSH& brush) { m_pFillBar->SetPaletteBrush(nID, brush); },
        [this](unsigned nID, COLORREF color) { m_pColorBar->SetTargetColor(nID, color); },
        [this](unsigned nID) { m_pColorBar->SetCurrentTarget(nID); },
    });
    // The palettes are filled now, through the signals just connected.
    m_pView->GetColorPalette();
}

void CVxMainFrame::OnViewToolBars()
{
    const std::unique_ptr<QMenu> pMenu(createPopupMenu());
    if (pMenu) pMenu->exec(QCursor::pos());
}

// --- the boxes

QWidget* CVxMainFrame::MakeToolBarBox(unsigned nID, CVxToolBar& bar)
{
    TkToolBarBoxHooks hooks{
        [this] { m_pView->setFocus(Qt::OtherFocusReason); },
        [this](bool bEditing) {
            m_pView->SetToolBarBoxActive(bEditing);
            // The selection a box works on stays shown while it is typed in.
            if (bEditing) m_pView->OnActivateView(true);
        },
        [this, nID](const QString& text) { CommitToolBarBox(nID, text); },
        [this] { UpdateFrame(); },
    };
    const QFontMetrics metrics = bar.fontMetrics();
    const int nCharWidth = metrics.averageCharWidth();
    const int nFieldHeight = metrics.height() * 12 / 8;
    if (nID == IDC_FONT_FACE_NAME || nID == IDC_CUSTOM_ZOOM) {
        auto* pCombo = new CTkToolBarComboBox(std::move(hooks), &bar);
        if (nID == IDC_FONT_FACE_NAME) {
            QStringList families = QFontDatabase::families();
            families.removeDuplicates();
            pCombo->addItems(families);
            pCombo->lineEdit()->setMaxLength(32);
            pCombo->setFixedWidth(2 * 32 * nCharWidth / 3 + 48);
        } else {
            pCombo->addItems({"50%", "100%", "200%", "300%", "400%", QString::fromStdString(TkLoadString(IDS_PAGE))});
            pCombo->setFixedWidth(nCharWidth * int(TkLoadString(IDS_PAGE).size()) + 48);
        }
        pCombo->setMaxVisibleItems(std::max(1, (nID == IDC_FONT_FACE_NAME ? 200 : 150) / metrics.height()));
        pCombo->setToolTip(QString::fromStdString(TkLoadString(nID)));
        pCombo->setStatusTip(pCombo->toolTip());
        m_boxes.push_back({nID, pCombo, pCombo->lineEdit()});
        return pCombo;
    }
    // An edit field with up-down arrows 3 pixels to its right.
    auto* pBox = new QWidget(&bar);
    auto* pLayout = new QHBoxLayout(pBox);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(3);
    auto* pEdit = new CTkToolBarEdit(std::move(hooks), pBox);
    pEdit->setMaxLength(4);
    pEdit->setFixedSize(nCharWidth * (nID == IDC_LINE_WIDTH ? 7 : 5) + 8, nFieldHeight);
    auto* pSpin = new CTkToolBarSpinButtonCtrl(*pEdit, nID == IDC_LINE_WIDTH ? 0 : 1, 9999,
                                               [this, nID](const QString& text) { CommitToolBarBox(nID, text); }, pBox);
    pSpin->setFixedHeight(nFieldHeight);
    pLayout->addWidget(pEdit);
    pLayout->addWidget(pSpin);
    pBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    pBox->setToolTip(QString::fromStdString(TkLoadString(nID)));
    pEdit->setStatusTip(pBox->toolTip());
    m_boxes.push_back({nID, pBox, pEdit});
    return pBox;
}

void CVxMainFrame::UpdateToolBarBoxes()
{
    for (const ToolBarBox& box : m_boxes) {
        CTkCmdUI cmdUI(box.nID);
        OnCmdMsg(box.nID, &cmdUI);
        box.pWidget->setEnabled(cmdUI.IsEnabled());
        // A disabled box shows nothing rather than a value of no graphic.
        const std::optional<std::string> text = cmdUI.IsEnabled() ? cmdUI.GetText() : std::string();
        if (text && box.pEdit->text() != QString::fromStdString(*text))
            box.pEdit->setText(QString::fromStdString(*text));
    }
}

void CVxMainFrame::CommitToolBarBox(unsigned nID, const QString& text)
{
    const QString trimmed = text.trimmed();
    long long nValue = 0;
    switch (nID) {
    case IDC_FONT_FACE_NAME:
        if (!trimmed.isEmpty()) m_pView->SetFaceName(trimmed.toStdU16String());
        break;
    case IDC_POINT_SIZE: {
        if (trimmed.isEmpty()) break;
        bool bNumber = false;
        const int nPoints = trimmed.toInt(&bNumber);
        if (!bNumber || nPoints < 1 || nPoints > 9999) {
            TkGetMessageService().ShowMessage(IDS_ENTER_INTEGER, MB_OK | MB_ICONEXCLAMATION, {"1", "9999"});
            break;
        }
        m_pView->SetPointSize(nPoints);
        break;
    }
    case IDC_LINE_WIDTH:
        if (LeadingNumber(trimmed, nValue)) m_pView->SetLineWidth(int(std::min(nValue, 9999LL)));
        break;
    case IDC_CUSTOM_ZOOM:
        if (trimmed.compare(QString::fromStdString(TkLoadString(IDS_PAGE)), Qt::CaseInsensitive) == 0) {
            if (!m_pView->IsFullPage()) m_pView->OnViewFullPage();
        } else if (LeadingNumber(trimmed, nValue)) {
            m_pView->SetZoom(int(std::min<long long>(nValue * 100, CVxView::kHighestZoom)));
        }
        break;
    default: break;
    }
    m_pView->SetToolBarBoxActive(false);
    UpdateFrame();
}

// --- button size and auto-wrap

void CVxMainFrame::ApplyButtonSize(bool bLarge)
{
    for (CVxToolBar* pBar : m_toolBars) pBar->ApplyButtonSize(bLarge);
    RecalcLayout();
}

void CVxMainFrame::SetAutoWrap(bool bAutoWrap)
{
    m_bAutoWrap = bAutoWrap;
    RecalcLayout();
}

void CVxMainFrame::RecalcLayout()
{
    if (!m_bAutoWrap || m_bRepacking) return;
    m_bRepacking = true;
    // The side areas are as long as what the top and bottom rows leave.
    RepackArea(Qt::TopToolBarArea);
    RepackArea(Qt::BottomToolBarArea);
    layout()->activate();
    RepackArea(Qt::LeftToolBarArea);
    RepackArea(Qt::RightToolBarArea);
    m_bRepacking = false;
}

// The area's bars in their current order, one after another, a new row (or
// column) where the next would run past the end.
void CVxMainFrame::RepackArea(Qt::ToolBarArea area)
{
    const bool bRows = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
    std::vector<CVxToolBar*> bars;
    for (CVxToolBar* pBar : m_toolBars) {
        if (!pBar->isHidden() && !pBar->isFloating() && toolBarArea(pBar) == area) bars.push_back(pBar);
    }
    // The first row (or column) of an area lies at the window's edge.
    const bool bFromFar = area == Qt::BottomToolBarArea || area == Qt::RightToolBarArea;
    std::sort(bars.begin(), bars.end(), [bRows, bFromFar](const CVxToolBar* a, const CVxToolBar* b) {
        const auto key = [&](const CVxToolBar* p) {
            const int nLine = bRows ? p->y() : p->x();
            return std::pair(bFromFar ? -nLine : nLine, bRows ? p->x() : p->y());
        };
        return key(a) < key(b);
    });
    const int nLength = bRows ? width() : centralWidget()->height();
    int nUsed = 0;
    for (CVxToolBar* pBar : bars) {
        const int nBar = bRows ? pBar->sizeHint().width() : pBar->sizeHint().height();
        const bool bBreak = nUsed > 0 && nUsed + nBar > nLength;
        if (bBreak != toolBarBreak(pBar) && nUsed > 0) {
            if (bBreak)
                insertToolBarBreak(pBar);
            else
                removeToolBarBreak(pBar);
        }
        nUsed = bBreak ? nBar : nUsed + nBar;
    }
}

// --- what is kept between runs

void CVxMainFrame::LoadBarState()
{
    const std::string text = TkGetSettings().GetProfileString(kBarSection, kBarStateKey);
    if (text.empty()) return;
    const auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    // A corrupt state leaves the bars where they were docked.
    if (!decoded || !restoreState(*decoded, kBarStateVersion)) return;
    // A bar left floating on a screen that is not there comes back to its side.
    for (CVxToolBar* pBar : m_toolBars) {
        if (pBar->isFloating() && !IsOnScreen(pBar->geometry()))
            addToolBar(AreaOf(pBar->GetLayout().initialDock), pBar);
    }
}

void CVxMainFrame::RestorePlacement()
{
    m_bKeepsPlacement = true;
    const auto placement = VxWindowPlacement::Parse(TkGetSettings().GetProfileString("Application", "WindowPos"));
    if (!placement) return;
    const RECT& rc = placement->rcNormalPosition;
    const QRect rect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    // A placement on a screen that is not there keeps the default place.
    if (!IsOnScreen(rect)) return;
    setGeometry(rect);
    if (placement->nShowCmd == VxWindowPlacement::kShowMaximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void CVxMainFrame::SavePlacement()
{
    VxWindowPlacement placement;
    placement.nShowCmd = isMaximized() ? VxWindowPlacement::kShowMaximized : VxWindowPlacement::kShowNormal;
    const QRect rect = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    placement.rcNormalPosition = {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    ITkSettings& settings = TkGetSettings();
    settings.WriteProfileString("Application", "WindowPos", placement.Format());
    settings.WriteProfileString(kBarSection, kBarStateKey, saveState(kBarStateVersion).toBase64().toStdString());
}
