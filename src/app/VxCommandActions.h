#pragma once
// One QAction per command id, made from the menu rows. Triggering an action
// routes its command; the update handlers' answers (CTkCmdUI) are applied to
// the actions when a menu opens and on the idle timer.

#include "platform/framework/TkCmdTarget.h"
#include "resources/VxMenus.h"

#include <QObject>

#include <functional>
#include <map>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class CVxCommandActions : public QObject {
public:
    // route is where commands and updates start (the frame); the actions are
    // children of owner. Both must outlive this object.
    CVxCommandActions(CTkCmdTarget& route, QWidget& owner);

    // Adds the rows' menus to the bar, or the rows' items to menu.
    void BuildMenuBar(QMenuBar& bar, std::span<const VxMenuRow> rows);
    void BuildMenu(QMenu& menu, std::span<const VxMenuRow> rows);

    // Null for an id no row names.
    QAction* GetAction(unsigned nID) const;
    // The action of a command that may have no menu row (a toolbar button),
    // named by its tooltip.
    QAction& GetOrMakeAction(unsigned nID);
    std::vector<unsigned> GetIds() const;

    // Asks the route for the state of every command and shows it.
    void UpdateAll();
    // Updates, then runs the command if it is enabled, then brings the window
    // up to date (by default: every action).
    void Run(unsigned nID);
    void SetAfterCommand(std::function<void()> afterCommand);

private:
    QAction* ActionFor(const VxMenuRow& row);
    void Apply(QAction& action, const CTkCmdUI& cmdUI);

    CTkCmdTarget& m_route;
    QWidget& m_owner;
    std::map<unsigned, QAction*> m_actions;  // owned by m_owner
    std::function<void()> m_afterCommand;
};
