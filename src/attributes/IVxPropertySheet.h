#pragma once
// What properties and the document need of the sheet their pages live on,
// without reaching for its widgets: the pages by dialog id and the one undo
// step a use of the sheet may take.

class CVxGraphicProperty;

class IVxPropertySheet {
public:
    virtual ~IVxPropertySheet() = default;

    virtual bool HasPage(unsigned nIdTemplate) const = 0;
    // Removes the page and deletes it; nothing when there is no such page.
    virtual void RemovePage(unsigned nIdTemplate) = 0;
    // Takes the view's undo snapshot the first time it is called, then never.
    virtual void SaveUndoStateOnce() = 0;
    // Adds the page of nIdTemplate showing the definite values of property;
    // nothing when the sheet has no page of that id.
    virtual void AddPropertyPage(unsigned nIdTemplate, const CVxGraphicProperty& property) = 0;
    // The values the user set on that page (state 1; the others are not
    // applied); null when the page is not in the sheet.
    virtual const CVxGraphicProperty* GetPageValues(unsigned nIdTemplate) const = 0;
};
