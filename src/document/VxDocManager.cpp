#include "document/VxDocManager.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkSettings.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace {


constexpr const char* kSection = "Application";
constexpr const char* kLastFilterIndex = "LastFileFilterIndex";
constexpr const char* kLastDirectory = "LastFileDirectory";

constexpr std::array kShellFileTypes = std::to_array<VxShellFileType>({
    {".emf", 3, 5058, 151},
    {".wmf", 4, 5059, 152},
});

// Switches start with '-' on this platform.
constexpr std::array kShellVerbs = std::to_array<VxShellVerb>({
    {"open", "\"%1\""},
    {"print", " -p \"%1\""},
    {"printto", " -pt \"%1\" \"%2\" \"%3\" \"%4\""},
});

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// The extension from the last dot of the file name; empty without one.
std::string_view ExtensionOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return path.substr(dot);
}

// The 1-based index of the first filter whose pattern is "*" and the extension.
int FilterIndexFor(const std::vector<VxFileFilter>& filters, std::string_view ext)
{
    if (ext.empty()) return 1;
    std::string pattern(1, '*');
    pattern += ext;
    const auto it = std::find_if(filters.begin(), filters.end(), [&](const VxFileFilter& f) {
        return EqualsNoCase(f.strPattern, pattern);
    });
    return it != filters.end() ? int(it - filters.begin()) + 1 : 1;
}

}  // namespace

bool VxHasExtension(std::string_view strPath, std::string_view ext)
{
    return EqualsNoCase(ExtensionOf(strPath), ext);
}

std::string VxReplaceExtension(const std::string& strPath, std::string_view ext)
{
    const std::size_t nStem = strPath.size() - ExtensionOf(strPath).size();
    return strPath.substr(0, nStem) + std::string(ext);
}

CVxDocManager::CVxDocManager(const CVxImportFilterList& filters) : m_filters(filters) {}

std::vector<VxFileFilter> CVxDocManager::GetFileFilters(bool bOpenFileDialog) const
{
    std::vector<VxFileFilter> filters;
    if (bOpenFileDialog) {
        const std::string all = TkLoadString(IDS_ALL_METAFILES_PATTERN);
        filters.push_back({TkFormat("%s (%s)", TkLoadString(IDS_ALL_METAFILES), all), all});
    }
    const std::string docString = TkLoadString(IDS_DOCUMENT_STRING);
    // Appended rather than "*" + ext: GCC 12 misreads that as an overlapping copy.
    std::string pattern = "*";
    pattern += TkExtractSubString(docString, kDocStringFilterExt);
    filters.push_back({TkExtractSubString(docString, kDocStringFilterName), pattern});
    for (const auto& pFilter : m_filters.GetFilters()) {
        const std::string name = pFilter->GetName();
        // The Windows metafile entry is there already as the document type's own.
        if (name.find("WMF") != std::string::npos) continue;
        if (!bOpenFileDialog && name.find("CLP") != std::string::npos) continue;
        filters.push_back({pFilter->GetFilterString(), pFilter->GetPattern()});
    }
    if (bOpenFileDialog) filters.push_back({TkLoadString(IDS_ALL_FILES), "*.*"});
    return filters;
}

bool CVxDocManager::DoPromptFileName(std::string& strFileName, UINT nIdTitle, DWORD lFlags,
                                     bool bOpenFileDialog) const
{
    ITkSettings& settings = TkGetSettings();
    const std::string lastFolder = settings.GetProfileString(kSection, kLastDirectory);
    VxFileDialogRequest request;
    request.bOpenFileDialog = bOpenFileDialog;
    request.strTitle = TkLoadString(nIdTitle);
    request.flags = lFlags;
    request.filters = GetFileFilters(bOpenFileDialog);
    request.strInitialFolder = lastFolder;
    request.strFileName = strFileName;
    if (bOpenFileDialog) {
        request.nFilterIndex = settings.GetProfileInt(kSection, kLastFilterIndex, 1);
    } else {
        request.nFilterIndex = FilterIndexFor(request.filters, ExtensionOf(strFileName));
        // Folders differ by case on this platform, so only an exact match may
        // drop the folder from the proposal.
        const std::filesystem::path proposed(strFileName);
        std::filesystem::path folder(lastFolder);
        if (folder.has_relative_path() && !folder.has_filename()) folder = folder.parent_path();
        if (!lastFolder.empty() && proposed.parent_path() == folder)
            request.strFileName = proposed.filename().string();
    }
    if (!VxGetFileDialogService().ShowFileDialog(request)) return false;
    strFileName = request.strFileName;
    settings.WriteProfileString(kSection, kLastDirectory,
                                std::filesystem::path(strFileName).parent_path().string());
    if (bOpenFileDialog) settings.WriteProfileInt(kSection, kLastFilterIndex, request.nFilterIndex);
    return true;
}

std::span<const VxShellFileType> CVxDocManager::GetShellFileTypes()
{
    return kShellFileTypes;
}

std::span<const VxShellVerb> CVxDocManager::GetShellVerbs()
{
    return kShellVerbs;
}
