#include "graphics/VxGraphic.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPositionGraphicProperty.h"
#include "graphics/VxChildIndex.h"
#include "graphics/VxGeometry.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

TK_IMPLEMENT_DYNAMIC(CVxGraphic, CTkObject)

BOOL CVxGraphic::s_bScaleAttributes = FALSE;

namespace {

constexpr unsigned kTypeNameId = 5018;  // "Graphic"

// A rectangle in 64 bits, so that a drag past the 32-bit range shows as such
// instead of wrapping around.
struct WideRect {
    std::int64_t left, top, right, bottom;
};

WideRect Widen(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

RECT Narrow(const WideRect& r)
{
    return {VxClampToInt(r.left), VxClampToInt(r.top), VxClampToInt(r.right),
            VxClampToInt(r.bottom)};
}

// How dragging handle h by (dx, dy) changes the rectangle; false when it does not.
bool ChangeByHandle(WideRect& r, int h, std::int64_t dx, std::int64_t dy)
{
    if (dx == 0 && dy == 0)
        return false;
    switch (h) {
    case VX_HANDLE_BODY:
        r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
        return true;
    case VX_HANDLE_TOP: r.top += dy; return true;
    case VX_HANDLE_RIGHT: r.right += dx; return true;
    case VX_HANDLE_BOTTOM: r.bottom += dy; return true;
    case VX_HANDLE_LEFT: r.left += dx; return true;
    case VX_HANDLE_TOP_RIGHT: r.top += dy, r.right += dx; return true;
    case VX_HANDLE_BOTTOM_LEFT: r.bottom += dy, r.left += dx; return true;
    case VX_HANDLE_TOP_LEFT: r.top += dy, r.left += dx; return true;
    case VX_HANDLE_BOTTOM_RIGHT: r.bottom += dy, r.right += dx; return true;
    default: return false;
    }
}

bool InsideLimits(WideRect r)
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
    return r.left >= limits.left && r.top >= limits.top && r.right <= limits.right &&
           r.bottom <= limits.bottom;
}

// The new extent of one direction: the given size when the graphic has the old
// one, else the graphic's extent scaled by new/old.
int ScaledExtent(int extent, int newSize, int oldSize)
{
    if (extent == oldSize)
        return newSize;
    return oldSize != 0 ? MulDiv(extent, newSize, oldSize) : 0;
}

// A point coordinate mapped about the centre; a zero extent leaves it alone,
// as there is nothing to scale it by.
int ScaleAbout(int value, int centre, int newExtent, int extent)
{
    if (extent == 0)
        return value;
    const int offset = MulDiv(VxExtent(centre, value), newExtent, extent);
    return VxClampToInt(std::int64_t(centre) + offset);
}

// How far the midpoint of (a1, b1) lies from that of (a0, b0).
int MidShift(int a0, int b0, int a1, int b1)
{
    return VxExtent(VxMidpoint(a0, b0), VxMidpoint(a1, b1));
}

}  // namespace

CVxGraphic::CVxGraphic() = default;

CVxGraphic::CVxGraphic(const RECT& rect) : m_rect(rect)
{
    m_properties.SetOwner(this);
    m_properties.SetAt(std::make_unique<CVxGlobalGraphicProperty>());
    m_properties.SetAt(std::make_unique<CVxPositionGraphicProperty>());
}

CVxGraphic::~CVxGraphic() = default;

void CVxGraphic::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_rect.left) << std::int32_t(m_rect.top)
           << std::int32_t(m_rect.right) << std::int32_t(m_rect.bottom);
    } else {
        RECT rect;
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
        m_rect = rect;
    }
    m_properties.Serialize(ar);
    if (ar.IsLoading()) {
        m_properties.SetOwner(this);
        m_pDocument = dynamic_cast<CVxDocumentContext*>(ar.m_pDocument);
    }
}

BOOL CVxGraphic::HasExtent() const
{
    return TRUE;
}

RECT CVxGraphic::GetRect()
{
    return m_rect;
}

RECT CVxGraphic::GetNormalizedRect()
{
    return VxNormalizeRect(GetRect());
}

RECT CVxGraphic::GetDrawBounds(CTkDC* /*pDC*/)
{
    return GetNormalizedRect();
}

std::uint32_t CVxGraphic::GetArea()
{
    // Saturated: the product of two 32-bit extents does not fit 32 bits.
    const std::uint64_t width = std::llabs(std::int64_t(m_rect.right) - m_rect.left);
    const std::uint64_t height = std::llabs(std::int64_t(m_rect.bottom) - m_rect.top);
    if (height != 0 && width > std::numeric_limits<std::uint32_t>::max() / height)
        return std::numeric_limits<std::uint32_t>::max();
    return std::uint32_t(width * height);
}

POINT CVxGraphic::GetCenter()
{
    const RECT r = GetRect();
    return {VxMidpoint(r.left, r.right), VxMidpoint(r.top, r.bottom)};
}

POINT CVxGraphic::GetStartPoint()
{
    const RECT r = GetRect();
    return {r.left, r.top};
}

BOOL CVxGraphic::HasProperty(const std::string& name)
{
    return GetPropertyMap().Contains(name);
}

CVxGraphic::PROPERTY_POSITION CVxGraphic::GetFirstPropertyPosition()
{
    return GetPropertyMap().GetStartPosition();
}

std::string CVxGraphic::GetNextPropertyName(PROPERTY_POSITION& pos)
{
    const CVxGraphicProperty* pProperty = GetPropertyMap().GetNext(pos);
    return pProperty ? pProperty->GetName() : std::string();
}

CVxGraphicProperty* CVxGraphic::LookupProperty(const std::string& name)
{
    return GetPropertyMap().Lookup(name);
}

std::unique_ptr<CVxGraphicProperty> CVxGraphic::CopyProperty(const std::string& name)
{
    return GetPropertyMap().GetCopy(name);
}

BOOL CVxGraphic::ApplyProperty(const CVxGraphicProperty& property)
{
    Invalidate();
    const BOOL bChanged = GetPropertyMap().Apply(property);
    if (bChanged)
        SetModified(TRUE);
    return bChanged;
}

std::string CVxGraphic::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

const char* CVxGraphic::GetClassName() const
{
    return GetRuntimeClass()->m_lpszClassName;
}

void CVxGraphic::AddChildrenHead(const CVxGraphicList&) {}
void CVxGraphic::AddChildHead(CVxGraphic*) {}
void CVxGraphic::AddChildrenTail(const CVxGraphicList&) {}
void CVxGraphic::AddChildTail(CVxGraphic*) {}
CVxGraphic::POSITION CVxGraphic::InsertChildBefore(POSITION, CVxGraphic*) { return nullptr; }
CVxGraphic::POSITION CVxGraphic::InsertChildAfter(POSITION, CVxGraphic*) { return nullptr; }
void CVxGraphic::RemoveChild(CVxGraphic*) {}
void CVxGraphic::RemoveChildAt(POSITION) {}
void CVxGraphic::RemoveAllChildren() {}
CVxGraphic::POSITION CVxGraphic::GetFirstChildPosition() const { return nullptr; }
CVxGraphic::POSITION CVxGraphic::GetLastChildPosition() const { return nullptr; }
CVxGraphic* CVxGraphic::GetNextChild(POSITION&) const { return nullptr; }
CVxGraphic* CVxGraphic::GetPrevChild(POSITION&) const { return nullptr; }
CVxGraphic* CVxGraphic::GetChildAt(POSITION) const { return nullptr; }
CVxGraphic* CVxGraphic::GetFirstChild() const { return nullptr; }
CVxGraphic* CVxGraphic::GetLastChild() const { return nullptr; }
CVxGraphic::POSITION CVxGraphic::FindChild(const CVxGraphic*) const { return nullptr; }
BOOL CVxGraphic::HasNoChildren() const { return TRUE; }
int CVxGraphic::GetChildCount() const { return 0; }

void CVxGraphic::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    Invalidate();
    m_rect = Narrow({std::int64_t(m_rect.left) + dx, std::int64_t(m_rect.top) + dy,
                     std::int64_t(m_rect.right) + dx, std::int64_t(m_rect.bottom) + dy});
    for (int h = VX_HANDLE_FIRST_POINT; h < GetHandleCount(); ++h) {
        const POINT p = GetHandlePoint(h);
        POINT moved{VxClampToInt(std::int64_t(p.x) + dx), VxClampToInt(std::int64_t(p.y) + dy)};
        ConstrainHandlePoint(h, moved);
        MoveHandle(h, moved);
    }
    SetModified(TRUE);
}

void CVxGraphic::Scale(int nw, int nh, int ow, int oh)
{
    if (nw == ow && nh == oh)
        return;
    const RECT r = GetRect();
    const POINT ctr = GetCenter();
    Invalidate();
    if (s_bScaleAttributes)
        ScaleAttributes(nw, nh, ow, oh);

    const int w = VxExtent(r.left, r.right);
    const int ht = VxExtent(r.top, r.bottom);
    const int newW = ScaledExtent(w, nw, ow);
    const int newH = ScaledExtent(ht, nh, oh);
    // About the rectangle's own centre; a negative extent keeps the orientation.
    const std::int64_t left = std::int64_t(VxMidpoint(m_rect.left, m_rect.right)) - newW / 2;
    const std::int64_t top = std::int64_t(VxMidpoint(m_rect.top, m_rect.bottom)) - newH / 2;
    m_rect = Narrow({left, top, left + newW, top + newH});

    for (int k = VX_HANDLE_FIRST_POINT; k < GetHandleCount(); ++k) {
        const POINT p = GetHandlePoint(k);
        POINT scaled{ScaleAbout(p.x, ctr.x, newW, w), ScaleAbout(p.y, ctr.y, newH, ht)};
        ConstrainHandlePoint(k, scaled);
        MoveHandle(k, scaled);
    }
    SetModified(TRUE);
}

void CVxGraphic::ScaleAttributes(int nw, int nh, int ow, int oh)
{
    PROPERTY_POSITION pos = GetFirstPropertyPosition();
    while (pos) {
        const std::string name = GetNextPropertyName(pos);
        if (std::unique_ptr<CVxGraphicProperty> pCopy = CopyProperty(name)) {
            pCopy->Scale(nw, nh, ow, oh);
            ApplyProperty(*pCopy);
        }
    }
}

void CVxGraphic::Rotate(int /*nDegrees*/) {}

void CVxGraphic::DrawShapeOutline(CTkDC* pDC, BOOL bContinue)
{
    DrawShape(pDC, bContinue);
}

void CVxGraphic::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    VxNoteGraphicChange(this);
    m_rect = source.m_rect;
    m_pDocument = source.m_pDocument;
    PROPERTY_POSITION pos = source.GetFirstPropertyPosition();
    while (pos) {
        if (const CVxGraphicProperty* pProperty =
                source.LookupProperty(source.GetNextPropertyName(pos)))
            ApplyProperty(*pProperty);
    }
}

CVxDocumentContext* CVxGraphic::GetDocument() const
{
    return m_pDocument;
}

void CVxGraphic::SetDocument(CVxDocumentContext* pDocument)
{
    m_pDocument = pDocument;
}

RECT CVxGraphic::GetBounds()
{
    return GetNormalizedRect();
}

void CVxGraphic::SetModified(BOOL bModified)
{
    VxNoteGraphicChange(this);
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(bModified != FALSE);
    if (bModified)
        Invalidate();
}

namespace {

// The graphic being drawn by DrawInsideClip: visible, whatever its class
// does in Draw.
const CVxGraphic* s_pInsideClip = nullptr;

}  // namespace

void CVxGraphic::DrawInsideClip(CTkDC* pDC)
{
    const CVxGraphic* pOuter = std::exchange(s_pInsideClip, this);
    Draw(pDC, FALSE);
    s_pInsideClip = pOuter;
}

void CVxGraphic::Draw(CTkDC* pDC, BOOL bContinue)
{
    if (!bContinue && !IsVisibleIn(pDC))
        return;
    SelectAttributes(pDC);
    DrawShape(pDC, bContinue);
    RestoreAttributes(pDC);
}

void CVxGraphic::SelectAttributes(CTkDC* pDC)
{
    const CVxPropertyMap& map = GetPropertyMap();
    for (PROPERTY_POSITION pos = map.GetStartPosition(); pos;)
        map.GetNext(pos)->SelectIntoDC(pDC);
}

// No property has restore or outline work: what one graphic selects stays
// selected for the next, so nothing is written between graphics.
void CVxGraphic::RestoreAttributes(CTkDC* /*pDC*/) {}
void CVxGraphic::SelectOutlineAttributes(CTkDC* /*pDC*/) {}
void CVxGraphic::RestoreOutlineAttributes(CTkDC* /*pDC*/) {}

void CVxGraphic::DrawOutline(CTkDC* pDC, BOOL bContinue)
{
    if (!bContinue && !IsVisibleIn(pDC))
        return;
    SelectOutlineAttributes(pDC);
    DrawShapeOutline(pDC, bContinue);
    RestoreOutlineAttributes(pDC);
}

int CVxGraphic::GetHandleCount() const
{
    return 8;
}

POINT CVxGraphic::GetHandlePoint(int nHandle)
{
    const RECT r = GetRect();
    const int cx = VxMidpoint(r.left, r.right);
    const int cy = VxMidpoint(r.top, r.bottom);
    switch (nHandle) {
    case VX_HANDLE_TOP: return {cx, r.top};
    case VX_HANDLE_RIGHT: return {r.right, cy};
    case VX_HANDLE_BOTTOM: return {cx, r.bottom};
    case VX_HANDLE_LEFT: return {r.left, cy};
    case VX_HANDLE_TOP_RIGHT: return {r.right, r.top};
    case VX_HANDLE_BOTTOM_LEFT: return {r.left, r.bottom};
    case VX_HANDLE_TOP_LEFT: return {r.left, r.top};
    case VX_HANDLE_BOTTOM_RIGHT: return {r.right, r.bottom};
    default: return {cx, cy};
    }
}

BOOL CVxGraphic::ConstrainHandlePoint(int nHandle, POINT& point)
{
    const POINT q = GetHandlePoint(nHandle);
    WideRect r = Widen(GetRect());
    if (!ChangeByHandle(r, nHandle, std::int64_t(point.x) - q.x, std::int64_t(point.y) - q.y))
        return FALSE;
    if (InsideLimits(r))
        return FALSE;
    point = q;
    return TRUE;
}

void CVxGraphic::MoveHandle(int nHandle, POINT point)
{
    const RECT r0 = GetRect();
    const POINT q = GetHandlePoint(nHandle);
    WideRect wide = Widen(r0);
    if (!ChangeByHandle(wide, nHandle, std::int64_t(point.x) - q.x, std::int64_t(point.y) - q.y))
        return;
    const RECT r1 = Narrow(wide);
    Offset(MidShift(r0.left, r0.right, r1.left, r1.right),
           MidShift(r0.top, r0.bottom, r1.top, r1.bottom));
    Scale(VxExtent(r1.left, r1.right), VxExtent(r1.top, r1.bottom), VxExtent(r0.left, r0.right),
          VxExtent(r0.top, r0.bottom));
    const RECT r2 = GetRect();
    if (r2.left != r2.right && r2.top != r2.bottom)
        CorrectHandleDrift(nHandle, r1, r2);
}

// Halving in the offset and the resize can leave the fixed side a unit off.
void CVxGraphic::CorrectHandleDrift(int nHandle, const RECT& r1, const RECT& r2)
{
    const int midX = MidShift(r2.left, r2.right, r1.left, r1.right);
    const int midY = MidShift(r2.top, r2.bottom, r1.top, r1.bottom);
    const int dLeft = VxExtent(r2.left, r1.left), dRight = VxExtent(r2.right, r1.right);
    const int dTop = VxExtent(r2.top, r1.top), dBottom = VxExtent(r2.bottom, r1.bottom);
    switch (nHandle) {
    case VX_HANDLE_BODY:
        Scale(VxExtent(r1.left, r1.right), VxExtent(r1.top, r1.bottom),
              VxExtent(r2.left, r2.right), VxExtent(r2.top, r2.bottom));
        break;
    case VX_HANDLE_TOP: Offset(midX, dBottom); break;
    case VX_HANDLE_RIGHT: Offset(dLeft, midY); break;
    case VX_HANDLE_BOTTOM: Offset(midX, dTop); break;
    case VX_HANDLE_LEFT: Offset(dRight, midY); break;
    case VX_HANDLE_TOP_RIGHT: Offset(dLeft, dBottom); break;
    case VX_HANDLE_BOTTOM_LEFT: Offset(dRight, dTop); break;
    case VX_HANDLE_TOP_LEFT: Offset(dRight, dBottom); break;
    case VX_HANDLE_BOTTOM_RIGHT: Offset(dLeft, dTop); break;
    default: break;
    }
}

BOOL CVxGraphic::IsValidHandle(int nHandle) const
{
    return nHandle >= VX_HANDLE_BODY && nHandle <= GetHandleCount() - 1;
}

int CVxGraphic::GetPointHandleCount() const
{
    return GetHandleCount() - VX_HANDLE_FIRST_POINT;
}

int CVxGraphic::HandleToPointIndex(int nHandle) const
{
    const int nPoint = nHandle - VX_HANDLE_FIRST_POINT;
    return nPoint < 0 ? -1 : nPoint;
}

BOOL CVxGraphic::CanInsertPoint(int) const { return FALSE; }
BOOL CVxGraphic::InsertPoint(int, POINT, BOOL) { return FALSE; }
BOOL CVxGraphic::CanDeletePoint(int) const { return FALSE; }
BOOL CVxGraphic::DeletePoint(int) { return FALSE; }
int CVxGraphic::GetSubPolygonCount() const { return 0; }
int CVxGraphic::GetSubPolygonOfPoint(int) const { return -1; }
int CVxGraphic::GetSubPolygonFirstPoint(int) const { return -1; }
int CVxGraphic::GetSubPolygonPointCount(int) const { return 0; }
BOOL CVxGraphic::CanInsertSubPolygon(int) const { return FALSE; }
BOOL CVxGraphic::InsertSubPolygon(int, int) { return FALSE; }
BOOL CVxGraphic::CanDeleteSubPolygon(int) const { return FALSE; }
BOOL CVxGraphic::DeleteSubPolygon(int) { return FALSE; }

BOOL CVxGraphic::CanEdit() const
{
    return FALSE;
}

void CVxGraphic::Edit(CVxView* /*pView*/) {}

CVxPropertyMap& CVxGraphic::GetPropertyMap()
{
    return m_properties;
}

const CVxPropertyMap& CVxGraphic::GetPropertyMap() const
{
    return m_properties;
}

void CVxGraphic::Invalidate()
{
    // Noted even when the views are not told: an index of areas must still learn.
    VxNoteGraphicChange(this);
    if (m_pDocument && m_bUpdateViews)
        m_pDocument->UpdateAllViews(nullptr, VX_HINT_UPDATE_GRAPHIC, this);
}

void CVxGraphic::SetUpdateViews(BOOL bUpdateViews)
{
    m_bUpdateViews = bUpdateViews;
    ForEachGraphic(
        [](CVxGraphic* pGraphic, void* pContext) -> BOOL {
            pGraphic->m_bUpdateViews = *static_cast<const BOOL*>(pContext);
            return TRUE;
        },
        &bUpdateViews);
}

BOOL CVxGraphic::IsVisibleIn(CTkDC* pDC)
{
    if (pDC->IsPrinting() || s_pInsideClip == this)
        return TRUE;
    RECT clip{};
    if (pDC->GetClipBox(&clip) == ERROR)
        return TRUE;  // nothing to test against: rather draw too much
    RECT bounds = GetDrawBounds(pDC);
    pDC->LPtoDP(&clip);
    pDC->LPtoDP(&bounds);
    // A mapping with a flipped axis turns the corners round.
    clip = VxNormalizeRect(clip);
    bounds = VxNormalizeRect(bounds);
    return std::max(clip.left, bounds.left) <= std::min(clip.right, bounds.right) &&
           std::max(clip.top, bounds.top) <= std::min(clip.bottom, bounds.bottom);
}

BOOL CVxGraphic::IsInsideRect(const RECT& rect)
{
    const RECT r = GetNormalizedRect();
    return r.left >= rect.left && r.top >= rect.top && r.right < rect.right &&
           r.bottom < rect.bottom;
}

BOOL CVxGraphic::ForEachGraphic(ForEachCallback pfnCallback, void* pContext)
{
    if (!pfnCallback)
        return FALSE;
    for (POSITION pos = GetFirstChildPosition(); pos;) {
        CVxGraphic* pChild = GetNextChild(pos);
        if (!pfnCallback(pChild, pContext) || !pChild->ForEachGraphic(pfnCallback, pContext))
            return FALSE;
    }
    return TRUE;
}

BOOL CVxGraphic::ConstrainHandleNoCross(int nHandle, POINT& point)
{
    if (!IsValidHandle(nHandle))
        return FALSE;
    auto is = [nHandle](int a, int b, int c) { return nHandle == a || nHandle == b || nHandle == c; };
    const RECT r = GetRect();
    // One unit short of the opposite side, unless the graphic is flat already.
    const std::int64_t stepX = r.right != r.left ? 1 : 0;
    const std::int64_t stepY = r.bottom != r.top ? 1 : 0;
    const POINT original = point;
    if (is(VX_HANDLE_RIGHT, VX_HANDLE_TOP_RIGHT, VX_HANDLE_BOTTOM_RIGHT) && point.x <= r.left)
        point.x = VxClampToInt(r.left + stepX);
    if (is(VX_HANDLE_BOTTOM, VX_HANDLE_BOTTOM_LEFT, VX_HANDLE_BOTTOM_RIGHT) && point.y <= r.top)
        point.y = VxClampToInt(r.top + stepY);
    if (is(VX_HANDLE_LEFT, VX_HANDLE_BOTTOM_LEFT, VX_HANDLE_TOP_LEFT) && point.x >= r.right)
        point.x = VxClampToInt(r.right - stepX);
    if (is(VX_HANDLE_TOP, VX_HANDLE_TOP_RIGHT, VX_HANDLE_TOP_LEFT) && point.y >= r.bottom)
        point.y = VxClampToInt(r.bottom - stepY);
    return point != original;
}

void CVxGraphic::ClearProperties()
{
    m_properties.RemoveAll();
}

void CVxGraphic::OwnerOffset(int dx, int dy)
{
    Offset(dx, dy);
}

void CVxGraphic::OwnerScale(int nw, int nh, int ow, int oh)
{
    Scale(nw, nh, ow, oh);
}

POINT CVxGraphic::GetReferencePoint() const
{
    // The start point may bring a composite's derived rectangle up to date.
    return const_cast<CVxGraphic*>(this)->GetStartPoint();
}

CVxDocumentContext* CVxGraphic::GetOwnerDocument() const
{
    return m_pDocument;
}

const RECT& CVxGraphic::GetCoordinateLimitRect()
{
    static const RECT limits = [] {
        constexpr int kMax = std::numeric_limits<int>::max();
        CTkDC dc;
        dc.MoveTo(kMax, kMax);
        if (dc.GetCurrentPosition() == POINT{kMax, kMax})
            return RECT{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), kMax,
                        kMax};
        return RECT{-32768, -32768, 32767, 32767};
    }();
    return limits;
}

std::unique_ptr<CVxGraphic> CVxGraphic::CompleteClone(std::unique_ptr<CVxGraphic> pClone)
{
    // Restored even when copying throws.
    struct DocumentHold {
        CVxDocumentContext*& rpDocument;
        CVxDocumentContext* pSaved;
        ~DocumentHold() { rpDocument = pSaved; }
    } hold{m_pDocument, std::exchange(m_pDocument, nullptr)};
    pClone->CopyFrom(*this);
    return pClone;
}
