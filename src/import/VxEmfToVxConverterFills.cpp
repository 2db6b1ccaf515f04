// The fill records of CVxEmfToVxConverter that have no outline: SetPixelV and
// GradientFill. GDI draws them straight onto the page, never into a path.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxGradient.h"
#include "graphics/VxRectangle.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// The rectangles of a rectangle mesh as two triangles each, coloured so that
// shading them gives the same gradient; a turned rectangle stays right.
void RectanglesToTriangles(std::vector<TRIVERTEX>& vertices, std::vector<ULONG>& mesh,
                           ULONG mode)
{
    const std::vector<TRIVERTEX> given = std::move(vertices);
    const std::vector<ULONG> rectangles = std::move(mesh);
    vertices.clear();
    mesh.clear();
    for (std::size_t i = 0; i + 1 < rectangles.size(); i += 2) {
        const TRIVERTEX& a = given[rectangles[i]];
        const TRIVERTEX& b = given[rectangles[i + 1]];
        const bool bVertical = mode == GRADIENT_FILL_RECT_V;
        // Corners clockwise from a; the far corners take b's colour.
        TRIVERTEX corners[4] = {a, bVertical ? a : b, b, bVertical ? b : a};
        corners[1].x = b.x, corners[1].y = a.y;
        corners[3].x = a.x, corners[3].y = b.y;
        const ULONG first = ULONG(vertices.size());
        vertices.insert(vertices.end(), std::begin(corners), std::end(corners));
        for (const ULONG k : {0u, 1u, 2u, 0u, 2u, 3u})
            mesh.push_back(first + k);
    }
}

}  // namespace

// A pixel becomes a filled box of one picture unit, or of the pixel's size when
// the page maps a unit larger, so that it can be selected and recoloured.
int CVxEmfToVxConverter::OnSetPixelV(POINT point, COLORREF color)
{
    if (point.x == std::numeric_limits<LONG>::max() || point.y == std::numeric_limits<LONG>::max())
        return kNotHandled;
    POINT corners[2] = {point, {point.x + 1, point.y + 1}};
    TransformPoints(corners, 2);
    RECT box{std::min(corners[0].x, corners[1].x), std::min(corners[0].y, corners[1].y),
             std::max(corners[0].x, corners[1].x), std::max(corners[0].y, corners[1].y)};
    box.right = std::max(box.right, box.left + 1);
    box.bottom = std::max(box.bottom, box.top + 1);
    auto pRectangle = std::make_unique<CVxRectangle>(box);
    ApplyCurrentAttributes(*pRectangle);
    ClearPen(*pRectangle);
    SetSolidFill(*pRectangle, color & 0xFFFFFF);
    m_graphics.AddTail(pRectangle.release());
    return kHandled;
}

int CVxEmfToVxConverter::OnGradientFill(std::span<const TRIVERTEX> vertices,
                                        std::span<const ULONG> mesh, ULONG mode)
{
    if (vertices.empty() || mesh.empty())
        return kNotHandled;
    std::vector<TRIVERTEX> placed(vertices.begin(), vertices.end());
    std::vector<ULONG> placedMesh(mesh.begin(), mesh.end());
    if (IsWorldRotated() && mode != GRADIENT_FILL_TRIANGLE) {
        RectanglesToTriangles(placed, placedMesh, mode);
        mode = GRADIENT_FILL_TRIANGLE;
    }
    for (TRIVERTEX& v : placed) {
        POINT p{v.x, v.y};
        TransformPoints(&p, 1);
        v.x = p.x;
        v.y = p.y;
    }
    auto pGradient = std::make_unique<CVxGradient>(placed, placedMesh, mode);
    ApplyCurrentAttributes(*pGradient);
    m_graphics.AddTail(pGradient.release());
    return kHandled;
}
