// The file dialogs' lists, what they remember, and the registered file types.

#include "DocTestSupport.h"

#include "document/VxDocManager.h"
#include "platform/framework/TkStrings.h"

#include <gtest/gtest.h>

namespace {

using VxDocManagerDialogs = DocTest;

std::vector<VxFileFilter> Filters(bool bOpen)
{
    const CVxImportFilterList filters;
    return CVxDocManager(filters).GetFileFilters(bOpen);
}

}  // namespace

TEST(VxDocManagerFilters, TheOpenDialogListsAllMetafilesFirstAndAllFilesLast)
{
    const std::vector<VxFileFilter> expected = {
        {"All Metafiles (*.wmf;*.emf;*.clp)", "*.wmf;*.emf;*.clp"},
        {"Windows Metafiles (*.wmf)", "*.wmf"},
        {"Enhanced Metafiles (*.emf)", "*.emf"},
        {"Clipboard Files (*.clp)", "*.clp"},
        {"All Files (*.*)", "*.*"},
    };
    EXPECT_EQ(Filters(true), expected);
}

TEST(VxDocManagerFilters, TheSaveDialogListsOnlyTheWritableTypes)
{
    const std::vector<VxFileFilter> expected = {
        {"Windows Metafiles (*.wmf)", "*.wmf"},
        {"Enhanced Metafiles (*.emf)", "*.emf"},
    };
    EXPECT_EQ(Filters(false), expected);
}

TEST(VxDocManagerFilters, ExtensionsCompareWithoutRegardToCase)
{
    EXPECT_TRUE(VxHasExtension("a.wmf", ".wmf"));
    EXPECT_TRUE(VxHasExtension("/x/a.WmF", ".wmf"));
    EXPECT_FALSE(VxHasExtension("a.wmf.bak", ".wmf"));
    EXPECT_FALSE(VxHasExtension("/x.wmf/a", ".wmf"));
    EXPECT_FALSE(VxHasExtension("wmf", ".wmf"));
    EXPECT_FALSE(VxHasExtension("", ".wmf"));
    EXPECT_EQ(VxReplaceExtension("/a/b.WMF", ".emf"), "/a/b.emf");
    EXPECT_EQ(VxReplaceExtension("/a.d/b", ".emf"), "/a.d/b.emf");
    EXPECT_EQ(VxReplaceExtension("b.clp", ".wmf"), "b.wmf");
}

TEST(VxDocManagerFileTypes, TwoTypesAreRegisteredWithTheirVerbs)
{
    const auto types = CVxDocManager::GetShellFileTypes();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_STREQ(types[0].pszExtension, ".emf");
    EXPECT_EQ(TkLoadString(types[0].nTypeNameId), "Glyphar32.EnhancedMetafile");
    EXPECT_EQ(TkLoadString(types[0].nDescriptionId), "Enhanced metafile");
    EXPECT_EQ(types[0].nIconId, 151u);
    EXPECT_STREQ(types[1].pszExtension, ".wmf");
    EXPECT_EQ(TkLoadString(types[1].nTypeNameId), "Glyphar32.WindowsMetafile");
    EXPECT_EQ(TkLoadString(types[1].nDescriptionId), "Windows metafile");
    EXPECT_EQ(types[1].nIconId, 152u);
    const auto verbs = CVxDocManager::GetShellVerbs();
    ASSERT_EQ(verbs.size(), 3u);
    EXPECT_STREQ(verbs[0].pszName, "open");
    EXPECT_STREQ(verbs[1].pszArguments, " -p \"%1\"");
    EXPECT_STREQ(verbs[2].pszArguments, " -pt \"%1\" \"%2\" \"%3\" \"%4\"");
}

TEST_F(VxDocManagerDialogs, TheOpenDialogStartsWhereTheLastOneEndedAndRemembersIt)
{
    m_settings.WriteProfileString("Application", "LastFileDirectory", "/pictures");
    m_settings.WriteProfileInt("Application", "LastFileFilterIndex", 3);
    const CVxImportFilterList filters;
    const CVxDocManager manager(filters);
    std::string name;
    m_dialogs.QueueFileName("/elsewhere/b.clp", 4);
    ASSERT_TRUE(manager.DoPromptFileName(name, 61441, OFN_HIDEREADONLY, true));
    EXPECT_EQ(name, "/elsewhere/b.clp");
    const VxFileDialogRequest& request = m_dialogs.GetRequests().at(0);
    EXPECT_TRUE(request.bOpenFileDialog);
    EXPECT_EQ(request.strTitle, "Save As");
    EXPECT_EQ(request.flags, OFN_HIDEREADONLY);
    EXPECT_EQ(request.strInitialFolder, "/pictures");
    EXPECT_EQ(request.nFilterIndex, 3);
    EXPECT_EQ(request.filters.size(), 5u);
    EXPECT_EQ(m_settings.GetProfileString("Application", "LastFileDirectory"), "/elsewhere");
    EXPECT_EQ(m_settings.GetProfileInt("Application", "LastFileFilterIndex", 0), 4);
    // Cancel remembers nothing.
    m_dialogs.QueueCancel();
    EXPECT_FALSE(manager.DoPromptFileName(name, 61441, 0, true));
    EXPECT_EQ(name, "/elsewhere/b.clp");
    EXPECT_EQ(m_settings.GetProfileString("Application", "LastFileDirectory"), "/elsewhere");
}

TEST_F(VxDocManagerDialogs, TheSaveDialogPicksTheFilterOfTheProposedExtension)
{
    m_settings.WriteProfileString("Application", "LastFileDirectory", "/pictures/");
    m_settings.WriteProfileInt("Application", "LastFileFilterIndex", 5);
    const CVxImportFilterList filters;
    const CVxDocManager manager(filters);
    struct Case {
        const char* proposed;
        int nFilterIndex;
        const char* shown;
    };
    const Case cases[] = {
        {"/pictures/a.EMF", 2, "a.EMF"},        // same folder: the bare name
        {"/pictures/sub/a.wmf", 1, "/pictures/sub/a.wmf"},
        {"/Pictures/a.emf", 2, "/Pictures/a.emf"},  // folders differ by case here
        {"/other/a.clp", 1, "/other/a.clp"},
        {"untitled", 1, "untitled"},
    };
    for (const Case& c : cases) {
        m_dialogs.Reset();
        std::string name = c.proposed;
        m_dialogs.QueueFileName("/saved/x.emf", 2);
        ASSERT_TRUE(manager.DoPromptFileName(name, 61444, 0, false));
        const VxFileDialogRequest& request = m_dialogs.GetRequests().at(0);
        EXPECT_FALSE(request.bOpenFileDialog);
        EXPECT_EQ(request.strTitle, "Save Copy As");
        EXPECT_EQ(request.nFilterIndex, c.nFilterIndex) << c.proposed;
        EXPECT_EQ(request.strFileName, c.shown) << c.proposed;
        EXPECT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(name, "/saved/x.emf");
        m_settings.WriteProfileString("Application", "LastFileDirectory", "/pictures/");
    }
    // Only the open dialog's filter is remembered.
    EXPECT_EQ(m_settings.GetProfileInt("Application", "LastFileFilterIndex", 0), 5);
}
