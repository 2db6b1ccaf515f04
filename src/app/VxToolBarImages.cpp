#include "app/VxToolBarImages.h"

#include "resources/VxResourceIds.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <span>

namespace {

// Images are designed on a 16-unit grid and drawn at 16 and 24 pixels with
// lines snapped to whole pixels, so that neither size is blurred.
class CCanvas {
public:
    CCanvas(QPainter& painter, int nSize) : m_p(painter), m_s(nSize / 16.0), m_w(nSize >= 24 ? 2 : 1)
    {
        m_p.setRenderHint(QPainter::Antialiasing);
    }

    // A grid line's centre in pixels.
    double L(double v) const { return std::round(v * m_s) + (m_w == 1 ? 0.5 : 0.0); }
    // A grid edge in pixels.
    double E(double v) const { return std::round(v * m_s); }
    int PenWidth() const { return m_w; }
    QPainter& P() { return m_p; }

    QPen Pen(QColor color, double scale = 1.0, Qt::PenStyle style = Qt::SolidLine) const
    {
        QPen pen(color, m_w * scale, style, Qt::FlatCap, Qt::MiterJoin);
        return pen;
    }
    void Line(double x0, double y0, double x1, double y1, QColor color, double scale = 1.0)
    {
        m_p.setPen(Pen(color, scale));
        m_p.drawLine(QPointF(L(x0), L(y0)), QPointF(L(x1), L(y1)));
    }
    void Fill(double x0, double y0, double x1, double y1, QColor color)
    {
        m_p.fillRect(QRectF(E(x0), E(y0), E(x1) - E(x0), E(y1) - E(y0)), color);
    }
    // The outline runs on the cells x0..x1 and y0..y1 inclusive.
    void Frame(double x0, double y0, double x1, double y1, QColor line, QColor fill = Qt::transparent)
    {
        if (fill.alpha() > 0) Fill(x0, y0, x1 + 1, y1 + 1, fill);
        m_p.setPen(Pen(line));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(QRectF(QPointF(L(x0), L(y0)), QPointF(L(x1), L(y1))));
    }
    void Ellipse(double x0, double y0, double x1, double y1, QColor line, QColor fill = Qt::transparent)
    {
        m_p.setPen(Pen(line));
        m_p.setBrush(fill.alpha() > 0 ? QBrush(fill) : QBrush());
        m_p.drawEllipse(QRectF(QPointF(L(x0), L(y0)), QPointF(L(x1), L(y1))));
    }
    QPolygonF Poly(std::initializer_list<QPointF> points) const
    {
        QPolygonF poly;
        for (const QPointF& pt : points) poly << QPointF(L(pt.x()), L(pt.y()));
        return poly;
    }
    void Polyline(std::initializer_list<QPointF> points, QColor color, double scale = 1.0)
    {
        m_p.setPen(Pen(color, scale));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPolyline(Poly(points));
    }
    void Polygon(std::initializer_list<QPointF> points, QColor line, QColor fill)
    {
        m_p.setPen(line.alpha() > 0 ? Pen(line) : QPen(Qt::NoPen));
        m_p.setBrush(fill);
        m_p.drawPolygon(Poly(points));
    }
    // A point handle: a small square centred on x, y.
    void Handle(double x, double y, QColor fill)
    {
        const double r = m_w == 1 ? 1.5 : 2.5;
        m_p.setPen(Pen(Qt::black, 0.75));
        m_p.setBrush(fill);
        m_p.drawRect(QRectF(L(x) - r, L(y) - r, 2 * r, 2 * r));
    }
    void Text(const QRectF& box, const QString& text, QColor color, int nFlags, bool bBold = true,
              bool bItalic = false, bool bUnderline = false, const char* pszFamily = "DejaVu Sans")
    {
        QFont font(QString::fromLatin1(pszFamily));
        font.setPixelSize(int(std::round(box.height() * m_s)));
        font.setBold(bBold);
        font.setItalic(bItalic);
        font.setUnderline(bUnderline);
        m_p.setFont(font);
        m_p.setPen(color);
        m_p.drawText(QRectF(E(box.left()), E(box.top()), E(box.width()), E(box.height())), nFlags, text);
    }
    // An arrow head at x, y pointing along dx, dy (unit steps).
    void Head(double x, double y, double dx, double dy, QColor color, double size = 3)
    {
        const double px = -dy;
        const double py = dx;
        Polygon({{x + dx, y + dy}, {x - dx * size + px * size, y - dy * size + py * size},
                 {x - dx * size - px * size, y - dy * size - py * size}},
                Qt::transparent, color);
    }

private:
    QPainter& m_p;
    double m_s;
    int m_w;
};

const QColor kInk(40, 40, 40);
const QColor kBlue(40, 100, 200);
const QColor kPaper(Qt::white);
const QColor kRed(210, 40, 40);
const QColor kGreen(30, 150, 60);
const QColor kYellow(240, 200, 80);
const QColor kGrey(150, 150, 150);

void Page(CCanvas& c, double x0, double y0, double x1, double y1)
{
    c.Polygon({{x0, y0}, {x1 - 3, y0}, {x1, y0 + 3}, {x1, y1}, {x0, y1}}, kInk, kPaper);
    c.Polyline({{x1 - 3, y0}, {x1 - 3, y0 + 3}, {x1, y0 + 3}}, kInk);
}

void Magnifier(CCanvas& c, bool bPlus)
{
    c.Line(9.5, 9.5, 14, 14, kInk, 2);
    c.Ellipse(1, 1, 10, 10, kInk, kPaper);
    c.Line(3, 5.5, 8, 5.5, kBlue);
    if (bPlus) c.Line(5.5, 3, 5.5, 8, kBlue);
}

// A curved arrow bending left (undo) or right (redo).
void TurnArrow(CCanvas& c, bool bLeft)
{
    QPainterPath path;
    const double sx = bLeft ? 1 : -1;
    auto X = [&](double x) { return bLeft ? x : 16 - 1 - x; };
    path.moveTo(c.L(X(12)), c.L(13));
    path.cubicTo(c.L(X(15)), c.L(7), c.L(X(10)), c.L(3), c.L(X(4)), c.L(5));
    c.P().setPen(c.Pen(kBlue, 1.5));
    c.P().setBrush(Qt::NoBrush);
    c.P().drawPath(path);
    c.Head(X(4), 5, -sx * 0.9, 0.3, kBlue, 3);
}

// A round arrow turning clockwise or counterclockwise.
void RoundArrow(CCanvas& c, bool bClockwise)
{
    c.P().setPen(c.Pen(kInk, 1.2));
    c.P().setBrush(Qt::NoBrush);
    const QRectF box(QPointF(c.L(2), c.L(3)), QPointF(c.L(13), c.L(14)));
    c.P().drawArc(box, (bClockwise ? 180 : 0) * 16, (bClockwise ? -250 : 250) * 16);
    if (bClockwise)
        c.Head(2.5, 8.5, 0, -1, kRed);
    else
        c.Head(12.5, 8.5, 0, -1, kRed);
}

void FlipShapes(CCanvas& c, bool bHorizontal)
{
    if (bHorizontal) {
        c.Polygon({{1, 3}, {6, 8}, {1, 13}}, kInk, kBlue);
        c.Polygon({{14, 3}, {9, 8}, {14, 13}}, kInk, kPaper);
        c.Line(7.5, 1, 7.5, 15, kGrey);
    } else {
        c.Polygon({{3, 1}, {8, 6}, {13, 1}}, kInk, kBlue);
        c.Polygon({{3, 14}, {8, 9}, {13, 14}}, kInk, kPaper);
        c.Line(1, 7.5, 15, 7.5, kGrey);
    }
}

void Stack(CCanvas& c, bool bFront)
{
    if (bFront) {
        c.Frame(1, 1, 9, 9, kInk, kPaper);
        c.Frame(6, 6, 14, 14, kInk, kBlue);
    } else {
        c.Frame(6, 6, 14, 14, kInk, kBlue);
        c.Frame(1, 1, 9, 9, kInk, kPaper);
    }
}

// A polygon with its point handles; the current one filled.
void PointShape(CCanvas& c, double dx)
{
    c.Polyline({{1 + dx, 12}, {4 + dx, 3}, {10 + dx, 6}, {12 + dx, 13}}, kInk);
    c.Handle(1 + dx, 12, kPaper);
    c.Handle(4 + dx, 3, kPaper);
    c.Handle(10 + dx, 6, kInk);
    c.Handle(12 + dx, 13, kPaper);
}

void SubPolygons(CCanvas& c)
{
    c.Polygon({{1, 6}, {5, 1}, {9, 6}, {5, 9}}, kInk, kPaper);
    c.Polygon({{5, 11}, {9, 7}, {12, 11}, {8, 14}}, kInk, QColor(170, 200, 240));
}

void PointAction(CCanvas& c, unsigned nID)
{
    const bool bSub = nID >= ID_SUBPOLYGON_NEXT;
    const unsigned nAction = (nID - ID_POINT_NEXT) % 4;
    if (bSub) {
        SubPolygons(c);
    } else {
        c.Polyline({{1, 12}, {5, 4}, {10, 9}}, kInk);
        c.Handle(1, 12, kPaper);
        c.Handle(5, 4, kInk);
        c.Handle(10, 9, kPaper);
    }
    switch (nAction) {
    case 0:  // next
        c.Line(10, 2, 14, 2, kGreen);
        c.Head(14, 2, 1, 0, kGreen, 2);
        break;
    case 1:  // previous
        c.Line(11, 2, 15, 2, kGreen);
        c.Head(11, 2, -1, 0, kGreen, 2);
        break;
    case 2:  // insert
        c.Line(12.5, 0.5, 12.5, 5.5, kGreen);
        c.Line(10, 3, 15, 3, kGreen);
        break;
    default:  // delete
        c.Line(10, 1, 14, 5, kRed);
        c.Line(14, 1, 10, 5, kRed);
        break;
    }
}

void Align(CCanvas& c, int nAlign)
{
    const double widths[] = {13, 9, 13, 7};
    double y = 2;
    for (double w : widths) {
        const double x0 = nAlign == 0 ? 1 : nAlign == 1 ? (15 - w) / 2 : 14 - w;
        c.Line(x0, y, x0 + w, y, kInk);
        y += 3.5;
    }
}

void LineStyle(CCanvas& c, unsigned nStyle)
{
    static const std::array<QVector<qreal>, 5> kDashes{{
        {}, {3, 1.5}, {1, 1}, {3, 1.5, 1, 1.5}, {3, 1, 1, 1, 1, 1},
    }};
    if (nStyle == 5) {  // no line
        c.Line(1, 7.5, 14, 7.5, QColor(200, 200, 200), 1.5);
        c.Line(4, 4, 11, 11, kRed);
        c.Line(11, 4, 4, 11, kRed);
        return;
    }
    QPen pen = c.Pen(kInk, 1.5);
    if (!kDashes[nStyle].isEmpty()) pen.setDashPattern(kDashes[nStyle]);
    c.P().setPen(pen);
    c.P().drawLine(QPointF(c.E(0.5), c.L(7.5)), QPointF(c.E(15.5), c.L(7.5)));
}

void Grid(CCanvas& c, bool bSnap)
{
    for (double v = 2; v <= 14; v += 4) {
        c.Line(v, 1, v, 14, kGrey, 0.6);
        c.Line(1, v, 14, v, kGrey, 0.6);
    }
    if (bSnap) {
        c.Line(3, 13, 10, 6, kBlue, 1.5);
        c.Handle(10, 6, kRed);
    }
}

void DrawTool(CCanvas& c, unsigned nID)
{
    const QColor fill(170, 200, 240);
    switch (nID) {
    case ID_TOOL_SELECTION:
        c.Polygon({{4, 1}, {4, 13}, {7, 10}, {9, 15}, {11, 14}, {9, 9}, {13, 9}}, kInk, kPaper);
        break;
    case ID_TOOL_LINE: c.Line(2, 13, 13, 2, kInk, 1.2); break;
    case ID_TOOL_POLYLINE: c.Polyline({{1, 13}, {5, 3}, {9, 11}, {14, 2}}, kInk, 1.2); break;
    case ID_TOOL_RECTANGLE: c.Frame(1, 3, 14, 12, kInk, fill); break;
    case ID_TOOL_ELLIPSE: c.Ellipse(1, 3, 14, 12, kInk, fill); break;
    case ID_TOOL_POLYGON: c.Polygon({{1, 8}, {6, 1}, {14, 4}, {12, 14}, {4, 13}}, kInk, fill); break;
    case ID_TOOL_TEXT: c.Text(QRectF(0, 0, 16, 16), QStringLiteral("A"), kInk, Qt::AlignCenter, true, false, false, "DejaVu Serif"); break;
    default: {  // arc
        c.P().setPen(c.Pen(kInk, 1.2));
        c.P().setBrush(Qt::NoBrush);
        c.P().drawArc(QRectF(QPointF(c.L(1), c.L(3)), QPointF(c.L(14), c.L(20))), 0, 180 * 16);
        break;
    }
    }
}

bool Standard(CCanvas& c, unsigned nID)
{
    switch (nID) {
    case ID_FILE_NEW: Page(c, 3, 1, 13, 14); break;
    case ID_FILE_OPEN:
        c.Polygon({{1, 3}, {6, 3}, {7, 4}, {13, 4}, {13, 13}, {1, 13}}, kInk, QColor(250, 220, 120));
        c.Polygon({{3, 7}, {15, 7}, {13, 13}, {1, 13}}, kInk, kYellow);
        break;
    case ID_FILE_SAVE:
        c.Frame(1, 1, 14, 14, kInk, kBlue);
        c.Fill(4, 2, 12, 7, kPaper);
        c.Fill(4, 10, 12, 15, QColor(210, 210, 210));
        c.Fill(9, 11, 11, 14, kInk);
        break;
    case ID_FILE_PRINT_DIRECT:
        c.Frame(4, 1, 11, 6, kInk, kPaper);
        c.Frame(1, 6, 14, 11, kInk, QColor(200, 200, 200));
        c.Frame(4, 10, 11, 14, kInk, kPaper);
        c.Fill(12, 8, 13, 9, kGreen);
        break;
    case ID_EDIT_CUT:
        c.Line(5, 1, 10, 10, kInk);
        c.Line(10, 1, 5, 10, kInk);
        c.Ellipse(1, 10, 5, 14, kRed);
        c.Ellipse(10, 10, 14, 14, kRed);
        break;
    case ID_EDIT_COPY:
        Page(c, 1, 1, 9, 11);
        Page(c, 6, 4, 14, 14);
        break;
    case ID_EDIT_PASTE:
        c.Frame(1, 2, 11, 14, kInk, QColor(190, 140, 80));
        c.Frame(4, 1, 8, 3, kInk, QColor(200, 200, 200));
        Page(c, 6, 6, 14, 15);
        break;
    case ID_EDIT_UNDO: TurnArrow(c, true); break;
    case ID_EDIT_REDO: TurnArrow(c, false); break;
    case ID_HELP_FINDER:
        c.Ellipse(1, 1, 14, 14, kBlue, kBlue);
        c.Text(QRectF(0, 1, 16, 14), QStringLiteral("?"), kPaper, Qt::AlignCenter);
        break;
    case ID_CONTEXT_HELP:  // a pointer with a question mark
        c.Polygon({{1, 1}, {1, 11}, {4, 8}, {6, 12}, {8, 11}, {6, 7}, {9, 7}}, kInk, kPaper);
        c.Text(QRectF(8, 2, 8, 13), QStringLiteral("?"), kBlue, Qt::AlignCenter);
        break;
    default: return false;
    }
    return true;
}

// Commands whose image is one call.
bool DrawMisc(CCanvas& c, unsigned nID)
{
    switch (nID) {
    case ID_TEXT_BOLD: c.Text(QRectF(0, 1, 16, 14), QStringLiteral("B"), kInk, Qt::AlignCenter); return true;
    case ID_TEXT_ITALIC:
        c.Text(QRectF(0, 1, 16, 14), QStringLiteral("I"), kInk, Qt::AlignCenter, true, true, false, "DejaVu Serif");
        return true;
    case ID_TEXT_UNDERLINE:
        c.Text(QRectF(0, 0, 16, 13), QStringLiteral("U"), kInk, Qt::AlignCenter);
        c.Line(3, 14, 12, 14, kInk);
        return true;
    case ID_TEXT_ALIGN_LEFT: Align(c, 0); return true;
    case ID_TEXT_ALIGN_CENTER: Align(c, 1); return true;
    case ID_TEXT_ALIGN_RIGHT: Align(c, 2); return true;
    case ID_VIEW_ZOOM_IN: Magnifier(c, true); return true;
    case ID_VIEW_ZOOM_OUT: Magnifier(c, false); return true;
    case ID_VIEW_FULL_PAGE:
        c.Frame(1, 1, 14, 14, kGrey);
        Page(c, 4, 3, 11, 12);
        return true;
    case ID_VIEW_ZOOM_CUSTOM: Magnifier(c, false); return true;
    case ID_ARRANGE_BRING_TO_FRONT: Stack(c, true); return true;
    case ID_ARRANGE_SEND_TO_BACK: Stack(c, false); return true;
    case ID_ARRANGE_FLIP_HORIZONTAL: FlipShapes(c, true); return true;
    case ID_ARRANGE_FLIP_VERTICAL: FlipShapes(c, false); return true;
    case ID_EDIT_TRIM_PICTURE:
        c.Frame(4, 4, 11, 11, kInk, QColor(170, 200, 240));
        c.Polyline({{1, 3}, {3, 3}, {3, 1}}, kRed);
        c.Polyline({{12, 1}, {12, 3}, {14, 3}}, kRed);
        c.Polyline({{1, 12}, {3, 12}, {3, 14}}, kRed);
        c.Polyline({{12, 14}, {12, 12}, {14, 12}}, kRed);
        return true;
    case ID_FORMAT_TRANSPARENT:
        c.Text(QRectF(0, 0, 16, 15), QStringLiteral("ab"), kInk, Qt::AlignCenter);
        return true;
    case ID_FORMAT_OPAQUE:
        c.Fill(1, 2, 15, 14, kYellow);
        c.Text(QRectF(0, 0, 16, 15), QStringLiteral("ab"), kInk, Qt::AlignCenter);
        return true;
    case ID_FORMAT_COUNTERCLOCKWISE: RoundArrow(c, false); return true;
    case ID_FORMAT_CLOCKWISE: RoundArrow(c, true); return true;
    case ID_EDIT_POINTS: PointShape(c, 1); return true;
    case ID_VIEW_DISPLAY_GRID: Grid(c, false); return true;
    case ID_VIEW_SNAP_TO_GRID: Grid(c, true); return true;
    case ID_COLOR_CUSTOM: {
        QConicalGradient wheel(c.E(8), c.E(8), 0);
        const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
        for (int i = 0; i < 7; ++i) wheel.setColorAt(i / 6.0, stops[i]);
        c.P().setPen(c.Pen(kInk));
        c.P().setBrush(wheel);
        c.P().drawEllipse(QRectF(QPointF(c.L(1), c.L(1)), QPointF(c.L(14), c.L(14))));
        return true;
    }
    default: return false;
    }
}

QPixmap Blank(int nSize)
{
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// draw returns false when it has no image for the id.
template <typename Draw>
QIcon BothSizes(Draw draw)
{
    QIcon icon;
    for (int nSize : {16, 24}) {
        QPixmap pixmap = Blank(nSize);
        QPainter painter(&pixmap);
        CCanvas canvas(painter, nSize);
        if (!draw(canvas)) return {};
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QColor FromColorRef(COLORREF color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// Hatch lines every four units over the square 1..14.
void Hatch(CCanvas& c, int nHatch)
{
    c.P().save();
    c.P().setClipRect(QRectF(c.E(1), c.E(1), c.E(14) - c.E(1), c.E(14) - c.E(1)));
    const bool bHorizontal = nHatch == HS_HORIZONTAL || nHatch == HS_CROSS;
    const bool bVertical = nHatch == HS_VERTICAL || nHatch == HS_CROSS;
    const bool bDown = nHatch == HS_FDIAGONAL || nHatch == HS_DIAGCROSS;
    const bool bUp = nHatch == HS_BDIAGONAL || nHatch == HS_DIAGCROSS;
    for (double v = 3; v < 15; v += 4) {
        if (bHorizontal) c.Line(1, v, 14, v, kInk);
        if (bVertical) c.Line(v, 1, v, 14, kInk);
    }
    for (double v = -12; v < 16; v += 4) {
        if (bDown) c.Line(v, 0, v + 16, 16, kInk);
        if (bUp) c.Line(v, 16, v + 16, 0, kInk);
    }
    c.P().restore();
}

}  // namespace

QIcon VxToolBarIcon(unsigned nID)
{
    if (nID >= ID_LINE_STYLE_FIRST && nID <= ID_LINE_STYLE_LAST)
        return BothSizes([nID](CCanvas& c) { return LineStyle(c, nID - ID_LINE_STYLE_FIRST), true; });
    if ((nID >= ID_TOOL_SELECTION && nID <= ID_TOOL_TEXT) || nID == ID_TOOL_ARC)
        return BothSizes([nID](CCanvas& c) { return DrawTool(c, nID), true; });
    if (nID >= ID_POINT_NEXT && nID <= ID_SUBPOLYGON_DELETE)
        return BothSizes([nID](CCanvas& c) { return PointAction(c, nID), true; });
    if (nID >= ID_COLOR_TARGET_LINE && nID <= ID_COLOR_TARGET_BACKGROUND)
        return VxColorTargetIcon(nID, 0);
    if (nID >= ID_COLOR_FIRST && nID <= ID_COLOR_LAST) return VxColorSwatchIcon(0xFFFFFF);
    // Solid, none, the six hatches, then the two bitmap patterns.
    if (nID >= ID_FILL_FIRST && nID <= ID_FILL_LAST) {
        const unsigned n = nID - ID_FILL_FIRST;
        const UINT nStyle = n == 0 ? BS_SOLID : n == 1 ? BS_HOLLOW : n < 8 ? BS_HATCHED : BS_PATTERN;
        return VxFillIcon({nStyle, 0, n >= 2 && n < 8 ? std::uint32_t(n - 2) : 0});
    }
    return BothSizes([nID](CCanvas& c) { return Standard(c, nID) || DrawMisc(c, nID); });
}

QIcon VxColorSwatchIcon(COLORREF color)
{
    return BothSizes([color](CCanvas& c) {
        c.Frame(1, 1, 14, 13, QColor(90, 90, 90), FromColorRef(color));
        return true;
    });
}

QIcon VxColorTargetIcon(unsigned nID, COLORREF color)
{
    return BothSizes([nID, color](CCanvas& c) {
        switch (nID) {
        case ID_COLOR_TARGET_LINE: c.Line(2, 9, 12, 1, kInk, 1.5); break;
        case ID_COLOR_TARGET_FILL: c.Frame(2, 1, 12, 8, kInk, QColor(170, 200, 240)); break;
        case ID_COLOR_TARGET_TEXT: c.Text(QRectF(0, -1, 16, 12), QStringLiteral("A"), kInk, Qt::AlignCenter); break;
        default:
            c.Fill(2, 1, 14, 10, QColor(200, 200, 200));
            c.Text(QRectF(0, -1, 16, 12), QStringLiteral("a"), kInk, Qt::AlignCenter);
            break;
        }
        c.Frame(1, 11, 14, 14, QColor(90, 90, 90), FromColorRef(color));
        return true;
    });
}

QIcon VxFillIcon(const LOGBRUSH& brush)
{
    return BothSizes([brush](CCanvas& c) {
        switch (brush.lbStyle) {
        case BS_SOLID: c.Fill(1, 1, 15, 15, kInk); break;
        case BS_HOLLOW: break;
        case BS_HATCHED: Hatch(c, int(brush.lbHatch)); break;
        default:  // a bitmap pattern: small bricks
            for (int row = 0; row < 4; ++row) {
                const double y = 1 + row * 3.5;
                c.Line(1, y, 14, y, kInk, 0.75);
                for (double x = (row % 2 ? 3 : 6); x < 14; x += 6) c.Line(x, y, x, y + 3.5, kInk, 0.75);
            }
            break;
        }
        c.Frame(1, 1, 14, 14, kInk);
        return true;
    });
}
