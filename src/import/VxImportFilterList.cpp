#include "import/VxImportFilterList.h"

CVxImportFilterList::CVxImportFilterList()
{
    m_filters.push_back(std::make_unique<CVxEmfImportFilter>());
    m_filters.push_back(std::make_unique<CVxWmfImportFilter>());
    m_filters.push_back(std::make_unique<CVxClpImportFilter>());
}

const CVxImportFilter* CVxImportFilterList::FindFilter(CTkArchive& ar) const
{
    for (const auto& pFilter : m_filters) {
        if (pFilter->CanImport(ar)) return pFilter.get();
    }
    return nullptr;
}
