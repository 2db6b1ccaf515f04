#pragma once
// The "Text" dialog as Qt shows it, over the view that asks.

#include "graphics/VxTextDialogService.h"

class CVxQtTextDialogService : public IVxTextDialogService {
public:
    BOOL RunTextDialog(CVxView* pView, VxTextDialogData& data) override;
};
