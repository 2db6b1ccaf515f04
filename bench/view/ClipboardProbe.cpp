// The editor's clipboard commands on the real clipboard, for the interop
// check against other programs (scripts/clipboard-interop.sh).
//
// usage: glyphar_clipboard_probe copy FILE all|first SECONDS
//            copies the picture or its first graphic and serves the clipboard
//        glyphar_clipboard_probe paste OUT.emf
//            pastes into an empty picture, lists what came and saves it

#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkClipboard.h"
#include "platform/qt/TkQtClipboard.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

int Copy(CVxDoc& doc, CVxView& view, const char* pszFile, bool bAll, int nSeconds)
{
    if (!doc.OnOpenDocument(pszFile)) return 2;
    if (bAll)
        view.OnEditSelectAll();
    else
        view.Select(doc.GetPicture().GetFirstChild(), false);
    view.OnEditCopy();
    for (const std::string& name : TkGetClipboard().GetMimeTypes()) std::printf("offered: %s\n", name.c_str());
    std::fflush(stdout);
    QTimer::singleShot(nSeconds * 1000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

int Paste(CVxDoc& doc, CVxView& view, const char* pszOut)
{
    for (const std::string& name : TkGetClipboard().GetMimeTypes()) std::printf("on clipboard: %s\n", name.c_str());
    view.OnEditPaste();
    std::map<std::string, int> types;
    for (auto pos = doc.GetPicture().GetFirstChildPosition(); pos;)
        ++types[doc.GetPicture().GetNextChild(pos)->GetTypeName()];
    std::printf("graphics: %d\n", doc.GetPicture().GetChildCount());
    for (const auto& [name, count] : types) std::printf("%s: %d\n", name.c_str(), count);
    return doc.OnSaveDocument(pszOut) ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "copy" && argc == 5) || (mode == "paste" && argc == 3))) {
        std::fprintf(stderr, "usage: glyphar_clipboard_probe copy FILE all|first SECONDS\n"
                             "       glyphar_clipboard_probe paste OUT.emf\n");
        return 1;
    }
    CTkQtClipboard clipboard;
    TkSetClipboard(&clipboard);
    CVxDoc doc;
    CVxView view(doc);
    const int nResult = mode == "copy" ? Copy(doc, view, argv[2], std::string(argv[3]) == "all", std::atoi(argv[4]))
                                       : Paste(doc, view, argv[2]);
    TkSetClipboard(nullptr);
    return nResult;
}
