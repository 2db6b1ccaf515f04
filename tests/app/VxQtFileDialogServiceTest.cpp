#include "app/VxQtFileDialogService.h"

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

}  // namespace
