#include "editing/VxSelectSimilar.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxSelection.h"

#include <variant>

namespace {

// A filter's value: none when the graphic lacks it or it is mixed.
using Value = std::variant<std::monostate, long long, std::u16string, std::string>;
using Groups = CVxSelectSimilar::Groups;

template <typename P, typename E>
bool Defined(const P* p, E value)
{
    return p && p->GetState(value) == VX_STATE_DEFINED;
}

Value PenValue(const Groups& g, CVxPenGraphicProperty::Value v)
{
    const CVxPenGraphicProperty* p = g.Pen();
    if (!Defined(p, v)) return {};
    switch (v) {
    case CVxPenGraphicProperty::Style: return (long long)p->GetStyle();
    case CVxPenGraphicProperty::Width: return (long long)p->GetWidth();
    default: return (long long)p->GetColor();
    }
}

Value FillPattern(const Groups& g)
{
    const CVxBrushGraphicProperty* p = g.Brush();
    if (!Defined(p, CVxBrushGraphicProperty::Style)) return {};
    const long long style = p->GetStyle();
    // Solid and hollow brushes have no hatch to compare.
    if (style == BS_SOLID || style == BS_HOLLOW) return style << 32;
    if (!Defined(p, CVxBrushGraphicProperty::Hatch)) return {};
    return style << 32 | p->GetHatch();
}

Value FontValue(const Groups& g, CVxFontGraphicProperty::Value v)
{
    const CVxFontGraphicProperty* p = g.Font();
    if (!Defined(p, v)) return {};
    const LOGFONTW& lf = p->GetLogFont();
    switch (v) {
    case CVxFontGraphicProperty::FaceName: {
        std::u16string name = p->GetFaceName();
        for (char16_t& c : name) {
            if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
        }
        return name;
    }
    case CVxFontGraphicProperty::Height: return (long long)lf.lfHeight;
    case CVxFontGraphicProperty::Weight: return (long long)lf.lfWeight;
    case CVxFontGraphicProperty::Italic: return (long long)lf.lfItalic;
    case CVxFontGraphicProperty::Underline: return (long long)lf.lfUnderline;
    default: return (long long)lf.lfEscapement;
    }
}

// Text colour and alignment belong to texts: they need a font as well.
Value GlobalValue(const Groups& g, CVxGlobalGraphicProperty::Value v, bool bNeedsFont)
{
    const CVxGlobalGraphicProperty* p = g.Global();
    if (!Defined(p, v) || (bNeedsFont && !g.Font())) return {};
    switch (v) {
    case CVxGlobalGraphicProperty::TextColor: return (long long)p->GetTextColor();
    case CVxGlobalGraphicProperty::TextAlign: return (long long)p->GetTextAlign();
    case CVxGlobalGraphicProperty::BkColor: return (long long)p->GetBkColor();
    default: return (long long)p->GetBkMode();
    }
}

Value GetValue(const Groups& g, VxSimilarFilter filter)
{
    using F = VxSimilarFilter;
    using Pen = CVxPenGraphicProperty;
    using Font = CVxFontGraphicProperty;
    using Global = CVxGlobalGraphicProperty;
    switch (filter) {
    case F::LineStyle: return PenValue(g, Pen::Style);
    case F::LineColor: return PenValue(g, Pen::Color);
    case F::LineWidth: return PenValue(g, Pen::Width);
    case F::FillPattern: return FillPattern(g);
    case F::FillColor:
        if (!Defined(g.Brush(), CVxBrushGraphicProperty::Color)) return {};
        return (long long)g.Brush()->GetColor();
    case F::FontName: return FontValue(g, Font::FaceName);
    case F::FontSize: return FontValue(g, Font::Height);
    case F::FontBold: return FontValue(g, Font::Weight);
    case F::FontItalic: return FontValue(g, Font::Italic);
    case F::FontUnderline: return FontValue(g, Font::Underline);
    case F::TextColor: return GlobalValue(g, Global::TextColor, true);
    case F::TextAlignment: return GlobalValue(g, Global::TextAlign, true);
    case F::Rotation: return FontValue(g, Font::Escapement);
    case F::BkColor: return GlobalValue(g, Global::BkColor, false);
    case F::ObjectType:
        if (!g.bOneType) return {};
        return g.strType;
    case F::Transparency: return GlobalValue(g, Global::BkMode, false);
    case F::Count: break;
    }
    return {};
}

constexpr const char* kGroupNames[4] = {"Pen", "Brush", "Font", "Global"};

// The graphic's own groups, valid until it changes.
void ReadGroups(CVxGraphic& graphic, Groups& g)
{
    g.pPen = graphic.LookupProperty(kGroupNames[0]);
    g.pBrush = graphic.LookupProperty(kGroupNames[1]);
    g.pFont = graphic.LookupProperty(kGroupNames[2]);
    g.pGlobal = graphic.LookupProperty(kGroupNames[3]);
}

}  // namespace

const CVxPenGraphicProperty* Groups::Pen() const
{
    return dynamic_cast<const CVxPenGraphicProperty*>(pPen);
}
const CVxBrushGraphicProperty* Groups::Brush() const
{
    return dynamic_cast<const CVxBrushGraphicProperty*>(pBrush);
}
const CVxFontGraphicProperty* Groups::Font() const
{
    return dynamic_cast<const CVxFontGraphicProperty*>(pFont);
}
const CVxGlobalGraphicProperty* Groups::Global() const
{
    return dynamic_cast<const CVxGlobalGraphicProperty*>(pGlobal);
}

CVxSelectSimilar::CVxSelectSimilar(CVxSelection& selection)
{
    for (std::size_t i = 0; i < m_copies.size(); ++i) m_copies[i] = selection.CopyProperty(kGroupNames[i]);
    m_selection.pPen = m_copies[0].get();
    m_selection.pBrush = m_copies[1].get();
    m_selection.pFont = m_copies[2].get();
    m_selection.pGlobal = m_copies[3].get();
    bool bFirst = true;
    for (auto pos = selection.GetFirstChildPosition(); pos;) {
        const std::string strType = selection.GetNextChild(pos)->GetTypeName();
        if (bFirst) m_selection.strType = strType;
        m_selection.bOneType = m_selection.bOneType && strType == m_selection.strType;
        bFirst = false;
    }
    m_selection.bOneType = m_selection.bOneType && !bFirst;
    for (std::size_t i = 0; i < kVxSimilarFilterCount; ++i)
        m_offered[i] = GetValue(m_selection, VxSimilarFilter(i)).index() != 0;
}

CVxSelectSimilar::~CVxSelectSimilar() = default;

VxSelectSimilarData CVxSelectSimilar::GetData() const
{
    return {m_offered, m_offered};
}

bool CVxSelectSimilar::Matches(CVxGraphic& graphic, const VxSelectSimilarData& data) const
{
    Groups groups;
    ReadGroups(graphic, groups);
    groups.strType = graphic.GetTypeName();
    for (std::size_t i = 0; i < kVxSimilarFilterCount; ++i) {
        if (!data.checked[i] || !m_offered[i]) continue;
        const Value value = GetValue(groups, VxSimilarFilter(i));
        if (value.index() == 0 || value != GetValue(m_selection, VxSimilarFilter(i))) return false;
    }
    return true;
}
