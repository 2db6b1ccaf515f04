// The view's command table and the update handlers of its zoom commands.

#include "editing/VxView.h"

#include "resources/VxResourceIds.h"

#include <array>

namespace {

const auto kCommands = std::to_array<CTkCmdEntry<CVxView>>({
    TkOnCommand(ID_VIEW_ZOOM_IN, &CVxView::OnZoomIn, &CVxView::OnUpdateZoomIn),
    TkOnCommand(ID_VIEW_ZOOM_OUT, &CVxView::OnZoomOut, &CVxView::OnUpdateZoomOut),
    TkOnCommand(ID_VIEW_ACTUAL_SIZE, &CVxView::OnViewActualSize,
                &CVxView::OnUpdateViewActualSize),
    TkOnCommand(ID_VIEW_FULL_PAGE, &CVxView::OnViewFullPage, &CVxView::OnUpdateViewFullPage),
    TkOnCommand(ID_VIEW_REDRAW, &CVxView::OnViewRedraw),
});

}  // namespace

bool CVxView::OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI)
{
    return Dispatch<CVxView>(*this, kCommands, nID, pCmdUI);
}

void CVxView::OnUpdateZoomIn(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(CanZoomIn());
}

void CVxView::OnUpdateZoomOut(CTkCmdUI& cmdUI)
{
    cmdUI.Enable(CanZoomOut());
}

void CVxView::OnUpdateViewActualSize(CTkCmdUI& cmdUI)
{
    cmdUI.SetCheck(!m_bFullPage && m_nZoom == kActualSize ? 1 : 0);
}

void CVxView::OnUpdateViewFullPage(CTkCmdUI& cmdUI)
{
    cmdUI.SetCheck(m_bFullPage ? 1 : 0);
}

void CVxView::OnViewRedraw()
{
    viewport()->update();
}
