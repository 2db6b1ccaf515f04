#include "AppTestFixture.h"

#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkSettings.h"
#include "resources/VxResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QUrl>

namespace {

// The window over a document, with settings of the test's own.
class VxMainFrameTest : public AppTestFixture {
protected:
    VxMainFrameTest()
    {
        TkSetSettings(&m_settings);
        m_pDoc = std::make_unique<CVxDoc>();
        m_pFrame = std::make_unique<CVxMainFrame>(*m_pDoc);
        m_pFrame->resize(800, 600);
        m_pFrame->show();
        QApplication::processEvents();
    }
    ~VxMainFrameTest() override
    {
        m_pFrame.reset();
        m_pDoc.reset();
        CVxDoc::SetCommandLineFlags(0);
        TkSetSettings(nullptr);
    }

    // Drags the file over the window and drops it, as the desktop does.
    bool Drop(const std::string& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(m_pFrame.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_pFrame.get(), &drop);
        return drop.isAccepted();
    }

    QRgb MiddlePixel()
    {
        QWidget* pViewport = m_pFrame->GetView().viewport();
        const QImage image = pViewport->grab().toImage();
        return image.pixel(image.width() / 2, image.height() / 2) | 0xFF000000u;
    }

    CTkMemorySettings m_settings;
    std::unique_ptr<CVxDoc> m_pDoc;
    std::unique_ptr<CVxMainFrame> m_pFrame;
};

// A bad file's message and the kept picture are the open command's (VxAppTest);
// here only that a drop reaches it.
TEST_F(VxMainFrameTest, ADroppedFileOpensAndABadOneLeavesThePicture)
{
    ASSERT_TRUE(Drop(WriteFile("good.emf", BlackRectangleEmf())));
    EXPECT_EQ(m_pDoc->GetPicture().GetChildCount(), 1);
    EXPECT_EQ(m_pFrame->windowTitle(), "good.emf - Glyphar");
    EXPECT_EQ(MiddlePixel(), 0xFF000000u);

    EXPECT_TRUE(Drop(WriteFile("bad.emf", {'n', 'o', 't'})));
    EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_FILE_NOT_READ});
    EXPECT_EQ(m_pFrame->windowTitle(), "good.emf - Glyphar");
    // Only local files are taken.
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.emf")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pFrame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(VxMainFrameTest, AModifiedPictureIsOfferedForSavingFirst)
{
    const std::string good = GoodFile();
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(good));
    m_pDoc->SetModifiedFlag(true);

    m_messages.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(m_pFrame->OpenDocumentFile(WriteFile("other.emf", BlackRectangleEmf())));
    ASSERT_EQ(m_messages.GetShown().size(), 1u);
    EXPECT_EQ(m_messages.GetShown()[0].strText, "Save changes to good.emf?");
    EXPECT_EQ(m_messages.GetShown()[0].nType, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(m_pDoc->m_strPathName, good);
    EXPECT_TRUE(m_pDoc->IsModified());

    m_messages.QueueAnswer(IDNO);
    EXPECT_TRUE(m_pFrame->OpenDocumentFile(WriteFile("other.emf", BlackRectangleEmf())));
    EXPECT_EQ(m_pFrame->windowTitle(), "other.emf - Glyphar");
    EXPECT_FALSE(m_pDoc->IsModified());
    // Closing asks too, and Cancel keeps the window.
    m_pDoc->SetModifiedFlag(true);
    m_messages.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(m_pFrame->close());
    EXPECT_TRUE(m_pFrame->isVisible());
    m_messages.QueueAnswer(IDNO);
    EXPECT_TRUE(m_pFrame->close());
    // Yes, then a cancelled save dialog: still modified, nothing replaced.
    m_pDoc->SetModifiedFlag(true);
    m_pDoc->m_strPathName.clear();
    m_messages.QueueAnswer(IDYES);
    m_dialogs.QueueCancel();
    EXPECT_FALSE(m_pFrame->SaveModified());
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(VxMainFrameTest, TheMessagePaneShowsAPromptThenReadyAgain)
{
    EXPECT_EQ(m_pFrame->GetMessageText(), "Ready");
    QAction* pAction = m_pFrame->GetCommand(ID_VIEW_ZOOM_IN);
    pAction->showStatusText(m_pFrame.get());
    EXPECT_EQ(m_pFrame->GetMessageText(), "Show the picture larger");
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(m_pFrame.get(), &leave);
    EXPECT_EQ(m_pFrame->GetMessageText(), "Ready");
    // The status bar command hides and shows it, with its check mark.
    m_pFrame->GetCommand(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(m_pFrame->GetCommand(ID_VIEW_STATUS_BAR)->isChecked());
    m_pFrame->GetCommand(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(m_pFrame->GetCommand(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(VxMainFrameTest, UndoAndRedoFollowTheHistoryOrTheSwitch)
{
    QAction* pUndo = m_pFrame->GetCommand(ID_EDIT_UNDO);
    QAction* pRedo = m_pFrame->GetCommand(ID_EDIT_REDO);
    EXPECT_EQ(pUndo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(pRedo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_pFrame->UpdateFrame();
    EXPECT_FALSE(pUndo->isEnabled());
    EXPECT_FALSE(pRedo->isEnabled());

    m_pDoc->SaveUndoState();
    m_pFrame->UpdateFrame();
    EXPECT_TRUE(pUndo->isEnabled());
    EXPECT_FALSE(pRedo->isEnabled());
    pUndo->trigger();
    EXPECT_FALSE(pUndo->isEnabled());
    EXPECT_TRUE(pRedo->isEnabled());

    CVxDoc::SetCommandLineFlags(1);
    pRedo->trigger();
    EXPECT_TRUE(pUndo->isEnabled());
    EXPECT_TRUE(pRedo->isEnabled());
}

TEST_F(VxMainFrameTest, ViewCommandsFollowTheZoom)
{
    CVxView& view = m_pFrame->GetView();
    EXPECT_TRUE(m_pFrame->GetCommand(ID_VIEW_FULL_PAGE)->isChecked());
    m_pFrame->GetCommand(ID_VIEW_ACTUAL_SIZE)->trigger();
    EXPECT_EQ(view.GetZoom(), 10000);
    EXPECT_TRUE(m_pFrame->GetCommand(ID_VIEW_ACTUAL_SIZE)->isChecked());
    EXPECT_FALSE(m_pFrame->GetCommand(ID_VIEW_FULL_PAGE)->isChecked());
    m_pFrame->GetCommand(ID_VIEW_ZOOM_IN)->trigger();
    EXPECT_EQ(view.GetZoom(), 15000);
    EXPECT_FALSE(m_pFrame->GetCommand(ID_VIEW_ACTUAL_SIZE)->isChecked());
}

}  // namespace
