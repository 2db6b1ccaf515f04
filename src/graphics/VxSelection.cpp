#include "graphics/VxSelection.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxDocumentContext.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"

#include <utility>
#include <vector>

TK_IMPLEMENT_DYNAMIC(CVxSelection, CVxPicture)

namespace {
constexpr unsigned kTypeNameId = 5020;  // "Selection"
constexpr double kDefaultFontPoints = 10.0;
}

CVxSelection::CVxSelection()
{
    m_defaultProperties.SetOwner(this);
    m_defaultProperties.SetAt(std::make_unique<CVxGlobalGraphicProperty>());
    m_defaultProperties.SetAt(std::make_unique<CVxPenGraphicProperty>());
    m_defaultProperties.SetAt(std::make_unique<CVxBrushGraphicProperty>());
    m_defaultProperties.SetAt(std::make_unique<CVxFontGraphicProperty>());
}

void CVxSelection::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        // Gathered and then cleared, so that the picture writes no properties
        // instead of gathering them again.
        EnsureProperties();
        ClearProperties();
    } else {
        m_defaultProperties.RemoveAll();
    }
    CVxPicture::Serialize(ar);
    if (ar.IsStoring())
        m_bPropertiesDirty = TRUE;
    m_defaultProperties.Serialize(ar);
}

BOOL CVxSelection::ApplyProperty(const CVxGraphicProperty& property)
{
    if (!HasNoChildren())
        return CVxPicture::ApplyProperty(property);
    // New graphics' attributes are no change of the document.
    struct DocumentHold {
        CVxDocumentContext*& rpDocument;
        CVxDocumentContext* pSaved;
        ~DocumentHold() { rpDocument = pSaved; }
    } hold{m_pDocument, std::exchange(m_pDocument, nullptr)};
    return CVxGraphic::ApplyProperty(property);
}

std::string CVxSelection::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

const char* CVxSelection::GetClassName() const
{
    if (GetChildCount() == 1)
        return GetFirstChild()->GetClassName();
    return CVxPicture::GetClassName();
}

void CVxSelection::SetDocument(CVxDocumentContext* pDocument)
{
    m_pDocument = pDocument;
    if (!pDocument)
        return;
    if (std::unique_ptr<CVxGraphicProperty> pCopy = m_defaultProperties.GetCopy("Font")) {
        auto& font = dynamic_cast<CVxFontGraphicProperty&>(*pCopy);
        font.SetHeight(-pDocument->PointsToLogicalY(kDefaultFontPoints));
        m_defaultProperties.Apply(font);
    }
}

void CVxSelection::SetModified(BOOL bModified)
{
    if (bModified)
        Invalidate();
}

CVxPropertyMap& CVxSelection::GetPropertyMap()
{
    return HasNoChildren() ? m_defaultProperties : m_properties;
}

const CVxPropertyMap& CVxSelection::GetPropertyMap() const
{
    return HasNoChildren() ? m_defaultProperties : m_properties;
}

void CVxSelection::GatherProperties()
{
    if (!HasNoChildren())
        CVxPicture::GatherProperties();
}

CVxPropertyMap& CVxSelection::GetDefaultPropertyMap()
{
    return m_defaultProperties;
}

const CVxPropertyMap& CVxSelection::GetDefaultPropertyMap() const
{
    return m_defaultProperties;
}

void CVxSelection::AddPropertyPages(IVxPropertySheet* pSheet)
{
    for (PROPERTY_POSITION pos = GetFirstPropertyPosition(); pos;) {
        if (CVxGraphicProperty* pProperty = LookupProperty(GetNextPropertyName(pos)))
            pProperty->AddPage(pSheet);
    }
}

void CVxSelection::ApplyPropertyPages(IVxPropertySheet* pSheet)
{
    // Copies first: applying one makes the gathered map stale.
    std::vector<std::unique_ptr<CVxGraphicProperty>> copies;
    for (PROPERTY_POSITION pos = GetFirstPropertyPosition(); pos;) {
        if (std::unique_ptr<CVxGraphicProperty> pCopy = CopyProperty(GetNextPropertyName(pos)))
            copies.push_back(std::move(pCopy));
    }
    for (const auto& pCopy : copies) {
        pCopy->ReadPage(pSheet);
        ApplyProperty(*pCopy);
    }
}

void CVxSelection::RemovePropertyPages(IVxPropertySheet* pSheet)
{
    for (PROPERTY_POSITION pos = GetFirstPropertyPosition(); pos;) {
        if (CVxGraphicProperty* pProperty = LookupProperty(GetNextPropertyName(pos)))
            pProperty->RemovePage(pSheet);
    }
}
