// The curve and rounded records of CVxEmfToVxConverter: Bézier runs, rounded
// rectangles, pies and chords.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBezier.h"
#include "graphics/VxChord.h"
#include "graphics/VxPie.h"
#include "graphics/VxRoundRect.h"

#include <vector>

// Outside a path GDI neither uses nor moves the current position for PolyBezier;
// inside one the run starts a figure of its own.
int CVxEmfToVxConverter::OnPolyBezier(std::span<const POINT> points)
{
    if (!CVxBezier::IsCurveCount(points.size()))
        return kNotHandled;
    std::vector<POINT> copy(points.begin(), points.end());
    TransformPoints(copy.data(), copy.size());
    return AddShape(std::make_unique<CVxBezier>(copy, FALSE, FALSE));
}

int CVxEmfToVxConverter::OnPolyBezierTo(std::span<const POINT> points)
{
    if (!CVxBezier::IsCurveCount(points.size() + 1))
        return kNotHandled;
    std::vector<POINT> copy{GetCurrentPosition()};
    copy.insert(copy.end(), points.begin(), points.end());
    TransformPoints(copy.data() + 1, points.size());
    m_nCurrentX = copy.back().x;
    m_nCurrentY = copy.back().y;
    return AddShape(std::make_unique<CVxBezier>(copy, FALSE, TRUE));
}

int CVxEmfToVxConverter::OnRoundRect(const RECT& box, SIZE corner)
{
    if (IsWorldRotated())
        return MakeTurnedRoundRect(box, corner);
    RECT copy = box;
    if (IsFromWindowsMetafile())
        AdjustWmfBox(copy);
    const SIZE placedCorner = TransformDistance(corner.cx, corner.cy);
    return AddShape(std::make_unique<CVxRoundRect>(TransformBox(copy), placedCorner));
}

int CVxEmfToVxConverter::OnPie(const RECT& box, int xStart, int yStart, int xEnd, int yEnd)
{
    if (IsWorldRotated())
        return MakeTurnedArc(box, {xStart, yStart}, {xEnd, yEnd}, TurnedArc::Pie);
    POINT radials[2] = {{xStart, yStart}, {xEnd, yEnd}};
    const RECT placed = PlaceArc(box, radials);
    return AddShape(std::make_unique<CVxPie>(placed, radials[0], radials[1]));
}

int CVxEmfToVxConverter::OnChord(const RECT& box, int xStart, int yStart, int xEnd, int yEnd)
{
    if (IsWorldRotated())
        return MakeTurnedArc(box, {xStart, yStart}, {xEnd, yEnd}, TurnedArc::Chord);
    POINT radials[2] = {{xStart, yStart}, {xEnd, yEnd}};
    const RECT placed = PlaceArc(box, radials);
    return AddShape(std::make_unique<CVxChord>(placed, radials[0], radials[1]));
}
