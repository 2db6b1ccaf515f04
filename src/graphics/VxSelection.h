#pragma once
// The graphics selected in a view. It refers to them without owning them,
// gathers their attributes for the attribute pages and toolbars, and holds the
// attributes for new graphics, which it shows and changes while it is empty.

#include "graphics/VxPicture.h"

class IVxPropertySheet;

class CVxSelection : public CVxPicture {
    TK_DECLARE_DYNAMIC(CVxSelection)
public:
    // Default properties "Global", "Pen", "Brush" and "Font".
    CVxSelection();

    // The gathered properties are not stored. The graphics read back belong to
    // no list of this selection: whoever loads it must delete or replace them.
    void Serialize(CTkArchive& ar) override;
    // An empty selection changes its default properties and tells no document.
    BOOL ApplyProperty(const CVxGraphicProperty& property) override;
    std::string GetTypeName() const override;
    // The class of the only selected graphic, when there is one.
    const char* GetClassName() const override;
    // Gives the default font its size in the document's units.
    void SetDocument(CVxDocumentContext* pDocument) override;
    // Only repaints: selecting changes nothing in the document.
    void SetModified(BOOL bModified) override;
    CVxPropertyMap& GetPropertyMap() override;
    const CVxPropertyMap& GetPropertyMap() const override;

    void GatherProperties() override;
    virtual CVxPropertyMap& GetDefaultPropertyMap();
    virtual const CVxPropertyMap& GetDefaultPropertyMap() const;

    // The Properties sheet: each property of the current map adds its page,
    // reads it back into a copy applied to the selection, or removes it.
    void AddPropertyPages(IVxPropertySheet* pSheet);
    void ApplyPropertyPages(IVxPropertySheet* pSheet);
    void RemovePropertyPages(IVxPropertySheet* pSheet);

private:
    CVxPropertyMap m_defaultProperties;
};
