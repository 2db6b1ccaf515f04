#include "platform/framework/TkMessageService.h"

#include <gtest/gtest.h>

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

