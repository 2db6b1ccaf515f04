#include "platform/qt/TkQtSettings.h"

#include <QStandardPaths>

CTkQtSettings::CTkQtSettings(const QString& strCompany, const QString& strProduct)
    : CTkQtSettings(DefaultFilePath(strCompany, strProduct))
{
}

CTkQtSettings::CTkQtSettings(const QString& strFilePath)
    : m_settings(strFilePath, QSettings::IniFormat)
{
}

QString CTkQtSettings::DefaultFilePath(const QString& strCompany, const QString& strProduct)
{
    // Asked each time rather than left to QSettings, which fixes its folder
    // once per process: the file follows XDG_CONFIG_HOME as it is now.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + u'/' + strCompany + u'/' + strProduct + QStringLiteral(".conf");
}

QString CTkQtSettings::KeyOf(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

int CTkQtSettings::GetProfileInt(const std::string& section, const std::string& key,
                                 int nDefault) const
{
    const QVariant value = m_settings.value(KeyOf(section, key));
    int nValue = 0;
    if (!value.isValid() || !TkParseProfileInt(value.toString().toStdString(), nValue))
        return nDefault;
    return nValue;
}

std::string CTkQtSettings::GetProfileString(const std::string& section, const std::string& key,
                                            const std::string& strDefault) const
{
    const QVariant value = m_settings.value(KeyOf(section, key));
    return value.isValid() ? value.toString().toStdString() : strDefault;
}

bool CTkQtSettings::WriteProfileInt(const std::string& section, const std::string& key,
                                    int nValue)
{
    return WriteProfileString(section, key, std::to_string(nValue));
}

bool CTkQtSettings::WriteProfileString(const std::string& section, const std::string& key,
                                       const std::string& value)
{
    m_settings.setValue(KeyOf(section, key), QString::fromStdString(value));
    // Written at once, so a failure is known to the caller and a crash loses nothing.
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}
