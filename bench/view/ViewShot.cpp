// Shows the editor's window on FILE for a screenshot under a virtual display:
// "grid" at 225 % (Actual Size, then Zoom In twice) with the dots grid,
// "preview" in print preview at that zoom, or "page-preview" in print preview
// in full page mode, or "actual" at 100 % as it opens. Quits after SECONDS (10).
//
// usage: glyphar_view_shot FILE grid|preview|page-preview|actual [SECONDS]

#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxQtEditDialogs.h"
#include "editing/VxView.h"
#include "resources/VxResourceIds.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: glyphar_view_shot FILE grid|preview|page-preview|actual [SECONDS]\n");
        return 1;
    }
    QApplication app(argc, argv);
    CVxQtEditDialogs dialogs;
    const CVxEditDialogsGuard guard(dialogs);
    CVxDoc doc;
    CVxMainFrame frame(doc);
    dialogs.SetParent(&frame);
    frame.show();
    if (!frame.OpenDocumentFile(argv[1])) return 2;
    const int nSeconds = argc > 3 ? std::atoi(argv[3]) : 10;
    QTimer::singleShot(nSeconds * 1000, &app, [] { QApplication::exit(0); });
    const std::string strMode = argv[2];
    if (strMode == "actual") {
        frame.OnCmdMsg(ID_VIEW_ACTUAL_SIZE, nullptr);
    } else if (strMode != "page-preview") {
        for (unsigned nID : {ID_VIEW_ACTUAL_SIZE, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_IN})
            frame.OnCmdMsg(nID, nullptr);
    }
    if (strMode.ends_with("preview")) {
        QTimer::singleShot(0, &frame, [&frame] { frame.OnCmdMsg(ID_FILE_PRINT_PREVIEW, nullptr); });
    } else if (strMode == "grid" && !frame.GetView().GetGrid().bDisplayGrid) {
        frame.OnCmdMsg(ID_VIEW_DISPLAY_GRID, nullptr);
    }
    return QApplication::exec();
}
