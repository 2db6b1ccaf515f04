#pragma once
// One ExtTextOutW call laid out on the device as GDI places it: the selected
// font's height and width scaled to device pixels by the mapping (a negative
// height is the character height, a positive one the cell height), every glyph
// on a whole pixel at the sum of the advances before it (the caller's advance
// array in logical units, or else the font engine's advances plus the character
// extra), the run aligned by the DC's TA_ bits on the reference point and turned
// counter-clockwise by the escapement (tenths of a degree).
//
// The text's frame has its origin on the first glyph's baseline, x along the
// baseline and y down; device coordinates are Qt's, the reference point being a
// pixel's top left corner, so that a baseline at y has the ink above row y.

#include "platform/gdi/GdiTypes.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRawFont>
#include <QTransform>

#include <vector>

class CTkDC;
class CTkQtFontEngine;
class ITkFontEngine;
class QPainter;

class CTkQtPaintText {
public:
    // metrics measures the advances and the cell (the installed engine); faces
    // finds the Qt faces and their em sizes.
    CTkQtPaintText(const CTkDC& dc, ITkFontEngine& metrics, CTkQtFontEngine& faces);

    // False when the selected font cannot be drawn or measured.
    bool Layout(POINT reference, UINT options, const WCHAR* text, UINT count, const INT* dx);

    // The cells of the text: the background box of an opaque text.
    QPolygonF CellBox() const;
    // Draws the glyphs (with underline and strike-out) in the painter's pen.
    void Draw(QPainter& painter) const;
    // The glyph outlines on the device, for a path bracket.
    QPainterPath Outline() const;
    // The advance of the whole text along its baseline, in device pixels.
    int Advance() const { return m_advance; }
    bool IsAntialiased() const;

private:
    struct CGlyph {
        quint32 index;
        QPointF position;  // in the text's frame
    };

    enum DecorationKind { kUnderline, kStrikeOut };

    bool MakeDeviceFont();
    bool MakeFace();
    QList<quint32> GlyphsOf(UINT options, const WCHAR* text, UINT count) const;
    void PlaceGlyphs(UINT options, const WCHAR* text, UINT count, const INT* dx);
    int MeasuredAdvance(UINT options, const WCHAR* text, UINT unit, UINT units) const;
    void Align(POINT reference);
    QTransform GlyphFrame() const;
    // The line of an underline or strike-out in the text's frame.
    QRectF Decoration(DecorationKind kind) const;

    const CTkDC& m_dc;
    ITkFontEngine& m_metrics;
    CTkQtFontEngine& m_faces;
    LOGFONTW m_font{};  // in device pixels
    QRawFont m_raw;
    double m_stretch = 1;
    int m_ascent = 0;
    int m_descent = 0;
    int m_advance = 0;
    std::vector<CGlyph> m_glyphs;
    QTransform m_frame;  // the text's frame to the device
};
