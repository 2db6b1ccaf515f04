#pragma once
// GradientFill's geometry without a device: checks a call's mesh and cuts the
// fill into flat-coloured polygons, for devices that cannot shade (Windows
// metafiles) and for the triangles of those that shade only linearly.

#include "platform/gdi/GdiTypes.h"

#include <functional>
#include <span>

// Indices per rectangle or triangle of mode; 0 for a mode GDI does not know.
std::size_t TkGradientIndicesPerItem(ULONG mode);

// A known mode, whole items, and every index inside vertices.
bool TkIsValidGradientFill(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                           ULONG mode);

// The colour num/den of the way from a to b (the high bytes of the channels).
COLORREF TkGradientColor(const TRIVERTEX& a, const TRIVERTEX& b, int num, int den);

// Calls piece with each flat polygon of a valid fill: a rectangle in up to
// maxSteps bands across its gradient, a triangle cut into maxSteps² smaller ones
// coloured at their centres. Fewer steps where the fill is smaller than that.
using TkGradientPiece = std::function<void(std::span<const POINT> polygon, COLORREF color)>;
void TkForEachGradientPiece(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                            ULONG mode, int maxSteps, const TkGradientPiece& piece);
