#pragma once
// The document's open and save prompts shown as Qt file dialogs.

#include "document/VxFileDialogService.h"

#include <QStringList>

class QWidget;

class CVxQtFileDialogService : public IVxFileDialogService {
public:
    bool ShowFileDialog(VxFileDialogRequest& request) override;

    // The window the dialogs are modal to (not owned; null: none).
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

    // Qt's name filters for the request's list, in its order: the text without
    // a pattern of its own in brackets, then the patterns, blank-separated.
    static QStringList NameFilters(const std::vector<VxFileFilter>& filters);

private:
    QWidget* m_pParent = nullptr;
};
