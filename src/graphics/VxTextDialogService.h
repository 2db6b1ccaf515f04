#pragma once
// The "Text" dialog of a text graphic's Edit, reached through a service so that
// the model does not depend on the editor's widgets and tests can answer it.

#include "platform/gdi/GdiTypes.h"

#include <string>

class CVxView;

// What the dialog opens with and, when confirmed, what the user chose.
struct VxTextDialogData {
    std::u16string strText;
    BOOL bClip = FALSE;
    BOOL bOpaque = FALSE;
    BOOL bSizeToFit = FALSE;
};

class IVxTextDialogService {
public:
    virtual ~IVxTextDialogService() = default;
    // TRUE when the user confirmed; data then holds the answers. Cancel leaves
    // data as it was.
    virtual BOOL RunTextDialog(CVxView* pView, VxTextDialogData& data) = 0;
};

// The installed service; without one every dialog is cancelled.
IVxTextDialogService& VxGetTextDialogService();
// Installs pService (not owned; null restores the cancelling default).
void VxSetTextDialogService(IVxTextDialogService* pService);
