// The grid commands and the Grid Settings dialog.

#include "editing/VxView.h"

#include "editing/VxEditDialogs.h"

void CVxView::SetGrid(const VxGridSettingsData& grid)
{
    m_grid = grid;
    // Kept as soon as chosen, so that a crash or another window loses nothing.
    m_grid.Save();
    InvalidateAll();
}

void CVxView::OnViewDisplayGrid()
{
    VxGridSettingsData grid = m_grid;
    grid.bDisplayGrid = !grid.bDisplayGrid;
    SetGrid(grid);
}

void CVxView::OnViewSnapToGrid()
{
    m_grid.bSnapToGrid = !m_grid.bSnapToGrid;
    m_grid.Save();
}

void CVxView::OnUpdateViewDisplayGrid(CTkCmdUI& cmdUI) { cmdUI.SetCheck(m_grid.bDisplayGrid ? 1 : 0); }

void CVxView::OnUpdateViewSnapToGrid(CTkCmdUI& cmdUI) { cmdUI.SetCheck(m_grid.bSnapToGrid ? 1 : 0); }

void CVxView::OnViewGridSettings()
{
    VxGridSettingsData data = m_grid;
    data.nUnits = VxLoadUnits();
    data.unitsPerInch = m_doc.GetUnitsPerInch();
    data.unitsPerCm = m_doc.GetUnitsPerCm();
    if (!VxGetEditDialogs().RunGridSettings(data)) return;
    VxSaveUnits(data.nUnits);
    SetGrid(data);
}
