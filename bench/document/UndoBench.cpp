// Times the undo snapshot of a large document and reading it back: a picture
// of 150000 mixed shapes built in code (each with its own pen and brush), or
// the picture of a metafile named on the command line. Five runs of: take a
// snapshot (SaveUndoState), undo from the present (stores the present, then
// reads the snapshot back), redo (reads the stored present back). Prints the
// median, minimum and maximum of each, and of the text measuring that the
// first repaint after a restore does.
//
//     glyphar_undo_bench [FILE.emf] [--runs N]
//
// Build it in a Release tree configured with -DGLYPHAR_BENCH=ON; the output
// of glyphar-make-large-emf is a file of the same size to load instead.

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "document/VxDoc.h"
#include "document/VxDocMemento.h"
#include "document/VxDocState.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxLine.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxText.h"
#include "platform/framework/TkMessageService.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kShapes = 150000;
constexpr SIZE kPage{30000, 20000};

class CShapeMaker {
public:
    explicit CShapeMaker(std::uint32_t seed) : m_random(seed) {}

    std::unique_ptr<CVxGraphic> Make(int nIndex)
    {
        const RECT rect = Box();
        std::unique_ptr<CVxGraphic> pGraphic;
        switch (nIndex % 6) {
        case 0: pGraphic = std::make_unique<CVxRectangle>(rect); break;
        case 1: pGraphic = std::make_unique<CVxEllipse>(rect); break;
        case 2: pGraphic = MakePoly(TRUE); break;
        case 3: pGraphic = MakePoly(FALSE); break;
        case 4: pGraphic = std::make_unique<CVxLine>(rect); break;
        default:
            pGraphic = std::make_unique<CVxText>(u"Label " + std::u16string(1, u'A' + nIndex % 26),
                                                 rect.left, rect.top, 0, std::span<const INT>{},
                                                 RECT{});
            break;
        }
        Style(*pGraphic);
        return pGraphic;
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    COLORREF Colour() { return COLORREF(Between(0, 0xFFFFFF)); }

    RECT Box()
    {
        const int x = Between(0, kPage.cx - 600);
        const int y = Between(0, kPage.cy - 600);
        return {x, y, x + Between(20, 500), y + Between(20, 500)};
    }

    std::unique_ptr<CVxGraphic> MakePoly(BOOL bClosed)
    {
        const RECT box = Box();
        std::vector<POINT> points(std::size_t(Between(3, 12)));
        for (POINT& point : points) point = {Between(box.left, box.right), Between(box.top, box.bottom)};
        auto pPoly = std::make_unique<CVxPoly>(RECT{0, 0, 0, 0}, bClosed);
        pPoly->AppendPolyline(points);
        return pPoly;
    }

    void Style(CVxGraphic& graphic)
    {
        if (auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(graphic.LookupProperty("Pen"))) {
            pPen->SetColor(Colour());
            pPen->SetWidth(Between(0, 4));
            pPen->SetStyle(UINT(Between(0, 4)));
        }
        if (auto* pBrush = dynamic_cast<CVxBrushGraphicProperty*>(graphic.LookupProperty("Brush"))) {
            pBrush->SetColor(Colour());
            const bool bHatched = Between(0, 3) == 0;
            pBrush->SetStyle(bHatched ? BS_HATCHED : BS_SOLID);
            if (bHatched) pBrush->SetHatch(std::uint32_t(Between(0, 5)));
        }
    }

    std::mt19937 m_random;
};

void BuildPicture(CVxDoc& doc)
{
    doc.SetPictureSize(kPage, FALSE);
    CShapeMaker maker(20261207);
    for (int i = 0; i < kShapes; ++i) {
        std::unique_ptr<CVxGraphic> pGraphic = maker.Make(i);
        doc.GetPicture().AddChildTail(pGraphic.get());
        pGraphic.release();  // the document owns the picture's graphics
    }
}

// Wall and processor milliseconds of one run; the machine is shared, so the
// processor time shows how much of the wall time was waiting.
struct Timing {
    double wall;
    double cpu;
};

double CpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

Timing Time(const std::function<void()>& run)
{
    const double cpuStart = CpuNow();
    const auto start = std::chrono::steady_clock::now();
    run();
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::milli>(end - start).count(), CpuNow() - cpuStart};
}

void PrintSummary(const char* name, std::vector<Timing> times)
{
    if (times.empty()) return;
    auto line = [&](const char* what, double Timing::*field) {
        std::sort(times.begin(), times.end(),
                  [field](const Timing& a, const Timing& b) { return a.*field < b.*field; });
        const std::size_t n = times.size();
        const double median =
            n % 2 ? times[n / 2].*field : (times[n / 2 - 1].*field + times[n / 2].*field) / 2;
        std::printf("%-9s %-4s median %7.1f ms  min %7.1f  max %7.1f\n", name, what, median,
                    times.front().*field, times.back().*field);
    };
    line("wall", &Timing::wall);
    line("cpu", &Timing::cpu);
}

std::size_t NewestSnapshotBytes(CVxDoc& doc)
{
    const auto* pState = static_cast<const CVxDocState*>(doc.GetUndoState());
    return pState && pState->GetMemento() ? pState->GetMemento()->GetState()->GetLength() : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CTkQtFontEngine fonts;
    TkSetFontEngine(&fonts);
    CTkScriptedMessageService messages;
    TkSetMessageService(&messages);
    VxRegisterGraphicClasses();

    std::string strFile;
    int nRuns = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            nRuns = std::max(1, std::atoi(argv[++i]));
        } else {
            strFile = arg;
        }
    }

    CVxDoc doc;
    const double buildMs = Time([&] {
        if (strFile.empty()) {
            BuildPicture(doc);
        } else if (!doc.OnOpenDocument(strFile)) {
            std::fprintf(stderr, "cannot open %s\n", strFile.c_str());
            std::exit(2);
        }
    }).wall;
    std::printf("%s: %d graphics, %d x %d, made in %.0f ms\n",
                strFile.empty() ? "built" : strFile.c_str(), doc.GetPicture().GetChildCount(),
                int(doc.GetPictureSize().cx), int(doc.GetPictureSize().cy), buildMs);

    // Texts read back measure themselves when first asked, which the repaint
    // after an undo does; that is timed on its own ("measure"), not as part of
    // the next snapshot.
    auto measure = [&] { doc.GetPicture().GetRect(); };
    std::vector<Timing> snapshot, undo, redo, remeasure;
    measure();
    for (int run = 0; run < nRuns; ++run) {
        snapshot.push_back(Time([&] { doc.SaveUndoState(); }));
        if (run == 0) std::printf("snapshot: %zu bytes\n", NewestSnapshotBytes(doc));
        undo.push_back(Time([&] { doc.OnEditUndo(); }));
        remeasure.push_back(Time(measure));
        redo.push_back(Time([&] { doc.OnEditRedo(); }));
        measure();
    }
    PrintSummary("snapshot", snapshot);
    PrintSummary("undo", undo);
    PrintSummary("redo", redo);
    PrintSummary("measure", remeasure);
    // A snapshot or restore that failed would time the wrong thing.
    for (const auto& shown : messages.GetShown()) {
        std::fprintf(stderr, "message %u: %s\n", shown.nIdMessage, shown.strText.c_str());
    }
    TkSetMessageService(nullptr);
    TkSetFontEngine(nullptr);
    return messages.GetShown().empty() ? 0 : 1;
}
