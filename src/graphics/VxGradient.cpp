#include "graphics/VxGradient.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGradientFill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

TK_IMPLEMENT_SERIAL(CVxGradient, CVxGraphic, 0)

namespace {

constexpr unsigned kTypeNameId = 5065;  // "Gradient"

RECT BoundsOf(std::span<const TRIVERTEX> vertices)
{
    std::vector<POINT> points;
    for (const TRIVERTEX& v : vertices)
        points.push_back({v.x, v.y});
    return VxBoundsOf(points);
}

// value from [from0, from1] onto [to0, to1], rounded to nearest; a source of no
// extent maps to the start.
LONG MapCoordinate(LONG value, LONG from0, LONG from1, LONG to0, LONG to1)
{
    const std::int64_t extent = std::int64_t(from1) - from0;
    if (extent == 0)
        return to0;
    const double mapped =
        to0 + double(std::int64_t(value) - from0) * (double(to1) - to0) / double(extent);
    return LONG(std::clamp(std::lround(mapped), long(std::numeric_limits<LONG>::min()),
                           long(std::numeric_limits<LONG>::max())));
}

[[noreturn]] void Refuse(CTkArchiveException::Cause cause)
{
    throw CTkArchiveException(cause);
}

// A count from the archive, no larger than the bytes left can hold.
std::uint32_t ReadCount(CTkArchive& ar, std::uint64_t bytesPerItem)
{
    std::uint32_t count = 0;
    ar >> count;
    if (count > ar.BytesLeft() / bytesPerItem)
        Refuse(CTkArchiveException::endOfFile);
    return count;
}

}  // namespace

CVxGradient::CVxGradient(const RECT& rect) : CVxGraphic(rect) {}

CVxGradient::CVxGradient(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                         ULONG mode)
    : CVxGraphic(BoundsOf(vertices)),
      m_vertices(vertices.begin(), vertices.end()),
      m_mesh(mesh.begin(), mesh.end()),
      m_nMode(mode),
      m_rcSource(m_rect)
{
}

std::vector<TRIVERTEX> CVxGradient::GetPlacedVertices() const
{
    std::vector<TRIVERTEX> placed = m_vertices;
    if (m_rect == m_rcSource)
        return placed;
    for (TRIVERTEX& v : placed) {
        v.x = MapCoordinate(v.x, m_rcSource.left, m_rcSource.right, m_rect.left, m_rect.right);
        v.y = MapCoordinate(v.y, m_rcSource.top, m_rcSource.bottom, m_rect.top, m_rect.bottom);
    }
    return placed;
}

void CVxGradient::Serialize(CTkArchive& ar)
{
    CVxGraphic::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::uint32_t(m_nMode) << std::int32_t(m_rcSource.left)
           << std::int32_t(m_rcSource.top) << std::int32_t(m_rcSource.right)
           << std::int32_t(m_rcSource.bottom) << std::uint32_t(m_vertices.size());
        for (const TRIVERTEX& v : m_vertices)
            ar << std::int32_t(v.x) << std::int32_t(v.y) << v.Red << v.Green << v.Blue << v.Alpha;
        ar << std::uint32_t(m_mesh.size());
        for (const ULONG index : m_mesh)
            ar << std::uint32_t(index);
        return;
    }
    std::uint32_t mode = 0;
    RECT source{};
    ar >> mode >> source.left >> source.top >> source.right >> source.bottom;
    std::vector<TRIVERTEX> vertices(ReadCount(ar, 16));
    for (TRIVERTEX& v : vertices)
        ar >> v.x >> v.y >> v.Red >> v.Green >> v.Blue >> v.Alpha;
    std::vector<ULONG> mesh(ReadCount(ar, 4));
    for (ULONG& index : mesh)
        ar >> index;
    if (!TkIsValidGradientFill(vertices, mesh, mode))
        Refuse(CTkArchiveException::generic);
    m_nMode = mode;
    m_rcSource = source;
    m_vertices = std::move(vertices);
    m_mesh = std::move(mesh);
}

std::string CVxGradient::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxGradient::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const std::vector<TRIVERTEX> placed = GetPlacedVertices();
    pDC->GradientFill(placed, m_mesh, m_nMode);
}

void CVxGradient::DrawShapeOutline(CTkDC* pDC, BOOL /*bContinue*/)
{
    VxDrawOutlineRect(pDC, GetNormalizedRect());
}

void CVxGradient::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    CVxGraphic::CopyFrom(source);
    if (const auto* pGradient = dynamic_cast<const CVxGradient*>(&source)) {
        m_vertices = pGradient->m_vertices;
        m_mesh = pGradient->m_mesh;
        m_nMode = pGradient->m_nMode;
        m_rcSource = pGradient->m_rcSource;
    }
}

std::unique_ptr<CVxGraphic> CVxGradient::Clone()
{
    return CloneAs<CVxGradient>();
}
