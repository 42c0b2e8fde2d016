#include "platform/SystemLanguage.h"

#include <gtest/gtest.h>

TEST(SystemLanguage, LocaleNamesGiveWindowsLanguageIds)
{
    EXPECT_EQ(platform::languageIdOfLocale("pl_PL.UTF-8"), "0415");
    EXPECT_EQ(platform::languageIdOfLocale("cs_CZ"), "0405");
    EXPECT_EQ(platform::languageIdOfLocale("hu"), "040e");
    EXPECT_EQ(platform::languageIdOfLocale("sk_SK@euro"), "041b");
    EXPECT_EQ(platform::languageIdOfLocale("en_US.UTF-8"), "");
    EXPECT_EQ(platform::languageIdOfLocale("C"), "");
    EXPECT_EQ(platform::languageIdOfLocale("plx"), "");
}
