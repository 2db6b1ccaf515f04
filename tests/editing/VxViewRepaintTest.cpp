#include "VxViewFixture.h"

#include "editing/VxGridSettings.h"

#include <gtest/gtest.h>

namespace {

using VxViewRepaintTest = VxViewFixture;

// Repainting part of the window (a graphic's old place after a move or a
// deselection) gives the same pixels as painting it all.
TEST_F(VxViewRepaintTest, PartOfTheLinesGridRepaintsAsTheWhole)
{
    VxGridSettingsData grid = m_pView->GetGrid();
    grid.bDisplayGrid = TRUE;
    grid.nGridType = kVxGridLines;
    m_pView->SetGrid(grid);
    const QImage whole = Grab();
    for (const RECT& rc : {RECT{203, 107, 297, 161}, RECT{31, 455, 77, 590}, RECT{402, 300, 409, 306}}) {
        m_pView->InvalidatePictureRect(m_pView->ClientToPicture(rc));
        EXPECT_EQ(Grab(), whole) << rc.left << "," << rc.top;
    }
}

}  // namespace
