#pragma once
// The application's import filters, in the order they are tried: enhanced,
// Windows, clipboard.

#include "import/VxImportFilter.h"
#include "platform/framework/TkArchive.h"

#include <memory>
#include <vector>

class CVxImportFilterList {
public:
    CVxImportFilterList();

    // The first filter that accepts the file; null when none does.
    const CVxImportFilter* FindFilter(CTkArchive& ar) const;

    const std::vector<std::unique_ptr<CVxImportFilter>>& GetFilters() const { return m_filters; }

private:
    std::vector<std::unique_ptr<CVxImportFilter>> m_filters;
};
