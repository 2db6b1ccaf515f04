#pragma once
// Message boxes on screen: the MB_ button set, icon and default button of a
// request shown as a QMessageBox titled with the program's name, answered with
// the IDOK ... IDNO value of the button pressed.

#include "platform/framework/TkMessageService.h"

#include <QMessageBox>
#include <QString>

class QWidget;

class CTkQtMessageService : public ITkMessageService {
public:
    explicit CTkQtMessageService(QString strTitle) : m_strTitle(std::move(strTitle)) {}

    int ShowMessageText(UINT nIdMessage, UINT nType, const std::string& strText) override;

    // The window the boxes are modal to (not owned; null: none).
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    static QMessageBox::StandardButtons ButtonsFor(UINT nType);
    static QMessageBox::StandardButton DefaultButtonFor(UINT nType);
    static QMessageBox::Icon IconFor(UINT nType);
    // What a closed box answers: the button pressed, or for a box closed
    // without one (Escape, the close button) its cancelling button.
    static int AnswerFor(QMessageBox::StandardButton button, UINT nType);

private:
    QString m_strTitle;
    QWidget* m_pParent = nullptr;
};
