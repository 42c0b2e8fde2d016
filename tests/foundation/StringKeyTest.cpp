#include "foundation/CInteger.h"
#include "foundation/CStringArray.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CXString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CStringTokenizer, CutsAtAnySeparatorAndSkipsRuns)
{
    struct Case {
        const char* text;
        const char* separators;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {",,a,,b,", ",", {"a", "b"}},
        {",,,", ",", {}},
        {"", ",", {}},
        {"1, 2", " ,", {"1", "2"}},
        {"whole", ",", {"whole"}},
        {"x|y\r\nz", "|\r\n", {"x", "y", "z"}},
        {"abc", "", {"abc"}},
    };
    for (const Case& c : cases) {
        CStringTokenizer tokenizer(c.text, c.separators);
        std::vector<std::string> tokens;
        while (tokenizer.hasMoreTokens())
            tokens.emplace_back(tokenizer.nextToken().c_str());
        EXPECT_EQ(tokens, c.tokens) << c.text;
        EXPECT_STREQ(tokenizer.nextToken().c_str(), "") << c.text;
        EXPECT_STREQ(tokenizer.nextToken().c_str(), "") << c.text;
        EXPECT_FALSE(tokenizer.hasMoreTokens());
    }

    // Tokens of a long text are sized for themselves, not for the whole text.
    std::string longText;
    for (int i = 0; i < 500; ++i)
        longText += "item" + std::to_string(i) + ",";
    CStringTokenizer tokenizer(longText.c_str(), ",");
    EXPECT_STREQ(tokenizer.nextToken().c_str(), "item0");
    EXPECT_EQ(tokenizer.nextToken().GetCapacity(), 32);
}

TEST(CStringHashCode, HashesSignedBytes)
{
    struct Case {
        const char* text;
        int hash;
    };
    const Case cases[] = {
        {"", 0}, {"A", 66}, {"abc", 597}, {"ONINIT", 1698}, {"\xB9", -70},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStringHashCode(c.text).getHashcode(), c.hash) << c.text;
}

TEST(CStringHashCode, ComparesTheWholeTextWithLetterCase)
{
    CStringHashCode lower("abc");
    CStringHashCode upper("ABC");
    EXPECT_NE(lower.getHashcode(), upper.getHashcode());
    EXPECT_FALSE(lower.equals(&upper));

    for (int length : {64, 700}) {
        std::string text(length, 'N');
        CStringHashCode key(text.c_str());
        EXPECT_EQ(std::string(key.getString().c_str()), text);
        std::string other = text;
        other.back() = 'M';
        CStringHashCode differentAtTheEnd(other.c_str());
        CStringHashCode same(text.c_str());
        EXPECT_FALSE(key.equals(&differentAtTheEnd));
        EXPECT_TRUE(key.equals(&same));
    }

    CStringHashCode reused("temp");
    reused.set("ONINIT");
    EXPECT_EQ(reused.getHashcode(), 1698);
    EXPECT_STREQ(reused.getString().c_str(), "ONINIT");
    reused.set(nullptr);
    EXPECT_EQ(reused.getHashcode(), 0);

    CStringHashCode a("A");
    CInteger sameHash(66);
    EXPECT_FALSE(a.equals(&sameHash));
    EXPECT_FALSE(sameHash.equals(&a));
}

TEST(CStringArray, LooksUpWithoutCaseButRemovesExactly)
{
    CStringArray unique(true);
    unique.add("Name");
    unique.add("NAME");
    EXPECT_EQ(unique.getSize(), 1);
    EXPECT_TRUE(unique.contains("nAmE"));
    unique.remove("NAME");
    EXPECT_EQ(unique.getSize(), 1);
    unique.remove("Name");
    EXPECT_EQ(unique.getSize(), 0);

    CStringArray list;
    list.add("a");
    list.add("b");
    list.add("a");
    EXPECT_EQ(list.getSize(), 3);
    list.remove("a");
    EXPECT_EQ(list.getSize(), 1);
    EXPECT_FALSE(list.contains("a"));
    list.removeAll();
    EXPECT_EQ(list.getSize(), 0);
}
