// The tool commands: which drawing tool gets the input the manipulator leaves.

#include "editing/VxView.h"

#include "editing/VxToolTable.h"
#include "graphics/VxGraphic.h"
#include "platform/framework/TkCmdUI.h"

void CVxView::OnTool(unsigned nID)
{
    if (!VxHasToolForCommand(nID) || nID == m_nToolCommand) return;
    // A shape half drawn with the old tool leaves no trace.
    m_pTool->Cancel(*this);
    m_nToolCommand = nID;
    SetTool(VxToolForCommand(nID));
}

void CVxView::OnUpdateTool(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(VxHasToolForCommand(cmdUI.GetID()));
    cmdUI.SetRadio(cmdUI.GetID() == m_nToolCommand);
}

void CVxView::EditGraphic(CVxGraphic& graphic)
{
    graphic.Edit(this);
}
