#pragma once
// A graphic made of an ordered list of child graphics that it moves, resizes,
// rotates and re-styles as one. Its rectangle, its draw bounds and (for a plain
// picture and the selection) its properties are derived from the children and
// rebuilt lazily after a change.

#include "graphics/VxChildIndex.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxGraphicList.h"

#include <vector>

class CVxPicture : public CVxGraphic {
    TK_DECLARE_DYNAMIC(CVxPicture)
public:
    // No properties; the children are not owned.
    CVxPicture();
    explicit CVxPicture(const RECT& rect);

    void Serialize(CTkArchive& ar) override;

    RECT GetRect() override;
    RECT GetDrawBounds(CTkDC* pDC = nullptr) override;

    BOOL HasProperty(const std::string& name) override;
    PROPERTY_POSITION GetFirstPropertyPosition() override;
    std::string GetNextPropertyName(PROPERTY_POSITION& pos) override;
    CVxGraphicProperty* LookupProperty(const std::string& name) override;
    std::unique_ptr<CVxGraphicProperty> CopyProperty(const std::string& name) override;
    // Applies to every child; TRUE when any changed.
    BOOL ApplyProperty(const CVxGraphicProperty& property) override;

    std::string GetTypeName() const override;

    // The children get the picture's document.
    void AddChildrenHead(const CVxGraphicList& list) override;
    void AddChildHead(CVxGraphic* pGraphic) override;
    void AddChildrenTail(const CVxGraphicList& list) override;
    void AddChildTail(CVxGraphic* pGraphic) override;
    POSITION InsertChildBefore(POSITION pos, CVxGraphic* pGraphic) override;
    POSITION InsertChildAfter(POSITION pos, CVxGraphic* pGraphic) override;
    // The child is not deleted, even from an owning list.
    void RemoveChild(CVxGraphic* pGraphic) override;
    void RemoveChildAt(POSITION pos) override;
    // Deletes the children when the list owns them.
    void RemoveAllChildren() override;
    POSITION GetFirstChildPosition() const override;
    POSITION GetLastChildPosition() const override;
    CVxGraphic* GetNextChild(POSITION& pos) const override;
    CVxGraphic* GetPrevChild(POSITION& pos) const override;
    CVxGraphic* GetChildAt(POSITION pos) const override;
    CVxGraphic* GetFirstChild() const override;
    CVxGraphic* GetLastChild() const override;
    POSITION FindChild(const CVxGraphic* pGraphic) const override;
    BOOL HasNoChildren() const override;
    int GetChildCount() const override;

    void Offset(int dx, int dy) override;
    // Each child is resized about its own centre and its centre moved to the
    // scaled place; pen widths and fonts scale with it.
    void Scale(int nw, int nh, int ow, int oh) override;
    // Each child turns about its own centre.
    void Rotate(int nDegrees) override;

    // The children's shapes only, as inside a path.
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    // Each child with its own attributes.
    void Draw(CTkDC* pDC, BOOL bContinue = FALSE) override;
    // One dotted rectangle round the whole picture.
    void DrawOutline(CTkDC* pDC, BOOL bContinue = FALSE) override;

    // Eight of its own, then eight for each child.
    int GetHandleCount() const override;
    POINT GetHandlePoint(int nHandle) override;
    BOOL ConstrainHandlePoint(int nHandle, POINT& point) override;

    std::unique_ptr<CVxGraphic> Clone() override;
    // Only a picture of one editable child can be edited: it edits the child.
    BOOL CanEdit() const override;
    void Edit(CVxView* pView) override;

    // The children whose drawn area or bounds may meet rect (picture units,
    // normalised), in drawing order.
    std::vector<CVxGraphic*> GetChildrenNear(const RECT& rect);

    // Rebuilds the gathered properties from the children.
    virtual void GatherProperties();

    void SetAllDirty();
    void EnsureProperties();
    void EnsureRect();
    // Deletes every child, owned or not.
    void DeleteAllChildren();

protected:
    CVxGraphicList m_children;
    RECT m_rcDrawBounds{0, 0, 0, 0};
    BOOL m_bPropertiesDirty = TRUE;
    BOOL m_bRectDirty = TRUE;
    BOOL m_bDrawBoundsDirty = TRUE;

private:
    CVxChildIndex m_index;

    // Runs f on each child with its view updates suspended.
    template <typename F>
    void ForEachChildQuietly(F f);
    // The child joins the picture's document before insert() puts it in.
    template <typename Insert>
    POSITION AddChild(CVxGraphic* pGraphic, Insert insert);
    void AddChildren(const CVxGraphicList& list, BOOL bAtHead);
    void ChildrenChanged();
};
