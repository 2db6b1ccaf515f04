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

// ---- header ----

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

// ---- fixed-size records ----

TEST(EmfRecords, FixedRecordsReadTheirFieldsOnlyWhenPresent)
{
    const Bytes color = Fields(EMR_SETTEXTCOLOR, {0x00123456});
    EXPECT_EQ(TkParseEmrValue(color), 0x00123456u);
    EXPECT_EQ(LONG(*TkParseEmrValue(Fields(EMR_RESTOREDC, {0xFFFFFFFF}))), -1);
    EXPECT_FALSE(TkParseEmrValue(Shorter(color, 4)));

    const Bytes miter = Fields(EMR_SETMITERLIMIT, {0x3F000000});
    EXPECT_EQ(TkParseEmrMiterLimit(miter), 0.5f);
    EXPECT_FALSE(TkParseEmrMiterLimit(Shorter(miter, 4)));

    const Bytes move = Fields(EMR_MOVETOEX, {DWORD(-5), 7});
    EXPECT_EQ(TkParseEmrPoint(move), (POINT{-5, 7}));
    EXPECT_FALSE(TkParseEmrPoint(Shorter(move, 4)));
    EXPECT_EQ(TkParseEmrSize(Fields(EMR_SETWINDOWEXTEX, {200, DWORD(-100)})),
              (SIZE{200, -100}));

    const Bytes rect = Fields(EMR_RECTANGLE, {1, 2, 3, DWORD(-4)});
    EXPECT_EQ(TkParseEmrRect(rect), (RECT{1, 2, 3, -4}));
    EXPECT_FALSE(TkParseEmrRect(Shorter(rect, 4)));

    const auto scale = TkParseEmrScaleExt(Fields(EMR_SCALEWINDOWEXTEX, {1, 2, 3, 4}));
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->xNum, 1);
    EXPECT_EQ(scale->xDenom, 2);
    EXPECT_EQ(scale->yNum, 3);
    EXPECT_EQ(scale->yDenom, 4);

    const Bytes round = Fields(EMR_ROUNDRECT, {0, 0, 10, 20, 3, 4});
    ASSERT_TRUE(TkParseEmrRoundRect(round));
    EXPECT_EQ(TkParseEmrRoundRect(round)->corner, (SIZE{3, 4}));
    EXPECT_FALSE(TkParseEmrRoundRect(Shorter(round, 4)));

    const Bytes arc = Fields(EMR_ARCTO, {0, 0, 10, 10, 10, 5, 0, DWORD(-5)});
    const auto a = TkParseEmrArc(arc);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->box, (RECT{0, 0, 10, 10}));
    EXPECT_EQ(a->start, (POINT{10, 5}));
    EXPECT_EQ(a->end, (POINT{0, -5}));
    EXPECT_FALSE(TkParseEmrArc(Shorter(arc, 4)));
}

TEST(EmfRecords, PenAndBrushRecordsGiveTheirLogicalObjects)
{
    const Bytes pen = Built([](EmfBuilder& b) { return b.CreatePen(3, {PS_DOT, {2, 0}, 0xFF}); });
    const auto p = TkParseEmrCreatePen(pen);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->ihPen, 3u);
    EXPECT_EQ(p->lopn.lopnStyle, PS_DOT);
    EXPECT_EQ(p->lopn.lopnWidth, (POINT{2, 0}));
    EXPECT_EQ(p->lopn.lopnColor, 0xFFu);
    EXPECT_FALSE(TkParseEmrCreatePen(Shorter(pen, 4)));

    const Bytes brush = Built([](EmfBuilder& b) {
        return b.CreateBrushIndirect(4, {BS_HATCHED, 0xFF00, HS_DIAGCROSS});
    });
    const auto br = TkParseEmrCreateBrushIndirect(brush);
    ASSERT_TRUE(br);
    EXPECT_EQ(br->ihBrush, 4u);
    EXPECT_EQ(br->lb.lbStyle, BS_HATCHED);
    EXPECT_EQ(br->lb.lbColor, 0xFF00u);
    EXPECT_EQ(br->lb.lbHatch, std::uint32_t(HS_DIAGCROSS));
    EXPECT_FALSE(TkParseEmrCreateBrushIndirect(Shorter(brush, 4)));

    const std::array<PALETTEENTRY, 2> entries{{{1, 2, 3, 0}, {4, 5, 6, 1}}};
    Bytes palette = Built([&](EmfBuilder& b) { return b.CreatePalette(5, entries); });
    const auto pal = TkParseEmrCreatePalette(palette);
    ASSERT_TRUE(pal);
    EXPECT_EQ(pal->ihPal, 5u);
    EXPECT_EQ(pal->palVersion, 0x0300);
    ASSERT_EQ(pal->entries.size(), 2u);
    EXPECT_EQ(pal->entries[1].peBlue, 6);
    EXPECT_EQ(pal->entries[1].peFlags, 1);
    palette[14] = 3;  // one entry more than the record holds
    EXPECT_FALSE(TkParseEmrCreatePalette(palette));
}

// ---- point records ----

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

    const auto none =
        TkParseEmrPoly(Built([](EmfBuilder& b) { return b.Poly(EMR_POLYGON16, {}); }));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->points.empty());

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

TEST(EmfRecords, PolyPolyCountsMustAddUpToThePoints)
{
    const std::array<POINT, 3> pts{{{0, 0}, {5, -5}, {-7, 7}}};
    const std::array<DWORD, 2> counts{2, 1};
    const Bytes good =
        Built([&](EmfBuilder& b) { return b.PolyPoly(EMR_POLYPOLYGON16, counts, pts); });
    const auto p = TkParseEmrPolyPoly(good);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->counts, (std::vector<DWORD>{2, 1}));
    EXPECT_EQ(p->points, (std::vector<POINT>{{0, 0}, {5, -5}, {-7, 7}}));

    const EmfPatch cases[] = {
        {"counts add up to less", 32, 1},
        {"counts add up to more", 32, 3},
        {"counts whose 32-bit sum wraps to the point count", 32, 0xFFFFFFFF},
        {"more figures than the record holds", 24, 0x40000000},
        {"figure count -1", 24, 0xFFFFFFFF},
        {"point count -1", 28, 0xFFFFFFFF},
        {"point count past the record", 28, 4},
    };
    for (const EmfPatch& c : cases) {
        Bytes r = Patched(good, c);
        if (c.offset == 32 && c.value == 0xFFFFFFFF)
            SetU32(r, 36, 4);  // 0xFFFFFFFF + 4 == 3 modulo 2^32
        EXPECT_FALSE(TkParseEmrPolyPoly(r)) << c.what;
    }

    const auto wide = TkParseEmrPolyPoly(
        Built([&](EmfBuilder& b) { return b.PolyPoly(EMR_POLYPOLYLINE, counts, pts); }));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->points[2], (POINT{-7, 7}));
    const auto empty = TkParseEmrPolyPoly(
        Built([](EmfBuilder& b) { return b.PolyPoly(EMR_POLYPOLYGON, {}, {}); }));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->counts.empty() && empty->points.empty());
    EXPECT_FALSE(TkParseEmrPolyPoly(Fields(EMR_POLYGON, {0, 0, 0, 0, 0})));
}

TEST(EmfRecords, PolyDrawKeepsOneTypePerPoint)
{
    const std::array<POINT, 2> pts{{{1, 2}, {-3, 4}}};
    const std::array<BYTE, 2> types{6, 2};
    Bytes r = Built([&](EmfBuilder& b) { return b.PolyDraw(EMR_POLYDRAW16, pts, types); });
    const auto p = TkParseEmrPolyDraw(r);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->points, (std::vector<POINT>{{1, 2}, {-3, 4}}));
    EXPECT_EQ(p->types, (std::vector<BYTE>{6, 2}));
    SetU32(r, 24, 3);  // the points would fit, their types would not
    EXPECT_FALSE(TkParseEmrPolyDraw(r));
}

// ---- text ----

TEST(EmfRecords, TextRecordsGiveTheirStringAndAdvances)
{
    const std::array<LONG, 3> dx{7, 8, 9};
    const Bytes w = Built([&](EmfBuilder& b) {
        return b.ExtTextOutW({5, -6}, u"a\u00e9c", dx, ETO_CLIPPED, {1, 2, 3, 4});
    });
    const auto t = TkParseEmrExtTextOut(w);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->reference, (POINT{5, -6}));
    EXPECT_EQ(t->nChars, 3u);
    EXPECT_EQ(t->options, ETO_CLIPPED);
    EXPECT_EQ(t->rect, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(t->iGraphicsMode, DWORD(GM_COMPATIBLE));
    EXPECT_EQ(t->text, u"a\u00e9c");
    EXPECT_TRUE(t->ansiText.empty());
    EXPECT_EQ(t->dx, (std::vector<LONG>{7, 8, 9}));
    EXPECT_TRUE(t->dy.empty());

    const auto a = TkParseEmrExtTextOut(
        Built([](EmfBuilder& b) { return b.ExtTextOutA({0, 0}, "\xE9z"); }));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->ansiText, "\xE9z");
    EXPECT_TRUE(a->text.empty());
    EXPECT_TRUE(a->dx.empty());  // offDx 0: no advances

    // With ETO_PDY the advances are (dx, dy) pairs.
    const std::array<LONG, 4> pairs{10, -1, 20, -2};
    const auto pdy = TkParseEmrExtTextOut(
        Built([&](EmfBuilder& b) { return b.ExtTextOutW({0, 0}, u"ab", pairs, ETO_PDY); }));
    ASSERT_TRUE(pdy);
    EXPECT_EQ(pdy->dx, (std::vector<LONG>{10, 20}));
    EXPECT_EQ(pdy->dy, (std::vector<LONG>{-1, -2}));

    EXPECT_FALSE(TkParseEmrExtTextOut(Fields(EMR_POLYGON, {})));
}

TEST(EmfRecords, TextStringAndAdvancesMustLieInsideTheRecord)
{
    const std::array<LONG, 2> dx{7, 8};
    const Bytes good = Built([&](EmfBuilder& b) { return b.ExtTextOutW({0, 0}, u"ab", dx); });
    ASSERT_TRUE(TkParseEmrExtTextOut(good));
    const EmfPatch cases[] = {
        {"nChars past the record", 44, 40},
        {"nChars whose size wraps", 44, 0x80000000},
        {"offString past the record", 48, 0xFFFFFFFE},
        {"offString inside the fixed fields", 48, 40},
        {"offDx past the record", 72, 0x7FFFFFFC},
        {"offDx inside the fixed fields", 72, 8},
        {"pairs the record does not hold", 52, ETO_PDY},
    };
    for (const EmfPatch& c : cases)
        EXPECT_FALSE(TkParseEmrExtTextOut(Patched(good, c))) << c.what;
    Bytes noText = good;
    SetU32(noText, 44, 0);
    SetU32(noText, 48, 0xFFFFFFFF);  // no characters: the offsets are not used
    const auto empty = TkParseEmrExtTextOut(noText);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->text.empty() && empty->dx.empty());
    EXPECT_FALSE(TkParseEmrExtTextOut(Fields(EMR_EXTTEXTOUTW, {})));  // no fixed fields
}

// ---- blobs ----

TEST(EmfRecords, CommentAndRegionDataStayInsideTheRecord)
{
    const std::array<std::uint8_t, 5> data{1, 2, 3, 4, 5};
    Bytes comment = Built([&](EmfBuilder& b) { return b.GdiComment(data); });
    const auto c = TkParseEmrGdiComment(comment);
    ASSERT_TRUE(c);
    EXPECT_EQ(Bytes(c->begin(), c->end()), Bytes(data.begin(), data.end()));
    EXPECT_EQ(c->data(), comment.data() + 12);
    for (std::uint32_t size : {9u, 0xFFFFFFFFu}) {
        SetU32(comment, 8, size);
        EXPECT_FALSE(TkParseEmrGdiComment(comment)) << size;
    }

    const std::array<std::uint8_t, 4> rgn{9, 9, 9, 9};
    Bytes clip = Built([&](EmfBuilder& b) { return b.ExtSelectClipRgn(RGN_AND, rgn); });
    const auto r = TkParseEmrExtSelectClipRgn(clip);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->iMode, DWORD(RGN_AND));
    EXPECT_EQ(r->rgnData.size(), 4u);
    SetU32(clip, 8, 5);
    EXPECT_FALSE(TkParseEmrExtSelectClipRgn(clip));
}

TEST(EmfRecords, ExtCreatePenChecksItsStylesAndBitmapParts)
{
    const std::array<DWORD, 2> styles{6, 3};
    const std::array<std::uint8_t, 40> bmi{40};
    const std::array<std::uint8_t, 8> bits{0xAA, 0x55};
    const EXTLOGPEN elp{PS_GEOMETRIC | PS_USERSTYLE, 7, BS_DIBPATTERNPT, 0x123456, 0, 0};
    const Bytes good =
        Built([&](EmfBuilder& b) { return b.ExtCreatePen(9, elp, styles, bmi, bits); });
    const auto p = TkParseEmrExtCreatePen(good);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->ihPen, 9u);
    EXPECT_EQ(p->elp.elpPenStyle, PS_GEOMETRIC | PS_USERSTYLE);
    EXPECT_EQ(p->elp.elpWidth, 7u);
    EXPECT_EQ(p->elp.elpBrushStyle, BS_DIBPATTERNPT);
    EXPECT_EQ(p->elp.elpColor, 0x123456u);
    EXPECT_EQ(p->styleEntries, (std::vector<DWORD>{6, 3}));
    EXPECT_EQ(p->bmi.data(), good.data() + 60);
    EXPECT_EQ(p->bmi.size(), 40u);
    EXPECT_EQ(p->bits.size(), 8u);
    EXPECT_EQ(p->bits[0], 0xAA);

    const EmfPatch cases[] = {
        {"style entries past the record", 48, 100},
        {"style entries whose size wraps", 48, 0x40000000},
        {"BITMAPINFO past the record", 12, 0xFFFFFFF0},
        {"BITMAPINFO longer than the record", 16, 0x80000000},
        {"bits inside the fixed fields", 20, 20},
        {"bits past the record", 24, 9},
    };
    for (const EmfPatch& c : cases)
        EXPECT_FALSE(TkParseEmrExtCreatePen(Patched(good, c))) << c.what;
    Bytes noDib = good;
    SetU32(noDib, 16, 0);
    SetU32(noDib, 12, 0xFFFFFFFF);  // no BITMAPINFO: its offset is not used
    const auto plain = TkParseEmrExtCreatePen(noDib);
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->bmi.empty());
}

TEST(EmfRecords, DibBrushPartsMustLieAfterTheFixedFields)
{
    const std::array<std::uint8_t, 44> bmi{40};
    const std::array<std::uint8_t, 32> bits{0xFF};
    const Bytes good = Built([&](EmfBuilder& b) {
        return b.DibBrush(EMR_CREATEMONOBRUSH, 2, DIB_PAL_COLORS, bmi, bits);
    });
    const auto d = TkParseEmrDibBrush(good);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->ihBrush, 2u);
    EXPECT_EQ(d->iUsage, DIB_PAL_COLORS);
    EXPECT_EQ(d->bmi.data(), good.data() + 32);
    EXPECT_EQ(d->bmi.size(), 44u);
    EXPECT_EQ(d->bits.data(), good.data() + 76);
    EXPECT_EQ(d->bits.size(), 32u);

    const EmfPatch cases[] = {
        {"BITMAPINFO inside the fixed fields", 16, 8},
        {"bits past the record", 24, 80},
        {"bits longer than the record", 28, 0xFFFFFFFF},
        {"BITMAPINFO whose end wraps", 20, 0xFFFFFFE0},
    };
    for (const EmfPatch& c : cases)
        EXPECT_FALSE(TkParseEmrDibBrush(Patched(good, c))) << c.what;
    EXPECT_FALSE(TkParseEmrDibBrush(Shorter(good, good.size() - 28)));
}

// ---- fonts ----

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
    EXPECT_EQ(f->ihFont, 3u);
    EXPECT_EQ(f->lf.lfHeight, -13);
    EXPECT_EQ(f->lf.lfWeight, FW_BOLD);
    EXPECT_EQ(f->lf.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(f->lf.lfFaceName[LF_FACESIZE - 1], u'A');
    EXPECT_FALSE(f->bExtended);
    EXPECT_FALSE(TkParseEmrExtCreateFont(Shorter(plain, 4)));

    // Up to 320 bytes of font data (the LOGFONTPANOSE size) is read as a LOGFONTW.
    Bytes panose = plain;
    panose.resize(12 + 320);
    const auto p = TkParseEmrExtCreateFont(panose);
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->bExtended);

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

}  // namespace
