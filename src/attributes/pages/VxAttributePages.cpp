#include "attributes/pages/VxAttributePages.h"

#include "attributes/pages/VxBrushPropertyPage.h"
#include "attributes/pages/VxFontPropertyPage.h"
#include "attributes/pages/VxGlobalPropertyPage.h"
#include "attributes/pages/VxPenPropertyPage.h"
#include "attributes/pages/VxPositionPropertyPage.h"
#include "resources/VxResourceIds.h"

namespace {

template <class Page, class Property>
std::unique_ptr<CVxPropertyPage> Make(const CVxGraphicProperty& property)
{
    const auto* pProperty = dynamic_cast<const Property*>(&property);
    return pProperty ? std::make_unique<Page>(*pProperty) : nullptr;
}

struct PageRow {
    unsigned nIdTemplate;
    std::unique_ptr<CVxPropertyPage> (*pfnCreate)(const CVxGraphicProperty&);
};

constexpr PageRow kPages[] = {
    {IDD_LINE_PAGE, &Make<CVxPenPropertyPage, CVxPenGraphicProperty>},
    {IDD_FILL_PAGE, &Make<CVxBrushPropertyPage, CVxBrushGraphicProperty>},
    {IDD_POSITION_PAGE, &Make<CVxPositionPropertyPage, CVxPositionGraphicProperty>},
    {IDD_OTHER_PAGE, &Make<CVxGlobalPropertyPage, CVxGlobalGraphicProperty>},
    {IDD_TEXT_PAGE, &Make<CVxFontPropertyPage, CVxFontGraphicProperty>},
};

}  // namespace

std::unique_ptr<CVxPropertyPage> VxCreateAttributePage(unsigned nIdTemplate,
                                                       const CVxGraphicProperty& property)
{
    for (const PageRow& row : kPages) {
        if (row.nIdTemplate == nIdTemplate) return row.pfnCreate(property);
    }
    return nullptr;
}
