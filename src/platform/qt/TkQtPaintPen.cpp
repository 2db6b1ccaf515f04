#include "platform/qt/TkQtPaintPen.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtPaintBrush.h"
#include "platform/qt/TkQtPaintColours.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// No device needs a wider pen; it keeps the stroker's arithmetic finite.
constexpr double kMaxWidth = 1 << 16;
// Qt refuses empty dashes; a user style may ask for them.
constexpr qreal kShortestDash = 1.0 / 64;

// A logical width in device pixels along the mapping's x axis, at least 1.
int DeviceWidth(const CTkDC& dc, double logical)
{
    const double scale = std::fabs(double(dc.GetViewportExt().cx) / dc.GetWindowExt().cx);
    const double width = std::round(std::fabs(logical) * scale);
    return int(std::clamp(width, 1.0, kMaxWidth));
}

// The display's dash lengths for cosmetic pens, in pixels.
QVector<qreal> CosmeticDashes(UINT style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
    }
}

// Geometric dash lengths, in pen widths.
QVector<qreal> GeometricDashes(UINT style)
{
    switch (style) {
    case PS_DASH: return {3, 1};
    case PS_DOT: return {1, 1};
    case PS_DASHDOT: return {3, 1, 1, 1};
    case PS_DASHDOTDOT: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

Qt::PenCapStyle CapOf(DWORD style)
{
    switch (style & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE: return Qt::SquareCap;
    case PS_ENDCAP_FLAT: return Qt::FlatCap;
    default: return Qt::RoundCap;
    }
}

Qt::PenJoinStyle JoinOf(DWORD style)
{
    switch (style & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL: return Qt::BevelJoin;
    // GDI's mitre limit is the mitre's length over the width, and beyond it the
    // join is bevelled: the SVG rule.
    case PS_JOIN_MITER: return Qt::SvgMiterJoin;
    default: return Qt::RoundJoin;
    }
}

}  // namespace

CTkQtPaintPen::CTkQtPaintPen(const CTkDC& dc, const CTkQtPaintColours& colours, int nHatchSize)
    : m_miterLimit(dc.GetMiterLimit())
{
    const CTkGdiObject* pPen = TkLookupGdiObject(dc.GetCurrentObject(OBJ_PEN));
    if (pPen != nullptr && pPen->type == OBJ_EXTPEN && FromExtPen(dc, *pPen, colours, nHatchSize))
        return;
    if (pPen != nullptr && pPen->type == OBJ_PEN) {
        FromLogPen(dc, pPen->pen, colours);
        return;
    }
    m_bNull = true;
}

void CTkQtPaintPen::FromLogPen(const CTkDC& dc, const LOGPEN& pen,
                               const CTkQtPaintColours& colours)
{
    const UINT style = pen.lopnStyle & PS_STYLE_MASK;
    m_bNull = style == PS_NULL;
    m_colour = colours.Of(pen.lopnColor);
    m_width = pen.lopnWidth.x > 1 ? DeviceWidth(dc, pen.lopnWidth.x) : 1;
    m_bCosmetic = m_width <= 1;
    m_bInsideFrame = style == PS_INSIDEFRAME;
    if (m_bCosmetic) {
        m_dashes = CosmeticDashes(style);
        m_cap = Qt::FlatCap;
    } else {
        m_cap = Qt::RoundCap;
        m_join = Qt::RoundJoin;
    }
}

bool CTkQtPaintPen::FromExtPen(const CTkDC& dc, const CTkGdiObject& pen,
                               const CTkQtPaintColours& colours, int nHatchSize)
{
    const DWORD style = pen.extPen.elpPenStyle;
    const UINT kind = style & PS_STYLE_MASK;
    const auto brush = TkQtMakeBrush(pen, colours, nHatchSize);
    m_bNull = kind == PS_NULL || !brush;
    if (brush) {
        m_bPlain = false;
        m_brush = *brush;
    }
    m_bCosmetic = (style & PS_TYPE_MASK) != PS_GEOMETRIC;
    m_width = m_bCosmetic ? 1 : DeviceWidth(dc, double(pen.extPen.elpWidth));
    m_bCosmetic = m_bCosmetic || m_width <= 1;
    m_bInsideFrame = kind == PS_INSIDEFRAME;
    m_cap = m_bCosmetic ? Qt::FlatCap : CapOf(style);
    m_join = JoinOf(style);
    if (kind != PS_USERSTYLE) {
        m_dashes = m_bCosmetic ? CosmeticDashes(kind) : GeometricDashes(kind);
        return true;
    }
    // User styles are pixels for cosmetic pens and logical units for geometric
    // ones, whose dashes Qt measures in pen widths.
    const double scale = std::fabs(double(dc.GetViewportExt().cx) / dc.GetWindowExt().cx);
    for (const DWORD entry : pen.styleEntries) {
        const double length = m_bCosmetic ? entry : entry * scale / m_width;
        m_dashes.push_back(std::max<qreal>(length, kShortestDash));
    }
    if (m_dashes.size() % 2 != 0)  // an odd style repeats with dashes and gaps swapped
        m_dashes += QVector<qreal>(m_dashes);
    return true;
}

double CTkQtPaintPen::InsideFrameInset() const
{
    return m_bInsideFrame && !m_bCosmetic ? (m_width - 1) / 2.0 : 0.0;
}

std::vector<int> CTkQtPaintPen::Runs() const
{
    std::vector<int> runs;
    for (const qreal length : m_dashes)
        runs.push_back(int(std::lround(std::min<qreal>(length, kMaxWidth))));
    return runs;
}

QPen CTkQtPaintPen::Styled(const QBrush& brush, const QVector<qreal>& dashes,
                           qreal offset) const
{
    QPen pen(brush, m_bCosmetic ? 0 : m_width, Qt::SolidLine, m_cap, m_join);
    pen.setCosmetic(m_bCosmetic);
    pen.setMiterLimit(m_miterLimit);
    if (!dashes.isEmpty()) {
        pen.setDashPattern(dashes);
        pen.setDashOffset(offset);
    }
    return pen;
}

QPen CTkQtPaintPen::MakePen() const { return Styled(Brush(), m_dashes, 0); }

std::optional<QPen> CTkQtPaintPen::MakeGapPen(QRgb background) const
{
    if (!IsStyled())
        return std::nullopt;
    // The same pattern begun at its first gap paints exactly what the pen leaves.
    QVector<qreal> gaps(m_dashes.begin() + 1, m_dashes.end());
    gaps.push_back(m_dashes.front());
    const qreal total = std::accumulate(m_dashes.begin(), m_dashes.end(), qreal(0));
    QPen pen = Styled(QBrush(QColor(background)), gaps, total - m_dashes.front());
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}
