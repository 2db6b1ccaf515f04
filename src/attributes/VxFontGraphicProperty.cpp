#include "attributes/VxFontGraphicProperty.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/VxObjectCache.h"
#include "attributes/VxPropertyOwner.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/MulDiv.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <cstdlib>

TK_IMPLEMENT_SERIAL(CVxFontGraphicProperty, CVxGraphicProperty, 0)

namespace {
CVxObjectCache<LOGFONTW> s_cache;

std::u16string_view FaceNameView(const LOGFONTW& logFont)
{
    const WCHAR* pBegin = logFont.lfFaceName;
    const WCHAR* pEnd = std::find(pBegin, pBegin + LF_FACESIZE, u'\0');
    return {pBegin, std::size_t(pEnd - pBegin)};
}
}  // namespace

CVxFontGraphicProperty::CVxFontGraphicProperty(BOOL bGathering)
    : CVxGraphicProperty("Font", bGathering)
{
    m_states.Fill(InitialState());
    SetDefaults();
}

template <typename F>
void CVxFontGraphicProperty::ForEachMember(const LOGFONTW& source, F f)
{
    LOGFONTW& lf = m_logFont;
    f(lf.lfHeight, source.lfHeight, Height);
    f(lf.lfWidth, source.lfWidth, Width);
    f(lf.lfEscapement, source.lfEscapement, Escapement);
    f(lf.lfOrientation, source.lfOrientation, Orientation);
    f(lf.lfWeight, source.lfWeight, Weight);
    f(lf.lfItalic, source.lfItalic, Italic);
    f(lf.lfUnderline, source.lfUnderline, Underline);
    f(lf.lfStrikeOut, source.lfStrikeOut, StrikeOut);
    f(lf.lfCharSet, source.lfCharSet, CharSet);
    f(lf.lfOutPrecision, source.lfOutPrecision, OutPrecision);
    f(lf.lfClipPrecision, source.lfClipPrecision, ClipPrecision);
    f(lf.lfQuality, source.lfQuality, Quality);
    f(lf.lfPitchAndFamily, source.lfPitchAndFamily, PitchAndFamily);
    f(lf.lfFaceName, source.lfFaceName, FaceName);
}

void CVxFontGraphicProperty::Serialize(CTkArchive& ar)
{
    CVxGraphicProperty::Serialize(ar);
    LOGFONTW& lf = m_logFont;
    if (ar.IsStoring()) {
        ar << lf.lfHeight << lf.lfWidth << lf.lfEscapement << lf.lfOrientation << lf.lfWeight
           << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet
           << lf.lfOutPrecision << lf.lfClipPrecision << lf.lfQuality << lf.lfPitchAndFamily;
        for (WCHAR c : lf.lfFaceName)
            ar << std::uint16_t(c);
        return;
    }
    ar >> lf.lfHeight >> lf.lfWidth >> lf.lfEscapement >> lf.lfOrientation >> lf.lfWeight >>
        lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >> lf.lfOutPrecision >>
        lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
    for (WCHAR& c : lf.lfFaceName) {
        std::uint16_t unit = 0;
        ar >> unit;
        c = WCHAR(unit);
    }
    m_states.Fill(VX_STATE_DEFINED);
}

void CVxFontGraphicProperty::SelectIntoDC(CTkDC* pDC)
{
    if (pDC == nullptr || s_cache.Holds(pDC, m_logFont, LogFontEquals))
        return;
    s_cache.Select(pDC, CreateFontIndirectW(&m_logFont), m_logFont);
}

BOOL CVxFontGraphicProperty::Apply(const CVxGraphicProperty& source)
{
    const auto* pSource = dynamic_cast<const CVxFontGraphicProperty*>(&source);
    if (pSource == nullptr)
        return FALSE;
    int changed = 0;
    ForEachMember(pSource->m_logFont, [&](auto& field, const auto& value, Value v) {
        if (pSource->m_states[v] == VX_STATE_DEFINED)
            changed |= MergeValue(field, value, m_states[v]);
    });
    return changed ? TRUE : FALSE;
}

void CVxFontGraphicProperty::SetDefaults()
{
    m_logFont = LOGFONTW{};
    m_logFont.lfHeight = DefaultHeight();
    m_logFont.lfCharSet = DEFAULT_CHARSET;
    std::copy_n(u"Arial", 5, m_logFont.lfFaceName);
}

int CVxFontGraphicProperty::DefaultHeight() const
{
    const IVxPropertyOwner* pOwner = GetOwner();
    const CVxDocumentContext* pDocument = pOwner ? pOwner->GetOwnerDocument() : nullptr;
    return pDocument ? -pDocument->PointsToLogicalY(10) : 0;
}

void CVxFontGraphicProperty::Merge(const CVxGraphicProperty& other)
{
    const auto* pOther = dynamic_cast<const CVxFontGraphicProperty*>(&other);
    if (!IsGathering() || pOther == nullptr)
        return;
    const BOOL g = pOther->IsGathering();
    ForEachMember(pOther->m_logFont, [&](auto& field, const auto& value, Value v) {
        MergeFrom(field, m_states[v], value, pOther->m_states[v], g);
    });
}

void CVxFontGraphicProperty::Scale(int xNum, int yNum, int xDenom, int yDenom)
{
    // A zero denominator (a graphic of no extent) leaves the size alone.
    if (xDenom != 0)
        SetWidth(MulDiv(m_logFont.lfWidth, std::abs(xNum), std::abs(xDenom)));
    if (yDenom == 0)
        return;
    const int height = MulDiv(m_logFont.lfHeight, std::abs(yNum), std::abs(yDenom));
    if (height != 0)
        SetHeight(height);
}

std::unique_ptr<CVxGraphicProperty> CVxFontGraphicProperty::Clone() const
{
    auto pClone = std::make_unique<CVxFontGraphicProperty>(IsGathering());
    CopyBaseTo(*pClone);
    pClone->m_logFont = m_logFont;
    pClone->m_states = m_states;
    return pClone;
}

std::u16string CVxFontGraphicProperty::GetFaceName() const
{
    return std::u16string(FaceNameView(m_logFont));
}

BOOL CVxFontGraphicProperty::SetHeight(LONG height)
{
    return MergeValue(m_logFont.lfHeight, height, m_states[Height]);
}

BOOL CVxFontGraphicProperty::SetWidth(LONG width)
{
    return MergeValue(m_logFont.lfWidth, width, m_states[Width]);
}

BOOL CVxFontGraphicProperty::SetEscapement(LONG escapement)
{
    return MergeValue(m_logFont.lfEscapement, escapement, m_states[Escapement]);
}

BOOL CVxFontGraphicProperty::SetOrientation(LONG orientation)
{
    return MergeValue(m_logFont.lfOrientation, orientation, m_states[Orientation]);
}

BOOL CVxFontGraphicProperty::SetWeight(LONG weight)
{
    return MergeValue(m_logFont.lfWeight, weight, m_states[Weight]);
}

BOOL CVxFontGraphicProperty::SetItalic(BYTE italic)
{
    return MergeValue(m_logFont.lfItalic, italic, m_states[Italic]);
}

BOOL CVxFontGraphicProperty::SetUnderline(BYTE underline)
{
    return MergeValue(m_logFont.lfUnderline, underline, m_states[Underline]);
}

BOOL CVxFontGraphicProperty::SetStrikeOut(BYTE strikeOut)
{
    return MergeValue(m_logFont.lfStrikeOut, strikeOut, m_states[StrikeOut]);
}

BOOL CVxFontGraphicProperty::SetCharSet(BYTE charSet)
{
    return MergeValue(m_logFont.lfCharSet, charSet, m_states[CharSet]);
}

BOOL CVxFontGraphicProperty::SetOutPrecision(BYTE precision)
{
    return MergeValue(m_logFont.lfOutPrecision, precision, m_states[OutPrecision]);
}

BOOL CVxFontGraphicProperty::SetClipPrecision(BYTE precision)
{
    return MergeValue(m_logFont.lfClipPrecision, precision, m_states[ClipPrecision]);
}

BOOL CVxFontGraphicProperty::SetQuality(BYTE quality)
{
    return MergeValue(m_logFont.lfQuality, quality, m_states[Quality]);
}

BOOL CVxFontGraphicProperty::SetPitchAndFamily(BYTE pitchAndFamily)
{
    return MergeValue(m_logFont.lfPitchAndFamily, pitchAndFamily, m_states[PitchAndFamily]);
}

BOOL CVxFontGraphicProperty::SetFaceName(const std::u16string& faceName)
{
    // Zero-filled, so that equal names have equal bytes.
    WCHAR name[LF_FACESIZE] = {};
    std::copy_n(faceName.begin(), std::min<std::size_t>(faceName.size(), LF_FACESIZE - 1), name);
    return MergeValue(m_logFont.lfFaceName, name, m_states[FaceName]);
}

BOOL CVxFontGraphicProperty::SetLogFont(const LOGFONTW& logFont)
{
    int changed = 0;
    ForEachMember(logFont, [&](auto& field, const auto& value, Value v) {
        changed |= MergeValue(field, value, m_states[v]);
    });
    return changed ? TRUE : FALSE;
}

bool CVxFontGraphicProperty::LogFontEquals(const LOGFONTW& a, const LOGFONTW& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth &&
           a.lfEscapement == b.lfEscapement && a.lfOrientation == b.lfOrientation &&
           a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut &&
           a.lfCharSet == b.lfCharSet && a.lfOutPrecision == b.lfOutPrecision &&
           a.lfClipPrecision == b.lfClipPrecision && a.lfQuality == b.lfQuality &&
           a.lfPitchAndFamily == b.lfPitchAndFamily && FaceNameView(a) == FaceNameView(b);
}

void CVxFontGraphicProperty::OpenCache(CTkDC* pDC) { s_cache.Open(pDC); }

void CVxFontGraphicProperty::CloseCache(CTkDC* pDC) { s_cache.Close(pDC); }

unsigned CVxFontGraphicProperty::GetPageId() const { return IDD_TEXT_PAGE; }
