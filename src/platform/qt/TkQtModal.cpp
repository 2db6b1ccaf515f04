#include "platform/qt/TkQtModal.h"

#include <QDialog>

#include <utility>

namespace {

CTkScopedModalHandler::Handler& Installed()
{
    static CTkScopedModalHandler::Handler handler;
    return handler;
}

}  // namespace

int TkRunModal(QDialog& dialog)
{
    if (!Installed()) return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    Installed()(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
}

CTkScopedModalHandler::CTkScopedModalHandler(Handler handler)
    : m_previous(std::exchange(Installed(), std::move(handler)))
{
}

CTkScopedModalHandler::~CTkScopedModalHandler()
{
    Installed() = std::move(m_previous);
}
