// Times the editor's window on a large picture: from the start of the process
// to the first complete paint (once per process), then a full repaint at
// actual size and a zoom step, each repeated, printing every time in ms.
//
// usage: glyphar_view_bench FILE [runs]

#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
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
    std::printf("first paint ms: %.1f\n", MsSince(start));
    std::fprintf(stderr, "%d graphics\n", doc.GetPicture().GetChildCount());

    view.SetZoom(CVxView::kActualSize);
    QApplication::processEvents();
    for (int i = 0; i < nRuns; ++i) {
        const Clock::time_point t = Clock::now();
        view.OnViewRedraw();
        view.viewport()->grab();
        std::printf("repaint at 100%% ms: %.1f\n", MsSince(t));
    }
    for (int i = 0; i < nRuns; ++i) {
        const Clock::time_point t = Clock::now();
        if (i % 2 == 0) {
            view.OnZoomIn();
        } else {
            view.OnZoomOut();
        }
        view.viewport()->grab();
        std::printf("zoom step ms: %.1f\n", MsSince(t));
    }
    return 0;
}
