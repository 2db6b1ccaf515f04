#pragma once
// The list of record types an import met but did not turn into graphics, by
// their names, in the order first met.

#include <QDialog>

class CVxIgnoredMetafileRecords;
class QListWidget;

class CVxIgnoredMetafileRecordsDialog : public QDialog {
public:
    // records is read at construction only.
    explicit CVxIgnoredMetafileRecordsDialog(const CVxIgnoredMetafileRecords& records,
                                             QWidget* pParent = nullptr);

    QListWidget& GetList() { return *m_pList; }

private:
    QListWidget* m_pList;  // owned by the dialog
};
