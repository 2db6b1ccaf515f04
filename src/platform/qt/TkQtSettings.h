#pragma once
// The settings store of the editor: an INI file in the user's configuration
// folder, one group per section, read and written through QSettings.

#include "platform/framework/TkSettings.h"

#include <QSettings>
#include <QString>

class CTkQtSettings : public ITkSettings {
public:
    // $XDG_CONFIG_HOME/<company>/<product>.conf (the platform's configuration
    // folder when the variable is not set).
    CTkQtSettings(const QString& strCompany, const QString& strProduct);
    // An INI file of the caller's choosing.
    explicit CTkQtSettings(const QString& strFilePath);

    int GetProfileInt(const std::string& section, const std::string& key,
                      int nDefault) const override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& strDefault = {}) const override;
    bool WriteProfileInt(const std::string& section, const std::string& key,
                         int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;

    QString GetFilePath() const { return m_settings.fileName(); }
    // Where the two-argument constructor keeps the file.
    static QString DefaultFilePath(const QString& strCompany, const QString& strProduct);

private:
    static QString KeyOf(const std::string& section, const std::string& key);

    mutable QSettings m_settings;
};
