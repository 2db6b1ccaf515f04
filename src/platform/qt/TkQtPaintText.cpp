#include "platform/qt/TkQtPaintText.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

// Beyond this a font is no use to any device, and the sums below stay exact.
constexpr double kMaxPixels = 1 << 20;
// Width stretches are measured on a font this many times larger, where the
// rounding of the average character width no longer shows.
constexpr LONG kStretchProbe = 64;
constexpr BYTE NONANTIALIASED_QUALITY = 3;

double AxisScale(LONG viewport, LONG window) { return double(viewport) / window; }

// A logical font length in device pixels, keeping its sign; a length that is not
// zero does not become zero.
bool DeviceLength(LONG logical, double scale, LONG* pDevice)
{
    double device = std::round(logical * scale);
    if (device == 0 && logical != 0)
        device = logical < 0 ? -1 : 1;
    if (!(std::fabs(device) <= kMaxPixels))
        return false;
    *pDevice = LONG(device);
    return true;
}

std::optional<int> ReadS16(const QByteArray& table, qsizetype offset)
{
    if (offset < 0 || table.size() < offset + 2)
        return std::nullopt;
    const int value = (int(std::uint8_t(table[offset])) << 8) | std::uint8_t(table[offset + 1]);
    return value >= 0x8000 ? value - 0x10000 : value;
}

bool IsHighSurrogate(WCHAR c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(WCHAR c) { return c >= 0xDC00 && c <= 0xDFFF; }

// How many code units the character at unit takes.
UINT UnitsAt(UINT options, const WCHAR* text, UINT unit, UINT count)
{
    if ((options & ETO_GLYPH_INDEX) == 0 && unit + 1 < count && IsHighSurrogate(text[unit]) &&
        IsLowSurrogate(text[unit + 1]))
        return 2;
    return 1;
}

}  // namespace

CTkQtPaintText::CTkQtPaintText(const CTkDC& dc, ITkFontEngine& metrics, CTkQtFontEngine& faces)
    : m_dc(dc), m_metrics(metrics), m_faces(faces)
{
}

bool CTkQtPaintText::MakeDeviceFont()
{
    const CTkGdiObject* pFont = TkLookupGdiObject(m_dc.GetCurrentObject(OBJ_FONT));
    if (pFont == nullptr || pFont->type != OBJ_FONT)
        return false;
    m_font = pFont->font;
    const SIZE& v = m_dc.GetViewportExt();
    const SIZE& w = m_dc.GetWindowExt();
    const double sx = std::fabs(AxisScale(v.cx, w.cx));
    const double sy = std::fabs(AxisScale(v.cy, w.cy));
    // A width is a length whatever its sign, as GDI takes it.
    const LONG width = m_font.lfWidth == std::numeric_limits<LONG>::min()
                           ? std::numeric_limits<LONG>::max()
                           : std::abs(m_font.lfWidth);
    return DeviceLength(m_font.lfHeight, sy, &m_font.lfHeight) &&
           DeviceLength(width, sx, &m_font.lfWidth);
}

bool CTkQtPaintText::MakeFace()
{
    TEXTMETRICW tm{};
    if (!m_metrics.GetTextMetrics(m_font, &tm))
        return false;
    m_ascent = tm.tmAscent;
    m_descent = tm.tmDescent;
    m_raw = m_faces.GetRawFont(m_font);
    if (!m_raw.isValid())
        return false;
    const double em = m_raw.pixelSize();
    if (m_font.lfWidth <= 0)
        return true;
    LOGFONTW probe = m_font;
    probe.lfWidth = 0;
    const LONG factor = em * kStretchProbe <= kMaxPixels ? kStretchProbe : 1;
    probe.lfHeight *= factor;
    TEXTMETRICW natural{};
    if (m_faces.GetTextMetrics(probe, &natural) && natural.tmAveCharWidth > 0)
        m_stretch = double(m_font.lfWidth) * factor / natural.tmAveCharWidth;
    return true;
}

int CTkQtPaintText::MeasuredAdvance(UINT options, const WCHAR* text, UINT unit,
                                    UINT units) const
{
    if ((options & ETO_GLYPH_INDEX) != 0) {
        const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(
            QList<quint32>{text[unit]}, QRawFont::UseDesignMetrics);
        return advances.isEmpty() ? 0 : int(std::round(advances.front().x() * m_stretch));
    }
    SIZE size{};
    if (!m_metrics.GetTextExtent(m_font, text + unit, int(units), &size))
        return 0;
    return size.cx;
}

// The glyph of each character of text (a surrogate pair is one), looked up
// all at once; empty when the face does not give one glyph per character.
QList<quint32> CTkQtPaintText::GlyphsOf(UINT options, const WCHAR* text, UINT count) const
{
    if ((options & ETO_GLYPH_INDEX) != 0)
        return {};
    QList<quint32> glyphs =
        m_raw.glyphIndexesForString(CTkQtFontEngine::ShownText(m_font, text, int(count)));
    qsizetype characters = 0;
    for (UINT unit = 0; unit < count; unit += UnitsAt(options, text, unit, count))
        ++characters;
    if (glyphs.size() != characters)
        glyphs.clear();
    return glyphs;
}

void CTkQtPaintText::PlaceGlyphs(UINT options, const WCHAR* text, UINT count, const INT* dx)
{
    const QList<quint32> glyphs = GlyphsOf(options, text, count);
    qsizetype character = 0;
    const SIZE& v = m_dc.GetViewportExt();
    const SIZE& w = m_dc.GetWindowExt();
    const double sx = std::fabs(AxisScale(v.cx, w.cx));
    const double sy = AxisScale(v.cy, w.cy);
    const double extra = std::round(m_dc.GetTextCharacterExtra() * sx);
    const bool pairs = (options & ETO_PDY) != 0;
    // Sums of logical advances, so that rounding does not add up along the text.
    std::int64_t logicalX = 0;
    std::int64_t logicalY = 0;
    double x = 0;
    double y = 0;
    for (UINT unit = 0; unit < count;) {
        const UINT units = UnitsAt(options, text, unit, count);
        quint32 glyph = text[unit];
        if (!glyphs.isEmpty()) {
            glyph = glyphs[character];
        } else if ((options & ETO_GLYPH_INDEX) == 0) {
            const QString shown = CTkQtFontEngine::ShownText(m_font, text + unit, int(units));
            const QList<quint32> found = m_raw.glyphIndexesForString(shown);
            glyph = found.isEmpty() ? 0 : found.front();
        }
        ++character;
        m_glyphs.push_back({glyph, QPointF(x, y)});
        for (UINT k = 0; k < units && dx != nullptr; ++k) {
            logicalX += pairs ? dx[2 * (unit + k)] : dx[unit + k];
            logicalY += pairs ? dx[2 * (unit + k) + 1] : 0;
        }
        if (dx != nullptr) {
            x = std::round(double(logicalX) * sx);
            y = std::round(double(logicalY) * sy);
        } else {
            x += MeasuredAdvance(options, text, unit, units) + extra;
        }
        unit += units;
    }
    constexpr double kLimit = std::numeric_limits<int>::max() / 2;
    m_advance = int(std::clamp(x, -kLimit, kLimit));
}

void CTkQtPaintText::Align(POINT reference)
{
    const UINT align = m_dc.GetTextAlign();
    double ax = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        ax = -double(m_advance / 2);
    else if ((align & TA_RIGHT) != 0)
        ax = -double(m_advance);
    double ay = m_ascent;  // TA_TOP: the cell hangs below the reference point
    if ((align & TA_BASELINE) == TA_BASELINE)
        ay = 0;
    else if ((align & TA_BOTTOM) != 0)
        ay = -m_descent;
    const QPointF origin = [&] {
        POINT p = reference;
        m_dc.LPtoDP(&p);
        return QPointF(p.x, p.y);
    }();
    m_frame = QTransform();
    m_frame.translate(origin.x(), origin.y());
    m_frame.rotate(-m_font.lfEscapement / 10.0);  // Qt turns clockwise on the device
    m_frame.translate(ax, ay);
}

bool CTkQtPaintText::Layout(POINT reference, UINT options, const WCHAR* text, UINT count,
                            const INT* dx)
{
    if (!MakeDeviceFont() || !MakeFace())
        return false;
    m_glyphs.clear();
    PlaceGlyphs(options, text, count, dx);
    Align(reference);
    return true;
}

QTransform CTkQtPaintText::GlyphFrame() const
{
    QTransform frame = m_frame;
    frame.scale(m_stretch, 1);
    return frame;
}

QPolygonF CTkQtPaintText::CellBox() const
{
    return m_frame.map(QPolygonF(QRectF(0, -m_ascent, m_advance, m_ascent + m_descent)));
}

void CTkQtPaintText::Draw(QPainter& painter) const
{
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(qsizetype(m_glyphs.size()));
    positions.reserve(qsizetype(m_glyphs.size()));
    for (const CGlyph& g : m_glyphs) {
        indexes.push_back(g.index);
        positions.push_back(QPointF(g.position.x() / m_stretch, g.position.y()));
    }
    QGlyphRun run;
    run.setRawFont(m_raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    // Only the transform changes here: saving the painter's whole state would
    // cost more than drawing a short text.
    const QTransform saved = painter.transform();
    painter.setTransform(GlyphFrame());
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.setTransform(m_frame);
    const QBrush ink = painter.pen().brush();
    if (m_font.lfUnderline != 0)
        painter.fillRect(Decoration(kUnderline), ink);
    if (m_font.lfStrikeOut != 0)
        painter.fillRect(Decoration(kStrikeOut), ink);
    painter.setTransform(saved);
}

QRectF CTkQtPaintText::Decoration(DecorationKind kind) const
{
    // The face's own lines, as GDI draws them: the underline from the 'post'
    // table, the strike-out from 'OS/2', both in font units above the baseline.
    const bool under = kind == kUnderline;
    const QByteArray table = m_raw.fontTable(under ? "post" : "OS/2");
    const double em = m_raw.pixelSize();
    const double scale = em / std::max(qreal(1), m_raw.unitsPerEm());
    const auto position = ReadS16(table, under ? 8 : 28);
    const auto size = ReadS16(table, under ? 10 : 26);
    const double above = position ? *position * scale : (under ? -em / 9 : em / 4);
    const double thickness = std::max(1.0, std::round((size ? *size : em / 16) * scale));
    const double top = std::round(-above - (under ? thickness / 2 : thickness));
    return QRectF(0, top, m_advance, thickness);
}

QPainterPath CTkQtPaintText::Outline() const
{
    QPainterPath outline;
    for (const CGlyph& g : m_glyphs) {
        QPainterPath glyph = m_raw.pathForGlyph(g.index);
        glyph.translate(g.position.x() / m_stretch, g.position.y());
        outline.addPath(glyph);
    }
    return GlyphFrame().map(outline);
}

bool CTkQtPaintText::IsAntialiased() const { return m_font.lfQuality != NONANTIALIASED_QUALITY; }
