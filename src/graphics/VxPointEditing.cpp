#include "graphics/VxPointEditing.h"

namespace {

IVxPointEditing*& Installed()
{
    static IVxPointEditing* s_pPointEditing = nullptr;
    return s_pPointEditing;
}

}  // namespace

void VxSetPointEditing(IVxPointEditing* pPointEditing)
{
    Installed() = pPointEditing;
}

void VxTogglePointEditing(CVxView* pView)
{
    if (IVxPointEditing* pPointEditing = Installed())
        pPointEditing->TogglePointEditing(pView);
}
