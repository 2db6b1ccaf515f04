#include "support/EmfBuilder.h"

#include "platform/gdi/EmfRecordTypes.h"

namespace {

constexpr std::size_t kTextFixed = 76;
constexpr std::size_t kExtCreatePenFixed = 52;
constexpr std::size_t kDibBrushFixed = 32;
constexpr DWORD kDesignVectorSignature = 0x08007664;
constexpr std::size_t kLogFontExNames = 128 + 64 + 64;  // full name, style, script

bool IsPoint16(DWORD type)
{
    return type >= EMR_POLYBEZIER16 && type <= EMR_POLYDRAW16;
}

template <class T>
std::span<const std::uint8_t> BytesOf(const T& value)
{
    return {reinterpret_cast<const std::uint8_t*>(&value), sizeof(T)};
}

}  // namespace

EmfBuilder::EmfBuilder(std::u16string_view description, std::size_t headerSize)
{
    Begin(EMR_HEADER);
    m_out.Rect({0, 0, 100, 50});    // bounds
    m_out.Rect({0, 0, 2000, 1000});  // frame
    m_out.U32(ENHMETA_SIGNATURE);
    m_out.U32(ENHMETA_VERSION);
    m_out.U32(0);  // nBytes, by Finish
    m_out.U32(0);  // nRecords, by Finish
    m_out.U16(1);  // nHandles
    m_out.U16(0);
    m_out.U32(DWORD(description.size()));
    m_out.U32(description.empty() ? 0 : DWORD(headerSize));
    m_out.U32(0);  // nPalEntries
    m_out.Size({1920, 1080});
    m_out.Size({508, 286});
    if (headerSize >= 100)
        m_out.Zeros(12);  // no pixel format, no OpenGL
    if (headerSize >= 108)
        m_out.Size({508000, 286000});
    for (char16_t c : description)
        m_out.U16(c);
    m_out.End();
}

std::size_t EmfBuilder::Begin(DWORD type)
{
    const std::size_t at = m_out.Position();
    m_out.Begin(type);
    ++m_nRecords;
    return at;
}

std::size_t EmfBuilder::Record(DWORD type, std::initializer_list<std::uint32_t> fields)
{
    const std::size_t at = Begin(type);
    for (std::uint32_t f : fields)
        m_out.U32(f);
    m_out.End();
    return at;
}

void EmfBuilder::Points(DWORD type, std::span<const POINT> points)
{
    for (const POINT& p : points) {
        if (IsPoint16(type))
            m_out.Point16(p);
        else
            m_out.Point(p);
    }
}

std::size_t EmfBuilder::Poly(DWORD type, std::span<const POINT> points)
{
    const std::size_t at = Begin(type);
    m_out.Rect({});  // bounds
    m_out.U32(DWORD(points.size()));
    Points(type, points);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::PolyPoly(DWORD type, std::span<const DWORD> counts,
                                 std::span<const POINT> points)
{
    const std::size_t at = Begin(type);
    m_out.Rect({});  // bounds
    m_out.U32(DWORD(counts.size()));
    m_out.U32(DWORD(points.size()));
    for (DWORD c : counts)
        m_out.U32(c);
    Points(type, points);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::PolyDraw(DWORD type, std::span<const POINT> points,
                                 std::span<const BYTE> types)
{
    const std::size_t at = Begin(type);
    m_out.Rect({});  // bounds
    m_out.U32(DWORD(points.size()));
    Points(type, points);
    m_out.Bytes(types);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::Text(DWORD type, POINT reference, std::span<const std::uint8_t> text,
                             std::size_t nChars, std::span<const LONG> advances, DWORD options,
                             RECT rect)
{
    const std::size_t at = Begin(type);
    m_out.Rect({});  // bounds
    m_out.U32(GM_COMPATIBLE);
    m_out.F32(0);
    m_out.F32(0);
    m_out.Point(reference);
    m_out.U32(DWORD(nChars));
    m_out.U32(DWORD(kTextFixed));  // offString
    m_out.U32(options);
    m_out.Rect(rect);
    const std::size_t offDxAt = m_out.Position();
    m_out.U32(0);
    m_out.Bytes(text);
    m_out.Pad4();
    if (!advances.empty())
        m_out.PatchU32(offDxAt, DWORD(m_out.Position() - at));
    for (LONG a : advances)
        m_out.I32(a);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::ExtTextOutW(POINT reference, std::u16string_view text,
                                    std::span<const LONG> advances, DWORD options, RECT rect)
{
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(std::uint8_t(c));
        bytes.push_back(std::uint8_t(c >> 8));
    }
    return Text(EMR_EXTTEXTOUTW, reference, bytes, text.size(), advances, options, rect);
}

std::size_t EmfBuilder::ExtTextOutA(POINT reference, std::string_view text,
                                    std::span<const LONG> advances, DWORD options)
{
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return Text(EMR_EXTTEXTOUTA, reference, bytes, text.size(), advances, options, {});
}

std::size_t EmfBuilder::GdiComment(std::span<const std::uint8_t> data)
{
    const std::size_t at = Begin(EMR_GDICOMMENT);
    m_out.U32(DWORD(data.size()));
    m_out.Bytes(data);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::ExtSelectClipRgn(DWORD mode, std::span<const std::uint8_t> rgnData)
{
    const std::size_t at = Begin(EMR_EXTSELECTCLIPRGN);
    m_out.U32(DWORD(rgnData.size()));
    m_out.U32(mode);
    m_out.Bytes(rgnData);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::CreatePen(DWORD index, const LOGPEN& pen)
{
    const std::size_t at = Begin(EMR_CREATEPEN);
    m_out.U32(index);
    m_out.U32(pen.lopnStyle);
    m_out.Point(pen.lopnWidth);
    m_out.U32(pen.lopnColor);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::CreateBrushIndirect(DWORD index, const LOGBRUSH& brush)
{
    return Record(EMR_CREATEBRUSHINDIRECT, {index, brush.lbStyle, brush.lbColor, brush.lbHatch});
}

std::size_t EmfBuilder::CreatePalette(DWORD index, std::span<const PALETTEENTRY> entries)
{
    const std::size_t at = Begin(EMR_CREATEPALETTE);
    m_out.U32(index);
    m_out.U16(0x0300);
    m_out.U16(WORD(entries.size()));
    for (const PALETTEENTRY& e : entries)
        m_out.Bytes(BytesOf(e));
    m_out.End();
    return at;
}

std::size_t EmfBuilder::ExtCreatePen(DWORD index, const EXTLOGPEN& pen,
                                     std::span<const DWORD> styles,
                                     std::span<const std::uint8_t> bmi,
                                     std::span<const std::uint8_t> bits)
{
    const std::size_t at = Begin(EMR_EXTCREATEPEN);
    const std::size_t offBmi = kExtCreatePenFixed + 4 * styles.size();
    m_out.U32(index);
    m_out.U32(bmi.empty() ? 0 : DWORD(offBmi));
    m_out.U32(DWORD(bmi.size()));
    m_out.U32(bits.empty() ? 0 : DWORD(offBmi + bmi.size()));
    m_out.U32(DWORD(bits.size()));
    m_out.U32(pen.elpPenStyle);
    m_out.U32(pen.elpWidth);
    m_out.U32(pen.elpBrushStyle);
    m_out.U32(pen.elpColor);
    m_out.U32(pen.elpHatch);
    m_out.U32(DWORD(styles.size()));
    for (DWORD s : styles)
        m_out.U32(s);
    m_out.Bytes(bmi);
    m_out.Bytes(bits);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::DibBlit(DWORD type, std::initializer_list<std::uint32_t> before,
                                std::initializer_list<std::uint32_t> after,
                                std::span<const std::uint8_t> bmi,
                                std::span<const std::uint8_t> bits)
{
    const std::size_t at = Begin(type);
    const DWORD fixed = DWORD(24 + 4 * (before.size() + 4 + after.size()));
    m_out.Rect({0, 0, 0, 0});
    for (std::uint32_t f : before)
        m_out.U32(f);
    for (DWORD f : {fixed, DWORD(bmi.size()), DWORD(fixed + bmi.size()), DWORD(bits.size())})
        m_out.U32(f);
    for (std::uint32_t f : after)
        m_out.U32(f);
    m_out.Bytes(bmi);
    m_out.Bytes(bits);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::DibBrush(DWORD type, DWORD index, DWORD usage,
                                 std::span<const std::uint8_t> bmi,
                                 std::span<const std::uint8_t> bits)
{
    const std::size_t at = Begin(type);
    m_out.U32(index);
    m_out.U32(usage);
    m_out.U32(DWORD(kDibBrushFixed));
    m_out.U32(DWORD(bmi.size()));
    m_out.U32(DWORD(kDibBrushFixed + bmi.size()));
    m_out.U32(DWORD(bits.size()));
    m_out.Bytes(bmi);
    m_out.Bytes(bits);
    m_out.End();
    return at;
}

std::size_t EmfBuilder::ExtCreateFont(DWORD index, const LOGFONTW& font)
{
    const std::size_t at = Begin(EMR_EXTCREATEFONTINDIRECTW);
    m_out.U32(index);
    m_out.Bytes(BytesOf(font));
    m_out.End();
    return at;
}

std::size_t EmfBuilder::ExtCreateFontExDv(DWORD index, const LOGFONTW& font,
                                          std::span<const LONG> axes)
{
    const std::size_t at = Begin(EMR_EXTCREATEFONTINDIRECTW);
    m_out.U32(index);
    m_out.Bytes(BytesOf(font));
    m_out.Zeros(kLogFontExNames);
    m_out.U32(kDesignVectorSignature);
    m_out.U32(DWORD(axes.size()));
    for (LONG a : axes)
        m_out.I32(a);
    m_out.End();
    return at;
}

std::vector<std::uint8_t> EmfBuilder::Finish()
{
    Record(EMR_EOF, {0, 16, 20});  // no palette; nSizeLast
    std::vector<std::uint8_t> bytes = m_out.Take();
    SetU32(bytes, 48, DWORD(bytes.size()));
    SetU32(bytes, 52, m_nRecords);
    return bytes;
}

std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, const EmfPatch& patch)
{
    SetU32(bytes, patch.offset, patch.value);
    return bytes;
}

void SetU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = std::uint8_t(value >> (8 * i));
}

std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | bytes[offset + i];
    return value;
}
