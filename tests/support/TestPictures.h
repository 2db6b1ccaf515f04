#pragma once
// Small metafiles that the view and window tests show.

#include <cstdint>
#include <vector>

// A 2000 x 1000 EMF (its frame, hundredths of a millimetre) with one
// rectangle over its middle, filled with the stock black brush.
std::vector<std::uint8_t> BlackRectangleEmf();
