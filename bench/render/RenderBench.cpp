// Builds a picture of mixed shapes with varied pens, brushes and fonts, renders
// it repeatedly at one width and prints the median, fastest and slowest time.
//
// usage: glyphar_render_bench [shapes [width [runs]]]

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "editing/VxPictureRenderer.h"
#include "graphics/VxArc.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxLine.h"
#include "graphics/VxPicture.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxText.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr SIZE kPage{29700, 21000};  // A4 landscape, hundredths of a millimetre

constexpr UINT kPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
                               PS_NULL, PS_INSIDEFRAME};
constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                            HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
const char16_t* const kFaces[] = {u"Arial", u"Times New Roman", u"Courier New"};
const char16_t* const kWords[] = {u"Glyphar", u"metafile", u"Fig. 12", u"x = 3.5",
                                  u"Total", u"North-east"};

class CShapeMaker {
public:
    explicit CShapeMaker(unsigned seed) : m_random(seed) {}

    std::unique_ptr<CVxGraphic> Make(int kind)
    {
        switch (kind) {
        case 0: return Styled(std::make_unique<CVxRectangle>(Box()));
        case 1: return Styled(std::make_unique<CVxEllipse>(Box()));
        case 2: return Styled(std::make_unique<CVxLine>(Box()));
        case 3: return Styled(MakePoly(Pick(2) == 0));
        case 4: return MakeText();
        default: return Styled(MakeArc());
        }
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    COLORREF Colour() { return RGB(Pick(256), Pick(256), Pick(256)); }
    POINT Point() { return {Pick(kPage.cx), Pick(kPage.cy)}; }
    // Mostly small shapes, as in real drawings, now and then a large one.
    RECT Box()
    {
        const POINT p = Point();
        const int extent = Pick(20) == 0 ? 8000 : 600;
        return {p.x, p.y, p.x + Range(10, extent), p.y + Range(10, extent)};
    }

    template <typename T>
    std::unique_ptr<CVxGraphic> Styled(std::unique_ptr<T> pGraphic)
    {
        if (auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(pGraphic->LookupProperty("Pen"))) {
            pPen->SetStyle(kPenStyles[Pick(std::size(kPenStyles))]);
            pPen->SetWidth(Pick(3) == 0 ? Range(20, 120) : 0);
            pPen->SetColor(Colour());
        }
        if (auto* pBrush =
                dynamic_cast<CVxBrushGraphicProperty*>(pGraphic->LookupProperty("Brush"))) {
            const int choice = Pick(4);
            pBrush->SetStyle(choice == 0 ? BS_HOLLOW : choice == 1 ? BS_HATCHED : BS_SOLID);
            pBrush->SetHatch(std::uint32_t(kHatches[Pick(std::size(kHatches))]));
            pBrush->SetColor(Colour());
        }
        if (auto* pGlobal =
                dynamic_cast<CVxGlobalGraphicProperty*>(pGraphic->LookupProperty("Global"))) {
            pGlobal->SetBkMode(Pick(2) == 0 ? OPAQUE : TRANSPARENT);
            pGlobal->SetBkColor(Colour());
        }
        return pGraphic;
    }

    std::unique_ptr<CVxPoly> MakePoly(bool bClosed)
    {
        const RECT box = Box();
        auto pPoly = std::make_unique<CVxPoly>(box, bClosed ? TRUE : FALSE);
        const int count = Range(3, 12);
        for (int i = 0; i < count; ++i)
            pPoly->AppendPoint(POINT{Range(box.left, box.right), Range(box.top, box.bottom)},
                               TRUE);
        return pPoly;
    }

    std::unique_ptr<CVxArc> MakeArc()
    {
        const RECT box = Box();
        const POINT start{box.left, Range(box.top, box.bottom)};
        const POINT end{Range(box.left, box.right), box.top};
        const bool bArcTo = Pick(4) == 0;
        return std::make_unique<CVxArc>(box, start, end, bArcTo ? TRUE : FALSE, Point());
    }

    std::unique_ptr<CVxGraphic> MakeText()
    {
        const POINT p = Point();
        auto pText = std::make_unique<CVxText>(kWords[Pick(std::size(kWords))], p.x, p.y, 0,
                                               std::span<const INT>(), RECT{});
        auto& font = dynamic_cast<CVxFontGraphicProperty&>(*pText->LookupProperty("Font"));
        font.SetFaceName(kFaces[Pick(std::size(kFaces))]);
        font.SetHeight(-Range(150, 900));
        font.SetWeight(Pick(3) == 0 ? FW_BOLD : FW_NORMAL);
        font.SetItalic(Pick(4) == 0 ? 1 : 0);
        if (Pick(8) == 0)
            font.SetEscapement(Range(-900, 900));
        auto& global = dynamic_cast<CVxGlobalGraphicProperty&>(*pText->LookupProperty("Global"));
        global.SetTextColor(Colour());
        return pText;
    }

    std::mt19937 m_random;
};

int Argument(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CTkQtFontEngine fonts;
    TkSetFontEngine(&fonts);

    const int shapes = Argument(argc, argv, 1, 150000);
    const int width = Argument(argc, argv, 2, 1000);
    const int runs = Argument(argc, argv, 3, 5);

    auto begin = std::chrono::steady_clock::now();
    CVxPicture picture;
    CShapeMaker maker(20261207);
    for (int i = 0; i < shapes; ++i)
        picture.AddChildTail(maker.Make(i % 6).release());
    std::printf("built %d shapes in %.0f ms\n", shapes,
                Milliseconds(std::chrono::steady_clock::now() - begin));

    // Wall time is the figure; processor time tells a busy machine from a slow run.
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        begin = std::chrono::steady_clock::now();
        const std::clock_t cpuBegin = std::clock();
        const QImage image = CVxPictureRenderer::RenderToImage(picture, kPage, width);
        const double cpu = 1000.0 * double(std::clock() - cpuBegin) / CLOCKS_PER_SEC;
        times.push_back(Milliseconds(std::chrono::steady_clock::now() - begin));
        if (image.isNull()) {
            std::fprintf(stderr, "render failed\n");
            return 1;
        }
        std::printf("run %d: %.0f ms, processor %.0f ms (%d x %d)\n", run + 1, times.back(), cpu,
                    image.width(), image.height());
    }
    std::sort(times.begin(), times.end());
    std::printf("render %d shapes at %d px: median %.0f ms, min %.0f ms, max %.0f ms\n", shapes,
                width, times[times.size() / 2], times.front(), times.back());
    picture.DeleteAllChildren();
    TkSetFontEngine(nullptr);
    return 0;
}
