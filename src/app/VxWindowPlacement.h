#pragma once
// The main window's placement as stored in "WindowPos": ten numbers, flags,
// show command, minimized and maximized positions, then the normal
// rectangle's left, top, right and bottom.

#include "platform/gdi/GdiTypes.h"

#include <optional>
#include <string>

struct VxWindowPlacement {
    static constexpr unsigned kShowNormal = 1;
    static constexpr unsigned kShowMaximized = 3;

    unsigned nFlags = 0;
    unsigned nShowCmd = kShowNormal;
    POINT ptMinPosition{-1, -1};
    POINT ptMaxPosition{-1, -1};
    RECT rcNormalPosition{};

    // Nothing unless text holds exactly ten whole numbers separated by commas.
    static std::optional<VxWindowPlacement> Parse(const std::string& text);
    std::string Format() const;
};
