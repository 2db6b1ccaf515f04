#include "WmfBuilder.h"

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <algorithm>

namespace {

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void PutDWord(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutWord(out, std::uint16_t(value));
    PutWord(out, std::uint16_t(value >> 16));
}

}  // namespace

WmfParams::WmfParams(std::initializer_list<int> words)
{
    for (int w : words)
        Word(w);
}

WmfParams& WmfParams::Word(int value)
{
    PutWord(m_bytes, std::uint16_t(value));
    return *this;
}

WmfParams& WmfParams::DWord(std::uint32_t value)
{
    PutDWord(m_bytes, value);
    return *this;
}

WmfParams& WmfParams::Bytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    if (bytes.size() % 2 != 0)
        m_bytes.push_back(0);
    return *this;
}

WmfParams& WmfParams::Text(std::string_view bytes)
{
    return Bytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

WmfBuilder& WmfBuilder::Add(std::uint16_t function, const WmfParams& params)
{
    return AddSized(std::uint32_t(3 + params.Get().size() / 2), function, params);
}

WmfBuilder& WmfBuilder::AddSized(std::uint32_t sizeWords, std::uint16_t function,
                                 const WmfParams& params)
{
    PutDWord(m_records, sizeWords);
    PutWord(m_records, function);
    m_records.insert(m_records.end(), params.Get().begin(), params.Get().end());
    m_maxRecordWords = std::max(m_maxRecordWords, sizeWords);
    return *this;
}

WmfBuilder& WmfBuilder::AddRaw(std::span<const std::uint8_t> bytes)
{
    m_records.insert(m_records.end(), bytes.begin(), bytes.end());
    return *this;
}

WmfBuilder& WmfBuilder::Objects(std::uint16_t count)
{
    m_objects = count;
    return *this;
}

std::vector<std::uint8_t> WmfBuilder::Build(bool withEof) const
{
    std::vector<std::uint8_t> records = m_records;
    if (withEof) {
        PutDWord(records, 3);
        PutWord(records, 0);
    }
    std::vector<std::uint8_t> out;
    PutWord(out, 1);       // memory metafile
    PutWord(out, 9);       // header words
    PutWord(out, 0x0300);  // version
    PutDWord(out, std::uint32_t(9 + records.size() / 2));
    PutWord(out, m_objects);
    PutDWord(out, m_maxRecordWords);
    PutWord(out, 0);  // members
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

std::vector<std::uint8_t> WmfPlaceable(std::span<const std::uint8_t> plain, int left, int top,
                                       int right, int bottom, int unitsPerInch)
{
    std::vector<std::uint8_t> out;
    PutDWord(out, 0x9AC6CDD7);
    PutWord(out, 0);  // handle
    for (int v : {left, top, right, bottom})
        PutWord(out, std::uint16_t(v));
    PutWord(out, std::uint16_t(unitsPerInch));
    PutDWord(out, 0);  // reserved
    // The checksum is the XOR of the ten words before it.
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= std::uint16_t(out[i] | (out[i + 1] << 8));
    PutWord(out, checksum);
    out.insert(out.end(), plain.begin(), plain.end());
    return out;
}

std::vector<std::uint8_t> WmfMonoDib8x8()
{
    std::vector<std::uint8_t> dib(80, 0);
    dib[0] = 40;             // header size
    dib[4] = dib[8] = 8;     // width, height
    dib[12] = dib[14] = 1;   // planes, bits per pixel
    dib[44] = dib[45] = dib[46] = 0xFF;  // second colour white
    return dib;
}

std::vector<std::uint8_t> WmfEveryKindOfRecord()
{
    const std::vector<std::uint8_t> dib = WmfMonoDib8x8();
    const std::vector<std::uint8_t> font = {0, 0, 0, 0, 0, 0, 0, 0, 'A', 'r', 'i', 'a', 'l', 0};
    // Type, width, height, width in bytes, one plane of one bit, two rows.
    const WmfParams bitmap16 = WmfParams{0, 8, 2, 2, 0x0101}.Bytes(std::vector<std::uint8_t>{
        0xF0, 0, 0x0F, 0});
    WmfBuilder b;
    b.Objects(6)
        .Add(META_SETMAPMODE, {MM_ANISOTROPIC})
        .Add(META_SETWINDOWORG, {0, 0})
        .Add(META_SETWINDOWEXT, {100, 100})
        .Add(META_SCALEWINDOWEXT, {1, 2, 1, 2})
        .Add(META_SETBKCOLOR, WmfParams().DWord(0xFFFFFF))
        .Add(META_SETBKMODE, {TRANSPARENT})
        .Add(META_SETTEXTALIGN, {int(TA_UPDATECP)})
        .Add(META_CREATEPENINDIRECT, WmfParams{PS_DASH, 2, 0}.DWord(0xFF))
        .Add(META_CREATEBRUSHINDIRECT, WmfParams{int(BS_HATCHED)}.DWord(0xFF00).Word(HS_CROSS))
        .Add(META_DIBCREATEPATTERNBRUSH, WmfParams{int(BS_DIBPATTERNPT), 0}.Bytes(dib))
        .Add(META_CREATEFONTINDIRECT, WmfParams{-12, 0, 0, 0, FW_BOLD}.Bytes(font))
        .Add(META_CREATEPALETTE, WmfParams{0x0300, 1}.DWord(0x00102030))
        .Add(META_SELECTOBJECT, {0})
        .Add(META_SELECTOBJECT, {1})
        .Add(META_SELECTOBJECT, {3})
        .Add(META_SELECTPALETTE, {4})
        .Add(META_SAVEDC)
        .Add(META_SELECTOBJECT, {2})
        .Add(META_MOVETO, {1, 1})
        .Add(META_LINETO, {20, 20})
        .Add(META_RECTANGLE, {40, 30, 20, 10})
        .Add(META_ROUNDRECT, {3, 3, 40, 30, 20, 10})
        .Add(META_ARC, {0, 10, 10, 0, 20, 20, 0, 0})
        .Add(META_POLYGON, {3, 0, 0, 10, 0, 5, 5})
        .Add(META_POLYLINE, {2, 0, 0, 9, 9})
        .Add(META_POLYPOLYGON, {2, 3, 2, 0, 0, 1, 1, 2, 2, 5, 5, 6, 6})
        .Add(META_TEXTOUT, WmfParams{5}.Text("hello").Word(10).Word(10))
        .Add(META_EXTTEXTOUT,
             WmfParams{5, 5, 3, int(ETO_OPAQUE), 0, 0, 9, 9}.Text("abc").Word(4).Word(4).Word(4))
        .Add(META_ESCAPE, WmfParams{MFCOMMENT, 4}.Text("note"))
        .Add(META_RESTOREDC, {-1})
        .Add(META_INTERSECTCLIPRECT, {50, 50, 0, 0})
        .Add(META_SELECTCLIPREGION, {5})
        .Add(META_DELETEOBJECT, {0})
        .Add(META_CREATEPENINDIRECT, WmfParams{PS_SOLID, 1, 0}.DWord(0))
        .Add(META_SELECTOBJECT, {0})
        .Add(META_BITBLT, WmfParams().DWord(PATCOPY).Word(0).Word(0).Word(0).Word(4).Word(4)
                              .Word(0).Word(0))
        .Add(META_BITBLT, WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(2).Word(8).Word(3)
                              .Word(3).Bytes(bitmap16.Get()))
        .Add(META_DIBBITBLT, WmfParams().DWord(SRCCOPY).Word(0).Word(0).Word(8).Word(8).Word(6)
                                 .Word(6).Bytes(dib))
        .Add(META_DIBSTRETCHBLT, WmfParams().DWord(SRCCOPY).Word(8).Word(8).Word(0).Word(0)
                                     .Word(16).Word(16).Word(9).Word(9).Bytes(dib))
        .Add(META_STRETCHDIB, WmfParams().DWord(SRCCOPY).Word(DIB_RGB_COLORS).Word(8).Word(8)
                                  .Word(0).Word(0).Word(4).Word(4).Word(12).Word(12).Bytes(dib))
        .Add(META_SETDIBTODEV, WmfParams{DIB_RGB_COLORS, 8, 0, 0, 0, 8, 8, 15, 15}.Bytes(dib))
        .Add(META_PATBLT, WmfParams().DWord(PATCOPY).Word(2).Word(2).Word(1).Word(1))
        .Add(META_SETPIXEL, WmfParams().DWord(0).Word(1).Word(1));
    return b.Build();
}
