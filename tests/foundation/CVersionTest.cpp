#include "foundation/CVersion.h"

#include <gtest/gtest.h>

TEST(CVersion, ParsePrintCompare)
{
    CVersion full("2.10.7");
    EXPECT_EQ(full.getMajor(), 2);
    EXPECT_EQ(full.getMinor(), 10);
    EXPECT_EQ(full.getBuild(), 7);
    CVersion shortText("3");
    EXPECT_EQ(shortText.toString(), "3.0.b0");
    EXPECT_EQ(CVersion("").toString(), "0.0.b0");
    EXPECT_EQ(CVersion("1.2.3").toString(), "1.2.b3");

    CVersion printed(CVersion("1.2.3").toString());
    EXPECT_EQ(printed.toString(), "1.2.b0") << "the printed build does not read back";

    struct Case {
        const char* a;
        const char* b;
        int result;
    };
    for (const Case& c : {Case{"2.0.1", "1.9.9", 1}, Case{"1.2.3", "1.2.4", -1}, Case{"1.2.3", "1.2.3", 0},
                          Case{"1.10", "1.9.50", 1}}) {
        CVersion b(c.b);
        EXPECT_EQ(CVersion(c.a).compare(&b), c.result) << c.a << " vs " << c.b;
    }
}
