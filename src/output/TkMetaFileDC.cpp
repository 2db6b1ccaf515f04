#include "output/TkMetaFileDC.h"

#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkMetaFileRecorder.h"

// Text drawn with TA_UPDATECP needs nothing here: the DC model already moves
// the current position by the advances of the text once, as GDI does for a
// metafile DC. Moving it again afterwards would place following text twice as
// far.

CTkMetaFileDC::CTkMetaFileDC(std::unique_ptr<CTkDCBackend> recorder, DWORD objectType,
                             const TkDeviceCaps& caps)
    : CTkDC(std::move(recorder), objectType, caps)
{
}

std::unique_ptr<CTkMetaFileDC> CTkMetaFileDC::CreateEnhanced(const CTkDC* pRefDC,
                                                             const WCHAR* pszFileName,
                                                             const RECT* pBounds,
                                                             std::u16string_view description)
{
    if (pszFileName != nullptr)
        return nullptr;
    const TkDeviceCaps caps = pRefDC ? pRefDC->GetCaps() : TkDeviceCaps::ReferenceDevice();
    auto recorder = std::make_unique<CTkEnhMetaFileRecorder>(caps, pBounds, description);
    return std::unique_ptr<CTkMetaFileDC>(
        new CTkMetaFileDC(std::move(recorder), OBJ_ENHMETADC, caps));
}

std::unique_ptr<CTkMetaFileDC> CTkMetaFileDC::Create(const WCHAR* pszFileName)
{
    if (pszFileName != nullptr)
        return nullptr;
    return std::unique_ptr<CTkMetaFileDC>(new CTkMetaFileDC(
        std::make_unique<CTkMetaFileRecorder>(), OBJ_METADC, CTkMetaFileRecorder::DeviceCaps()));
}

std::unique_ptr<CTkEnhMetaFile> CTkMetaFileDC::CloseEnhanced()
{
    return CloseEnhMetaFile(this);
}

std::unique_ptr<CTkMetaFile> CTkMetaFileDC::Close()
{
    return CloseMetaFile(this);
}
