#include "import/VxImportFilter.h"

#include "import/VxImportReading.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <utility>

CVxImportFilter::CVxImportFilter(std::string strName, unsigned nDescriptionId,
                                 unsigned nPatternId)
    : m_strDescription(TkLoadString(nDescriptionId)),
      m_strPattern(TkLoadString(nPatternId)),
      m_strName(std::move(strName))
{
}

bool CVxImportFilter::CanImport(CTkArchive&) const
{
    return false;
}

std::string CVxImportFilter::GetFilterString() const
{
    return m_strDescription + " (" + m_strPattern + ")";
}

std::unique_ptr<CVxEnhMetaFile> CVxImportFilter::Import(CTkArchive& ar) const
{
    return VxReadImport(ar);
}

CVxEmfImportFilter::CVxEmfImportFilter()
    : CVxImportFilter("Orvane Software EMF Import Filter V1.00", IDS_EMF_FILTER, IDS_EMF_PATTERN)
{
}

bool CVxEmfImportFilter::CanImport(CTkArchive& ar) const
{
    return VxIsEnhMetaFile(ar);
}

CVxWmfImportFilter::CVxWmfImportFilter()
    : CVxImportFilter("Orvane Software WMF Import Filter V1.00", IDS_WMF_FILTER, IDS_WMF_PATTERN)
{
}

bool CVxWmfImportFilter::CanImport(CTkArchive& ar) const
{
    return VxIsWindowsMetaFile(ar) || VxIsPlaceableMetaFile(ar);
}

CVxClpImportFilter::CVxClpImportFilter()
    : CVxImportFilter("Orvane Software CLP Import Filter V1.00", IDS_CLP_FILTER, IDS_CLP_PATTERN)
{
}

bool CVxClpImportFilter::CanImport(CTkArchive& ar) const
{
    return VxFindClipboardEntry(ar, kVxClipboardEnhMetaFile).has_value() ||
           VxFindClipboardEntry(ar, kVxClipboardMetaFilePict).has_value();
}
