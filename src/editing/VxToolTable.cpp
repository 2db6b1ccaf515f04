#include "editing/VxToolTable.h"

#include "editing/VxPolyTool.h"
#include "editing/VxShapeTool.h"
#include "editing/VxTextTool.h"
#include "graphics/VxArc.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxLine.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <array>

namespace {

template <typename T>
std::unique_ptr<CVxGraphic> Make(const RECT& rect)
{
    return std::make_unique<T>(rect);
}

template <BOOL bClosed>
std::unique_ptr<CVxGraphic> MakePoly(const RECT& rect)
{
    return std::make_unique<CVxPoly>(rect, bClosed);
}

CVxShapeTool g_lineTool(&Make<CVxLine>);
CVxShapeTool g_rectangleTool(&Make<CVxRectangle>);
CVxShapeTool g_ellipseTool(&Make<CVxEllipse>);
// A new arc goes straight into point editing for its angles.
CVxShapeTool g_arcTool(&Make<CVxArc>, true);
CVxPolyTool g_polylineTool(&MakePoly<FALSE>);
CVxPolyTool g_polygonTool(&MakePoly<TRUE>);
CVxTextTool g_textTool;

struct ToolEntry {
    unsigned nID;
    IVxInputHandler* pTool;
};

const std::array<ToolEntry, 8> kTools = {{
    {ID_TOOL_SELECTION, nullptr},
    {ID_TOOL_LINE, &g_lineTool},
    {ID_TOOL_POLYLINE, &g_polylineTool},
    {ID_TOOL_RECTANGLE, &g_rectangleTool},
    {ID_TOOL_ELLIPSE, &g_ellipseTool},
    {ID_TOOL_POLYGON, &g_polygonTool},
    {ID_TOOL_TEXT, &g_textTool},
    {ID_TOOL_ARC, &g_arcTool},
}};

const ToolEntry* Find(unsigned nID)
{
    const auto it = std::find_if(kTools.begin(), kTools.end(),
                                 [nID](const ToolEntry& entry) { return entry.nID == nID; });
    return it == kTools.end() ? nullptr : &*it;
}

}  // namespace

IVxInputHandler* VxToolForCommand(unsigned nID)
{
    const ToolEntry* pEntry = Find(nID);
    return pEntry ? pEntry->pTool : nullptr;
}

bool VxHasToolForCommand(unsigned nID) { return Find(nID) != nullptr; }
