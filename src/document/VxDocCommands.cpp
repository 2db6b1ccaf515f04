// The commands the document owns: File Save and Save As, Undo and Redo.

#include "document/VxDoc.h"

#include <array>

namespace {

const auto kCommands = std::to_array<CTkCmdEntry<CVxDoc>>({
    TkOnCommand(ID_FILE_SAVE, &CVxDoc::OnFileSave),
    TkOnCommand(ID_FILE_SAVE_AS, &CVxDoc::OnFileSaveAs),
    TkOnCommand(ID_EDIT_UNDO, &CVxDoc::OnEditUndo, &CVxDoc::OnUpdateEditUndo, kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_REDO, &CVxDoc::OnEditRedo, &CVxDoc::OnUpdateEditRedo, kTkCmdEnabledByX1),
});

}  // namespace

bool CVxDoc::OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI)
{
    return Dispatch<CVxDoc>(*this, kCommands, nID, pCmdUI);
}

void CVxDoc::OnUpdateEditUndo(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(CanUndo());
}

void CVxDoc::OnUpdateEditRedo(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(CanRedo());
}

bool CVxDoc::IsUndoEnabled()
{
    CTkCmdUI cmdUI(ID_EDIT_UNDO);
    return OnCmdMsg(ID_EDIT_UNDO, &cmdUI) && cmdUI.IsEnabled();
}

bool CVxDoc::IsRedoEnabled()
{
    CTkCmdUI cmdUI(ID_EDIT_REDO);
    return OnCmdMsg(ID_EDIT_REDO, &cmdUI) && cmdUI.IsEnabled();
}
