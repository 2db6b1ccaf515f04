#include "document/VxDoc.h"

#include "attributes/VxPenGraphicProperty.h"
#include "document/VxDocManager.h"
#include "document/VxUndoHistory.h"
#include "graphics/VxGraphicClasses.h"
#include "graphics/VxPoly.h"
#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkRecentFileList.h"
#include "platform/framework/TkSettings.h"
#include "platform/framework/TkStrings.h"
#include "platform/framework/TkWaitCursor.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkGdiObjects.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>
#include <utility>

namespace {

constexpr const char* kDocumentSection = "Document";
constexpr const char* kApplicationSection = "Application";
constexpr int kDefaultUnitsPerCm = 1000;
constexpr SIZE kDefaultSize{6985, 5397};  // 2.75 by 2.125 inches
constexpr int kDefaultMaxUndos = 16;
constexpr int kMaxUndosLimit = 32767;
// Keeps units * 100 (the viewport's divisor) inside 32 bits.
constexpr int kMaxUnitsPerCm = 10'000'000;
constexpr int kMinPictureSize = 100;
constexpr int kWmfSizeLimit = 32768;

int ReadUnitsPerCm(const char* key)
{
    const int value = TkGetSettings().GetProfileInt(kDocumentSection, key, kDefaultUnitsPerCm);
    return value > 0 && value <= kMaxUnitsPerCm ? value : kDefaultUnitsPerCm;
}

int ReadDefaultExtent(const char* key, int nDefault)
{
    const int value = TkGetSettings().GetProfileInt(kDocumentSection, key, nDefault);
    return value > 0 ? value : nDefault;
}

int ReadMaxUndos()
{
    const int value =
        TkGetSettings().GetProfileInt(kApplicationSection, "MaxNumberOfUndos", kDefaultMaxUndos);
    return std::clamp(value, 0, kMaxUndosLimit);
}

// A regular file read whole. Returns why it cannot be opened or read, in the
// system's words, or an empty code.
std::error_code ReadFileBytes(const std::string& strPath, std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(strPath, error);
    if (error) return error;
    if (std::filesystem::is_directory(status)) return std::make_error_code(std::errc::is_a_directory);
    if (!std::filesystem::is_regular_file(status)) return std::make_error_code(std::errc::invalid_argument);
    const std::uintmax_t size = std::filesystem::file_size(strPath, error);
    if (error) return error;
    if (size > UINT32_MAX) return std::make_error_code(std::errc::file_too_large);
    errno = 0;
    std::ifstream in(strPath, std::ios::binary);
    if (!in) return std::error_code(errno ? errno : EACCES, std::generic_category());
    bytes.resize(std::size_t(size));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    // A file that shrank meanwhile is read as far as it goes.
    bytes.resize(std::size_t(in.gcount()));
    return in.bad() ? std::make_error_code(std::errc::io_error) : std::error_code();
}

void ShowFailure(UINT nIdMessage)
{
    TkGetMessageService().ShowMessage(nIdMessage, MB_OK | MB_ICONEXCLAMATION);
}

BOOL IsWideDashedPen(CVxGraphic* pGraphic)
{
    const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(pGraphic->LookupProperty("Pen"));
    // A group's mixed pen says nothing; its members are asked one by one.
    if (!pPen || pPen->GetState(CVxPenGraphicProperty::Width) == VX_STATE_MIXED ||
        pPen->GetState(CVxPenGraphicProperty::Style) == VX_STATE_MIXED)
        return FALSE;
    const UINT style = pPen->GetStyle() & PS_STYLE_MASK;
    return pPen->GetWidth() >= 2 && style >= PS_DASH && style <= PS_DASHDOTDOT;
}

BOOL IsOpenPolyPolyline(CVxGraphic* pGraphic)
{
    const auto* pPoly = dynamic_cast<const CVxPoly*>(pGraphic);
    return pPoly && !pPoly->IsClosed() && pPoly->GetSubPolygonCount() > 1;
}

// Whether some graphic of the picture, at any depth, passes the test.
BOOL AnyGraphic(CVxPicture& picture, BOOL (*pfnTest)(CVxGraphic*))
{
    struct Search {
        BOOL (*pfnTest)(CVxGraphic*);
        BOOL bFound;
    } search{pfnTest, FALSE};
    picture.ForEachGraphic(
        [](CVxGraphic* pGraphic, void* pContext) -> BOOL {
            auto& s = *static_cast<Search*>(pContext);
            s.bFound = s.pfnTest(pGraphic);
            return !s.bFound;
        },
        &search);
    return search.bFound;
}

}  // namespace

CVxDoc::CVxDoc(bool bEmbedded)
    : m_pPicture(std::make_unique<CVxPicture>()),
      m_pUndoHistory(std::make_unique<CVxUndoHistory>(ReadMaxUndos()))
{
    // Undo snapshots and the picture's own storage read graphics back by class
    // name; without the names every restore fails.
    VxRegisterGraphicClasses();
    m_pPicture->SetDocument(this);
    m_strTitle = TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), kDocStringNewName);
    m_sizeDefaultUnitsPerCm = {ReadUnitsPerCm("DefaultXUnitsPerCentimeter"),
                               ReadUnitsPerCm("DefaultYUnitsPerCentimeter")};
    m_sizeDefault = bEmbedded ? SIZE{ReadDefaultExtent("EmbeddedDocWidth", kDefaultSize.cx),
                                     ReadDefaultExtent("EmbeddedDocHeight", kDefaultSize.cy)}
                              : SIZE{ReadDefaultExtent("StandardDocWidth", kDefaultSize.cx),
                                     ReadDefaultExtent("StandardDocHeight", kDefaultSize.cy)};
    CVxDoc::DeleteContents();
}

CVxDoc::~CVxDoc()
{
    CVxDoc::DeleteContents();
    // Brushes of imported graphics may have used these until now.
    for (HBITMAP hBitmap : m_bitmaps) DeleteObject(hBitmap);
}

void CVxDoc::SetUnitsPerCm(SIZE size)
{
    m_sizeUnitsPerCm = size;
    m_unitsPerCm = {double(size.cx), double(size.cy)};
    m_unitsPerInch = {m_unitsPerCm.x * 2.54, m_unitsPerCm.y * 2.54};
}

void CVxDoc::DeleteContents()
{
    SetUnitsPerCm(m_sizeDefaultUnitsPerCm);
    m_sizePicture = {MulDiv(m_sizeDefault.cx, m_sizeUnitsPerCm.cx, 1000),
                     MulDiv(m_sizeDefault.cy, m_sizeUnitsPerCm.cy, 1000)};
    // Emptying is no edit: the views get one reset, the modified flag stays.
    const bool bModified = IsModified();
    m_pPicture->SetUpdateViews(FALSE);
    m_pPicture->DeleteAllChildren();
    m_pPicture->SetUpdateViews(TRUE);
    SetModifiedFlag(bModified);
    UpdateAllViews(nullptr, kVxHintDeleteContents);
    m_pUndoHistory->Clear();
}

void CVxDoc::SetPathName(const std::string& strPath)
{
    m_strPathName = strPath;
    m_strTitle = std::filesystem::path(strPath).filename().string();
    if (CTkRecentFileList* pList = TkGetRecentFileList()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(strPath, error);
        pList->Add(error ? strPath : absolute.lexically_normal().string());
    }
}

// --- the picture and its size

void CVxDoc::SetPictureSize(SIZE size, BOOL bResizeObjects)
{
    if ((size.cx == m_sizePicture.cx && size.cy == m_sizePicture.cy) || !IsValidPictureSize(size))
        return;
    if (bResizeObjects) ResizeGraphics(m_sizePicture, size);
    m_sizePicture = size;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kVxHintPictureSize);
}

void CVxDoc::ResizeGraphics(SIZE sizeOld, SIZE sizeNew)
{
    if (m_pPicture->HasNoChildren()) return;
    // The picture scales about its centre; moving the centre to its scaled place
    // makes that a scaling about the page's origin.
    const POINT centre = m_pPicture->GetCenter();
    m_pPicture->Scale(sizeNew.cx, sizeNew.cy, sizeOld.cx, sizeOld.cy);
    m_pPicture->Offset(MulDiv(centre.x, sizeNew.cx, sizeOld.cx) - centre.x,
                       MulDiv(centre.y, sizeNew.cy, sizeOld.cy) - centre.y);
}

BOOL CVxDoc::IsValidPictureSize(SIZE size)
{
    const RECT bounds = GetSafePictureBounds();
    return size.cx >= kMinPictureSize && size.cx <= bounds.right && size.cy >= kMinPictureSize &&
           size.cy <= bounds.bottom;
}

RECT CVxDoc::GetSafePictureBounds()
{
    if (!m_bSafeBoundsKnown) {
        const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
        m_rcSafeBounds = {0, 0, limits.right / 2, limits.bottom / 2};
        m_bSafeBoundsKnown = true;
    }
    return m_rcSafeBounds;
}

BOOL CVxDoc::CanSaveAsWmf() const
{
    return m_sizePicture.cx < kWmfSizeLimit && m_sizePicture.cy < kWmfSizeLimit;
}

BOOL CVxDoc::HasPolyPolylines()
{
    return AnyGraphic(*m_pPicture, IsOpenPolyPolyline);
}

BOOL CVxDoc::HasWidePatternedLines()
{
    return AnyGraphic(*m_pPicture, IsWideDashedPen);
}

SIZE CVxDoc::FitSizeForWmf(SIZE size) const
{
    const ITkSettings& settings = TkGetSettings();
    const int nMultiplier =
        settings.GetProfileInt(kApplicationSection, "SafeGdiBoundsMultiplier", 1);
    const int nDivisor = settings.GetProfileInt(kApplicationSection, "SafeGdiBoundsDivisor", 4);
    int limit = MulDiv(65535, nMultiplier, nDivisor);
    // Settings that give no usable limit fall back to the default one; a limit
    // that could still not be written as a WMF is brought down to what can.
    if (limit < kMinPictureSize) limit = MulDiv(65535, 1, 4);
    limit = std::min(limit, kWmfSizeLimit - 1);
    if ((size.cx <= limit && size.cy <= limit) || size.cx <= 0 || size.cy <= 0) return size;
    const int divisor = double(size.cy) / double(size.cx) < 1.0 ? size.cx : size.cy;
    return {MulDiv(size.cx, limit, divisor), MulDiv(size.cy, limit, divisor)};
}

void CVxDoc::SetPictureSizeToFrame(const RECT& frame)
{
    const long long cx = (long long)frame.right - frame.left;
    const long long cy = (long long)frame.bottom - frame.top;
    if (cx > INT32_MAX || cy > INT32_MAX) return;  // too big for any picture
    SetPictureSize({LONG(cx), LONG(cy)}, TRUE);
}

void CVxDoc::AddImportedGdiObjects(std::vector<HBITMAP>& bitmaps, std::vector<PackedDib>& globals)
{
    m_bitmaps.insert(m_bitmaps.end(), bitmaps.begin(), bitmaps.end());
    bitmaps.clear();
    m_globals.insert(m_globals.end(), std::make_move_iterator(globals.begin()),
                     std::make_move_iterator(globals.end()));
    globals.clear();
    UpdateAllViews(nullptr, kVxHintImportedObjects);
}

// --- reading

std::unique_ptr<CVxEmfToVxConverter> CVxDoc::MakeConverter()
{
    const RECT bounds = GetSafePictureBounds();
    const BOOL bIgnoreSpacing =
        TkGetSettings().GetProfileInt(kApplicationSection, "IgnoreTextCharacterSpacingTables", 1)
            ? TRUE
            : FALSE;
    return std::make_unique<CVxEmfToVxConverter>(bounds.left, bounds.top, bounds.right,
                                                 bounds.bottom, bIgnoreSpacing);
}

UINT CVxDoc::ImportInto(CTkArchive& ar, CVxEmfToVxConverter& converter, VxImportReport& report)
{
    try {
        report.kind = VxRecogniseImport(ar);
        const CVxImportFilterList filters;
        CVxMetafileImporter importer(converter, filters);
        const UINT nId = importer.ImportFile(ar);
        if (nId != 0) return nId;
        report.rcFrame = converter.GetFrameRect();
        report.ignored = importer.GetIgnoredRecords().GetTypes();
        return 0;
    } catch (const CTkArchiveException&) {
        return IDS_FILE_NOT_READ;
    } catch (const std::bad_alloc&) {
        return IDS_METAFILE_NOT_READ;
    }
}

void CVxDoc::TakeImport(CVxEmfToVxConverter& converter, VxImportReport& report)
{
    SetPictureSizeToFrame(report.rcFrame);
    std::vector<HBITMAP> bitmaps;
    std::vector<PackedDib> globals;
    converter.HandOver(*m_pPicture, bitmaps, globals);
    AddImportedGdiObjects(bitmaps, globals);
    // The converter works in hundredths of a millimetre.
    SetPictureSize({MulDiv(m_sizePicture.cx, m_sizeUnitsPerCm.cx, 1000),
                    MulDiv(m_sizePicture.cy, m_sizeUnitsPerCm.cy, 1000)},
                   TRUE);
}

UINT CVxDoc::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) return VxHasExtension(m_strSavePath, ".wmf") ? WriteWmf(ar) : WriteEmf(ar);
    return Load(ar, false);
}

UINT CVxDoc::Load(CTkArchive& ar, bool bReplace)
{
    VxImportReport report;
    std::unique_ptr<CVxEmfToVxConverter> pConverter;
    // An empty file is an empty picture (a new embedded object starts so).
    if (ar.GetFile()->GetLength() != 0) {
        pConverter = MakeConverter();
        const UINT nId = ImportInto(ar, *pConverter, report);
        if (nId != 0) return nId;
    }
    if (bReplace) DeleteContents();
    if (pConverter) TakeImport(*pConverter, report);
    m_lastImport = std::move(report);
    return 0;
}

UINT CVxDoc::ConvertMetafile(std::vector<std::uint8_t> bytes, std::span<const VxImportKind> accepted,
                             std::unique_ptr<CVxEmfToVxConverter>& pConverter)
{
    try {
        CTkMemFile file(std::move(bytes));
        CTkArchive ar(&file, CTkArchive::load);
        if (std::find(accepted.begin(), accepted.end(), VxRecogniseImport(ar)) == accepted.end())
            return IDS_METAFILE_NOT_READ;
        pConverter = MakeConverter();
        VxImportReport report;
        return ImportInto(ar, *pConverter, report);
    } catch (const std::bad_alloc&) {
        return IDS_METAFILE_NOT_READ;
    }
}

bool CVxDoc::OnOpenDocument(const std::string& strPath)
{
    std::vector<std::uint8_t> bytes;
    UINT nId = IDS_FILE_NOT_READ;
    try {
        const CTkWaitCursor wait;
        // A file that is missing or locked says so: its format is not at fault.
        if (const std::error_code error = ReadFileBytes(strPath, bytes)) {
            TkGetMessageService().ShowMessage(IDS_FILE_NOT_OPENED, MB_OK | MB_ICONEXCLAMATION,
                                              {strPath, error.message()});
            return false;
        }
        CTkMemFile file(std::move(bytes));
        CTkArchive ar(&file, CTkArchive::load);
        nId = Load(ar, true);
    } catch (const std::bad_alloc&) {
        nId = IDS_FILE_NOT_READ;
    }
    if (nId != 0) {
        ShowFailure(nId);
        return false;
    }
    SetPathName(strPath);
    SetModifiedFlag(false);
    return true;
}
