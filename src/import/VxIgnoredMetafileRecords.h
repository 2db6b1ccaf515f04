#pragma once
// The record types an import met but did not turn into graphics, each once, in
// the order first met, and the names they are shown by.

#include "platform/gdi/GdiTypes.h"

#include <functional>
#include <string>
#include <vector>

class CVxIgnoredMetafileRecords {
public:
    // What shows a non-empty list after an import (the editor's dialog, a test,
    // the command-line tool). Empty: nothing is shown.
    using Display = std::function<void(const CVxIgnoredMetafileRecords& records)>;

    void AddIgnoredRecord(DWORD type);
    void RemoveAll() { m_types.clear(); }
    const std::vector<DWORD>& GetTypes() const { return m_types; }
    bool IsEmpty() const { return m_types.empty(); }

    // The standard EMR_ name, or "Unknown function: %hX" for a type without one.
    static std::string GetRecordName(DWORD type);

    static void SetDisplay(Display display);
    // Hands the list to the display when it holds something.
    void Show() const;

private:
    std::vector<DWORD> m_types;
};
