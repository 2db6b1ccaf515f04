#pragma once
// Integer geometry shared by the graphics. Coordinates may come straight from a
// file and span the whole 32-bit range, so sums and differences are taken in 64
// bits and saturated where they are stored back.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>

int VxClampToInt(std::int64_t value);

// (a + b) / 2, truncated toward zero, without overflow.
int VxMidpoint(int a, int b);

// to - from, saturated.
int VxExtent(int from, int to);

// left <= right and top <= bottom, each pair swapped on its own.
RECT VxNormalizeRect(const RECT& rect);

// The smallest normalised rectangle holding every point; empty for none.
RECT VxBoundsOf(std::span<const POINT> points);
