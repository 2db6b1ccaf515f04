// The drawing records of CVxEmfToVxConverter: shapes, text, comments and paths.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxArc.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxText.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {


int AddClamped(int value, int delta)
{
    return int(std::min<std::int64_t>(std::int64_t(value) + delta,
                                      std::numeric_limits<int>::max()));
}

// The text runs the other way from its reference point.
UINT SwapLeftAndRight(UINT align)
{
    switch (align & TA_CENTER) {
    case TA_LEFT: return align | TA_RIGHT;
    case TA_RIGHT: return align & ~TA_RIGHT;
    default: return align;
    }
}

}  // namespace

// 16-bit GDI draws boxes one unit larger on the right and bottom and the
// conversion to records shifts them by one.
void CVxEmfToVxConverter::AdjustWmfBox(RECT& box) const
{
    box.left = AddClamped(box.left, 1);
    box.top = AddClamped(box.top, 1);
    box.right = AddClamped(box.right, 2);
    box.bottom = AddClamped(box.bottom, 2);
}

void CVxEmfToVxConverter::AddGraphic(std::unique_ptr<CVxGraphic> pGraphic)
{
    if (m_bInPath && m_pPath)
        m_pPath->AddChildTail(pGraphic.release());
    else
        m_graphics.AddTail(pGraphic.release());
}

int CVxEmfToVxConverter::AddShape(std::unique_ptr<CVxGraphic> pGraphic)
{
    ApplyCurrentAttributes(*pGraphic);
    AddGraphic(std::move(pGraphic));
    return kHandled;
}

int CVxEmfToVxConverter::MakeBox(const RECT& box, bool bEllipse)
{
    if (IsWorldRotated())
        return bEllipse ? MakeTurnedArc(box, {}, {}, TurnedArc::Ellipse) : MakeRotatedBox(box);
    RECT copy = box;
    if (IsFromWindowsMetafile())
        AdjustWmfBox(copy);
    copy = TransformBox(copy);
    if (bEllipse)
        return AddShape(std::make_unique<CVxEllipse>(copy));
    return AddShape(std::make_unique<CVxRectangle>(copy));
}

int CVxEmfToVxConverter::OnRectangle(const RECT& box) { return MakeBox(box, false); }

// The blit's box is exact: unlike a rectangle record it needs no Windows-metafile
// adjustment, and it has no outline.
int CVxEmfToVxConverter::OnPatBlt(const RECT& box)
{
    auto pRectangle = std::make_unique<CVxRectangle>(TransformBox(box));
    ApplyCurrentAttributes(*pRectangle);
    ClearPen(*pRectangle);
    AddGraphic(std::move(pRectangle));
    return kHandled;
}

int CVxEmfToVxConverter::OnEllipse(const RECT& box) { return MakeBox(box, true); }

RECT CVxEmfToVxConverter::PlaceArc(const RECT& box, POINT (&radials)[2]) const
{
    RECT copy = box;
    if (IsFromWindowsMetafile()) {
        AdjustWmfBox(copy);
        // The radial points move with the box, or their rays from its centre
        // would turn and the arc start and end elsewhere.
        for (POINT& p : radials)
            p = {AddClamped(p.x, 1), AddClamped(p.y, 1)};
    }
    TransformPoints(radials, 2);
    return TransformBox(copy);
}

int CVxEmfToVxConverter::MakeArc(const RECT& box, POINT start, POINT end, bool bArcTo)
{
    if (IsWorldRotated())
        return MakeTurnedArc(box, start, end, bArcTo ? TurnedArc::ArcTo : TurnedArc::Arc);
    POINT radials[2] = {start, end};
    const RECT placed = PlaceArc(box, radials);
    auto pArc = std::make_unique<CVxArc>(placed, radials[0], radials[1], bArcTo ? TRUE : FALSE,
                                         GetCurrentPosition());
    if (bArcTo) {
        const POINT arcEnd = pArc->GetArcEnd();
        m_nCurrentX = arcEnd.x;
        m_nCurrentY = arcEnd.y;
    }
    return AddShape(std::move(pArc));
}

int CVxEmfToVxConverter::OnArc(const RECT& box, int xStart, int yStart, int xEnd, int yEnd)
{
    return MakeArc(box, {xStart, yStart}, {xEnd, yEnd}, false);
}

int CVxEmfToVxConverter::OnArcTo(const RECT& box, int xStart, int yStart, int xEnd, int yEnd)
{
    return MakeArc(box, {xStart, yStart}, {xEnd, yEnd}, true);
}

int CVxEmfToVxConverter::OnLineTo(int x, int y)
{
    const POINT from = GetCurrentPosition();
    POINT to{x, y};
    TransformPoints(&to, 1);
    m_nCurrentX = to.x;
    m_nCurrentY = to.y;
    return AddShape(std::make_unique<CVxLine>(RECT{from.x, from.y, to.x, to.y}));
}

int CVxEmfToVxConverter::OnMoveToEx(int x, int y)
{
    POINT to{x, y};
    TransformPoints(&to, 1);
    m_nCurrentX = m_nFigureStartX = to.x;
    m_nCurrentY = m_nFigureStartY = to.y;
    return kHandled;
}

int CVxEmfToVxConverter::MakePoly(std::span<const POINT> points, std::span<const DWORD> counts,
                                  BOOL bClosed)
{
    std::vector<POINT> copy(points.begin(), points.end());
    std::vector<INT> figureCounts;
    figureCounts.reserve(counts.size());
    for (DWORD count : counts) {
        if (count > copy.size())
            return kStop;
        figureCounts.push_back(INT(count));
    }
    auto pPoly = std::make_unique<CVxPoly>(RECT{0, 0, 0, 0}, bClosed);
    ApplyCurrentAttributes(*pPoly);
    TransformPoints(copy.data(), copy.size());
    pPoly->AppendPolyPolygon(copy, figureCounts);
    AddGraphic(std::move(pPoly));
    return kHandled;
}

int CVxEmfToVxConverter::OnPolygon(std::span<const POINT> points)
{
    const DWORD count = DWORD(points.size());
    return MakePoly(points, {&count, 1}, TRUE);
}

int CVxEmfToVxConverter::OnPolyline(std::span<const POINT> points)
{
    const DWORD count = DWORD(points.size());
    return MakePoly(points, {&count, 1}, FALSE);
}

int CVxEmfToVxConverter::OnPolyPolygon(std::span<const POINT> points,
                                       std::span<const DWORD> counts)
{
    return MakePoly(points, counts, TRUE);
}

int CVxEmfToVxConverter::OnPolyPolyline(std::span<const POINT> points,
                                        std::span<const DWORD> counts)
{
    return MakePoly(points, counts, FALSE);
}

int CVxEmfToVxConverter::OnExtTextOut(int x, int y, UINT options, const RECT& rect,
                                      std::u16string_view text, std::span<const LONG> spacing)
{
    const RECT box = (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0 ? TransformBox(rect) : RECT{};
    POINT reference{x, y};
    TransformPoints(&reference, 1);
    // Advances run along the text's own baseline, whichever way the transforms
    // turn or mirror it: only their length is mapped.
    std::vector<INT> advances;
    if (!spacing.empty() && !m_bIgnoreTextSpacing) {
        const std::size_t count = std::min(spacing.size(), text.size());
        advances.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const INT cx = TransformDistance(spacing[i], 0).cx;
            const INT length = std::abs(std::max(cx, -std::numeric_limits<INT>::max()));
            advances.push_back(spacing[i] < 0 ? -length : length);
        }
    }
    auto pText = std::make_unique<CVxText>(std::u16string(text), reference.x, reference.y,
                                           options, advances, box);
    // A text keeps the point it was drawn at: drawn again, it must not follow
    // the current position instead.
    UINT align = m_nTextAlign & ~UINT(TA_UPDATECP);
    if (IsWorldMirrored())
        align = SwapLeftAndRight(align);
    ApplyCurrentAttributes(*pText, align);
    ApplyWorldToFont(*pText);
    AddGraphic(std::move(pText));
    return kHandled;
}

// Comments stay in record order among the top-level graphics, even inside a path.
int CVxEmfToVxConverter::OnGdiComment(std::span<const std::uint8_t> data)
{
    auto pComment = std::make_unique<CVxComment>(data.data(), std::uint32_t(data.size()));
    ApplyCurrentAttributes(*pComment);
    m_graphics.AddTail(pComment.release());
    return kHandled;
}

int CVxEmfToVxConverter::OnBeginPath()
{
    if (m_bInPath)
        return kStop;
    m_pPath = std::make_unique<CVxPath>();
    m_bInPath = TRUE;
    return kHandled;
}

int CVxEmfToVxConverter::OnCloseFigure()
{
    if (!m_bInPath || !m_pPath)
        return kStop;
    m_pPath->AddChildTail(
        new CVxCloseFigure(RECT{m_nCurrentX, m_nCurrentY, m_nFigureStartX, m_nFigureStartY}));
    m_nCurrentX = m_nFigureStartX;
    m_nCurrentY = m_nFigureStartY;
    return kHandled;
}

int CVxEmfToVxConverter::OnEndPath()
{
    if (!m_bInPath || !m_pPath)
        return kStop;
    m_bInPath = FALSE;
    ApplyCurrentAttributes(*m_pPath);
    return kHandled;
}

// With no path held there is nothing to discard: writers abort after drawing a
// path, which has used it up already.
int CVxEmfToVxConverter::OnAbortPath()
{
    m_pPath.reset();
    m_bInPath = FALSE;
    return kHandled;
}

// Drawing a path uses it up, as GDI discards the path it strokes or fills: a
// second stroke or fill of it draws nothing. So does one with no path held or
// with the bracket still open; real files contain such records, and stopping on
// them would refuse the whole picture, so the record is only listed as not handled.
int CVxEmfToVxConverter::DrawPath(int nPathMode)
{
    if (!m_pPath || m_bInPath)
        return kNotHandled;
    std::unique_ptr<CVxGraphic> pClone = m_pPath->Clone();
    m_pPath.reset();
    auto* pPath = dynamic_cast<CVxPath*>(pClone.get());
    if (pPath == nullptr)
        return kStop;
    ApplyCurrentAttributes(*pPath);
    pPath->SetPathMode(nPathMode);
    m_graphics.AddTail(pClone.release());
    return kHandled;
}

int CVxEmfToVxConverter::OnStrokePath() { return DrawPath(CVxPath::Stroke); }
int CVxEmfToVxConverter::OnFillPath() { return DrawPath(CVxPath::Fill); }
int CVxEmfToVxConverter::OnStrokeAndFillPath() { return DrawPath(CVxPath::StrokeAndFill); }
