#include "platform/framework/TkWaitCursor.h"

namespace {

void (*s_pfnBegin)() = nullptr;
void (*s_pfnEnd)() = nullptr;

}  // namespace

CTkWaitCursor::CTkWaitCursor()
{
    if (s_pfnBegin) s_pfnBegin();
}

CTkWaitCursor::~CTkWaitCursor()
{
    if (s_pfnEnd) s_pfnEnd();
}

void CTkWaitCursor::SetDisplay(void (*pfnBegin)(), void (*pfnEnd)())
{
    s_pfnBegin = pfnBegin;
    s_pfnEnd = pfnEnd;
}
