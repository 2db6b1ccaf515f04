#pragma once
// The import filters: which file kinds the program reads, and the file-dialog
// filters that name them. Whichever filter accepts a file, the file's own
// content decides how it is read.

#include "import/VxEnhMetaFile.h"
#include "platform/framework/TkArchive.h"

#include <memory>
#include <string>

class CVxImportFilter {
public:
    CVxImportFilter(std::string strName, unsigned nDescriptionId, unsigned nPatternId);
    virtual ~CVxImportFilter() = default;

    // Whether the file at the archive's position is of this filter's kind; the
    // position is left as it was.
    virtual bool CanImport(CTkArchive& ar) const;
    // "Description (pattern)".
    virtual std::string GetFilterString() const;
    // The file read into one enhanced metafile; null when it cannot be.
    virtual std::unique_ptr<CVxEnhMetaFile> Import(CTkArchive& ar) const;

    std::string GetName() const { return m_strName; }
    std::string GetPattern() const { return m_strPattern; }
    std::string GetDescription() const { return m_strDescription; }

protected:
    std::string m_strDescription;
    std::string m_strPattern;
    std::string m_strName;
};

class CVxEmfImportFilter : public CVxImportFilter {
public:
    CVxEmfImportFilter();
    bool CanImport(CTkArchive& ar) const override;
};

class CVxWmfImportFilter : public CVxImportFilter {
public:
    CVxWmfImportFilter();
    bool CanImport(CTkArchive& ar) const override;
};

class CVxClpImportFilter : public CVxImportFilter {
public:
    CVxClpImportFilter();
    bool CanImport(CTkArchive& ar) const override;
};
