#include "WmfBuilder.h"

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
