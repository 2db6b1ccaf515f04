#pragma once
// The pen selected into a DC as it draws on the device. Cosmetic pens (width 0
// or 1 and PS_COSMETIC extended pens) are one pixel wide whatever the mapping,
// with their styles in pixels; geometric pens (wider ones and PS_GEOMETRIC
// extended pens) have their width scaled by the mapping's x axis, their end caps
// and joins, and styles in multiples of their width. A wide LOGPEN draws solid
// whatever its style, as GDI draws one.

#include "platform/gdi/GdiTypes.h"

#include <QBrush>
#include <QPen>

#include <optional>
#include <vector>

class CTkDC;
class CTkQtPaintColours;
struct CTkGdiObject;

class CTkQtPaintPen {
public:
    // nHatchSize: the side of a hatch tile in device pixels, as for brushes.
    CTkQtPaintPen(const CTkDC& dc, const CTkQtPaintColours& colours, int nHatchSize = 8);

    bool IsNull() const { return m_bNull; }
    bool IsCosmetic() const { return m_bCosmetic; }
    bool IsStyled() const { return !m_dashes.isEmpty(); }
    bool IsSolidColour() const { return m_bPlain || m_brush.style() == Qt::SolidPattern; }
    int Width() const { return m_width; }  // device pixels
    QRgb Colour() const { return m_bPlain ? m_colour : m_brush.color().rgb(); }
    // A cosmetic pen's dash and gap lengths in pixels; empty when it is solid.
    std::vector<int> Runs() const;
    // How far a closed figure moves inwards so that an inside-frame pen stays in
    // its box.
    double InsideFrameInset() const;

    QPen MakePen() const;
    // The pen that paints the gaps of a styled pen in the background colour.
    std::optional<QPen> MakeGapPen(QRgb background) const;

private:
    void FromLogPen(const CTkDC& dc, const LOGPEN& pen, const CTkQtPaintColours& colours);
    bool FromExtPen(const CTkDC& dc, const CTkGdiObject& pen, const CTkQtPaintColours& colours,
                    int nHatchSize);
    QBrush Brush() const { return m_bPlain ? QBrush(QColor(m_colour)) : m_brush; }
    QPen Styled(const QBrush& brush, const QVector<qreal>& dashes, qreal offset) const;

    bool m_bNull = false;
    bool m_bCosmetic = true;
    bool m_bInsideFrame = false;
    int m_width = 1;
    // A plain colour needs no brush until a QPen is made: most lines are drawn
    // pixel by pixel without one.
    bool m_bPlain = true;
    QRgb m_colour = qRgb(0, 0, 0);
    QBrush m_brush;
    QVector<qreal> m_dashes;
    Qt::PenCapStyle m_cap = Qt::FlatCap;
    Qt::PenJoinStyle m_join = Qt::RoundJoin;
    qreal m_miterLimit = 10;
};
