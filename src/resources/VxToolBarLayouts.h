#pragma once
// The ten toolbars as rows: their ids, titles, image sets, docking and buttons
// (0 stands for a separator), in the order the frame creates them.

#include <span>

enum class VxDockSide : unsigned char { Top, Left, Bottom, Right };

struct VxToolBarLayout {
    unsigned nFrameId;  // the bar's id in the frame
    unsigned nTitleId;  // its caption when floating
    unsigned nSmallId;  // 16-pixel images
    unsigned nLargeId;  // 24-pixel images
    bool bTopBottomOnly;  // holds controls: docks at the top or bottom only
    bool bCustomDraw;  // draws over its buttons' faces (swatches)
    VxDockSide initialDock;
    std::span<const unsigned> buttons;
};

// Standard, Text, Draw, Color, Fill, Line, Zoom, Format, Grid, Polygon.
std::span<const VxToolBarLayout> VxGetToolBarLayouts();
// The order in which the bars are docked, each side's bars in turn: Standard,
// Zoom, Text at the top; Draw, Format, Polygon at the left; Color, Fill,
// Line, Grid at the bottom.
std::span<const unsigned> VxGetToolBarDockOrder();
