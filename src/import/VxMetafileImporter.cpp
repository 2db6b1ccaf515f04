#include "import/VxMetafileImporter.h"

#include "import/VxEmfDispatch.h"
#include "platform/framework/TkSettings.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

namespace {

constexpr int kNotInTable = -1;

bool PatternNamesWmf(std::string pattern)
{
    std::transform(pattern.begin(), pattern.end(), pattern.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return pattern.find("WMF") != std::string::npos;
}

bool CollectIgnoredRecords()
{
    return TkGetSettings().GetProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings",
                                         0) != 0;
}

}  // namespace

CVxMetafileImporter::CVxMetafileImporter(CVxEmfConverter& converter,
                                         const CVxImportFilterList& filters)
    : m_converter(converter), m_filters(filters)
{
}

UINT CVxMetafileImporter::ImportFile(CTkArchive& ar)
{
    m_pFilter = m_filters.FindFilter(ar);
    if (!m_pFilter) return IDS_FILE_NOT_READ;
    m_bFromWmf = PatternNamesWmf(m_pFilter->GetPattern()) ? TRUE : FALSE;
    const std::unique_ptr<CVxEnhMetaFile> emf = m_pFilter->Import(ar);
    if (!emf) return IDS_FILE_NOT_READ;
    return ImportMetafile(*emf);
}

UINT CVxMetafileImporter::ImportMetafile(const CVxEnhMetaFile& emf)
{
    m_converter.m_bFromWmf = m_bFromWmf;
    m_converter.m_bFromWindowsBits = emf.IsFromWindowsBits() ? TRUE : FALSE;
    m_ignored.RemoveAll();
    const bool bCollect = CollectIgnoredRecords();
    const BOOL bDone =
        emf.Enumerate([&](const TkEmfRecord& record) { return TreatRecord(record, bCollect); });
    // What was met before a stop is worth showing too.
    if (bCollect) m_ignored.Show();
    return bDone ? 0 : IDS_METAFILE_NOT_READ;
}

bool CVxMetafileImporter::TreatRecord(const TkEmfRecord& record, bool bCollect)
{
    const int preview = m_converter.PreviewRecord(record);
    if (preview != kNotHandled) return preview != kStop;
    const int answer = VxDispatchEmfRecord(m_converter, record);
    if (answer == kStop) return false;
    if ((answer == kNotInTable || answer == kNotHandled) && bCollect)
        m_ignored.AddIgnoredRecord(record.type);
    return true;
}
