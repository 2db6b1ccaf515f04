// The object table, selections, and the attributes the selected objects give.

#include "import/VxEmfToVxConverter.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxText.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkPackedDib.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>

namespace {

class ConverterObjects : public ::testing::Test {
protected:
    ConverterObjects() { m_converter.OnHeader(MakeHeader({0, 0, 2000, 1000}, 4)); }

    CVxGraphic* Last() const
    {
        const CVxGraphicList& list = m_converter.GetGraphics();
        return GraphicAt(list, list.GetCount() - 1);
    }

    CTestFontEngineScope m_engine;
    CVxEmfToVxConverter m_converter{0, 0, 16383, 16383, TRUE};
};

// A 1-bit 8 by height DIB whose bottom-up rows hold the row numbers.
std::vector<std::uint8_t> MonoBmi(LONG width, LONG height, DWORD compression = 0)
{
    std::vector<std::uint8_t> bmi(40 + 8, 0);
    bmi[0] = 40;
    std::memcpy(&bmi[4], &width, 4);
    std::memcpy(&bmi[8], &height, 4);
    bmi[12] = 1;
    bmi[14] = 1;
    std::memcpy(&bmi[16], &compression, 4);
    bmi[44] = bmi[45] = bmi[46] = 0xFF;  // white second colour
    return bmi;
}

TEST_F(ConverterObjects, TableIndexChecks)
{
    const LOGPEN pen{PS_SOLID, {1, 0}, 0};
    EXPECT_EQ(m_converter.OnCreatePen(4, pen), 2);  // out of range
    EXPECT_EQ(m_converter.OnCreatePen(0xFFFFFFFF, pen), 2);
    EXPECT_EQ(m_converter.OnCreatePen(1, pen), 0);
    EXPECT_EQ(m_converter.OnCreatePen(1, pen), 2);  // in use
    EXPECT_EQ(m_converter.OnCreateBrushIndirect(1, LOGBRUSH{}), 2);
    EXPECT_EQ(m_converter.OnSelectObject(2), 2);  // free slot
    EXPECT_EQ(m_converter.OnSelectObject(4), 2);  // out of range
    EXPECT_EQ(m_converter.OnSelectObject(0x80000000u | 100), 2);  // no such stock object
    EXPECT_EQ(m_converter.OnDeleteObject(2), 2);
    EXPECT_EQ(m_converter.OnDeleteObject(9), 2);
    EXPECT_EQ(m_converter.OnSelectObject(1), 0);
    EXPECT_EQ(m_converter.OnDeleteObject(1), 0);
    EXPECT_EQ(m_converter.GetTableObject(1), 0u);
    EXPECT_EQ(m_converter.GetSelectedObject(OBJ_PEN), 1);  // left as it was
    EXPECT_EQ(m_converter.OnDeleteObject(1), 2);
    // Before a header the table has no room at all; stock objects still select.
    CVxEmfToVxConverter headless(0, 0, 100, 100, TRUE);
    EXPECT_EQ(headless.OnCreatePen(0, LOGPEN{}), 2);
    EXPECT_EQ(headless.OnSelectObject(0), 2);
    EXPECT_EQ(headless.OnSelectObject(0x80000000u | BLACK_PEN), 0);
}

// The attributes of a graphic as text, to compare against a table.
std::string Attributes(CVxGraphic* pGraphic)
{
    std::ostringstream out;
    out << std::hex;
    if (const auto* pPen = PropertyOf<CVxPenGraphicProperty>(pGraphic, "Pen")) {
        out << "pen " << pPen->GetStyle() << ' ' << std::dec << pPen->GetWidth() << std::hex
            << ' ' << pPen->GetColor();
        for (const DWORD entry : pPen->GetStyleEntries()) out << ' ' << std::dec << entry;
    }
    if (const auto* pBrush = PropertyOf<CVxBrushGraphicProperty>(pGraphic, "Brush"))
        out << "; brush " << pBrush->GetStyle() << ' ' << pBrush->GetColor() << ' '
            << pBrush->GetHatch();
    if (const auto* pFont = PropertyOf<CVxFontGraphicProperty>(pGraphic, "Font"))
        out << "font " << std::dec << pFont->GetLogFont().lfHeight << ' '
            << pFont->GetLogFont().lfWeight;
    return out.str();
}

// Objects made and selected by their records, and what the next graphic takes
// from them.
TEST_F(ConverterObjects, GraphicsTakeTheSelectedObjects)
{
    LOGFONTW bold{};
    bold.lfHeight = -12;
    bold.lfWeight = 700;
    std::memcpy(bold.lfFaceName, u"Arial", 12);
    const DWORD dashes[] = {3, 1};
    auto& c = m_converter;
    const struct {
        const char* what;
        std::function<void()> records;
        const char* attributes;  // of the rectangle (the text for a font) drawn next
    } cases[] = {
        {"pen and brush",
         [&] {
             c.OnCreatePen(1, LOGPEN{PS_DASH, {5, 0}, 0x0000FF});
             c.OnCreateBrushIndirect(2, LOGBRUSH{BS_HATCHED, 0x00FF00, 3});
             c.OnSelectObject(1);
             c.OnSelectObject(2);
         },
         "pen 1 5 ff; brush 2 ff00 3"},
        // A stock object stays selected by its number.
        {"stock null brush", [&] { c.OnSelectObject(0x80000005u); }, "pen 1 5 ff; brush 1 0 0"},
        // An extended pen replaces the pen; a geometric width and the dashes scale.
        {"extended pen",
         [&] {
             c.OnSetWindowExtEx(200, 100);  // ten frame units a logical unit
             c.OnExtCreatePen(3, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 4,
                              LOGBRUSH{BS_SOLID, 0x112233, 0}, dashes, {}, {});
             c.OnSelectObject(3);
         },
         "pen 10207 40 112233 30 10; brush 1 0 0"},
        {"stock pen", [&] { c.OnSelectObject(0x80000000u | BLACK_PEN); }, "pen 0 0 0; brush 1 0 0"},
    };
    for (const auto& row : cases) {
        row.records();
        c.OnRectangle({0, 0, 10, 10});
        EXPECT_EQ(Attributes(Last()), row.attributes) << row.what;
    }
    EXPECT_EQ(c.GetSelectedObject(OBJ_EXTPEN), -1);

    // Fonts scale their height; a used or out-of-range index is skipped.
    ASSERT_EQ(c.OnDeleteObject(2), 0);
    ASSERT_EQ(c.OnExtCreateFontIndirectW(2, bold), 0);
    const HGDIOBJ hFont = c.GetTableObject(2);
    bold.lfHeight = -50;
    EXPECT_EQ(c.OnExtCreateFontIndirectW(2, bold), 0);
    EXPECT_EQ(c.OnExtCreateFontIndirectW(77, bold), 0);
    EXPECT_EQ(c.GetTableObject(2), hFont);
    c.OnSelectObject(2);
    const LONG spacing[] = {5, 5};
    c.OnExtTextOut(0, 0, 0, {}, u"ab", spacing);
    EXPECT_EQ(Attributes(Last()), "font -120 700");
    EXPECT_TRUE(CVxText::s_bDropSpacingOnFontChange);  // restored afterwards
}

// A 2 by 2 24-bit DIB pattern: its header and its padded rows of distinct bytes.
std::vector<std::uint8_t> ColourBmi()
{
    std::vector<std::uint8_t> bmi(40, 0);
    bmi[0] = 40;
    bmi[4] = 2;
    bmi[8] = 2;
    bmi[12] = 1;
    bmi[14] = 24;
    return bmi;
}

// Pens painted with a DIB pattern carry the pattern in their record; the pen is
// made from it instead of stopping the load.
TEST_F(ConverterObjects, DibPatternPenIsMadeFromItsRecordedPattern)
{
    const std::vector<std::uint8_t> bits(16, 0x30);
    const LOGBRUSH brush{BS_DIBPATTERN, DIB_RGB_COLORS, 0};
    ASSERT_EQ(m_converter.OnExtCreatePen(1, PS_GEOMETRIC | PS_ENDCAP_SQUARE, 15, brush, {},
                                         ColourBmi(), bits),
              0);
    EXPECT_NE(m_converter.GetTableObject(1), 0u);
    EXPECT_EQ(m_converter.OnExtCreatePen(2, PS_GEOMETRIC, 15, brush, {}, {}, {}), 1);
}

// The graphic's LOGBRUSH names the block the converter made, so the brush can
// be made again, pattern and all, after the record's own brush is deleted and
// for as long as whoever the block is handed to keeps it.
TEST(VxEmfToVxConverterDibPattern, RectangleBrushIsMadeAgainFromTheRecordedDib)
{
    const std::vector<std::uint8_t> bmi = ColourBmi();
    const std::vector<std::uint8_t> bits{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0,
                                         0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0, 0};
    EmfBuilder b;
    b.DibBrush(EMR_CREATEDIBPATTERNBRUSHPT, 1, DIB_RGB_COLORS, bmi, bits);
    b.Record(EMR_SELECTOBJECT, {1});
    b.Record(EMR_RECTANGLE, {0, 0, 10, 10});
    b.Record(EMR_SELECTOBJECT, {0x80000000});
    b.Record(EMR_DELETEOBJECT, {1});
    std::vector<std::uint8_t> bytes = b.Finish();
    bytes[56] = 2;  // nHandles
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EXPECT_EQ(RunRecords(converter, bytes), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));

    const auto* pBrush = PropertyOf<CVxBrushGraphicProperty>(
        GraphicAt(converter.GetGraphics(), 0), "Brush");
    ASSERT_NE(pBrush, nullptr);
    EXPECT_EQ(pBrush->GetStyle(), BS_DIBPATTERN);
    EXPECT_EQ(pBrush->GetColor(), COLORREF(DIB_RGB_COLORS));
    std::vector<std::uint8_t> packed = bmi;
    packed.insert(packed.end(), bits.begin(), bits.end());
    const auto makesThePattern = [&] {
        const HBRUSH h = CreateBrushIndirect(&pBrush->GetLogBrush());
        const CTkGdiObject* p = TkLookupGdiObject(h);
        const bool bMade = p != nullptr && p->dib == packed && p->dibUsage == DIB_RGB_COLORS;
        DeleteObject(h);
        return bMade;
    };
    EXPECT_TRUE(makesThePattern());
    // A mono brush's bitmap is handed over too, alive.
    ASSERT_EQ(converter.OnCreateMonoBrush(1, DIB_RGB_COLORS, MonoBmi(8, 2), bits), 0);

    CVxGraphicList list;
    list.m_bOwnsGraphics = TRUE;
    std::vector<HBITMAP> bitmaps;
    std::vector<CVxEmfToVxConverter::PackedDib> globals;
    converter.HandOver(list, bitmaps, globals);
    pBrush = PropertyOf<CVxBrushGraphicProperty>(GraphicAt(list, 0), "Brush");
    ASSERT_EQ(globals.size(), 1u);
    EXPECT_EQ(globals[0].Get(), pBrush->GetHatch());
    EXPECT_TRUE(makesThePattern());  // the converter's reset left the block alone
    EXPECT_EQ(converter.GetGraphics().GetCount(), 0);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(GetObjectType(bitmaps[0]), OBJ_BITMAP);
    DeleteObject(bitmaps[0]);
    globals.clear();
    EXPECT_EQ(CreateBrushIndirect(&pBrush->GetLogBrush()), 0u);
}

// A second header discards what came before it, blocks included.
TEST(VxEmfToVxConverterDibPattern, ResetFreesTheBlocksNotHandedOver)
{
    const std::size_t before = TkGdiObjectCount();
    {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        converter.OnHeader(MakeHeader({0, 0, 100, 100}));
        const std::vector<std::uint8_t> bits(16, 0x55);
        ASSERT_EQ(converter.OnCreateDibPatternBrushPt(1, DIB_RGB_COLORS, ColourBmi(), bits), 0);
        EXPECT_EQ(TkGdiObjectCount(), before + 2);  // the brush and its block
        converter.OnHeader(MakeHeader({0, 0, 100, 100}));
        EXPECT_EQ(TkGdiObjectCount(), before);
        // A cut DIB makes no brush, and its block goes at once.
        ASSERT_EQ(converter.OnCreateDibPatternBrushPt(1, DIB_RGB_COLORS, ColourBmi(),
                                                      std::span(bits).first(15)),
                  1);
        EXPECT_EQ(TkGdiObjectCount(), before);
    }
    EXPECT_EQ(TkGdiObjectCount(), before);
}

// Kept advances survive the font being applied to the text.
TEST(ConverterObjectsText, ImportedTextKeepsItsSpacingWhenTheFontIsApplied)
{
    CTestFontEngineScope engine;
    LOGFONTW font{};
    font.lfHeight = -30;
    const LONG spacing[] = {5, 5};
    CVxEmfToVxConverter keeping(0, 0, 16383, 16383, FALSE);
    keeping.OnHeader(MakeHeader({0, 0, 2000, 1000}, 4));
    keeping.OnExtCreateFontIndirectW(1, font);
    keeping.OnSelectObject(1);
    keeping.OnExtTextOut(0, 0, 0, {}, u"ab", spacing);
    auto* pKept = dynamic_cast<CVxText*>(GraphicAt(keeping.GetGraphics(), 0));
    ASSERT_NE(pKept, nullptr);
    EXPECT_EQ(pKept->GetSpacing(), (std::vector<INT>{5, 5}));
}

// Rows become top-down; 33 pixels need 5 bytes a row, 8 in the DIB, and the rows
// must not run into each other. Without a colour table the colours come from
// the context.
TEST_F(ConverterObjects, MonoBrushRowsBecomeTopDownAndKeepTheirWidth)
{
    std::vector<std::uint8_t> bits(16, 0);
    bits[4] = 0x80;   // bottom row, 33rd pixel
    bits[12] = 0x80;  // top row, 33rd pixel
    bits[8] = 0x11;
    ASSERT_EQ(m_converter.OnCreateMonoBrush(1, DIB_RGB_COLORS, MonoBmi(33, 2), bits), 0);
    std::vector<std::uint8_t> noTable = MonoBmi(8, 2);
    noTable.resize(40);
    ASSERT_EQ(m_converter.OnCreateMonoBrush(2, DIB_PAL_INDICES, noTable, bits), 0);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObject(m_converter.GetTableObject(2), sizeof brush, &brush), 12);
    EXPECT_EQ(brush.lbStyle, BS_PATTERN);
    ASSERT_EQ(GetObject(m_converter.GetTableObject(1), sizeof brush, &brush), 12);
    EXPECT_EQ(brush.lbStyle, BS_PATTERN);
    const CTkGdiObject* pBitmap = TkLookupGdiObject(brush.lbHatch);
    ASSERT_NE(pBitmap, nullptr);
    EXPECT_EQ(pBitmap->bitmap.bmWidth, 33);
    EXPECT_EQ(pBitmap->bitmap.bmHeight, 2);
    const std::size_t stride = std::size_t(pBitmap->bitmap.bmWidthBytes);
    ASSERT_EQ(stride, 6u);
    EXPECT_EQ(pBitmap->bits[0], 0x11);
    EXPECT_EQ(pBitmap->bits[4], 0x80);
    EXPECT_EQ(pBitmap->bits[stride + 4], 0x80);
}

// What cannot be made is listed as ignored and the default object stands in for
// it, so that selecting it later does not stop the load.
TEST_F(ConverterObjects, UnusableBrushesAndPensStandInAsDefaultObjects)
{
    const std::vector<std::uint8_t> bits(12, 0);
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const struct {
        const char* what;
        std::function<int()> create;
        int stock;
    } cases[] = {
        {"compressed mono brush",
         [&] { return m_converter.OnCreateMonoBrush(1, DIB_RGB_COLORS, MonoBmi(8, 3, BI_RLE8), bits); },
         WHITE_BRUSH},
        {"mono brush short of bits",
         [&] { return m_converter.OnCreateMonoBrush(1, DIB_RGB_COLORS, MonoBmi(8, 30), bits); },
         WHITE_BRUSH},
        {"mono brush of unknown usage",
         [&] { return m_converter.OnCreateMonoBrush(1, 7, MonoBmi(8, 3), bits); }, WHITE_BRUSH},
        {"pattern brush without a header",
         [&] { return m_converter.OnCreateDibPatternBrushPt(1, DIB_RGB_COLORS, {}, bits); },
         WHITE_BRUSH},
        {"brush of unknown style",
         [&] { return m_converter.OnCreateBrushIndirect(1, LOGBRUSH{99, 0, 0}); }, WHITE_BRUSH},
        {"wide cosmetic pen",
         [&] { return m_converter.OnExtCreatePen(1, PS_COSMETIC, 4, solid, {}, {}, {}); },
         BLACK_PEN},
        {"user style without entries",
         [&] { return m_converter.OnExtCreatePen(1, PS_USERSTYLE, 1, solid, {}, {}, {}); },
         BLACK_PEN},
        {"pen of negative width",
         [&] { return m_converter.OnCreatePen(1, LOGPEN{PS_SOLID, {-1, 0}, 0}); }, BLACK_PEN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.create(), 1);
        EXPECT_EQ(m_converter.GetTableObject(1), GetStockObject(c.stock));
        EXPECT_EQ(m_converter.OnSelectObject(1), 0);
        EXPECT_EQ(m_converter.OnDeleteObject(1), 0);
    }
}

}  // namespace
