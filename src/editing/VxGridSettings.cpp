#include "editing/VxGridSettings.h"

#include "platform/framework/TkSettings.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kSection = "View";
constexpr int kDefaultSpacing = 200;

int UsableSpacing(int nSpacing) { return nSpacing > 0 ? nSpacing : kDefaultSpacing; }

}  // namespace

VxGridSettingsData VxGridSettingsData::Load()
{
    const ITkSettings& settings = TkGetSettings();
    auto get = [&](const char* key, int nDefault) {
        return settings.GetProfileInt(kSection, key, nDefault);
    };
    VxGridSettingsData data;
    data.bDisplayGrid = get("DisplayGrid", 0);
    data.bSnapToGrid = get("SnapToGrid", 0);
    data.ptOrigin = {get("GridOriginX", 0), get("GridOriginY", 0)};
    data.sizeSpacing = {get("GridSpacingX", kDefaultSpacing), get("GridSpacingY", kDefaultSpacing)};
    data.crGridColor = COLORREF(get("GridColor", 0xC0C0C0));
    data.nGridType = get("GridType", kVxGridDots);
    data.nUnits = VxLoadUnits();
    return data;
}

void VxGridSettingsData::Save() const
{
    ITkSettings& settings = TkGetSettings();
    auto put = [&](const char* key, int nValue) { settings.WriteProfileInt(kSection, key, nValue); };
    put("DisplayGrid", bDisplayGrid);
    put("SnapToGrid", bSnapToGrid);
    put("GridOriginX", ptOrigin.x);
    put("GridOriginY", ptOrigin.y);
    put("GridSpacingX", sizeSpacing.cx);
    put("GridSpacingY", sizeSpacing.cy);
    put("GridColor", int(crGridColor));
    put("GridType", nGridType);
}

SIZE VxGridSettingsData::GetUsableSpacing() const
{
    return {UsableSpacing(sizeSpacing.cx), UsableSpacing(sizeSpacing.cy)};
}

CTkPair<double> VxGridSettingsData::GetUnitScale() const
{
    switch (nUnits) {
    case 1: return unitsPerInch;
    case 2: return unitsPerCm;
    default: return {1.0, 1.0};
    }
}

int VxSnapToGrid(int v, int nOrigin, int nSpacing)
{
    const long long s = UsableSpacing(nSpacing);
    const long long r = ((long long)v - nOrigin) % s;
    return int(std::clamp<long long>(r >= s / 2 ? v + (s - r) : v - r, INT_MIN, INT_MAX));
}
