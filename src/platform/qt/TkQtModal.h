#pragma once
// Runs dialogs modally. Tests install a handler that plays the user's part on
// the shown dialog (fills its fields, presses its buttons) instead of waiting
// for input; a dialog the handler leaves open is cancelled.

#include <functional>

class QDialog;

// The dialog's result: QDialog::Accepted or QDialog::Rejected.
int TkRunModal(QDialog& dialog);

class CTkScopedModalHandler {
public:
    using Handler = std::function<void(QDialog& dialog)>;

    explicit CTkScopedModalHandler(Handler handler);
    ~CTkScopedModalHandler();
    CTkScopedModalHandler(const CTkScopedModalHandler&) = delete;
    CTkScopedModalHandler& operator=(const CTkScopedModalHandler&) = delete;

private:
    Handler m_previous;
};
