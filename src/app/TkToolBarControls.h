#pragma once
// The controls a toolbar holds in place of buttons: an editable combo box, an
// edit field and the up-down arrows beside it. A control commits its text when
// it loses the focus; Enter gives the focus back to the view (and so commits),
// Escape gives it back without committing; Tab moves among the bar's controls.

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <functional>

class QToolButton;

// What a control asks of its bar.
struct TkToolBarBoxHooks {
    std::function<void()> focusView;  // give the focus back to the view
    std::function<void(bool)> editing;  // the box got (true) or lost the focus
    std::function<void(const QString&)> commit;
    std::function<void()> cancelled;  // the typed text was dropped
};

class CTkToolBarComboBox : public QComboBox {
public:
    CTkToolBarComboBox(TkToolBarBoxHooks hooks, QWidget* pParent);
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    TkToolBarBoxHooks m_hooks;
    bool m_bDone = false;
    bool m_bEditing = false;
};

class CTkToolBarEdit : public QLineEdit {
public:
    CTkToolBarEdit(TkToolBarBoxHooks hooks, QWidget* pParent);
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    TkToolBarBoxHooks m_hooks;
    bool m_bDone = false;
};

// Up and down arrows that step the buddy field's integer within a range and
// commit it; they never take the focus. The Up and Down keys in the field step
// too.
class CTkToolBarSpinButtonCtrl : public QWidget {
public:
    CTkToolBarSpinButtonCtrl(QLineEdit& buddy, int nLower, int nUpper,
                             std::function<void(const QString&)> commit, QWidget* pParent);
    void Step(int nDelta);
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    QLineEdit& m_buddy;
    int m_nLower;
    int m_nUpper;
    std::function<void(const QString&)> m_commit;
};
