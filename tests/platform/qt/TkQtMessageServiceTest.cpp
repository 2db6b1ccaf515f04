#include "platform/qt/TkQtMessageService.h"

#include <gtest/gtest.h>

namespace {

using Box = CTkQtMessageService;

TEST(TkQtMessageService, AnswersKeepTheirNumbers)
{
    EXPECT_EQ(Box::AnswerFor(QMessageBox::Yes, MB_YESNOCANCEL), 6);
    EXPECT_EQ(Box::AnswerFor(QMessageBox::No, MB_YESNOCANCEL), 7);
    EXPECT_EQ(Box::AnswerFor(QMessageBox::Cancel, MB_YESNOCANCEL), 2);
    EXPECT_EQ(Box::AnswerFor(QMessageBox::Ignore, MB_ABORTRETRYIGNORE), IDIGNORE);
    // Closed without a button: Cancel where the set has one, else its way out.
    EXPECT_EQ(Box::AnswerFor(QMessageBox::NoButton, MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(Box::AnswerFor(QMessageBox::NoButton, MB_OK), IDOK);
    EXPECT_EQ(Box::AnswerFor(QMessageBox::NoButton, MB_YESNO), IDNO);
}

}  // namespace
