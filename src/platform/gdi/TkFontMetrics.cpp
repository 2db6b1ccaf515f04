#include "platform/gdi/TkFontMetrics.h"

#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

ITkFontEngine* g_pEngine = nullptr;

// One axis of a DC's mapping: device length = logical length × device / logical.
struct AxisScale {
    int device;
    int logical;
};

std::optional<int> Magnitude(int value)
{
    if (value == std::numeric_limits<int>::min())
        return std::nullopt;
    return std::abs(value);
}

std::optional<AxisScale> MakeAxis(int viewportExt, int windowExt)
{
    const auto device = Magnitude(viewportExt);
    const auto logical = Magnitude(windowExt);
    if (!device || !logical || *device == 0 || *logical == 0)
        return std::nullopt;
    return AxisScale{*device, *logical};
}

// |value| × num / den rounded, with value's sign; nullopt when it does not fit.
std::optional<LONG> ScaleLength(LONG value, int num, int den)
{
    const auto magnitude = Magnitude(value);
    if (!magnitude)
        return std::nullopt;
    const int scaled = MulDiv(*magnitude, num, den);
    if (scaled < 0)
        return std::nullopt;
    return value < 0 ? -scaled : scaled;
}

std::optional<LONG> ToDevice(LONG value, const AxisScale& axis)
{
    auto scaled = ScaleLength(value, axis.device, axis.logical);
    if (scaled && *scaled == 0 && value != 0)
        scaled = value < 0 ? -1 : 1;
    return scaled;
}

std::optional<LONG> ToLogical(LONG value, const AxisScale& axis)
{
    return ScaleLength(value, axis.logical, axis.device);
}

// Converts one length in place; false when it does not fit.
bool Convert(LONG& field, const AxisScale& axis)
{
    const auto converted = ToLogical(field, axis);
    if (!converted)
        return false;
    field = *converted;
    return true;
}

bool Convert(UINT& field, const AxisScale& axis)
{
    if (field > UINT(std::numeric_limits<LONG>::max()))
        return false;
    LONG value = LONG(field);
    if (!Convert(value, axis))
        return false;
    field = UINT(value);
    return true;
}

// Everything a measurement needs from the DC.
struct Measuring {
    ITkFontEngine* pEngine;
    LOGFONTW font;  // height and width in device pixels, unrotated
    AxisScale x;
    AxisScale y;
};

std::optional<LOGFONTW> SelectedFont(const CTkDC& dc)
{
    const CTkGdiObject* pObject = TkLookupGdiObject(dc.GetCurrentObject(OBJ_FONT));
    if (pObject == nullptr || pObject->type != OBJ_FONT)
        return std::nullopt;
    return pObject->font;
}

std::optional<Measuring> Prepare(const CTkDC* pDC)
{
    if (pDC == nullptr || g_pEngine == nullptr)
        return std::nullopt;
    auto font = SelectedFont(*pDC);
    const auto x = MakeAxis(pDC->GetViewportExt().cx, pDC->GetWindowExt().cx);
    const auto y = MakeAxis(pDC->GetViewportExt().cy, pDC->GetWindowExt().cy);
    if (!font || !x || !y)
        return std::nullopt;
    // A width is a length whatever its sign, as GDI takes it.
    const auto width = Magnitude(font->lfWidth);
    const auto deviceWidth = width ? ToDevice(*width, *x) : std::nullopt;
    const auto deviceHeight = ToDevice(font->lfHeight, *y);
    if (!deviceWidth || !deviceHeight)
        return std::nullopt;
    font->lfWidth = *deviceWidth;
    font->lfHeight = *deviceHeight;
    font->lfEscapement = 0;
    font->lfOrientation = 0;
    return Measuring{g_pEngine, *font, *x, *y};
}

bool ConvertMetrics(TEXTMETRICW& tm, const Measuring& m)
{
    const bool ok = Convert(tm.tmHeight, m.y) && Convert(tm.tmAscent, m.y) &&
                    Convert(tm.tmInternalLeading, m.y) &&
                    Convert(tm.tmExternalLeading, m.y) && Convert(tm.tmAveCharWidth, m.x) &&
                    Convert(tm.tmMaxCharWidth, m.x) && Convert(tm.tmOverhang, m.x);
    // The descent is what the height leaves below the ascent, so that the two
    // still add up after rounding.
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    return ok;
}

}  // namespace

void TkSetFontEngine(ITkFontEngine* pEngine) { g_pEngine = pEngine; }

ITkFontEngine* TkGetFontEngine() { return g_pEngine; }

BOOL GetTextExtentPoint32W(CTkDC* pDC, const WCHAR* text, int count, SIZE* pSize)
{
    if (pSize == nullptr || count < 0 || (text == nullptr && count > 0))
        return FALSE;
    const auto m = Prepare(pDC);
    SIZE size{};
    if (!m || !m->pEngine->GetTextExtent(m->font, text, count, &size))
        return FALSE;
    if (!Convert(size.cx, m->x) || !Convert(size.cy, m->y))
        return FALSE;
    const std::int64_t cx = std::int64_t(size.cx) +
                            std::int64_t(pDC->GetTextCharacterExtra()) * count;
    if (cx < std::numeric_limits<LONG>::min() || cx > std::numeric_limits<LONG>::max())
        return FALSE;
    *pSize = {LONG(cx), size.cy};
    return TRUE;
}

BOOL GetCharABCWidthsW(CTkDC* pDC, UINT first, UINT last, ABC* pWidths)
{
    if (pWidths == nullptr || last < first)
        return FALSE;
    const auto m = Prepare(pDC);
    if (!m || !m->pEngine->GetCharABCWidths(m->font, first, last, pWidths))
        return FALSE;
    for (std::uint64_t i = 0; i <= std::uint64_t(last - first); ++i) {
        ABC& abc = pWidths[i];
        if (!Convert(abc.abcA, m->x) || !Convert(abc.abcB, m->x) || !Convert(abc.abcC, m->x))
            return FALSE;
    }
    return TRUE;
}

BOOL GetTextMetricsW(CTkDC* pDC, TEXTMETRICW* pMetrics)
{
    if (pMetrics == nullptr)
        return FALSE;
    const auto m = Prepare(pDC);
    TEXTMETRICW tm{};
    if (!m || !m->pEngine->GetTextMetrics(m->font, &tm) || !ConvertMetrics(tm, *m))
        return FALSE;
    *pMetrics = tm;
    return TRUE;
}
