// The Qt clipboard makes a flavour's bytes only when they are asked for, once,
// and compares names up to their parameters when looking them up.

#include "platform/framework/TkClipboard.h"
#include "platform/qt/TkQtClipboard.h"

#include <gtest/gtest.h>

namespace {

TEST(TkQtClipboardTest, FlavoursAreMadeOnFirstRequestOnly)
{
    CTkQtClipboard clipboard;
    int nEmf = 0;
    int nPng = 0;
    ASSERT_EQ(clipboard.SetFlavours({{"image/emf", [&] { ++nEmf; return std::vector<std::uint8_t>{1, 2}; }},
                                     {"image/png", [&] { ++nPng; return std::vector<std::uint8_t>{3}; }}}),
              TkClipboardResult::Done);
    EXPECT_EQ(clipboard.GetMimeTypes(), (std::vector<std::string>{"image/emf", "image/png"}));
    EXPECT_EQ(nEmf + nPng, 0);
    EXPECT_EQ(clipboard.GetData("image/emf"), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(clipboard.GetData("image/emf"), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(nEmf, 1);
    EXPECT_EQ(nPng, 0);
    EXPECT_FALSE(clipboard.GetData("text/plain").has_value());
}

TEST(TkQtClipboardTest, MimeNamesCompareUpToTheirParameters)
{
    EXPECT_TRUE(TkSameMimeType("application/x-openoffice-emf;windows_formatname=\"Image EMF\"",
                               "Application/X-OpenOffice-EMF"));
    EXPECT_TRUE(TkSameMimeType("text/plain ; charset=utf-8", "text/plain"));
    EXPECT_FALSE(TkSameMimeType("image/emf", "image/x-emf"));
    EXPECT_FALSE(TkSameMimeType("text/plain", "text/plainer"));
}

}  // namespace
