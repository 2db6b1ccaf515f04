#pragma once
// Drives one import: picks the filter that reads the file, turns the file into
// one enhanced metafile and feeds its records to the converter, collecting the
// types of the records nothing took.

#include "import/VxEmfConverter.h"
#include "import/VxEnhMetaFile.h"
#include "import/VxIgnoredMetafileRecords.h"
#include "import/VxImportFilterList.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/GdiTypes.h"
#include "resources/VxResourceIds.h"


class CVxMetafileImporter {
public:
    // Neither is owned; both must outlive the importer.
    CVxMetafileImporter(CVxEmfConverter& converter, const CVxImportFilterList& filters);

    // 0 on success, otherwise the message id (4205, 4209).
    UINT ImportFile(CTkArchive& ar);
    // 0 when the enumeration ran to its end, otherwise 4209.
    UINT ImportMetafile(const CVxEnhMetaFile& emf);

    // The filter that took the last file given to ImportFile; null when none did.
    const CVxImportFilter* GetFilter() const { return m_pFilter; }
    BOOL IsFromWmf() const { return m_bFromWmf; }
    const CVxIgnoredMetafileRecords& GetIgnoredRecords() const { return m_ignored; }

private:
    bool TreatRecord(const TkEmfRecord& record, bool bCollect);

    CVxEmfConverter& m_converter;
    BOOL m_bFromWmf = FALSE;
    CVxIgnoredMetafileRecords m_ignored;
    const CVxImportFilterList& m_filters;
    const CVxImportFilter* m_pFilter = nullptr;
};
