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

