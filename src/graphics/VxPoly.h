#pragma once
// A figure of straight segments through a list of points: an open polyline or a
// closed (filled) polygon, each made of one or more sub-polygons.
//
// Moves, resizes and rotations only add to a pending transform; the stored points
// are rewritten (baked) when a single point is changed. Everything a caller reads
// (points, handles, bounds, what is drawn or stored) is transformed.

#include "graphics/VxGraphicWithOutline.h"
#include "graphics/VxTransform.h"

#include <span>
#include <vector>

class CVxPoly : public CVxGraphicWithOutline {
    TK_DECLARE_SERIAL(CVxPoly)
public:
    // For creation on load: no sub-polygons, nothing can be appended.
    CVxPoly();
    // One empty sub-polygon; a closed poly also gets "Brush". The rectangle
    // gives way to the points' bounding box once points are added.
    CVxPoly(const RECT& rect, BOOL bClosed);

    void Serialize(CTkArchive& ar) override;

    void Offset(int dx, int dy) override;
    void Scale(int nw, int nh, int ow, int oh) override;
    void Rotate(int nDegrees) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    // Copies the points, sub-polygons, closed flag and transform of another
    // poly; the current sub-polygon stays.
    void CopyFrom(CVxGraphic& source) override;

    int GetHandleCount() const override;
    POINT GetHandlePoint(int nHandle) override;
    BOOL ConstrainHandlePoint(int nHandle, POINT& point) override;
    void MoveHandle(int nHandle, POINT point) override;

    // nPoint == GetPointCount() appends.
    BOOL CanInsertPoint(int nPoint) const override;
    BOOL InsertPoint(int nPoint, POINT point, BOOL bAllowDuplicate) override;
    BOOL CanDeletePoint(int nPoint) const override;
    BOOL DeletePoint(int nPoint) override;
    int GetSubPolygonCount() const override;
    int GetSubPolygonOfPoint(int nPoint) const override;
    int GetSubPolygonFirstPoint(int nSubPolygon) const override;
    int GetSubPolygonPointCount(int nSubPolygon) const override;
    BOOL CanInsertSubPolygon(int nSubPolygon) const override;
    // Adds a triangle inside the box of sub-polygon nSubPolygon, as the
    // sub-polygon after it.
    BOOL InsertSubPolygon(int nSubPolygon, int nUnused = 0) override;
    BOOL CanDeleteSubPolygon(int nSubPolygon) const override;
    BOOL DeleteSubPolygon(int nSubPolygon) override;

    std::unique_ptr<CVxGraphic> Clone() override;
    std::string GetTypeName() const override;
    BOOL CanEdit() const override;
    // Switches the view's point editing on or off.
    void Edit(CVxView* pView) override;

    // Adds to the current sub-polygon.
    virtual BOOL AppendPoint(POINT point, BOOL bAllowDuplicate);
    virtual BOOL AppendPolyline(std::span<const POINT> points);
    // Sub-polygon k takes the next counts[k] points; a point equal to the one
    // before it in its sub-polygon is dropped. False when nothing was added.
    virtual BOOL AppendPolyPolygon(std::span<const POINT> points, std::span<const INT> counts);

    // (0, 0) for an invalid index.
    POINT GetPoint(int nPoint) const;
    void SetPoint(int nPoint, POINT point);
    void SetCurrentSubPolygon(int nSubPolygon);
    int GetCurrentSubPolygon() const { return m_nCurrentSubPolygon; }
    // The stored points themselves while no transform is pending, else the
    // mapped points, made in buffer.
    std::span<const POINT> GetTransformedPoints(std::vector<POINT>& buffer) const;
    // m_rect becomes the bounding box of the transformed points.
    void UpdateBounds();

    BOOL IsClosed() const { return m_bClosed; }
    // No sub-polygon, or one with fewer points than a figure needs.
    BOOL IsDegenerate() const;
    int GetPointCount() const { return m_nPoints; }
    int GetPointCapacity() const { return int(m_pPoints.size()); }
    const CVxTransform& GetTransform() const { return m_transform; }

protected:
    // Inserts before point nAt (appends to the current sub-polygon at the end),
    // keeping every point, equal neighbours too; the bounds are updated once.
    // False, with nothing added, when there is no room.
    BOOL InsertRun(int nAt, std::span<const POINT> points);
    // Removes points of one sub-polygon, whatever figure they leave.
    void RemoveRun(int nFirst, int nCount);

private:
    BOOL IsValidPoint(int nPoint) const { return nPoint >= 0 && nPoint < m_nPoints; }
    BOOL IsValidSubPolygon(int nSubPolygon) const;
    // The points a figure needs to be drawn as one.
    int GetMinimumFigurePoints() const { return m_bClosed ? 3 : 2; }
    int GetPointsLeftAfterDeleting(int nPoint) const;
    // The step behind every insertion; nSubPolygon -1 picks the sub-polygon of
    // the point at nPoint, or the current one when appending. Throws
    // std::bad_alloc when the storage cannot grow.
    BOOL InsertPointAt(int nPoint, POINT point, BOOL bAllowDuplicate, int nSubPolygon);
    int ResolveSubPolygon(int nPoint, int nSubPolygon) const;
    BOOL IsRefusedDuplicate(int nPoint, POINT point, BOOL bAllowDuplicate, int nSubPolygon) const;
    // Room for nExtra more points, in steps of ten.
    BOOL GrowInSteps(int nExtra);
    void Bake();
    void RemovePoints(int nFirst, int nCount);
    void RemoveSubPolygonIfShort(int nSubPolygon);
    void RemoveSubPolygon(int nSubPolygon);
    RECT GetSubPolygonBounds(int nSubPolygon) const;
    void StorePolyFields(CTkArchive& ar);
    void LoadPolyFields(CTkArchive& ar);

    int m_nCurrentSubPolygon = 0;
    // One entry per sub-polygon; they add up to m_nPoints.
    std::vector<INT> m_pnSubPolygonCounts;
    int m_nPoints = 0;
    // Its size is the capacity; the first m_nPoints are the points, untransformed.
    std::vector<POINT> m_pPoints;
    BOOL m_bClosed = FALSE;
    CVxTransform m_transform;
};
