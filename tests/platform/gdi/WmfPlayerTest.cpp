// Playing Windows metafiles onto a logging DC: what each record turns into, in
// which order and with which arguments, how the object table numbers slots, and
// how a play ends on untrusted bytes. Cut and mutated input is swept once, and
// the corpus played, through the whole import.

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/TestRecordingBackend.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Calls = std::vector<std::string>;

WmfParams Pen(int style, int width, COLORREF color)
{
    return WmfParams{style, width, 0}.DWord(color);
}

WmfParams Brush(int style, COLORREF color, int hatch = 0)
{
    return WmfParams{style}.DWord(color).Word(hatch);
}

// A 16-bit LOGFONT; the face takes faceBytes bytes (NUL-padded, or cut).
WmfParams Font(int height, int weight, BYTE italic, BYTE charSet, std::string_view face,
               std::size_t faceBytes = 32)
{
    std::vector<std::uint8_t> bytes = {italic, 0, 0, charSet, 0, 0, 0, 0};
    std::string padded(face.substr(0, faceBytes));
    padded.resize(faceBytes, '\0');
    bytes.insert(bytes.end(), padded.begin(), padded.end());
    return WmfParams{height, 0, 0, 0, weight}.Bytes(bytes);
}

// A DC that logs, the player on it, and what the last play gave.
class WmfPlayerTest : public ::testing::Test {
protected:
    WmfPlayerTest() : m_dc(MakeRecordingDC(&m_pBackend)) {}

    void SetUp() override { m_objects = TkGdiObjectCount(); }
    // Every object a play made is gone afterwards.
    void TearDown() override { EXPECT_EQ(TkGdiObjectCount(), m_objects); }

    BOOL Play(const WmfBuilder& builder) { return PlayBytes(builder.Build()); }
    BOOL PlayBytes(std::span<const std::uint8_t> bits)
    {
        m_bits.assign(bits.begin(), bits.end());
        m_pBackend->Clear();
        m_passedOn.clear();
        CTkWmfPlayer player(*m_dc, [this](CTkDC&, DWORD type) { m_passedOn.push_back(type); });
        const BOOL ok = player.Play(m_bits);
        m_records = player.GetRecordCount();
        return ok;
    }
    const Calls& Log() const { return m_pBackend->Calls(); }

    CTestRecordingBackend* m_pBackend = nullptr;  // before m_dc, which fills it
    std::unique_ptr<CTkDC> m_dc;
    std::vector<BYTE> m_bits;
    std::vector<DWORD> m_passedOn;
    std::size_t m_records = 0;
    std::size_t m_objects = 0;
};

TEST_F(WmfPlayerTest, ShapesTakeTheirReversedParametersInDrawingOrder)
{
    WmfBuilder b;
    b.Add(META_MOVETO, {2, 1})
        .Add(META_LINETO, {4, 3})
        .Add(META_RECTANGLE, {40, 30, 20, 10})
        .Add(META_ROUNDRECT, {6, 5, 40, 30, 20, 10})
        .Add(META_ELLIPSE, {-1, -2, -3, -4})
        .Add(META_ARC, {8, 7, 6, 5, 40, 30, 20, 10})
        .Add(META_PIE, {1, 2, 3, 4, 5, 6, 7, 8})
        .Add(META_CHORD, {-8, -7, -6, -5, 4, 3, 2, 1})
        .Add(META_POLYGON, {3, 0, 0, 10, 0, 5, 5})
        .Add(META_POLYLINE, {2, 1, 2, -3, -4})
        .Add(META_POLYPOLYGON, {2, 3, 2, 0, 0, 1, 1, 2, 2, 5, 5, 6, 6})
        .Add(META_SETPIXEL, WmfParams().DWord(RGB(255, 0, 0)).Word(2).Word(1))
        .Add(META_PATBLT, WmfParams().DWord(PATCOPY).Word(6).Word(5).Word(2).Word(1))
        .Add(META_INTERSECTCLIPRECT, {40, 30, 20, 10})
        .Add(META_EXCLUDECLIPRECT, {14, 13, 12, 11});
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"MoveTo 1 2",
                            "LineTo 3 4",
                            "Rectangle 10 20 30 40",
                            "RoundRect 10 20 30 40 5 6",
                            "Ellipse -4 -3 -2 -1",
                            "Arc 10 20 30 40 5 6 7 8",
                            "Pie 8 7 6 5 4 3 2 1",
                            "Chord 1 2 3 4 -5 -6 -7 -8",
                            "Polygon 3: 0 0 10 0 5 5",
                            "Polyline 2: 1 2 -3 -4",
                            "PolyPolygon counts=3,2: 0 0 1 1 2 2 5 5 6 6",
                            "SetPixel 1 2 0000ff",
                            "PatBlt 1 2 6 8 rop=f00021",
                            "IntersectClipRect 10 20 30 40",
                            "ExcludeClipRect 11 12 13 14"}));
    EXPECT_EQ(m_records, 16u);  // with the META_EOF
}

TEST_F(WmfPlayerTest, MappingRecordsAreYFirstAndScaleTheCurrentExtents)
{
    WmfBuilder b;
    b.Add(META_SETMAPMODE, {MM_ANISOTROPIC})
        .Add(META_SETWINDOWORG, {20, 10})
        .Add(META_OFFSETWINDOWORG, {-5, 5})
        .Add(META_SETWINDOWEXT, {200, 100})
        .Add(META_SCALEWINDOWEXT, {4, 1, 2, 3})  // y * 1/4, x * 3/2
        .Add(META_SETVIEWPORTORG, {-4, 3})
        .Add(META_OFFSETVIEWPORTORG, {7, 3})
        .Add(META_SETVIEWPORTEXT, {300, 100})
        .Add(META_SCALEVIEWPORTEXT, {3, 2, 1, 2});
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"SetMapMode 8", "SetWindowOrg 10 20", "SetWindowOrg 15 15",
                            "SetWindowExt 100 200", "SetWindowExt 150 50", "SetViewportOrg 3 -4",
                            "SetViewportOrg 6 3", "SetViewportExt 100 300",
                            "SetViewportExt 200 200"}));
}

TEST_F(WmfPlayerTest, CreatedObjectsTakeTheLowestFreeSlot)
{
    WmfBuilder b;
    b.Objects(4)
        .Add(META_CREATEPENINDIRECT, Pen(PS_SOLID, 1, 0x000001))  // slot 0
        .Add(META_CREATEPENINDIRECT, Pen(PS_DASH, 2, 0x000002))   // slot 1
        .Add(META_CREATEPENINDIRECT, Pen(PS_DOT, 3, 0x000003))    // slot 2
        .Add(META_DELETEOBJECT, {1})
        .Add(META_CREATEBRUSHINDIRECT, Brush(BS_SOLID, RGB(255, 0, 0)))  // slot 1 again
        .Add(META_SELECTOBJECT, {1})
        .Add(META_SELECTOBJECT, {2})
        .Add(META_DELETEOBJECT, {0})
        .Add(META_SELECTOBJECT, {0})       // deleted
        .Add(META_SELECTOBJECT, {3})       // never filled
        .Add(META_SELECTOBJECT, {0xFFFF})  // beyond the table
        .Add(META_DELETEOBJECT, {3})
        .Add(META_RECTANGLE, {1, 1, 0, 0});
    ASSERT_TRUE(Play(b));
    // The DC gets its own objects back before the metafile's are deleted.
    EXPECT_EQ(Log(), (Calls{"SelectObject brush style=0 color=0000ff hatch=0",
                            "SelectObject pen style=2 width=3 color=000003",
                            "Rectangle 0 0 1 1",
                            "SelectObject stock 7",
                            "SelectObject stock 0",
                            "DeleteObject brush style=0 color=0000ff hatch=0",
                            "DeleteObject pen style=2 width=3 color=000003"}));
}

TEST_F(WmfPlayerTest, DeletingTheSelectedObjectWaitsUntilItIsReplaced)
{
    WmfBuilder b;
    b.Add(META_CREATEPENINDIRECT, Pen(PS_SOLID, 1, 0x0000AA))
        .Add(META_SELECTOBJECT, {0})
        .Add(META_DELETEOBJECT, {0})
        .Add(META_LINETO, {5, 5})  // still drawn with the deleted pen, as GDI does
        .Add(META_CREATEPENINDIRECT, Pen(PS_SOLID, 1, 0x0000BB))  // takes slot 0
        .Add(META_SELECTOBJECT, {0});
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"SelectObject pen style=0 width=1 color=0000aa", "LineTo 5 5",
                            "SelectObject pen style=0 width=1 color=0000bb",
                            "DeleteObject pen style=0 width=1 color=0000aa",
                            "SelectObject stock 7",
                            "DeleteObject pen style=0 width=1 color=0000bb"}));
}

TEST_F(WmfPlayerTest, FailedCreationsAndRegionsStillHoldTheirSlots)
{
    WmfBuilder b;
    b.Objects(3)
        .Add(META_CREATEBRUSHINDIRECT, Brush(BS_HATCHED, 0, 99))  // no such hatch: slot 0
        .Add(META_CREATEREGION, {0, 6, 0, 0, 0, 0, 0, 0, 10, 10, 0})  // slot 1
        .Add(META_CREATEPENINDIRECT, Pen(PS_SOLID, 4, 0))              // slot 2
        .Add(META_CREATEPENINDIRECT, Pen(PS_SOLID, 5, 0))              // table full
        .Add(META_SELECTOBJECT, {2})
        .Add(META_SELECTOBJECT, {0})
        .Add(META_SELECTOBJECT, {1})  // a region selects the clip: passed on
        .Add(META_SELECTOBJECT, {3})
        .Add(META_DELETEOBJECT, {0})
        .Add(META_CREATEBRUSHINDIRECT, Brush(BS_SOLID, 0x00CCCC))  // slot 0 now
        .Add(META_SELECTOBJECT, {0});
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"SelectObject pen style=0 width=4 color=000000",
                            "SelectObject brush style=0 color=00cccc hatch=0",
                            "SelectObject stock 7", "SelectObject stock 0",
                            "DeleteObject brush style=0 color=00cccc hatch=0",
                            "DeleteObject pen style=0 width=4 color=000000"}));
    EXPECT_EQ(m_passedOn, (std::vector<DWORD>{EMR_EXTSELECTCLIPRGN}));
}

TEST_F(WmfPlayerTest, PatternBrushesComeFromValidatedBitmaps)
{
    const std::vector<std::uint8_t> dib = WmfMonoDib8x8();
    const std::vector<std::uint8_t> cut(dib.begin(), dib.begin() + 60);
    const std::vector<std::uint8_t> rows(16, 0x55);  // 8 rows of 2 bytes
    // Bitmap16 (7 words) and 18 reserved bytes, then the rows.
    WmfParams bitmap16{0, 8, 8, 2, 0x0101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    WmfParams shortBitmap16 = bitmap16;
    bitmap16.Bytes(rows);
    shortBitmap16.Bytes(std::span(rows).first(14));

    WmfBuilder b;
    b.Add(META_DIBCREATEPATTERNBRUSH, WmfParams{int(BS_DIBPATTERNPT), DIB_RGB_COLORS}.Bytes(dib))
        // BS_PATTERN always has RGB colours, whatever its usage field says.
        .Add(META_DIBCREATEPATTERNBRUSH, WmfParams{int(BS_PATTERN), DIB_PAL_COLORS}.Bytes(dib))
        .Add(META_DIBCREATEPATTERNBRUSH, WmfParams{int(BS_DIBPATTERNPT), DIB_PAL_COLORS}.Bytes(dib))
        .Add(META_DIBCREATEPATTERNBRUSH, WmfParams{int(BS_DIBPATTERNPT), DIB_RGB_COLORS}.Bytes(cut))
        .Add(META_CREATEPATTERNBRUSH, bitmap16)
        .Add(META_CREATEPATTERNBRUSH, shortBitmap16);
    for (int slot = 0; slot < 6; ++slot)
        b.Add(META_SELECTOBJECT, {slot});
    ASSERT_TRUE(Play(b));
    const Calls& log = Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "SelectObject brush style=6 usage=0 dib=80");
    EXPECT_EQ(log[1], "SelectObject brush style=6 usage=0 dib=80");
    EXPECT_EQ(log[2], "SelectObject brush style=6 usage=1 dib=76");  // 2-byte colour entries
    EXPECT_EQ(log[3], "SelectObject brush style=3 bitmap=8x8");
    EXPECT_EQ(m_pBackend->SelectCount("brush"), 4);  // the cut DIB and the short rows: none
}

TEST_F(WmfPlayerTest, FontFaceNamesAreReadInTheFontsCodePageWithinTheRecord)
{
    WmfBuilder b;
    b.Add(META_CREATEFONTINDIRECT, Font(-12, FW_BOLD, 1, ANSI_CHARSET, "Arial"))
        .Add(META_CREATEFONTINDIRECT,
             Font(20, FW_NORMAL, 0, RUSSIAN_CHARSET, "\xcf\xf0\xe8\xec\xe5\xf0"))
        .Add(META_CREATEFONTINDIRECT, Font(10, 0, 0, ANSI_CHARSET, "Cour", 4))  // record ends
        .Add(META_CREATEFONTINDIRECT, Font(10, 0, 0, SYMBOL_CHARSET, "Symbol"))
        .Add(META_CREATEFONTINDIRECT, Font(10, 0, 0, ANSI_CHARSET, std::string(40, 'A'), 40))
        .Add(META_CREATEFONTINDIRECT, WmfParams{10, 0, 0, 0});  // too short
    for (int slot = 0; slot < 6; ++slot)
        b.Add(META_SELECTOBJECT, {slot});
    ASSERT_TRUE(Play(b));
    const auto font = [](std::string height, std::string face, std::string weight,
                         std::string italic, std::string charSet) {
        return "SelectObject font height=" + height + " face=" + face +
               " width=0 escapement=0 orientation=0 weight=" + weight + " italic=" + italic +
               " underline=0 strikeout=0 charset=" + charSet;
    };
    const Calls& log = Log();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], font("-12", "Arial", "700", "1", "0"));
    EXPECT_EQ(log[1], font("20", "\\u041f\\u0440\\u0438\\u043c\\u0435\\u0440", "400", "0", "204"));
    EXPECT_EQ(log[2], font("10", "Cour", "0", "0", "0"));
    EXPECT_EQ(log[3], font("10", "Symbol", "0", "0", "2"));  // a name, not glyphs
    EXPECT_EQ(log[4], font("10", std::string(31, 'A'), "0", "0", "0"));
    EXPECT_EQ(m_pBackend->SelectCount("font"), 5);
}

TEST_F(WmfPlayerTest, ExtTextOutTakesItsRectangleAndAdvancesOnlyWhenTheyAreThere)
{
    const int kOpaqueClipped = int(ETO_OPAQUE | ETO_CLIPPED);
    WmfBuilder b;
    b.Add(META_EXTTEXTOUT,
          WmfParams{20, 10, 3, kOpaqueClipped, 1, 2, 3, 4}.Text("abc").Word(7).Word(8).Word(9))
        .Add(META_EXTTEXTOUT, WmfParams{20, 10, 3, 0}.Text("abc").Word(7).Word(8))  // short
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 2, int(ETO_PDY)}.Text("ab").Word(5).Word(6))
        .Add(META_EXTTEXTOUT, WmfParams{2, 1, 0, int(ETO_OPAQUE), 0, 0, 9, 9})
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 1, int(ETO_GLYPH_INDEX)}.Text("\x80"))
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 10, 0}.Text("abcd"))  // string past the end
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 0, int(ETO_CLIPPED), 1, 2})  // no room for it
        .Add(META_RECTANGLE, {1, 1, 0, 0});
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"ExtTextOutW 10 20 opts=6 \"abc\" rect=1 2 3 4 dx=7,8,9",
                            "ExtTextOutW 10 20 opts=0 \"abc\"",
                            // The advances are single values: no y advances read.
                            "ExtTextOutW 0 0 opts=0 \"ab\" dx=5,6",
                            "ExtTextOutW 1 2 opts=2 \"\" rect=0 0 9 9",
                            "ExtTextOutW 0 0 opts=16 \"\\u0080\"",
                            "Rectangle 0 0 1 1"}));
}

TEST_F(WmfPlayerTest, RestoringReachesOnlyTheMetafilesOwnSavedStates)
{
    ASSERT_EQ(m_dc->SaveDC(), 1);  // the caller's
    WmfBuilder b;
    b.Add(META_RESTOREDC, {-1})  // would be the caller's state
        .Add(META_SAVEDC)
        .Add(META_SAVEDC)
        .Add(META_RESTOREDC, {-3})
        .Add(META_RESTOREDC, {1})  // the first save of the metafile
        .Add(META_RESTOREDC, {-1})
        .Add(META_RESTOREDC, {0})
        .Add(META_SAVEDC)
        .Add(META_SAVEDC);  // both left for the end
    ASSERT_TRUE(Play(b));
    EXPECT_EQ(Log(),
              (Calls{"SaveDC", "SaveDC", "RestoreDC -2", "SaveDC", "SaveDC", "RestoreDC -2"}));
    EXPECT_TRUE(m_dc->RestoreDC(-1));   // the caller's state is still there
    EXPECT_FALSE(m_dc->RestoreDC(-1));  // and nothing else
}

// META_EOF ends the play; without one, a play ends well after a complete record.
TEST_F(WmfPlayerTest, EndOfFileEndsThePlayAndMayBeMissing)
{
    WmfBuilder b;
    b.Add(META_RECTANGLE, {1, 1, 0, 0});
    const WmfBuilder afterEnd = WmfBuilder(b).Add(META_EOF).Add(META_ELLIPSE, {1, 1, 0, 0});
    EXPECT_TRUE(PlayBytes(afterEnd.Build(false)));
    EXPECT_EQ(Log(), (Calls{"Rectangle 0 0 1 1"}));
    EXPECT_EQ(m_records, 2u);
    EXPECT_TRUE(PlayBytes(b.Build(false)));
    // The zero-filled tail of a file six bytes shorter than its header says.
    const Bytes zeros(6, 0);
    EXPECT_TRUE(PlayBytes(WmfBuilder(b).AddRaw(zeros).Build(false)));
    EXPECT_EQ(Log().size(), 1u);
    // A header alone is an empty picture.
    EXPECT_TRUE(PlayBytes(WmfBuilder().Build(false)));
}

TEST_F(WmfPlayerTest, BadRecordSizesStopThePlayWithFailure)
{
    const WmfBuilder good = WmfBuilder().Add(META_RECTANGLE, {1, 1, 0, 0});
    const auto playWith = [&](const WmfBuilder& tail) {
        Bytes bits = good.Build(false);
        const Bytes rest = tail.Build(false);
        bits.insert(bits.end(), rest.begin() + 18, rest.end());
        return PlayBytes(bits);
    };
    for (std::uint32_t size : {0u, 1u, 2u}) {
        EXPECT_FALSE(playWith(WmfBuilder().AddSized(size, META_ELLIPSE, {1, 1, 0, 0})));
        EXPECT_EQ(Log(), (Calls{"Rectangle 0 0 1 1"})) << "size " << size;
    }
    EXPECT_FALSE(playWith(WmfBuilder().AddSized(8, META_ELLIPSE, {1, 1, 0, 0})));
    EXPECT_EQ(Log().size(), 1u);
    EXPECT_FALSE(playWith(WmfBuilder().AddSized(0xFFFFFFFF, META_ELLIPSE, {1, 1, 0, 0})));
    const Bytes partial = {7, 0, 0, 0};  // a record header cut short
    EXPECT_FALSE(PlayBytes(WmfBuilder(good).AddRaw(partial).Build(false)));
}

TEST_F(WmfPlayerTest, UnknownAndShortRecordsAreSkipped)
{
    WmfBuilder b;
    b.Add(0x0999, {1, 2, 3})
        .Add(META_RECTANGLE, {1, 1})     // two of its four fields
        .Add(META_SETBKCOLOR, {5})       // half a colour
        .Add(META_ARC, {1, 2, 3, 4, 5})  // five of eight
        .Add(META_CREATEPENINDIRECT, {0, 1})
        .Add(META_SELECTOBJECT, {0})
        .Add(META_ELLIPSE, {1, 1, 0, 0});
    EXPECT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"Ellipse 0 0 1 1"}));
    EXPECT_EQ(m_records, 8u);
}

TEST_F(WmfPlayerTest, CountsThatDoNotFitTheRecordSkipIt)
{
    WmfBuilder b;
    b.Add(META_POLYGON, {100, 0, 0, 1, 1})
        .Add(META_POLYLINE, {0xFFFF, 0, 0})
        .Add(META_POLYPOLYGON, {3, 2})                        // counts missing
        .Add(META_POLYPOLYGON, {2, 0xFFFF, 2, 0, 0, 1, 1})   // 65537 points: wraps in 16 bits
        .Add(META_POLYPOLYGON, {0xFFFF})
        .Add(META_TEXTOUT, WmfParams{100}.Text("abcd"))
        .Add(META_TEXTOUT, WmfParams{4}.Text("abcd"))      // no position after the text
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 0xFFFF, 0}.Text("ab"))
        .Add(META_ESCAPE, WmfParams{MFCOMMENT, 0xFFFF}.Text("ab"))
        .Add(META_CREATEPALETTE, WmfParams{0x0300, 0xFFFF}.DWord(0))
        .Add(META_SELECTPALETTE, {0})
        .Add(META_POLYGON, {2, 0, 0, 1, 1});
    EXPECT_TRUE(Play(b));
    EXPECT_EQ(Log(), (Calls{"Polygon 2: 0 0 1 1"}));
}

// A plain header needs its type, size and version; a placeable one its key and
// checksum, and the player takes only the plain metafile behind it.
TEST_F(WmfPlayerTest, HeadersAreRecognisedByTheirFields)
{
    const Bytes bits = WmfBuilder().Objects(7).Add(META_SAVEDC).Build();
    TkWmfHeader header;
    ASSERT_TRUE(TkIsPlainWmfHeader(bits, &header));
    EXPECT_EQ(header.SizeBytes(), bits.size());
    EXPECT_EQ(header.numberOfObjects, 7);
    const auto refused = [&](std::size_t offset, std::uint8_t value) {
        Bytes bad = bits;
        bad[offset] = value;
        return !TkIsPlainWmfHeader(bad) && !PlayBytes(bad);
    };
    EXPECT_TRUE(refused(0, 3));      // type
    EXPECT_TRUE(refused(2, 8));      // header words
    EXPECT_TRUE(refused(5, 0x02));   // version 0x0200
    EXPECT_FALSE(refused(0, 2));     // a disk metafile is fine
    EXPECT_FALSE(refused(5, 0x01));  // and so is version 0x0100
    EXPECT_FALSE(PlayBytes(std::span(bits).first(17)));

    const Bytes placeable = WmfPlaceable(bits, -10, 20, 1440, 720, 1440);
    TkPlaceableWmfHeader box;
    ASSERT_TRUE(TkIsPlaceableWmfHeader(placeable, &box));
    EXPECT_EQ(box.left, -10);
    EXPECT_EQ(box.bottom, 720);
    EXPECT_FALSE(TkIsPlaceableWmfHeader(bits));
    EXPECT_FALSE(TkIsPlaceableWmfHeader(std::span(placeable).first(21)));
    Bytes wrongKey = placeable;
    wrongKey[3] = 0x9B;
    EXPECT_FALSE(TkIsPlaceableWmfHeader(wrongKey));
    EXPECT_FALSE(PlayBytes(placeable));
}

}  // namespace
