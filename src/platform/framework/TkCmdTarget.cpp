#include "platform/framework/TkCmdTarget.h"

bool CTkCmdTarget::OnCmdMsg(unsigned, CTkCmdUI*)
{
    return false;
}
