#include "editing/VxClipboardFormats.h"

#include "document/VxDoc.h"
#include "editing/VxPictureRenderer.h"
#include "graphics/VxText.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkUnicode.h"
#include "platform/gdi/TkWmfPlayer.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;
using SharedBytes = std::shared_ptr<const Bytes>;

// Preferred first; names compare up to their parameters.
constexpr std::array kEnhancedNames{kVxMimePicture, kVxMimeOfficeEmf, "image/emf", "image/x-emf"};
constexpr std::array kWindowsNames{kVxMimeOfficeWmf, "image/wmf", "image/x-wmf",
                                   "application/x-msmetafile"};
// The rendering for programs that take only bitmaps: 96 dpi, but no side
// beyond this.
constexpr int kMaxImageSide = 4096;

// The copied metafile read back into a document of its own, to render the
// other flavours from bytes that no longer change.
std::unique_ptr<CVxDoc> Reload(const SharedBytes& pEmf)
{
    auto pDoc = std::make_unique<CVxDoc>();
    CTkMemFile file(*pEmf);
    CTkArchive ar(&file, CTkArchive::load);
    if (pDoc->Serialize(ar) != 0) return nullptr;
    return pDoc;
}

Bytes MakeWmf(const SharedBytes& pEmf, bool bPlaceable)
{
    const std::unique_ptr<CVxDoc> pDoc = Reload(pEmf);
    if (!pDoc) return {};
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    if (pDoc->WriteWmf(ar) != 0) return {};
    Bytes bytes = file.Detach();
    if (!bPlaceable) bytes.erase(bytes.begin(), bytes.begin() + kPlaceableWmfHeaderBytes);
    return bytes;
}

Bytes MakePng(const SharedBytes& pEmf)
{
    const std::unique_ptr<CVxDoc> pDoc = Reload(pEmf);
    if (!pDoc) return {};
    const SIZE size = pDoc->GetPictureSize();
    const double fInch = pDoc->GetUnitsPerInch().x;
    double fWidth = std::max(1.0, std::round(size.cx * 96.0 / fInch));
    if (size.cx > 0 && size.cy > 0)
        fWidth = std::min({fWidth, double(kMaxImageSide), kMaxImageSide * double(size.cx) / size.cy});
    const QImage image = CVxPictureRenderer::RenderToImage(pDoc->GetPicture(), size,
                                                           std::max(1, int(fWidth)));
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return Bytes(png.begin(), png.end());
}

// The texts of graphic, at any depth, one to a line.
std::string CollectText(CVxGraphic& graphic)
{
    std::u16string text;
    graphic.ForEachGraphic(
        [](CVxGraphic* pGraphic, void* pContext) -> BOOL {
            if (const auto* pText = dynamic_cast<const CVxText*>(pGraphic)) {
                auto& all = *static_cast<std::u16string*>(pContext);
                if (!all.empty()) all += u'\n';
                all += pText->GetText();
            }
            return TRUE;
        },
        &text);
    return TkUtf16ToUtf8(text);
}

TkClipboardFlavour Shared(const char* pszMime, const SharedBytes& pBytes)
{
    return {pszMime, [pBytes] { return *pBytes; }};
}

}  // namespace

std::optional<std::string> VxFindClipboardFlavour(const std::vector<std::string>& offered,
                                                  VxClipKind kind)
{
    const auto find = [&](const char* pszName) -> std::optional<std::string> {
        const auto it = std::find_if(offered.begin(), offered.end(),
                                     [&](const std::string& s) { return TkSameMimeType(s, pszName); });
        if (it == offered.end()) return std::nullopt;
        return *it;
    };
    if (kind == VxClipKind::Text) return find("text/plain");
    for (const char* pszName : kind == VxClipKind::Enhanced ? std::span<const char* const>(kEnhancedNames)
                                                            : std::span<const char* const>(kWindowsNames)) {
        if (auto name = find(pszName)) return name;
    }
    return std::nullopt;
}

std::vector<TkClipboardFlavour> VxMakeCopyFlavours(CVxDoc& doc, CVxGraphic& graphic,
                                                   bool bWholePicture)
{
    const std::unique_ptr<CTkEnhMetaFile> pMetaFile = doc.RenderToEnhMetaFile(graphic);
    if (!pMetaFile || pMetaFile->GetBits().empty()) return {};
    const std::span<const std::uint8_t> bits = pMetaFile->GetBits();
    const auto pEmf = std::make_shared<const Bytes>(bits.begin(), bits.end());
    std::vector<TkClipboardFlavour> flavours;
    if (bWholePicture) flavours.push_back(Shared(kVxMimePicture, pEmf));
    for (const char* pszMime : {kVxMimeOfficeEmf, "image/x-emf", "image/emf"})
        flavours.push_back(Shared(pszMime, pEmf));
    if (doc.CanSaveAsWmf()) {
        flavours.push_back({kVxMimeOfficeWmf, [pEmf] { return MakeWmf(pEmf, false); }});
        for (const char* pszMime : {"image/x-wmf", "image/wmf"})
            flavours.push_back({pszMime, [pEmf] { return MakeWmf(pEmf, true); }});
    }
    flavours.push_back({"image/png", [pEmf] { return MakePng(pEmf); }});
    if (std::string text = CollectText(graphic); !text.empty()) {
        flavours.push_back({"text/plain", [t = std::move(text)] { return Bytes(t.begin(), t.end()); }});
    }
    return flavours;
}
