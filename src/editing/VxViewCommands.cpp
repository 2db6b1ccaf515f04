// The view's command table and the update handlers of its zoom commands.

#include "editing/VxView.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <array>

namespace {

using V = CVxView;
constexpr unsigned kX1 = kTkCmdEnabledByX1;

const auto kCommands = std::to_array<CTkCmdEntry<CVxView>>({
    TkOnCommand(ID_VIEW_ZOOM_IN, &CVxView::OnZoomIn, &CVxView::OnUpdateZoomIn),
    TkOnCommand(ID_VIEW_ZOOM_OUT, &CVxView::OnZoomOut, &CVxView::OnUpdateZoomOut),
    TkOnCommand(ID_VIEW_ACTUAL_SIZE, &CVxView::OnViewActualSize,
                &CVxView::OnUpdateViewActualSize),
    TkOnCommand(ID_VIEW_FULL_PAGE, &CVxView::OnViewFullPage, &CVxView::OnUpdateViewFullPage),
    TkOnCommand(ID_VIEW_ZOOM_CUSTOM, &CVxView::OnViewZoomCustom,
                &CVxView::OnUpdateViewZoomCustom),
    TkOnCommand<CVxView>(IDC_CUSTOM_ZOOM, nullptr, &CVxView::OnUpdateZoomBox),
    TkOnCommand(ID_VIEW_REDRAW, &CVxView::OnViewRedraw),
    TkOnCommand(ID_EDIT_CANCEL, &CVxView::OnCancelMode),
    TkOnCommand(ID_VIEW_DISPLAY_GRID, &CVxView::OnViewDisplayGrid,
                &CVxView::OnUpdateViewDisplayGrid),
    TkOnCommand(ID_VIEW_SNAP_TO_GRID, &CVxView::OnViewSnapToGrid,
                &CVxView::OnUpdateViewSnapToGrid),
    TkOnCommand(ID_VIEW_GRID_SETTINGS, &CVxView::OnViewGridSettings),
    TkOnCommand<CVxView>(ID_INDICATOR_COORDINATE, nullptr, &CVxView::OnUpdateCoordinatePane),
    TkOnCommand<CVxView>(ID_INDICATOR_SIZE, nullptr, &CVxView::OnUpdateSizePane),
    TkOnCommand<CVxView>(ID_INDICATOR_SELECTION, nullptr, &CVxView::OnUpdateSelectionPane),
    TkOnCommandRange(ID_TOOL_SELECTION, ID_TOOL_TEXT, &CVxView::OnTool, &CVxView::OnUpdateTool),
    TkOnCommandRange(ID_TOOL_ARC, ID_TOOL_ARC, &CVxView::OnTool, &CVxView::OnUpdateTool),
    TkOnCommand(ID_EDIT_POINTS, &CVxView::OnEditPoints, &CVxView::OnUpdateEditPoints, kX1),
    TkOnCommand(ID_EDIT_OPEN, &CVxView::OnEditOpen, &CVxView::OnUpdateEditOpen, kX1),
    TkOnCommandRange(ID_POINT_NEXT, ID_SUBPOLYGON_DELETE, &CVxView::OnPointCommand,
                     &CVxView::OnUpdatePointCommand, kX1),
    // Edit commands of VxViewEditCommands.cpp and VxViewAttributeCommands.cpp.
    TkOnCommand(ID_EDIT_SELECT_NEXT, &V::OnEditSelectNext, &V::OnUpdateNeedsGraphics, kX1),
    TkOnCommand(ID_EDIT_SELECT_PREVIOUS, &V::OnEditSelectPrevious, &V::OnUpdateNeedsGraphics, kX1),
    TkOnCommand(ID_EDIT_SELECT_SIMILAR, &V::OnEditSelectSimilar, &V::OnUpdateNeedsSelection, kX1),
    TkOnCommand(ID_ARRANGE_BRING_TO_FRONT, &V::OnArrangeBringToFront, &V::OnUpdateNeedsSelection, kX1),
    TkOnCommand(ID_ARRANGE_SEND_TO_BACK, &V::OnArrangeSendToBack, &V::OnUpdateNeedsSelection, kX1),
    TkOnCommandRange(ID_ARRANGE_FLIP_HORIZONTAL, ID_ARRANGE_FLIP_BOTH, &V::OnArrangeFlip,
                     &V::OnUpdateNeedsSelection, kX1),
    TkOnCommand(ID_EDIT_TRIM_PICTURE, &V::OnEditTrimPicture, &V::OnUpdateNeedsGraphics, kX1),
    TkOnCommandRange(ID_FORMAT_TRANSPARENT, ID_FORMAT_OPAQUE, &V::OnBkMode, &V::OnUpdateBkMode, kX1),
    TkOnCommandRange(ID_FORMAT_COUNTERCLOCKWISE, ID_FORMAT_CLOCKWISE, &V::OnArcDirection,
                     &V::OnUpdateArcDirection, kX1),
    TkOnCommandRange(ID_COLOR_FIRST, ID_COLOR_LAST, &V::OnColor, &V::OnUpdateColor, kX1),
    TkOnCommand(ID_COLOR_CUSTOM, &V::OnColorCustom, &V::OnUpdateColorCustom, kX1),
    TkOnCommandRange(ID_COLOR_TARGET_LINE, ID_COLOR_TARGET_BACKGROUND, &V::OnColorTarget,
                     &V::OnUpdateColorTarget, kX1),
    TkOnCommandRange(ID_FILL_FIRST, ID_FILL_LAST, &V::OnFill, &V::OnUpdateFill, kX1),
    TkOnCommandRange(ID_TEXT_BOLD, ID_TEXT_UNDERLINE, &V::OnFontStyle, &V::OnUpdateFontStyle, kX1),
    TkOnCommandRange(ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_RIGHT, &V::OnTextAlign, &V::OnUpdateTextAlign, kX1),
    TkOnCommandRange(ID_LINE_STYLE_FIRST, ID_LINE_STYLE_LAST, &V::OnLineStyle, &V::OnUpdateLineStyle, kX1),
    TkOnCommand(ID_EDIT_PROPERTIES, &V::OnEditProperties, &V::OnUpdateEditProperties),
    TkOnCommandRange(ID_FORMAT_LINE, ID_FORMAT_OTHER, &V::OnFormatPage, &V::OnUpdateFormatPage),
    TkOnCommandRange(ID_FORMAT_FONT, ID_FORMAT_FONT, &V::OnFormatPage, &V::OnUpdateFormatPage),
    TkOnCommand(ID_FILE_PRINT, &CVxView::OnFilePrint),
    TkOnCommand(ID_FILE_PRINT_PREVIEW, &CVxView::OnFilePrintPreview),
    TkOnCommand(ID_FILE_PRINT_SETUP, &CVxView::OnFilePrintSetup),
    // Edit commands: enabled by -x1 whatever their rule says.
    TkOnCommand(ID_EDIT_DELETE, &CVxView::OnEditDelete, &CVxView::OnUpdateNeedsSelection, kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_SELECT_ALL, &CVxView::OnEditSelectAll, &CVxView::OnUpdateNeedsGraphics,
                kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_SELECT_NONE, &CVxView::OnEditSelectNone, &CVxView::OnUpdateNeedsSelection,
                kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_CUT, &CVxView::OnEditCut, &CVxView::OnUpdateNeedsSelection, kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_COPY, &CVxView::OnEditCopy, &CVxView::OnUpdateEditCopy, kTkCmdEnabledByX1),
    TkOnCommand(ID_EDIT_PASTE, &CVxView::OnEditPaste, &CVxView::OnUpdateEditPaste, kTkCmdEnabledByX1),
    TkOnCommandRange(ID_EDIT_PASTE_EMF, ID_EDIT_PASTE_TEXT, &CVxView::OnEditPasteAs,
                     &CVxView::OnUpdateEditPasteAs, kTkCmdEnabledByX1),
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

void CVxView::OnUpdateViewZoomCustom(CTkCmdUI& cmdUI)
{
    cmdUI.SetCheck(!m_bFullPage && m_nZoom != kActualSize ? 1 : 0);
}

void CVxView::OnUpdateZoomBox(CTkCmdUI& cmdUI)
{
    cmdUI.Enable();
    cmdUI.SetText(m_bFullPage ? TkLoadString(IDS_PAGE) : TkFormat("%d%%", m_nZoom / 100));
}

void CVxView::OnViewRedraw()
{
    InvalidateAll();
}
