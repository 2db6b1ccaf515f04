#pragma once
// The status bar: the message pane, then the Coordinate, Size and Selection
// panes that are shown, always in that order. Which are shown is kept under
// "StatusBar"; each pane is as wide as the widest text it can show.

#include <QStatusBar>

#include <array>

class QLabel;

class CVxStatusBar : public QStatusBar {
public:
    static constexpr std::size_t kPaneCount = 3;

    explicit CVxStatusBar(QWidget* pParent);

    void LoadSettings();
    // Ids outside the three panes are ignored; a change is rebuilt and stored.
    void SetPaneShown(unsigned nID, bool bShown);
    bool IsPaneShown(unsigned nID) const;
    // The ids of the panes right of the message pane, in their order.
    std::vector<unsigned> GetShownPanes() const;
    QLabel& GetMessagePane() { return *m_pMessage; }
    QString GetPaneText(unsigned nID) const;
    void SetPaneText(unsigned nID, const QString& text, bool bEnabled);

private:
    void Rebuild();
    // The widest text pane i can show.
    int PaneWidth(std::size_t i) const;

    QLabel* m_pMessage;
    std::array<QLabel*, kPaneCount> m_panes{};
    std::array<bool, kPaneCount> m_shown{true, true, true};
};
