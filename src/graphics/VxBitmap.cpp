#include "graphics/VxBitmap.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkPackedDib.h"

#include <algorithm>
#include <climits>

TK_IMPLEMENT_SERIAL(CVxBitmap, CVxGraphic, 0)

namespace {

constexpr unsigned kTypeNameId = 5070;  // "Bitmap"

// The layout of a DIB that is exactly a header, a colour table and the bits.
std::optional<TkPackedDibLayout> MeasureWhole(std::span<const BYTE> dib, UINT usage)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, usage, &layout) || layout.TotalSize() != dib.size())
        return std::nullopt;
    return layout;
}

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kBitCountAt = 14;
constexpr std::size_t kColorsUsedAt = 32;

// Writers that keep fewer colours than the depth allows sometimes leave the
// count at 0, which means all of them; the table they wrote is then the count.
void CountShortColorTable(std::vector<BYTE>& dib, std::size_t bmiSize, UINT usage)
{
    if (bmiSize < kInfoHeaderSize || usage != DIB_RGB_COLORS)
        return;
    const auto word = [&](std::size_t at) { return std::size_t(dib[at] | dib[at + 1] << 8); };
    const std::size_t headerSize = word(0) | word(2) << 16;
    const std::size_t bitCount = word(kBitCountAt);
    if (headerSize < kInfoHeaderSize || headerSize > bmiSize || bitCount > 8 ||
        word(kColorsUsedAt) != 0 || word(kColorsUsedAt + 2) != 0)
        return;
    const std::size_t entries = (bmiSize - headerSize) / 4;
    if (entries == 0 || entries >= (std::size_t(1) << bitCount))
        return;
    dib[kColorsUsedAt] = BYTE(entries);
    dib[kColorsUsedAt + 1] = BYTE(entries >> 8);
}

}  // namespace

CVxBitmap::CVxBitmap() = default;

CVxBitmap::CVxBitmap(const RECT& rect) : CVxGraphic(rect) {}

CVxBitmap::CVxBitmap(const RECT& rect, Dib dib, UINT usage, const RECT& source, DWORD rop)
    : CVxGraphic(rect), m_pDib(std::move(dib)), m_nUsage(usage), m_rcSource(source), m_dwRop(rop)
{
}

std::optional<std::vector<BYTE>> CVxBitmap::MakePackedDib(std::span<const BYTE> bmi,
                                                          std::span<const BYTE> bits, UINT usage)
{
    // The copy is no larger than the record the areas came from.
    TkPackedDibLayout layout;
    std::vector<BYTE> dib(bmi.begin(), bmi.end());
    dib.insert(dib.end(), bits.begin(), bits.end());
    CountShortColorTable(dib, bmi.size(), usage);
    if (!TkMeasurePackedDib(dib, usage, &layout) || layout.BitsOffset() > bmi.size() ||
        layout.bitsSize > bits.size())
        return std::nullopt;
    // Whatever follows the table in the header's area, or the bits in theirs, is
    // not part of the bitmap.
    dib.erase(dib.begin() + std::ptrdiff_t(layout.BitsOffset()),
              dib.begin() + std::ptrdiff_t(bmi.size()));
    dib.resize(layout.TotalSize());
    if (!MeasureWhole(dib, usage))
        return std::nullopt;
    return dib;
}

void CVxBitmap::Serialize(CTkArchive& ar)
{
    CVxGraphic::Serialize(ar);
    if (ar.IsStoring()) {
        const std::span<const BYTE> dib = GetDib();
        const std::uint32_t kindAndUsage = std::uint32_t(m_kind) << 16 | m_nUsage;
        ar << kindAndUsage << std::uint32_t(m_kind == Kind::Plain ? m_dwRop : m_dwParam)
           << std::int32_t(m_rcSource.left)
           << std::int32_t(m_rcSource.top) << std::int32_t(m_rcSource.right)
           << std::int32_t(m_rcSource.bottom) << std::uint32_t(dib.size());
        if (!dib.empty())
            ar.Write(dib.data(), std::uint32_t(dib.size()));
        return;
    }
    std::uint32_t usage = 0, rop = 0, size = 0;
    RECT source{};
    ar >> usage >> rop >> source.left >> source.top >> source.right >> source.bottom >> size;
    const std::uint32_t kind = usage >> 16;
    usage &= 0xFFFF;
    if (kind > std::uint32_t(Kind::Transparent))
        throw CTkArchiveException(CTkArchiveException::generic);
    // No buffer larger than what is left to read.
    if (size > ar.BytesLeft())
        throw CTkArchiveException(CTkArchiveException::endOfFile);
    auto pDib = std::make_shared<std::vector<BYTE>>(size);
    if (size != 0)
        ar.ReadExact(pDib->data(), size);
    if (size != 0 && !MeasureWhole(*pDib, usage))
        throw CTkArchiveException(CTkArchiveException::generic);
    m_pDib = std::move(pDib);
    m_nUsage = usage;
    m_kind = Kind(kind);
    m_dwRop = m_kind == Kind::Plain ? rop : SRCCOPY;
    m_dwParam = m_kind == Kind::Plain ? 0 : rop;
    m_rcSource = source;
}

void CVxBitmap::SetKind(Kind kind, DWORD param)
{
    m_kind = kind;
    m_dwParam = kind == Kind::Plain ? 0 : param;
}

std::string CVxBitmap::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

std::span<const BYTE> CVxBitmap::GetDib() const
{
    if (!m_pDib)
        return {};
    return *m_pDib;
}

void CVxBitmap::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const std::optional<TkPackedDibLayout> layout = MeasureWhole(GetDib(), m_nUsage);
    if (!layout)
        return;
    TkDibBlit blit;
    switch (m_kind) {
    case Kind::Plain: blit.call = TkDibBlitCall::StretchDIBits; break;
    case Kind::AlphaBlend: blit.call = TkDibBlitCall::AlphaBlend; break;
    case Kind::Transparent: blit.call = TkDibBlitCall::TransparentBlt; break;
    }
    blit.blendFunction = m_dwParam;
    blit.transparentColour = m_dwParam;
    blit.xDest = m_rect.left;
    blit.yDest = m_rect.top;
    blit.cxDest = VxExtent(m_rect.left, m_rect.right);
    blit.cyDest = VxExtent(m_rect.top, m_rect.bottom);
    blit.xSrc = m_rcSource.left;
    blit.ySrc = m_rcSource.top;
    blit.cxSrc = m_rcSource.right;
    blit.cySrc = m_rcSource.bottom;
    // The blended blits count their source from the top, as StretchBlt does.
    if (m_kind != Kind::Plain && layout->height > 0)
        blit.ySrc = int(std::clamp<std::int64_t>(std::int64_t(layout->height) - m_rcSource.top -
                                                     m_rcSource.bottom, INT_MIN, INT_MAX));
    blit.rop = m_dwRop;
    blit.usage = m_nUsage;
    blit.bmi = GetDib().first(layout->BitsOffset());
    blit.bits = GetDib().subspan(layout->BitsOffset());
    blit.owner = m_pDib;
    pDC->DibBlit(blit);
}

void CVxBitmap::DrawShapeOutline(CTkDC* pDC, BOOL /*bContinue*/)
{
    VxDrawOutlineRect(pDC, GetNormalizedRect());
}

void CVxBitmap::CopyFrom(CVxGraphic& source)
{
    if (&source == this)
        return;
    CVxGraphic::CopyFrom(source);
    if (const auto* pBitmap = dynamic_cast<const CVxBitmap*>(&source)) {
        m_pDib = pBitmap->m_pDib;
        m_nUsage = pBitmap->m_nUsage;
        m_rcSource = pBitmap->m_rcSource;
        m_dwRop = pBitmap->m_dwRop;
        m_kind = pBitmap->m_kind;
        m_dwParam = pBitmap->m_dwParam;
    }
}

std::unique_ptr<CVxGraphic> CVxBitmap::Clone()
{
    return CloneAs<CVxBitmap>();
}
