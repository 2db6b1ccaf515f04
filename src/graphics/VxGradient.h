#pragma once
// A gradient fill drawn with GDI's GradientFill: shaded rectangles (left to right
// or top to bottom) or Gouraud-shaded triangles over a list of coloured vertices.
// The vertices keep the places they were made at, in m_rcSource; drawing maps
// them from that box onto m_rect, so moves, resizes and flips (a negative extent
// mirrors) need only the box, as for a bitmap, and an untouched gradient writes
// back its vertices as they came.

#include "graphics/VxGraphic.h"

#include <span>
#include <vector>

class CVxGradient : public CVxGraphic {
    TK_DECLARE_SERIAL(CVxGradient)
public:
    CVxGradient() = default;
    // An empty gradient (it draws nothing); the start of a clone.
    explicit CVxGradient(const RECT& rect);
    // The mesh is a flat list of vertex indices (two per rectangle, three per
    // triangle) that TkIsValidGradientFill accepts; the box is the vertices' bounds.
    CVxGradient(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh, ULONG mode);

    // After the base: mode, source box, vertex count and vertices, index count and
    // indices. A mesh that does not fit its vertices is refused.
    void Serialize(CTkArchive& ar) override;
    std::string GetTypeName() const override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    // A drag shows the box.
    void DrawShapeOutline(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    std::unique_ptr<CVxGraphic> Clone() override;

    ULONG GetMode() const { return m_nMode; }
    const std::vector<ULONG>& GetMesh() const { return m_mesh; }
    // The vertices where they are drawn now.
    std::vector<TRIVERTEX> GetPlacedVertices() const;

private:
    std::vector<TRIVERTEX> m_vertices;
    std::vector<ULONG> m_mesh;
    ULONG m_nMode = GRADIENT_FILL_RECT_H;
    RECT m_rcSource{};
};
