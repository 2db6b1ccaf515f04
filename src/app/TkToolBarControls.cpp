#include "app/TkToolBarControls.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

enum class BoxKey { Enter, Escape, Other };

BoxKey ClassifyKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return BoxKey::Enter;
    case Qt::Key_Escape: return BoxKey::Escape;
    default: return BoxKey::Other;
    }
}

// Enter commits at once and Escape drops the text, both before the focus goes
// back to the view, so the focus change that follows commits nothing more.
// True when the key was taken.
bool HandleBoxKey(const QKeyEvent& event, const QString& text, const TkToolBarBoxHooks& hooks,
                  bool& bDone)
{
    const BoxKey key = ClassifyKey(event);
    if (key == BoxKey::Other) {
        if (hooks.editing) hooks.editing(true);
        return false;
    }
    bDone = true;
    if (hooks.editing) hooks.editing(false);
    if (key == BoxKey::Enter && hooks.commit) hooks.commit(text);
    if (key == BoxKey::Escape && hooks.cancelled) hooks.cancelled();
    if (hooks.focusView) hooks.focusView();
    return true;
}

// A focus change to anywhere but the box's own list commits what was typed.
void HandleBoxFocus(const QFocusEvent& event, const QString& text, const TkToolBarBoxHooks& hooks,
                    bool& bDone)
{
    if (event.reason() == Qt::PopupFocusReason) return;
    if (event.gotFocus()) {
        bDone = false;
        if (hooks.editing) hooks.editing(true);
        return;
    }
    if (hooks.editing) hooks.editing(false);
    if (!bDone && hooks.commit) hooks.commit(text);
    bDone = true;
}

}  // namespace

CTkToolBarComboBox::CTkToolBarComboBox(TkToolBarBoxHooks hooks, QWidget* pParent)
    : QComboBox(pParent), m_hooks(std::move(hooks))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    installEventFilter(this);
    lineEdit()->installEventFilter(this);
    // A pick from the list is committed at once.
    connect(this, &QComboBox::activated, this, [this](int nIndex) {
        m_bDone = true;
        if (m_hooks.editing) m_hooks.editing(false);
        if (m_hooks.commit) m_hooks.commit(itemText(nIndex));
        if (m_hooks.focusView) m_hooks.focusView();
    });
}

bool CTkToolBarComboBox::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*pEvent);
        const bool bArrow = key.key() == Qt::Key_Up || key.key() == Qt::Key_Down;
        if (bArrow && !(key.modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
            if (!view()->isVisible()) showPopup();
            return true;
        }
        return HandleBoxKey(key, currentText(), m_hooks, m_bDone);
    }
    // The combo box and its edit field report the same focus change once.
    if (pEvent->type() == QEvent::FocusIn || pEvent->type() == QEvent::FocusOut) {
        const bool bIn = pEvent->type() == QEvent::FocusIn;
        if (bIn != m_bEditing && static_cast<QFocusEvent*>(pEvent)->reason() != Qt::PopupFocusReason) {
            m_bEditing = bIn;
            HandleBoxFocus(*static_cast<QFocusEvent*>(pEvent), currentText(), m_hooks, m_bDone);
        }
    }
    return QComboBox::eventFilter(pObject, pEvent);
}

CTkToolBarEdit::CTkToolBarEdit(TkToolBarBoxHooks hooks, QWidget* pParent)
    : QLineEdit(pParent), m_hooks(std::move(hooks))
{
    installEventFilter(this);
}

bool CTkToolBarEdit::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress)
        return HandleBoxKey(static_cast<const QKeyEvent&>(*pEvent), text(), m_hooks, m_bDone);
    if (pEvent->type() == QEvent::FocusIn || pEvent->type() == QEvent::FocusOut)
        HandleBoxFocus(*static_cast<QFocusEvent*>(pEvent), text(), m_hooks, m_bDone);
    return QLineEdit::eventFilter(pObject, pEvent);
}

CTkToolBarSpinButtonCtrl::CTkToolBarSpinButtonCtrl(QLineEdit& buddy, int nLower, int nUpper,
                                                   std::function<void(const QString&)> commit,
                                                   QWidget* pParent)
    : QWidget(pParent), m_buddy(buddy), m_nLower(nLower), m_nUpper(nUpper), m_commit(std::move(commit))
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    for (const auto& [arrow, nDelta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* pButton = new QToolButton(this);
        pButton->setArrowType(arrow);
        pButton->setAutoRepeat(true);
        // Clicking the arrows leaves the focus where it was.
        pButton->setFocusPolicy(Qt::NoFocus);
        pButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        pButton->setFixedWidth(16);
        pLayout->addWidget(pButton);
        connect(pButton, &QToolButton::clicked, this, [this, nDelta = nDelta] { Step(nDelta); });
    }
    setFocusPolicy(Qt::NoFocus);
    buddy.installEventFilter(this);
}

void CTkToolBarSpinButtonCtrl::Step(int nDelta)
{
    bool bNumber = false;
    const int nValue = m_buddy.text().trimmed().toInt(&bNumber);
    const int nNew = bNumber ? std::clamp(nValue + nDelta, m_nLower, m_nUpper) : m_nLower;
    m_buddy.setText(QString::number(nNew));
    if (m_commit) m_commit(m_buddy.text());
}

bool CTkToolBarSpinButtonCtrl::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject == &m_buddy && pEvent->type() == QEvent::KeyPress) {
        const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Down) {
            Step(nKey == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(pObject, pEvent);
}
