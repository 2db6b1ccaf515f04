#include "attributes/VxGlobalGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/TkDC.h"

#include <gtest/gtest.h>

#include <cstring>

using G = CVxGlobalGraphicProperty;

namespace {
std::vector<std::uint8_t> Stored(G& global)
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        global.Serialize(ar);
    }
    return file.Detach();
}

std::size_t NamesLength()
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        ar << std::string("Global") << std::string("Global");
    }
    return file.GetBytes().size();
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}
}  // namespace

TEST(Global, StoresItsValuesWithTheirFixedWidths)
{
    G global;
    global.SetArcDirection(AD_CLOCKWISE);
    global.SetBkColor(0x00A1B2C3);
    global.SetBkMode(OPAQUE);
    global.SetPolyFillMode(WINDING);
    global.SetRop2(R2_XORPEN);
    global.SetTextAlign(TA_BASELINE | TA_RIGHT);
    global.SetTextCharacterExtra(3);
    global.SetTextColor(0x00010203);
    global.SetMiterLimit(2.5f);

    std::vector<std::uint8_t> expected;
    Put(expected, 2, 2);
    Put(expected, 0x00A1B2C3, 4);
    Put(expected, 2, 2);
    Put(expected, 2, 2);
    Put(expected, 7, 2);
    Put(expected, 26, 2);
    Put(expected, 3, 2);
    Put(expected, 0x00010203, 4);
    std::uint32_t miterBits = 0;
    const float miter = 2.5f;
    std::memcpy(&miterBits, &miter, 4);
    Put(expected, miterBits, 4);

    const std::vector<std::uint8_t> bytes = Stored(global);
    ASSERT_EQ(bytes.size(), NamesLength() + 24);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 24, bytes.end()), expected);
}

TEST(Global, ReadingRestoresTheValuesAndMakesThemDefinite)
{
    G stored;
    stored.SetTextAlign(30);
    stored.SetRop2(R2_NOTXORPEN);
    stored.SetMiterLimit(4.0f);
    std::vector<std::uint8_t> bytes = Stored(stored);

    G loaded(TRUE);
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.GetTextAlign(), 30u);
    EXPECT_EQ(loaded.GetRop2(), R2_NOTXORPEN);
    EXPECT_EQ(loaded.GetMiterLimit(), 4.0f);
    for (int v = 0; v < G::ValueCount; ++v)
        EXPECT_EQ(loaded.GetState(G::Value(v)), VX_STATE_DEFINED) << v;
}

TEST(Global, SixteenBitFieldsAreWidenedWithoutSign)
{
    G stored;
    stored.SetTextAlign(0x1FFFF);  // only the low 16 bits are kept
    stored.SetArcDirection(-1);
    std::vector<std::uint8_t> bytes = Stored(stored);
    G loaded;
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.GetTextAlign(), 0xFFFFu);
    EXPECT_EQ(loaded.GetArcDirection(), 0xFFFF);
}

TEST(Global, SelectIntoDCSetsEveryValue)
{
    CTkDC dc;
    G global;
    global.SetArcDirection(AD_CLOCKWISE);
    global.SetBkColor(RGB(1, 1, 1));
    global.SetPolyFillMode(WINDING);
    global.SetRop2(R2_MASKPEN);
    global.SetTextCharacterExtra(2);
    global.SetTextColor(RGB(3, 3, 3));
    global.SetMiterLimit(6.0f);
    global.SelectIntoDC(&dc);
    EXPECT_EQ(dc.GetArcDirection(), AD_CLOCKWISE);
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 1, 1));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.GetPolyFillMode(), WINDING);
    EXPECT_EQ(dc.GetROP2(), R2_MASKPEN);
    EXPECT_EQ(dc.GetTextAlign(), 30u);
    EXPECT_EQ(dc.GetTextCharacterExtra(), 2);
    EXPECT_EQ(dc.GetTextColor(), RGB(3, 3, 3));
    EXPECT_EQ(dc.GetMiterLimit(), 6.0f);
}

TEST(Global, SelectArcDirectionSetsOnlyTheArcDirection)
{
    CTkDC dc;
    G global;
    global.SetArcDirection(AD_CLOCKWISE);
    global.SelectArcDirection(&dc);
    EXPECT_EQ(dc.GetArcDirection(), AD_CLOCKWISE);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}
