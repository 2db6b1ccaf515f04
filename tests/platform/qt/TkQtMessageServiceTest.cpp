#include "platform/qt/TkQtMessageService.h"

#include <gtest/gtest.h>

namespace {

using Box = CTkQtMessageService;

TEST(TkQtMessageService, ButtonSetsAndTheirDefaults)
{
    EXPECT_EQ(Box::ButtonsFor(MB_OK), QMessageBox::Ok);
    EXPECT_EQ(Box::ButtonsFor(MB_YESNOCANCEL | MB_ICONQUESTION),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(Box::ButtonsFor(MB_RETRYCANCEL), QMessageBox::Retry | QMessageBox::Cancel);
    EXPECT_EQ(Box::ButtonsFor(MB_ABORTRETRYIGNORE),
              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);

    EXPECT_EQ(Box::DefaultButtonFor(MB_YESNOCANCEL), QMessageBox::Yes);
    EXPECT_EQ(Box::DefaultButtonFor(MB_YESNOCANCEL | MB_DEFBUTTON2), QMessageBox::No);
    EXPECT_EQ(Box::DefaultButtonFor(MB_OKCANCEL | MB_DEFBUTTON2), QMessageBox::Cancel);
    // A third button the set does not have: the first one.
    EXPECT_EQ(Box::DefaultButtonFor(MB_YESNO | MB_DEFBUTTON3), QMessageBox::Yes);
}

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
