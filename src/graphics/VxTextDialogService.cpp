#include "graphics/VxTextDialogService.h"

#include "platform/framework/TkServiceSlot.h"

namespace {

// Without an editor there is nobody to ask.
class CVxCancellingTextDialog : public IVxTextDialogService {
public:
    BOOL RunTextDialog(CVxView*, VxTextDialogData&) override { return FALSE; }
};

CTkServiceSlot<IVxTextDialogService, CVxCancellingTextDialog>& Slot()
{
    static CTkServiceSlot<IVxTextDialogService, CVxCancellingTextDialog> slot;
    return slot;
}

}  // namespace

IVxTextDialogService& VxGetTextDialogService()
{
    return Slot().Get();
}

void VxSetTextDialogService(IVxTextDialogService* pService)
{
    Slot().Set(pService);
}
