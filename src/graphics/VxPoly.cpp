#include "graphics/VxPoly.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxPointEditing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <numeric>

TK_IMPLEMENT_SERIAL(CVxPoly, CVxGraphicWithOutline, 0)

namespace {

constexpr unsigned kPolylineNameId = 5013;
constexpr unsigned kPolygonNameId = 5016;
constexpr UINT kNoMemoryForPointId = 4211;
constexpr UINT kNoMemoryForSubPolygonId = 4212;
constexpr std::int64_t kGrowthStep = 10;
constexpr std::int64_t kMaxCount = std::numeric_limits<int>::max();

[[noreturn]] void ThrowArchive(CTkArchiveException::Cause cause)
{
    throw CTkArchiveException(cause);
}

// A count read from an archive, checked against the bytes that are still there
// before anything is allocated for it.
int ReadCount(CTkArchive& ar, std::uint64_t bytesPerItem)
{
    std::int32_t count = 0;
    ar >> count;
    if (count < 0)
        ThrowArchive(CTkArchiveException::generic);
    if (std::uint64_t(count) > ar.BytesLeft() / bytesPerItem)
        ThrowArchive(CTkArchiveException::endOfFile);
    return count;
}

void ShowNoMemory(UINT nIdMessage)
{
    TkGetMessageService().ShowMessage(nIdMessage, MB_OK | MB_ICONSTOP);
}

}  // namespace

CVxPoly::CVxPoly() = default;

CVxPoly::CVxPoly(const RECT& rect, BOOL bClosed)
    : CVxGraphicWithOutline(rect), m_pnSubPolygonCounts(1, 0), m_bClosed(bClosed ? TRUE : FALSE)
{
    if (m_bClosed)
        m_properties.SetAt(std::make_unique<CVxBrushGraphicProperty>());
}

void CVxPoly::Serialize(CTkArchive& ar)
{
    CVxGraphicWithOutline::Serialize(ar);
    if (ar.IsStoring())
        StorePolyFields(ar);
    else
        LoadPolyFields(ar);
}

// The points go out transformed: a loaded poly has no pending transform.
void CVxPoly::StorePolyFields(CTkArchive& ar)
{
    std::vector<POINT> buffer;
    ar << std::int16_t(m_bClosed) << std::int32_t(m_nPoints);
    for (const POINT& point : GetTransformedPoints(buffer))
        ar << std::int32_t(point.x) << std::int32_t(point.y);
    ar << std::int32_t(m_pnSubPolygonCounts.size());
    for (const INT count : m_pnSubPolygonCounts)
        ar << std::int32_t(count);
}

void CVxPoly::LoadPolyFields(CTkArchive& ar)
{
    std::int16_t closed = 0;
    ar >> closed;
    std::vector<POINT> points(ReadCount(ar, 2 * sizeof(std::int32_t)));
    for (POINT& point : points)
        ar >> point.x >> point.y;
    std::vector<INT> counts(ReadCount(ar, sizeof(std::int32_t)));
    std::int64_t total = 0;
    for (INT& count : counts) {
        ar >> count;
        if (count < 0)
            ThrowArchive(CTkArchiveException::generic);
        total += count;
    }
    // Counts that do not add up would send drawing past the points.
    if (total != std::int64_t(points.size()))
        ThrowArchive(CTkArchiveException::generic);

    m_bClosed = closed != 0;
    m_nPoints = int(points.size());
    m_pPoints = std::move(points);
    m_pnSubPolygonCounts = std::move(counts);
    m_nCurrentSubPolygon = 0;
    m_transform.Reset();
}

void CVxPoly::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    Invalidate();
    m_transform.Translate(dx, dy);
    m_rect = {VxClampToInt(std::int64_t(m_rect.left) + dx),
              VxClampToInt(std::int64_t(m_rect.top) + dy),
              VxClampToInt(std::int64_t(m_rect.right) + dx),
              VxClampToInt(std::int64_t(m_rect.bottom) + dy)};
    SetModified(TRUE);
}

void CVxPoly::Scale(int nw, int nh, int ow, int oh)
{
    if (s_bScaleAttributes)
        ScaleAttributes(nw, nh, ow, oh);
    if (nw == ow && nh == oh)
        return;
    Invalidate();
    const POINT ctr = GetCenter();
    m_transform.Translate(-double(ctr.x), -double(ctr.y));
    m_transform.ScaleBySizes(nw, nh, ow, oh);
    m_transform.Translate(ctr.x, ctr.y);
    UpdateBounds();
}

void CVxPoly::Rotate(int nDegrees)
{
    if (nDegrees == 0)
        return;
    Invalidate();
    const POINT ctr = GetCenter();
    m_transform.Translate(-double(ctr.x), -double(ctr.y));
    m_transform.Rotate(nDegrees);
    m_transform.Translate(ctr.x, ctr.y);
    UpdateBounds();
}

// The single-figure calls take the first sub-polygon's count, which is all the
// points when there is only one.
void CVxPoly::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    std::vector<POINT> buffer;
    const std::span<const POINT> points = GetTransformedPoints(buffer);
    if (points.empty() || m_pnSubPolygonCounts.empty())
        return;
    const int nSubPolygons = GetSubPolygonCount();
    if (m_bClosed) {
        if (nSubPolygons < 2)
            pDC->Polygon(points.data(), m_pnSubPolygonCounts[0]);
        else
            pDC->PolyPolygon(points.data(), m_pnSubPolygonCounts.data(), nSubPolygons);
    } else if (nSubPolygons > 1) {
        const std::vector<DWORD> counts(m_pnSubPolygonCounts.begin(), m_pnSubPolygonCounts.end());
        pDC->PolyPolyline(points.data(), counts.data(), nSubPolygons);
    } else {
        pDC->Polyline(points.data(), m_pnSubPolygonCounts[0]);
    }
}

void CVxPoly::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    CVxGraphicWithOutline::CopyFrom(source);
    const auto* pSource = dynamic_cast<const CVxPoly*>(&source);
    if (!pSource)
        return;
    // Copied before anything is replaced, so a failed copy leaves this poly whole.
    std::vector<POINT> points = pSource->m_pPoints;
    std::vector<INT> counts = pSource->m_pnSubPolygonCounts;
    m_bClosed = pSource->m_bClosed;
    m_nPoints = pSource->m_nPoints;
    m_pPoints = std::move(points);
    m_pnSubPolygonCounts = std::move(counts);
    m_transform = pSource->m_transform;
}

int CVxPoly::GetHandleCount() const
{
    return VX_HANDLE_FIRST_POINT + m_nPoints;
}

POINT CVxPoly::GetHandlePoint(int nHandle)
{
    if (!IsValidHandle(nHandle))
        return {0, 0};
    if (nHandle >= VX_HANDLE_FIRST_POINT)
        return GetPoint(HandleToPointIndex(nHandle));
    return CVxGraphicWithOutline::GetHandlePoint(nHandle);
}

BOOL CVxPoly::ConstrainHandlePoint(int nHandle, POINT& point)
{
    if (!IsValidHandle(nHandle))
        return FALSE;
    if (nHandle < VX_HANDLE_FIRST_POINT) {
        const BOOL bNoCross = ConstrainHandleNoCross(nHandle, point);
        const BOOL bLimits = CVxGraphicWithOutline::ConstrainHandlePoint(nHandle, point);
        return bNoCross || bLimits;
    }
    const RECT& limits = GetCoordinateLimitRect();
    if (point.x >= limits.left && point.x < limits.right && point.y >= limits.top &&
        point.y < limits.bottom)
        return FALSE;
    point = GetPoint(HandleToPointIndex(nHandle));
    return TRUE;
}

void CVxPoly::MoveHandle(int nHandle, POINT point)
{
    if (!IsValidHandle(nHandle))
        return;
    if (nHandle < VX_HANDLE_FIRST_POINT) {
        CVxGraphicWithOutline::MoveHandle(nHandle, point);
        return;
    }
    const int nPoint = HandleToPointIndex(nHandle);
    if (point == GetPoint(nPoint))
        return;
    Invalidate();
    SetPoint(nPoint, point);
    UpdateBounds();
}

BOOL CVxPoly::CanInsertPoint(int nPoint) const
{
    return nPoint >= 0 && nPoint <= m_nPoints;
}

BOOL CVxPoly::InsertPoint(int nPoint, POINT point, BOOL bAllowDuplicate)
{
    if (!CanInsertPoint(nPoint))
        return FALSE;
    try {
        if (!InsertPointAt(nPoint, point, bAllowDuplicate, -1))
            return FALSE;
    } catch (const std::bad_alloc&) {
        ShowNoMemory(kNoMemoryForPointId);
        return FALSE;
    }
    UpdateBounds();
    return TRUE;
}

BOOL CVxPoly::CanDeletePoint(int nPoint) const
{
    return IsValidPoint(nPoint) && GetPointsLeftAfterDeleting(nPoint) >= GetMinimumFigurePoints();
}

// A sub-polygon left too short to be a figure goes with the point, so it counts
// as deleted too.
int CVxPoly::GetPointsLeftAfterDeleting(int nPoint) const
{
    const int nLeftInSubPolygon = GetSubPolygonPointCount(GetSubPolygonOfPoint(nPoint)) - 1;
    int nLeft = m_nPoints - 1;
    if (nLeftInSubPolygon < GetMinimumFigurePoints())
        nLeft -= nLeftInSubPolygon;
    return nLeft;
}

BOOL CVxPoly::DeletePoint(int nPoint)
{
    if (!CanDeletePoint(nPoint))
        return FALSE;
    Invalidate();
    const int nSubPolygon = GetSubPolygonOfPoint(nPoint);
    RemovePoints(nPoint, 1);
    --m_pnSubPolygonCounts[nSubPolygon];
    RemoveSubPolygonIfShort(nSubPolygon);
    UpdateBounds();
    return TRUE;
}

BOOL CVxPoly::IsDegenerate() const
{
    return m_pnSubPolygonCounts.empty() ||
           std::any_of(m_pnSubPolygonCounts.begin(), m_pnSubPolygonCounts.end(),
                       [this](INT nCount) { return nCount < GetMinimumFigurePoints(); });
}

int CVxPoly::GetSubPolygonCount() const
{
    return int(m_pnSubPolygonCounts.size());
}

int CVxPoly::GetSubPolygonOfPoint(int nPoint) const
{
    if (!IsValidPoint(nPoint))
        return -1;
    int nEnd = 0;
    for (int j = 0; j < GetSubPolygonCount(); ++j) {
        nEnd += m_pnSubPolygonCounts[j];
        if (nPoint < nEnd)
            return j;
    }
    return -1;
}

int CVxPoly::GetSubPolygonFirstPoint(int nSubPolygon) const
{
    if (!IsValidSubPolygon(nSubPolygon))
        return -1;
    return std::accumulate(m_pnSubPolygonCounts.begin(),
                           m_pnSubPolygonCounts.begin() + nSubPolygon, 0);
}

int CVxPoly::GetSubPolygonPointCount(int nSubPolygon) const
{
    return IsValidSubPolygon(nSubPolygon) ? m_pnSubPolygonCounts[nSubPolygon] : 0;
}

BOOL CVxPoly::CanInsertSubPolygon(int /*nSubPolygon*/) const
{
    return TRUE;
}

BOOL CVxPoly::InsertSubPolygon(int nSubPolygon, int /*nUnused*/)
{
    if (!CanInsertSubPolygon(nSubPolygon) || !IsValidSubPolygon(nSubPolygon))
        return FALSE;
    const int nNew = nSubPolygon + 1;
    // All the memory is taken first: a failure then leaves the poly as it was.
    try {
        if (!GrowInSteps(3))
            return FALSE;
        Invalidate();
        m_pnSubPolygonCounts.insert(m_pnSubPolygonCounts.begin() + nNew, 0);
    } catch (const std::bad_alloc&) {
        ShowNoMemory(kNoMemoryForSubPolygonId);
        return FALSE;
    }
    m_nCurrentSubPolygon = nNew;

    RECT b = GetSubPolygonBounds(nSubPolygon);
    const int nQuarterW = int((std::int64_t(b.right) - b.left) / 4);
    const int nQuarterH = int((std::int64_t(b.bottom) - b.top) / 4);
    b = {b.left + nQuarterW, b.top + nQuarterH, b.right - nQuarterW, b.bottom - nQuarterH};
    const POINT triangle[] = {
        {b.left, b.bottom}, {VxMidpoint(b.left, b.right), b.top}, {b.right, b.bottom}};
    const int nFirst = GetSubPolygonFirstPoint(nNew);
    for (int k = 0; k < 3; ++k)
        InsertPointAt(nFirst + k, triangle[k], TRUE, nNew);
    UpdateBounds();
    return TRUE;
}

BOOL CVxPoly::CanDeleteSubPolygon(int /*nSubPolygon*/) const
{
    return GetSubPolygonCount() > 1;
}

BOOL CVxPoly::DeleteSubPolygon(int nSubPolygon)
{
    if (!CanDeleteSubPolygon(nSubPolygon) || !IsValidSubPolygon(nSubPolygon))
        return FALSE;
    Invalidate();
    RemovePoints(GetSubPolygonFirstPoint(nSubPolygon), m_pnSubPolygonCounts[nSubPolygon]);
    RemoveSubPolygon(nSubPolygon);
    UpdateBounds();
    return TRUE;
}

// The closed flag decides the properties, so the clone is made with it.
std::unique_ptr<CVxGraphic> CVxPoly::Clone()
{
    return CompleteClone(std::make_unique<CVxPoly>(m_rect, m_bClosed));
}

std::string CVxPoly::GetTypeName() const
{
    return TkLoadString(m_bClosed ? kPolygonNameId : kPolylineNameId);
}

BOOL CVxPoly::CanEdit() const
{
    return TRUE;
}

void CVxPoly::Edit(CVxView* pView)
{
    VxTogglePointEditing(pView);
}

BOOL CVxPoly::AppendPoint(POINT point, BOOL bAllowDuplicate)
{
    return InsertPoint(m_nPoints, point, bAllowDuplicate);
}

BOOL CVxPoly::AppendPolyline(std::span<const POINT> points)
{
    if (points.size() > std::size_t(kMaxCount))
        return FALSE;
    const INT counts[] = {INT(points.size())};
    return AppendPolyPolygon(points, counts);
}

BOOL CVxPoly::AppendPolyPolygon(std::span<const POINT> points, std::span<const INT> counts)
{
    std::int64_t total = 0;
    for (const INT count : counts) {
        if (count < 0)
            return FALSE;
        total += count;
    }
    if (total > std::int64_t(points.size()) || m_nPoints + total > kMaxCount ||
        counts.size() > std::size_t(kMaxCount))
        return FALSE;
    if (m_nPoints + total > GetPointCapacity())
        m_pPoints.resize(std::size_t(m_nPoints + total));
    // Existing sub-polygons are kept: dropping their counts would orphan points.
    if (counts.size() > m_pnSubPolygonCounts.size())
        m_pnSubPolygonCounts.resize(counts.size(), 0);

    BOOL bAdded = FALSE;
    std::size_t nNext = 0;
    for (int k = 0; k < int(counts.size()); ++k) {
        SetCurrentSubPolygon(k);
        for (INT n = 0; n < counts[k]; ++n) {
            if (InsertPointAt(m_nPoints, points[nNext++], FALSE, -1))
                bAdded = TRUE;
        }
    }
    if (bAdded)
        UpdateBounds();
    return bAdded;
}

BOOL CVxPoly::InsertRun(int nAt, std::span<const POINT> points)
{
    if (nAt < 0 || nAt > m_nPoints || points.empty() ||
        points.size() > std::size_t(kMaxCount - m_nPoints))
        return FALSE;
    try {
        if (!GrowInSteps(int(points.size())))
            return FALSE;
    } catch (const std::bad_alloc&) {
        ShowNoMemory(kNoMemoryForPointId);
        return FALSE;
    }
    // With the room taken, no insertion can fail part way.
    for (std::size_t k = 0; k < points.size(); ++k)
        InsertPointAt(nAt + int(k), points[k], TRUE, -1);
    UpdateBounds();
    return TRUE;
}

void CVxPoly::RemoveRun(int nFirst, int nCount)
{
    const int nSubPolygon = GetSubPolygonOfPoint(nFirst);
    if (nCount <= 0 || nSubPolygon < 0 ||
        nFirst + nCount > GetSubPolygonFirstPoint(nSubPolygon) + m_pnSubPolygonCounts[nSubPolygon])
        return;
    Invalidate();
    RemovePoints(nFirst, nCount);
    m_pnSubPolygonCounts[nSubPolygon] -= nCount;
    UpdateBounds();
}

POINT CVxPoly::GetPoint(int nPoint) const
{
    if (!IsValidPoint(nPoint))
        return {0, 0};
    return m_transform.IsIdentity() ? m_pPoints[nPoint] : m_transform.Apply(m_pPoints[nPoint]);
}

void CVxPoly::SetPoint(int nPoint, POINT point)
{
    if (!IsValidPoint(nPoint))
        return;
    Bake();
    m_pPoints[nPoint] = point;
}

void CVxPoly::SetCurrentSubPolygon(int nSubPolygon)
{
    if (IsValidSubPolygon(nSubPolygon))
        m_nCurrentSubPolygon = nSubPolygon;
}

std::span<const POINT> CVxPoly::GetTransformedPoints(std::vector<POINT>& buffer) const
{
    const std::span<const POINT> stored(m_pPoints.data(), std::size_t(m_nPoints));
    if (m_transform.IsIdentity())
        return stored;
    buffer.assign(stored.begin(), stored.end());
    m_transform.Apply(buffer);
    return buffer;
}

void CVxPoly::UpdateBounds()
{
    if (m_nPoints > 0) {
        std::vector<POINT> buffer;
        const RECT bounds = VxBoundsOf(GetTransformedPoints(buffer));
        if (bounds != m_rect) {
            Invalidate();
            m_rect = bounds;
        }
    }
    SetModified(TRUE);
}

BOOL CVxPoly::IsValidSubPolygon(int nSubPolygon) const
{
    return nSubPolygon >= 0 && nSubPolygon < GetSubPolygonCount();
}

BOOL CVxPoly::InsertPointAt(int nPoint, POINT point, BOOL bAllowDuplicate, int nSubPolygon)
{
    if (nPoint < 0 || nPoint > m_nPoints)
        return FALSE;
    nSubPolygon = ResolveSubPolygon(nPoint, nSubPolygon);
    if (!IsValidSubPolygon(nSubPolygon) ||
        IsRefusedDuplicate(nPoint, point, bAllowDuplicate, nSubPolygon) || !GrowInSteps(1))
        return FALSE;
    Bake();
    std::copy_backward(m_pPoints.begin() + nPoint, m_pPoints.begin() + m_nPoints,
                       m_pPoints.begin() + m_nPoints + 1);
    ++m_nPoints;
    ++m_pnSubPolygonCounts[nSubPolygon];
    m_pPoints[nPoint] = point;
    return TRUE;
}

int CVxPoly::ResolveSubPolygon(int nPoint, int nSubPolygon) const
{
    if (nSubPolygon >= 0)
        return nSubPolygon;
    if (nPoint < m_nPoints)
        return GetSubPolygonOfPoint(nPoint);
    if (m_nPoints == 0)
        return m_nCurrentSubPolygon;
    // A point appended at the very end can only join a sub-polygon that ends
    // there; an earlier current one would take over the points that follow it.
    return std::max(m_nCurrentSubPolygon, GetSubPolygonOfPoint(m_nPoints - 1));
}

// Only neighbours within the same sub-polygon count: a figure may well start
// where the one before it ended.
BOOL CVxPoly::IsRefusedDuplicate(int nPoint, POINT point, BOOL bAllowDuplicate,
                                 int nSubPolygon) const
{
    const int k = nPoint - GetSubPolygonFirstPoint(nSubPolygon);
    if (k < m_pnSubPolygonCounts[nSubPolygon] && point == GetPoint(nPoint))
        return !bAllowDuplicate;
    return !bAllowDuplicate && k > 0 && point == GetPoint(nPoint - 1);
}

BOOL CVxPoly::GrowInSteps(int nExtra)
{
    const std::int64_t needed = std::int64_t(m_nPoints) + nExtra;
    const std::int64_t capacity = GetPointCapacity();
    if (needed <= capacity)
        return TRUE;
    const std::int64_t steps = (needed - capacity + kGrowthStep - 1) / kGrowthStep;
    const std::int64_t grown = capacity + steps * kGrowthStep;
    if (grown > kMaxCount)
        return FALSE;
    m_pPoints.resize(std::size_t(grown));
    return TRUE;
}

void CVxPoly::Bake()
{
    if (m_transform.IsIdentity())
        return;
    m_transform.Apply(std::span<POINT>(m_pPoints.data(), std::size_t(m_nPoints)));
    m_transform.Reset();
}

void CVxPoly::RemovePoints(int nFirst, int nCount)
{
    std::copy(m_pPoints.begin() + nFirst + nCount, m_pPoints.begin() + m_nPoints,
              m_pPoints.begin() + nFirst);
    m_nPoints -= nCount;
}

void CVxPoly::RemoveSubPolygonIfShort(int nSubPolygon)
{
    const int nCount = m_pnSubPolygonCounts[nSubPolygon];
    if (nCount >= GetMinimumFigurePoints())
        return;
    RemovePoints(GetSubPolygonFirstPoint(nSubPolygon), nCount);
    RemoveSubPolygon(nSubPolygon);
}

// The current sub-polygon keeps its sub-polygon, or moves to the one before when
// its own goes; it stays at 0 when the first goes, so appending keeps working.
void CVxPoly::RemoveSubPolygon(int nSubPolygon)
{
    m_pnSubPolygonCounts.erase(m_pnSubPolygonCounts.begin() + nSubPolygon);
    if (m_nCurrentSubPolygon > nSubPolygon ||
        (m_nCurrentSubPolygon == nSubPolygon && nSubPolygon > 0))
        --m_nCurrentSubPolygon;
}

RECT CVxPoly::GetSubPolygonBounds(int nSubPolygon) const
{
    std::vector<POINT> buffer;
    return VxBoundsOf(GetTransformedPoints(buffer).subspan(
        std::size_t(GetSubPolygonFirstPoint(nSubPolygon)),
        std::size_t(m_pnSubPolygonCounts[nSubPolygon])));
}
