#include "platform/qt/TkQtPaintRop.h"

namespace {

constexpr QRgb kColourBits = 0x00FFFFFF;
constexpr QRgb kOpaque = 0xFF000000;

// Both mix-mode and ternary codes are truth tables: bit i of the table is the
// result for the operand bits that i spells, the first operand in the highest bit.
// Evaluating the table on whole words does every colour bit at once.
QRgb EvaluateTable(unsigned table, int operands, const QRgb* values)
{
    QRgb result = 0;
    for (unsigned minterm = 0; minterm < (1u << operands); ++minterm) {
        if ((table & (1u << minterm)) == 0)
            continue;
        QRgb term = kColourBits;
        for (int k = 0; k < operands; ++k) {
            const bool set = (minterm >> (operands - 1 - k)) & 1u;
            term &= set ? values[k] : ~values[k];
        }
        result |= term;
    }
    return (result & kColourBits) | kOpaque;
}

unsigned Rop3Table(DWORD rop) { return (rop >> 16) & 0xFFu; }

}  // namespace

QRgb TkApplyRop2(int rop, QRgb pen, QRgb dest)
{
    if (rop < R2_BLACK || rop > R2_WHITE)
        return dest;
    const QRgb values[] = {pen, dest};
    return EvaluateTable(unsigned(rop - 1), 2, values);
}

QRgb TkApplyRop3(DWORD rop, QRgb pattern, QRgb source, QRgb dest)
{
    const QRgb values[] = {pattern, source, dest};
    return EvaluateTable(Rop3Table(rop), 3, values);
}

bool TkRop3UsesPattern(DWORD rop)
{
    const unsigned t = Rop3Table(rop);
    return (t >> 4) != (t & 0x0Fu);
}

bool TkRop3UsesSource(DWORD rop)
{
    const unsigned t = Rop3Table(rop);
    return ((t >> 2) & 0x33u) != (t & 0x33u);
}

std::optional<QPainter::CompositionMode> TkRop2CompositionMode(int rop)
{
    switch (rop) {
    case R2_BLACK: return QPainter::RasterOp_ClearDestination;
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    case R2_WHITE: return QPainter::RasterOp_SetDestination;
    default: return std::nullopt;
    }
}
