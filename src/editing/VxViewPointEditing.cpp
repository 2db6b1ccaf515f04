// Point editing from the menus: Edit Points, Open, and the point and
// sub-polygon commands, which the selection's manipulator carries out.

#include "editing/VxView.h"

#include "editing/VxGraphicManipulator.h"
#include "graphics/VxPointEditing.h"
#include "platform/framework/TkCmdUI.h"

#include <array>

namespace {

class CVxViewPointEditing : public IVxPointEditing {
public:
    void TogglePointEditing(CVxView* pView) override
    {
        if (pView) pView->OnEditPoints();
    }
};

struct PointCommand {
    unsigned nID;
    bool (CVxGraphicManipulator::*pCan)() const;
    void (CVxGraphicManipulator::*pRun)();
};

constexpr auto kPointCommands = std::to_array<PointCommand>({
    {ID_POINT_NEXT, &CVxGraphicManipulator::CanNextPoint, &CVxGraphicManipulator::NextPoint},
    {ID_POINT_PREVIOUS, &CVxGraphicManipulator::CanPreviousPoint, &CVxGraphicManipulator::PreviousPoint},
    {ID_POINT_INSERT, &CVxGraphicManipulator::CanInsertPoint, &CVxGraphicManipulator::InsertPoint},
    {ID_POINT_DELETE, &CVxGraphicManipulator::CanDeletePoint, &CVxGraphicManipulator::DeletePoint},
    {ID_SUBPOLYGON_NEXT, &CVxGraphicManipulator::CanNextSubpolygon, &CVxGraphicManipulator::NextSubpolygon},
    {ID_SUBPOLYGON_PREVIOUS, &CVxGraphicManipulator::CanPreviousSubpolygon,
     &CVxGraphicManipulator::PreviousSubpolygon},
    {ID_SUBPOLYGON_INSERT, &CVxGraphicManipulator::CanInsertSubpolygon,
     &CVxGraphicManipulator::InsertSubpolygon},
    {ID_SUBPOLYGON_DELETE, &CVxGraphicManipulator::CanDeleteSubpolygon,
     &CVxGraphicManipulator::DeleteSubpolygon},
});

const PointCommand* FindPointCommand(unsigned nID)
{
    for (const PointCommand& command : kPointCommands) {
        if (command.nID == nID) return &command;
    }
    return nullptr;
}

}  // namespace

void CVxView::InstallPointEditing()
{
    static CVxViewPointEditing s_pointEditing;
    VxSetPointEditing(&s_pointEditing);
}

void CVxView::OnEditPoints()
{
    CVxGraphicManipulator* pManipulator = GetSelectionManipulator();
    if (!pManipulator || !pManipulator->CanEditPoints() || m_bCapture) return;
    InvalidateHandles();
    pManipulator->SetEditPoints(!pManipulator->IsEditingPoints());
    InvalidateHandles();
}

void CVxView::OnUpdateEditPoints(CTkCmdUI& cmdUI)
{
    const CVxGraphicManipulator* pManipulator = GetSelectionManipulator();
    cmdUI.Enable(pManipulator && pManipulator->CanEditPoints() && !m_bCapture);
    cmdUI.SetCheck(pManipulator && pManipulator->IsEditingPoints() ? 1 : 0);
}

void CVxView::OnEditOpen()
{
    if (m_selection.CanEdit() && !m_bCapture) m_selection.Edit(this);
}

void CVxView::OnUpdateEditOpen(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(m_selection.CanEdit() && !m_bCapture);
}

void CVxView::OnPointCommand(unsigned nID)
{
    CVxGraphicManipulator* pManipulator = GetSelectionManipulator();
    const PointCommand* pCommand = FindPointCommand(nID);
    if (pManipulator && pCommand && !m_bCapture && (pManipulator->*pCommand->pCan)())
        (pManipulator->*pCommand->pRun)();
}

void CVxView::OnUpdatePointCommand(CTkCmdUI& cmdUI)
{
    const CVxGraphicManipulator* pManipulator = GetSelectionManipulator();
    const PointCommand* pCommand = FindPointCommand(cmdUI.GetID());
    cmdUI.Enable(pManipulator && pCommand && !m_bCapture && (pManipulator->*pCommand->pCan)());
}
