#include "attributes/VxBrushGraphicProperty.h"

#include "attributes/VxObjectCache.h"
#include "attributes/VxPropertyOwner.h"
#include "platform/framework/TkArchive.h"
#include "resources/VxResourceIds.h"

TK_IMPLEMENT_SERIAL(CVxBrushGraphicProperty, CVxGraphicProperty, 0)

namespace {
CVxObjectCache<LOGBRUSH> s_cache;
CVxOutlineSelection s_outline;
// Set for metafile contexts, where brush origins are not written.
bool s_bOriginFixed = false;

bool IsMetafileDC(const CTkDC* pDC)
{
    const DWORD type = pDC->GetObjectType();
    return type == OBJ_METADC || type == OBJ_ENHMETADC;
}
}  // namespace

CVxBrushGraphicProperty::CVxBrushGraphicProperty(BOOL bGathering)
    : CVxGraphicProperty("Brush", bGathering)
{
    m_states.Fill(InitialState());
    SetDefaults();
}

void CVxBrushGraphicProperty::Serialize(CTkArchive& ar)
{
    CVxGraphicProperty::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_logBrush.lbStyle << m_logBrush.lbColor << m_logBrush.lbHatch;
        return;
    }
    ar >> m_logBrush.lbStyle >> m_logBrush.lbColor >> m_logBrush.lbHatch;
    m_states.Fill(VX_STATE_DEFINED);
    UpdateSolidColor();
}

void CVxBrushGraphicProperty::SelectIntoDC(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    if (s_cache.Holds(pDC, m_logBrush, BrushEquals) && (s_bOriginFixed || pDC->IsPrinting()))
        return;
    AlignBrushOrigin(pDC);
    s_cache.Select(pDC, CreateBrushIndirect(&m_logBrush), m_logBrush);
}

void CVxBrushGraphicProperty::AlignBrushOrigin(CTkDC* pDC) const
{
    const IVxPropertyOwner* pOwner = GetOwner();
    if (IsMetafileDC(pDC) || pOwner == nullptr)
        return;
    POINT origin = pOwner->GetReferencePoint();
    pDC->LPtoDP(&origin);
    pDC->SetBrushOrg(origin.x & 7, origin.y & 7);
}

BOOL CVxBrushGraphicProperty::Apply(const CVxGraphicProperty& source)
{
    const auto* pSource = dynamic_cast<const CVxBrushGraphicProperty*>(&source);
    if (pSource == nullptr)
        return FALSE;
    const LOGBRUSH& from = pSource->m_logBrush;
    int changed = 0;
    if (pSource->m_states[Style] == VX_STATE_DEFINED)
        changed |= MergeValue(m_logBrush.lbStyle, from.lbStyle, m_states[Style]);
    if (pSource->m_states[Hatch] == VX_STATE_DEFINED)
        changed |= MergeValue(m_logBrush.lbHatch, from.lbHatch, m_states[Hatch]);
    if (pSource->m_states[Color] == VX_STATE_DEFINED)
        changed |= MergeValue(m_logBrush.lbColor, from.lbColor, m_states[Color]);
    if (changed)
        UpdateSolidColor();
    return changed ? TRUE : FALSE;
}

void CVxBrushGraphicProperty::SetDefaults()
{
    m_logBrush = LOGBRUSH{BS_HOLLOW, RGB(0, 0, 0), HS_DIAGCROSS};
    UpdateSolidColor();
}

void CVxBrushGraphicProperty::Merge(const CVxGraphicProperty& other)
{
    const auto* pOther = dynamic_cast<const CVxBrushGraphicProperty*>(&other);
    if (!IsGathering() || pOther == nullptr)
        return;
    const BOOL g = pOther->IsGathering();
    const auto& s = pOther->m_states;
    const LOGBRUSH& from = pOther->m_logBrush;
    MergeFrom(m_logBrush.lbStyle, m_states[Style], from.lbStyle, s[Style], g);
    MergeFrom(m_logBrush.lbHatch, m_states[Hatch], from.lbHatch, s[Hatch], g);
    MergeFrom(m_logBrush.lbColor, m_states[Color], from.lbColor, s[Color], g);
    MergeFrom(m_bSolidColor, m_states[SolidColor], pOther->m_bSolidColor, s[SolidColor], g);
}

std::unique_ptr<CVxGraphicProperty> CVxBrushGraphicProperty::Clone() const
{
    auto pClone = std::make_unique<CVxBrushGraphicProperty>(IsGathering());
    CopyBaseTo(*pClone);
    pClone->m_logBrush = m_logBrush;
    pClone->m_bSolidColor = m_bSolidColor;
    pClone->m_states = m_states;
    return pClone;
}

BOOL CVxBrushGraphicProperty::SetStyle(UINT style)
{
    return SetValue(m_logBrush.lbStyle, style, m_states[Style]);
}

BOOL CVxBrushGraphicProperty::SetColor(COLORREF color)
{
    return SetValue(m_logBrush.lbColor, color, m_states[Color]);
}

BOOL CVxBrushGraphicProperty::SetHatch(std::uint32_t hatch)
{
    return SetValue(m_logBrush.lbHatch, hatch, m_states[Hatch]);
}

template <typename T>
BOOL CVxBrushGraphicProperty::SetValue(T& field, const T& value, std::uint32_t& state)
{
    if (!MergeValue(field, value, state))
        return FALSE;
    UpdateSolidColor();
    return TRUE;
}

void CVxBrushGraphicProperty::UpdateSolidColor()
{
    // A definite solid brush may be dithered; everything else is drawn solid.
    const bool bDefinite = m_states[Style] == VX_STATE_DEFINED &&
                           m_states[Hatch] == VX_STATE_DEFINED &&
                           m_states[Color] == VX_STATE_DEFINED;
    m_bSolidColor = bDefinite && m_logBrush.lbStyle == BS_SOLID ? FALSE : TRUE;
}

bool CVxBrushGraphicProperty::BrushEquals(const LOGBRUSH& a, const LOGBRUSH& b)
{
    if (a.lbStyle != b.lbStyle)
        return false;
    const UINT style = a.lbStyle;
    const bool bColorCounts = style != BS_HOLLOW && style != BS_PATTERN;
    const bool bHatchCounts = style != BS_SOLID && style != BS_HOLLOW;
    return (!bColorCounts || a.lbColor == b.lbColor) && (!bHatchCounts || a.lbHatch == b.lbHatch);
}

void CVxBrushGraphicProperty::OpenCache(CTkDC* pDC)
{
    if (s_cache.Open(pDC))
        s_bOriginFixed = IsMetafileDC(pDC);
}

void CVxBrushGraphicProperty::CloseCache(CTkDC* pDC)
{
    if (pDC != s_cache.GetDC())
        return;
    s_cache.Close(pDC);
    s_bOriginFixed = false;
}

void CVxBrushGraphicProperty::BeginOutlineDrawing(CTkDC* pDC)
{
    if (pDC != nullptr)
        s_outline.Begin(pDC, GetStockObject(HOLLOW_BRUSH), 0);
}

void CVxBrushGraphicProperty::EndOutlineDrawing(CTkDC* pDC) { s_outline.End(pDC); }

unsigned CVxBrushGraphicProperty::GetPageId() const { return IDD_FILL_PAGE; }
