#pragma once
// The base of every graphic: its defining rectangle, its attribute properties,
// the document it belongs to, and the geometry and drawing every shape shares.
//
// The rectangle is kept as the shape needs it, not normalised (a line keeps its
// start in left/top and its end in right/bottom). Queries that a composite answers
// from lazily rebuilt state (its rectangle, its gathered properties) are not
// const.

#include "attributes/VxPropertyMap.h"
#include "attributes/VxPropertyOwner.h"
#include "platform/framework/TkObList.h"
#include "platform/framework/TkObject.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class CTkArchive;
class CTkDC;
class CVxDocumentContext;
class CVxGraphicList;
class CVxView;

// Handle numbers
constexpr int VX_HANDLE_NONE = -2;
constexpr int VX_HANDLE_BODY = -1;
constexpr int VX_HANDLE_TOP = 0;
constexpr int VX_HANDLE_RIGHT = 1;
constexpr int VX_HANDLE_BOTTOM = 2;
constexpr int VX_HANDLE_LEFT = 3;
constexpr int VX_HANDLE_TOP_RIGHT = 4;
constexpr int VX_HANDLE_BOTTOM_LEFT = 5;
constexpr int VX_HANDLE_TOP_LEFT = 6;
constexpr int VX_HANDLE_BOTTOM_RIGHT = 7;
constexpr int VX_HANDLE_FIRST_POINT = 8;

// The hint with which a graphic asks the views to repaint its area.
constexpr long VX_HINT_UPDATE_GRAPHIC = 1;

class CVxGraphic : public CTkObject, public IVxPropertyOwner {
    TK_DECLARE_DYNAMIC(CVxGraphic)
public:
    using POSITION = CTkObList::POSITION;
    using PROPERTY_POSITION = CVxPropertyMap::POSITION;
    // Returns FALSE to end a walk; TRUE to go on into the graphic's children.
    using ForEachCallback = BOOL (*)(CVxGraphic* pGraphic, void* pContext);

    // Leaves m_rect unset and the property map empty: for creation on load and
    // for the graphics that carry no properties of their own.
    CVxGraphic();
    // Takes the rectangle as given and creates "Global" and "Position".
    explicit CVxGraphic(const RECT& rect);
    ~CVxGraphic() override;
    CVxGraphic(const CVxGraphic&) = delete;
    CVxGraphic& operator=(const CVxGraphic&) = delete;

    void Serialize(CTkArchive& ar) override;

    virtual BOOL HasExtent() const;
    virtual RECT GetRect();
    virtual RECT GetNormalizedRect();
    virtual RECT GetDrawBounds(CTkDC* pDC = nullptr);
    // True when the drawn area depends on the device it is measured on, so a
    // cache of it must not stand in for the graphic's own visibility test.
    virtual bool HasDeviceDrawBounds() const { return false; }
    virtual std::uint32_t GetArea();
    virtual POINT GetCenter();
    virtual POINT GetStartPoint();

    virtual BOOL HasProperty(const std::string& name);
    virtual PROPERTY_POSITION GetFirstPropertyPosition();
    virtual std::string GetNextPropertyName(PROPERTY_POSITION& pos);
    // Still owned by the graphic.
    virtual CVxGraphicProperty* LookupProperty(const std::string& name);
    virtual std::unique_ptr<CVxGraphicProperty> CopyProperty(const std::string& name);
    // Returns whether the graphic changed.
    virtual BOOL ApplyProperty(const CVxGraphicProperty& property);

    virtual std::string GetTypeName() const;
    virtual const char* GetClassName() const;

    // Children: only composites have any.
    virtual void AddChildrenHead(const CVxGraphicList& list);
    virtual void AddChildHead(CVxGraphic* pGraphic);
    virtual void AddChildrenTail(const CVxGraphicList& list);
    virtual void AddChildTail(CVxGraphic* pGraphic);
    virtual POSITION InsertChildBefore(POSITION pos, CVxGraphic* pGraphic);
    virtual POSITION InsertChildAfter(POSITION pos, CVxGraphic* pGraphic);
    virtual void RemoveChild(CVxGraphic* pGraphic);
    virtual void RemoveChildAt(POSITION pos);
    virtual void RemoveAllChildren();
    virtual POSITION GetFirstChildPosition() const;
    virtual POSITION GetLastChildPosition() const;
    virtual CVxGraphic* GetNextChild(POSITION& pos) const;
    virtual CVxGraphic* GetPrevChild(POSITION& pos) const;
    virtual CVxGraphic* GetChildAt(POSITION pos) const;
    virtual CVxGraphic* GetFirstChild() const;
    virtual CVxGraphic* GetLastChild() const;
    virtual POSITION FindChild(const CVxGraphic* pGraphic) const;
    virtual BOOL HasNoChildren() const;
    virtual int GetChildCount() const;

    virtual void Offset(int dx, int dy);
    // Resizes about the centre from the old size to the new one; sizes are
    // signed, so a negative factor mirrors.
    virtual void Scale(int nw, int nh, int ow, int oh);
    virtual void ScaleAttributes(int nw, int nh, int ow, int oh);
    virtual void Rotate(int nDegrees);

    // bContinue: the current position already stands at the shape's start (inside
    // a path), and the visibility test is skipped.
    virtual void DrawShape(CTkDC* pDC, BOOL bContinue) = 0;
    virtual void DrawShapeOutline(CTkDC* pDC, BOOL bContinue);

    // Assignment of rectangle, document and the properties both graphics have.
    virtual void CopyFrom(CVxGraphic& source);

    virtual CVxDocumentContext* GetDocument() const;
    virtual void SetDocument(CVxDocumentContext* pDocument);
    virtual RECT GetBounds();
    virtual void SetModified(BOOL bModified);

    virtual void Draw(CTkDC* pDC, BOOL bContinue = FALSE);
    // Draw, for a caller that knows the drawn area to lie wholly inside the DC's
    // clip box: the graphic's own visibility test is passed over.
    void DrawInsideClip(CTkDC* pDC);
    virtual void SelectAttributes(CTkDC* pDC);
    virtual void RestoreAttributes(CTkDC* pDC);
    virtual void DrawOutline(CTkDC* pDC, BOOL bContinue = FALSE);
    virtual void SelectOutlineAttributes(CTkDC* pDC);
    virtual void RestoreOutlineAttributes(CTkDC* pDC);

    virtual int GetHandleCount() const;
    virtual POINT GetHandlePoint(int nHandle);
    // Returns TRUE when it had to change the point.
    virtual BOOL ConstrainHandlePoint(int nHandle, POINT& point);
    virtual void MoveHandle(int nHandle, POINT point);
    virtual BOOL IsValidHandle(int nHandle) const;
    virtual int GetPointHandleCount() const;
    virtual int HandleToPointIndex(int nHandle) const;

    virtual BOOL CanInsertPoint(int nPoint) const;
    virtual BOOL InsertPoint(int nPoint, POINT point, BOOL bAllowDuplicate);
    virtual BOOL CanDeletePoint(int nPoint) const;
    virtual BOOL DeletePoint(int nPoint);
    virtual int GetSubPolygonCount() const;
    virtual int GetSubPolygonOfPoint(int nPoint) const;
    virtual int GetSubPolygonFirstPoint(int nSubPolygon) const;
    virtual int GetSubPolygonPointCount(int nSubPolygon) const;
    virtual BOOL CanInsertSubPolygon(int nSubPolygon) const;
    virtual BOOL InsertSubPolygon(int nSubPolygon, int nUnused);
    virtual BOOL CanDeleteSubPolygon(int nSubPolygon) const;
    virtual BOOL DeleteSubPolygon(int nSubPolygon);

    // A free-standing copy: no document, its own properties.
    virtual std::unique_ptr<CVxGraphic> Clone() = 0;
    virtual BOOL CanEdit() const;
    virtual void Edit(CVxView* pView);

    virtual CVxPropertyMap& GetPropertyMap();
    virtual const CVxPropertyMap& GetPropertyMap() const;

    // Asks the views to repaint the graphic's area (before and after a change).
    void Invalidate();
    void SetUpdateViews(BOOL bUpdateViews);
    BOOL IsUpdatingViews() const { return m_bUpdateViews; }
    BOOL IsVisibleIn(CTkDC* pDC);
    // Right and bottom must lie strictly inside.
    BOOL IsInsideRect(const RECT& rect);
    // Depth first over the descendants; FALSE when the callback ended the walk or
    // there is no callback.
    BOOL ForEachGraphic(ForEachCallback pfnCallback, void* pContext);
    // Keeps a dragged side from crossing the opposite one.
    BOOL ConstrainHandleNoCross(int nHandle, POINT& point);
    void ClearProperties();

    // IVxPropertyOwner
    void OwnerOffset(int dx, int dy) override;
    void OwnerScale(int nw, int nh, int ow, int oh) override;
    POINT GetReferencePoint() const override;
    CVxDocumentContext* GetOwnerDocument() const override;

    // The range a coordinate may take, probed once per run.
    static const RECT& GetCoordinateLimitRect();

    // While set, Scale also scales pen widths and font sizes (composites set it
    // around the scaling of their children).
    static BOOL s_bScaleAttributes;

protected:
    // The Clone of a concrete class T: a new T from m_rect, then T's CopyFrom.
    template <typename T>
    std::unique_ptr<CVxGraphic> CloneAs()
    {
        return CompleteClone(std::make_unique<T>(m_rect));
    }
    // Copies this graphic onto pClone with this graphic's document held at null,
    // so the clone belongs to no document and copying notifies no view.
    std::unique_ptr<CVxGraphic> CompleteClone(std::unique_ptr<CVxGraphic> pClone);

    RECT m_rect{};
    CVxPropertyMap m_properties;
    CVxDocumentContext* m_pDocument = nullptr;
    BOOL m_bUpdateViews = TRUE;

private:
    void CorrectHandleDrift(int nHandle, const RECT& r1, const RECT& r2);
};
