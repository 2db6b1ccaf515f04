#include "platform/gdi/TkWmfPlayer.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkWmfPlayerBitmaps.h"
#include "platform/gdi/TkWmfPlayerObjectTable.h"
#include "platform/gdi/TkWmfPlayerObjects.h"
#include "platform/gdi/TkWmfPlayerRecord.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <array>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kRecordHeaderBytes = 6;  // size in words (32-bit), function
constexpr DWORD kMinRecordWords = 3;

// The kinds of object a play selects, which the DC gets back at the end.
constexpr std::array<UINT, 4> kSelectedKinds = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_PAL};

using Kind = CTkWmfPlayerObjectTable::Kind;

WORD ReadWord(std::span<const BYTE> bytes, std::size_t offset)
{
    return WORD(bytes[offset] | (bytes[offset + 1] << 8));
}

DWORD ReadDWord(std::span<const BYTE> bytes, std::size_t offset)
{
    return ReadWord(bytes, offset) | (DWORD(ReadWord(bytes, offset + 2)) << 16);
}

// The parameter words a record needs for its fixed fields; a shorter record of
// that function is skipped.
std::size_t FixedWords(WORD function)
{
    switch (function) {
    case META_SETBKMODE: case META_SETMAPMODE: case META_SETROP2:
    case META_SETPOLYFILLMODE: case META_SETSTRETCHBLTMODE: case META_SETTEXTCHAREXTRA:
    case META_SETTEXTALIGN: case META_RESTOREDC: case META_SELECTOBJECT:
    case META_SELECTPALETTE: case META_DELETEOBJECT: case META_SELECTCLIPREGION:
    case META_POLYGON: case META_POLYLINE: case META_POLYPOLYGON: case META_TEXTOUT:
        return 1;
    case META_SETBKCOLOR: case META_SETTEXTCOLOR: case META_SETWINDOWORG:
    case META_SETWINDOWEXT: case META_SETVIEWPORTORG: case META_SETVIEWPORTEXT:
    case META_OFFSETWINDOWORG: case META_OFFSETVIEWPORTORG: case META_MOVETO:
    case META_LINETO: case META_ESCAPE:
        return 2;
    case META_SCALEWINDOWEXT: case META_SCALEVIEWPORTEXT: case META_RECTANGLE:
    case META_ELLIPSE: case META_INTERSECTCLIPRECT: case META_EXCLUDECLIPRECT:
    case META_SETPIXEL: case META_EXTTEXTOUT:
        return 4;
    case META_ROUNDRECT: case META_PATBLT:
        return 6;
    case META_ARC: case META_PIE: case META_CHORD:
        return 8;
    default:
        return 0;  // no fields, or the handler measures them itself
    }
}

// Boxes are stored bottom, right, top, left from word i.
RECT ReversedBox(const CTkWmfPlayerRecord& record, std::size_t i)
{
    return {record.Short(i + 3), record.Short(i + 2), record.Short(i + 1), record.Short(i)};
}

SHORT ReadShort(std::span<const BYTE> bytes, std::size_t offset)
{
    return SHORT(ReadWord(bytes, offset));
}

// PointS values, x before y.
std::vector<POINT> ReadPoints(std::span<const BYTE> bytes)
{
    std::vector<POINT> pts(bytes.size() / 4);
    for (std::size_t i = 0; i < pts.size(); ++i)
        pts[i] = {ReadShort(bytes, 4 * i), ReadShort(bytes, 4 * i + 2)};
    return pts;
}

// One UTF-16 unit per character; pStarts receives each one's first byte.
std::u16string DecodeText(std::span<const BYTE> bytes, UINT options, BYTE charSet,
                          std::vector<std::size_t>* pStarts = nullptr)
{
    if ((options & ETO_GLYPH_INDEX) != 0) {
        if (pStarts != nullptr) {
            pStarts->resize(bytes.size());
            std::iota(pStarts->begin(), pStarts->end(), std::size_t(0));
        }
        return std::u16string(bytes.begin(), bytes.end());
    }
    return TkCodePageToUtf16(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), charSet,
        pStarts);
}

// count signed 16-bit advances from byteOffset; none when they do not all fit.
std::vector<INT> ReadAdvances(const CTkWmfPlayerRecord& record, std::size_t byteOffset,
                              std::size_t count)
{
    const auto bytes = record.Bytes(byteOffset, 2 * count);
    if (!bytes.has_value())
        return {};
    std::vector<INT> dx(count);
    for (std::size_t i = 0; i < count; ++i)
        dx[i] = ReadShort(*bytes, 2 * i);
    return dx;
}

}  // namespace

// The state of one play: the object table, the DC states the metafile saved and
// the objects the DC had selected before. Destroying it hands the DC back.
class CTkWmfPlayer::CPlayback {
public:
    CPlayback(CTkDC& dc, const PassOnHandler& passOn, std::size_t objects);
    ~CPlayback();
    CPlayback(const CPlayback&) = delete;
    CPlayback& operator=(const CPlayback&) = delete;

    void Play(const CTkWmfPlayerRecord& record);

private:
    using ArcCall = BOOL (CTkDC::*)(int, int, int, int, int, int, int, int);
    using PolyCall = BOOL (CTkDC::*)(const POINT*, int);

    bool PlayState(const CTkWmfPlayerRecord& record);
    bool PlayMapping(const CTkWmfPlayerRecord& record);
    bool PlayObjects(const CTkWmfPlayerRecord& record);
    bool PlayShapes(const CTkWmfPlayerRecord& record);
    bool PlayText(const CTkWmfPlayerRecord& record);
    bool PlayPassedOn(const CTkWmfPlayerRecord& record);

    void SaveDC();
    void RestoreDC(int nSavedDC);
    void Select(std::size_t slot, DWORD type);
    void SelectObject(std::size_t slot);
    void SelectClipRegion(std::size_t slot);
    void Arc(const CTkWmfPlayerRecord& record, ArcCall call);
    void Poly(const CTkWmfPlayerRecord& record, PolyCall call);
    void PolyPolygon(const CTkWmfPlayerRecord& record);
    void TextOut(const CTkWmfPlayerRecord& record);
    void ExtTextOut(const CTkWmfPlayerRecord& record);
    void Escape(const CTkWmfPlayerRecord& record);
    void Blit(const CTkWmfPlayerRecord& record, DWORD emrType);
    void DibBlit(const CTkWmfPlayerRecord& record, DWORD emrType);
    void PassOn(DWORD emrType);

    CTkDC& m_dc;
    const PassOnHandler& m_passOn;
    CTkWmfPlayerObjectTable m_objects;
    std::array<HGDIOBJ, kSelectedKinds.size()> m_original{};
    int m_saves = 0;  // DC states the metafile saved and has not restored
};

CTkWmfPlayer::CPlayback::CPlayback(CTkDC& dc, const PassOnHandler& passOn, std::size_t objects)
    : m_dc(dc), m_passOn(passOn), m_objects(dc, objects)
{
    for (std::size_t i = 0; i < kSelectedKinds.size(); ++i)
        m_original[i] = dc.GetCurrentObject(kSelectedKinds[i]);
}

CTkWmfPlayer::CPlayback::~CPlayback()
{
    if (m_saves > 0)
        m_dc.RestoreDC(-m_saves);
    // The table deletes its objects after this, so none may stay selected.
    for (std::size_t i = 0; i < kSelectedKinds.size(); ++i) {
        if (m_dc.GetCurrentObject(kSelectedKinds[i]) != m_original[i])
            m_dc.SelectObject(m_original[i]);
    }
}

void CTkWmfPlayer::CPlayback::Play(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(FixedWords(record.GetFunction())))
        return;
    static_cast<void>(PlayState(record) || PlayMapping(record) || PlayObjects(record) ||
                      PlayShapes(record) || PlayText(record) || PlayPassedOn(record));
}

bool CTkWmfPlayer::CPlayback::PlayState(const CTkWmfPlayerRecord& r)
{
    switch (r.GetFunction()) {
    case META_SETBKCOLOR: m_dc.SetBkColor(r.DWord(0)); return true;
    case META_SETBKMODE: m_dc.SetBkMode(r.Word(0)); return true;
    case META_SETTEXTCOLOR: m_dc.SetTextColor(r.DWord(0)); return true;
    case META_SETTEXTALIGN: m_dc.SetTextAlign(r.Word(0)); return true;
    case META_SETROP2: m_dc.SetROP2(r.Word(0)); return true;
    case META_SETPOLYFILLMODE: m_dc.SetPolyFillMode(r.Word(0)); return true;
    case META_SETSTRETCHBLTMODE: m_dc.SetStretchBltMode(r.Word(0)); return true;
    case META_SETTEXTCHAREXTRA: m_dc.SetTextCharacterExtra(r.Short(0)); return true;
    case META_SAVEDC: SaveDC(); return true;
    case META_RESTOREDC: RestoreDC(r.Short(0)); return true;
    // The DC model has nothing these could change.
    case META_SETTEXTJUSTIFICATION: case META_SETRELABS: case META_SETMAPPERFLAGS:
    case META_SETLAYOUT: case META_REALIZEPALETTE: case META_SETPALENTRIES:
    case META_RESIZEPALETTE: case META_ANIMATEPALETTE:
        return true;
    default: return false;
    }
}

bool CTkWmfPlayer::CPlayback::PlayMapping(const CTkWmfPlayerRecord& r)
{
    // Points and extents are stored y first.
    switch (r.GetFunction()) {
    case META_SETMAPMODE: m_dc.SetMapMode(r.Word(0)); return true;
    case META_SETWINDOWORG: m_dc.SetWindowOrg(r.Short(1), r.Short(0)); return true;
    case META_SETWINDOWEXT: m_dc.SetWindowExt(r.Short(1), r.Short(0)); return true;
    case META_SETVIEWPORTORG: m_dc.SetViewportOrg(r.Short(1), r.Short(0)); return true;
    case META_SETVIEWPORTEXT: m_dc.SetViewportExt(r.Short(1), r.Short(0)); return true;
    case META_OFFSETWINDOWORG: m_dc.OffsetWindowOrg(r.Short(1), r.Short(0)); return true;
    case META_OFFSETVIEWPORTORG: m_dc.OffsetViewportOrg(r.Short(1), r.Short(0)); return true;
    // yDenom, yNum, xDenom, xNum
    case META_SCALEWINDOWEXT:
        m_dc.ScaleWindowExt(r.Short(3), r.Short(2), r.Short(1), r.Short(0));
        return true;
    case META_SCALEVIEWPORTEXT:
        m_dc.ScaleViewportExt(r.Short(3), r.Short(2), r.Short(1), r.Short(0));
        return true;
    default: return false;
    }
}

bool CTkWmfPlayer::CPlayback::PlayObjects(const CTkWmfPlayerRecord& r)
{
    switch (r.GetFunction()) {
    case META_CREATEPENINDIRECT: m_objects.Add(TkWmfCreatePen(r)); return true;
    case META_CREATEBRUSHINDIRECT: m_objects.Add(TkWmfCreateBrush(r)); return true;
    case META_DIBCREATEPATTERNBRUSH: m_objects.Add(TkWmfCreateDibPatternBrush(r)); return true;
    case META_CREATEPATTERNBRUSH: m_objects.Add(TkWmfCreatePatternBrush(r)); return true;
    case META_CREATEFONTINDIRECT: m_objects.Add(TkWmfCreateFont(r)); return true;
    case META_CREATEPALETTE: m_objects.Add(TkWmfCreatePalette(r)); return true;
    case META_CREATEREGION: m_objects.Add(0, Kind::Region); return true;
    case META_SELECTOBJECT: SelectObject(r.Word(0)); return true;
    case META_SELECTPALETTE: Select(r.Word(0), OBJ_PAL); return true;
    case META_SELECTCLIPREGION: SelectClipRegion(r.Word(0)); return true;
    case META_DELETEOBJECT: m_objects.Delete(r.Word(0)); return true;
    default: return false;
    }
}

bool CTkWmfPlayer::CPlayback::PlayShapes(const CTkWmfPlayerRecord& r)
{
    const RECT box = ReversedBox(r, 0);
    switch (r.GetFunction()) {
    case META_MOVETO: m_dc.MoveTo(r.Short(1), r.Short(0)); return true;
    case META_LINETO: m_dc.LineTo(r.Short(1), r.Short(0)); return true;
    case META_RECTANGLE: m_dc.Rectangle(box.left, box.top, box.right, box.bottom); return true;
    case META_ELLIPSE: m_dc.Ellipse(box.left, box.top, box.right, box.bottom); return true;
    case META_ROUNDRECT: {
        const RECT b = ReversedBox(r, 2);
        m_dc.RoundRect(b.left, b.top, b.right, b.bottom, r.Short(1), r.Short(0));
        return true;
    }
    case META_ARC: Arc(r, &CTkDC::Arc); return true;
    case META_PIE: Arc(r, &CTkDC::Pie); return true;
    case META_CHORD: Arc(r, &CTkDC::Chord); return true;
    case META_POLYGON: Poly(r, &CTkDC::Polygon); return true;
    case META_POLYLINE: Poly(r, &CTkDC::Polyline); return true;
    case META_POLYPOLYGON: PolyPolygon(r); return true;
    case META_SETPIXEL: m_dc.SetPixel(r.Short(3), r.Short(2), r.DWord(0)); return true;
    case META_PATBLT:
        m_dc.PatBlt(r.Short(5), r.Short(4), r.Short(3), r.Short(2), r.DWord(0));
        return true;
    case META_INTERSECTCLIPRECT:
        m_dc.IntersectClipRect(box.left, box.top, box.right, box.bottom);
        return true;
    case META_EXCLUDECLIPRECT:
        m_dc.ExcludeClipRect(box.left, box.top, box.right, box.bottom);
        return true;
    default: return false;
    }
}

bool CTkWmfPlayer::CPlayback::PlayText(const CTkWmfPlayerRecord& r)
{
    switch (r.GetFunction()) {
    case META_TEXTOUT: TextOut(r); return true;
    case META_EXTTEXTOUT: ExtTextOut(r); return true;
    case META_ESCAPE: Escape(r); return true;
    default: return false;
    }
}

bool CTkWmfPlayer::CPlayback::PlayPassedOn(const CTkWmfPlayerRecord& r)
{
    switch (r.GetFunction()) {
    case META_BITBLT: case META_DIBBITBLT: Blit(r, EMR_BITBLT); return true;
    case META_STRETCHBLT: case META_DIBSTRETCHBLT: Blit(r, EMR_STRETCHBLT); return true;
    case META_STRETCHDIB: DibBlit(r, EMR_STRETCHDIBITS); return true;
    case META_SETDIBTODEV: DibBlit(r, EMR_SETDIBITSTODEVICE); return true;
    case META_FILLREGION: PassOn(EMR_FILLRGN); return true;
    case META_FRAMEREGION: PassOn(EMR_FRAMERGN); return true;
    case META_INVERTREGION: PassOn(EMR_INVERTRGN); return true;
    case META_PAINTREGION: PassOn(EMR_PAINTRGN); return true;
    case META_FLOODFILL: case META_EXTFLOODFILL: PassOn(EMR_EXTFLOODFILL); return true;
    case META_OFFSETCLIPRGN: PassOn(EMR_OFFSETCLIPRGN); return true;
    default: return false;  // unknown: skipped
    }
}

void CTkWmfPlayer::CPlayback::SaveDC()
{
    if (m_dc.SaveDC() != 0)
        ++m_saves;
}

// Levels count from the start of the play, so the caller's own saved states
// are out of the metafile's reach.
void CTkWmfPlayer::CPlayback::RestoreDC(int nSavedDC)
{
    const int levels = nSavedDC < 0 ? -nSavedDC : m_saves - nSavedDC + 1;
    if (nSavedDC == 0 || levels < 1 || levels > m_saves)
        return;
    if (!m_dc.RestoreDC(-levels))
        return;
    m_saves -= levels;
    m_objects.DeleteUnselected();
}

void CTkWmfPlayer::CPlayback::Select(std::size_t slot, DWORD type)
{
    const HGDIOBJ hObject = m_objects.Get(slot);
    if (hObject == 0 || GetObjectType(hObject) != type)
        return;
    m_dc.SelectObject(hObject);
    m_objects.DeleteUnselected();
}

void CTkWmfPlayer::CPlayback::SelectObject(std::size_t slot)
{
    if (m_objects.GetKind(slot) == Kind::Region) {
        PassOn(EMR_EXTSELECTCLIPRGN);  // SelectObject of a region selects the clip
        return;
    }
    // Palettes are selected by their own record only.
    const DWORD type = GetObjectType(m_objects.Get(slot));
    if (type != 0 && type != OBJ_PAL)
        Select(slot, type);
}

void CTkWmfPlayer::CPlayback::SelectClipRegion(std::size_t slot)
{
    const std::optional<Kind> kind = m_objects.GetKind(slot);
    if (!kind.has_value())
        m_dc.SelectClipRect(nullptr);  // no region: the whole surface again
    else if (*kind == Kind::Region)
        PassOn(EMR_EXTSELECTCLIPRGN);
}

// yEnd, xEnd, yStart, xStart, then the box.
void CTkWmfPlayer::CPlayback::Arc(const CTkWmfPlayerRecord& r, ArcCall call)
{
    const RECT b = ReversedBox(r, 4);
    (m_dc.*call)(b.left, b.top, b.right, b.bottom, r.Short(3), r.Short(2), r.Short(1),
                 r.Short(0));
}

void CTkWmfPlayer::CPlayback::Poly(const CTkWmfPlayerRecord& r, PolyCall call)
{
    const std::size_t count = r.Word(0);
    const auto bytes = r.Bytes(2, 4 * count);
    if (!bytes.has_value())
        return;
    const std::vector<POINT> pts = ReadPoints(*bytes);
    (m_dc.*call)(pts.data(), int(pts.size()));
}

void CTkWmfPlayer::CPlayback::PolyPolygon(const CTkWmfPlayerRecord& r)
{
    const std::size_t polygons = r.Word(0);
    const auto countBytes = r.Bytes(2, 2 * polygons);
    if (!countBytes.has_value())
        return;
    std::vector<INT> counts(polygons);
    std::size_t total = 0;  // at most 65535 * 65535: no overflow
    for (std::size_t i = 0; i < polygons; ++i) {
        counts[i] = ReadWord(*countBytes, 2 * i);
        total += std::size_t(counts[i]);
    }
    const auto pointBytes = r.Bytes(2 + 2 * polygons, 4 * total);
    if (!pointBytes.has_value())
        return;
    const std::vector<POINT> pts = ReadPoints(*pointBytes);
    m_dc.PolyPolygon(pts.data(), counts.data(), int(polygons));
}

// Count, the string padded to a word, then y and x.
void CTkWmfPlayer::CPlayback::TextOut(const CTkWmfPlayerRecord& r)
{
    const std::size_t count = r.Word(0);
    const std::size_t textWords = (count + 1) / 2;
    const auto bytes = r.Bytes(2, count);
    if (!bytes.has_value() || !r.Has(1 + textWords + 2))
        return;
    const std::u16string text = DecodeText(*bytes, 0, TkSelectedCharSet(m_dc));
    m_dc.TextOutW(r.Short(2 + textWords), r.Short(1 + textWords), text.data(), int(text.size()));
}

// y, x, count, options, the rectangle when the options use one, the string
// padded to a word, then optionally one 16-bit advance per byte.
void CTkWmfPlayer::CPlayback::ExtTextOut(const CTkWmfPlayerRecord& r)
{
    // The advances here are single values, never x and y pairs.
    const UINT options = r.Word(3) & ~ETO_PDY;
    const std::size_t count = r.Word(2);
    const bool hasRect = (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    const std::size_t textOffset = hasRect ? 16 : 8;
    const auto bytes = r.Bytes(textOffset, count);
    if (!bytes.has_value())
        return;
    const RECT rect{r.Short(4), r.Short(5), r.Short(6), r.Short(7)};
    std::vector<std::size_t> starts;
    const std::u16string text = DecodeText(*bytes, options, TkSelectedCharSet(m_dc), &starts);
    const std::vector<INT> byteDx = ReadAdvances(r, textOffset + count + count % 2, count);
    const bool hasDx = count > 0 && byteDx.size() == count;
    const std::vector<INT> dx = hasDx ? TkCharacterAdvances(byteDx, starts) : std::vector<INT>();
    m_dc.ExtTextOutW(r.Short(1), r.Short(0), options, hasRect ? &rect : nullptr, text.data(),
                     UINT(text.size()), hasDx ? dx.data() : nullptr);
}

// Function, byte count, data; only comments have a meaning here.
void CTkWmfPlayer::CPlayback::Escape(const CTkWmfPlayerRecord& r)
{
    const auto data = r.Bytes(4, r.Word(1));
    if (r.Word(0) == MFCOMMENT && data.has_value())
        m_dc.GdiComment(UINT(data->size()), data->data());
}

// A blit whose record is exactly as long as its function's high byte says has no
// source bitmap: it paints with the brush, which PatBlt does. Its last four
// words are the destination's height, width, y and x.
void CTkWmfPlayer::CPlayback::Blit(const CTkWmfPlayerRecord& r, DWORD emrType)
{
    const std::size_t words = r.GetParamWords();
    if (words != std::size_t(r.GetFunction() >> 8)) {
        DibBlit(r, emrType);
        return;
    }
    m_dc.PatBlt(r.Short(words - 1), r.Short(words - 2), r.Short(words - 3), r.Short(words - 4),
                r.DWord(0));
}

// A bitmap that does not fit its record is not drawn; the handler hears of the
// record either way.
void CTkWmfPlayer::CPlayback::DibBlit(const CTkWmfPlayerRecord& r, DWORD emrType)
{
    std::vector<BYTE> converted;
    if (const std::optional<TkDibBlit> blit = TkWmfReadDibBlit(r, &converted))
        m_dc.DibBlit(*blit);
    PassOn(emrType);
}

void CTkWmfPlayer::CPlayback::PassOn(DWORD emrType)
{
    if (m_passOn)
        m_passOn(m_dc, emrType);
}

// The player

CTkWmfPlayer::CTkWmfPlayer(CTkDC& dc, PassOnHandler passOn)
    : m_dc(dc), m_passOn(std::move(passOn))
{
}

BOOL CTkWmfPlayer::Play(std::span<const BYTE> bits)
{
    m_records = 0;
    TkWmfHeader header;
    if (!TkIsPlainWmfHeader(bits, &header))
        return FALSE;
    CPlayback playback(m_dc, m_passOn, header.numberOfObjects);
    // Every record takes at least 6 bytes, so the loop ends.
    for (std::size_t offset = std::size_t(header.headerWords) * 2; offset < bits.size();) {
        const std::size_t rest = bits.size() - offset;
        if (rest < kRecordHeaderBytes)
            return FALSE;
        const DWORD words = ReadDWord(bits, offset);
        const WORD function = ReadWord(bits, offset + 4);
        ++m_records;
        // A zero-filled tail, where the last record went missing, ends here too.
        if (function == META_EOF)
            return TRUE;
        if (words < kMinRecordWords || words > rest / 2)
            return FALSE;
        const std::size_t size = std::size_t(words) * 2;
        playback.Play(CTkWmfPlayerRecord(
            function, bits.subspan(offset + kRecordHeaderBytes, size - kRecordHeaderBytes)));
        offset += size;
    }
    return TRUE;
}

BOOL PlayMetaFile(CTkDC* pDC, std::span<const BYTE> bits)
{
    if (pDC == nullptr)
        return FALSE;
    return CTkWmfPlayer(*pDC).Play(bits);
}

BOOL PlayMetaFile(CTkDC* pDC, const CTkMetaFile* hmf)
{
    if (hmf == nullptr)
        return FALSE;
    return PlayMetaFile(pDC, hmf->GetBits());
}

// Headers

bool TkIsPlainWmfHeader(std::span<const BYTE> bytes, TkWmfHeader* pHeader)
{
    if (!TkIsMetaFileHeader(bytes))
        return false;
    if (pHeader != nullptr) {
        pHeader->type = ReadWord(bytes, 0);
        pHeader->headerWords = ReadWord(bytes, 2);
        pHeader->version = ReadWord(bytes, 4);
        pHeader->sizeWords = ReadDWord(bytes, 6);
        pHeader->numberOfObjects = ReadWord(bytes, 10);
        pHeader->maxRecordWords = ReadDWord(bytes, 12);
        pHeader->numberOfMembers = ReadWord(bytes, 16);
    }
    return true;
}

bool TkIsPlaceableWmfHeader(std::span<const BYTE> bytes, TkPlaceableWmfHeader* pHeader)
{
    if (bytes.size() < kPlaceableWmfHeaderBytes || ReadDWord(bytes, 0) != kPlaceableWmfKey)
        return false;
    if (pHeader != nullptr) {
        pHeader->handle = ReadWord(bytes, 4);
        pHeader->left = SHORT(ReadWord(bytes, 6));
        pHeader->top = SHORT(ReadWord(bytes, 8));
        pHeader->right = SHORT(ReadWord(bytes, 10));
        pHeader->bottom = SHORT(ReadWord(bytes, 12));
        pHeader->unitsPerInch = ReadWord(bytes, 14);
        pHeader->reserved = ReadDWord(bytes, 16);
        pHeader->checksum = ReadWord(bytes, 20);
    }
    return true;
}
