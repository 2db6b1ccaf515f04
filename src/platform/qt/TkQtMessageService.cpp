#include "platform/qt/TkQtMessageService.h"

#include <array>
#include <utility>

namespace {

using Button = QMessageBox::StandardButton;

// The buttons of each MB_ set, left to right, as MB_DEFBUTTONn counts them.
std::array<Button, 3> ButtonsInOrder(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL: return {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::NoButton};
    case MB_ABORTRETRYIGNORE: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MB_YESNOCANCEL: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MB_YESNO: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::NoButton};
    case MB_RETRYCANCEL: return {QMessageBox::Retry, QMessageBox::Cancel, QMessageBox::NoButton};
    default: return {QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton};
    }
}

}  // namespace

QMessageBox::StandardButtons CTkQtMessageService::ButtonsFor(UINT nType)
{
    QMessageBox::StandardButtons buttons;
    for (const Button button : ButtonsInOrder(nType)) buttons |= button;
    return buttons;
}

QMessageBox::StandardButton CTkQtMessageService::DefaultButtonFor(UINT nType)
{
    const auto buttons = ButtonsInOrder(nType);
    const std::size_t nIndex = (nType & MB_DEFMASK) >> 8;
    // A default beyond the set falls back to the first button, as the system does.
    if (nIndex >= buttons.size() || buttons[nIndex] == QMessageBox::NoButton) return buttons[0];
    return buttons[nIndex];
}

QMessageBox::Icon CTkQtMessageService::IconFor(UINT nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int CTkQtMessageService::AnswerFor(QMessageBox::StandardButton button, UINT nType)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: break;
    }
    // Closed without a button: only sets with a way out can be closed so.
    switch (nType & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDNO;
    }
}

int CTkQtMessageService::ShowMessageText(UINT, UINT nType, const std::string& strText)
{
    QMessageBox box(IconFor(nType), m_strTitle, QString::fromStdString(strText),
                    ButtonsFor(nType), m_pParent);
    box.setDefaultButton(DefaultButtonFor(nType));
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    return AnswerFor(pressed, nType);
}
