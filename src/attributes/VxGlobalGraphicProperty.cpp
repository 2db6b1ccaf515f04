#include "attributes/VxGlobalGraphicProperty.h"

#include "platform/framework/TkArchive.h"
#include "platform/gdi/TkDC.h"
#include "resources/VxResourceIds.h"

TK_IMPLEMENT_SERIAL(CVxGlobalGraphicProperty, CVxGraphicProperty, 0)

namespace {
void Store16(CTkArchive& ar, std::uint32_t value) { ar << std::uint16_t(value); }

template <typename T>
void Load16(CTkArchive& ar, T& value)
{
    std::uint16_t stored = 0;
    ar >> stored;
    value = T(stored);
}

// The character extra may be negative; its 16 bits keep the sign.
void LoadSigned16(CTkArchive& ar, int& value)
{
    std::uint16_t stored = 0;
    ar >> stored;
    value = std::int16_t(stored);
}
}  // namespace

CVxGlobalGraphicProperty::CVxGlobalGraphicProperty(BOOL bGathering)
    : CVxGraphicProperty("Global", bGathering)
{
    m_states.Fill(InitialState());
    SetDefaults();
}

template <typename F>
void CVxGlobalGraphicProperty::ForEachValue(const CVxGlobalGraphicProperty& source, F f)
{
    f(m_nArcDirection, source.m_nArcDirection, ArcDirection);
    f(m_crBkColor, source.m_crBkColor, BkColor);
    f(m_nBkMode, source.m_nBkMode, BkMode);
    f(m_nPolyFillMode, source.m_nPolyFillMode, PolyFillMode);
    f(m_nRop2, source.m_nRop2, Rop2);
    f(m_nTextAlign, source.m_nTextAlign, TextAlign);
    f(m_nTextCharacterExtra, source.m_nTextCharacterExtra, TextCharacterExtra);
    f(m_crTextColor, source.m_crTextColor, TextColor);
    f(m_fMiterLimit, source.m_fMiterLimit, MiterLimit);
}

void CVxGlobalGraphicProperty::Serialize(CTkArchive& ar)
{
    CVxGraphicProperty::Serialize(ar);
    if (ar.IsStoring()) {
        Store16(ar, std::uint32_t(m_nArcDirection));
        ar << m_crBkColor;
        Store16(ar, std::uint32_t(m_nBkMode));
        Store16(ar, std::uint32_t(m_nPolyFillMode));
        Store16(ar, std::uint32_t(m_nRop2));
        Store16(ar, m_nTextAlign);
        Store16(ar, std::uint32_t(m_nTextCharacterExtra));
        ar << m_crTextColor << m_fMiterLimit;
        return;
    }
    Load16(ar, m_nArcDirection);
    ar >> m_crBkColor;
    Load16(ar, m_nBkMode);
    Load16(ar, m_nPolyFillMode);
    Load16(ar, m_nRop2);
    Load16(ar, m_nTextAlign);
    LoadSigned16(ar, m_nTextCharacterExtra);
    ar >> m_crTextColor >> m_fMiterLimit;
    m_states.Fill(VX_STATE_DEFINED);
}

void CVxGlobalGraphicProperty::SelectIntoDC(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    SelectArcDirection(pDC);
    if (pDC->GetBkColor() != m_crBkColor)
        pDC->SetBkColor(m_crBkColor);
    if (pDC->GetBkMode() != m_nBkMode)
        pDC->SetBkMode(m_nBkMode);
    if (pDC->GetPolyFillMode() != m_nPolyFillMode)
        pDC->SetPolyFillMode(m_nPolyFillMode);
    if (pDC->GetROP2() != m_nRop2)
        pDC->SetROP2(m_nRop2);
    if (pDC->GetTextAlign() != m_nTextAlign)
        pDC->SetTextAlign(m_nTextAlign);
    if (pDC->GetTextCharacterExtra() != m_nTextCharacterExtra)
        pDC->SetTextCharacterExtra(m_nTextCharacterExtra);
    if (pDC->GetTextColor() != m_crTextColor)
        pDC->SetTextColor(m_crTextColor);
    if (pDC->GetMiterLimit() != m_fMiterLimit)
        pDC->SetMiterLimit(m_fMiterLimit);
}

void CVxGlobalGraphicProperty::SelectArcDirection(CTkDC* pDC)
{
    if (pDC != nullptr && pDC->GetArcDirection() != m_nArcDirection)
        pDC->SetArcDirection(m_nArcDirection);
}

BOOL CVxGlobalGraphicProperty::Apply(const CVxGraphicProperty& source)
{
    const auto* pSource = dynamic_cast<const CVxGlobalGraphicProperty*>(&source);
    if (pSource == nullptr)
        return FALSE;
    int changed = 0;
    ForEachValue(*pSource, [&](auto& field, const auto& value, Value v) {
        if (pSource->m_states[v] == VX_STATE_DEFINED)
            changed |= MergeValue(field, value, m_states[v]);
    });
    return changed ? TRUE : FALSE;
}

void CVxGlobalGraphicProperty::SetDefaults()
{
    m_nArcDirection = AD_COUNTERCLOCKWISE;
    m_crBkColor = RGB(255, 255, 255);
    m_nBkMode = TRANSPARENT;
    m_nPolyFillMode = ALTERNATE;
    m_nRop2 = R2_COPYPEN;
    m_nTextAlign = TA_BASELINE | TA_CENTER;
    m_nTextCharacterExtra = 0;
    m_crTextColor = RGB(0, 0, 0);
    m_fMiterLimit = 10.0f;
}

void CVxGlobalGraphicProperty::Merge(const CVxGraphicProperty& other)
{
    const auto* pOther = dynamic_cast<const CVxGlobalGraphicProperty*>(&other);
    if (!IsGathering() || pOther == nullptr)
        return;
    const BOOL g = pOther->IsGathering();
    ForEachValue(*pOther, [&](auto& field, const auto& value, Value v) {
        MergeFrom(field, m_states[v], value, pOther->m_states[v], g);
    });
}

std::unique_ptr<CVxGraphicProperty> CVxGlobalGraphicProperty::Clone() const
{
    auto pClone = std::make_unique<CVxGlobalGraphicProperty>(IsGathering());
    CopyBaseTo(*pClone);
    pClone->ForEachValue(*this, [](auto& field, const auto& value, Value) { field = value; });
    pClone->m_states = m_states;
    return pClone;
}

BOOL CVxGlobalGraphicProperty::SetArcDirection(int direction)
{
    return MergeValue(m_nArcDirection, direction, m_states[ArcDirection]);
}

BOOL CVxGlobalGraphicProperty::SetBkColor(COLORREF color)
{
    return MergeValue(m_crBkColor, color, m_states[BkColor]);
}

BOOL CVxGlobalGraphicProperty::SetBkMode(int mode)
{
    return MergeValue(m_nBkMode, mode, m_states[BkMode]);
}

BOOL CVxGlobalGraphicProperty::SetPolyFillMode(int mode)
{
    return MergeValue(m_nPolyFillMode, mode, m_states[PolyFillMode]);
}

BOOL CVxGlobalGraphicProperty::SetRop2(int rop)
{
    return MergeValue(m_nRop2, rop, m_states[Rop2]);
}

BOOL CVxGlobalGraphicProperty::SetTextAlign(UINT align)
{
    return MergeValue(m_nTextAlign, align, m_states[TextAlign]);
}

BOOL CVxGlobalGraphicProperty::SetTextCharacterExtra(int extra)
{
    return MergeValue(m_nTextCharacterExtra, extra, m_states[TextCharacterExtra]);
}

BOOL CVxGlobalGraphicProperty::SetTextColor(COLORREF color)
{
    return MergeValue(m_crTextColor, color, m_states[TextColor]);
}

BOOL CVxGlobalGraphicProperty::SetMiterLimit(float limit)
{
    return MergeValue(m_fMiterLimit, limit, m_states[MiterLimit]);
}

void CVxGlobalGraphicProperty::BeginOutlineDrawing(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    pDC->SetROP2(R2_XORPEN);
    pDC->SetBkMode(TRANSPARENT);
}

unsigned CVxGlobalGraphicProperty::GetPageId() const { return IDD_OTHER_PAGE; }
