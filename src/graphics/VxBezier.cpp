#include "graphics/VxBezier.h"

#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkMetaFileRecorder.h"

#include <limits>

TK_IMPLEMENT_SERIAL(CVxBezier, CVxPoly, 0)

namespace {

constexpr unsigned kOpenNameId = 5060;    // "Bezier"
constexpr unsigned kClosedNameId = 5061;  // "Closed Bezier"

// The anchor a point belongs to for insertion: itself, or the start of its curve.
int AnchorAtOrBefore(int nPoint)
{
    return nPoint - nPoint % 3;
}

}  // namespace

CVxBezier::CVxBezier(const RECT& rect, BOOL bClosed) : CVxPoly(rect, bClosed) {}

CVxBezier::CVxBezier(std::span<const POINT> points, BOOL bClosed, BOOL bFromCurrent)
    : CVxPoly(RECT{0, 0, 0, 0}, bClosed), m_bFromCurrent(bFromCurrent && !bClosed)
{
    if (IsCurveCount(points.size()))
        InsertRun(0, points);
}

void CVxBezier::Serialize(CTkArchive& ar)
{
    CVxPoly::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::uint8_t(m_bFromCurrent ? 1 : 0);
        return;
    }
    std::uint8_t bFromCurrent = 0;
    ar >> bFromCurrent;
    // Stored points that cannot make curves would draw nothing or read past them.
    if (!IsCurveCount(std::size_t(GetPointCount())) || GetSubPolygonCount() != 1)
        throw CTkArchiveException(CTkArchiveException::generic);
    m_bFromCurrent = bFromCurrent != 0 && !IsClosed();
}

POINT CVxBezier::GetStartPoint()
{
    return GetPoint(0);
}

void CVxBezier::DrawShape(CTkDC* pDC, BOOL bContinue)
{
    std::vector<POINT> buffer;
    const std::span<const POINT> points = GetTransformedPoints(buffer);
    if (!IsCurveCount(points.size()))
        return;
    if (IsClosed()) {
        DrawClosed(pDC, points);
    } else if (m_bFromCurrent) {
        if (!bContinue)
            pDC->MoveTo(points[0].x, points[0].y);
        pDC->PolyBezierTo(points.data() + 1, int(points.size() - 1));
    } else {
        pDC->PolyBezier(points.data(), int(points.size()));
    }
}

// A 16-bit metafile has neither curves nor paths: the flattened figure is
// written as a polygon, so it is still filled.
void CVxBezier::DrawClosed(CTkDC* pDC, std::span<const POINT> points)
{
    if (pDC->GetObjectType() == OBJ_METADC) {
        const std::vector<POINT> line = TkFlattenBeziers(points[0], points.subspan(1));
        pDC->Polygon(line.data(), int(line.size()));
        return;
    }
    pDC->BeginPath();
    pDC->PolyBezier(points.data(), int(points.size()));
    pDC->CloseFigure();
    pDC->EndPath();
    pDC->StrokeAndFillPath();
}

void CVxBezier::CopyFrom(CVxGraphic& source)
{
    CVxPoly::CopyFrom(source);
    if (const auto* pBezier = dynamic_cast<const CVxBezier*>(&source))
        m_bFromCurrent = pBezier->m_bFromCurrent;
}

BOOL CVxBezier::CanInsertPoint(int nPoint) const
{
    return nPoint >= 0 && nPoint <= GetPointCount() &&
           GetPointCount() <= std::numeric_limits<int>::max() - 3;
}

BOOL CVxBezier::InsertPoint(int nPoint, POINT point, BOOL /*bAllowDuplicate*/)
{
    if (!CanInsertPoint(nPoint))
        return FALSE;
    const int nAt = nPoint == GetPointCount() ? nPoint : AnchorAtOrBefore(nPoint);
    if (nAt != nPoint)
        point = GetPoint(nAt);
    const POINT curve[] = {point, point, point};
    return InsertRun(nAt, curve);
}

BOOL CVxBezier::CanDeletePoint(int nPoint) const
{
    return nPoint >= 0 && nPoint < GetPointCount() && GetPointCount() >= 7;
}

BOOL CVxBezier::DeletePoint(int nPoint)
{
    if (!CanDeletePoint(nPoint))
        return FALSE;
    RemoveRun(nPoint == 0 ? 0 : (nPoint - 1) / 3 * 3 + 1, 3);
    return TRUE;
}

BOOL CVxBezier::CanInsertSubPolygon(int /*nSubPolygon*/) const
{
    return FALSE;
}

std::unique_ptr<CVxGraphic> CVxBezier::Clone()
{
    return CompleteClone(std::make_unique<CVxBezier>(m_rect, IsClosed()));
}

std::string CVxBezier::GetTypeName() const
{
    return TkLoadString(IsClosed() ? kClosedNameId : kOpenNameId);
}
