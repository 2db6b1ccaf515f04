// Times the edit commands on a large picture with everything selected: Bring
// to Front, Send to Back, Flip Both, a fill colour from the palette, Bold, and
// Select Similar from one graphic; each includes its undo snapshot, which is
// also timed alone, but not the repaint after it.
//
// usage: glyphar_arrange_bench FILE

#include "BenchTiming.h"
#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxEditDialogs.h"
#include "editing/VxView.h"

#include <QApplication>

#include <cstdio>

namespace {

void Time(const char* pszName, CVxView& view, unsigned nID)
{
    BenchTime(pszName, [&] { view.OnCmdMsg(nID, nullptr); });
    // The repaint that follows, apart: it is the view's cost, not the command's.
    view.viewport()->grab();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: glyphar_arrange_bench FILE\n");
        return 1;
    }
    QApplication app(argc, argv);
    CVxDoc doc;
    CVxMainFrame frame(doc);
    frame.show();
    if (!frame.OpenDocumentFile(argv[1])) return 2;
    CVxView& view = frame.GetView();
    view.viewport()->grab();
    const SIZE size = doc.GetPictureSize();
    view.OnEditSelectAll();
    std::fprintf(stderr, "%d graphics, %d selected, %ld x %ld\n", doc.GetPicture().GetChildCount(),
                 view.GetSelection().GetChildCount(), long(size.cx), long(size.cy));
    BenchTime("undo snapshot alone", [&] { doc.SaveUndoState(); });
    Time("bring to front", view, ID_ARRANGE_BRING_TO_FRONT);
    Time("send to back", view, ID_ARRANGE_SEND_TO_BACK);
    Time("flip both", view, ID_ARRANGE_FLIP_BOTH);
    view.OnCmdMsg(ID_COLOR_TARGET_FILL, nullptr);
    Time("fill colour", view, ID_COLOR_FIRST + 3);
    Time("bold", view, ID_TEXT_BOLD);
    CVxScriptedEditDialogs dialogs;
    CVxEditDialogsGuard guard(dialogs);
    dialogs.QueueSelectSimilar([](VxSelectSimilarData&) {});
    view.Select(doc.GetPicture().GetFirstChild(), false);
    Time("select similar", view, ID_EDIT_SELECT_SIMILAR);
    std::fprintf(stderr, "%d similar\n", view.GetSelection().GetChildCount());
    return 0;
}
