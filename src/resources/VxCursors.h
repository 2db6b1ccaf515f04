#pragma once
// The editor's own mouse cursors (200 to 205) as pixel rows, so that the
// window layer can make them without image files.

#include <array>
#include <optional>
#include <string>

constexpr int kVxCursorSize = 32;

struct VxCursorImage {
    int nHotX = 0;
    int nHotY = 0;
    // Top to bottom, kVxCursorSize characters each: 'X' black, 'o' white,
    // '.' clear.
    std::array<std::string, kVxCursorSize> rows;
};

// Nothing for an id that is not one of the editor's cursors.
std::optional<VxCursorImage> VxGetCursorImage(unsigned nID);
