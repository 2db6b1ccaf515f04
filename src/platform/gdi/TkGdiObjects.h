#pragma once
// The process-wide GDI object table: pens, extended pens, brushes, fonts,
// palettes and bitmaps behind 32-bit handles, with the stock objects; and the
// global memory blocks that DIB pattern brushes name in their LOGBRUSH.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>
#include <vector>

// Everything the table knows about one object. Only the members of its type are
// meaningful.
struct CTkGdiObject {
    DWORD type = 0;  // OBJ_PEN, OBJ_EXTPEN, OBJ_BRUSH, OBJ_FONT, OBJ_PAL, OBJ_BITMAP
    int stockIndex = -1;  // the stock object number, or -1
    LOGPEN pen{};
    EXTLOGPEN extPen{};
    std::vector<DWORD> styleEntries;  // user style of an extended pen
    LOGBRUSH brush{};                 // also the brush of an extended pen
    std::vector<std::uint8_t> dib;    // packed DIB of a DIB pattern brush or pen
    UINT dibUsage = DIB_RGB_COLORS;
    LOGFONTW font{};
    std::vector<PALETTEENTRY> palette;
    BITMAP bitmap{};
    std::vector<std::uint8_t> bits;  // bitmap rows, bmWidthBytes each
};

// Told when an object is deleted, so that a recording context can write the
// matching delete record.
class ITkGdiObjectObserver {
public:
    virtual ~ITkGdiObjectObserver() = default;
    virtual void OnDeleteObject(HGDIOBJ hObject) = 0;
};

void TkAddGdiObjectObserver(ITkGdiObjectObserver* pObserver);
void TkRemoveGdiObjectObserver(ITkGdiObjectObserver* pObserver);

// The object behind a handle, or null for an invalid handle.
const CTkGdiObject* TkLookupGdiObject(HGDIOBJ hObject);
// Number of live objects that are not stock objects, global blocks included
// (for leak checks in tests).
std::size_t TkGdiObjectCount();

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pLogPen);
// The most dash and gap lengths a user-styled pen takes.
constexpr DWORD kMaxStyleEntries = 16;
// A pattern brush (BS_PATTERN, BS_DIBPATTERNPT) takes its pattern from pBrush's
// lbHatch (a bitmap handle) or from dib.
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* pBrush, DWORD styleCount,
                  const DWORD* pStyle, std::span<const std::uint8_t> dib = {});
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// BS_DIBPATTERN and BS_DIBPATTERNPT take the packed DIB of the global block in
// lbHatch, the low word of lbColor being its usage.
HBRUSH CreateBrushIndirect(const LOGBRUSH* pLogBrush);
HBRUSH CreatePatternBrush(HBITMAP hBitmap);
// packedDib: a BITMAPINFOHEADER, its colour table and the bits.
HBRUSH CreateDIBPatternBrushPt(std::span<const std::uint8_t> packedDib, UINT usage);
// A BS_DIBPATTERN brush whose LOGBRUSH names hPackedDib, so that it can be made
// again from that LOGBRUSH while the block lives.
HBRUSH CreateDIBPatternBrush(HGLOBAL hPackedDib, UINT usage);
// bits: rows of the given width padded to 16 bits; may be empty (all zero), but
// bits shorter than the rows need are refused.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                     std::span<const std::uint8_t> bits);
HFONT CreateFontIndirectW(const LOGFONTW* pLogFont);
HPALETTE CreatePalette(std::span<const PALETTEENTRY> entries);
HGDIOBJ GetStockObject(int index);

// Copies the object's logical structure (LOGPEN, EXTLOGPEN, LOGBRUSH, LOGFONTW,
// BITMAP, or the palette's entry count as a WORD) into pv when cb is large enough;
// with pv null returns the size needed. Returns the number of bytes, 0 on failure.
int GetObject(HGDIOBJ hObject, int cb, void* pv);
DWORD GetObjectType(HGDIOBJ hObject);
// Stock objects are never deleted; deleting them answers TRUE. An object still
// selected into a DC is deleted all the same: the DC keeps its handle, which
// finds nothing from then on, since handles are never given out twice.
BOOL DeleteObject(HGDIOBJ hObject);

// Global memory. A block is filled when it is made and never changes; its handle
// is never given out again once it is freed. Blocks are neither GDI objects nor
// selectable: GetObjectType answers 0 and DeleteObject refuses them.
HGLOBAL TkGlobalAlloc(std::span<const std::uint8_t> bytes);
// The block's bytes, empty for an invalid handle; valid until it is freed.
std::span<const std::uint8_t> TkGlobalBytes(HGLOBAL hBlock);
BOOL TkGlobalFree(HGLOBAL hBlock);
