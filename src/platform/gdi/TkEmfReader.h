#pragma once
// Walks the records of an enhanced metafile held in untrusted bytes, what
// EnumEnhMetaFile does over a SetEnhMetaFileBits buffer. The header record is
// checked before anything else; then each record's framing (size at least 8, a
// multiple of 4, inside the metafile) is checked before the caller sees it. The
// fields inside a record are checked by the parsers of TkEmfRecords.h.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class CTkEnhMetaFile;

struct TkEmfRecord {
    DWORD type = 0;
    std::span<const std::uint8_t> bytes;  // the whole record, type and size included
    std::size_t index = 0;                // 0 for the header record
};

// Answers true to go on; false stops the enumeration, which then fails.
using TkEmfRecordProc = std::function<bool(const TkEmfRecord&)>;

// The length of the metafile that starts the bytes: its header's nBytes, or 0 when
// there is no valid header record (type, size, signature, description) or nBytes
// is shorter than the header record or longer than the bytes. Bytes after nBytes
// are not part of the metafile, as with GDI.
std::size_t TkEmfMetaFileLength(std::span<const std::uint8_t> bits);

class CTkEmfReader {
public:
    enum class Step { Record, End, Malformed };

    // The bytes are not copied and must outlive the reader.
    explicit CTkEmfReader(std::span<const std::uint8_t> bits);

    bool IsValid() const { return !m_bits.empty(); }
    // The metafile's own bytes (nBytes long); empty when the header is not valid.
    std::span<const std::uint8_t> GetBits() const { return m_bits; }

    // Record: *pRecord is the next record, the header first and EMR_EOF last.
    // End: EMR_EOF was handed out. Malformed: the header is invalid, a record's
    // framing is wrong, or the metafile ends without EMR_EOF. End and Malformed
    // are final.
    Step Next(TkEmfRecord* pRecord);

private:
    std::span<const std::uint8_t> m_bits;
    std::size_t m_offset = 0;
    std::size_t m_index = 0;
    std::optional<Step> m_final;
};

// Calls proc for every record from the header to EMR_EOF. True when EMR_EOF was
// reached; false for an invalid header, a malformed record or a stop by proc.
bool TkEnumEmfRecords(std::span<const std::uint8_t> bits, const TkEmfRecordProc& proc);

// FALSE for no metafile; otherwise as TkEnumEmfRecords over its bits.
BOOL EnumEnhMetaFile(const CTkEnhMetaFile* pMetaFile, const TkEmfRecordProc& proc);
