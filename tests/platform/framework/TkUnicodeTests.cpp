#include "platform/framework/TkUnicode.h"

#include <gtest/gtest.h>

TEST(TkUnicode, Utf8RoundTripsThroughUtf16)
{
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // Aé€😀
    const std::u16string wide = TkUtf8ToUtf16(text);
    EXPECT_EQ(wide, u"A\u00E9\u20AC\U0001F600");
    EXPECT_EQ(wide.size(), 5u);
    EXPECT_EQ(TkUtf16ToUtf8(wide), text);
    EXPECT_EQ(TkUtf8ToUtf16(""), u"");
    EXPECT_EQ(TkUtf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(TkUnicode, InvalidUtf8BecomesReplacementCharacters)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"lone continuation", "a\x80z", u"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated at the end", "ok\xE2\x82", u"ok\uFFFD"},
        {"truncated before ASCII", "\xE2\x82z", u"\uFFFDz"},
        {"invalid lead", "\xFF\xFE", u"\uFFFD\uFFFD"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(TkUtf8ToUtf16(c.bytes), c.expected) << c.what;
}

TEST(TkUnicode, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const char16_t lowFirst[] = {0xDC00, 0xD800, 'x', 0xD83D, 0};
    EXPECT_EQ(TkUtf16ToUtf8(lowFirst), "\xEF\xBF\xBD\xEF\xBF\xBDx\xEF\xBF\xBD");
}
