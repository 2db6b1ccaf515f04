// Times the edit commands on a large picture in the view: Select All, a
// whole-picture Copy onto the real clipboard, Delete and Undo, each repeated,
// printing every time in ms (wall, and the process's processor time).
//
// usage: glyphar_edit_bench FILE [runs]

#include "BenchTiming.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkClipboard.h"
#include "platform/qt/TkQtClipboard.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
        BenchTime("select all", [&] { view.OnEditSelectAll(); });
        BenchTime("copy", [&] { view.OnEditCopy(); });
        BenchTime("snapshot", [&] { doc.SaveUndoState(); });
        BenchTime("delete", [&] { view.OnEditDelete(); });
        BenchTime("undo", [&] { doc.OnEditUndo(); });
        QApplication::processEvents();
    }
    TkSetClipboard(nullptr);
    return 0;
}
