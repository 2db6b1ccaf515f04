#include "AppTestFixture.h"

#include "app/VxMainFrame.h"
#include "app/VxShellRegistration.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "editing/VxEditDialogs.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxMenus.h"
#include "resources/VxResourceIds.h"
#include "support/EmfBuilder.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class VxAppTest : public AppTestFixture {
protected:
    std::unique_ptr<CVxApp> Start(const std::vector<std::string>& args, bool bExpectRun = true)
    {
        return StartApp(args, bExpectRun);
    }
};

TEST_F(VxAppTest, OfTwoUnknownSwitchesTheSecondIsNamedOnceTheWindowIsUp)
{
    const auto pApp = Start({"-foo", "-Bar"});
    ASSERT_EQ(m_messages.GetShown().size(), 1u);
    const auto& shown = m_messages.GetShown()[0];
    EXPECT_EQ(shown.nType, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(shown.strText.substr(0, 38), "\"Bar\" is an unrecognized command line ");
    EXPECT_NE(shown.strText.find("\t-Register\n\t-Unregister"), std::string::npos);
    EXPECT_TRUE(pApp->GetMainFrame()->isVisible());
}

TEST_F(VxAppTest, RegisterInAnyCaseWritesTheDesktopFilesAndUnregisterRemovesThem)
{
    const QString desktop = m_folder.path() + "/data/applications/glyphar.desktop";
    const QString mime = m_folder.path() + "/data/mime/packages/glyphar.xml";
    {
        const auto pApp = Start({"-ReGsErVeR"}, false);
        EXPECT_EQ(pApp->GetExitCode(), 0);
        EXPECT_FALSE(pApp->WasSplashShown());
        EXPECT_FALSE(pApp->GetMainFrame()->isVisible());
        EXPECT_EQ(CVxShellRegistration::DesktopFilePath(), desktop);
        ASSERT_TRUE(QFile::exists(desktop));
    }
    QFile desktopFile(desktop);
    ASSERT_TRUE(desktopFile.open(QIODevice::ReadOnly));
    const QByteArray entry = desktopFile.readAll();
    EXPECT_TRUE(entry.contains("\nExec=glyphar %F\n"));
    EXPECT_TRUE(entry.contains(
        "\nMimeType=image/emf;image/wmf;image/x-emf;image/x-wmf;application/x-msclip;\n"));
    QFile mimeFile(mime);
    ASSERT_TRUE(mimeFile.open(QIODevice::ReadOnly));
    const QByteArray types = mimeFile.readAll();
    EXPECT_TRUE(types.contains("<glob pattern=\"*.clp\"/>"));
    for (const char* pszMagic : {"0xC350", "0xC351", "0xC352"})
        EXPECT_TRUE(types.contains(pszMagic)) << pszMagic;

    WriteSetting("Application/Units", "2");
    {
        const auto pApp = Start({"-Unregister"}, false);
        EXPECT_FALSE(pApp->WasSplashShown());
        // Unregistering happens when the program ends.
        EXPECT_TRUE(QFile::exists(desktop));
    }
    EXPECT_FALSE(QFile::exists(desktop));
    EXPECT_FALSE(QFile::exists(mime));
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}

TEST_F(VxAppTest, TheSplashAndTheAboutBoxShowTheBuildsVersion)
{
    EXPECT_TRUE(Start({})->WasSplashShown());
    WriteSetting("Application/DisplayCopyrightOnStartup", "0");
    const auto pApp = Start({});
    EXPECT_FALSE(pApp->WasSplashShown());
    QString text;
    const CTkScopedModalHandler handler([&](QDialog& dialog) {
        if (auto* pLabel = dialog.findChild<QLabel*>("text")) text = pLabel->text();
        dialog.accept();
    });
    pApp->GetMainFrame()->GetCommand(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(text.split('\n').mid(0, 2),
              QStringList({"Glyphar", QStringLiteral("Version " GLYPHAR_BUILD_VERSION)}));
}

TEST_F(VxAppTest, EmbeddedAndAutomatedRunsEndAtOnceWithoutAWindow)
{
    for (const char* pszSwitch : {"-Embedding", "-automation"}) {
        const auto pApp = Start({pszSwitch}, false);
        EXPECT_EQ(pApp->GetExitCode(), 0);
        EXPECT_EQ(pApp->GetMainFrame(), nullptr);
        EXPECT_FALSE(pApp->WasSplashShown());
    }
}

TEST_F(VxAppTest, TheMostRecentFileOpensOnStartupAndAVanishedOneLeavesAnEmptyPicture)
{
    const std::string kept = GoodFile("kept.emf");
    const std::string gone = GoodFile("gone.emf");
    WriteSetting("Application/OpenMruFileOnStartup", "1");
    WriteSetting("Recent File List/File1", QString::fromStdString(gone));
    WriteSetting("Recent File List/File2", QString::fromStdString(kept));
    {
        const auto pApp = Start({});
        EXPECT_EQ(pApp->GetMainFrame()->windowTitle(), "gone.emf - Glyphar");
    }
    std::filesystem::remove(gone);
    const auto pApp = Start({});
    EXPECT_TRUE(pApp->GetDocument()->GetPicture().HasNoChildren());
    EXPECT_EQ(pApp->GetMainFrame()->windowTitle(), "untitled - Glyphar");
    EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_FILE_NOT_OPENED});
    EXPECT_EQ(pApp->GetRecentFileList().Get(0), kept);
}

TEST_F(VxAppTest, TheRecentFileListKeepsFourNewestFirstAcrossARestart)
{
    std::vector<std::string> files;
    for (int i = 0; i < 5; ++i) files.push_back(GoodFile("f" + std::to_string(i) + ".emf"));
    {
        const auto pApp = Start({});
        for (const std::string& file : files) pApp->GetMainFrame()->OpenDocumentFile(file);
        // Reopened through its menu entry: it moves to the top.
        pApp->GetMainFrame()->GetCommand(ID_FILE_MRU_FIRST + 2)->trigger();
        EXPECT_EQ(pApp->GetDocument()->m_strPathName, files[2]);
    }
    const auto pApp = Start({});
    CVxMainFrame& frame = *pApp->GetMainFrame();
    frame.UpdateFrame();
    const std::vector<std::string> expected = {files[2], files[4], files[3], files[1]};
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_EQ(pApp->GetRecentFileList().Get(i), expected[i]);
        EXPECT_EQ(frame.GetCommand(ID_FILE_MRU_FIRST + i)->text().toStdString(),
                  "&" + std::to_string(i + 1) + " " + expected[i]);
    }
    // A vanished file is reported, loses its entry, and the picture stays.
    std::filesystem::remove(files[4]);
    frame.GetCommand(ID_FILE_MRU_FIRST + 1)->trigger();
    EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_FILE_NOT_OPENED});
    EXPECT_EQ(pApp->GetRecentFileList().Get(1), files[3]);
    EXPECT_TRUE(pApp->GetDocument()->GetPicture().HasNoChildren());
    EXPECT_FALSE(frame.GetCommand(ID_FILE_MRU_LAST)->isVisible());
}

TEST_F(VxAppTest, AFailedOpenKeepsThePictureItsTitleAndItsUndoHistory)
{
    const std::string good = GoodFile();
    const auto pApp = Start({good});
    CVxDoc& doc = *pApp->GetDocument();
    doc.SaveUndoState();
    QDir(m_folder.path()).mkdir("folder.emf");
    for (const std::string& path :
         {WriteFile("bad.emf", {'n', 'o', 't', ' ', 'e', 'm', 'f'}), WriteFile("empty.wmf", {1}),
          m_folder.path().toStdString() + "/folder.emf", m_folder.path().toStdString() + "/none"}) {
        m_messages.Reset();
        m_dialogs.QueueFileName(path);
        pApp->GetMainFrame()->GetCommand(ID_FILE_OPEN)->trigger();
        ASSERT_EQ(m_messages.GetShown().size(), 1u) << path;
        const UINT nId = m_messages.GetShown()[0].nIdMessage;
        EXPECT_TRUE(nId == IDS_FILE_NOT_READ || nId == IDS_METAFILE_NOT_READ || nId == IDS_FILE_NOT_OPENED) << path;
        EXPECT_EQ(doc.GetPicture().GetChildCount(), 1);
        EXPECT_EQ(doc.m_strPathName, good);
        EXPECT_EQ(pApp->GetMainFrame()->windowTitle(), "good.emf - Glyphar");
        EXPECT_TRUE(doc.CanUndo());
        EXPECT_EQ(pApp->GetRecentFileList().Get(0), good);
    }
}

TEST_F(VxAppTest, GarbageSettingsReadAsDefaults)
{
    for (const char* pszKey : {"MaxNumberOfUndos", "DragObjectOutlines", "Units",
                               "SwitchToFreehandTimerInterval", "SafeGdiBoundsDivisor"})
        WriteSetting(QStringLiteral("Application/") + pszKey, "x7");
    WriteSetting("Application/DragObjectOutlines", "5");
    WriteSetting("Application/SafeGdiBoundsDivisor", "0");
    WriteSetting("Application/MaxNumberOfUndos", "40000");
    const auto pApp = Start({});
    const VxAppSettings& settings = pApp->GetSettings();
    const VxAppSettings defaults;
    EXPECT_EQ(settings.nMaxNumberOfUndos, defaults.nMaxNumberOfUndos);
    EXPECT_EQ(settings.nDragObjectOutlines, defaults.nDragObjectOutlines);
    EXPECT_EQ(settings.nUnits, defaults.nUnits);
    EXPECT_EQ(settings.nSwitchToFreehandTimerInterval, defaults.nSwitchToFreehandTimerInterval);
    EXPECT_EQ(settings.nSafeGdiBoundsDivisor, defaults.nSafeGdiBoundsDivisor);
    EXPECT_TRUE(ShownIds().empty());
}

// A file where a folder should be: a registration that cannot be written fails
// the run; a settings folder that cannot be made is reported and the program runs.
TEST_F(VxAppTest, FoldersThatCannotBeMadeAreReported)
{
    const std::string blocker = WriteFile("blocker", {0});
    {
        const CScopedEnvironment data("XDG_DATA_HOME", blocker + "/data");
        const auto pApp = Start({"-Register"}, false);
        EXPECT_EQ(pApp->GetExitCode(), 1);
        EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_FILE_NOT_WRITTEN});
    }
    m_messages.Reset();
    const CScopedEnvironment config("XDG_CONFIG_HOME", blocker + "/config");
    const auto pApp = Start({});
    ASSERT_EQ(ShownIds(), std::vector<UINT>{IDS_SETTINGS_NOT_SAVED});
    EXPECT_NE(m_messages.GetShown()[0].strText.find(blocker), std::string::npos);
    EXPECT_TRUE(pApp->GetMainFrame()->isVisible());
}

TEST_F(VxAppTest, IgnoredRecordsAreListedAfterALoadWhenAskedFor)
{
    EmfBuilder emf;
    for (int i = 0; i < 3; ++i) emf.Record(EMR_BITBLT, {0, 0, 0, 0});
    emf.Record(119, {0, 0, 0, 0});
    const std::string path = WriteFile("blt.emf", emf.Finish());
    QStringList listed;
    int nShown = 0;
    const CTkScopedModalHandler handler([&](QDialog& dialog) {
        ++nShown;
        auto* pList = dialog.findChild<QListWidget*>(QString::number(IDC_IGNORED_RECORD_LIST));
        for (int i = 0; pList && i < pList->count(); ++i) listed.append(pList->item(i)->text());
        dialog.accept();
    });
    const auto pApp = Start({});
    pApp->GetMainFrame()->OpenDocumentFile(path);
    EXPECT_EQ(nShown, 0);
    WriteSetting("Application/DisplayUnhandledMetafileRecordWarnings", "1");
    pApp->GetMainFrame()->OpenDocumentFile(path);
    EXPECT_EQ(nShown, 1);
    EXPECT_EQ(listed, QStringList({"EMR_BITBLT", "Unknown function: 77"}));
}

TEST_F(VxAppTest, ANewUndoLimitIsStoredAndTakesEffectOnlyAtTheNextStart)
{
    const auto pApp = Start({});
    QString errorText;
    const CTkScopedModalHandler handler([&](QDialog& dialog) {
        auto* pEdit = dialog.findChild<QLineEdit*>(QString::number(IDC_MAX_UNDOS));
        ASSERT_NE(pEdit, nullptr);
        pEdit->setText("32768");
        dialog.accept();  // refused: the sheet stays open
        EXPECT_TRUE(dialog.isVisible());
        pEdit->setText("3");
        static_cast<CVxPropertySheet&>(dialog).SetActivePage(IDD_OPTIONS_TOOLBARS);
        dialog.accept();
    });
    pApp->GetMainFrame()->GetCommand(ID_TOOLS_OPTIONS)->trigger();
    EXPECT_EQ(ShownIds(), (std::vector<UINT>{IDS_ENTER_INTEGER, IDS_MAX_UNDOS_NEXT_START}));
    EXPECT_EQ(m_messages.GetShown()[0].strText, "Enter an integer between 0 and 32767.");
    EXPECT_EQ(m_messages.GetShown()[1].nType, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(Setting("Application/MaxNumberOfUndos"), "3");
    // The open picture's history still holds more than three steps.
    CVxDoc& doc = *pApp->GetDocument();
    for (int i = 0; i < 5; ++i) doc.SaveUndoState();
    int nUndos = 0;
    for (; doc.CanUndo() && nUndos < 10; ++nUndos) doc.OnEditUndo();
    EXPECT_EQ(nUndos, 5);

    // The sheet opens on the page last active; unchanged values write and
    // show nothing.
    m_messages.Reset();
    unsigned nOpenedOn = 0;
    const CTkScopedModalHandler ok([&](QDialog& dialog) {
        nOpenedOn = static_cast<CVxPropertySheet&>(dialog).GetActivePageId();
        dialog.accept();
    });
    pApp->GetMainFrame()->GetCommand(ID_TOOLS_OPTIONS)->trigger();
    EXPECT_EQ(nOpenedOn, IDD_OPTIONS_TOOLBARS);
    EXPECT_TRUE(ShownIds().empty());
}

// Every row of the menus is routed to a handler, or says it waits for one and
// stays disabled; no update handler fails on an empty or a loaded picture.
TEST_F(VxAppTest, EveryMenuRowHasAHandlerOrWaitsDisabled)
{
    const auto pApp = Start({});
    CVxMainFrame& frame = *pApp->GetMainFrame();
    for (const bool bLoaded : {false, true}) {
        if (bLoaded) {
            ASSERT_TRUE(frame.OpenDocumentFile(GoodFile()));
        }
        frame.UpdateFrame();
        for (const auto rows : {VxGetMainMenuRows(), VxGetContextMenuRows()}) {
            for (const VxMenuRow& row : rows) {
                if (row.kind != VxMenuRowKind::Item) continue;
                CTkCmdUI cmdUI(row.nId);
                const bool bRouted = frame.OnCmdMsg(row.nId, &cmdUI);
                ASSERT_NE(frame.GetCommand(row.nId), nullptr) << row.nId;
                EXPECT_EQ(frame.GetCommand(row.nId)->isEnabled(), cmdUI.IsEnabled()) << row.nId;
                EXPECT_FALSE(frame.GetCommand(row.nId)->statusTip().isEmpty()) << row.nId;
                if (row.nFlags & kVxMenuLater) {
                    EXPECT_FALSE(cmdUI.IsEnabled()) << row.nId;
                } else {
                    EXPECT_TRUE(bRouted && cmdUI.m_bHasHandler) << row.nId;
                }
            }
        }
    }
}

// -p prints the file on one page and ends without showing a window, neither
// restoring nor saving the window's placement; a printer that is not there is
// reported and the program ends with a failure.
TEST_F(VxAppTest, PrintSwitchesPrintWithoutAWindow)
{
    CVxScriptedEditDialogs dialogs;
    const CVxEditDialogsGuard guard(dialogs);
    const QString pdf = m_folder.filePath(QStringLiteral("printed.pdf"));
    dialogs.QueuePrintToPdf(pdf.toStdString());
    const QString windowPos = "0,1,-1,-1,-1,-1,10,20,610,420";
    WriteSetting("Application/WindowPos", windowPos);
    {
        const auto pApp = Start({"-p", GoodFile()}, false);
        EXPECT_FALSE(pApp->GetMainFrame()->isVisible());
        EXPECT_EQ(pApp->GetExitCode(), 0);
        EXPECT_TRUE(ShownIds().empty());
        EXPECT_NE(pApp->GetMainFrame()->geometry(), QRect(10, 20, 600, 400));
        pApp->GetMainFrame()->resize(300, 200);
        pApp->GetMainFrame()->close();
    }
    EXPECT_EQ(Setting("Application/WindowPos"), windowPos);
    EXPECT_FALSE(Setting("Toolbars/State").isValid());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(file.readAll()).count(QRegularExpression(R"(/Type\s*/Page\b(?!s))")), 1);

    const auto pApp = Start({"-pt", GoodFile(), "Nowhere", "drv", "port"}, false);
    EXPECT_FALSE(pApp->GetMainFrame()->isVisible());
    EXPECT_EQ(pApp->GetExitCode(), 1);
    EXPECT_EQ(ShownIds(), std::vector<UINT>{IDS_NO_PRINTER});
}

}  // namespace
