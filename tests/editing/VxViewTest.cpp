#include "VxViewFixture.h"

#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "resources/VxResourceIds.h"
#include "support/TestPictures.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

using VxViewTest = VxViewFixture;

TEST(VxViewZoom, ZoomToFitAndTheFullPageMargin)
{
    // Rounded quotients, the smaller axis deciding.
    EXPECT_EQ(CVxView::ZoomToFit({10, 10}, {264, 204}), 379);
    EXPECT_EQ(CVxView::ZoomToFit({800, 600}, {264, 204}), 29412);
    EXPECT_EQ(CVxView::FullPageZoom({800, 600}, {264, 204}), 28824);
    // An empty page, or a quotient beyond 32 bits, gives the highest zoom.
    EXPECT_EQ(CVxView::ZoomToFit({800, 600}, {0, 204}), CVxView::kHighestZoom);
    EXPECT_EQ(CVxView::ZoomToFit({1073741823, 1073741823}, {264, 204}), CVxView::kHighestZoom);
}

TEST(VxViewZoom, KeepInViewPerAxis)
{
    // A window at least as large as the page shows it from its start.
    EXPECT_EQ(CVxView::KeepInView(700, 300, 800, 800, 0), 0);
    // A page that fitted before is centred.
    EXPECT_EQ(CVxView::KeepInView(1141, 761, 800, 800, 0), 170);
    // Otherwise what was in the middle stays there: (200 + 300) doubled, less 200.
    EXPECT_EQ(CVxView::KeepInView(2000, 1000, 400, 400, 300), 800);
    EXPECT_EQ(CVxView::KeepInView(1000, 2000, 400, 400, 800), 300);
}

TEST_F(VxViewTest, FullPageFitsTheDefaultPageIntoTheWindow)
{
    ASSERT_EQ(m_pView->viewport()->width(), 800);
    ASSERT_EQ(m_pView->viewport()->height(), 600);
    // 6985 x 5397 hundredths of a millimetre on the 96-dpi reference display.
    EXPECT_EQ(m_pView->GetActualSizePixels(), (SIZE{264, 204}));
    EXPECT_TRUE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 28824);
    EXPECT_EQ(m_pView->GetPagePixels(), (SIZE{761, 588}));
    EXPECT_EQ(m_pView->GetPageOrigin(), (POINT{19, 6}));
    EXPECT_EQ(m_pView->GetMinZoom(), 379);
    EXPECT_EQ(m_pView->GetMaxZoom(), CVxView::kHighestZoom);
    EXPECT_EQ(m_pView->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(m_pView->verticalScrollBar()->maximum(), 0);

    // The zoom follows the window's size.
    m_pView->resize(400, 600);
    QApplication::processEvents();
    // 400 / 264 decides: 15152, less 2 %.
    EXPECT_EQ(m_pView->GetZoom(), 14849);
    EXPECT_EQ(m_pView->GetPageOrigin(), (POINT{4, 148}));
}

TEST_F(VxViewTest, ZoomingInScrollsAroundTheMiddle)
{
    m_pView->OnZoomIn();
    QApplication::processEvents();
    EXPECT_FALSE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 43236);
    const SIZE page = m_pView->GetPagePixels();
    EXPECT_EQ(page, (SIZE{1141, 882}));
    const QScrollBar* pH = m_pView->horizontalScrollBar();
    const QScrollBar* pV = m_pView->verticalScrollBar();
    EXPECT_EQ(pH->maximum(), page.cx - m_pView->viewport()->width());
    EXPECT_EQ(pV->maximum(), page.cy - m_pView->viewport()->height());
    EXPECT_EQ(pH->value(), (1141 - 800) / 2);
    EXPECT_EQ(pV->value(), (882 - 600) / 2);
    EXPECT_EQ(m_pView->GetPageOrigin(), (POINT{-pH->value(), -pV->value()}));
}

TEST_F(VxViewTest, ZoomStepsAndLimits)
{
    m_pView->OnViewActualSize();
    EXPECT_EQ(m_pView->GetZoom(), 10000);
    m_pView->OnZoomIn();
    EXPECT_EQ(m_pView->GetZoom(), 15000);
    m_pView->OnZoomIn();
    EXPECT_EQ(m_pView->GetZoom(), 22500);
    m_pView->SetZoom(10000);
    m_pView->OnZoomOut();
    EXPECT_EQ(m_pView->GetZoom(), 6667);

    m_pView->SetZoom(5);
    EXPECT_EQ(m_pView->GetZoom(), 379);
    EXPECT_FALSE(m_pView->CanZoomOut());
    EXPECT_TRUE(m_pView->CanZoomIn());
    m_pView->SetZoom(2000000);
    EXPECT_EQ(m_pView->GetZoom(), CVxView::kHighestZoom);
    EXPECT_FALSE(m_pView->CanZoomIn());
    // The menus see the same through the update handlers.
    for (const auto& [nID, bEnabled] : {std::pair{ID_VIEW_ZOOM_IN, false}, std::pair{ID_VIEW_ZOOM_OUT, true}}) {
        CTkCmdUI cmdUI(nID);
        ASSERT_TRUE(m_pView->OnCmdMsg(nID, &cmdUI));
        EXPECT_EQ(cmdUI.IsEnabled(), bEnabled) << nID;
    }
    m_pView->OnZoomIn();
    EXPECT_EQ(m_pView->GetZoom(), CVxView::kHighestZoom);
}

TEST_F(VxViewTest, FullPageTogglesAndKeepsTheFittedZoom)
{
    m_pView->SetZoom(50000);
    m_pView->OnViewFullPage();
    EXPECT_TRUE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 28824);
    m_pView->OnViewFullPage();
    EXPECT_FALSE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 28824);
    // Out of full page mode the zoom no longer follows the window.
    m_pView->resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(m_pView->GetZoom(), 28824);
}

TEST_F(VxViewTest, APictureSizeChangeRefitsThePage)
{
    LoadInto(m_doc, BlackRectangleEmf());
    ASSERT_EQ(m_doc.GetPictureSize(), (SIZE{2000, 1000}));
    // 76 x 38 pixels at actual size: the width decides.
    EXPECT_EQ(m_pView->GetActualSizePixels(), (SIZE{76, 38}));
    EXPECT_EQ(m_pView->GetZoom(), 103158);
    EXPECT_EQ(m_pView->GetPagePixels(), (SIZE{784, 392}));
    EXPECT_EQ(m_pView->GetPageOrigin(), (POINT{8, 104}));
    EXPECT_EQ(m_pView->GetMinZoom(), 1316);
    // A new picture is shown full page.
    m_pView->SetZoom(20000);
    m_doc.DeleteContents();
    EXPECT_TRUE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 28824);
}

TEST_F(VxViewTest, PaintsTheSurroundThePageAndThePicture)
{
    QImage image = Grab();
    ASSERT_EQ(image.size(), QSize(800, 600));
    // The page is 761 x 588 pixels from (19, 6).
    EXPECT_EQ(image.pixel(18, 300), kGrey);
    EXPECT_EQ(image.pixel(19, 300), kWhite);
    EXPECT_EQ(image.pixel(779, 300), kWhite);
    EXPECT_EQ(image.pixel(780, 300), kGrey);
    EXPECT_EQ(image.pixel(400, 5), kGrey);
    EXPECT_EQ(image.pixel(400, 6), kWhite);
    EXPECT_EQ(image.pixel(400, 593), kWhite);
    EXPECT_EQ(image.pixel(400, 594), kGrey);

    LoadInto(m_doc, BlackRectangleEmf());
    image = Grab();
    EXPECT_EQ(image.pixel(400, 300), kBlack);
    EXPECT_EQ(image.pixel(20, 300), kWhite);
    EXPECT_EQ(image.pixel(4, 300), kGrey);
}

TEST_F(VxViewTest, ANarrowWindowScrollsWithoutGrey)
{
    m_pView->OnViewActualSize();
    m_pView->resize(200, 600);
    QApplication::processEvents();
    // 264 pixels of page in 200: scrolled to the middle, page edge to edge.
    EXPECT_GT(m_pView->horizontalScrollBar()->maximum(), 0);
    const QImage image = Grab();
    EXPECT_EQ(image.pixel(0, image.height() / 2), kWhite);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() / 2), kWhite);
    // Vertically the 204-pixel page is centred with grey above and below.
    EXPECT_EQ(image.pixel(100, 10), kGrey);
    EXPECT_EQ(image.pixel(100, image.height() - 10), kGrey);
}

TEST_F(VxViewTest, PaintsTheScrolledPartOfAZoomedPage)
{
    LoadInto(m_doc, BlackRectangleEmf());
    m_pView->SetZoom(400000);
    QApplication::processEvents();
    // The black middle fills the window; scrolled to the start, the white
    // page edge and no grey show at the top left.
    EXPECT_EQ(Grab().pixel(400, 300), kBlack);
    m_pView->horizontalScrollBar()->setValue(0);
    m_pView->verticalScrollBar()->setValue(0);
    // The rectangle starts about 265 picture units in, 400 pixels at this zoom.
    const QImage image = Grab();
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(380, 380), kWhite);
    EXPECT_EQ(image.pixel(700, 550), kBlack);
}

TEST_F(VxViewTest, ScrollingMovesThePaintedPageLikeAFullRepaint)
{
    LoadInto(m_doc, BlackRectangleEmf());
    m_pView->SetZoom(150000);
    QApplication::processEvents();
    for (const auto& [dx, dy] : {std::pair{37, 0}, std::pair{0, -23}, std::pair{-5, 11}, std::pair{900, 0}}) {
        Grab();
        m_pView->horizontalScrollBar()->setValue(m_pView->horizontalScrollBar()->value() + dx);
        m_pView->verticalScrollBar()->setValue(m_pView->verticalScrollBar()->value() + dy);
        const QImage scrolled = Grab();
        m_pView->OnViewRedraw();
        EXPECT_EQ(scrolled, Grab()) << dx << "," << dy;
    }
}

TEST_F(VxViewTest, TheUndoRecordKeepsZoomScrollAndFullPage)
{
    const auto store = [&] {
        CTkMemFile file;
        {
            CTkArchive ar(&file, CTkArchive::store);
            m_pView->SerializeForUndo(ar);
        }
        return file.Detach();
    };
    const auto load = [&](std::vector<std::uint8_t> bytes) {
        CTkMemFile file(std::move(bytes));
        CTkArchive ar(&file, CTkArchive::load);
        m_pView->SerializeForUndo(ar);
    };
    // Stored in full page mode it refits.
    const std::vector<std::uint8_t> fullPage = store();
    m_pView->SetZoom(50000);
    QApplication::processEvents();
    m_pView->horizontalScrollBar()->setValue(100);
    m_pView->verticalScrollBar()->setValue(50);
    const std::vector<std::uint8_t> zoomed = store();
    // No selection (a count of 0), the flag, the zoom, the scroll position,
    // then point editing off and current point 0.
    EXPECT_EQ(zoomed, (std::vector<std::uint8_t>{0, 0, 0, 0, 0x50, 0xC3, 0, 0, 100, 0, 0, 0, 50, 0,
                                                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    load(fullPage);
    EXPECT_TRUE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 28824);
    load(zoomed);
    EXPECT_FALSE(m_pView->IsFullPage());
    EXPECT_EQ(m_pView->GetZoom(), 50000);
    EXPECT_EQ(m_pView->horizontalScrollBar()->value(), 100);
    EXPECT_EQ(m_pView->verticalScrollBar()->value(), 50);
}

TEST_F(VxViewTest, UndoBringsBackAnImportedPictureWithItsView)
{
    LoadInto(m_doc, BlackRectangleEmf());
    m_pView->SetZoom(200000);
    m_doc.SaveUndoState();
    m_doc.SetPictureSize({3000, 1500}, TRUE);
    m_pView->SetZoom(50000);
    ASSERT_TRUE(m_doc.CanUndo());
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.GetPicture().GetChildCount(), 1);
    EXPECT_EQ(m_doc.GetPictureSize(), (SIZE{2000, 1000}));
    EXPECT_EQ(m_pView->GetZoom(), 200000);
    QApplication::processEvents();
    EXPECT_EQ(Grab().pixel(400, 300), kBlack);
}

}  // namespace
