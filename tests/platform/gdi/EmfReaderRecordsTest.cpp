#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecords.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The bytes of the one record that add writes into a file.
Bytes Built(const std::function<std::size_t(EmfBuilder&)>& add)
{
    EmfBuilder b;
    const std::size_t at = add(b);
    const Bytes bits = b.Finish();
    const std::size_t size = GetU32(bits, at + 4);
    return Bytes(bits.begin() + std::ptrdiff_t(at), bits.begin() + std::ptrdiff_t(at + size));
}

Bytes Fields(DWORD type, std::initializer_list<std::uint32_t> fields)
{
    return Built([&](EmfBuilder& b) { return b.Record(type, fields); });
}

Bytes HeaderOf(EmfBuilder b)
{
    const Bytes bits = b.Finish();
    return Bytes(bits.begin(), bits.begin() + GetU32(bits, 4));
}

Bytes Shorter(Bytes record, std::size_t by)
{
    record.resize(record.size() - by);
    return record;
}

TEST(EmfRecords, HeaderFormFollowsTheFieldsThatFit)
{
    const auto full = TkParseEmrHeader(HeaderOf(EmfBuilder(std::u16string(u"Pic\0x", 5))));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->fixedSize, 108u);
    EXPECT_EQ(full->header.rclFrame, (RECT{0, 0, 2000, 1000}));
    EXPECT_EQ(full->header.nHandles, 1);
    EXPECT_EQ(full->header.szlMillimeters, (SIZE{508, 286}));
    EXPECT_EQ(full->header.szlMicrometers, (SIZE{508000, 286000}));
    EXPECT_EQ(full->description, std::u16string(u"Pic\0x", 5));

    const auto oldest = TkParseEmrHeader(HeaderOf(EmfBuilder(u"", 88)));
    ASSERT_TRUE(oldest);
    EXPECT_EQ(oldest->fixedSize, 88u);
    EXPECT_EQ(oldest->header.szlMillimeters, (SIZE{508, 286}));
    EXPECT_EQ(oldest->header.szlMicrometers, (SIZE{0, 0}));

    // The record is 108 bytes, but the description starts at 100: the last 8
    // bytes are text, not szlMicrometers.
    const Bytes record = HeaderOf(EmfBuilder(u"abcd", 100));
    ASSERT_EQ(record.size(), 108u);
    const auto middle = TkParseEmrHeader(record);
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->fixedSize, 100u);
    EXPECT_EQ(middle->header.szlMicrometers, (SIZE{0, 0}));
    EXPECT_EQ(middle->description, u"abcd");

    // A pixel format inside the optional fields cuts them short too.
    Bytes withPixelFormat = HeaderOf(EmfBuilder());
    SetU32(withPixelFormat, 88, 8);
    SetU32(withPixelFormat, 92, 100);
    const auto cut = TkParseEmrHeader(withPixelFormat);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->fixedSize, 100u);
    EXPECT_EQ(cut->header.cbPixelFormat, 8u);
}

TEST(EmfRecords, PolyRecordsWidenTheirPointsAndCheckTheirCount)
{
    const std::array<POINT, 2> pts{{{-32768, 32767}, {1, -1}}};
    Bytes polygon = Built([&](EmfBuilder& b) { return b.Poly(EMR_POLYGON16, pts); });
    SetU32(polygon, 8, DWORD(-32768));
    SetU32(polygon, 20, 32767);
    const auto p16 = TkParseEmrPoly(polygon);
    ASSERT_TRUE(p16);
    EXPECT_EQ(p16->points, (std::vector<POINT>{{-32768, 32767}, {1, -1}}));
    EXPECT_EQ(p16->bounds, (RECT{-32768, 0, 0, 32767}));

    const std::array<POINT, 1> wide{{{100000, -200000}}};
    const auto p32 =
        TkParseEmrPoly(Built([&](EmfBuilder& b) { return b.Poly(EMR_POLYLINE, wide); }));
    ASSERT_TRUE(p32);
    EXPECT_EQ(p32->points, (std::vector<POINT>{{100000, -200000}}));

    Bytes r16 = Built([&](EmfBuilder& b) { return b.Poly(EMR_POLYBEZIERTO16, pts); });
    Bytes r32 = Built([&](EmfBuilder& b) { return b.Poly(EMR_POLYLINETO, pts); });
    // One point too many, -1, and counts whose byte size wraps in 32 bits.
    for (std::uint32_t count : {3u, 0xFFFFFFFFu, 0x40000000u, 0x20000000u, 0x80000000u}) {
        SetU32(r16, 24, count);
        SetU32(r32, 24, count);
        EXPECT_FALSE(TkParseEmrPoly(r16)) << count;
        EXPECT_FALSE(TkParseEmrPoly(r32)) << count;
    }
    EXPECT_FALSE(TkParseEmrPoly(Fields(EMR_RECTANGLE, {0, 0, 1, 1})));  // not a poly type
}

TEST(EmfRecords, TextRecordsGiveTheirStringAndAdvances)
{
    const std::array<LONG, 3> dx{7, 8, 9};
    const Bytes w = Built([&](EmfBuilder& b) {
        return b.ExtTextOutW({5, -6}, u"a\u00e9c", dx, ETO_CLIPPED, {1, 2, 3, 4});
    });
    const auto t = TkParseEmrExtTextOut(w);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->reference, (POINT{5, -6}));
    EXPECT_EQ(t->rect, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(t->text, u"a\u00e9c");
    EXPECT_EQ(t->dx, (std::vector<LONG>{7, 8, 9}));

    // With ETO_PDY the advances are (dx, dy) pairs.
    const std::array<LONG, 4> pairs{10, -1, 20, -2};
    const auto pdy = TkParseEmrExtTextOut(
        Built([&](EmfBuilder& b) { return b.ExtTextOutW({0, 0}, u"ab", pairs, ETO_PDY); }));
    ASSERT_TRUE(pdy);
    EXPECT_EQ(pdy->dx, (std::vector<LONG>{10, 20}));
    EXPECT_EQ(pdy->dy, (std::vector<LONG>{-1, -2}));

    EXPECT_FALSE(TkParseEmrExtTextOut(Fields(EMR_POLYGON, {})));
}

TEST(EmfRecords, FontRecordsInTheirPlainAndLongForms)
{
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = SYMBOL_CHARSET;
    for (int i = 0; i < LF_FACESIZE; ++i)
        lf.lfFaceName[i] = u'A';  // no terminator: kept as stored
    const Bytes plain = Built([&](EmfBuilder& b) { return b.ExtCreateFont(3, lf); });
    ASSERT_EQ(plain.size(), 104u);
    const auto f = TkParseEmrExtCreateFont(plain);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->lf.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(f->lf.lfFaceName[LF_FACESIZE - 1], u'A');
    EXPECT_FALSE(f->bExtended);

    // Up to 320 bytes of font data (the LOGFONTPANOSE size) is read as a LOGFONTW.
    Bytes panose = plain;
    panose.resize(12 + 320);
    EXPECT_FALSE(TkParseEmrExtCreateFont(panose).value().bExtended);

    const std::array<LONG, 2> axes{100, -200};
    const Bytes dv = Built([&](EmfBuilder& b) { return b.ExtCreateFontExDv(4, lf, axes); });
    ASSERT_EQ(dv.size(), 12u + 348 + 8 + 8);
    const auto x = TkParseEmrExtCreateFont(dv);
    ASSERT_TRUE(x);
    EXPECT_TRUE(x->bExtended);
    EXPECT_EQ(x->lf.lfHeight, -13);
    EXPECT_EQ(x->designValues, (std::vector<LONG>{100, -200}));

    Bytes tooManyAxes = dv;
    SetU32(tooManyAxes, 12 + 348 + 4, 17);
    EXPECT_FALSE(TkParseEmrExtCreateFont(tooManyAxes));
    Bytes axesPastTheEnd = dv;
    SetU32(axesPastTheEnd, 12 + 348 + 4, 3);
    EXPECT_FALSE(TkParseEmrExtCreateFont(axesPastTheEnd));
    // Longer than the plain form, too short for the design vector.
    EXPECT_FALSE(TkParseEmrExtCreateFont(Shorter(dv, 20)));
}

// One field of a good record set to a count, offset or size that does not fit
// the record: the parser refuses the record.
TEST(EmfRecords, PartsOutsideTheRecordAreRefused)
{
    const std::array<POINT, 3> pts{{{0, 0}, {5, -5}, {-7, 7}}};
    const std::array<DWORD, 2> counts{2, 1};
    const std::array<LONG, 2> dx{7, 8};
    const std::array<DWORD, 2> styles{6, 3};
    const std::array<std::uint8_t, 44> bmi{40};
    const std::array<std::uint8_t, 8> bits{0xAA, 0x55};
    const EXTLOGPEN elp{PS_GEOMETRIC | PS_USERSTYLE, 7, BS_DIBPATTERNPT, 0x123456, 0, 0};
    const Bytes polyPoly =
        Built([&](EmfBuilder& b) { return b.PolyPoly(EMR_POLYPOLYGON16, counts, pts); });
    const Bytes text = Built([&](EmfBuilder& b) { return b.ExtTextOutW({0, 0}, u"ab", dx); });
    const Bytes pen =
        Built([&](EmfBuilder& b) { return b.ExtCreatePen(9, elp, styles, bmi, bits); });
    const Bytes dib = Built([&](EmfBuilder& b) {
        return b.DibBrush(EMR_CREATEMONOBRUSH, 2, DIB_PAL_COLORS, bmi, bits);
    });
    using Parse = bool (*)(std::span<const std::uint8_t>);
    const Parse parsesPolyPoly = [](auto r) { return TkParseEmrPolyPoly(r).has_value(); };
    const Parse parsesText = [](auto r) { return TkParseEmrExtTextOut(r).has_value(); };
    const Parse parsesPen = [](auto r) { return TkParseEmrExtCreatePen(r).has_value(); };
    const Parse parsesDib = [](auto r) { return TkParseEmrDibBrush(r).has_value(); };
    const struct {
        const Bytes& record;
        Parse parses;
        EmfPatch patch;
    } cases[] = {
        {polyPoly, parsesPolyPoly, {"counts add up to less", 32, 1}},
        {polyPoly, parsesPolyPoly, {"counts add up to more", 32, 3}},
        {polyPoly, parsesPolyPoly, {"more figures than the record holds", 24, 0x40000000}},
        {polyPoly, parsesPolyPoly, {"figure count -1", 24, 0xFFFFFFFF}},
        {polyPoly, parsesPolyPoly, {"point count -1", 28, 0xFFFFFFFF}},
        {polyPoly, parsesPolyPoly, {"point count past the record", 28, 4}},
        {text, parsesText, {"nChars past the record", 44, 40}},
        {text, parsesText, {"nChars whose size wraps", 44, 0x80000000}},
        {text, parsesText, {"offString past the record", 48, 0xFFFFFFFE}},
        {text, parsesText, {"offString inside the fixed fields", 48, 40}},
        {text, parsesText, {"offDx past the record", 72, 0x7FFFFFFC}},
        {text, parsesText, {"offDx inside the fixed fields", 72, 8}},
        {text, parsesText, {"pairs the record does not hold", 52, ETO_PDY}},
        {pen, parsesPen, {"style entries past the record", 48, 100}},
        {pen, parsesPen, {"style entries whose size wraps", 48, 0x40000000}},
        {pen, parsesPen, {"BITMAPINFO past the record", 12, 0xFFFFFFF0}},
        {pen, parsesPen, {"BITMAPINFO longer than the record", 16, 0x80000000}},
        {pen, parsesPen, {"bits inside the fixed fields", 20, 20}},
        {pen, parsesPen, {"bits past the record", 24, 9}},
        {dib, parsesDib, {"BITMAPINFO inside the fixed fields", 16, 8}},
        {dib, parsesDib, {"bits past the record", 24, 80}},
        {dib, parsesDib, {"bits longer than the record", 28, 0xFFFFFFFF}},
        {dib, parsesDib, {"BITMAPINFO whose end wraps", 20, 0xFFFFFFE0}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(c.parses(Patched(c.record, c.patch))) << c.patch.what;
    // Counts whose 32-bit sum wraps to the point count: 0xFFFFFFFF + 4 == 3.
    Bytes wraps = Patched(polyPoly, {"", 32, 0xFFFFFFFF});
    SetU32(wraps, 36, 4);
    EXPECT_FALSE(parsesPolyPoly(wraps));

    // The good records give their parts; offsets of absent parts are not used.
    const auto p = TkParseEmrPolyPoly(polyPoly);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->counts, (std::vector<DWORD>{2, 1}));
    EXPECT_EQ(p->points, (std::vector<POINT>(pts.begin(), pts.end())));
    EXPECT_TRUE(TkParseEmrPolyPoly(
        Built([](EmfBuilder& b) { return b.PolyPoly(EMR_POLYPOLYGON, {}, {}); })));
    EXPECT_FALSE(TkParseEmrPolyPoly(Fields(EMR_POLYGON, {0, 0, 0, 0, 0})));
    EXPECT_TRUE(parsesText(text));
    Bytes noText = text;
    SetU32(noText, 44, 0);
    SetU32(noText, 48, 0xFFFFFFFF);
    EXPECT_TRUE(parsesText(noText));
    const auto e = TkParseEmrExtCreatePen(pen);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->elp.elpColor, 0x123456u);
    EXPECT_EQ(e->styleEntries, (std::vector<DWORD>{6, 3}));
    EXPECT_EQ(e->bmi.data(), pen.data() + 60);
    EXPECT_EQ(e->bits.size(), 8u);
    Bytes noDib = pen;
    SetU32(noDib, 16, 0);
    SetU32(noDib, 12, 0xFFFFFFFF);
    EXPECT_TRUE(TkParseEmrExtCreatePen(noDib).value().bmi.empty());
    const auto d = TkParseEmrDibBrush(dib);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->iUsage, DIB_PAL_COLORS);
    EXPECT_EQ(d->bmi.size(), 44u);
    EXPECT_EQ(d->bits.data(), dib.data() + 76);
}

}  // namespace
