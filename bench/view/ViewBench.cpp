// Times the editor's window on a large picture: from the start of the process
// to the first complete paint (once per process), then a full repaint at
// actual size and a zoom step, each repeated, printing every time in ms: wall
// time, and the process's processor time, which other work on a busy machine
// disturbs less.
//
// usage: glyphar_view_bench FILE [runs]

#include "BenchTiming.h"
#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Runs step nRuns times, printing the wall and processor time of each.
template <typename Step>
void Time(const char* pszName, int nRuns, Step step)
{
    for (int i = 0; i < nRuns; ++i)
        BenchTime(pszName, [&] { step(i); });
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchClock::time_point start = BenchClock::now();
    if (argc < 2) {
        std::fprintf(stderr, "usage: glyphar_view_bench FILE [runs]\n");
        return 1;
    }
    const int nRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QApplication app(argc, argv);
    CVxDoc doc;
    CVxMainFrame frame(doc);
    frame.show();
    if (!frame.OpenDocumentFile(argv[1])) return 2;
    CVxView& view = frame.GetView();
    // grab() runs the paint that showing the window would run.
    view.viewport()->grab();
    std::printf("first paint ms: %.1f\n", BenchMsSince(start));
    std::fprintf(stderr, "%d graphics\n", doc.GetPicture().GetChildCount());

    view.SetZoom(CVxView::kActualSize);
    QApplication::processEvents();
    Time("repaint at 100%", nRuns, [&](int) {
        view.OnViewRedraw();
        view.viewport()->grab();
    });
    Time("zoom step", nRuns, [&](int i) {
        if (i % 2 == 0) {
            view.OnZoomIn();
        } else {
            view.OnZoomOut();
        }
        view.viewport()->grab();
    });
    return 0;
}
