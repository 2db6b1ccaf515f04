#include "graphics/VxArc.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxPointEditing.h"
#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <cmath>
#include <utility>

TK_IMPLEMENT_SERIAL(CVxArc, CVxGraphicWithOutline, 0)

namespace {

constexpr unsigned kArcNameId = 5023;    // "Arc"
constexpr unsigned kArcToNameId = 5031;  // "ArcTo"

int TruncateToInt(double value)
{
    return VxClampToInt(static_cast<std::int64_t>(value));
}

POINT OffsetPoint(POINT p, int dx, int dy)
{
    return {VxClampToInt(std::int64_t(p.x) + dx), VxClampToInt(std::int64_t(p.y) + dy)};
}

// How far along (dx, dy) from the centre the ray meets the ellipse with radii
// rx, ry. A flat ellipse is a segment: only a ray along it leaves the centre.
double RayParameter(double dx, double dy, double rx, double ry)
{
    if (rx > 0 && ry > 0)
        return 1.0 / std::hypot(dx / rx, dy / ry);
    if (rx == 0 && ry > 0 && dx == 0)
        return ry / std::abs(dy);
    if (ry == 0 && rx > 0 && dy == 0)
        return rx / std::abs(dx);
    return 0.0;
}

// The values that truncate toward zero to n.
std::pair<double, double> TruncationCell(int n)
{
    if (n > 0)
        return {n, n + 1.0};
    if (n < 0)
        return {n - 1.0, n};
    return {-1.0, 1.0};
}

// Whether some point of the ellipse truncates to point, i.e. point is what a
// projection may give. Such a point is kept as it is: projecting it again
// along its own ray could truncate to a neighbour, and the arc would creep at
// every save and open.
bool TruncatedFromEllipse(POINT point, double cx, double cy, double rx, double ry)
{
    if (rx <= 0 || ry <= 0)
        return false;
    const auto level = [&](double x, double y) {
        return std::hypot((x - cx) / rx, (y - cy) / ry);
    };
    const auto [x0, x1] = TruncationCell(point.x);
    const auto [y0, y1] = TruncationCell(point.y);
    // The cell meets the curve when its nearest point lies inside or on it
    // and its farthest corner outside or on it; the slack covers rounding.
    constexpr double kSlack = 1e-9;
    const double nearest = level(std::clamp(cx, x0, x1), std::clamp(cy, y0, y1));
    const double farthest =
        std::max({level(x0, y0), level(x0, y1), level(x1, y0), level(x1, y1)});
    return nearest <= 1 + kSlack && farthest >= 1 - kSlack;
}

void ReadPoint(CTkArchive& ar, POINT& p)
{
    std::int32_t x = 0, y = 0;
    ar >> x >> y;
    p = {x, y};
}

void WritePoint(CTkArchive& ar, POINT p)
{
    ar << std::int32_t(p.x) << std::int32_t(p.y);
}

}  // namespace

CVxArc::CVxArc(const RECT& rect) : CVxGraphicWithOutline(rect)
{
    m_ptStart = ProjectOntoEllipse({rect.left, VxMidpoint(rect.top, rect.bottom)});
    m_ptEnd = ProjectOntoEllipse({VxMidpoint(rect.left, rect.right), rect.top});
}

CVxArc::CVxArc(const RECT& rect, POINT ptStart, POINT ptEnd, BOOL bArcTo, POINT ptCurrent)
    : CVxGraphicWithOutline(rect), m_bArcTo(bArcTo != FALSE), m_ptCurrent(ptCurrent)
{
    m_ptStart = ProjectOntoEllipse(ptStart);
    m_ptEnd = ProjectOntoEllipse(ptEnd);
}

void CVxArc::Serialize(CTkArchive& ar)
{
    CVxGraphicWithOutline::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::uint8_t(m_bArcTo ? 1 : 0);
        WritePoint(ar, m_ptStart);
        WritePoint(ar, m_ptEnd);
        WritePoint(ar, m_ptCurrent);
        return;
    }
    std::uint8_t bArcTo = 0;
    POINT ptStart{}, ptEnd{}, ptCurrent{};
    ar >> bArcTo;
    ReadPoint(ar, ptStart);
    ReadPoint(ar, ptEnd);
    ReadPoint(ar, ptCurrent);
    m_bArcTo = bArcTo != 0;
    m_ptStart = ptStart;
    m_ptEnd = ptEnd;
    m_ptCurrent = ptCurrent;
}

POINT CVxArc::GetStartPoint()
{
    return m_bArcTo ? m_ptCurrent : m_ptStart;
}

void CVxArc::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    Invalidate();
    const POINT topLeft = OffsetPoint({m_rect.left, m_rect.top}, dx, dy);
    const POINT bottomRight = OffsetPoint({m_rect.right, m_rect.bottom}, dx, dy);
    m_rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    m_ptStart = OffsetPoint(m_ptStart, dx, dy);
    m_ptEnd = OffsetPoint(m_ptEnd, dx, dy);
    m_ptCurrent = OffsetPoint(m_ptCurrent, dx, dy);
    SetModified(TRUE);
}

void CVxArc::Scale(int nw, int nh, int ow, int oh)
{
    // The base maps the point handles about the centre along with the box.
    struct ScalingScope {
        bool& rbScaling;
        bool bWas;
        ~ScalingScope() { rbScaling = bWas; }
    } scope{m_bScaling, std::exchange(m_bScaling, true)};
    CVxGraphicWithOutline::Scale(nw, nh, ow, oh);
    if (((nw < 0) != (ow < 0)) != ((nh < 0) != (oh < 0)))
        TurnDirection();
}

void CVxArc::TurnDirection()
{
    std::unique_ptr<CVxGraphicProperty> pCopy = CopyProperty("Global");
    auto* pGlobal = dynamic_cast<CVxGlobalGraphicProperty*>(pCopy.get());
    if (pGlobal == nullptr)
        return;
    pGlobal->SetGathering(FALSE);
    pGlobal->SetArcDirection(pGlobal->GetArcDirection() == AD_CLOCKWISE ? AD_COUNTERCLOCKWISE
                                                                        : AD_CLOCKWISE);
    ApplyProperty(*pGlobal);
}

RECT CVxArc::SelectArcGeometry(CTkDC* pDC)
{
    if (auto* pGlobal = dynamic_cast<CVxGlobalGraphicProperty*>(LookupProperty("Global")))
        pGlobal->SelectArcDirection(pDC);
    return VxBoxForContext(pDC, GetNormalizedRect());
}

void CVxArc::DrawShape(CTkDC* pDC, BOOL bContinue)
{
    const RECT b = SelectArcGeometry(pDC);
    if (!m_bArcTo) {
        pDC->Arc(b.left, b.top, b.right, b.bottom, m_ptStart.x, m_ptStart.y, m_ptEnd.x,
                 m_ptEnd.y);
        return;
    }
    if (!bContinue)
        pDC->MoveTo(m_ptCurrent.x, m_ptCurrent.y);
    pDC->ArcTo(b.left, b.top, b.right, b.bottom, m_ptStart.x, m_ptStart.y, m_ptEnd.x,
               m_ptEnd.y);
}

void CVxArc::CopyFrom(CVxGraphic& source)
{
    CVxGraphicWithOutline::CopyFrom(source);
    if (const auto* pArc = dynamic_cast<const CVxArc*>(&source); pArc && pArc != this) {
        m_bArcTo = pArc->m_bArcTo;
        m_ptCurrent = pArc->m_ptCurrent;
        m_ptStart = pArc->m_ptStart;
        m_ptEnd = pArc->m_ptEnd;
    }
}

RECT CVxArc::GetBounds()
{
    RECT bounds = GetNormalizedRect();
    if (m_bArcTo) {
        bounds.left = std::min(bounds.left, m_ptCurrent.x);
        bounds.top = std::min(bounds.top, m_ptCurrent.y);
        bounds.right = std::max(bounds.right, m_ptCurrent.x);
        bounds.bottom = std::max(bounds.bottom, m_ptCurrent.y);
    }
    return bounds;
}

int CVxArc::GetHandleCount() const
{
    return m_bArcTo ? kCurrentHandle + 1 : kEndHandle + 1;
}

POINT CVxArc::GetHandlePoint(int nHandle)
{
    if (nHandle == kStartHandle)
        return m_ptStart;
    if (nHandle == kEndHandle)
        return m_ptEnd;
    if (nHandle == kCurrentHandle && m_bArcTo)
        return m_ptCurrent;
    return CVxGraphicWithOutline::GetHandlePoint(nHandle);
}

BOOL CVxArc::ConstrainHandlePoint(int nHandle, POINT& point)
{
    if (nHandle < VX_HANDLE_FIRST_POINT)
        return CVxGraphicWithOutline::ConstrainHandlePoint(nHandle, point);
    if (!IsValidHandle(nHandle))
        return FALSE;
    const POINT original = point;
    if (nHandle == kCurrentHandle)
        point = m_ptCurrent;  // the joining line's start stays where it is
    else if (!m_bScaling)
        point = ProjectOntoEllipse(point);
    return point != original;
}

void CVxArc::MoveHandle(int nHandle, POINT point)
{
    if (nHandle < VX_HANDLE_FIRST_POINT) {
        CVxGraphicWithOutline::MoveHandle(nHandle, point);
        return;
    }
    if (!IsValidHandle(nHandle) || nHandle == kCurrentHandle || point == GetHandlePoint(nHandle))
        return;
    // The manipulator that drives the drag tells the document at its end.
    Invalidate();
    const POINT stored = m_bScaling ? point : ProjectOntoEllipse(point);
    (nHandle == kStartHandle ? m_ptStart : m_ptEnd) = stored;
}

std::unique_ptr<CVxGraphic> CVxArc::Clone()
{
    return CloneAs<CVxArc>();
}

std::string CVxArc::GetTypeName() const
{
    return TkLoadString(m_bArcTo ? kArcToNameId : kArcNameId);
}

BOOL CVxArc::CanEdit() const
{
    return TRUE;
}

void CVxArc::Edit(CVxView* pView)
{
    m_ptStart = ProjectOntoEllipse(m_ptStart);
    m_ptEnd = ProjectOntoEllipse(m_ptEnd);
    VxTogglePointEditing(pView);
}

POINT CVxArc::ProjectOntoEllipse(POINT point)
{
    const RECT r = GetRect();
    const POINT c = GetCenter();
    const double rx = std::abs(double(r.right) - c.x);
    const double ry = std::abs(double(r.top) - c.y);
    if (TruncatedFromEllipse(point, c.x, c.y, rx, ry))
        return point;
    double dx = double(point.x) - c.x;
    const double dy = double(point.y) - c.y;
    if (dx == 0 && dy == 0) {
        // A flat ellipse sends the rays off it to the centre: keep it there.
        if (rx == 0 || ry == 0)
            return point;
        dx = 1;  // no direction: take the one of angle 0, to the right
    }
    const double t = RayParameter(dx, dy, rx, ry);
    return {TruncateToInt(c.x + t * dx), TruncateToInt(c.y + t * dy)};
}
