#include "app/VxShellRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr const char* kDesktopEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Glyphar\n"
    "GenericName=Metafile Editor\n"
    "Comment=Edit Windows metafile pictures\n"
    "Exec=glyphar %F\n"
    "Terminal=false\n"
    "Categories=Graphics;VectorGraphics;\n"
    "MimeType=image/emf;image/wmf;image/x-emf;image/x-wmf;application/x-msclip;\n";

// Clipboard files start with a 16-bit little-endian file id.
constexpr const char* kMimeTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-msclip\">\n"
    "    <comment>Clipboard file</comment>\n"
    "    <glob pattern=\"*.clp\"/>\n"
    "    <magic priority=\"50\">\n"
    "      <match type=\"little16\" offset=\"0\" value=\"0xC350\"/>\n"
    "      <match type=\"little16\" offset=\"0\" value=\"0xC351\"/>\n"
    "      <match type=\"little16\" offset=\"0\" value=\"0xC352\"/>\n"
    "    </magic>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

QString DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

bool WriteText(const QString& path, const char* pszText)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(pszText);
    return file.commit();
}

// The tool's absence is no error: the desktop rescans on its own then.
void RunIfInstalled(const QString& tool, const QString& folder)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty()) QProcess::execute(path, {folder});
}

}  // namespace

QString CVxShellRegistration::DesktopFilePath()
{
    return DataHome() + QStringLiteral("/applications/glyphar.desktop");
}

QString CVxShellRegistration::MimeFilePath()
{
    return DataHome() + QStringLiteral("/mime/packages/glyphar.xml");
}

bool CVxShellRegistration::Register()
{
    const bool bWritten =
        WriteText(DesktopFilePath(), kDesktopEntry) && WriteText(MimeFilePath(), kMimeTypes);
    RefreshCaches();
    return bWritten;
}

void CVxShellRegistration::Unregister()
{
    QFile::remove(DesktopFilePath());
    QFile::remove(MimeFilePath());
    RefreshCaches();
}

void CVxShellRegistration::RefreshCaches()
{
    RunIfInstalled(QStringLiteral("update-mime-database"), DataHome() + QStringLiteral("/mime"));
    RunIfInstalled(QStringLiteral("update-desktop-database"),
                   DataHome() + QStringLiteral("/applications"));
}
