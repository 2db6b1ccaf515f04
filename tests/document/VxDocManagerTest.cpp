// The file dialogs' lists, what they remember, and the registered file types.

#include "DocTestSupport.h"

#include "document/VxDocManager.h"
#include "platform/framework/TkStrings.h"

#include <gtest/gtest.h>

namespace {

using VxDocManagerDialogs = DocTest;

}  // namespace

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
