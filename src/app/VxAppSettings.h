#pragma once
// The application's settings of section "Application", read once at start-up.
// Values that are missing, not numbers or out of range read as their defaults.

#include <string>

struct VxAppSettings {
    bool bOpenMruFileOnStartup = false;
    bool bDisplayCopyrightOnStartup = true;
    bool bDisplayUnhandledMetafileRecordWarnings = false;
    bool bIgnoreTextCharacterSpacingTables = true;
    int nSwitchToFreehandTimerInterval = 500;
    int nMaxNumberOfUndos = 16;
    int nDragObjectOutlines = 0;
    int nUnits = 0;
    int nDragPictureRectThreshold = 10;
    int nDragObjectRectsThreshold = 5;
    bool bUseLargeToolBarButtons = false;
    bool bAutoWrapToolBars = true;
    int nSafeGdiBoundsMultiplier = 1;
    int nSafeGdiBoundsDivisor = 4;

    static constexpr int kMaxUndosLimit = 32767;

    // Through the process-wide settings store.
    void Load();
    // Writes one value of the section; false when it could not be stored.
    static bool Write(const std::string& key, int nValue);
};
