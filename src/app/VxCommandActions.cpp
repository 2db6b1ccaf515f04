#include "app/VxCommandActions.h"

#include "platform/framework/TkStrings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <utility>
#include <vector>

CVxCommandActions::CVxCommandActions(CTkCmdTarget& route, QWidget& owner)
    : QObject(&owner), m_route(route), m_owner(owner), m_afterCommand([this] { UpdateAll(); })
{
}

void CVxCommandActions::SetAfterCommand(std::function<void()> afterCommand)
{
    m_afterCommand = std::move(afterCommand);
}

void CVxCommandActions::BuildMenuBar(QMenuBar& bar, std::span<const VxMenuRow> rows)
{
    std::vector<QMenu*> open;
    for (const VxMenuRow& row : rows) {
        switch (row.kind) {
        case VxMenuRowKind::Popup: {
            const QString text = QString::fromUtf8(row.pszText);
            QMenu* pMenu = open.empty() ? bar.addMenu(text) : open.back()->addMenu(text);
            // The items show their current state whenever the menu opens.
            connect(pMenu, &QMenu::aboutToShow, this, [this] { UpdateAll(); });
            open.push_back(pMenu);
            break;
        }
        case VxMenuRowKind::End:
            if (!open.empty()) open.pop_back();
            break;
        case VxMenuRowKind::Separator:
            if (!open.empty()) open.back()->addSeparator();
            break;
        case VxMenuRowKind::Item:
            if (!open.empty()) open.back()->addAction(ActionFor(row));
            break;
        }
    }
}

void CVxCommandActions::BuildMenu(QMenu& menu, std::span<const VxMenuRow> rows)
{
    connect(&menu, &QMenu::aboutToShow, this, [this] { UpdateAll(); });
    for (const VxMenuRow& row : rows) {
        if (row.kind == VxMenuRowKind::Separator) menu.addSeparator();
        if (row.kind == VxMenuRowKind::Item) menu.addAction(ActionFor(row));
    }
}

QAction* CVxCommandActions::ActionFor(const VxMenuRow& row)
{
    // A command in two menus is one action.
    if (QAction* pAction = GetAction(row.nId)) return pAction;
    auto* pAction = new QAction(QString::fromUtf8(row.pszText), &m_owner);
    pAction->setShortcut(QKeySequence(QString::fromLatin1(row.pszAccel)));
    const std::string prompt = TkExtractSubString(TkLoadString(row.nId), 0);
    pAction->setStatusTip(QString::fromStdString(prompt));
    const unsigned nID = row.nId;
    connect(pAction, &QAction::triggered, this, [this, nID] { Run(nID); });
    // Accelerators work while the menu bar is closed.
    m_owner.addAction(pAction);
    m_actions[nID] = pAction;
    return pAction;
}

QAction& CVxCommandActions::GetOrMakeAction(unsigned nID)
{
    if (QAction* pAction = GetAction(nID)) return *pAction;
    const std::string tip = TkExtractSubString(TkLoadString(nID), 1);
    const std::string text = tip.empty() ? TkExtractSubString(TkLoadString(nID), 0) : tip;
    return *ActionFor({VxMenuRowKind::Item, nID, text.c_str(), "", 0});
}

QAction* CVxCommandActions::GetAction(unsigned nID) const
{
    const auto it = m_actions.find(nID);
    return it == m_actions.end() ? nullptr : it->second;
}

std::vector<unsigned> CVxCommandActions::GetIds() const
{
    std::vector<unsigned> ids;
    for (const auto& [nID, pAction] : m_actions) ids.push_back(nID);
    return ids;
}

void CVxCommandActions::Apply(QAction& action, const CTkCmdUI& cmdUI)
{
    action.setEnabled(cmdUI.IsEnabled());
    const bool bMarked = cmdUI.GetCheck() != 0 || cmdUI.IsRadio();
    if (bMarked) action.setCheckable(true);
    if (action.isCheckable()) action.setChecked(bMarked);
    if (cmdUI.GetText()) action.setText(QString::fromStdString(*cmdUI.GetText()));
    action.setVisible(cmdUI.IsShown());
}

void CVxCommandActions::UpdateAll()
{
    for (const auto& [nID, pAction] : m_actions) {
        CTkCmdUI cmdUI(nID);
        m_route.OnCmdMsg(nID, &cmdUI);
        Apply(*pAction, cmdUI);
    }
}

void CVxCommandActions::Run(unsigned nID)
{
    CTkCmdUI cmdUI(nID);
    // The state may have changed since the menu was drawn (an accelerator
    // does not open it).
    if (!m_route.OnCmdMsg(nID, &cmdUI) || !cmdUI.IsEnabled()) return;
    m_route.OnCmdMsg(nID, nullptr);
    m_afterCommand();
}
