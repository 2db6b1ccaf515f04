// A text's box is measured on the reference device, not on the context that
// happens to draw it first: a view's zoom must not reach the saved box. The test
// font engine makes "Hi" at a height of -20 measure 20 wide and 25 high.

#include "GraphicTestSupport.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxText.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

namespace {

TEST(VxTextMeasure, DrawingOnAZoomedPassKeepsTheReferenceBox)
{
    CTestFontEngineScope engine;
    const std::size_t objects = TkGdiObjectCount();
    CVxText text(u"Hi", 100, 50, 0, {}, RECT{});
    FontOf(text).SetHeight(-20);
    dynamic_cast<CVxGlobalGraphicProperty&>(*text.LookupProperty("Global"))
        .SetTextAlign(TA_LEFT | TA_TOP);
    {
        const CRecordingPass pass;
        pass.DC()->SetMapMode(MM_ANISOTROPIC);
        pass.DC()->SetWindowExt(1000, 1000);
        pass.DC()->SetViewportExt(37, 37);
        text.Draw(pass.DC());
    }
    EXPECT_EQ(text.GetRect(), (RECT{100, 50, 120, 75}));
    EXPECT_EQ(TkGdiObjectCount(), objects) << "the measuring font is deleted";
}

}  // namespace
