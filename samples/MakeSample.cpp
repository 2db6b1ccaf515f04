// Draws the bundled sample picture with the program's own graphics and writes it
// with the document's own save, so the sample shows what the editor makes.
//
//     glyphar-make-sample [OUT]      (default samples/sample.emf)

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "document/VxDoc.h"
#include "graphics/VxArc.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxText.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QGuiApplication>

#include <cmath>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// Picture units are hundredths of a millimetre: a 20 by 14 cm page.
constexpr SIZE kPage{20000, 13600};
constexpr int kTileWidth = 4400;
constexpr int kTileHeight = 5200;
constexpr int kMargin = 825;
constexpr int kGap = 250;
constexpr int kTop = 1900;

constexpr COLORREF kInk = RGB(46, 52, 54);
constexpr COLORREF kFrame = RGB(186, 189, 182);
constexpr COLORREF kBlue = RGB(52, 101, 164);
constexpr COLORREF kSky = RGB(114, 159, 207);
constexpr COLORREF kOrange = RGB(245, 121, 0);
constexpr COLORREF kGreen = RGB(78, 154, 6);
constexpr COLORREF kRed = RGB(204, 0, 0);
constexpr COLORREF kPlum = RGB(117, 80, 123);
constexpr COLORREF kButter = RGB(237, 212, 0);

struct Pen {
    UINT style = PS_SOLID;
    int width = 0;
    COLORREF color = kInk;
};

struct Brush {
    UINT style = BS_SOLID;
    COLORREF color = RGB(255, 255, 255);
    int hatch = 0;
};

struct Font {
    const char16_t* face = u"Arial";
    int points = 10;
    LONG weight = 400;
    bool italic = false;
};

struct BoxStyle {
    RECT box;
    Pen pen;
    Brush brush;
};

template <typename T, typename Fill>
void Edit(CVxGraphic& graphic, const char* name, Fill fill)
{
    std::unique_ptr<CVxGraphicProperty> pCopy = graphic.CopyProperty(name);
    if (auto* pProperty = dynamic_cast<T*>(pCopy.get())) {
        fill(*pProperty);
        graphic.ApplyProperty(*pProperty);
    }
}

void SetPen(CVxGraphic& graphic, const Pen& pen)
{
    Edit<CVxPenGraphicProperty>(graphic, "Pen", [&](auto& property) {
        property.SetStyle(pen.style);
        property.SetWidth(pen.width);
        property.SetColor(pen.color);
    });
}

void SetBrush(CVxGraphic& graphic, const Brush& brush)
{
    Edit<CVxBrushGraphicProperty>(graphic, "Brush", [&](auto& property) {
        property.SetStyle(brush.style);
        property.SetColor(brush.color);
        property.SetHatch(std::uint32_t(brush.hatch));
    });
}

class CSampleBuilder {
public:
    explicit CSampleBuilder(CVxDoc& doc) : m_doc(doc) {}

    void Build();

private:
    CVxGraphic& Add(std::unique_ptr<CVxGraphic> pGraphic)
    {
        CVxGraphic& graphic = *pGraphic;
        m_doc.GetPicture().AddChildTail(pGraphic.release());  // the document owns it
        return graphic;
    }
    CVxGraphic& Shape(std::unique_ptr<CVxGraphic> pGraphic, const Pen& pen, const Brush& brush)
    {
        SetPen(*pGraphic, pen);
        SetBrush(*pGraphic, brush);
        return Add(std::move(pGraphic));
    }
    void Line(POINT from, POINT to, const Pen& pen)
    {
        auto pLine = std::make_unique<CVxLine>(RECT{from.x, from.y, to.x, to.y});
        SetPen(*pLine, pen);
        Add(std::move(pLine));
    }
    void Text(const std::u16string& text, POINT at, UINT align, const Font& font,
              COLORREF color = kInk);
    POINT Origin(int column, int row) const
    {
        return {kMargin + column * (kTileWidth + kGap), kTop + row * (kTileHeight + 2 * kGap)};
    }
    void Tile(int column, int row, const std::u16string& caption);
    // Box shapes of type T, their boxes given from the tile's corner o.
    template <typename T>
    void Boxes(POINT o, std::initializer_list<BoxStyle> boxes)
    {
        for (const BoxStyle& b : boxes) {
            const RECT box{o.x + b.box.left, o.y + b.box.top, o.x + b.box.right,
                           o.y + b.box.bottom};
            Shape(std::make_unique<T>(box), b.pen, b.brush);
        }
    }

    void Lines(POINT o);
    void Rectangles(POINT o);
    void Ellipses(POINT o);
    void Arcs(POINT o);
    void PolygonWithHole(POINT o);
    void Polylines(POINT o);
    void PathFigure(POINT o);
    void Texts(POINT o);

    CVxDoc& m_doc;
};

void CSampleBuilder::Text(const std::u16string& text, POINT at, UINT align, const Font& font,
                          COLORREF color)
{
    auto pText = std::make_unique<CVxText>(text, at.x, at.y, 0, std::span<const INT>{}, RECT{});
    Edit<CVxGlobalGraphicProperty>(*pText, "Global", [&](auto& global) {
        global.SetTextAlign(align);
        global.SetTextColor(color);
        global.SetBkMode(TRANSPARENT);
    });
    Edit<CVxFontGraphicProperty>(*pText, "Font", [&](auto& property) {
        property.SetFaceName(font.face);
        property.SetHeight(-m_doc.PointsToLogicalY(font.points));
        property.SetWeight(font.weight);
        property.SetItalic(font.italic ? 1 : 0);
    });
    Add(std::move(pText));
}

// A light frame with the caption centred under it.
void CSampleBuilder::Tile(int column, int row, const std::u16string& caption)
{
    const POINT o = Origin(column, row);
    Shape(std::make_unique<CVxRectangle>(RECT{o.x, o.y, o.x + kTileWidth, o.y + kTileHeight}),
          Pen{PS_SOLID, 0, kFrame}, Brush{BS_NULL});
    Text(caption, {o.x + kTileWidth / 2, o.y + kTileHeight - 250}, TA_CENTER | TA_BOTTOM,
         Font{u"Arial", 10, 700});
}

void CSampleBuilder::Lines(POINT o)
{
    const UINT styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    int y = o.y + 500;
    for (UINT style : styles) {
        Line({o.x + 400, y}, {o.x + kTileWidth - 400, y}, Pen{style, 0, kInk});
        y += 380;
    }
    const int widths[] = {40, 90, 160};
    const COLORREF colors[] = {kBlue, kOrange, kGreen};
    for (int i = 0; i < 3; ++i) {
        Line({o.x + 400, y + 100}, {o.x + kTileWidth - 400, y + 100},
             Pen{PS_SOLID, widths[i], colors[i]});
        y += 420;
    }
    // Flat ends keep the gaps of a wide dash open.
    Line({o.x + 400, y + 150}, {o.x + kTileWidth - 400, y + 150},
         Pen{PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 70, kPlum});
}

void CSampleBuilder::Rectangles(POINT o)
{
    Boxes<CVxRectangle>(o, {
        {{400, 450, 2700, 2700}, Pen{PS_SOLID, 50, kBlue}, Brush{BS_SOLID, kSky}},
        {{1700, 1700, 4000, 3950}, Pen{PS_SOLID, 30, kRed},
         Brush{BS_HATCHED, kRed, HS_DIAGCROSS}},
        {{500, 3300, 1500, 4300}, Pen{PS_DASH, 0, kInk}, Brush{BS_HATCHED, kGreen, HS_CROSS}},
    });
}

void CSampleBuilder::Ellipses(POINT o)
{
    Boxes<CVxEllipse>(o, {
        {{350, 400, 3000, 2400}, Pen{PS_SOLID, 40, kOrange}, Brush{BS_SOLID, kButter}},
        {{1900, 1700, 4050, 3850}, Pen{PS_SOLID, 80, kPlum},
         Brush{BS_HATCHED, kPlum, HS_BDIAGONAL}},
        {{500, 2800, 1700, 4300}, Pen{PS_DOT, 0, kInk}, Brush{BS_HATCHED, kBlue, HS_HORIZONTAL}},
    });
}

void CSampleBuilder::Arcs(POINT o)
{
    const POINT c{o.x + kTileWidth / 2, o.y + 3300};
    const COLORREF colors[] = {kRed, kOrange, kButter, kGreen, kBlue, kPlum};
    for (int i = 0; i < 6; ++i) {
        const int r = 1950 - i * 260;
        const RECT box{c.x - r, c.y - r, c.x + r, c.y + r};
        // Counter-clockwise from the right to the left: a rainbow.
        auto pArc = std::make_unique<CVxArc>(box, POINT{c.x + r, c.y}, POINT{c.x - r, c.y},
                                             FALSE, POINT{});
        SetPen(*pArc, Pen{PS_SOLID, 200, colors[i]});
        Add(std::move(pArc));
    }
    Line({o.x + 300, c.y + 250}, {o.x + kTileWidth - 300, c.y + 250}, Pen{PS_DOT, 0, kInk});
}

// A five-pointed star, ten points about c.
std::vector<POINT> Star(POINT c, int outer, int inner)
{
    std::vector<POINT> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const int r = i % 2 == 0 ? outer : inner;
        points.push_back({c.x + int(std::lround(r * std::cos(angle))),
                          c.y - int(std::lround(r * std::sin(angle)))});
    }
    return points;
}

void CSampleBuilder::PolygonWithHole(POINT o)
{
    const POINT c{o.x + kTileWidth / 2, o.y + 2300};
    std::vector<POINT> points = Star(c, 1900, 800);
    const int hole = 420;
    for (POINT p : {POINT{c.x - hole, c.y - hole}, POINT{c.x + hole, c.y - hole},
                    POINT{c.x + hole, c.y + hole}, POINT{c.x - hole, c.y + hole}})
        points.push_back(p);
    const INT counts[] = {10, 4};
    auto pPoly = std::make_unique<CVxPoly>(RECT{}, TRUE);
    pPoly->AppendPolyPolygon(points, counts);
    Edit<CVxGlobalGraphicProperty>(*pPoly, "Global",
                                   [](auto& global) { global.SetPolyFillMode(ALTERNATE); });
    Shape(std::move(pPoly), Pen{PS_SOLID, 45, kBlue}, Brush{BS_SOLID, kOrange});
}

void CSampleBuilder::Polylines(POINT o)
{
    std::vector<POINT> wave;
    for (int i = 0; i <= 36; ++i) {
        const double t = i * std::numbers::pi / 9;
        wave.push_back({o.x + 400 + i * 100, o.y + 1200 - int(std::lround(600 * std::sin(t)))});
    }
    auto pWave = std::make_unique<CVxPoly>(RECT{}, FALSE);
    pWave->AppendPolyline(wave);
    SetPen(*pWave, Pen{PS_SOLID, 60, kGreen});
    Add(std::move(pWave));

    std::vector<POINT> zigzag;
    for (int i = 0; i <= 8; ++i)
        zigzag.push_back({o.x + 400 + i * 450, o.y + (i % 2 == 0 ? 3800 : 2500)});
    auto pZigzag = std::make_unique<CVxPoly>(RECT{}, FALSE);
    pZigzag->AppendPolyline(zigzag);
    SetPen(*pZigzag, Pen{PS_SOLID, 0, kRed});
    Add(std::move(pZigzag));
}

// A round figure with a wedge cut out, stroked and filled as one path.
void CSampleBuilder::PathFigure(POINT o)
{
    const POINT c{o.x + kTileWidth / 2, o.y + 2300};
    const int r = 1700;
    const double mouth = std::numbers::pi / 6;
    const POINT start{c.x + int(std::lround(r * std::cos(mouth))),
                      c.y - int(std::lround(r * std::sin(mouth)))};
    const POINT end{start.x, c.y + (c.y - start.y)};
    auto pPath = std::make_unique<CVxPath>();
    pPath->AddChildTail(new CVxArc(RECT{c.x - r, c.y - r, c.x + r, c.y + r}, start, end, TRUE, c));
    pPath->AddChildTail(new CVxCloseFigure(RECT{end.x, end.y, c.x, c.y}));
    pPath->SetPathMode(CVxPath::StrokeAndFill);
    Shape(std::move(pPath), Pen{PS_SOLID, 60, kInk}, Brush{BS_SOLID, kButter});
    Shape(std::make_unique<CVxEllipse>(RECT{c.x - 150, c.y - 1100, c.x + 150, c.y - 800}),
          Pen{PS_NULL, 0, kInk}, Brush{BS_SOLID, kInk});
}

void CSampleBuilder::Texts(POINT o)
{
    const int x = o.x + kTileWidth / 2;
    Line({x, o.y + 300}, {x, o.y + 3000}, Pen{PS_DOT, 0, kFrame});
    Text(u"Left", {x, o.y + 700}, TA_LEFT | TA_BASELINE, Font{u"Arial", 12});
    Text(u"Centred", {x, o.y + 1400}, TA_CENTER | TA_BASELINE,
         Font{u"Times New Roman", 16, 700}, kBlue);
    Text(u"Right", {x, o.y + 2100}, TA_RIGHT | TA_BASELINE, Font{u"Courier New", 12}, kRed);
    Text(u"Italic serif", {x, o.y + 2800}, TA_CENTER | TA_BASELINE,
         Font{u"Times New Roman", 13, 400, true}, kPlum);
    Text(u"Bold sans", {x, o.y + 3600}, TA_CENTER | TA_BASELINE, Font{u"Arial", 13, 700},
         kGreen);
}

void CSampleBuilder::Build()
{
    Text(u"Glyphar sample picture", {kPage.cx / 2, 1300}, TA_CENTER | TA_BASELINE,
         Font{u"Arial", 22, 700});
    using Part = void (CSampleBuilder::*)(POINT);
    const struct {
        Part draw;
        const char16_t* caption;
    } tiles[] = {
        {&CSampleBuilder::Lines, u"Dashed and wide lines"},
        {&CSampleBuilder::Rectangles, u"Rectangles"},
        {&CSampleBuilder::Ellipses, u"Ellipses"},
        {&CSampleBuilder::Arcs, u"Arcs"},
        {&CSampleBuilder::PolygonWithHole, u"Polygon with a hole"},
        {&CSampleBuilder::Polylines, u"Polylines"},
        {&CSampleBuilder::PathFigure, u"Path"},
        {&CSampleBuilder::Texts, u"Fonts and alignments"},
    };
    int nTile = 0;
    for (const auto& tile : tiles) {
        const int column = nTile % 4;
        const int row = nTile / 4;
        Tile(column, row, tile.caption);
        (this->*tile.draw)(Origin(column, row));
        ++nTile;
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string strOut = argc > 1 ? argv[1] : "samples/sample.emf";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    CTkQtFontEngine fonts;  // texts measure as in the editor
    TkSetFontEngine(&fonts);
    int nExit = 0;
    {
        CVxDoc doc;
        doc.SetPictureSize(kPage, FALSE);
        CSampleBuilder(doc).Build();
        if (!doc.OnSaveDocument(strOut)) {
            std::cerr << "glyphar-make-sample: could not write " << strOut << '\n';
            nExit = 1;
        }
    }
    TkSetFontEngine(nullptr);
    return nExit;
}
