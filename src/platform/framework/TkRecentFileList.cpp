#include "platform/framework/TkRecentFileList.h"

#include "platform/framework/TkSettings.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "Recent File List";

CTkRecentFileList* s_pInstalled = nullptr;

std::string KeyOf(std::size_t nIndex)
{
    return "File" + std::to_string(nIndex + 1);
}

}  // namespace

void CTkRecentFileList::Add(const std::string& strPath)
{
    if (strPath.empty() || m_nSize == 0) return;
    std::erase(m_paths, strPath);
    m_paths.insert(m_paths.begin(), strPath);
    if (m_paths.size() > m_nSize) m_paths.resize(m_nSize);
}

void CTkRecentFileList::Remove(std::size_t nIndex)
{
    if (nIndex < m_paths.size()) m_paths.erase(m_paths.begin() + std::ptrdiff_t(nIndex));
}

const std::string& CTkRecentFileList::Get(std::size_t nIndex) const
{
    static const std::string empty;
    return nIndex < m_paths.size() ? m_paths[nIndex] : empty;
}

void CTkRecentFileList::ReadList()
{
    m_paths.clear();
    const ITkSettings& settings = TkGetSettings();
    for (std::size_t i = 0; i < m_nSize; ++i) {
        const std::string path = settings.GetProfileString(kSection, KeyOf(i));
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end())
            m_paths.push_back(path);
    }
}

void CTkRecentFileList::WriteList() const
{
    ITkSettings& settings = TkGetSettings();
    for (std::size_t i = 0; i < m_nSize; ++i) settings.WriteProfileString(kSection, KeyOf(i), Get(i));
}

CTkRecentFileList* TkGetRecentFileList()
{
    return s_pInstalled;
}

void TkSetRecentFileList(CTkRecentFileList* pList)
{
    s_pInstalled = pList;
}
