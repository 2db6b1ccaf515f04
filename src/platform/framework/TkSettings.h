#pragma once
// The application's settings store: integer and string values by section and key.
// Values are text underneath, as in an INI file, so an integer written is also
// readable as its decimal string.

#include <map>
#include <string>
#include <utility>

class ITkSettings {
public:
    virtual ~ITkSettings() = default;
    // nDefault when the value is missing or is not an integer.
    virtual int GetProfileInt(const std::string& section, const std::string& key,
                              int nDefault) const = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& strDefault = {}) const = 0;
    // Return false when the value could not be stored.
    virtual bool WriteProfileInt(const std::string& section, const std::string& key,
                                 int nValue) = 0;
    virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
};

class CTkMemorySettings : public ITkSettings {
public:
    int GetProfileInt(const std::string& section, const std::string& key,
                      int nDefault) const override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& strDefault = {}) const override;
    bool WriteProfileInt(const std::string& section, const std::string& key,
                         int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;

    void RemoveAll() { m_values.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

// The process-wide settings; an in-memory store until another is installed.
ITkSettings& TkGetSettings();
// Installs pSettings (not owned; null restores the in-memory store).
void TkSetSettings(ITkSettings* pSettings);

// Parses a whole decimal integer (leading and trailing blanks allowed), as
// GetProfileInt implementations read stored text.
bool TkParseProfileInt(const std::string& text, int& nValue);
