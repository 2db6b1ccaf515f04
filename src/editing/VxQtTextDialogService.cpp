#include "editing/VxQtTextDialogService.h"

#include "editing/VxDrawTextDlg.h"
#include "editing/VxView.h"

BOOL CVxQtTextDialogService::RunTextDialog(CVxView* pView, VxTextDialogData& data)
{
    CVxDrawTextDlg dialog(data, pView);
    if (dialog.exec() != QDialog::Accepted) return FALSE;
    data = dialog.GetData();
    return TRUE;
}
