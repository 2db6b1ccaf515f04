#include "app/VxQtFileDialogService.h"

#include "document/VxDocManager.h"

#include <gtest/gtest.h>

namespace {

TEST(VxQtFileDialogService, NameFiltersCarryTheirPatternsOnce)
{
    const QStringList names = CVxQtFileDialogService::NameFilters({
        {"All Metafiles (*.wmf;*.emf;*.clp)", "*.wmf;*.emf;*.clp"},
        {"Windows Metafiles (*.wmf)", "*.wmf"},
        {"Clipboard Files", "*.clp"},
        {"All Files (*.*)", "*.*"},
    });
    EXPECT_EQ(names, QStringList({"All Metafiles (*.wmf *.emf *.clp)",
                                  "Windows Metafiles (*.wmf)", "Clipboard Files (*.clp)",
                                  "All Files (*.*)"}));
}

TEST(VxQtFileDialogService, TheDocumentsOpenListGivesOneFilterEach)
{
    const CVxImportFilterList filters;
    const std::vector<VxFileFilter> list = CVxDocManager(filters).GetFileFilters(true);
    const QStringList names = CVxQtFileDialogService::NameFilters(list);
    ASSERT_EQ(names.size(), qsizetype(list.size()));
    for (const QString& name : names) {
        // One bracketed group, at the end, without semicolons.
        EXPECT_EQ(name.count(u'('), 1) << name.toStdString();
        EXPECT_TRUE(name.endsWith(u')')) << name.toStdString();
        EXPECT_FALSE(name.contains(u';')) << name.toStdString();
    }
}

}  // namespace
