#pragma once
// Writes enhanced-metafile bytes field by field by the published [MS-EMF] layouts,
// for tests that read metafiles: well-formed files, and malformed ones made by
// patching the bytes a builder returns. Every record method answers the offset at
// which its record starts, so that a test can patch its fields.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkEmfRecordBuffer.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class EmfBuilder {
public:
    // headerSize: 88, 100 or 108, the header form written; the description
    // follows the header's fields.
    explicit EmfBuilder(std::u16string_view description = {}, std::size_t headerSize = 108);

    // A record whose fields are the given 32-bit values, in order.
    std::size_t Record(DWORD type, std::initializer_list<std::uint32_t> fields = {});

    // POLYBEZIER … POLYLINETO and POLYDRAW, 16-bit points for the 16-bit types;
    // their bounds are left empty.
    std::size_t Poly(DWORD type, std::span<const POINT> points);
    std::size_t PolyPoly(DWORD type, std::span<const DWORD> counts, std::span<const POINT> points);
    std::size_t PolyDraw(DWORD type, std::span<const POINT> points, std::span<const BYTE> types);

    // EMR_EXTTEXTOUTW and EMR_EXTTEXTOUTA (text given as bytes); advances as
    // stored (pairs with ETO_PDY), none when empty (offDx 0).
    std::size_t ExtTextOutW(POINT reference, std::u16string_view text,
                            std::span<const LONG> advances = {}, DWORD options = 0,
                            RECT rect = {});
    std::size_t ExtTextOutA(POINT reference, std::string_view text,
                            std::span<const LONG> advances = {}, DWORD options = 0);

    std::size_t GdiComment(std::span<const std::uint8_t> data);
    std::size_t ExtSelectClipRgn(DWORD mode, std::span<const std::uint8_t> rgnData);
    std::size_t CreatePen(DWORD index, const LOGPEN& pen);
    std::size_t CreateBrushIndirect(DWORD index, const LOGBRUSH& brush);
    std::size_t CreatePalette(DWORD index, std::span<const PALETTEENTRY> entries);
    // The BITMAPINFO and the bits follow the fixed fields (and the style entries).
    std::size_t ExtCreatePen(DWORD index, const EXTLOGPEN& pen, std::span<const DWORD> styles,
                             std::span<const std::uint8_t> bmi = {},
                             std::span<const std::uint8_t> bits = {});
    std::size_t DibBrush(DWORD type, DWORD index, DWORD usage, std::span<const std::uint8_t> bmi,
                         std::span<const std::uint8_t> bits);
    // A bitmap record (EMR_BITBLT, EMR_STRETCHBLT, EMR_STRETCHDIBITS,
    // EMR_SETDIBITSTODEVICE): empty bounds, the fields before the four that place
    // the BITMAPINFO and bits, the fields after them, then the two areas.
    std::size_t DibBlit(DWORD type, std::initializer_list<std::uint32_t> before,
                        std::initializer_list<std::uint32_t> after,
                        std::span<const std::uint8_t> bmi, std::span<const std::uint8_t> bits);
    // A plain LOGFONTW record (104 bytes), or with axes given the ENUMLOGFONTEXDV
    // form GDI writes, its names empty.
    std::size_t ExtCreateFont(DWORD index, const LOGFONTW& font);
    std::size_t ExtCreateFontExDv(DWORD index, const LOGFONTW& font,
                                  std::span<const LONG> axes);

    // Appends EMR_EOF and fills in nBytes and nRecords.
    std::vector<std::uint8_t> Finish();

private:
    std::size_t Begin(DWORD type);
    void Points(DWORD type, std::span<const POINT> points);
    std::size_t Text(DWORD type, POINT reference, std::span<const std::uint8_t> text,
                     std::size_t nChars, std::span<const LONG> advances, DWORD options, RECT rect);

    CTkEmfRecordBuffer m_out;
    DWORD m_nRecords = 0;
};

// One 32-bit field of built bytes set to another value: a row of a table of
// malformed cases.
struct EmfPatch {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
};
std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, const EmfPatch& patch);

// Little-endian patching of built bytes.
void SetU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset);
