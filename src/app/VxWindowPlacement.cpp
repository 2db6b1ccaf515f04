#include "app/VxWindowPlacement.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkSettings.h"

#include <array>
#include <sstream>

std::optional<VxWindowPlacement> VxWindowPlacement::Parse(const std::string& text)
{
    std::array<int, 10> values{};
    std::size_t nCount = 0;
    std::istringstream fields(text);
    for (std::string field; std::getline(fields, field, ',');) {
        if (nCount == values.size() || !TkParseProfileInt(field, values[nCount])) return std::nullopt;
        ++nCount;
    }
    if (nCount != values.size()) return std::nullopt;
    VxWindowPlacement placement;
    placement.nFlags = unsigned(values[0]);
    placement.nShowCmd = unsigned(values[1]);
    placement.ptMinPosition = {values[2], values[3]};
    placement.ptMaxPosition = {values[4], values[5]};
    placement.rcNormalPosition = {values[6], values[7], values[8], values[9]};
    return placement;
}

std::string VxWindowPlacement::Format() const
{
    const RECT& rc = rcNormalPosition;
    return TkFormat("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", nFlags, nShowCmd, ptMinPosition.x, ptMinPosition.y,
                    ptMaxPosition.x, ptMaxPosition.y, rc.left, rc.top, rc.right, rc.bottom);
}
