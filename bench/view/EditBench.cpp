// Times the edit commands on a large picture in the view: Select All, a
// whole-picture Copy onto the real clipboard, Delete and Undo, each repeated,
// printing every time in ms (wall, and the process's processor time).
//
// usage: glyphar_edit_bench FILE [runs]

#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkClipboard.h"
#include "platform/qt/TkQtClipboard.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

double CpuMs() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

// Prints the wall time and the process's processor time of run.
void Time(const char* pszName, const std::function<void()>& run)
{
    const Clock::time_point start = Clock::now();
    const double cpu = CpuMs();
    run();
    std::printf("%s ms: %.1f\n", pszName,
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    std::printf("%s (cpu) ms: %.1f\n", pszName, CpuMs() - cpu);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: glyphar_edit_bench FILE [runs]\n");
        return 1;
    }
    const int nRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QApplication app(argc, argv);
    CTkQtClipboard clipboard;
    TkSetClipboard(&clipboard);
    CVxDoc doc;
    if (!doc.OnOpenDocument(argv[1])) return 2;
    CVxView view(doc);
    view.resize(1024, 768);
    view.show();
    view.viewport()->grab();
    std::fprintf(stderr, "%d graphics\n", doc.GetPicture().GetChildCount());
    for (int i = 0; i < nRuns; ++i) {
        Time("select all", [&] { view.OnEditSelectAll(); });
        Time("copy", [&] { view.OnEditCopy(); });
        Time("snapshot", [&] { doc.SaveUndoState(); });
        Time("delete", [&] { view.OnEditDelete(); });
        Time("undo", [&] { doc.OnEditUndo(); });
        QApplication::processEvents();
    }
    TkSetClipboard(nullptr);
    return 0;
}
