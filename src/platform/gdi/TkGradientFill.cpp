#include "platform/gdi/TkGradientFill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

BYTE Mix(COLOR16 a, COLOR16 b, std::int64_t num, std::int64_t den)
{
    return BYTE((a + (std::int64_t(b) - a) * num / den) >> 8);
}

// Barycentric blend of three vertex colours, the weights out of total.
COLORREF Blend(const TRIVERTEX* v[3], const std::int64_t w[3], std::int64_t total)
{
    const auto channel = [&](COLOR16 TRIVERTEX::*field) {
        const std::int64_t sum = w[0] * (v[0]->*field) + w[1] * (v[1]->*field) +
                                 w[2] * (v[2]->*field);
        return BYTE(std::clamp<std::int64_t>(sum / total, 0, 0xFFFF) >> 8);
    };
    return RGB(channel(&TRIVERTEX::Red), channel(&TRIVERTEX::Green), channel(&TRIVERTEX::Blue));
}

// Never more steps than the extent has units, and at least one.
int StepsFor(std::int64_t extent, int maxSteps)
{
    return int(std::clamp<std::int64_t>(std::llabs(extent), 1, std::max(maxSteps, 1)));
}

LONG Lerp(LONG a, LONG b, std::int64_t num, std::int64_t den)
{
    return LONG(a + (std::int64_t(b) - a) * num / den);
}

void RectPieces(const TRIVERTEX& a, const TRIVERTEX& b, bool bVertical, int maxSteps,
                const TkGradientPiece& piece)
{
    const int steps = StepsFor(bVertical ? std::int64_t(b.y) - a.y : std::int64_t(b.x) - a.x,
                               maxSteps);
    for (int i = 0; i < steps; ++i) {
        // Each band's colour is the one at its middle.
        const COLORREF color = TkGradientColor(a, b, 2 * i + 1, 2 * steps);
        POINT band[4];
        if (bVertical) {
            const LONG top = Lerp(a.y, b.y, i, steps), bottom = Lerp(a.y, b.y, i + 1, steps);
            band[0] = {a.x, top}, band[1] = {b.x, top}, band[2] = {b.x, bottom};
            band[3] = {a.x, bottom};
        } else {
            const LONG left = Lerp(a.x, b.x, i, steps), right = Lerp(a.x, b.x, i + 1, steps);
            band[0] = {left, a.y}, band[1] = {right, a.y}, band[2] = {right, b.y};
            band[3] = {left, b.y};
        }
        piece(band, color);
    }
}

// The triangle cut along its three sides into steps parts; each small triangle
// takes the colour at its centre.
void TrianglePieces(const TRIVERTEX* v[3], int maxSteps, const TkGradientPiece& piece)
{
    std::int64_t extent = 0;
    for (int k = 0; k < 3; ++k) {
        const TRIVERTEX& p = *v[k];
        const TRIVERTEX& q = *v[(k + 1) % 3];
        extent = std::max({extent, std::int64_t(std::llabs(std::int64_t(q.x) - p.x)),
                           std::int64_t(std::llabs(std::int64_t(q.y) - p.y))});
    }
    const std::int64_t n = StepsFor(extent, maxSteps);
    // The point of barycentric weights (i, j, n - i - j) out of n.
    const auto at = [&](std::int64_t i, std::int64_t j) {
        const std::int64_t k = n - i - j;
        return POINT{LONG((i * v[0]->x + j * v[1]->x + k * v[2]->x) / n),
                     LONG((i * v[0]->y + j * v[1]->y + k * v[2]->y) / n)};
    };
    const auto emit = [&](POINT p0, POINT p1, POINT p2, std::int64_t wi, std::int64_t wj) {
        const std::int64_t w[3] = {wi, wj, 3 * n - wi - wj};
        const POINT triangle[3] = {p0, p1, p2};
        piece(triangle, Blend(v, w, 3 * n));
    };
    for (std::int64_t i = 0; i < n; ++i) {
        for (std::int64_t j = 0; i + j < n; ++j) {
            emit(at(i, j), at(i + 1, j), at(i, j + 1), 3 * i + 1, 3 * j + 1);
            if (i + j + 1 < n)
                emit(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1), 3 * i + 2, 3 * j + 2);
        }
    }
}

}  // namespace

std::size_t TkGradientIndicesPerItem(ULONG mode)
{
    switch (mode) {
    case GRADIENT_FILL_RECT_H:
    case GRADIENT_FILL_RECT_V: return 2;
    case GRADIENT_FILL_TRIANGLE: return 3;
    default: return 0;
    }
}

bool TkIsValidGradientFill(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                           ULONG mode)
{
    const std::size_t per = TkGradientIndicesPerItem(mode);
    return per != 0 && mesh.size() % per == 0 &&
           std::ranges::all_of(mesh, [&](ULONG index) { return index < vertices.size(); });
}

COLORREF TkGradientColor(const TRIVERTEX& a, const TRIVERTEX& b, int num, int den)
{
    if (den <= 0)
        return RGB(BYTE(a.Red >> 8), BYTE(a.Green >> 8), BYTE(a.Blue >> 8));
    return RGB(Mix(a.Red, b.Red, num, den), Mix(a.Green, b.Green, num, den),
               Mix(a.Blue, b.Blue, num, den));
}

void TkForEachGradientPiece(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                            ULONG mode, int maxSteps, const TkGradientPiece& piece)
{
    if (!TkIsValidGradientFill(vertices, mesh, mode))
        return;
    const std::size_t per = TkGradientIndicesPerItem(mode);
    for (std::size_t i = 0; i < mesh.size(); i += per) {
        if (per == 2) {
            RectPieces(vertices[mesh[i]], vertices[mesh[i + 1]], mode == GRADIENT_FILL_RECT_V,
                       maxSteps, piece);
            continue;
        }
        const TRIVERTEX* v[3] = {&vertices[mesh[i]], &vertices[mesh[i + 1]],
                                 &vertices[mesh[i + 2]]};
        TrianglePieces(v, maxSteps, piece);
    }
}
