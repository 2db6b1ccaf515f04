// The object records of CVxEmfToVxConverter and the attributes the selected
// objects give the graphics.

#include "import/VxEmfToVxConverter.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxText.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkPackedDib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr DWORD kStockFlag = 0x80000000u;
constexpr DWORD kLastObjectType = 13;

// Works on a copy of the graphic's property of type T and applies it back.
template <typename T, typename Fill>
void EditProperty(CVxGraphic& graphic, const char* name, Fill fill)
{
    if (!graphic.HasProperty(name))
        return;
    std::unique_ptr<CVxGraphicProperty> pCopy = graphic.CopyProperty(name);
    auto* pProperty = dynamic_cast<T*>(pCopy.get());
    if (pProperty != nullptr && fill(*pProperty))
        graphic.ApplyProperty(*pProperty);
}

// Keeps imported text at the metafile's geometry while its font is set.
class CSpacingKeeper {
public:
    CSpacingKeeper() : m_bSaved(CVxText::s_bDropSpacingOnFontChange)
    {
        CVxText::s_bDropSpacingOnFontChange = FALSE;
    }
    ~CSpacingKeeper() { CVxText::s_bDropSpacingOnFontChange = m_bSaved; }
    CSpacingKeeper(const CSpacingKeeper&) = delete;
    CSpacingKeeper& operator=(const CSpacingKeeper&) = delete;

private:
    BOOL m_bSaved;
};

std::vector<std::uint8_t> PackDib(std::span<const std::uint8_t> bmi,
                                  std::span<const std::uint8_t> bits)
{
    std::vector<std::uint8_t> packed(bmi.begin(), bmi.end());
    packed.insert(packed.end(), bits.begin(), bits.end());
    return packed;
}

// The user style that follows an extended pen's fixed part.
std::vector<DWORD> StyleEntriesOf(const EXTLOGPEN& extPen, std::span<const std::uint8_t> bytes)
{
    const std::size_t available = (bytes.size() - sizeof(EXTLOGPEN)) / sizeof(DWORD);
    std::vector<DWORD> entries(std::min<std::size_t>(extPen.elpNumEntries, available));
    if (!entries.empty())
        std::memcpy(entries.data(), bytes.data() + sizeof(EXTLOGPEN),
                    entries.size() * sizeof(DWORD));
    return entries;
}

std::size_t RoundUp(std::size_t value, std::size_t multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

}  // namespace

int CVxEmfToVxConverter::TransformLength(DWORD length) const
{
    return TransformDistance(int(std::min<DWORD>(length, std::numeric_limits<int>::max())), 0,
                             false).cx;
}

LONG CVxEmfToVxConverter::GetSelectedObject(DWORD type) const
{
    return type >= 1 && type <= kLastObjectType ? m_selected[type - 1] : -1;
}

HGDIOBJ CVxEmfToVxConverter::GetTableObject(DWORD index) const
{
    return index < m_pObjects.size() ? m_pObjects[index] : 0;
}

bool CVxEmfToVxConverter::IsFreeIndex(DWORD index) const
{
    return index < m_pObjects.size() && m_pObjects[index] == 0;
}

bool CVxEmfToVxConverter::IsUsedIndex(DWORD index) const
{
    return index < m_pObjects.size() && m_pObjects[index] != 0;
}

int CVxEmfToVxConverter::StoreObject(DWORD index, HGDIOBJ hObject)
{
    if (hObject == 0)
        return kStop;
    m_pObjects[index] = hObject;
    return kHandled;
}

// A pen or brush that cannot be made is listed as ignored and the context's
// default object stands in its place, so the rest of the picture still loads.
int CVxEmfToVxConverter::StoreOrStandIn(DWORD index, HGDIOBJ hObject, int nStock)
{
    if (hObject != 0) {
        m_pObjects[index] = hObject;
        return kHandled;
    }
    m_pObjects[index] = GetStockObject(nStock);
    return kNotHandled;
}

HGDIOBJ CVxEmfToVxConverter::SelectedHandle(DWORD type) const
{
    const LONG slot = GetSelectedObject(type);
    if (slot == -1)
        return 0;
    if ((DWORD(slot) & kStockFlag) != 0)
        return GetStockObject(int(DWORD(slot) & ~kStockFlag));
    return GetTableObject(DWORD(slot));
}

int CVxEmfToVxConverter::OnCreatePen(DWORD index, const LOGPEN& logPen)
{
    if (!IsFreeIndex(index))
        return kStop;
    return StoreOrStandIn(index, CreatePenIndirect(&logPen), BLACK_PEN);
}

int CVxEmfToVxConverter::OnCreateBrushIndirect(DWORD index, const LOGBRUSH& logBrush)
{
    if (!IsFreeIndex(index))
        return kStop;
    return StoreOrStandIn(index, CreateBrushIndirect(&logBrush), WHITE_BRUSH);
}

int CVxEmfToVxConverter::OnCreatePalette(DWORD index, WORD,
                                         std::span<const PALETTEENTRY> entries)
{
    if (!IsFreeIndex(index))
        return kStop;
    return StoreObject(index, CreatePalette(entries));
}

int CVxEmfToVxConverter::OnExtCreatePen(DWORD index, DWORD style, DWORD width,
                                        const LOGBRUSH& logBrush,
                                        std::span<const DWORD> styleEntries,
                                        std::span<const std::uint8_t> bmi,
                                        std::span<const std::uint8_t> bits)
{
    if (!IsFreeIndex(index))
        return kStop;
    // A geometric pen's width and dashes are logical lengths.
    std::vector<DWORD> entries(styleEntries.begin(), styleEntries.end());
    if ((style & PS_GEOMETRIC) != 0) {
        width = DWORD(TransformLength(width));
        for (DWORD& entry : entries)
            entry = DWORD(std::abs(TransformLength(entry)));
    }
    // A DIB-pattern pen carries its pattern in the record; without it the pen
    // cannot be made and the picture would not load.
    const std::vector<std::uint8_t> pattern =
        bmi.empty() ? std::vector<std::uint8_t>{} : PackDib(bmi, bits);
    return StoreOrStandIn(index,
                          ExtCreatePen(style, width, &logBrush, DWORD(entries.size()),
                                       entries.empty() ? nullptr : entries.data(), pattern),
                          BLACK_PEN);
}

// A font record with a bad index is skipped; the load goes on.
int CVxEmfToVxConverter::OnExtCreateFontIndirectW(DWORD index, const LOGFONTW& logFont)
{
    if (!IsFreeIndex(index))
        return kHandled;
    LOGFONTW font = logFont;
    const SIZE size = TransformDistance(font.lfWidth, font.lfHeight);
    if (font.lfWidth != 0)
        font.lfWidth = size.cx;
    if (font.lfHeight != 0)
        font.lfHeight = size.cy;
    m_pObjects[index] = CreateFontIndirectW(&font);
    return kHandled;
}

int CVxEmfToVxConverter::OnCreateDibPatternBrushPt(DWORD index, DWORD usage,
                                                   std::span<const std::uint8_t> bmi,
                                                   std::span<const std::uint8_t> bits)
{
    if (!IsFreeIndex(index))
        return kStop;
    // The brush's LOGBRUSH names the block, so graphics can make the brush again
    // for as long as the block lives.
    PackedDib packed(PackDib(bmi, bits));
    const HBRUSH hBrush = CreateDIBPatternBrush(packed.Get(), usage);
    if (hBrush != 0)
        m_globals.push_back(std::move(packed));
    return StoreOrStandIn(index, hBrush, WHITE_BRUSH);
}

int CVxEmfToVxConverter::OnCreateMonoBrush(DWORD index, DWORD usage,
                                           std::span<const std::uint8_t> bmi,
                                           std::span<const std::uint8_t> bits)
{
    if (!IsFreeIndex(index))
        return kStop;
    const HBITMAP hBitmap = MakeMonoBitmap(bmi, bits, usage);
    const HBRUSH hBrush = hBitmap != 0 ? CreatePatternBrush(hBitmap) : 0;
    if (hBrush != 0)
        m_bitmaps.push_back(hBitmap);
    else if (hBitmap != 0)
        DeleteObject(hBitmap);
    return StoreOrStandIn(index, hBrush, WHITE_BRUSH);
}

// The DIB's bottom-up rows, padded to 32 bits, become top-down rows padded to
// 16 bits. Only uncompressed bitmaps are taken.
HBITMAP CVxEmfToVxConverter::MakeMonoBitmap(std::span<const std::uint8_t> bmi,
                                            std::span<const std::uint8_t> bits,
                                            DWORD usage) const
{
    const std::vector<std::uint8_t> packed = PackDib(bmi, bits);
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(packed, usage, &layout) || layout.compression != BI_RGB ||
        layout.width <= 0 || layout.height == 0)
        return 0;
    const std::size_t rowBytes = (std::size_t(layout.bitCount) * std::size_t(layout.width) + 7) / 8;
    const std::size_t dibStride = RoundUp(rowBytes, 4);
    const std::size_t bitmapStride = RoundUp(rowBytes, 2);
    const std::size_t rows = layout.height < 0 ? std::size_t(-std::int64_t(layout.height))
                                               : std::size_t(layout.height);
    if (bits.size() / dibStride < rows)
        return 0;
    std::vector<std::uint8_t> buffer(bitmapStride * rows, 0);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t source =
            layout.height < 0 ? row * dibStride : bits.size() - (row + 1) * dibStride;
        std::memcpy(buffer.data() + row * bitmapStride, bits.data() + source, rowBytes);
    }
    const std::size_t planesOffset = layout.headerSize == 12 ? 8 : 12;
    const UINT planes = UINT(packed[planesOffset]) | UINT(packed[planesOffset + 1]) << 8;
    return CreateBitmap(int(layout.width), int(rows), planes, layout.bitCount, buffer);
}

int CVxEmfToVxConverter::OnDeleteObject(DWORD index)
{
    if (!IsUsedIndex(index))
        return kStop;
    DeleteObject(m_pObjects[index]);
    m_pObjects[index] = 0;
    return kHandled;
}

int CVxEmfToVxConverter::OnSelectObject(DWORD index)
{
    HGDIOBJ hObject = 0;
    if ((index & kStockFlag) != 0)
        hObject = GetStockObject(int(index & ~kStockFlag));
    else if (index < m_pObjects.size())
        hObject = m_pObjects[index];
    else
        return kStop;
    const DWORD type = GetObjectType(hObject);
    if (type < 1 || type > kLastObjectType)
        return kStop;
    m_selected[type - 1] = LONG(index);
    if (type == OBJ_PEN)
        m_selected[OBJ_EXTPEN - 1] = -1;
    else if (type == OBJ_EXTPEN)
        m_selected[OBJ_PEN - 1] = -1;
    return kHandled;
}

void CVxEmfToVxConverter::ApplyCurrentAttributes(CVxGraphic& graphic, UINT nTextAlign) const
{
    ApplyGlobal(graphic, nTextAlign);
    ApplyPen(graphic);
    ApplyBrush(graphic);
    ApplyFont(graphic);
}

void CVxEmfToVxConverter::ApplyGlobal(CVxGraphic& graphic, UINT nTextAlign) const
{
    EditProperty<CVxGlobalGraphicProperty>(graphic, "Global", [&](auto& global) {
        global.SetArcDirection(m_nArcDirection);
        global.SetBkColor(m_crBkColor);
        global.SetBkMode(m_nBkMode);
        global.SetPolyFillMode(m_nPolyFillMode);
        global.SetRop2(m_nRop2);
        global.SetTextAlign(nTextAlign);
        global.SetTextCharacterExtra(m_nTextCharacterExtra);
        global.SetTextColor(m_crTextColor);
        global.SetMiterLimit(m_fMiterLimit);
        return true;
    });
}

// An extended pen's user style follows its fixed part, so its size is asked first.
void CVxEmfToVxConverter::ApplyPen(CVxGraphic& graphic) const
{
    EditProperty<CVxPenGraphicProperty>(graphic, "Pen", [&](auto& pen) {
        if (GetSelectedObject(OBJ_EXTPEN) != -1) {
            const HGDIOBJ hPen = SelectedHandle(OBJ_EXTPEN);
            const int size = GetObject(hPen, 0, nullptr);
            if (size < int(sizeof(EXTLOGPEN)))
                return false;
            std::vector<std::uint8_t> bytes(std::size_t(size), 0);
            if (GetObject(hPen, size, bytes.data()) < 1)
                return false;
            EXTLOGPEN extPen;
            std::memcpy(&extPen, bytes.data(), sizeof extPen);
            const bool bGeometric = (extPen.elpPenStyle & PS_GEOMETRIC) != 0;
            const auto length = [&](DWORD value) {
                const int clamped = int(std::min<DWORD>(value, std::numeric_limits<int>::max()));
                return bGeometric ? WorldLength(clamped) : clamped;
            };
            std::vector<DWORD> entries = StyleEntriesOf(extPen, bytes);
            for (DWORD& entry : entries)
                entry = DWORD(length(entry));
            pen.SetStyle(extPen.elpPenStyle);
            pen.SetWidth(length(extPen.elpWidth));
            pen.SetColor(extPen.elpColor);
            pen.SetStyleEntries(entries);
            return true;
        }
        LOGPEN logPen;
        if (GetObject(SelectedHandle(OBJ_PEN), sizeof logPen, &logPen) != int(sizeof logPen))
            return false;
        pen.SetStyle(logPen.lopnStyle);
        pen.SetWidth(WorldLength(logPen.lopnWidth.x));
        pen.SetColor(logPen.lopnColor);
        pen.SetStyleEntries({});
        return true;
    });
}

void CVxEmfToVxConverter::ClearPen(CVxGraphic& graphic)
{
    EditProperty<CVxPenGraphicProperty>(graphic, "Pen", [](auto& pen) {
        pen.SetStyle(PS_NULL);
        pen.SetStyleEntries({});
        return true;
    });
}

void CVxEmfToVxConverter::SetSolidFill(CVxGraphic& graphic, COLORREF color)
{
    EditProperty<CVxBrushGraphicProperty>(graphic, "Brush", [&](auto& brush) {
        brush.SetStyle(BS_SOLID);
        brush.SetColor(color);
        return true;
    });
}

void CVxEmfToVxConverter::ApplyBrush(CVxGraphic& graphic) const
{
    EditProperty<CVxBrushGraphicProperty>(graphic, "Brush", [&](auto& brush) {
        LOGBRUSH logBrush;
        if (GetObject(SelectedHandle(OBJ_BRUSH), sizeof logBrush, &logBrush) !=
            int(sizeof logBrush))
            return false;
        brush.SetStyle(logBrush.lbStyle);
        brush.SetHatch(logBrush.lbHatch);
        brush.SetColor(logBrush.lbColor);
        return true;
    });
}

void CVxEmfToVxConverter::ApplyFont(CVxGraphic& graphic) const
{
    const CSpacingKeeper keeper;
    EditProperty<CVxFontGraphicProperty>(graphic, "Font", [&](auto& font) {
        LOGFONTW logFont;
        if (GetObject(SelectedHandle(OBJ_FONT), sizeof logFont, &logFont) <= 0)
            return false;
        font.SetLogFont(logFont);
        return true;
    });
}

BYTE CVxEmfToVxConverter::GetTextCharSet() const
{
    LOGFONTW logFont;
    if (GetObject(SelectedHandle(OBJ_FONT), sizeof logFont, &logFont) <= 0)
        return DEFAULT_CHARSET;
    return logFont.lfCharSet;
}

// A turning world transform turns the text's baseline and its characters. Glyphs
// cannot be mirrored: under a mirroring transform the characters keep the side
// the mirror turns their tops to and run back from the reference point (the
// caller swaps left and right), so that the text covers the mirrored text's box.
void CVxEmfToVxConverter::ApplyWorldToFont(CVxGraphic& graphic) const
{
    const bool bMirrored = IsWorldMirrored();
    const std::int64_t turn = WorldEscapement() + (bMirrored ? 1800 : 0);
    if (turn == 0 && !bMirrored)
        return;
    const auto turned = [&](LONG angle) {
        return LONG(((bMirrored ? -std::int64_t(angle) : std::int64_t(angle)) + turn) % 3600);
    };
    const CSpacingKeeper keeper;
    EditProperty<CVxFontGraphicProperty>(graphic, "Font", [&](auto& font) {
        const LOGFONTW& logFont = font.GetLogFont();
        font.SetEscapement(turned(logFont.lfEscapement));
        font.SetOrientation(turned(logFont.lfOrientation));
        return true;
    });
}
