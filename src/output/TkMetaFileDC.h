#pragma once
// The DC a picture is recorded into when it is saved or copied: an enhanced or a
// Windows metafile in memory. It is its own attribute DC, as the recorded handle
// serves for output and for questions alike.

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkMetaFile.h"

#include <memory>
#include <string_view>

class CTkMetaFileDC : public CTkDC {
public:
    // A memory enhanced metafile. pRefDC gives the reference device (null: the
    // fixed one); pBounds is the frame in hundredths of a millimetre (null: from
    // what is drawn); the description is "application\0title\0". Metafiles on
    // disk are not made: with a file name the result is null.
    static std::unique_ptr<CTkMetaFileDC> CreateEnhanced(const CTkDC* pRefDC,
                                                         const WCHAR* pszFileName,
                                                         const RECT* pBounds,
                                                         std::u16string_view description);
    // A memory Windows metafile; null with a file name.
    static std::unique_ptr<CTkMetaFileDC> Create(const WCHAR* pszFileName = nullptr);

    // The recorded metafile; null when this DC records the other kind or was
    // closed already.
    std::unique_ptr<CTkEnhMetaFile> CloseEnhanced();
    std::unique_ptr<CTkMetaFile> Close();

private:
    CTkMetaFileDC(std::unique_ptr<CTkDCBackend> recorder, DWORD objectType,
                  const TkDeviceCaps& caps);
};
