#include "app/VxAppSettings.h"

#include "platform/framework/TkSettings.h"

#include <climits>

namespace {

constexpr const char* kSection = "Application";

int ReadInt(const char* key, int nDefault, int nMin, int nMax)
{
    const int value = TkGetSettings().GetProfileInt(kSection, key, nDefault);
    return value >= nMin && value <= nMax ? value : nDefault;
}

bool ReadBool(const char* key, bool bDefault)
{
    return ReadInt(key, bDefault ? 1 : 0, INT_MIN, INT_MAX) != 0;
}

}  // namespace

void VxAppSettings::Load()
{
    const VxAppSettings d;
    bOpenMruFileOnStartup = ReadBool("OpenMruFileOnStartup", d.bOpenMruFileOnStartup);
    bDisplayCopyrightOnStartup =
        ReadBool("DisplayCopyrightOnStartup", d.bDisplayCopyrightOnStartup);
    bDisplayUnhandledMetafileRecordWarnings = ReadBool(
        "DisplayUnhandledMetafileRecordWarnings", d.bDisplayUnhandledMetafileRecordWarnings);
    bIgnoreTextCharacterSpacingTables =
        ReadBool("IgnoreTextCharacterSpacingTables", d.bIgnoreTextCharacterSpacingTables);
    nSwitchToFreehandTimerInterval = ReadInt("SwitchToFreehandTimerInterval",
                                             d.nSwitchToFreehandTimerInterval, 1, INT_MAX);
    nMaxNumberOfUndos = ReadInt("MaxNumberOfUndos", d.nMaxNumberOfUndos, 0, kMaxUndosLimit);
    nDragObjectOutlines = ReadInt("DragObjectOutlines", d.nDragObjectOutlines, 0, 1);
    nUnits = ReadInt("Units", d.nUnits, 0, 2);
    nDragPictureRectThreshold =
        ReadInt("DragPictureRectThreshold", d.nDragPictureRectThreshold, 0, INT_MAX);
    nDragObjectRectsThreshold =
        ReadInt("DragObjectRectsThreshold", d.nDragObjectRectsThreshold, 0, INT_MAX);
    bUseLargeToolBarButtons = ReadBool("UseLargeToolBarButtons", d.bUseLargeToolBarButtons);
    bAutoWrapToolBars = ReadBool("AutoWrapToolBars", d.bAutoWrapToolBars);
    nSafeGdiBoundsMultiplier =
        ReadInt("SafeGdiBoundsMultiplier", d.nSafeGdiBoundsMultiplier, 1, INT_MAX);
    nSafeGdiBoundsDivisor = ReadInt("SafeGdiBoundsDivisor", d.nSafeGdiBoundsDivisor, 1, INT_MAX);
}

bool VxAppSettings::Write(const std::string& key, int nValue)
{
    return TkGetSettings().WriteProfileInt(kSection, key, nValue);
}
