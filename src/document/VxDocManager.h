#pragma once
// The document manager's data: the file-type lists of the open and save
// dialogs, the last folder and filter they remember, and the file types the
// program registers with the desktop.

#include "document/VxFileDialogService.h"
#include "import/VxImportFilterList.h"
#include "platform/gdi/GdiTypes.h"
#include "resources/VxResourceIds.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>


// A file type registered with the desktop: its extension, the string ids of its
// type name and description, and its icon resource.
struct VxShellFileType {
    const char* pszExtension;
    UINT nTypeNameId;
    UINT nDescriptionId;
    UINT nIconId;
};

// A verb of a registered file type and the arguments it starts the program with.
struct VxShellVerb {
    const char* pszName;
    const char* pszArguments;
};

// Whether the extension of strPath (from its last dot) is ext, regardless of case.
bool VxHasExtension(std::string_view strPath, std::string_view ext);
// strPath with its extension replaced by (or, without one, extended with) ext.
std::string VxReplaceExtension(const std::string& strPath, std::string_view ext);

class CVxDocManager {
public:
    // The filters are the application's; not owned.
    explicit CVxDocManager(const CVxImportFilterList& filters);

    // The open dialog: all metafiles, the document type's own filter, every
    // import filter but the Windows one, all files. The save dialog: the
    // document type's filter and the import filters but the Windows and the
    // clipboard ones.
    std::vector<VxFileFilter> GetFileFilters(bool bOpenFileDialog) const;

    // Asks for a file name through the file dialog service. strFileName is the
    // proposed name and receives the chosen one. Remembers the chosen folder, and
    // for an open dialog the chosen filter. False when cancelled.
    bool DoPromptFileName(std::string& strFileName, UINT nIdTitle, DWORD lFlags,
                          bool bOpenFileDialog) const;

    static std::span<const VxShellFileType> GetShellFileTypes();
    static std::span<const VxShellVerb> GetShellVerbs();

private:
    const CVxImportFilterList& m_filters;
};
