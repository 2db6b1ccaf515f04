#include "platform/framework/TkSettings.h"

#include <gtest/gtest.h>

TEST(TkSettings, IntegersAreStoredAsText)
{
    CTkMemorySettings settings;
    settings.WriteProfileInt("S", "K", -2147483647 - 1);
    EXPECT_EQ(settings.GetProfileString("S", "K", ""), "-2147483648");
    settings.WriteProfileString("S", "K", " 42 ");
    EXPECT_EQ(settings.GetProfileInt("S", "K", 0), 42);
    for (const char* bad : {"", "abc", "12x", "99999999999", "+-3", "0x10"}) {
        settings.WriteProfileString("S", "K", bad);
        EXPECT_EQ(settings.GetProfileInt("S", "K", 13), 13) << bad;
    }
    settings.WriteProfileString("S", "K", "+8");
    EXPECT_EQ(settings.GetProfileInt("S", "K", 0), 8);
}

