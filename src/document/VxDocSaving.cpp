// The save sequence: the checks that steer a picture away from a lossy Windows
// metafile, the name, and the write that never harms the file it replaces.

#include "document/VxDoc.h"

#include "document/VxDocManager.h"
#include "import/VxImportFilterList.h"
#include "platform/framework/TkFile.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "platform/framework/TkWaitCursor.h"
#include "resources/VxResourceIds.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int kTempNameAttempts = 100;

// A new file opened for writing only; Write throws on failure, as archives expect.
class CNewDiskFile : public CTkFile {
public:
    explicit CNewDiskFile(std::FILE* pFile) : m_pFile(pFile) {}
    ~CNewDiskFile() override
    {
        if (m_pFile) std::fclose(m_pFile);
    }
    CNewDiskFile(const CNewDiskFile&) = delete;
    CNewDiskFile& operator=(const CNewDiskFile&) = delete;

    std::uint32_t Read(void*, std::uint32_t) override { return 0; }
    void Write(const void* pBuffer, std::uint32_t count) override
    {
        if (count != 0 && std::fwrite(pBuffer, 1, count, m_pFile) != count)
            throw CTkFileException(errno == ENOSPC ? CTkFileException::diskFull
                                                   : CTkFileException::generic);
        m_nLength += count;
    }
    std::uint64_t GetPosition() const override { return m_nLength; }
    std::uint64_t GetLength() const override { return m_nLength; }
    void SeekToBegin() override {}
    void Seek(std::uint64_t) override {}

    // Flushes and closes; false when something did not reach the file.
    bool Close()
    {
        const bool bWritten = std::fflush(m_pFile) == 0 && !std::ferror(m_pFile);
        const bool bClosed = std::fclose(m_pFile) == 0;
        m_pFile = nullptr;
        return bWritten && bClosed;
    }

private:
    std::FILE* m_pFile;
    std::uint64_t m_nLength = 0;
};

// A file of a new, unused name next to target, created exclusively.
std::FILE* CreateTempFileBeside(const fs::path& target, fs::path& tempPath)
{
    std::random_device random;
    for (int i = 0; i < kTempNameAttempts; ++i) {
        std::string name(1, '.');
        name += target.filename().string();
        name += '.';
        name += std::to_string(random());
        name += ".tmp";
        tempPath = target.parent_path() / name;
        if (std::FILE* pFile = std::fopen(tempPath.c_str(), "wbx")) return pFile;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// The file a save to strPath replaces: a link is followed, so the link stays.
fs::path SaveTarget(const std::string& strPath)
{
    std::error_code error;
    const fs::path path(strPath);
    if (!fs::is_symlink(path, error)) return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved;
}

int Ask(UINT nIdQuestion)
{
    return TkGetMessageService().ShowMessage(nIdQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

// Yes turns the name into an EMF name, No keeps it; false for anything else.
bool AskForEmf(UINT nIdQuestion, std::string& strName)
{
    const int answer = Ask(nIdQuestion);
    if (answer == IDYES) strName = VxReplaceExtension(strName, ".emf");
    return answer == IDYES || answer == IDNO;
}

}  // namespace

UINT CVxDoc::WriteFile(const std::string& strPath)
{
    const fs::path target = SaveTarget(strPath);
    fs::path tempPath;
    std::FILE* pFile = CreateTempFileBeside(target, tempPath);
    if (!pFile) return IDS_FILE_NOT_WRITTEN;
    UINT nId = 0;
    {
        CNewDiskFile file(pFile);
        try {
            CTkArchive ar(&file, CTkArchive::store);
            nId = Serialize(ar);
        } catch (const CTkFileException&) {
            nId = IDS_FILE_NOT_WRITTEN;
        } catch (const CTkArchiveException&) {
            nId = IDS_FILE_NOT_WRITTEN;
        } catch (const std::bad_alloc&) {
            nId = IDS_FILE_NOT_WRITTEN;
        }
        if (!file.Close() && nId == 0) nId = IDS_FILE_NOT_WRITTEN;
    }
    std::error_code error;
    if (nId == 0) {
        // The replaced file keeps its permissions.
        const fs::file_status status = fs::status(target, error);
        if (!error && fs::exists(status))
            fs::permissions(tempPath, status.permissions(), error);
        fs::rename(tempPath, target, error);
        if (error) nId = IDS_FILE_NOT_WRITTEN;
    }
    if (nId != 0) fs::remove(tempPath, error);
    return nId;
}

bool CVxDoc::OnSaveDocument(const std::string& strPath)
{
    m_strSavePath = strPath;
    const UINT nId = WriteFile(strPath);
    m_strSavePath.clear();
    if (nId != 0) {
        TkGetMessageService().ShowMessage(nId, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CVxDoc::RunSaveChecks(std::string& strName, bool bDefaultExtension)
{
    if (bDefaultExtension && !strName.empty() && !VxHasExtension(strName, ".wmf") &&
        !VxHasExtension(strName, ".emf")) {
        const bool bWmf = CanSaveAsWmf() && !HasWidePatternedLines() && !HasPolyPolylines();
        strName = VxReplaceExtension(strName, bWmf ? ".wmf" : ".emf");
    }
    if (VxHasExtension(strName, ".wmf") && HasWidePatternedLines() &&
        !AskForEmf(IDS_WMF_WIDE_PATTERNED, strName))
        return false;
    if (VxHasExtension(strName, ".wmf") && HasPolyPolylines() &&
        !AskForEmf(IDS_WMF_POLYPOLYLINES, strName))
        return false;
    if (VxHasExtension(strName, ".wmf") && !CanSaveAsWmf()) {
        const int answer = Ask(IDS_FIT_SIZE_FOR_WMF);
        if (answer != IDYES && answer != IDNO) return false;
        if (answer == IDYES) {
            // The fit changes the picture, so it can be undone like any edit.
            SaveUndoState();
            SetPictureSize(FitSizeForWmf(m_sizePicture), TRUE);
        }
    }
    return true;
}

bool CVxDoc::DoSave(const std::string* pPath, bool bReplace)
{
    std::string strName;
    bool bCheck = true;
    if (pPath) {
        strName = *pPath;
    } else {
        strName = m_strPathName;
        if (bReplace && strName.empty()) {
            strName = m_strTitle.substr(0, m_strTitle.find_first_of(" #%;/\\"));
            strName += TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), kDocStringFilterExt);
        }
        if (!RunSaveChecks(strName, true)) return false;
        const std::string strProposed = strName;
        const CVxImportFilterList filters;
        if (!CVxDocManager(filters).DoPromptFileName(
                strName, bReplace ? IDS_SAVE_AS_TITLE : IDS_SAVE_COPY_AS_TITLE,
                OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, false))
            return false;
        bCheck = strName != strProposed;
    }
    if (bCheck && !RunSaveChecks(strName, false)) return false;
    // A failed save leaves no partial file behind, so nothing is deleted here.
    bool bSaved = false;
    {
        const CTkWaitCursor wait;
        bSaved = OnSaveDocument(strName);
    }
    if (!bSaved) return false;
    if (bReplace) SetPathName(strName);
    return true;
}

void CVxDoc::OnFileSaveAs()
{
    DoSave(nullptr, true);
}

void CVxDoc::OnFileSave()
{
    if (VxHasExtension(m_strPathName, ".wmf") || VxHasExtension(m_strPathName, ".emf")) {
        const std::string strPath = m_strPathName;
        DoSave(&strPath, true);
    } else {
        DoSave(nullptr, true);
    }
}
