#include "platform/framework/TkSettings.h"

#include "platform/framework/TkServiceSlot.h"

#include <charconv>

int CTkMemorySettings::GetProfileInt(const std::string& section, const std::string& key,
                                     int nDefault) const
{
    const auto it = m_values.find({section, key});
    int nValue = 0;
    return it != m_values.end() && TkParseProfileInt(it->second, nValue) ? nValue : nDefault;
}

std::string CTkMemorySettings::GetProfileString(const std::string& section,
                                                const std::string& key,
                                                const std::string& strDefault) const
{
    const auto it = m_values.find({section, key});
    return it != m_values.end() ? it->second : strDefault;
}

bool CTkMemorySettings::WriteProfileInt(const std::string& section, const std::string& key,
                                        int nValue)
{
    return WriteProfileString(section, key, std::to_string(nValue));
}

bool CTkMemorySettings::WriteProfileString(const std::string& section,
                                           const std::string& key, const std::string& value)
{
    m_values[{section, key}] = value;
    return true;
}

bool TkParseProfileInt(const std::string& text, int& nValue)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const auto last = text.find_last_not_of(" \t") + 1;
    const char* begin = text.data() + first;
    const char* end = text.data() + last;
    // from_chars takes no plus sign.
    if (*begin == '+') {
        ++begin;
        if (begin == end || *begin == '-') return false;
    }
    const auto [ptr, ec] = std::from_chars(begin, end, nValue);
    return ec == std::errc() && ptr == end;
}

namespace {

CTkServiceSlot<ITkSettings, CTkMemorySettings>& Slot()
{
    static CTkServiceSlot<ITkSettings, CTkMemorySettings> s_slot;
    return s_slot;
}

}  // namespace

ITkSettings& TkGetSettings()
{
    return Slot().Get();
}

void TkSetSettings(ITkSettings* pSettings)
{
    Slot().Set(pSettings);
}
