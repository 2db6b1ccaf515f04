// glyphar: the picture editor.

#include "app/VxApp.h"

#include <QApplication>
#include <QStringList>

#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    // After Qt has taken out the arguments meant for it (-platform and such).
    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    CVxApp app;
    if (!app.InitInstance(args)) return app.GetExitCode();
    return QApplication::exec();
}
