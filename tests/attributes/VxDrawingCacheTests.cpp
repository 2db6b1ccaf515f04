// The pen, brush and font caches of a drawing pass, and the "Global"
// property's selection, as the calls they make on a logging DC.

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/VxPropertyMap.h"
#include "support/TestRecordingBackend.h"

#include "FakePropertyOwner.h"

#include <gtest/gtest.h>

namespace {
using Calls = std::vector<std::string>;

class DrawingCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_objectsBefore = TkGdiObjectCount();
        m_pDC = MakeRecordingDC(&m_pLog);
    }
    void TearDown() override
    {
        // Every pass is closed and every object it made is gone.
        EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), nullptr);
        EXPECT_EQ(TkGdiObjectCount(), m_objectsBefore);
    }

    CTkDC& DC() { return *m_pDC; }
    const Calls& Log() const { return m_pLog->Calls(); }

    std::unique_ptr<CTkDC> m_pDC;
    CTestRecordingBackend* m_pLog = nullptr;
    std::size_t m_objectsBefore = 0;
};

CVxPenGraphicProperty PenOfWidth(int width)
{
    CVxPenGraphicProperty pen;
    pen.SetWidth(width);
    return pen;
}

CVxBrushGraphicProperty SolidBrush(COLORREF color, std::uint32_t hatch)
{
    CVxBrushGraphicProperty brush;
    brush.SetStyle(BS_SOLID);
    brush.SetColor(color);
    brush.SetHatch(hatch);
    return brush;
}
}  // namespace

// Equal objects in a row share one GDI object; a different one replaces and
// deletes the previous.
TEST_F(DrawingCache, EqualObjectsInARowShareOneObject)
{
    CVxGraphicProperty::BeginDrawing(&DC());
    EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), &DC());
    PenOfWidth(1).SelectIntoDC(&DC());
    PenOfWidth(1).SelectIntoDC(&DC());
    EXPECT_EQ(TkGdiObjectCount(), m_objectsBefore + 1);
    PenOfWidth(3).SelectIntoDC(&DC());
    PenOfWidth(3).SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(&DC());
    EXPECT_EQ(Log(), (Calls{"SelectObject pen style=0 width=1 color=000000",
                            "SelectObject pen style=0 width=3 color=000000",
                            "DeleteObject pen style=0 width=1 color=000000",
                            "SelectObject stock 7",
                            "DeleteObject pen style=0 width=3 color=000000"}))
        << m_pLog->Text();

    m_pLog->Clear();
    CVxGraphicProperty::BeginDrawing(&DC());
    CVxFontGraphicProperty font;
    font.SelectIntoDC(&DC());
    font.SelectIntoDC(&DC());
    font.SetItalic(1);
    font.SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(&DC());
    EXPECT_EQ(m_pLog->SelectCount("font"), 2) << m_pLog->Text();
    EXPECT_EQ(m_pLog->Count("DeleteObject font"), 2);
}

TEST_F(DrawingCache, EndDrawingRestoresEveryPriorObjectAndDeletesTheLastCreated)
{
    CVxGraphicProperty::BeginDrawing(&DC());
    PenOfWidth(2).SelectIntoDC(&DC());
    SolidBrush(RGB(0, 0, 255), 0).SelectIntoDC(&DC());
    CVxFontGraphicProperty().SelectIntoDC(&DC());
    m_pLog->Clear();
    CVxGraphicProperty::EndDrawing(&DC());
    ASSERT_EQ(Log().size(), 6u) << m_pLog->Text();
    EXPECT_EQ(Log()[0], "SelectObject stock 7");
    EXPECT_EQ(Log()[1].rfind("DeleteObject pen", 0), 0u);
    EXPECT_EQ(Log()[2], "SelectObject stock 0");
    EXPECT_EQ(Log()[3].rfind("DeleteObject brush", 0), 0u);
    EXPECT_EQ(Log()[4], "SelectObject stock 13");
    EXPECT_EQ(Log()[5].rfind("DeleteObject font", 0), 0u);
    EXPECT_EQ(DC().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
}

// Where the brush origin does not matter (a metafile, or a printer and a brush
// of no graphic), a solid brush whose unused hatch differs is the same brush.
TEST_F(DrawingCache, OffScreenASolidBrushWithAnotherHatchIsReused)
{
    auto pMetaDC = MakeRecordingDC(nullptr, OBJ_ENHMETADC);
    auto pPrinter = MakeRecordingDC(nullptr);
    pPrinter->SetPrinting(TRUE);
    CFakePropertyOwner owner;
    owner.referencePoint = POINT{13, 21};
    CVxPropertyMap map;
    map.SetOwner(&owner);
    map.SetAt(std::make_unique<CVxBrushGraphicProperty>(SolidBrush(RGB(0, 0, 255), 1)));
    CVxBrushGraphicProperty loose = SolidBrush(RGB(0, 0, 255), 0);
    const struct {
        CTkDC* pDC;
        CVxGraphicProperty* pFirst;
    } cases[] = {{pMetaDC.get(), map.Lookup("Brush")}, {pPrinter.get(), &loose}};
    for (const auto& c : cases) {
        CTestRecordingBackend& log = *static_cast<CTestRecordingBackend*>(c.pDC->GetBackend());
        CVxGraphicProperty::BeginDrawing(c.pDC);
        c.pFirst->SelectIntoDC(c.pDC);
        SolidBrush(RGB(0, 0, 255), 4).SelectIntoDC(c.pDC);
        CVxGraphicProperty::EndDrawing(c.pDC);
        EXPECT_EQ(log.SelectCount("brush"), 1) << log.Text();
        EXPECT_EQ(log.Count("SetBrushOrg"), 0);
    }
}

TEST_F(DrawingCache, OnScreenTheBrushOriginFollowsTheGraphic)
{
    CFakePropertyOwner owner;
    owner.referencePoint = POINT{13, 21};
    CVxPropertyMap map;
    map.SetOwner(&owner);
    map.SetAt(std::make_unique<CVxBrushGraphicProperty>(SolidBrush(RGB(0, 0, 255), 0)));
    DC().SetViewportOrg(100, 3);  // device point (113, 24)
    m_pLog->Clear();

    CVxGraphicProperty::BeginDrawing(&DC());
    map.Lookup("Brush")->SelectIntoDC(&DC());
    owner.referencePoint = POINT{-104, 5};  // device point (-4, 8): modulo 8, not sign
    map.Lookup("Brush")->SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(&DC());

    EXPECT_EQ(m_pLog->Count("SetBrushOrg 1 0"), 1) << m_pLog->Text();
    EXPECT_EQ(m_pLog->Count("SetBrushOrg 4 0"), 1);
    EXPECT_EQ(m_pLog->Count("SetBrushOrg"), 2);
    // The equal brush is made again so that the new origin takes effect.
    EXPECT_EQ(m_pLog->SelectCount("brush"), 2);
}

TEST_F(DrawingCache, GlobalSetsOnlyTheModesThatDiffer)
{
    CVxGlobalGraphicProperty global;  // differs from a new DC in mode and alignment
    global.SelectIntoDC(&DC());
    EXPECT_EQ(Log(), (Calls{"SetBkMode 1", "SetTextAlign 30"})) << m_pLog->Text();
    m_pLog->Clear();
    global.SelectIntoDC(&DC());
    CVxGlobalGraphicProperty other;
    other.SetArcDirection(AD_CLOCKWISE);
    other.SetMiterLimit(4.0f);
    other.SelectIntoDC(&DC());
    EXPECT_EQ(Log(), (Calls{"SetArcDirection 2", "SetMiterLimit 4"})) << m_pLog->Text();
}

TEST_F(DrawingCache, OnlyThePassesOwnContextClosesIt)
{
    CTestRecordingBackend* pOtherLog = nullptr;
    auto pOther = MakeRecordingDC(&pOtherLog);
    CVxGraphicProperty::BeginDrawing(&DC());
    CVxGraphicProperty::BeginDrawing(pOther.get());  // a pass is open: no effect
    PenOfWidth(1).SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(pOther.get());
    EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), &DC());
    EXPECT_EQ(Log(), (Calls{"SelectObject pen style=0 width=1 color=000000"}));

    // Graphics drawn into the other context meanwhile do not disturb the pass, and
    // the pens made for them are freed (the fixture counts the objects).
    PenOfWidth(5).SelectIntoDC(pOther.get());
    PenOfWidth(6).SelectIntoDC(pOther.get());
    EXPECT_EQ(Log().size(), 1u) << m_pLog->Text();

    PenOfWidth(1).SelectIntoDC(&DC());  // still cached
    // An inner pass on the same context leaves the outer one open.
    CVxGraphicProperty::BeginDrawing(&DC());
    CVxGraphicProperty::EndDrawing(&DC());
    EXPECT_EQ(CVxGraphicProperty::GetDrawingDC(), &DC());
    PenOfWidth(1).SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(&DC());
    EXPECT_EQ(Log(), (Calls{"SelectObject pen style=0 width=1 color=000000",
                            "SelectObject stock 7",
                            "DeleteObject pen style=0 width=1 color=000000"}))
        << m_pLog->Text();
}

TEST_F(DrawingCache, OutlineDrawingUsesOneDottedWhitePenAndNoFill)
{
    CVxGraphicProperty::BeginOutlineDrawing(&DC());
    PenOfWidth(7).SelectOutlineIntoDC(&DC());  // properties have no outline work
    CVxGraphicProperty::EndOutlineDrawing(&DC());
    EXPECT_EQ(Log(), (Calls{"SetROP2 7", "SetBkMode 1",
                            "SelectObject pen style=2 width=0 color=ffffff",
                            "SelectObject stock 5", "SelectObject stock 7",
                            "DeleteObject pen style=2 width=0 color=ffffff",
                            "SelectObject stock 0"}))
        << m_pLog->Text();
}

TEST_F(DrawingCache, APassInsideADragKeepsTheOutlinePen)
{
    CVxGraphicProperty::BeginOutlineDrawing(&DC());
    CVxGraphicProperty::BeginDrawing(&DC());  // a text measured during the drag
    PenOfWidth(4).SelectIntoDC(&DC());
    CVxGraphicProperty::EndDrawing(&DC());
    const HGDIOBJ hPen = DC().GetCurrentObject(OBJ_PEN);
    LOGPEN pen{};
    ASSERT_EQ(GetObject(hPen, sizeof(pen), &pen), int(sizeof(pen)));
    EXPECT_EQ(pen.lopnStyle, PS_DOT);
    EXPECT_EQ(pen.lopnColor, RGB(255, 255, 255));
    CVxGraphicProperty::EndOutlineDrawing(&DC());
    EXPECT_EQ(DC().GetCurrentObject(OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(DC().GetCurrentObject(OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
}
