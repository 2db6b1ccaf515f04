#include "app/VxQtFileDialogService.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList CVxQtFileDialogService::NameFilters(const std::vector<VxFileFilter>& filters)
{
    QStringList names;
    for (const VxFileFilter& filter : filters) {
        QString text = QString::fromStdString(filter.strText).trimmed();
        // "Windows Metafiles (*.wmf)": Qt reads the last brackets as the
        // patterns, and ';' is no separator to it, so they are written anew.
        if (text.endsWith(u')')) {
            const qsizetype nOpen = text.lastIndexOf(u'(');
            if (nOpen > 0) text = text.left(nOpen).trimmed();
        }
        QString patterns = QString::fromStdString(filter.strPattern);
        patterns.replace(u';', u' ');
        names.append(text + QStringLiteral(" (") + patterns.simplified() + u')');
    }
    return names;
}

bool CVxQtFileDialogService::ShowFileDialog(VxFileDialogRequest& request)
{
    QFileDialog dialog(m_pParent, QString::fromStdString(request.strTitle));
    const bool bOpen = request.bOpenFileDialog;
    dialog.setAcceptMode(bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(bOpen && (request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                    : QFileDialog::AnyFile);
    const QStringList names = NameFilters(request.filters);
    dialog.setNameFilters(names);
    if (request.nFilterIndex >= 1 && request.nFilterIndex <= names.size())
        dialog.selectNameFilter(names[request.nFilterIndex - 1]);
    if (!request.strInitialFolder.empty())
        dialog.setDirectory(QString::fromStdString(request.strInitialFolder));
    if (!request.strFileName.empty()) dialog.selectFile(QString::fromStdString(request.strFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.strFileName = QFileInfo(dialog.selectedFiles().front()).absoluteFilePath().toStdString();
    request.nFilterIndex = int(names.indexOf(dialog.selectedNameFilter())) + 1;
    if (request.nFilterIndex < 1) request.nFilterIndex = 1;
    return true;
}
