#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfReader.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"
#include "support/TestCorpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Enumerates and keeps the types the callback saw.
bool Enumerate(std::span<const std::uint8_t> bits, std::vector<DWORD>* pTypes)
{
    return TkEnumEmfRecords(bits, [&](const TkEmfRecord& r) {
        pTypes->push_back(r.type);
        return true;
    });
}

// Whether the parser the converter would run on a record of this type accepts it;
// nullopt when the type has none.
std::optional<bool> ParseByType(const TkEmfRecord& r)
{
    const auto b = r.bytes;
    switch (r.type) {
    case EMR_HEADER: return TkParseEmrHeader(b).has_value();
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO: case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
        return TkParseEmrPoly(b).has_value();
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
        return TkParseEmrPolyPoly(b).has_value();
    case EMR_POLYDRAW: case EMR_POLYDRAW16: return TkParseEmrPolyDraw(b).has_value();
    case EMR_SETWINDOWEXTEX: case EMR_SETVIEWPORTEXTEX: return TkParseEmrSize(b).has_value();
    case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX:
    case EMR_MOVETOEX: case EMR_LINETO: case EMR_OFFSETCLIPRGN:
        return TkParseEmrPoint(b).has_value();
    case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX:
        return TkParseEmrScaleExt(b).has_value();
    case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE: case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR: case EMR_RESTOREDC: case EMR_SELECTOBJECT: case EMR_DELETEOBJECT:
    case EMR_SELECTPALETTE: case EMR_SETARCDIRECTION: case EMR_SELECTCLIPPATH:
        return TkParseEmrValue(b).has_value();
    case EMR_SETMITERLIMIT: return TkParseEmrMiterLimit(b).has_value();
    case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_INTERSECTCLIPRECT: case EMR_EXCLUDECLIPRECT:
    case EMR_FILLPATH: case EMR_STROKEPATH: case EMR_STROKEANDFILLPATH:
        return TkParseEmrRect(b).has_value();
    case EMR_ROUNDRECT: return TkParseEmrRoundRect(b).has_value();
    case EMR_ARC: case EMR_ARCTO: case EMR_CHORD: case EMR_PIE:
        return TkParseEmrArc(b).has_value();
    case EMR_CREATEPEN: return TkParseEmrCreatePen(b).has_value();
    case EMR_CREATEBRUSHINDIRECT: return TkParseEmrCreateBrushIndirect(b).has_value();
    case EMR_CREATEPALETTE: return TkParseEmrCreatePalette(b).has_value();
    case EMR_EXTCREATEPEN: return TkParseEmrExtCreatePen(b).has_value();
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
        return TkParseEmrDibBrush(b).has_value();
    case EMR_EXTCREATEFONTINDIRECTW: return TkParseEmrExtCreateFont(b).has_value();
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: return TkParseEmrExtTextOut(b).has_value();
    case EMR_GDICOMMENT: return TkParseEmrGdiComment(b).has_value();
    case EMR_EXTSELECTCLIPRGN: return TkParseEmrExtSelectClipRgn(b).has_value();
    default: return std::nullopt;
    }
}

bool ParsesByType(const TkEmfRecord& r)
{
    return ParseByType(r).value_or(true);
}

// One record of most kinds the parsers know.
Bytes SampleFile()
{
    EmfBuilder b(u"Glyphar\0Sample\0\0");
    const std::array<POINT, 3> pts{{{0, 0}, {100, -5}, {-32768, 32767}}};
    const std::array<DWORD, 2> counts{2, 1};
    const std::array<BYTE, 3> drawTypes{6, 2, 3};
    const std::array<LONG, 3> dx{7, 8, 9};
    const std::array<std::uint8_t, 5> comment{1, 2, 3, 4, 5};
    const std::array<std::uint8_t, 44> bmi{40};
    const std::array<std::uint8_t, 32> bits{};
    const std::array<DWORD, 2> styles{4, 2};
    const std::array<PALETTEENTRY, 2> palette{{{1, 2, 3, 0}, {4, 5, 6, 0}}};
    const std::array<LONG, 2> axes{10, 20};
    LOGFONTW font{};
    font.lfHeight = -12;
    b.Record(EMR_SETMAPMODE, {MM_ANISOTROPIC});
    b.Record(EMR_SETWINDOWEXTEX, {200, 100});
    b.Record(EMR_SETMITERLIMIT, {0x3F000000});
    b.CreatePen(1, {PS_DASH, {3, 0}, 0xFF});
    b.CreateBrushIndirect(2, {BS_HATCHED, 0xFF00, HS_CROSS});
    b.CreatePalette(3, palette);
    b.ExtCreatePen(4, {PS_GEOMETRIC | PS_USERSTYLE, 5, BS_DIBPATTERNPT, 0, 0, 0}, styles, bmi,
                   bits);
    b.DibBrush(EMR_CREATEDIBPATTERNBRUSHPT, 5, DIB_RGB_COLORS, bmi, bits);
    b.ExtCreateFont(6, font);
    b.ExtCreateFontExDv(7, font, axes);
    b.Record(EMR_SELECTOBJECT, {1});
    b.Record(EMR_MOVETOEX, {10, 20});
    b.Record(EMR_LINETO, {30, 40});
    b.Record(EMR_RECTANGLE, {0, 0, 10, 10});
    b.Record(EMR_ROUNDRECT, {0, 0, 10, 10, 3, 3});
    b.Record(EMR_ARC, {0, 0, 10, 10, 10, 5, 0, 5});
    b.Poly(EMR_POLYGON, pts);
    b.Poly(EMR_POLYLINE16, pts);
    b.PolyPoly(EMR_POLYPOLYGON16, counts, pts);
    b.PolyPoly(EMR_POLYPOLYLINE, counts, pts);
    b.PolyDraw(EMR_POLYDRAW, pts, drawTypes);
    b.ExtTextOutW({5, 6}, u"abc", dx, ETO_OPAQUE, {1, 2, 3, 4});
    b.ExtTextOutA({5, 6}, "xyz", dx);
    b.GdiComment(comment);
    b.ExtSelectClipRgn(RGN_COPY, {});
    b.Record(EMR_BEGINPATH);
    b.Record(EMR_ENDPATH);
    b.Record(EMR_STROKEPATH, {0, 0, 0, 0});
    return b.Finish();
}

std::vector<std::filesystem::path> CorpusEmfFiles()
{
    std::vector<std::filesystem::path> files = TestCorpusFiles();
    std::erase_if(files, [](const auto& path) { return path.extension() != ".emf"; });
    return files;
}

TEST(EmfReader, InvalidHeaderFailsBeforeAnyRecord)
{
    const Bytes good = EmfBuilder(u"ab").Finish();  // 108-byte fields, then 2 characters
    const EmfPatch cases[] = {
        {"type is not EMR_HEADER", 0, EMR_EOF},
        {"size shorter than the oldest header", 4, 84},
        {"size not a multiple of 4", 4, 110},
        {"size past the buffer", 4, 0x10000},
        {"size that overflows an offset", 4, 0xFFFFFFFC},
        {"bad signature", 40, 0x464D4521},
        {"nBytes past the buffer", 48, std::uint32_t(good.size() + 4)},
        {"nBytes shorter than the header", 48, 100},
        {"description longer than the record", 60, 3},
        {"description count that overflows", 60, 0x80000000},
        {"description inside the fixed fields", 64, 84},
        {"description offset past the record", 64, 0xFFFFFFF0},
        {"pixel format outside the record", 88, 16},
    };
    for (const EmfPatch& c : cases) {
        Bytes bits = Patched(good, c);
        if (c.offset == 88)
            SetU32(bits, 92, 100);
        std::vector<DWORD> seen;
        EXPECT_FALSE(Enumerate(bits, &seen)) << c.what;
        EXPECT_TRUE(seen.empty()) << c.what;
        EXPECT_EQ(TkEmfMetaFileLength(bits), 0u) << c.what;
    }
    std::vector<DWORD> seen;
    EXPECT_TRUE(Enumerate(good, &seen));
    for (std::size_t n : {0, 8, 87})
        EXPECT_FALSE(Enumerate(std::span(good).first(n), &seen));
}

TEST(EmfReader, NBytesShorterThanTheBufferIsTheMetafilesLength)
{
    Bytes bits = EmfBuilder().Finish();
    const std::size_t length = bits.size();
    bits.insert(bits.end(), {0xDE, 0xAD, 0xBE, 0xEF, 1, 2, 3});  // what follows is not read
    std::vector<DWORD> seen;
    EXPECT_TRUE(Enumerate(bits, &seen));
    EXPECT_EQ(TkEmfMetaFileLength(bits), length);
    EXPECT_EQ(CTkEmfReader(bits).GetBits().size(), length);

    // nBytes ending before EMR_EOF leaves the metafile without its end.
    Bytes cut = EmfBuilder().Finish();
    SetU32(cut, 48, 108 + 8);
    seen.clear();
    EXPECT_FALSE(Enumerate(cut, &seen));
    EXPECT_EQ(seen, std::vector<DWORD>{EMR_HEADER});
}

TEST(EmfReader, MalformedRecordEndsTheEnumerationWithFailure)
{
    EmfBuilder b;
    b.Record(EMR_SETBKMODE, {TRANSPARENT});
    const std::size_t at = b.Record(EMR_SETROP2, {R2_XORPEN});
    const Bytes good = b.Finish();
    for (std::uint32_t size : {0u, 4u, 10u, 14u, 0x1000u, 0xFFFFFFFCu, 0xFFFFFFFFu}) {
        Bytes bits = good;
        SetU32(bits, at + 4, size);
        std::vector<DWORD> seen;
        EXPECT_FALSE(Enumerate(bits, &seen)) << size;
        EXPECT_EQ(seen, (std::vector<DWORD>{EMR_HEADER, EMR_SETBKMODE})) << size;
    }
}

TEST(EmfReader, EofEndsTheEnumerationAndItsAbsenceFails)
{
    EmfBuilder b;
    b.Record(EMR_EOF, {0, 16, 20});
    b.Record(EMR_SETBKMODE, {TRANSPARENT});  // after the end: not handed over
    std::vector<DWORD> seen;
    EXPECT_TRUE(Enumerate(b.Finish(), &seen));
    EXPECT_EQ(seen, (std::vector<DWORD>{EMR_HEADER, EMR_EOF}));

    // Records that fill nBytes exactly without an EMR_EOF.
    Bytes noEof = EmfBuilder().Finish();
    noEof.erase(noEof.end() - 20, noEof.end());
    SetU32(noEof, 48, std::uint32_t(noEof.size()));
    seen.clear();
    EXPECT_FALSE(Enumerate(noEof, &seen));
    EXPECT_EQ(seen, std::vector<DWORD>{EMR_HEADER});
}

TEST(EmfReader, CorpusFilesEnumerateToTheirEnd)
{
    const auto files = CorpusEmfFiles();
    if (files.empty())
        GTEST_SKIP() << "no corpus";
    for (const auto& path : files) {
        const Bytes bits = ReadBytes(path);
        const std::size_t length = TkEmfMetaFileLength(bits);
        ASSERT_NE(length, 0u) << path;
        std::size_t count = 0;
        EXPECT_TRUE(TkEnumEmfRecords(bits, [&](const TkEmfRecord& r) {
            ++count;
            EXPECT_TRUE(ParsesByType(r)) << path << ": record " << r.index << " type " << r.type;
            return true;
        })) << path;
        EXPECT_EQ(count, GetU32(bits, 52)) << path;
        // Foreign files decode too: the decoder reads the format, not only our writer.
        std::string error;
        EXPECT_TRUE(DecodeEmf(bits, &error).has_value()) << path << ": " << error;
    }
}

// Every record of the sample parses whole, and fails its parser cut anywhere
// before its last field. The long font form's shorter cuts are the plain
// LOGFONTW form.
TEST(EmfReader, SampleRecordsParseWholeAndFailCut)
{
    const Bytes bits = SampleFile();
    std::size_t checked = 0;
    EXPECT_TRUE(TkEnumEmfRecords(bits, [&](const TkEmfRecord& r) {
        EXPECT_TRUE(ParsesByType(r)) << "record " << r.index << " type " << r.type;
        if (!ParseByType(r) || (r.type == EMR_EXTCREATEFONTINDIRECTW && r.bytes.size() > 332))
            return true;
        ++checked;
        // Up to 3 bytes at the end may be padding.
        for (std::size_t n = 0; n + 3 < r.bytes.size(); ++n) {
            const TkEmfRecord cut{r.type, r.bytes.first(n), r.index};
            EXPECT_FALSE(*ParseByType(cut)) << "record " << r.index << " cut to " << n;
        }
        return true;
    }));
    EXPECT_GT(checked, 25u);
}

}  // namespace
