#include "ImportTestFiles.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/EmfBuilder.h"
#include "support/WmfBuilder.h"

#include <array>

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BuildClp(std::uint16_t id, const std::vector<ClpFormat>& formats)
{
    const bool b16 = id == 50000;
    const std::size_t entryBytes = b16 ? 89 : 172;
    std::vector<std::uint8_t> out;
    Put16(out, id);
    Put16(out, std::uint32_t(formats.size()));
    std::uint32_t offset = std::uint32_t(4 + entryBytes * formats.size());
    for (const ClpFormat& f : formats) {
        const std::size_t start = out.size();
        if (b16) {
            Put16(out, f.format);
        } else {
            Put32(out, f.format);
        }
        Put32(out, std::uint32_t(f.data.size()));
        Put32(out, offset);
        for (std::size_t i = 0; i < f.ansiName.size() && i < 79; ++i) {
            if (b16) {
                out.push_back(std::uint8_t(f.ansiName[i]));
            } else {
                Put16(out, std::uint8_t(f.ansiName[i]));
            }
        }
        out.resize(start + entryBytes, 0);
        offset += std::uint32_t(f.data.size());
    }
    for (const ClpFormat& f : formats) out.insert(out.end(), f.data.begin(), f.data.end());
    return out;
}

std::vector<std::uint8_t> MetaFilePictBlock(bool b16, int mapMode, int xExt, int yExt,
                                            std::span<const std::uint8_t> wmf)
{
    std::vector<std::uint8_t> out;
    for (int v : {mapMode, xExt, yExt, 0}) {
        if (b16) {
            Put16(out, std::uint16_t(v));
        } else {
            Put32(out, std::uint32_t(v));
        }
    }
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

std::vector<std::uint8_t> SmallWmf()
{
    return WmfBuilder()
        .Add(META_SETBKMODE, {1})
        .Add(META_RECTANGLE, {40, 30, 0, 0})
        .Build();
}

std::vector<std::uint8_t> SmallEmf()
{
    EmfBuilder emf;
    emf.Record(EMR_RECTANGLE, {0, 0, 100, 50});
    return emf.Finish();
}

std::vector<std::uint8_t> ConverterEmf()
{
    const std::vector<std::uint8_t> dib = WmfMonoDib8x8();
    const std::span<const std::uint8_t> bmi = std::span(dib).first(48);
    const std::span<const std::uint8_t> bits = std::span(dib).subspan(48);
    const std::array<POINT, 3> triangle{{{0, 0}, {100, 0}, {50, 80}}};
    const std::array<POINT, 6> twoTriangles{{{0, 0}, {10, 0}, {5, 8}, {20, 0}, {30, 0}, {25, 8}}};
    const std::array<DWORD, 2> counts{3, 3};
    const std::array<LONG, 3> dx{10, 10, 10};
    const std::array<std::uint8_t, 4> note{'n', 'o', 't', 'e'};
    LOGFONTW font{};
    font.lfHeight = -20;
    font.lfWeight = FW_BOLD;
    EmfBuilder b;
    b.Record(EMR_SETMAPMODE, {MM_ANISOTROPIC});
    b.Record(EMR_SETWINDOWORGEX, {0, 0});
    b.Record(EMR_SETWINDOWEXTEX, {200, 100});
    b.Record(EMR_SETBKMODE, {TRANSPARENT});
    b.Record(EMR_SETTEXTCOLOR, {RGB(0, 0, 255)});
    b.Record(EMR_SETPOLYFILLMODE, {WINDING});
    b.CreatePen(1, {PS_DASH, {3, 0}, RGB(255, 0, 0)});
    b.Record(EMR_SELECTOBJECT, {1});
    b.CreateBrushIndirect(2, {BS_HATCHED, RGB(0, 255, 0), HS_CROSS});
    b.Record(EMR_SELECTOBJECT, {2});
    b.ExtCreateFont(3, font);
    b.Record(EMR_SELECTOBJECT, {3});
    b.DibBrush(EMR_CREATEDIBPATTERNBRUSHPT, 4, DIB_RGB_COLORS, bmi, bits);
    b.Record(EMR_RECTANGLE, {10, 10, 60, 40});
    b.Record(EMR_ELLIPSE, {70, 10, 120, 40});
    b.Record(EMR_ARC, {0, 0, 50, 50, 50, 25, 0, 25});
    b.Poly(EMR_POLYGON16, triangle);
    b.Poly(EMR_POLYLINE, triangle);
    b.PolyPoly(EMR_POLYPOLYGON16, counts, twoTriangles);
    b.Record(EMR_SELECTOBJECT, {4});
    b.ExtTextOutW({5, 60}, u"abc", dx);
    b.GdiComment(note);
    b.Record(EMR_BEGINPATH);
    b.Record(EMR_MOVETOEX, {10, 10});
    b.Record(EMR_LINETO, {50, 10});
    b.Record(EMR_LINETO, {50, 50});
    b.Record(EMR_CLOSEFIGURE);
    b.Record(EMR_ENDPATH);
    b.Record(EMR_FILLPATH, {10, 10, 50, 50});
    b.Record(EMR_SELECTOBJECT, {0x80000005});  // the stock null brush
    b.Record(EMR_DELETEOBJECT, {1});
    std::vector<std::uint8_t> bytes = b.Finish();
    bytes[56] = 8;  // nHandles: room for the objects above
    return bytes;
}

RECT EmfFrame(std::span<const std::uint8_t> bits)
{
    const auto header = TkParseEmrHeader(bits);
    if (!header) return {-1, -1, -1, -1};
    const RECTL& f = header->header.rclFrame;
    return {f.left, f.top, f.right, f.bottom};
}
