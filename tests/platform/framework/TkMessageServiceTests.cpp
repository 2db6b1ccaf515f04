#include "platform/framework/TkMessageService.h"

#include <gtest/gtest.h>

TEST(TkMessageService, ScriptedAnswersComeInOrderThenTheDefault)
{
    CTkScriptedMessageService service;
    service.QueueAnswer(IDNO);
    service.QueueAnswer(IDCANCEL);
    EXPECT_EQ(service.ShowMessage(4003, MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(service.ShowMessage(4002, MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(service.GetPendingAnswerCount(), 0u);
    // Nothing scripted: the default button answers.
    EXPECT_EQ(service.ShowMessage(4001, MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(service.ShowMessage(4001, MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(service.ShowMessage(4001, MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(service.ShowMessage(4205, MB_OK | MB_ICONEXCLAMATION), IDOK);
    service.SetDefaultAnswer(IDNO);
    EXPECT_EQ(service.ShowMessage(4001, MB_YESNOCANCEL), IDNO);
    ASSERT_EQ(service.GetShown().size(), 7u);
    EXPECT_EQ(service.GetShown()[0].nIdMessage, 4003u);
    EXPECT_EQ(service.GetShown()[0].nType, MB_YESNOCANCEL | MB_ICONQUESTION);
    service.Reset();
    EXPECT_TRUE(service.GetShown().empty());
}

TEST(TkMessageService, TextIsTheStringWithItsArguments)
{
    CTkScriptedMessageService service;
    service.ShowMessage(4205, MB_OK | MB_ICONEXCLAMATION);
    service.ShowMessage(4210, MB_OK | MB_ICONINFORMATION, {"-q"});
    service.ShowMessage(61714, MB_OK, {"0", "32767"});
    service.ShowMessage(5039, MB_OK, {"114"});
    service.ShowMessage(1, MB_OK);
    const auto& shown = service.GetShown();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].strText, "File not read. It may be an invalid or unsupported format.");
    EXPECT_EQ(shown[1].strText,
              "\"-q\" is an unrecognized command line option.\n\nValid command line options "
              "are:\n\t-p\n\t-pt Printer Driver Port\n\t-Register\n\t-Unregister");
    EXPECT_EQ(shown[2].strText, "Enter an integer between 0 and 32767.");
    EXPECT_EQ(shown[3].strText, "Unknown function: 72");
    EXPECT_EQ(shown[4].strText, "");
}

