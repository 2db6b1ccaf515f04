#include "import/VxIgnoredMetafileRecords.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace {


struct RecordName {
    DWORD type;
    std::string_view name;
};

#define Entry(type) RecordName{type, #type}
// In alphabetical order of the names.
constexpr std::array kRecordNames = {
    Entry(EMR_ABORTPATH),
    Entry(EMR_ALPHABLEND),
    Entry(EMR_ANGLEARC),
    Entry(EMR_ARC),
    Entry(EMR_ARCTO),
    Entry(EMR_BEGINPATH),
    Entry(EMR_BITBLT),
    Entry(EMR_CHORD),
    Entry(EMR_CLOSEFIGURE),
    Entry(EMR_CREATEBRUSHINDIRECT),
    Entry(EMR_CREATECOLORSPACE),
    Entry(EMR_CREATEDIBPATTERNBRUSHPT),
    Entry(EMR_CREATEMONOBRUSH),
    Entry(EMR_CREATEPALETTE),
    Entry(EMR_CREATEPEN),
    Entry(EMR_DELETECOLORSPACE),
    Entry(EMR_DELETEOBJECT),
    Entry(EMR_ELLIPSE),
    Entry(EMR_ENDPATH),
    Entry(EMR_EOF),
    Entry(EMR_EXCLUDECLIPRECT),
    Entry(EMR_EXTCREATEFONTINDIRECTW),
    Entry(EMR_EXTCREATEPEN),
    Entry(EMR_EXTFLOODFILL),
    Entry(EMR_EXTSELECTCLIPRGN),
    Entry(EMR_EXTTEXTOUTA),
    Entry(EMR_EXTTEXTOUTW),
    Entry(EMR_FILLPATH),
    Entry(EMR_FILLRGN),
    Entry(EMR_FLATTENPATH),
    Entry(EMR_FRAMERGN),
    Entry(EMR_GDICOMMENT),
    Entry(EMR_GRADIENTFILL),
    Entry(EMR_HEADER),
    Entry(EMR_INTERSECTCLIPRECT),
    Entry(EMR_INVERTRGN),
    Entry(EMR_LINETO),
    Entry(EMR_MASKBLT),
    Entry(EMR_MODIFYWORLDTRANSFORM),
    Entry(EMR_MOVETOEX),
    Entry(EMR_OFFSETCLIPRGN),
    Entry(EMR_PAINTRGN),
    Entry(EMR_PIE),
    Entry(EMR_PLGBLT),
    Entry(EMR_POLYBEZIER),
    Entry(EMR_POLYBEZIER16),
    Entry(EMR_POLYBEZIERTO),
    Entry(EMR_POLYBEZIERTO16),
    Entry(EMR_POLYDRAW),
    Entry(EMR_POLYDRAW16),
    Entry(EMR_POLYGON),
    Entry(EMR_POLYGON16),
    Entry(EMR_POLYLINE),
    Entry(EMR_POLYLINE16),
    Entry(EMR_POLYLINETO),
    Entry(EMR_POLYLINETO16),
    Entry(EMR_POLYPOLYGON),
    Entry(EMR_POLYPOLYGON16),
    Entry(EMR_POLYPOLYLINE),
    Entry(EMR_POLYPOLYLINE16),
    Entry(EMR_POLYTEXTOUTA),
    Entry(EMR_POLYTEXTOUTW),
    Entry(EMR_REALIZEPALETTE),
    Entry(EMR_RECTANGLE),
    Entry(EMR_RESIZEPALETTE),
    Entry(EMR_RESTOREDC),
    Entry(EMR_ROUNDRECT),
    Entry(EMR_SAVEDC),
    Entry(EMR_SCALEVIEWPORTEXTEX),
    Entry(EMR_SCALEWINDOWEXTEX),
    Entry(EMR_SELECTCLIPPATH),
    Entry(EMR_SELECTOBJECT),
    Entry(EMR_SELECTPALETTE),
    Entry(EMR_SETARCDIRECTION),
    Entry(EMR_SETBKCOLOR),
    Entry(EMR_SETBKMODE),
    Entry(EMR_SETBRUSHORGEX),
    Entry(EMR_SETCOLORADJUSTMENT),
    Entry(EMR_SETCOLORSPACE),
    Entry(EMR_SETDIBITSTODEVICE),
    Entry(EMR_SETICMMODE),
    Entry(EMR_SETMAPMODE),
    Entry(EMR_SETMAPPERFLAGS),
    Entry(EMR_SETMETARGN),
    Entry(EMR_SETMITERLIMIT),
    Entry(EMR_SETPALETTEENTRIES),
    Entry(EMR_SETPIXELV),
    Entry(EMR_SETPOLYFILLMODE),
    Entry(EMR_SETROP2),
    Entry(EMR_SETSTRETCHBLTMODE),
    Entry(EMR_SETTEXTALIGN),
    Entry(EMR_SETTEXTCOLOR),
    Entry(EMR_SETVIEWPORTEXTEX),
    Entry(EMR_SETVIEWPORTORGEX),
    Entry(EMR_SETWINDOWEXTEX),
    Entry(EMR_SETWINDOWORGEX),
    Entry(EMR_SETWORLDTRANSFORM),
    Entry(EMR_SMALLTEXTOUT),
    Entry(EMR_STRETCHBLT),
    Entry(EMR_STRETCHDIBITS),
    Entry(EMR_STROKEANDFILLPATH),
    Entry(EMR_STROKEPATH),
    Entry(EMR_TRANSPARENTBLT),
    Entry(EMR_WIDENPATH),
};
#undef Entry

CVxIgnoredMetafileRecords::Display& TheDisplay()
{
    static CVxIgnoredMetafileRecords::Display display;
    return display;
}

}  // namespace

void CVxIgnoredMetafileRecords::AddIgnoredRecord(DWORD type)
{
    if (std::find(m_types.begin(), m_types.end(), type) == m_types.end()) m_types.push_back(type);
}

std::string CVxIgnoredMetafileRecords::GetRecordName(DWORD type)
{
    const WORD low = WORD(type);
    for (const RecordName& entry : kRecordNames) {
        if (WORD(entry.type) == low) return std::string(entry.name);
    }
    return TkFormat(TkLoadString(IDS_UNKNOWN_FUNCTION), low);
}

void CVxIgnoredMetafileRecords::SetDisplay(Display display)
{
    TheDisplay() = std::move(display);
}

void CVxIgnoredMetafileRecords::Show() const
{
    if (!IsEmpty() && TheDisplay()) TheDisplay()(*this);
}
