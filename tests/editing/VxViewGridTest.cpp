#include "VxViewFixture.h"

#include "editing/VxEditDialogs.h"
#include "resources/VxResourceIds.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

using VxViewGridTest = VxViewFixture;

TEST(VxGridSnap, RoundsToTheNearestGridPointTiesUp)
{
    struct Case {
        int v, nOrigin, nSpacing, expected;
    };
    const Case cases[] = {
        {99, 0, 200, 0},    {100, 0, 200, 200}, {-150, 0, 200, 0},  {-250, 0, 200, -200},
        {149, 50, 200, 50}, {150, 50, 200, 250}, {400, 0, 200, 400},
        // A spacing that is not positive is never divided by: the default serves.
        {99, 0, 0, 0},      {100, 0, 0, 200},   {100, 0, -5, 200},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VxSnapToGrid(c.v, c.nOrigin, c.nSpacing), c.expected) << c.v << " " << c.nSpacing;
}

TEST_F(VxViewGridTest, StoredSettingsAreReadAndAZeroSpacingIsNotUsed)
{
    m_settings.WriteProfileInt("View", "GridSpacingX", 0);
    m_settings.WriteProfileInt("View", "GridSpacingY", -3);
    m_settings.WriteProfileInt("View", "GridType", 1);
    m_settings.WriteProfileInt("View", "GridColor", 0xFF);
    const VxGridSettingsData grid = VxGridSettingsData::Load();
    EXPECT_EQ(grid.nGridType, kVxGridLines);
    EXPECT_EQ(grid.crGridColor, 0xFFu);
    EXPECT_EQ(grid.GetUsableSpacing(), (SIZE{200, 200}));

    // Drawn with the default spacing: 35 x 27 dots over the empty page.
    VxGridSettingsData dots = grid;
    dots.nGridType = kVxGridDots;
    dots.bDisplayGrid = TRUE;
    m_pView->SetGrid(dots);
    EXPECT_EQ(Count(Grab(), kBlack), 35 * 27);
    EXPECT_EQ(m_settings.GetProfileInt("View", "DisplayGrid", 0), 1);
}

TEST_F(VxViewGridTest, DotsAreXorDrawnOverThePictureAndLinesBehindIt)
{
    LoadInto(m_doc, BlackRectangleEmf());
    const QImage plain = Grab();
    const int nBlack = Count(plain, kBlack);
    VxGridSettingsData grid = m_pView->GetGrid();
    grid.bDisplayGrid = TRUE;
    grid.sizeSpacing = {100, 100};
    m_pView->SetGrid(grid);
    const QImage dotted = Grab();
    // 21 x 11 dots: white ones on the rectangle, black ones on the page.
    int nInverted = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb before = plain.pixel(x, y);
            const QRgb after = dotted.pixel(x, y);
            if (before == after) continue;
            EXPECT_EQ(after, before ^ 0x00FFFFFF) << x << "," << y;
            ++nInverted;
        }
    }
    EXPECT_EQ(nInverted, 21 * 11);

    grid.nGridType = kVxGridLines;
    grid.crGridColor = 0x0000FF;  // red
    m_pView->SetGrid(grid);
    const QImage lined = Grab();
    EXPECT_GT(Count(lined, 0xFFFF0000), 0);
    EXPECT_EQ(Count(lined, kBlack), nBlack);
    EXPECT_EQ(lined.pixel(400, 300), kBlack);
}

TEST_F(VxViewGridTest, GridSettingsRoundTripThroughInchesAndCentimetres)
{
    struct Case {
        int nUnits;
        double dShownOrigin;  // what the user types for origin x
        int nOriginX;         // in picture units (1000 per centimetre)
    };
    for (const Case& c : {Case{1, 0.5, 1270}, Case{2, 0.25, 250}, Case{0, 30, 30}}) {
        m_settings.WriteProfileInt("Application", "Units", c.nUnits);
        CVxScriptedEditDialogs dialogs;
        const CVxEditDialogsGuard guard(dialogs);
        dialogs.QueueGrid([&](VxGridSettingsData& data) {
            // OK without touching the spacing shows and reads it back.
            const CTkPair<double> scale = data.GetUnitScale();
            data.sizeSpacing.cx = VxFromShownUnits(
                VxToShownUnits(data.sizeSpacing.cx, scale.x), scale.x);
            data.sizeSpacing.cy = VxFromShownUnits(
                VxToShownUnits(data.sizeSpacing.cy, scale.y), scale.y);
            data.ptOrigin.x = VxFromShownUnits(c.dShownOrigin, scale.x);
            data.nGridType = kVxGridLines;
        });
        dialogs.QueueGrid({});  // cancelled: nothing changes
        ASSERT_TRUE(m_pView->OnCmdMsg(ID_VIEW_GRID_SETTINGS, nullptr));
        EXPECT_EQ(m_pView->GetGrid().sizeSpacing, (SIZE{200, 200})) << c.nUnits;
        EXPECT_EQ(m_pView->GetGrid().ptOrigin.x, c.nOriginX) << c.nUnits;
        EXPECT_EQ(m_pView->GetGrid().nGridType, kVxGridLines);
        EXPECT_EQ(m_settings.GetProfileInt("View", "GridOriginX", -1), c.nOriginX);
        EXPECT_EQ(m_settings.GetProfileInt("Application", "Units", -1), c.nUnits);
        m_pView->OnCmdMsg(ID_VIEW_GRID_SETTINGS, nullptr);
        EXPECT_EQ(m_pView->GetGrid().ptOrigin.x, c.nOriginX);
    }
}

TEST_F(VxViewGridTest, CustomZoomIsClampedAndCancelKeepsTheZoom)
{
    CVxScriptedEditDialogs dialogs;
    const CVxEditDialogsGuard guard(dialogs);
    dialogs.QueueZoom(123);
    dialogs.QueueZoom(0);
    dialogs.QueueZoom(std::nullopt);
    m_pView->OnViewZoomCustom();
    EXPECT_EQ(m_pView->GetZoom(), 12300);
    EXPECT_FALSE(m_pView->IsFullPage());
    m_pView->OnViewZoomCustom();
    EXPECT_EQ(m_pView->GetZoom(), m_pView->GetMinZoom());
    m_pView->OnViewZoomCustom();
    EXPECT_EQ(m_pView->GetZoom(), m_pView->GetMinZoom());
}

TEST_F(VxViewGridTest, GridCommandsToggleAndShowTheirChecks)
{
    for (unsigned nID : {ID_VIEW_DISPLAY_GRID, ID_VIEW_SNAP_TO_GRID}) {
        for (int nExpected : {1, 0}) {
            ASSERT_TRUE(m_pView->OnCmdMsg(nID, nullptr));
            CTkCmdUI cmdUI(nID);
            m_pView->OnCmdMsg(nID, &cmdUI);
            EXPECT_EQ(cmdUI.GetCheck(), nExpected) << nID;
        }
    }
}

}  // namespace
