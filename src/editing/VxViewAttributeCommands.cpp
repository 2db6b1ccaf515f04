// The colour and fill palettes, the colour targets and the quick attribute
// commands: colours, fills, line styles, bold, italic, underline, alignment,
// transparency and arc direction.

#include "editing/VxView.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "editing/VxEditDialogs.h"
#include "graphics/VxText.h"
#include "platform/framework/TkCmdUI.h"
#include "platform/framework/TkUnicode.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kStickyColors[] = {0x000000, 0xFFFFFF, 0x808080};
constexpr COLORREF kDefaultColors[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x008000,
                                       0xFF0000, 0x808000, 0xFF80FF};
// Solid, hollow and the six hatches: the first eight fill commands.
constexpr LOGBRUSH kStickyFills[] = {
    {BS_SOLID, 0, 0},     {BS_HOLLOW, 0, 0},    {BS_HATCHED, 0, 0}, {BS_HATCHED, 0, 1},
    {BS_HATCHED, 0, 2},   {BS_HATCHED, 0, 3},   {BS_HATCHED, 0, 4}, {BS_HATCHED, 0, 5},
};

// The targets in the order in which a new one is chosen.
constexpr unsigned kTargetOrder[] = {ID_COLOR_TARGET_FILL, ID_COLOR_TARGET_LINE,
                                     ID_COLOR_TARGET_TEXT, ID_COLOR_TARGET_BACKGROUND};

const char* TargetGroup(unsigned nTarget)
{
    switch (nTarget) {
    case ID_COLOR_TARGET_LINE: return "Pen";
    case ID_COLOR_TARGET_FILL: return "Brush";
    default: return "Global";
    }
}

// A palette stores a fill by its pattern only.
LOGBRUSH FillPattern(LOGBRUSH brush)
{
    brush.lbColor = 0;
    if (brush.lbStyle == BS_SOLID || brush.lbStyle == BS_HOLLOW) brush.lbHatch = 0;
    return brush;
}

template <typename T>
std::unique_ptr<T> CopyGroup(CVxSelection& selection, const char* pszName)
{
    std::unique_ptr<CVxGraphicProperty> p = selection.CopyProperty(pszName);
    if (!dynamic_cast<T*>(p.get())) return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(p.release()));
}

// 1 uniformly on, 0 uniformly off, 2 mixed.
int FontStyleState(const CVxFontGraphicProperty& font, unsigned nID)
{
    const LOGFONTW& lf = font.GetLogFont();
    switch (nID) {
    case ID_TEXT_BOLD:
        if (font.GetState(CVxFontGraphicProperty::Weight) != VX_STATE_DEFINED) return 2;
        return lf.lfWeight > FW_NORMAL ? 1 : 0;
    case ID_TEXT_ITALIC:
        if (font.GetState(CVxFontGraphicProperty::Italic) != VX_STATE_DEFINED) return 2;
        return lf.lfItalic ? 1 : 0;
    default:
        if (font.GetState(CVxFontGraphicProperty::Underline) != VX_STATE_DEFINED) return 2;
        return lf.lfUnderline ? 1 : 0;
    }
}

}  // namespace

// --- palettes and targets

void CVxView::EnsurePalettes()
{
    if (!m_bPalettesStale) return;
    m_bPalettesStale = false;
    m_colorPalette.Clear();
    for (COLORREF color : kStickyColors) AddPaletteColor(color, TRUE);
    CVxPicture& picture = m_doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos && m_colorPalette.GetFreeCount() > 0;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(pGraphic->LookupProperty("Pen"));
        const auto* pBrush = dynamic_cast<const CVxBrushGraphicProperty*>(pGraphic->LookupProperty("Brush"));
        const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(pGraphic->LookupProperty("Global"));
        const std::array<std::pair<bool, COLORREF>, 4> colors{{
            {pPen != nullptr, pPen ? pPen->GetColor() : 0},
            {pBrush != nullptr, pBrush ? pBrush->GetColor() : 0},
            {pGlobal != nullptr, pGlobal ? pGlobal->GetTextColor() : 0},
            {pGlobal != nullptr, pGlobal ? pGlobal->GetBkColor() : 0},
        }};
        for (const auto& [bHas, color] : colors) {
            if (bHas && m_colorPalette.GetFreeCount() > 0) AddPaletteColor(color, FALSE);
        }
    }
    for (COLORREF color : kDefaultColors) {
        if (m_colorPalette.GetFreeCount() > 0) AddPaletteColor(color, FALSE);
    }
    m_fillPalette.Clear();
    for (const LOGBRUSH& brush : kStickyFills) AddPaletteFill(brush, TRUE);
    for (auto pos = picture.GetFirstChildPosition(); pos && m_fillPalette.GetFreeCount() > 0;) {
        const auto* pBrush =
            dynamic_cast<const CVxBrushGraphicProperty*>(picture.GetNextChild(pos)->LookupProperty("Brush"));
        if (pBrush) AddPaletteFill(pBrush->GetLogBrush(), FALSE);
    }
}

const CTkPalette<COLORREF>& CVxView::GetColorPalette()
{
    EnsurePalettes();
    return m_colorPalette;
}

const CTkPalette<LOGBRUSH>& CVxView::GetFillPalette()
{
    EnsurePalettes();
    return m_fillPalette;
}

void CVxView::AddPaletteColor(COLORREF color, BOOL bSticky)
{
    const int nSlot = m_colorPalette.Add(color, bSticky);
    if (nSlot >= 0 && m_paletteSignals.paletteColorChanged)
        m_paletteSignals.paletteColorChanged(ID_COLOR_FIRST + unsigned(nSlot), color);
}

void CVxView::AddPaletteFill(LOGBRUSH brush, BOOL bSticky)
{
    const LOGBRUSH pattern = FillPattern(brush);
    const int nSlot = m_fillPalette.Add(pattern, bSticky);
    if (nSlot >= 0 && m_paletteSignals.paletteBrushPatternChanged)
        m_paletteSignals.paletteBrushPatternChanged(ID_FILL_FIRST + unsigned(nSlot), pattern);
}

bool CVxView::IsColorTargetUsable(unsigned nTarget)
{
    if (nTarget != ID_COLOR_TARGET_TEXT) return m_selection.HasProperty(TargetGroup(nTarget));
    return m_selection.HasProperty("Global") &&
           (m_selection.HasProperty("Font") || (m_doc.HasPatternBitmaps() && m_selection.HasProperty("Brush")));
}

bool CVxView::GetTargetColor(unsigned nTarget, COLORREF& color)
{
    CVxGraphicProperty* pGroup = m_selection.LookupProperty(TargetGroup(nTarget));
    if (const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(pGroup)) {
        color = pPen->GetColor();
        return pPen->GetState(CVxPenGraphicProperty::Color) == VX_STATE_DEFINED;
    }
    if (const auto* pBrush = dynamic_cast<const CVxBrushGraphicProperty*>(pGroup)) {
        color = pBrush->GetColor();
        return pBrush->GetState(CVxBrushGraphicProperty::Color) == VX_STATE_DEFINED;
    }
    const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(pGroup);
    if (!pGlobal) return false;
    const bool bText = nTarget == ID_COLOR_TARGET_TEXT;
    color = bText ? pGlobal->GetTextColor() : pGlobal->GetBkColor();
    return pGlobal->GetState(bText ? CVxGlobalGraphicProperty::TextColor : CVxGlobalGraphicProperty::BkColor) ==
           VX_STATE_DEFINED;
}

void CVxView::ShowTargetColor(unsigned nTarget, COLORREF color)
{
    EnsurePalettes();
    AddPaletteColor(color, FALSE);
    if (m_paletteSignals.selectionColorChanged) m_paletteSignals.selectionColorChanged(nTarget, color);
}

void CVxView::OnSelectionChanged()
{
    if (!IsColorTargetUsable(m_nColorTarget) || m_selection.GetChildCount() == 1) {
        for (unsigned nTarget : kTargetOrder) {
            if (!IsColorTargetUsable(nTarget)) continue;
            if (nTarget != m_nColorTarget) OnColorTarget(nTarget);
            break;
        }
    }
    for (unsigned nTarget = ID_COLOR_TARGET_LINE; nTarget <= ID_COLOR_TARGET_BACKGROUND; ++nTarget) {
        COLORREF color = 0;
        if (!m_selection.HasProperty(TargetGroup(nTarget))) continue;
        GetTargetColor(nTarget, color);
        ShowTargetColor(nTarget, color);
    }
}

void CVxView::OnColorTarget(unsigned nID)
{
    m_nColorTarget = nID;
    if (m_paletteSignals.colorModeChanged) m_paletteSignals.colorModeChanged(nID);
}

void CVxView::OnUpdateColorTarget(CTkCmdUI& cmdUI)
{
    GetSelectionManipulator();  // the target follows the selection
    cmdUI.Enable(IsColorTargetUsable(cmdUI.GetID()));
    cmdUI.SetRadio(cmdUI.GetID() == m_nColorTarget);
}

// --- colours

void CVxView::ApplyToSelection(CVxGraphicProperty& group)
{
    if (!m_selection.HasNoChildren()) m_doc.SaveUndoState();
    group.SetGathering(FALSE);
    m_selection.ApplyProperty(group);
}

void CVxView::ApplyColor(COLORREF color)
{
    std::unique_ptr<CVxGraphicProperty> pGroup = m_selection.CopyProperty(TargetGroup(m_nColorTarget));
    if (!pGroup) return;
    COLORREF old = 0;
    if (GetTargetColor(m_nColorTarget, old) && old == color) return;
    if (!m_selection.HasNoChildren()) m_doc.SaveUndoState();
    pGroup->SetGathering(FALSE);
    if (auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(pGroup.get()))
        pPen->SetColor(color);
    else if (auto* pBrush = dynamic_cast<CVxBrushGraphicProperty*>(pGroup.get()))
        pBrush->SetColor(color);
    else if (auto* pGlobal = dynamic_cast<CVxGlobalGraphicProperty*>(pGroup.get()))
        m_nColorTarget == ID_COLOR_TARGET_TEXT ? pGlobal->SetTextColor(color) : pGlobal->SetBkColor(color);
    m_selection.ApplyProperty(*pGroup);
    ShowTargetColor(m_nColorTarget, color);
}

void CVxView::OnColor(unsigned nID)
{
    EnsurePalettes();
    const int nSlot = int(nID - ID_COLOR_FIRST);
    if (m_colorPalette.IsFree(nSlot)) return;
    ApplyColor(m_colorPalette.GetAt(nSlot));
}

void CVxView::OnUpdateColor(CTkCmdUI& cmdUI)
{
    EnsurePalettes();
    GetSelectionManipulator();
    const int nSlot = int(cmdUI.GetID() - ID_COLOR_FIRST);
    cmdUI.Enable(m_selection.HasProperty(TargetGroup(m_nColorTarget)) && !m_colorPalette.IsFree(nSlot));
    COLORREF color = 0;
    cmdUI.SetRadio(GetTargetColor(m_nColorTarget, color) && !m_colorPalette.IsFree(nSlot) &&
                   color == m_colorPalette.GetAt(nSlot));
}

void CVxView::OnColorCustom()
{
    COLORREF color = 0;
    GetTargetColor(m_nColorTarget, color);
    if (VxGetEditDialogs().RunColor(color)) ApplyColor(color);
}

void CVxView::OnUpdateColorCustom(CTkCmdUI& cmdUI)
{
    GetSelectionManipulator();
    cmdUI.Enable(m_selection.HasProperty(TargetGroup(m_nColorTarget)));
}

// --- fills and line styles

void CVxView::OnFill(unsigned nID)
{
    EnsurePalettes();
    auto pBrush = CopyGroup<CVxBrushGraphicProperty>(m_selection, "Brush");
    const int nSlot = int(nID - ID_FILL_FIRST);
    if (!pBrush || m_fillPalette.IsFree(nSlot)) return;
    const LOGBRUSH fill = m_fillPalette.GetAt(nSlot);
    if (!m_selection.HasNoChildren()) m_doc.SaveUndoState();
    pBrush->SetGathering(FALSE);
    pBrush->SetStyle(fill.lbStyle);
    pBrush->SetHatch(fill.lbHatch);
    m_selection.ApplyProperty(*pBrush);
    COLORREF color = 0;
    GetTargetColor(ID_COLOR_TARGET_FILL, color);
    ShowTargetColor(ID_COLOR_TARGET_FILL, color);
}

void CVxView::OnUpdateFill(CTkCmdUI& cmdUI)
{
    EnsurePalettes();
    const int nSlot = int(cmdUI.GetID() - ID_FILL_FIRST);
    const auto* pBrush = dynamic_cast<const CVxBrushGraphicProperty*>(m_selection.LookupProperty("Brush"));
    cmdUI.Enable(pBrush && !m_fillPalette.IsFree(nSlot));
    if (!pBrush || m_fillPalette.IsFree(nSlot)) return;
    const LOGBRUSH fill = m_fillPalette.GetAt(nSlot);
    const bool bStyle = pBrush->GetState(CVxBrushGraphicProperty::Style) == VX_STATE_DEFINED &&
                        pBrush->GetStyle() == fill.lbStyle;
    const bool bHatch = fill.lbStyle == BS_SOLID || fill.lbStyle == BS_HOLLOW ||
                        (pBrush->GetState(CVxBrushGraphicProperty::Hatch) == VX_STATE_DEFINED &&
                         pBrush->GetHatch() == fill.lbHatch);
    cmdUI.SetRadio(bStyle && bHatch);
}

void CVxView::OnLineStyle(unsigned nID)
{
    auto pPen = CopyGroup<CVxPenGraphicProperty>(m_selection, "Pen");
    const UINT nStyle = nID - ID_LINE_STYLE_FIRST;
    if (!pPen || (pPen->GetState(CVxPenGraphicProperty::Style) == VX_STATE_DEFINED && pPen->GetStyle() == nStyle))
        return;
    // Set as values, not gathered: a gathering property would only mark them mixed.
    pPen->SetGathering(FALSE);
    pPen->SetStyle(nStyle);
    // Dash lengths belong to user-styled pens only.
    pPen->SetStyleEntries({});
    ApplyToSelection(*pPen);
    COLORREF color = 0;
    GetTargetColor(ID_COLOR_TARGET_LINE, color);
    ShowTargetColor(ID_COLOR_TARGET_LINE, color);
}

void CVxView::OnUpdateLineStyle(CTkCmdUI& cmdUI)
{
    const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(m_selection.LookupProperty("Pen"));
    cmdUI.Enable(pPen != nullptr);
    cmdUI.SetRadio(pPen && pPen->GetState(CVxPenGraphicProperty::Style) == VX_STATE_DEFINED &&
                   pPen->GetStyle() == cmdUI.GetID() - ID_LINE_STYLE_FIRST);
}

// --- text

void CVxView::OnFontStyle(unsigned nID)
{
    auto pFont = CopyGroup<CVxFontGraphicProperty>(m_selection, "Font");
    if (!pFont) return;
    const bool bOn = FontStyleState(*pFont, nID) == 1;
    pFont->SetGathering(FALSE);
    if (nID == ID_TEXT_BOLD)
        pFont->SetWeight(bOn ? FW_NORMAL : FW_BOLD);
    else if (nID == ID_TEXT_ITALIC)
        pFont->SetItalic(bOn ? 0 : 1);
    else
        pFont->SetUnderline(bOn ? 0 : 1);
    ApplyToSelection(*pFont);
}

void CVxView::OnUpdateFontStyle(CTkCmdUI& cmdUI)
{
    const auto* pFont = dynamic_cast<const CVxFontGraphicProperty*>(m_selection.LookupProperty("Font"));
    cmdUI.Enable(pFont != nullptr);
    if (pFont) cmdUI.SetCheck(FontStyleState(*pFont, cmdUI.GetID()));
}

void CVxView::OnTextAlign(unsigned nID)
{
    auto pGlobal = CopyGroup<CVxGlobalGraphicProperty>(m_selection, "Global");
    if (!pGlobal) return;
    constexpr UINT kAlign[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    pGlobal->SetGathering(FALSE);
    pGlobal->SetTextAlign((pGlobal->GetTextAlign() & ~UINT(TA_CENTER)) | kAlign[nID - ID_TEXT_ALIGN_LEFT]);
    ApplyToSelection(*pGlobal);
}

void CVxView::OnUpdateTextAlign(CTkCmdUI& cmdUI)
{
    constexpr UINT kAlign[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(m_selection.LookupProperty("Global"));
    cmdUI.Enable(pGlobal != nullptr);
    cmdUI.SetRadio(pGlobal && pGlobal->GetState(CVxGlobalGraphicProperty::TextAlign) == VX_STATE_DEFINED &&
                   (pGlobal->GetTextAlign() & TA_CENTER) == kAlign[cmdUI.GetID() - ID_TEXT_ALIGN_LEFT]);
}

// --- transparency and arc direction

void CVxView::OnBkMode(unsigned nID)
{
    auto pGlobal = CopyGroup<CVxGlobalGraphicProperty>(m_selection, "Global");
    if (!pGlobal) return;
    const int nMode = nID == ID_FORMAT_TRANSPARENT ? TRANSPARENT : OPAQUE;
    // An opaque text box would still paint its background.
    std::vector<CVxText*> opaqueTexts;
    for (auto pos = m_selection.GetFirstChildPosition(); pos && nMode == TRANSPARENT;) {
        auto* pText = dynamic_cast<CVxText*>(m_selection.GetNextChild(pos));
        if (pText && (pText->GetOptions() & ETO_OPAQUE)) opaqueTexts.push_back(pText);
    }
    if (pGlobal->GetState(CVxGlobalGraphicProperty::BkMode) == VX_STATE_DEFINED && pGlobal->GetBkMode() == nMode &&
        opaqueTexts.empty())
        return;
    if (!m_selection.HasNoChildren()) m_doc.SaveUndoState();
    for (CVxText* pText : opaqueTexts) pText->SetOptions(pText->GetOptions() & ~UINT(ETO_OPAQUE));
    pGlobal->SetGathering(FALSE);
    pGlobal->SetBkMode(nMode);
    m_selection.ApplyProperty(*pGlobal);
}

void CVxView::OnUpdateBkMode(CTkCmdUI& cmdUI)
{
    const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(m_selection.LookupProperty("Global"));
    cmdUI.Enable(pGlobal != nullptr);
    cmdUI.SetRadio(pGlobal && pGlobal->GetState(CVxGlobalGraphicProperty::BkMode) == VX_STATE_DEFINED &&
                   pGlobal->GetBkMode() == int(cmdUI.GetID() - ID_EDIT_TRIM_PICTURE));
}

void CVxView::OnArcDirection(unsigned nID)
{
    auto pGlobal = CopyGroup<CVxGlobalGraphicProperty>(m_selection, "Global");
    const int nDirection = nID == ID_FORMAT_COUNTERCLOCKWISE ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE;
    if (!pGlobal || (pGlobal->GetState(CVxGlobalGraphicProperty::ArcDirection) == VX_STATE_DEFINED &&
                     pGlobal->GetArcDirection() == nDirection))
        return;
    pGlobal->SetGathering(FALSE);
    pGlobal->SetArcDirection(nDirection);
    ApplyToSelection(*pGlobal);
}

void CVxView::OnUpdateArcDirection(CTkCmdUI& cmdUI)
{
    const auto* pGlobal = dynamic_cast<const CVxGlobalGraphicProperty*>(m_selection.LookupProperty("Global"));
    cmdUI.Enable(pGlobal != nullptr);
    const int nDirection = cmdUI.GetID() == ID_FORMAT_COUNTERCLOCKWISE ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE;
    cmdUI.SetRadio(pGlobal && pGlobal->GetState(CVxGlobalGraphicProperty::ArcDirection) == VX_STATE_DEFINED &&
                   pGlobal->GetArcDirection() == nDirection);
}

// --- toolbar boxes

namespace {

// A font height in picture units as whole points, the way the boxes show it.
long HeightToPoints(const CVxDocumentContext& doc, LONG lfHeight)
{
    const double unitsPerPoint = doc.GetUnitsPerCm().y * 2.54 / 72.0;
    return unitsPerPoint > 0 ? std::lround(std::abs(double(lfHeight)) / unitsPerPoint) : 0;
}

}  // namespace

void CVxView::OnUpdateLineWidthBox(CTkCmdUI& cmdUI)
{
    const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(m_selection.LookupProperty("Pen"));
    cmdUI.Enable(pPen != nullptr);
    if (!pPen || m_bToolBarBoxActive) return;
    const bool bUniform = pPen->GetState(CVxPenGraphicProperty::Width) == VX_STATE_DEFINED;
    cmdUI.SetText(bUniform ? std::to_string(pPen->GetWidth()) : std::string());
}

void CVxView::OnUpdateFaceNameBox(CTkCmdUI& cmdUI)
{
    const auto* pFont = dynamic_cast<const CVxFontGraphicProperty*>(m_selection.LookupProperty("Font"));
    cmdUI.Enable(pFont != nullptr);
    if (!pFont || m_bToolBarBoxActive) return;
    const bool bUniform = pFont->GetState(CVxFontGraphicProperty::FaceName) == VX_STATE_DEFINED;
    const std::u16string name = bUniform ? pFont->GetFaceName() : std::u16string();
    cmdUI.SetText(TkUtf16ToUtf8(name));
}

void CVxView::OnUpdatePointSizeBox(CTkCmdUI& cmdUI)
{
    const auto* pFont = dynamic_cast<const CVxFontGraphicProperty*>(m_selection.LookupProperty("Font"));
    cmdUI.Enable(pFont != nullptr);
    if (!pFont || m_bToolBarBoxActive) return;
    // A height of 0 asks for the device's default size, and one under half a
    // point (the stock font's 16 units in a fine picture) has no whole size:
    // the box stays blank rather than showing "0".
    const long nPoints = HeightToPoints(m_doc, pFont->GetLogFont().lfHeight);
    const bool bShown = pFont->GetState(CVxFontGraphicProperty::Height) == VX_STATE_DEFINED && nPoints > 0;
    cmdUI.SetText(bShown ? std::to_string(nPoints) : std::string());
}

void CVxView::SetLineWidth(int nWidth)
{
    auto pPen = CopyGroup<CVxPenGraphicProperty>(m_selection, "Pen");
    if (!pPen || (pPen->GetState(CVxPenGraphicProperty::Width) == VX_STATE_DEFINED && pPen->GetWidth() == nWidth))
        return;
    pPen->SetGathering(FALSE);
    pPen->SetWidth(nWidth);
    ApplyToSelection(*pPen);
}

void CVxView::SetFaceName(const std::u16string& faceName)
{
    auto pFont = CopyGroup<CVxFontGraphicProperty>(m_selection, "Font");
    if (!pFont || faceName.empty() ||
        (pFont->GetState(CVxFontGraphicProperty::FaceName) == VX_STATE_DEFINED && pFont->GetFaceName() == faceName))
        return;
    pFont->SetGathering(FALSE);
    pFont->SetFaceName(faceName);
    ApplyToSelection(*pFont);
}

void CVxView::SetPointSize(int nPoints)
{
    auto pFont = CopyGroup<CVxFontGraphicProperty>(m_selection, "Font");
    const LONG lfHeight = -m_doc.PointsToLogicalY(nPoints);
    if (!pFont || nPoints <= 0 ||
        (pFont->GetState(CVxFontGraphicProperty::Height) == VX_STATE_DEFINED && pFont->GetLogFont().lfHeight == lfHeight))
        return;
    pFont->SetGathering(FALSE);
    pFont->SetHeight(lfHeight);
    ApplyToSelection(*pFont);
}
