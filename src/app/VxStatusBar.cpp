#include "app/VxStatusBar.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkSettings.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QLabel>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::array<unsigned, CVxStatusBar::kPaneCount> kPaneIds{
    ID_INDICATOR_COORDINATE, ID_INDICATOR_SIZE, ID_INDICATOR_SELECTION};
constexpr std::array<const char*, CVxStatusBar::kPaneCount> kDisplayKeys{
    "DisplayCoordinate", "DisplaySize", "DisplaySelection"};
constexpr const char* kSection = "StatusBar";

std::size_t PaneIndex(unsigned nID)
{
    return std::size_t(std::find(kPaneIds.begin(), kPaneIds.end(), nID) - kPaneIds.begin());
}

// Every text the Coordinate (bSize false) or Size pane can show at the extremes.
std::vector<std::string> PairTexts(bool bSize)
{
    const int nMin = TkGetSettings().GetProfileInt(kSection, "MinCoordinate", 1);
    const int nMax = TkGetSettings().GetProfileInt(kSection, "MaxCoordinate", 123456);
    const std::string plain = TkLoadString(bSize ? IDS_SIZE_FORMAT : IDS_COORDINATE_FORMAT);
    const std::string units = TkLoadString(bSize ? IDS_SIZE_UNITS_FORMAT : IDS_COORDINATE_UNITS_FORMAT);
    std::vector<std::string> texts;
    for (int n : {nMin, nMax}) {
        texts.push_back(TkFormat(plain, n, n));
        for (unsigned nUnit = IDS_UNITS_PU; nUnit <= IDS_UNITS_CM; ++nUnit)
            texts.push_back(TkFormat(units, n / 100.0, n / 100.0, TkLoadString(nUnit)));
    }
    return texts;
}

std::vector<std::string> SelectionTexts()
{
    std::vector<std::string> texts{TkFormat(TkLoadString(IDS_N_SELECTED), 2147483647)};
    const std::string one = TkLoadString(IDS_ONE_SELECTED);
    for (unsigned nID = IDS_TYPE_LINE; nID <= IDS_TYPE_SELECTION; ++nID)
        texts.push_back(TkFormat(one, TkLoadString(nID)));
    for (unsigned nID = IDS_TYPE_ARC; nID <= IDS_TYPE_ARC + 2; ++nID)
        texts.push_back(TkFormat(one, TkLoadString(nID)));
    return texts;
}

}  // namespace

CVxStatusBar::CVxStatusBar(QWidget* pParent)
    : QStatusBar(pParent), m_pMessage(new QLabel(QString::fromStdString(TkLoadString(IDS_IDLE_PROMPT)), this))
{
    addWidget(m_pMessage, 1);
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setObjectName(QString::number(kPaneIds[i]));
        m_panes[i]->setMinimumWidth(PaneWidth(i));
        addPermanentWidget(m_panes[i]);
    }
    LoadSettings();
}

void CVxStatusBar::LoadSettings()
{
    for (std::size_t i = 0; i < kPaneCount; ++i)
        m_shown[i] = TkGetSettings().GetProfileInt(kSection, kDisplayKeys[i], 1) != 0;
    Rebuild();
}

void CVxStatusBar::SetPaneShown(unsigned nID, bool bShown)
{
    const std::size_t i = PaneIndex(nID);
    if (i >= kPaneCount || m_shown[i] == bShown) return;
    m_shown[i] = bShown;
    Rebuild();
    TkGetSettings().WriteProfileInt(kSection, kDisplayKeys[i], bShown ? 1 : 0);
}

bool CVxStatusBar::IsPaneShown(unsigned nID) const
{
    const std::size_t i = PaneIndex(nID);
    return i < kPaneCount && m_shown[i];
}

std::vector<unsigned> CVxStatusBar::GetShownPanes() const
{
    std::vector<std::pair<int, unsigned>> placed;
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        if (m_panes[i]->isVisibleTo(this)) placed.emplace_back(m_panes[i]->x(), kPaneIds[i]);
    }
    std::sort(placed.begin(), placed.end());
    std::vector<unsigned> ids;
    for (const auto& [x, nID] : placed) ids.push_back(nID);
    return ids;
}

QString CVxStatusBar::GetPaneText(unsigned nID) const
{
    const std::size_t i = PaneIndex(nID);
    return i < kPaneCount ? m_panes[i]->text() : QString();
}

void CVxStatusBar::SetPaneText(unsigned nID, const QString& text, bool bEnabled)
{
    const std::size_t i = PaneIndex(nID);
    if (i >= kPaneCount) return;
    if (m_panes[i]->text() != text) m_panes[i]->setText(text);
    m_panes[i]->setEnabled(bEnabled);
}

// The panes stand in the bar in their order once and for all; hiding leaves
// the others' order as it was.
void CVxStatusBar::Rebuild()
{
    for (std::size_t i = 0; i < kPaneCount; ++i) m_panes[i]->setVisible(m_shown[i]);
}

int CVxStatusBar::PaneWidth(std::size_t i) const
{
    const std::vector<std::string> texts = i == 2 ? SelectionTexts() : PairTexts(i == 1);
    int nWidest = 0;
    for (const std::string& text : texts)
        nWidest = std::max(nWidest, m_panes[i]->fontMetrics().horizontalAdvance(QString::fromStdString(text)));
    // The label's frame and a little air on either side.
    return nWidest + 2 * m_panes[i]->margin() + 8;
}
