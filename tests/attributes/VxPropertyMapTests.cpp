#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/VxPositionGraphicProperty.h"
#include "attributes/VxPropertyMap.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include "FakePropertyOwner.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> NamesInOrder(const CVxPropertyMap& map)
{
    std::vector<std::string> names;
    for (auto pos = map.GetStartPosition(); pos != 0;)
        names.push_back(map.GetNext(pos)->GetName());
    return names;
}

void FillGraphicMap(CVxPropertyMap& map)
{
    map.SetAt(std::make_unique<CVxGlobalGraphicProperty>());
    map.SetAt(std::make_unique<CVxPositionGraphicProperty>());
    map.SetAt(std::make_unique<CVxPenGraphicProperty>());
    map.SetAt(std::make_unique<CVxBrushGraphicProperty>());
    map.SetAt(std::make_unique<CVxFontGraphicProperty>());
}

std::vector<std::uint8_t> Store(CVxPropertyMap& map)
{
    CTkMemFile file;
    {
        CTkArchive ar(&file, CTkArchive::store);
        map.Serialize(ar);
    }
    return file.Detach();
}

void Load(CVxPropertyMap& map, std::vector<std::uint8_t> bytes)
{
    CTkMemFile file(std::move(bytes));
    CTkArchive ar(&file, CTkArchive::load);
    map.Serialize(ar);
}

template <typename T>
T* Get(const CVxPropertyMap& map, const std::string& name)
{
    return dynamic_cast<T*>(map.Lookup(name));
}
}  // namespace

TEST(PropertyMap, KeepsInsertionOrderAndReplacesByName)
{
    CVxPropertyMap map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), 0u);
    FillGraphicMap(map);
    EXPECT_EQ(NamesInOrder(map),
              (std::vector<std::string>{"Global", "Position", "Pen", "Brush", "Font"}));

    auto pPen = std::make_unique<CVxPenGraphicProperty>();
    pPen->SetWidth(7);
    map.SetAt(std::move(pPen));
    EXPECT_EQ(map.GetCount(), 5);
    EXPECT_EQ(NamesInOrder(map)[2], "Pen");
    EXPECT_EQ(Get<CVxPenGraphicProperty>(map, "Pen")->GetWidth(), 7);
    EXPECT_EQ(map.Lookup("Pen")->GetOwnerMap(), &map);
    EXPECT_TRUE(map.Contains("Font"));
    EXPECT_FALSE(map.Contains("Nothing"));
    EXPECT_EQ(map.GetCopy("Nothing"), nullptr);

    // A copy belongs to no map and changes nothing in it.
    auto pCopy = map.GetCopy("Pen");
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetOwnerMap(), nullptr);
    dynamic_cast<CVxPenGraphicProperty&>(*pCopy).SetWidth(9);
    EXPECT_EQ(Get<CVxPenGraphicProperty>(map, "Pen")->GetWidth(), 7);
}

TEST(PropertyMap, MergeClonesAsGatheringOnFirstOccurrenceThenGathers)
{
    CVxPropertyMap gathered;
    CVxPenGraphicProperty thin;
    CVxPenGraphicProperty thick;
    thick.SetWidth(3);

    gathered.Merge(thin);
    auto* pPen = Get<CVxPenGraphicProperty>(gathered, "Pen");
    ASSERT_NE(pPen, nullptr);
    EXPECT_NE(pPen, &thin);
    EXPECT_TRUE(pPen->IsGathering());
    EXPECT_FALSE(thin.IsGathering());
    EXPECT_EQ(pPen->GetOwnerMap(), &gathered);
    EXPECT_EQ(pPen->GetState(CVxPenGraphicProperty::Width), VX_STATE_DEFINED);

    gathered.Merge(thick);
    EXPECT_EQ(pPen->GetState(CVxPenGraphicProperty::Width), VX_STATE_MIXED);
    EXPECT_EQ(pPen->GetState(CVxPenGraphicProperty::Color), VX_STATE_DEFINED);
    EXPECT_EQ(pPen->GetWidth(), 1);
}

TEST(PropertyMap, ApplyReachesOnlyAPropertyOfTheSameName)
{
    CVxPropertyMap map;
    map.SetAt(std::make_unique<CVxGlobalGraphicProperty>());
    CVxPenGraphicProperty pen;
    pen.SetWidth(5);
    EXPECT_FALSE(map.Apply(pen));

    CVxGlobalGraphicProperty global;
    global.SetBkMode(OPAQUE);
    EXPECT_TRUE(map.Apply(global));
    EXPECT_FALSE(map.Apply(global));
    EXPECT_EQ(Get<CVxGlobalGraphicProperty>(map, "Global")->GetBkMode(), OPAQUE);
}

TEST(PropertyMap, SerialisationRoundTripKeepsOrderValuesAndOwner)
{
    VxRegisterPropertyClasses();
    CVxPropertyMap map;
    FillGraphicMap(map);
    Get<CVxGlobalGraphicProperty>(map, "Global")->SetTextColor(RGB(1, 2, 3));
    Get<CVxPenGraphicProperty>(map, "Pen")->SetStyle(PS_DASH);
    Get<CVxPenGraphicProperty>(map, "Pen")->SetWidth(4);
    Get<CVxBrushGraphicProperty>(map, "Brush")->SetStyle(BS_HATCHED);
    Get<CVxBrushGraphicProperty>(map, "Brush")->SetHatch(HS_CROSS);
    Get<CVxFontGraphicProperty>(map, "Font")->SetFaceName(u"Courier New");
    Get<CVxFontGraphicProperty>(map, "Font")->SetHeight(-120);

    CVxPropertyMap loaded;
    loaded.SetAt(std::make_unique<CVxPositionGraphicProperty>());  // replaced on load
    Load(loaded, Store(map));

    EXPECT_EQ(NamesInOrder(loaded), NamesInOrder(map));
    for (auto pos = loaded.GetStartPosition(); pos != 0;)
        EXPECT_EQ(loaded.GetNext(pos)->GetOwnerMap(), &loaded);
    auto* pPen = Get<CVxPenGraphicProperty>(loaded, "Pen");
    ASSERT_NE(pPen, nullptr);
    EXPECT_EQ(pPen->GetStyle(), PS_DASH);
    EXPECT_EQ(pPen->GetWidth(), 4);
    EXPECT_FALSE(pPen->IsSolidColor());  // recomputed: a wide dashed pen
    EXPECT_EQ(Get<CVxBrushGraphicProperty>(loaded, "Brush")->GetHatch(), std::uint32_t(HS_CROSS));
    EXPECT_EQ(Get<CVxGlobalGraphicProperty>(loaded, "Global")->GetTextColor(), RGB(1, 2, 3));
    auto* pFont = Get<CVxFontGraphicProperty>(loaded, "Font");
    EXPECT_EQ(pFont->GetFaceName(), u"Courier New");
    EXPECT_EQ(pFont->GetLogFont().lfHeight, -120);
    EXPECT_TRUE(CVxFontGraphicProperty::LogFontEquals(
        pFont->GetLogFont(), Get<CVxFontGraphicProperty>(map, "Font")->GetLogFont()));
}

TEST(PropertyMap, TruncatedDataIsAnArchiveError)
{
    VxRegisterPropertyClasses();
    CVxPropertyMap map;
    FillGraphicMap(map);
    std::vector<std::uint8_t> bytes = Store(map);
    for (std::size_t cut : {std::size_t(0), std::size_t(1), bytes.size() / 2, bytes.size() - 1}) {
        CVxPropertyMap loaded;
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut));
        EXPECT_THROW(Load(loaded, part), CTkArchiveException) << "cut at " << cut;
    }
}

