// The recording test DC's lines are what other folders' tests compare against, so
// their format is pinned down here.

#include "platform/gdi/TkGdiObjects.h"

#include "support/TestRecordingBackend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Calls = std::vector<std::string>;

std::vector<std::uint8_t> MonoDib8x8()
{
    std::vector<std::uint8_t> dib(80, 0);
    dib[0] = 40;
    dib[4] = 8;
    dib[8] = 8;
    dib[12] = 1;
    dib[14] = 1;
    return dib;
}

}  // namespace

TEST(RecordingBackendTest, DescribesEveryKindOfObject)
{
    const LOGBRUSH hatched{BS_HATCHED, RGB(0, 0, 255), HS_CROSS};
    const DWORD user[] = {4, 2};
    const HPEN hatchPen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_JOIN_MITER, 3,
                                       &hatched, 2, user);
    const LOGBRUSH dibBrush{BS_DIBPATTERNPT, DIB_RGB_COLORS, 0};
    const HPEN dibPen = ExtCreatePen(PS_GEOMETRIC, 9, &dibBrush, 0, nullptr, MonoDib8x8());
    const HBITMAP bitmap = CreateBitmap(8, 4, 1, 1, {});
    const HBRUSH pattern = CreatePatternBrush(bitmap);
    const HBRUSH dib = CreateDIBPatternBrushPt(MonoDib8x8(), DIB_PAL_COLORS);
    LOGFONTW logFont{};
    logFont.lfHeight = -353;
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = 1;
    logFont.lfEscapement = 900;
    std::u16string_view face = u"Times New Roman";
    std::copy(face.begin(), face.end(), logFont.lfFaceName);
    const HFONT font = CreateFontIndirectW(&logFont);
    const PALETTEENTRY entries[2] = {};
    const HPALETTE palette = CreatePalette(entries);

    EXPECT_EQ(CTestRecordingBackend::Describe(hatchPen),
              "extpen style=12007 width=3 color=ff0000 brush=2 hatch=4 user=4,2");
    EXPECT_EQ(CTestRecordingBackend::Describe(dibPen),
              "extpen style=10000 width=9 color=000000 brush=6 dib=80");
    EXPECT_EQ(CTestRecordingBackend::Describe(pattern), "brush style=3 bitmap=8x4");
    // Palette indices are two bytes each: the kept DIB is 4 bytes shorter.
    EXPECT_EQ(CTestRecordingBackend::Describe(dib), "brush style=6 usage=1 dib=76");
    EXPECT_EQ(CTestRecordingBackend::Describe(font),
              "font height=-353 face=Times New Roman width=0 escapement=900 orientation=0 "
              "weight=700 italic=1 underline=0 strikeout=0 charset=0");
    EXPECT_EQ(CTestRecordingBackend::Describe(palette), "palette entries=2");
    EXPECT_EQ(CTestRecordingBackend::Describe(bitmap), "bitmap 8x4 bpp=1");
    EXPECT_EQ(CTestRecordingBackend::Describe(GetStockObject(NULL_PEN)), "stock 8");
    EXPECT_EQ(CTestRecordingBackend::Describe(0), "invalid");

    for (HGDIOBJ h : {hatchPen, dibPen, pattern, dib, font, palette, bitmap})
        DeleteObject(h);
}

TEST(RecordingBackendTest, LogsDeletionOfSelectedObjectsInOrder)
{
    CTestRecordingBackend* pLog = nullptr;
    auto dc = MakeRecordingDC(&pLog);
    const HBRUSH selected = CreateSolidBrush(RGB(1, 2, 3));
    const HBRUSH unseen = CreateSolidBrush(RGB(4, 5, 6));
    const HGDIOBJ old = dc->SelectObject(selected);
    dc->Rectangle(0, 0, 4, 4);
    dc->SelectObject(old);
    DeleteObject(unseen);
    DeleteObject(selected);
    DeleteObject(GetStockObject(WHITE_BRUSH));  // stock objects are never deleted
    EXPECT_EQ(pLog->Calls(), (Calls{"SelectObject brush style=0 color=030201 hatch=0",
                                    "Rectangle 0 0 4 4", "SelectObject stock 0",
                                    "DeleteObject brush style=0 color=030201 hatch=0"}));
    EXPECT_EQ(pLog->SelectCount("brush"), 1);
    EXPECT_EQ(pLog->SelectCount(), 2);
    EXPECT_EQ(pLog->Count("DeleteObject"), 1);
    EXPECT_EQ(pLog->Text().substr(0, 13), "SelectObject ");
    pLog->Clear();
    EXPECT_TRUE(pLog->Calls().empty());

    // Once the DC is gone its backend hears nothing more.
    const HPEN pen = CreatePen(PS_SOLID, 1, 0);
    dc->SelectObject(pen);
    dc.reset();
    EXPECT_EQ(DeleteObject(pen), TRUE);
}

TEST(RecordingBackendTest, RecordsTheStateAfterEachSetter)
{
    CTestRecordingBackend* pLog = nullptr;
    auto dc = MakeRecordingDC(&pLog);
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(100, 200);
    dc->SetViewportExt(96, -96);
    dc->SetBkColor(RGB(0x12, 0x34, 0x56));
    dc->SetMiterLimit(10.0f);
    const RECT clip{1, 2, 3, 4};
    dc->SelectClipRect(&clip);
    dc->SaveDC();
    dc->RestoreDC(1);
    EXPECT_EQ(pLog->Calls(),
              (Calls{"SetMapMode 8", "SetWindowExt 100 200", "SetViewportExt 96 -96",
                     "SetBkColor 563412", "SetMiterLimit 10", "SelectClipRect 1 2 3 4",
                     "SaveDC", "RestoreDC 1"}));
}
