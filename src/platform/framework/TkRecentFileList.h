#pragma once
// The recent-file list: the newest first, each path once, at most a fixed
// number of entries, kept in the settings under "Recent File List".

#include <cstddef>
#include <string>
#include <vector>

class CTkRecentFileList {
public:
    explicit CTkRecentFileList(std::size_t nSize) : m_nSize(nSize) {}

    // Moves strPath to the top, or puts it there and drops the oldest.
    void Add(const std::string& strPath);
    void Remove(std::size_t nIndex);
    // Empty when there is no such entry.
    const std::string& Get(std::size_t nIndex) const;
    std::size_t GetSize() const { return m_nSize; }

    // Through the process-wide settings. Empty or repeated values are skipped.
    void ReadList();
    void WriteList() const;

private:
    std::size_t m_nSize;
    std::vector<std::string> m_paths;
};

// The list the document adds a file to when it takes the file's name; null
// when none is installed (tests, the command-line tool).
CTkRecentFileList* TkGetRecentFileList();
// Not owned; null removes it.
void TkSetRecentFileList(CTkRecentFileList* pList);
