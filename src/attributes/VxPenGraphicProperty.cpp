#include "attributes/VxPenGraphicProperty.h"

#include "attributes/VxObjectCache.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/MulDiv.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

TK_IMPLEMENT_SERIAL(CVxPenGraphicProperty, CVxGraphicProperty, 0)

namespace {
// What a cached pen was made from.
struct PenKey {
    LOGPEN logPen{};
    std::vector<DWORD> styleEntries;
};

CVxObjectCache<PenKey> s_cache;
CVxOutlineSelection s_outline;

bool SamePen(const PenKey& a, const PenKey& b)
{
    return std::memcmp(&a.logPen, &b.logPen, sizeof(LOGPEN)) == 0 &&
           a.styleEntries == b.styleEntries;
}

bool IsUserStyle(UINT style) { return (style & PS_STYLE_MASK) == PS_USERSTYLE; }

// Only a user-styled pen stores its entries, so every other pen keeps the
// stored form it always had.
void StoreStyleEntries(CTkArchive& ar, UINT style, const std::vector<DWORD>& entries)
{
    if (!IsUserStyle(style))
        return;
    ar << std::uint32_t(entries.size());
    for (DWORD entry : entries)
        ar << entry;
}

std::vector<DWORD> LoadStyleEntries(CTkArchive& ar, UINT style)
{
    std::vector<DWORD> entries;
    if (!IsUserStyle(style))
        return entries;
    std::uint32_t count = 0;
    ar >> count;
    if (count > kMaxStyleEntries)
        throw CTkArchiveException(CTkArchiveException::badIndex);
    entries.resize(count);
    for (DWORD& entry : entries)
        ar >> entry;
    return entries;
}

// The reference device is asked once; its answer holds for the run.
bool ReferenceDrawsWideStyledLines()
{
    static const bool bWideStyled =
        (TkDeviceCaps::ReferenceDevice().lineCaps & LC_WIDESTYLED) != 0;
    return bWideStyled;
}

constexpr UINT GEOMETRIC_SQUARE_MITER = PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_JOIN_MITER;
}  // namespace

CVxPenGraphicProperty::CVxPenGraphicProperty(BOOL bGathering)
    : CVxGraphicProperty("Pen", bGathering)
{
    m_states.Fill(InitialState());
    SetDefaults();
}

void CVxPenGraphicProperty::Serialize(CTkArchive& ar)
{
    CVxGraphicProperty::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_logPen.lopnStyle << m_logPen.lopnWidth.x << m_logPen.lopnWidth.y
           << m_logPen.lopnColor;
        StoreStyleEntries(ar, m_logPen.lopnStyle, m_styleEntries);
        return;
    }
    ar >> m_logPen.lopnStyle >> m_logPen.lopnWidth.x >> m_logPen.lopnWidth.y >>
        m_logPen.lopnColor;
    m_styleEntries = LoadStyleEntries(ar, m_logPen.lopnStyle);
    m_states.Fill(VX_STATE_DEFINED);
    UpdateSolidColor();
}

void CVxPenGraphicProperty::SelectIntoDC(CTkDC* pDC)
{
    PenKey key{m_logPen, m_styleEntries};
    if (pDC == nullptr || s_cache.Holds(pDC, key, SamePen))
        return;
    const HPEN hPen = CreatePenFromLogPen(m_logPen, m_styleEntries);
    s_cache.Select(pDC, hPen, std::move(key));
}

BOOL CVxPenGraphicProperty::Apply(const CVxGraphicProperty& source)
{
    const auto* pSource = dynamic_cast<const CVxPenGraphicProperty*>(&source);
    if (pSource == nullptr)
        return FALSE;
    int changed = 0;
    if (pSource->m_states[Style] == VX_STATE_DEFINED) {
        changed |= MergeValue(m_logPen.lopnStyle, pSource->m_logPen.lopnStyle, m_states[Style]);
        if (m_styleEntries != pSource->m_styleEntries) {
            m_styleEntries = pSource->m_styleEntries;
            changed = 1;
        }
    }
    if (pSource->m_states[Width] == VX_STATE_DEFINED)
        changed |=
            MergeValue(m_logPen.lopnWidth.x, pSource->m_logPen.lopnWidth.x, m_states[Width]);
    if (pSource->m_states[Color] == VX_STATE_DEFINED)
        changed |= MergeValue(m_logPen.lopnColor, pSource->m_logPen.lopnColor, m_states[Color]);
    if (changed)
        UpdateSolidColor();
    return changed ? TRUE : FALSE;
}

void CVxPenGraphicProperty::SetDefaults()
{
    m_logPen = LOGPEN{PS_SOLID, {1, 0}, RGB(0, 0, 0)};
    UpdateSolidColor();
}

void CVxPenGraphicProperty::Merge(const CVxGraphicProperty& other)
{
    const auto* pOther = dynamic_cast<const CVxPenGraphicProperty*>(&other);
    if (!IsGathering() || pOther == nullptr)
        return;
    const BOOL g = pOther->IsGathering();
    const auto& s = pOther->m_states;
    MergeFrom(m_logPen.lopnStyle, m_states[Style], pOther->m_logPen.lopnStyle, s[Style], g);
    MergeFrom(m_logPen.lopnWidth.x, m_states[Width], pOther->m_logPen.lopnWidth.x, s[Width], g);
    MergeFrom(m_logPen.lopnColor, m_states[Color], pOther->m_logPen.lopnColor, s[Color], g);
    MergeFrom(m_bSolidColor, m_states[SolidColor], pOther->m_bSolidColor, s[SolidColor], g);
}

void CVxPenGraphicProperty::Scale(int, int yNum, int, int yDenom)
{
    const int width = m_logPen.lopnWidth.x;
    if (width < 2 || yDenom == 0)
        return;
    // Magnitudes, so that a flip keeps the width; -1 is MulDiv's overflow.
    const int scaled = MulDiv(width, std::abs(yNum), std::abs(yDenom));
    if (scaled < 0)
        return;
    SetWidth(std::max(scaled, 2));
}

std::unique_ptr<CVxGraphicProperty> CVxPenGraphicProperty::Clone() const
{
    auto pClone = std::make_unique<CVxPenGraphicProperty>(IsGathering());
    CopyBaseTo(*pClone);
    pClone->m_logPen = m_logPen;
    pClone->m_styleEntries = m_styleEntries;
    pClone->m_bSolidColor = m_bSolidColor;
    pClone->m_states = m_states;
    return pClone;
}

BOOL CVxPenGraphicProperty::SetStyle(UINT style)
{
    return SetValue(m_logPen.lopnStyle, style, m_states[Style]);
}

BOOL CVxPenGraphicProperty::SetWidth(int width)
{
    return SetValue(m_logPen.lopnWidth.x, width, m_states[Width]);
}

BOOL CVxPenGraphicProperty::SetColor(COLORREF color)
{
    return SetValue(m_logPen.lopnColor, color, m_states[Color]);
}

template <typename T>
BOOL CVxPenGraphicProperty::SetValue(T& field, const T& value, std::uint32_t& state)
{
    if (!MergeValue(field, value, state))
        return FALSE;
    UpdateSolidColor();
    return TRUE;
}

void CVxPenGraphicProperty::UpdateSolidColor()
{
    const bool bDefinite = m_states[Style] == VX_STATE_DEFINED &&
                           m_states[Width] == VX_STATE_DEFINED &&
                           m_states[Color] == VX_STATE_DEFINED;
    const bool bGeometric = bDefinite && ReferenceDrawsWideStyledLines() &&
                            PenNeedsGeometric(m_logPen);
    m_bSolidColor = bGeometric ? FALSE : TRUE;
}

BOOL CVxPenGraphicProperty::PenNeedsGeometric(const LOGPEN& logPen)
{
    const UINT style = logPen.lopnStyle;
    const int width = logPen.lopnWidth.x;
    const UINT lowStyle = style & PS_STYLE_MASK;
    const bool bFlagged = (style & ~PS_STYLE_MASK) != 0 && width > 1;
    const bool bWideDashed = width >= 2 && lowStyle >= PS_DASH && lowStyle <= PS_DASHDOTDOT;
    return bFlagged || bWideDashed ? TRUE : FALSE;
}

HPEN CVxPenGraphicProperty::CreatePenFromLogPen(const LOGPEN& logPen,
                                                 const std::vector<DWORD>& styleEntries)
{
    if (IsUserStyle(logPen.lopnStyle) && !styleEntries.empty()) {
        const LOGBRUSH brush{BS_SOLID, logPen.lopnColor, 0};
        const DWORD width = DWORD(std::max(logPen.lopnWidth.x, 0));
        // A style GDI refuses falls back to the pen without its entries below.
        if (const HPEN hPen = ExtCreatePen(logPen.lopnStyle, width, &brush,
                                           DWORD(styleEntries.size()), styleEntries.data()))
            return hPen;
    }
    if (!PenNeedsGeometric(logPen)) {
        const LOGPEN plain{logPen.lopnStyle & PS_STYLE_MASK, logPen.lopnWidth,
                           logPen.lopnColor};
        return CreatePenIndirect(&plain);
    }
    const UINT style = logPen.lopnStyle;
    // A pen wider than 1 can only be geometric: caps and joins read from a
    // Windows metafile come without the geometric flag.
    const DWORD extStyle = (style & ~PS_STYLE_MASK) != 0
                               ? style | PS_GEOMETRIC
                               : (style & PS_STYLE_MASK) | GEOMETRIC_SQUARE_MITER;
    const LOGBRUSH brush{BS_SOLID, logPen.lopnColor, 0};
    const DWORD width = DWORD(std::max(logPen.lopnWidth.x, 1));
    return ExtCreatePen(extStyle, width, &brush, 0, nullptr);
}

void CVxPenGraphicProperty::OpenCache(CTkDC* pDC) { s_cache.Open(pDC); }

void CVxPenGraphicProperty::CloseCache(CTkDC* pDC) { s_cache.Close(pDC); }

void CVxPenGraphicProperty::BeginOutlineDrawing(CTkDC* pDC)
{
    if (pDC == nullptr)
        return;
    const HPEN hPen = CreatePenFromLogPen(LOGPEN{PS_DOT, {0, 0}, RGB(255, 255, 255)});
    s_outline.Begin(pDC, hPen, hPen);
}

void CVxPenGraphicProperty::EndOutlineDrawing(CTkDC* pDC) { s_outline.End(pDC); }

unsigned CVxPenGraphicProperty::GetPageId() const { return IDD_LINE_PAGE; }
