#pragma once
// An elliptic arc along the ellipse inscribed in m_rect, from m_ptStart to
// m_ptEnd in the "Global" arc direction. A connected arc (ArcTo) first draws a
// line from m_ptCurrent to its start.
//
// The radial points are kept on the ellipse, where the ray from the centre
// through the given point meets it: GDI starts and ends an arc on those rays,
// so the arc drawn is the one the points were given for.

#include "graphics/VxGraphicWithOutline.h"

class CVxArc : public CVxGraphicWithOutline {
    TK_DECLARE_SERIAL(CVxArc)
public:
    CVxArc() = default;
    // From the left middle round to the top middle.
    explicit CVxArc(const RECT& rect);
    CVxArc(const RECT& rect, POINT ptStart, POINT ptEnd, BOOL bArcTo, POINT ptCurrent);

    void Serialize(CTkArchive& ar) override;
    POINT GetStartPoint() override;
    void Offset(int dx, int dy) override;
    // A flip on one axis turns the arc's direction, so the same part of the
    // ellipse is drawn.
    void Scale(int nw, int nh, int ow, int oh) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    // Includes the current position of a connected arc.
    RECT GetBounds() override;
    int GetHandleCount() const override;
    POINT GetHandlePoint(int nHandle) override;
    BOOL ConstrainHandlePoint(int nHandle, POINT& point) override;
    void MoveHandle(int nHandle, POINT point) override;
    std::unique_ptr<CVxGraphic> Clone() override;
    std::string GetTypeName() const override;
    BOOL CanEdit() const override;
    void Edit(CVxView* pView) override;

    BOOL IsArcTo() const { return m_bArcTo; }
    POINT GetArcStart() const { return m_ptStart; }
    POINT GetArcEnd() const { return m_ptEnd; }
    POINT GetCurrentPoint() const { return m_ptCurrent; }
    // Where the ray from the centre through point meets the current ellipse,
    // truncated. A point that is already such a truncation stays put, so
    // projecting twice gives what projecting once gave.
    POINT ProjectOntoEllipse(POINT point);

protected:
    // Selects the arc direction into pDC and answers the box to hand to GDI.
    RECT SelectArcGeometry(CTkDC* pDC);

private:
    void TurnDirection();

    static constexpr int kStartHandle = VX_HANDLE_FIRST_POINT;
    static constexpr int kEndHandle = VX_HANDLE_FIRST_POINT + 1;
    static constexpr int kCurrentHandle = VX_HANDLE_FIRST_POINT + 2;

    // While the box is scaled, the radial points are mapped with it and not
    // projected again.
    bool m_bScaling = false;

    bool m_bArcTo = false;
    POINT m_ptCurrent{0, 0};
    POINT m_ptStart{0, 0};
    POINT m_ptEnd{0, 0};
};
