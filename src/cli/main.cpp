// glyphar-cli: the document's reading and writing from the command line, with
// no display needed.

#include "cli/VxCliCommands.h"
#include "platform/qt/TkQtFontEngine.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Standard error carries the tool's own messages; Qt's notes about its
// environment (no runtime folder and the like) are not for the user.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "glyphar-cli: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char* argv[])
{
    // Taken before Qt sees argv, which it may edit.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    const QGuiApplication app(argc, argv);
    // Text measures as in the editor.
    CTkQtFontEngine fonts;
    TkSetFontEngine(&fonts);
    CVxCliCommands commands(std::cout, std::cerr);
    const int nExit = commands.Run(args);
    // Ends without destructors: the output is written and closed by now, and
    // taking a picture of a million records apart costs a fifth of a run.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(nExit);
}
