#pragma once
// What a copy puts on the clipboard and what a paste looks for: the metafile
// and text flavours by MIME name, in the order other programs expect them.

#include "platform/framework/TkClipboard.h"

#include <optional>
#include <string>
#include <vector>

class CVxDoc;
class CVxGraphic;

enum class VxClipKind { Enhanced, Windows, Text };

// The document's own storage, offered on whole-picture copies only.
inline constexpr const char* kVxMimePicture = "application/x-glyphar-picture";
inline constexpr const char* kVxMimeOfficeEmf =
    "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
inline constexpr const char* kVxMimeOfficeWmf =
    "application/x-openoffice-wmf;windows_formatname=\"Image WMF\"";

// The first offered name that stands for kind, the preferred first.
std::optional<std::string> VxFindClipboardFlavour(const std::vector<std::string>& offered,
                                                  VxClipKind kind);

// The flavours of a copy of graphic (the picture, or the selected graphics in
// document order). The enhanced metafile is rendered now; the Windows
// metafiles and the image are made from it when asked for. Empty when the
// metafile could not be made.
std::vector<TkClipboardFlavour> VxMakeCopyFlavours(CVxDoc& doc, CVxGraphic& graphic,
                                                   bool bWholePicture);
