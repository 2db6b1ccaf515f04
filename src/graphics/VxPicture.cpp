#include "graphics/VxPicture.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"

#include <utility>
#include <vector>

TK_IMPLEMENT_DYNAMIC(CVxPicture, CVxGraphic)

namespace {

constexpr unsigned kTypeNameId = 5019;  // "Picture"

// The union of a rectangle taken from each child with extent; empty for none.
template <typename Get>
RECT UnionOfChildren(const CVxGraphicList& children, Get get)
{
    std::vector<POINT> corners;
    for (CVxGraphicList::POSITION pos = children.GetHeadPosition(); pos;) {
        CVxGraphic* pChild = children.GetNextGraphic(pos);
        if (!pChild->HasExtent())
            continue;
        const RECT r = get(*pChild);
        corners.push_back({r.left, r.top});
        corners.push_back({r.right, r.bottom});
    }
    return VxBoundsOf(corners);
}

// The distance d scaled by n/o; an old size of 0 gives nothing to scale by.
int ScaleDistance(int d, int n, int o)
{
    return o != 0 ? MulDiv(d, n, o) : d;
}

}  // namespace

CVxPicture::CVxPicture() = default;

CVxPicture::CVxPicture(const RECT& rect) : CVxGraphic(rect) {}

void CVxPicture::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        EnsureProperties();
        EnsureRect();
    }
    CVxGraphic::Serialize(ar);
    m_children.Serialize(ar);
    if (ar.IsLoading())
        SetAllDirty();
}

RECT CVxPicture::GetRect()
{
    EnsureRect();
    return m_rect;
}

RECT CVxPicture::GetDrawBounds(CTkDC* pDC)
{
    if (m_bDrawBoundsDirty) {
        m_rcDrawBounds = UnionOfChildren(
            m_children, [pDC](CVxGraphic& child) { return child.GetDrawBounds(pDC); });
        m_bDrawBoundsDirty = FALSE;
    }
    return m_rcDrawBounds;
}

BOOL CVxPicture::HasProperty(const std::string& name)
{
    EnsureProperties();
    return CVxGraphic::HasProperty(name);
}

CVxPicture::PROPERTY_POSITION CVxPicture::GetFirstPropertyPosition()
{
    EnsureProperties();
    return CVxGraphic::GetFirstPropertyPosition();
}

std::string CVxPicture::GetNextPropertyName(PROPERTY_POSITION& pos)
{
    EnsureProperties();
    return CVxGraphic::GetNextPropertyName(pos);
}

CVxGraphicProperty* CVxPicture::LookupProperty(const std::string& name)
{
    EnsureProperties();
    return CVxGraphic::LookupProperty(name);
}

std::unique_ptr<CVxGraphicProperty> CVxPicture::CopyProperty(const std::string& name)
{
    EnsureProperties();
    return CVxGraphic::CopyProperty(name);
}

BOOL CVxPicture::ApplyProperty(const CVxGraphicProperty& property)
{
    BOOL bChanged = FALSE;
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        if (m_children.GetNextGraphic(pos)->ApplyProperty(property))
            bChanged = TRUE;
    }
    if (bChanged) {
        m_bPropertiesDirty = TRUE;
        Invalidate();  // the old area, from the cached bounds
        // A new pen width changes the draw bounds as well.
        m_bRectDirty = TRUE;
        m_bDrawBoundsDirty = TRUE;
        Invalidate();
    }
    return bChanged;
}

std::string CVxPicture::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

template <typename Insert>
CVxPicture::POSITION CVxPicture::AddChild(CVxGraphic* pGraphic, Insert insert)
{
    if (!pGraphic)
        return nullptr;
    pGraphic->SetDocument(m_pDocument);
    const POSITION pos = insert();
    ChildrenChanged();
    return pos;
}

void CVxPicture::AddChildren(const CVxGraphicList& list, BOOL bAtHead)
{
    for (POSITION pos = list.GetHeadPosition(); pos;)
        list.GetNextGraphic(pos)->SetDocument(m_pDocument);
    if (bAtHead)
        m_children.AddHead(list);
    else
        m_children.AddTail(list);
    ChildrenChanged();
}

void CVxPicture::ChildrenChanged()
{
    m_index.Reset();
    SetModified(TRUE);
    SetAllDirty();
}

void CVxPicture::AddChildrenHead(const CVxGraphicList& list)
{
    AddChildren(list, TRUE);
}

void CVxPicture::AddChildHead(CVxGraphic* pGraphic)
{
    AddChild(pGraphic, [&] { return m_children.AddHead(pGraphic); });
}

void CVxPicture::AddChildrenTail(const CVxGraphicList& list)
{
    AddChildren(list, FALSE);
}

void CVxPicture::AddChildTail(CVxGraphic* pGraphic)
{
    AddChild(pGraphic, [&] { return m_children.AddTail(pGraphic); });
}

CVxPicture::POSITION CVxPicture::InsertChildBefore(POSITION pos, CVxGraphic* pGraphic)
{
    return AddChild(pGraphic, [&] { return m_children.InsertBefore(pos, pGraphic); });
}

CVxPicture::POSITION CVxPicture::InsertChildAfter(POSITION pos, CVxGraphic* pGraphic)
{
    return AddChild(pGraphic, [&] { return m_children.InsertAfter(pos, pGraphic); });
}

void CVxPicture::RemoveChild(CVxGraphic* pGraphic)
{
    if (const POSITION pos = FindChild(pGraphic))
        RemoveChildAt(pos);
}

void CVxPicture::RemoveChildAt(POSITION pos)
{
    if (!pos)
        return;
    m_children.RemoveAt(pos);
    ChildrenChanged();
}

void CVxPicture::RemoveAllChildren()
{
    if (m_children.IsEmpty())
        return;
    m_children.RemoveAllGraphics();
    ChildrenChanged();
}

CVxPicture::POSITION CVxPicture::GetFirstChildPosition() const
{
    return m_children.GetHeadPosition();
}

CVxPicture::POSITION CVxPicture::GetLastChildPosition() const
{
    return m_children.GetTailPosition();
}

CVxGraphic* CVxPicture::GetNextChild(POSITION& pos) const
{
    return pos ? m_children.GetNextGraphic(pos) : nullptr;
}

CVxGraphic* CVxPicture::GetPrevChild(POSITION& pos) const
{
    return pos ? m_children.GetPrevGraphic(pos) : nullptr;
}

CVxGraphic* CVxPicture::GetChildAt(POSITION pos) const
{
    return pos ? m_children.GetGraphicAt(pos) : nullptr;
}

CVxGraphic* CVxPicture::GetFirstChild() const
{
    return GetChildAt(m_children.GetHeadPosition());
}

CVxGraphic* CVxPicture::GetLastChild() const
{
    return GetChildAt(m_children.GetTailPosition());
}

CVxPicture::POSITION CVxPicture::FindChild(const CVxGraphic* pGraphic) const
{
    return pGraphic ? m_children.Find(pGraphic) : nullptr;
}

BOOL CVxPicture::HasNoChildren() const
{
    return m_children.IsEmpty();
}

int CVxPicture::GetChildCount() const
{
    return m_children.GetCount();
}

template <typename F>
void CVxPicture::ForEachChildQuietly(F f)
{
    // The picture repaints its whole area once instead.
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        CVxGraphic* pChild = m_children.GetNextGraphic(pos);
        struct Quiet {
            CVxGraphic* pGraphic;
            BOOL bWas;
            ~Quiet() { pGraphic->SetUpdateViews(bWas); }
        } quiet{pChild, pChild->IsUpdatingViews()};
        pChild->SetUpdateViews(FALSE);
        f(*pChild);
    }
}

void CVxPicture::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    Invalidate();
    ForEachChildQuietly([dx, dy](CVxGraphic& child) { child.Offset(dx, dy); });
    m_bRectDirty = TRUE;
    m_bDrawBoundsDirty = TRUE;
    SetModified(TRUE);
}

void CVxPicture::Scale(int nw, int nh, int ow, int oh)
{
    if (nw == ow && nh == oh)
        return;
    Invalidate();
    const POINT ctr = GetCenter();
    // Members of a group scale their pens and fonts with them.
    struct ScaleAttributesScope {
        BOOL bWas;
        ~ScaleAttributesScope() { s_bScaleAttributes = bWas; }
    } scope{std::exchange(s_bScaleAttributes, TRUE)};
    ForEachChildQuietly([&](CVxGraphic& child) {
        const POINT c = child.GetCenter();
        const int dx = VxExtent(ctr.x, c.x);
        const int dy = VxExtent(ctr.y, c.y);
        const int qx = ScaleDistance(dx, nw, ow);
        const int qy = ScaleDistance(dy, nh, oh);
        child.Scale(nw, nh, ow, oh);
        child.Offset(VxExtent(dx, qx), VxExtent(dy, qy));
    });
    // Scaled pens and fonts make the gathered ones stale too.
    SetAllDirty();
    SetModified(TRUE);
}

void CVxPicture::Rotate(int nDegrees)
{
    if (nDegrees == 0)
        return;
    Invalidate();
    ForEachChildQuietly([nDegrees](CVxGraphic& child) { child.Rotate(nDegrees); });
    m_bRectDirty = TRUE;
    m_bDrawBoundsDirty = TRUE;
    SetModified(TRUE);
}

void CVxPicture::DrawShape(CTkDC* pDC, BOOL bContinue)
{
    for (POSITION pos = m_children.GetHeadPosition(); pos;)
        m_children.GetNextGraphic(pos)->DrawShape(pDC, bContinue);
}

void CVxPicture::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    auto* pSource = dynamic_cast<CVxPicture*>(&source);
    // The children first, so that the base's applying of the source's
    // properties reaches the new children and not the ones being replaced.
    if (pSource) {
        m_children = pSource->m_children;
        m_index.Reset();
    }
    CVxGraphic::CopyFrom(source);
    if (!pSource)
        return;
    m_rcDrawBounds = pSource->m_rcDrawBounds;
    m_bRectDirty = pSource->m_bRectDirty;
    m_bDrawBoundsDirty = pSource->m_bDrawBoundsDirty;
    // The gathered properties are not copied: gather them from the new children.
    m_bPropertiesDirty = TRUE;
}

void CVxPicture::Draw(CTkDC* pDC, BOOL bContinue)
{
    // The index passes over the children that cannot meet the clip; those it
    // knows to lie wholly inside need not test their visibility either.
    RECT area{};
    RECT clip{};
    if (!bContinue && !pDC->IsPrinting() && CVxChildIndex::GetClipArea(*pDC, area, &clip)) {
        m_index.ForEachNear(
            m_children, *this, area, pDC,
            [pDC](CVxGraphic* pChild, bool bInside) {
                if (bInside)
                    pChild->DrawInsideClip(pDC);
                else
                    pChild->Draw(pDC, FALSE);
            },
            &clip);
        return;
    }
    for (POSITION pos = m_children.GetHeadPosition(); pos;)
        m_children.GetNextGraphic(pos)->Draw(pDC, bContinue);
}

std::vector<CVxGraphic*> CVxPicture::GetChildrenNear(const RECT& rect)
{
    std::vector<CVxGraphic*> near;
    m_index.ForEachNear(m_children, *this, rect, nullptr,
                        [&near](CVxGraphic* pChild, bool) { near.push_back(pChild); });
    return near;
}

void CVxPicture::DrawOutline(CTkDC* pDC, BOOL /*bContinue*/)
{
    VxDrawOutlineRect(pDC, GetNormalizedRect());
}

int CVxPicture::GetHandleCount() const
{
    return VX_HANDLE_FIRST_POINT * (GetChildCount() + 1);
}

POINT CVxPicture::GetHandlePoint(int nHandle)
{
    if (nHandle < VX_HANDLE_FIRST_POINT)
        return CVxGraphic::GetHandlePoint(nHandle);
    const POSITION pos = m_children.FindIndex(nHandle / VX_HANDLE_FIRST_POINT - 1);
    if (!pos)
        return {0, 0};
    return m_children.GetGraphicAt(pos)->GetHandlePoint(nHandle % VX_HANDLE_FIRST_POINT);
}

BOOL CVxPicture::ConstrainHandlePoint(int nHandle, POINT& point)
{
    const BOOL bNoCross = ConstrainHandleNoCross(nHandle, point);
    const BOOL bLimits = CVxGraphic::ConstrainHandlePoint(nHandle, point);
    return bNoCross || bLimits;
}

std::unique_ptr<CVxGraphic> CVxPicture::Clone()
{
    return CloneAs<CVxPicture>();
}

BOOL CVxPicture::CanEdit() const
{
    return GetChildCount() == 1 && GetFirstChild()->CanEdit();
}

void CVxPicture::Edit(CVxView* pView)
{
    if (CanEdit())
        GetFirstChild()->Edit(pView);
}

void CVxPicture::GatherProperties()
{
    m_properties.SetOwner(this);
    ClearProperties();
    for (POSITION pos = m_children.GetHeadPosition(); pos;) {
        CVxGraphic* pChild = m_children.GetNextGraphic(pos);
        for (PROPERTY_POSITION prop = pChild->GetFirstPropertyPosition(); prop;) {
            if (const CVxGraphicProperty* pProperty =
                    pChild->LookupProperty(pChild->GetNextPropertyName(prop)))
                m_properties.Merge(*pProperty);
        }
    }
    m_bPropertiesDirty = FALSE;
}

void CVxPicture::SetAllDirty()
{
    m_index.Reset();
    m_bPropertiesDirty = TRUE;
    m_bRectDirty = TRUE;
    m_bDrawBoundsDirty = TRUE;
}

void CVxPicture::EnsureProperties()
{
    if (m_bPropertiesDirty)
        GatherProperties();
}

void CVxPicture::EnsureRect()
{
    if (!m_bRectDirty)
        return;
    m_rect = UnionOfChildren(m_children,
                             [](CVxGraphic& child) { return child.GetNormalizedRect(); });
    m_bRectDirty = FALSE;
}

void CVxPicture::DeleteAllChildren()
{
    // Through an owning list, so that a path's own children are not deleted twice.
    const BOOL bOwned = std::exchange(m_children.m_bOwnsGraphics, TRUE);
    RemoveAllChildren();
    m_children.m_bOwnsGraphics = bOwned;
    EnsureProperties();
    EnsureRect();
}
