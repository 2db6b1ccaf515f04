#pragma once
// The desktop's knowledge of the program, for the current user: a desktop
// entry that opens metafiles with it, and the clipboard-file MIME type (the
// metafile types are known to the desktop already). Both live under
// $XDG_DATA_HOME; the desktop's caches are refreshed when their tools exist.

#include <QString>

class CVxShellRegistration {
public:
    // False when a file could not be written.
    static bool Register();
    // Removes both files; a file that is not there is no error.
    static void Unregister();

    static QString DesktopFilePath();
    static QString MimeFilePath();

private:
    static void RefreshCaches();
};
