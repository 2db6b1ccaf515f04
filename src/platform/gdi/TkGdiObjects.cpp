#include "platform/gdi/TkGdiObjects.h"

#include "platform/gdi/TkPackedDib.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

// Stock objects live at fixed handles away from the small numbers, so that a
// metafile object index mistaken for a handle does not find one.
constexpr HGDIOBJ kStockBase = 0x00F00000;
constexpr HGDIOBJ kFirstHandle = 0x00001000;
// Refuse bitmaps whose rows would need more memory than any picture reasonably has.
constexpr std::uint64_t kMaxBitmapBytes = std::uint64_t(1) << 28;
constexpr std::uint32_t kLastHatch = 11;  // the metafile formats define hatches 0 to 11

constexpr BYTE kVariableSwiss = VARIABLE_PITCH | FF_SWISS;
constexpr BYTE kFixedModern = FIXED_PITCH | FF_MODERN;

bool IsStockHandle(HGDIOBJ h)
{
    return h >= kStockBase && h <= kStockBase + STOCK_LAST;
}

class CGdiObjectTable {
public:
    static CGdiObjectTable& Get()
    {
        static CGdiObjectTable table;
        return table;
    }

    HGDIOBJ Add(CTkGdiObject object)
    {
        const HGDIOBJ h = NextHandle();
        m_objects.emplace(h, std::move(object));
        return h;
    }

    HGLOBAL AddGlobal(std::vector<std::uint8_t> bytes)
    {
        const HGLOBAL h = NextHandle();
        m_globals.emplace(h, std::move(bytes));
        return h;
    }

    const std::vector<std::uint8_t>* FindGlobal(HGLOBAL h) const
    {
        auto it = m_globals.find(h);
        return it == m_globals.end() ? nullptr : &it->second;
    }

    BOOL FreeGlobal(HGLOBAL h) { return m_globals.erase(h) != 0 ? TRUE : FALSE; }

    const CTkGdiObject* Find(HGDIOBJ h) const
    {
        auto it = m_objects.find(h);
        return it == m_objects.end() ? nullptr : &it->second;
    }

    HGDIOBJ Stock(int index) const
    {
        if (index < 0 || index > STOCK_LAST)
            return 0;
        return m_objects.contains(kStockBase + index) ? kStockBase + index : 0;
    }

    BOOL Delete(HGDIOBJ h)
    {
        const CTkGdiObject* pObject = Find(h);
        if (pObject == nullptr)
            return FALSE;
        if (pObject->stockIndex >= 0)
            return TRUE;
        // An observer may add or remove observers while it is told.
        const std::vector<ITkGdiObjectObserver*> observers = m_observers;
        for (ITkGdiObjectObserver* pObserver : observers) {
            if (std::ranges::find(m_observers, pObserver) != m_observers.end())
                pObserver->OnDeleteObject(h);
        }
        m_objects.erase(h);
        return TRUE;
    }

    void AddObserver(ITkGdiObjectObserver* p)
    {
        if (p != nullptr && std::ranges::find(m_observers, p) == m_observers.end())
            m_observers.push_back(p);
    }

    void RemoveObserver(ITkGdiObjectObserver* p) { std::erase(m_observers, p); }

    std::size_t Count() const { return m_objects.size() - m_stockCount + m_globals.size(); }

private:
    CGdiObjectTable() { AddStockObjects(); }

    // Objects and blocks share one series, so a hatch field names one thing only.
    HGDIOBJ NextHandle()
    {
        HGDIOBJ h = m_next;
        while (h == 0 || IsStockHandle(h) || m_objects.contains(h) || m_globals.contains(h))
            ++h;
        m_next = h + 1;
        return h;
    }

    void AddStock(int index, CTkGdiObject object)
    {
        object.stockIndex = index;
        m_objects.emplace(kStockBase + index, std::move(object));
        ++m_stockCount;
    }

    void AddStockObjects();

    std::unordered_map<HGDIOBJ, CTkGdiObject> m_objects;
    std::unordered_map<HGLOBAL, std::vector<std::uint8_t>> m_globals;
    std::vector<ITkGdiObjectObserver*> m_observers;
    HGDIOBJ m_next = kFirstHandle;
    std::size_t m_stockCount = 0;
};

CTkGdiObject MakeBrush(UINT style, COLORREF color, std::uint32_t hatch = 0)
{
    CTkGdiObject o;
    o.type = OBJ_BRUSH;
    o.brush = {style, color, hatch};
    return o;
}

CTkGdiObject MakePen(UINT style, COLORREF color)
{
    CTkGdiObject o;
    o.type = OBJ_PEN;
    o.pen = {style, {0, 0}, color};
    return o;
}

CTkGdiObject MakeFont(LONG height, LONG width, LONG weight, BYTE charSet, BYTE pitch,
                      std::u16string_view face)
{
    CTkGdiObject o;
    o.type = OBJ_FONT;
    o.font.lfHeight = height;
    o.font.lfWidth = width;
    o.font.lfWeight = weight;
    o.font.lfCharSet = charSet;
    o.font.lfPitchAndFamily = pitch;
    std::ranges::copy(face.substr(0, LF_FACESIZE - 1), o.font.lfFaceName);
    return o;
}

CTkGdiObject MakeDefaultPalette()
{
    // The twenty static colours of the system palette.
    static constexpr std::array<std::array<BYTE, 3>, 20> colors{{
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
        {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
        {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
        {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
        {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    }};
    CTkGdiObject o;
    o.type = OBJ_PAL;
    for (const auto& c : colors)
        o.palette.push_back({c[0], c[1], c[2], 0});
    return o;
}

void CGdiObjectTable::AddStockObjects()
{
    AddStock(WHITE_BRUSH, MakeBrush(BS_SOLID, RGB(255, 255, 255)));
    AddStock(LTGRAY_BRUSH, MakeBrush(BS_SOLID, RGB(192, 192, 192)));
    AddStock(GRAY_BRUSH, MakeBrush(BS_SOLID, RGB(128, 128, 128)));
    AddStock(DKGRAY_BRUSH, MakeBrush(BS_SOLID, RGB(64, 64, 64)));
    AddStock(BLACK_BRUSH, MakeBrush(BS_SOLID, RGB(0, 0, 0)));
    AddStock(NULL_BRUSH, MakeBrush(BS_NULL, RGB(0, 0, 0)));
    AddStock(WHITE_PEN, MakePen(PS_SOLID, RGB(255, 255, 255)));
    AddStock(BLACK_PEN, MakePen(PS_SOLID, RGB(0, 0, 0)));
    AddStock(NULL_PEN, MakePen(PS_NULL, RGB(0, 0, 0)));
    AddStock(OEM_FIXED_FONT, MakeFont(12, 8, FW_NORMAL, OEM_CHARSET, kFixedModern, u"Terminal"));
    AddStock(ANSI_FIXED_FONT, MakeFont(12, 9, FW_NORMAL, ANSI_CHARSET, kFixedModern, u"Courier"));
    AddStock(ANSI_VAR_FONT, MakeFont(12, 9, FW_NORMAL, ANSI_CHARSET, kVariableSwiss, u"Arial"));
    AddStock(SYSTEM_FONT, MakeFont(16, 7, FW_BOLD, ANSI_CHARSET, kVariableSwiss, u"System"));
    AddStock(DEVICE_DEFAULT_FONT,
             MakeFont(16, 7, FW_BOLD, ANSI_CHARSET, kVariableSwiss, u"System"));
    AddStock(DEFAULT_PALETTE, MakeDefaultPalette());
    AddStock(SYSTEM_FIXED_FONT,
             MakeFont(16, 8, FW_NORMAL, ANSI_CHARSET, kFixedModern, u"Fixedsys"));
    AddStock(DEFAULT_GUI_FONT, MakeFont(-11, 0, FW_NORMAL, DEFAULT_CHARSET, 0, u"Arial"));
    AddStock(DC_BRUSH, MakeBrush(BS_SOLID, RGB(255, 255, 255)));
    AddStock(DC_PEN, MakePen(PS_SOLID, RGB(0, 0, 0)));
}

CGdiObjectTable& Table() { return CGdiObjectTable::Get(); }

const CTkGdiObject* FindOfType(HGDIOBJ h, DWORD type)
{
    const CTkGdiObject* p = Table().Find(h);
    return p != nullptr && p->type == type ? p : nullptr;
}

bool IsValidLogPenStyle(UINT style)
{
    return (style & PS_STYLE_MASK) <= PS_INSIDEFRAME;
}

bool IsValidHatch(std::uint32_t hatch) { return hatch <= kLastHatch; }

// Copies the pattern of a bitmap into the brush or pen that uses it, so that it
// keeps its pattern when the bitmap is deleted.
bool TakeBitmapPattern(HBITMAP hBitmap, CTkGdiObject* pTarget)
{
    const CTkGdiObject* pBitmap = FindOfType(hBitmap, OBJ_BITMAP);
    if (pBitmap == nullptr)
        return false;
    pTarget->bitmap = pBitmap->bitmap;
    pTarget->bits = pBitmap->bits;
    return true;
}

// A pattern brush's colours come from its table or the palette; a bitmap of
// palette indices has neither.
bool TakeDibPattern(std::span<const std::uint8_t> packedDib, UINT usage, CTkGdiObject* pTarget)
{
    TkPackedDibLayout layout;
    if (usage > DIB_PAL_COLORS || !TkMeasurePackedDib(packedDib, usage, &layout))
        return false;
    pTarget->dib.assign(packedDib.begin(), packedDib.begin() + std::ptrdiff_t(layout.TotalSize()));
    pTarget->dibUsage = usage;
    return true;
}

bool TakeGlobalDibPattern(HGLOBAL hBlock, UINT usage, CTkGdiObject* pTarget)
{
    const std::vector<std::uint8_t>* pBytes = Table().FindGlobal(hBlock);
    return pBytes != nullptr && TakeDibPattern(*pBytes, usage, pTarget);
}

bool IsValidExtPenStyle(DWORD style, DWORD width)
{
    const DWORD type = style & PS_TYPE_MASK;
    const DWORD kind = style & PS_STYLE_MASK;
    if (type != PS_COSMETIC && type != PS_GEOMETRIC)
        return false;
    if (kind > PS_ALTERNATE || (kind == PS_ALTERNATE && type != PS_COSMETIC))
        return false;
    if ((style & PS_ENDCAP_MASK) > PS_ENDCAP_FLAT || (style & PS_JOIN_MASK) > PS_JOIN_MITER)
        return false;
    return type == PS_GEOMETRIC || width <= 1;
}

// The brush part of an extended pen: pattern styles carry their pattern along.
bool SetExtPenBrush(const LOGBRUSH& brush, std::span<const std::uint8_t> dib, CTkGdiObject* p)
{
    p->brush = brush;
    switch (brush.lbStyle) {
    case BS_SOLID:
    case BS_NULL:
        return true;
    case BS_HATCHED:
        return IsValidHatch(brush.lbHatch);
    case BS_PATTERN:
        return dib.empty() ? TakeBitmapPattern(brush.lbHatch, p)
                           : TakeDibPattern(dib, DIB_RGB_COLORS, p);
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        return TakeDibPattern(dib, brush.lbColor & 0xFFFF, p);
    default:
        return false;
    }
}

template <typename T>
int CopyOut(const T& value, int cb, void* pv)
{
    constexpr int size = int(sizeof(T));
    if (pv == nullptr)
        return size;
    if (cb < size)
        return 0;
    std::memcpy(pv, &value, sizeof(T));
    return size;
}

int CopyExtPen(const CTkGdiObject& o, int cb, void* pv)
{
    const std::size_t entriesSize = o.styleEntries.size() * sizeof(DWORD);
    const int size = int(sizeof(EXTLOGPEN) + entriesSize);
    if (pv == nullptr)
        return size;
    if (cb < size)
        return 0;
    auto* pBytes = static_cast<std::uint8_t*>(pv);
    std::memcpy(pBytes, &o.extPen, sizeof(EXTLOGPEN));
    if (entriesSize > 0)
        std::memcpy(pBytes + sizeof(EXTLOGPEN), o.styleEntries.data(), entriesSize);
    return size;
}

}  // namespace

void TkAddGdiObjectObserver(ITkGdiObjectObserver* pObserver) { Table().AddObserver(pObserver); }

void TkRemoveGdiObjectObserver(ITkGdiObjectObserver* pObserver)
{
    Table().RemoveObserver(pObserver);
}

const CTkGdiObject* TkLookupGdiObject(HGDIOBJ hObject) { return Table().Find(hObject); }

std::size_t TkGdiObjectCount() { return Table().Count(); }

HPEN CreatePen(int style, int width, COLORREF color)
{
    const LOGPEN pen{UINT(style), {width, 0}, color};
    return CreatePenIndirect(&pen);
}

HPEN CreatePenIndirect(const LOGPEN* pLogPen)
{
    if (pLogPen == nullptr || !IsValidLogPenStyle(pLogPen->lopnStyle) ||
        pLogPen->lopnWidth.x < 0)
        return 0;
    CTkGdiObject o;
    o.type = OBJ_PEN;
    o.pen = *pLogPen;
    return Table().Add(std::move(o));
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* pBrush, DWORD styleCount,
                  const DWORD* pStyle, std::span<const std::uint8_t> dib)
{
    if (pBrush == nullptr || !IsValidExtPenStyle(style, width))
        return 0;
    CTkGdiObject o;
    o.type = OBJ_EXTPEN;
    // Style entries mean something only to a user-styled pen; others ignore them.
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE) {
        if (styleCount == 0 || styleCount > kMaxStyleEntries || pStyle == nullptr)
            return 0;
        o.styleEntries.assign(pStyle, pStyle + styleCount);
    }
    if (!SetExtPenBrush(*pBrush, dib, &o))
        return 0;
    o.extPen = {style, width, pBrush->lbStyle, pBrush->lbColor, pBrush->lbHatch,
                DWORD(o.styleEntries.size())};
    return Table().Add(std::move(o));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return CreateBrushIndirect(&brush);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    const LOGBRUSH brush{BS_HATCHED, color, std::uint32_t(hatch)};
    return CreateBrushIndirect(&brush);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* pLogBrush)
{
    if (pLogBrush == nullptr)
        return 0;
    CTkGdiObject o = MakeBrush(pLogBrush->lbStyle, pLogBrush->lbColor, pLogBrush->lbHatch);
    switch (pLogBrush->lbStyle) {
    case BS_SOLID:
    case BS_NULL:
        break;
    case BS_HATCHED:
        if (!IsValidHatch(pLogBrush->lbHatch))
            return 0;
        break;
    case BS_PATTERN:
        if (!TakeBitmapPattern(pLogBrush->lbHatch, &o))
            return 0;
        break;
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (!TakeGlobalDibPattern(pLogBrush->lbHatch, pLogBrush->lbColor & 0xFFFF, &o))
            return 0;
        break;
    default:
        return 0;
    }
    return Table().Add(std::move(o));
}

HBRUSH CreatePatternBrush(HBITMAP hBitmap)
{
    const LOGBRUSH brush{BS_PATTERN, 0, hBitmap};
    return CreateBrushIndirect(&brush);
}

HBRUSH CreateDIBPatternBrushPt(std::span<const std::uint8_t> packedDib, UINT usage)
{
    CTkGdiObject o = MakeBrush(BS_DIBPATTERNPT, usage, 0);
    if (!TakeDibPattern(packedDib, usage, &o))
        return 0;
    return Table().Add(std::move(o));
}

HBRUSH CreateDIBPatternBrush(HGLOBAL hPackedDib, UINT usage)
{
    const LOGBRUSH brush{BS_DIBPATTERN, usage, hPackedDib};
    return CreateBrushIndirect(&brush);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                     std::span<const std::uint8_t> bits)
{
    if (width < 0 || height < 0 || planes != 1)
        return 0;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        return 0;
    if (width == 0 || height == 0) {  // an empty request gives a 1 x 1 monochrome bitmap
        width = height = 1;
        bitsPerPixel = 1;
        bits = {};
    }
    const std::uint64_t stride = (std::uint64_t(width) * bitsPerPixel + 15) / 16 * 2;
    if (stride > kMaxBitmapBytes / std::uint64_t(height))
        return 0;
    const std::uint64_t size = stride * std::uint64_t(height);
    // Short bits would leave part of the picture undefined: refuse them.
    if (!bits.empty() && bits.size() < size)
        return 0;
    CTkGdiObject o;
    o.type = OBJ_BITMAP;
    o.bitmap = {0, width, height, LONG(stride), WORD(planes), WORD(bitsPerPixel)};
    if (bits.empty())
        o.bits.assign(std::size_t(size), 0);
    else
        o.bits.assign(bits.begin(), bits.begin() + std::ptrdiff_t(size));
    return Table().Add(std::move(o));
}

HFONT CreateFontIndirectW(const LOGFONTW* pLogFont)
{
    if (pLogFont == nullptr)
        return 0;
    CTkGdiObject o;
    o.type = OBJ_FONT;
    o.font = *pLogFont;
    o.font.lfFaceName[LF_FACESIZE - 1] = 0;  // a face name always ends
    return Table().Add(std::move(o));
}

HPALETTE CreatePalette(std::span<const PALETTEENTRY> entries)
{
    if (entries.empty() || entries.size() > 0xFFFF)
        return 0;
    CTkGdiObject o;
    o.type = OBJ_PAL;
    o.palette.assign(entries.begin(), entries.end());
    return Table().Add(std::move(o));
}

HGDIOBJ GetStockObject(int index) { return Table().Stock(index); }

int GetObject(HGDIOBJ hObject, int cb, void* pv)
{
    const CTkGdiObject* p = Table().Find(hObject);
    if (p == nullptr)
        return 0;
    switch (p->type) {
    case OBJ_PEN: return CopyOut(p->pen, cb, pv);
    case OBJ_EXTPEN: return CopyExtPen(*p, cb, pv);
    case OBJ_BRUSH: return CopyOut(p->brush, cb, pv);
    case OBJ_FONT: return CopyOut(p->font, cb, pv);
    case OBJ_BITMAP: return CopyOut(p->bitmap, cb, pv);
    case OBJ_PAL: return CopyOut(WORD(p->palette.size()), cb, pv);
    default: return 0;
    }
}

DWORD GetObjectType(HGDIOBJ hObject)
{
    const CTkGdiObject* p = Table().Find(hObject);
    return p == nullptr ? 0 : p->type;
}

BOOL DeleteObject(HGDIOBJ hObject) { return Table().Delete(hObject); }

HGLOBAL TkGlobalAlloc(std::span<const std::uint8_t> bytes)
{
    return Table().AddGlobal(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::span<const std::uint8_t> TkGlobalBytes(HGLOBAL hBlock)
{
    const std::vector<std::uint8_t>* pBytes = Table().FindGlobal(hBlock);
    return pBytes == nullptr ? std::span<const std::uint8_t>{} : std::span(*pBytes);
}

BOOL TkGlobalFree(HGLOBAL hBlock) { return Table().FreeGlobal(hBlock); }
