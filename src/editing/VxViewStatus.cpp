// The texts of the Coordinate, Size and Selection panes of the status bar.

#include "editing/VxView.h"

#include "graphics/VxGraphic.h"
#include "platform/framework/TkFormat.h"
#include "editing/VxGridSettings.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <cmath>
#include <cstdlib>

namespace {

double ToUnits(int nValue, double dPerUnit)
{
    return std::round(nValue / dPerUnit * 100.0) / 100.0;
}

// x, y in picture units as the pane shows them: integers, or inches or
// centimetres to two decimals with the unit's name.
std::string FormatPair(const CVxDoc& doc, int x, int y, unsigned nPlainFormat,
                       unsigned nUnitsFormat)
{
    const int nUnits = VxLoadUnits();
    if (nUnits != 1 && nUnits != 2) return TkFormat(TkLoadString(nPlainFormat), x, y);
    const CTkPair<double> perUnit = nUnits == 1 ? doc.GetUnitsPerInch() : doc.GetUnitsPerCm();
    if (perUnit.x <= 0 || perUnit.y <= 0) return TkFormat(TkLoadString(nPlainFormat), x, y);
    return TkFormat(TkLoadString(nUnitsFormat), ToUnits(x, perUnit.x), ToUnits(y, perUnit.y),
                    TkLoadString(IDS_UNITS_PU + unsigned(nUnits)));
}

}  // namespace

void CVxView::OnUpdateCoordinatePane(CTkCmdUI& cmdUI)
{
    if (!m_bActive) return;
    POINT point{};
    IVxInputHandler* pManipulator = GetActiveManipulator();
    const bool bFromManipulator =
        pManipulator && !m_bCapture && pManipulator->GetCurrentPoint(point);
    if (!bFromManipulator) m_pTool->GetCurrentPoint(point);
    cmdUI.SetText(FormatPair(m_doc, point.x, point.y, IDS_COORDINATE_FORMAT,
                             IDS_COORDINATE_UNITS_FORMAT));
    cmdUI.Enable();
}

void CVxView::OnUpdateSizePane(CTkCmdUI& cmdUI)
{
    if (!m_bActive) return;
    SIZE size{};
    IVxInputHandler* pManipulator = GetActiveManipulator();
    const bool bFromManipulator =
        pManipulator && !m_bCapture && pManipulator->GetCurrentSize(size);
    if (!bFromManipulator) m_pTool->GetCurrentSize(size);
    cmdUI.SetText(size.cx == 0 && size.cy == 0
                      ? std::string()
                      : FormatPair(m_doc, std::abs(size.cx), std::abs(size.cy), IDS_SIZE_FORMAT,
                                   IDS_SIZE_UNITS_FORMAT));
    cmdUI.Enable();
}

void CVxView::OnUpdateSelectionPane(CTkCmdUI& cmdUI)
{
    if (!m_bActive) return;
    const int nCount = m_selection.GetChildCount();
    cmdUI.SetText(nCount == 1
                      ? TkFormat(TkLoadString(IDS_ONE_SELECTED),
                                 m_selection.GetFirstChild()->GetTypeName())
                      : TkFormat(TkLoadString(IDS_N_SELECTED), nCount));
    cmdUI.Enable();
}
