#include "platform/Charset.h"

#include <gtest/gtest.h>

TEST(Charset, EveryByteSurvivesTheTripThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::optional<std::string> back = platform::utf8ToCp1250(platform::cp1250ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Charset, PolishLettersBecomeTheirUtf8Forms)
{
    // "Zażółć" in Windows-1250.
    const std::string cp1250 = "Za\xBF\xF3\xB3\xE6";
    EXPECT_EQ(platform::cp1250ToUtf8(cp1250), "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87");
    EXPECT_EQ(platform::cp1250ToUtf8("\x80"), "\xE2\x82\xAC"); // the euro sign
}

TEST(Charset, Utf8ThatTheCodePageCannotHoldIsRefused)
{
    EXPECT_FALSE(platform::utf8ToCp1250("\xD0\x98\xD0\xB2").has_value()); // Cyrillic
    EXPECT_FALSE(platform::utf8ToCp1250("\xC5").has_value());             // cut sequence
    EXPECT_FALSE(platform::utf8ToCp1250("\xC0\x80").has_value());         // overlong zero
    EXPECT_FALSE(platform::utf8ToCp1250("\xED\xA0\x80").has_value());     // surrogate
    EXPECT_FALSE(platform::utf8ToCp1250("\xB9").has_value());             // a cp1250 byte
}

TEST(Charset, CaseFoldingCoversTheAccentedLetters)
{
    EXPECT_EQ(platform::cp1250ToLower('A'), 'a');
    EXPECT_EQ(platform::cp1250ToLower(0xA5), 0xB9); // Ą ą
    EXPECT_EQ(platform::cp1250ToLower(0x8C), 0x9C); // Ś ś
    EXPECT_EQ(platform::cp1250ToLower(0xAF), 0xBF); // Ż ż
    EXPECT_EQ(platform::cp1250ToLower(0xC8), 0xE8); // Č č
    EXPECT_EQ(platform::cp1250ToLower(0xD7), 0xD7); // × has no partner
    EXPECT_EQ(platform::cp1250ToLower(0xDF), 0xDF); // ß
    EXPECT_TRUE(platform::cp1250EqualIgnoringCase("\xAF" "ABA.TXT", "\xBF" "aba.txt"));
    EXPECT_FALSE(platform::cp1250EqualIgnoringCase("a", "ab"));
}
