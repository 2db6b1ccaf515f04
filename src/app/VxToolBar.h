#pragma once
// A dockable toolbar made from one row of VxToolBarLayouts: its buttons are
// the commands' actions (so their state is the menus' state), separators
// where the row has 0, and the controls the frame makes for control ids.

#include "resources/VxToolBarLayouts.h"

#include <QToolBar>

#include <functional>

class CVxCommandActions;

class CVxToolBar : public QToolBar {
public:
    // makeControl answers the control for an id that is no command (600-603).
    using ControlFactory = std::function<QWidget*(unsigned nID, CVxToolBar& bar)>;

    CVxToolBar(const VxToolBarLayout& layout, CVxCommandActions& actions,
               const ControlFactory& makeControl, QWidget* pParent);

    const VxToolBarLayout& GetLayout() const { return m_layout; }
    // 16-pixel images on 24-pixel buttons, or 24-pixel images on 32-pixel buttons.
    void ApplyButtonSize(bool bLarge);
    bool IsLarge() const { return m_bLarge; }
    // The button of a command on this bar; null when the bar lacks it.
    QWidget* GetButton(unsigned nID) const;

protected:
    // The action of a command; null when no command has that id.
    QAction* ActionOf(unsigned nID) const;

private:
    const VxToolBarLayout& m_layout;
    CVxCommandActions& m_actions;
    bool m_bLarge = false;
};
