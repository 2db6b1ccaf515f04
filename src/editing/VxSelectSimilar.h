#pragma once
// Select Similar: which attributes the selection has in common (the filters the
// dialog offers) and whether another graphic shares the ticked ones.

#include "platform/gdi/GdiTypes.h"

#include <array>
#include <memory>
#include <string>

class CVxBrushGraphicProperty;
class CVxFontGraphicProperty;
class CVxGlobalGraphicProperty;
class CVxGraphic;
class CVxGraphicProperty;
class CVxPenGraphicProperty;
class CVxSelection;

// The sixteen filters in the order of the dialog's check boxes.
enum class VxSimilarFilter {
    LineStyle,
    LineColor,
    LineWidth,
    FillPattern,
    FillColor,
    FontName,
    FontSize,
    FontBold,
    FontItalic,
    FontUnderline,
    TextColor,
    TextAlignment,
    Rotation,
    BkColor,
    ObjectType,
    Transparency,
    Count
};
constexpr std::size_t kVxSimilarFilterCount = std::size_t(VxSimilarFilter::Count);

// What the dialog shows and gives back: a filter can only be ticked when offered.
struct VxSelectSimilarData {
    std::array<bool, kVxSimilarFilterCount> offered{};
    std::array<bool, kVxSimilarFilterCount> checked{};
};

class CVxSelectSimilar {
public:
    // Reads what the selected graphics have in common.
    explicit CVxSelectSimilar(CVxSelection& selection);
    ~CVxSelectSimilar();

    // Every offered filter ticked.
    VxSelectSimilarData GetData() const;
    // Whether graphic has, for every ticked filter, the selection's value; a
    // graphic without the attribute a filter needs does not match.
    bool Matches(CVxGraphic& graphic, const VxSelectSimilarData& data) const;

    // The values of one graphic or of the selection; null where there are none.
    struct Groups {
        const CVxGraphicProperty* pPen = nullptr;
        const CVxGraphicProperty* pBrush = nullptr;
        const CVxGraphicProperty* pFont = nullptr;
        const CVxGraphicProperty* pGlobal = nullptr;
        std::string strType;
        bool bOneType = true;
        const CVxPenGraphicProperty* Pen() const;
        const CVxBrushGraphicProperty* Brush() const;
        const CVxFontGraphicProperty* Font() const;
        const CVxGlobalGraphicProperty* Global() const;
    };

private:
    // Copies: the selection gathers afresh as graphics join it.
    std::array<std::unique_ptr<CVxGraphicProperty>, 4> m_copies;
    Groups m_selection;
    std::array<bool, kVxSimilarFilterCount> m_offered{};
};
