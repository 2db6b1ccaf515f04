#include "platform/gdi/TkEmfReader.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/TkEnhMetaFile.h"

namespace {

constexpr std::size_t kRecordHead = 8;  // type and size

}  // namespace

std::size_t TkEmfMetaFileLength(std::span<const std::uint8_t> bits)
{
    const CTkEmfFieldReader r(bits);
    if (!r.Has(0, kRecordHead))
        return 0;
    const std::size_t headerSize = r.U32(4);
    if (headerSize % 4 != 0 || !r.Has(0, headerSize))
        return 0;
    const std::optional<TkEmrHeader> header = TkParseEmrHeader(bits.first(headerSize));
    if (!header)
        return 0;
    const std::size_t nBytes = header->header.nBytes;
    return nBytes >= headerSize && nBytes <= bits.size() ? nBytes : 0;
}

CTkEmfReader::CTkEmfReader(std::span<const std::uint8_t> bits)
    : m_bits(bits.first(TkEmfMetaFileLength(bits)))
{
}

CTkEmfReader::Step CTkEmfReader::Next(TkEmfRecord* pRecord)
{
    if (m_final)
        return *m_final;
    const CTkEmfFieldReader r(m_bits.subspan(m_offset));
    const std::size_t size = r.Has(0, kRecordHead) ? r.U32(4) : 0;
    if (size < kRecordHead || size % 4 != 0 || !r.Has(0, size)) {
        m_final = Step::Malformed;
        return *m_final;
    }
    pRecord->type = r.U32(0);
    pRecord->bytes = m_bits.subspan(m_offset, size);
    pRecord->index = m_index++;
    m_offset += size;
    if (pRecord->type == EMR_EOF)
        m_final = Step::End;
    return Step::Record;
}

bool TkEnumEmfRecords(std::span<const std::uint8_t> bits, const TkEmfRecordProc& proc)
{
    CTkEmfReader reader(bits);
    TkEmfRecord record;
    for (;;) {
        switch (reader.Next(&record)) {
        case CTkEmfReader::Step::End:
            return true;
        case CTkEmfReader::Step::Malformed:
            return false;
        case CTkEmfReader::Step::Record:
            if (!proc(record))
                return false;
            break;
        }
    }
}

BOOL EnumEnhMetaFile(const CTkEnhMetaFile* pMetaFile, const TkEmfRecordProc& proc)
{
    if (!pMetaFile)
        return FALSE;
    return TkEnumEmfRecords(pMetaFile->GetBits(), proc) ? TRUE : FALSE;
}
