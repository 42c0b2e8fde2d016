#include "foundation/CXArray.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(CXString, CapacityFollowsLengthPlusSlack)
{
    EXPECT_EQ(CXString().GetCapacity(), 32);
    EXPECT_EQ(CXString("short").GetCapacity(), 32);
    std::string longText(40, 'x');
    CXString longString(longText.c_str());
    EXPECT_EQ(longString.GetCapacity(), 72);
    EXPECT_EQ(CXString(longString).GetCapacity(), 72);
    EXPECT_EQ(CXString(static_cast<const char*>(nullptr)).GetLength(), 0);

    CXString character('A' + 0);
    EXPECT_STREQ(character.c_str(), "A");
    EXPECT_EQ(character.GetCapacity(), 32);

    CXString grown("abc");
    grown += longText.c_str();
    EXPECT_EQ(grown.GetLength(), 43);
    EXPECT_EQ(grown.GetCapacity(), 75);
}

TEST(CXString, AppendsOfCharactersAndIntegersDoubleTheCapacity)
{
    CXString text;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        char c = static_cast<char>('a' + i % 26);
        text += c;
        expected += c;
    }
    EXPECT_EQ(std::string(text.c_str()), expected);
    EXPECT_EQ(text.GetCapacity(), 1024);

    CXString numbers;
    for (int i = 0; i < 100; ++i)
        numbers += -i;
    EXPECT_EQ(numbers.Left(8), CXString("0-1-2-3-"));
    EXPECT_GT(numbers.GetCapacity(), numbers.GetLength());

    // The doubling starts 2 characters (a character) or 20 (an integer) before the end.
    CXString beforeCharacter(std::string(29, 'c').c_str());
    beforeCharacter += 'c';
    EXPECT_EQ(beforeCharacter.GetCapacity(), 32);
    beforeCharacter += 'c';
    EXPECT_EQ(beforeCharacter.GetCapacity(), 64);
    CXString beforeInteger(std::string(11, 'i').c_str());
    beforeInteger += 7;
    EXPECT_EQ(beforeInteger.GetCapacity(), 32);
    beforeInteger += 7;
    EXPECT_EQ(beforeInteger.GetCapacity(), 64);
    EXPECT_STREQ(beforeInteger.c_str(), "iiiiiiiiiii77");
}

TEST(CXString, AssignmentKeepsOrRemakesStorage)
{
    CXString target("x");
    CXString source(std::string(50, 'y').c_str());
    target = source;
    EXPECT_EQ(target.GetLength(), 50);
    EXPECT_EQ(target.GetCapacity(), 82);

    target = static_cast<const char*>(nullptr);
    EXPECT_EQ(target.GetLength(), 50);
    target = 'q';
    EXPECT_STREQ(target.c_str(), "q");
    EXPECT_EQ(target.GetCapacity(), 82);

    target = target;
    EXPECT_STREQ(target.c_str(), "q");
    target += target;
    EXPECT_STREQ(target.c_str(), "qq");

    // Appending a piece of the string's own text that makes it grow.
    CXString echo(std::string(31, 'e').c_str());
    echo += echo.c_str() + 1;
    EXPECT_EQ(std::string(echo.c_str()), std::string(61, 'e'));
    EXPECT_EQ(echo.GetCapacity(), 93);
}

TEST(CXString, Substrings)
{
    CXString text("abcdefg");
    EXPECT_STREQ(text.Mid(2, 5).c_str(), "cde");
    EXPECT_STREQ(text.Right(2).c_str(), "cdefg");
    EXPECT_STREQ(text.Left(0).c_str(), "");
    EXPECT_STREQ(text.Left(3).c_str(), "abc");
    EXPECT_STREQ(text.Mid(5, 2).c_str(), "");
    EXPECT_EQ(text.Left(3).GetCapacity(), text.GetCapacity());

    CXString out;
    text.mid(1, 3, &out);
    EXPECT_STREQ(out.c_str(), "bc");
    CXString inPlace("abcdefg");
    inPlace.right(4);
    EXPECT_STREQ(inPlace.c_str(), "efg");
    inPlace.left(1);
    EXPECT_STREQ(inPlace.c_str(), "e");

    EXPECT_EQ(text.GetAt(0), 'a');
    EXPECT_EQ(text.GetAt(-1), 'g');
    EXPECT_EQ(text.lastChar(), 'g');

    CXString filled("abc");
    filled.FillWith('z', 70);
    EXPECT_EQ(std::string(filled.c_str()), std::string(70, 'z'));
    EXPECT_GT(filled.GetCapacity(), 70);
}

TEST(CXString, CaseMappingCoversPolishLetters)
{
    CXString text("a\xB9\xE6\xEA\xB3\xF3\xF1\x9C\xBF\x9F z9\xFF");
    text.Upper();
    EXPECT_STREQ(text.c_str(), "A\xA5\xC6\xCA\xA3\xD3\xD1\x8C\xAF\x8F Z9\xFF");
    text.Lower();
    EXPECT_STREQ(text.c_str(), "a\xB9\xE6\xEA\xB3\xF3\xF1\x9C\xBF\x9F z9\xFF");

    EXPECT_FALSE(CXString("AB1").IsUpper());
    EXPECT_TRUE(CXString("").IsUpper());
    EXPECT_TRUE(CXString("\xA5Z").IsUpper());
    EXPECT_TRUE(CXString("\xB9z").IsLower());
    EXPECT_TRUE(CXString("aB").IsUpper(1));
    EXPECT_FALSE(CXString("aB").IsUpper(0));

    EXPECT_TRUE(CXString("\xB9la").equalsIgnoreCase(CXString("\xA5LA")));
    EXPECT_FALSE(CXString("abc").equals(CXString("ABC")));
}

TEST(CXString, TrimAndCharacterReplace)
{
    CXString text("  padded  ");
    EXPECT_STREQ(CXString(text).LTrim(' ').c_str(), "padded  ");
    EXPECT_STREQ(CXString(text).RTrim(' ').c_str(), "  padded");
    EXPECT_STREQ(text.AllTrim(' ').c_str(), "padded");
    EXPECT_STREQ(CXString("    ").AllTrim(' ').c_str(), "");
    EXPECT_STREQ(CXString("a\\b\\c").Replace('\\', '/').c_str(), "a/b/c");
}

TEST(CXString, Search)
{
    CXString abc("abc");
    EXPECT_EQ(abc.indexOf(CXString(""), 0), 3);
    EXPECT_EQ(abc.indexOf(CXString("c"), -7), 2);
    EXPECT_EQ(abc.indexOf(CXString("cd"), 0), -1);
    EXPECT_EQ(abc.FindSubString(CXString("bc"), 0), 1);
    EXPECT_EQ(abc.FindSubString(CXString("bc"), 2), -1);

    CXString path("Dane\\Scene\\bg.img");
    EXPECT_EQ(path.Find('\\', 0), 4);
    EXPECT_EQ(path.Find('\\', 5), 10);
    EXPECT_EQ(path.FindLast('\\'), 10);
    EXPECT_EQ(path.Find('#', 0), -1);
    EXPECT_EQ(path.findOneOf(CXString(".\\"), 5), 10);
    EXPECT_EQ(path.getCount('\\'), 2);

    EXPECT_TRUE(path.startsWith(CXString("Dane")));
    EXPECT_FALSE(path.startsWith(CXString("dane")));
    EXPECT_TRUE(path.endsWith(CXString(".img")));
    EXPECT_TRUE(path.endsWith(CXString("")));
    EXPECT_FALSE(abc.endsWith(CXString("zabc")));
}

TEST(CXString, FilterFits)
{
    CXString name("scene01.cnv");
    EXPECT_TRUE(name.FilterFits(CXString("*")));
    EXPECT_TRUE(name.FilterFits(CXString("*.*")));
    EXPECT_TRUE(name.FilterFits(CXString("")));
    EXPECT_TRUE(name.FilterFits(CXString("*.CNV")));
    EXPECT_TRUE(name.FilterFits(CXString("scene??.cnv")));
    EXPECT_FALSE(name.FilterFits(CXString("*.img")));
    EXPECT_TRUE(CXString("\xB9.txt").FilterFits(CXString("\xA5*")));
}

TEST(CXString, ReplaceForms)
{
    struct Case {
        const char* text;
        const char* what;
        const char* with;
        const char* result;
    };
    const Case cases[] = {
        {"aaa", "aa", "b", "ba"},
        {"aa", "a", "aa", "aaaa"},
        {"abc", "", "x", "abc"},
        {"abc", "zz", "x", "abc"},
        {"a.b.c", ".", "\\", "a\\b\\c"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CXString(c.text).replace(CXString(c.what), CXString(c.with)).c_str(), c.result) << c.text;

    CXString once("x-y-z");
    once.replaceOnce(CXString("-"), CXString("+"), 0);
    EXPECT_STREQ(once.c_str(), "x+y-z");
    once.replaceOnce(CXString("-"), CXString("+"), 2);
    EXPECT_STREQ(once.c_str(), "x+y+z");
    once.replaceOnce(CXString("-"), CXString("+"), 0);
    EXPECT_STREQ(once.c_str(), "x+y+z");
}

TEST(CXString, RemoveTag)
{
    struct Case {
        const char* text;
        const char* tag;
        const char* result;
    };
    const Case cases[] = {
        {"x<B>y<BIG>z<I>w", "B", "xyz<I>w"},
        {"a<b>c", "B", "a<b>c"},
        {"1 < 2 <B", "B", "1 < 2 "},
        {"<COLOR 255>red<COLOR>", "COLOR", "red"},
        {"no tags", "B", "no tags"},
    };
    for (const Case& c : cases) {
        CXString text(c.text);
        text.removeTag(CXString(c.tag));
        EXPECT_STREQ(text.c_str(), c.result) << c.text;
    }
}

TEST(CXString, NumberAndBoolReadings)
{
    struct Case {
        const char* text;
        int number;
        bool isNumber;
    };
    const Case cases[] = {
        {"0", 0, false},
        {"abc", 0, false},
        {" 42", 42, true},
        {"12abc", 12, true},
        {"-7", -7, true},
        {"+8", 8, true},
        {"\t\n 3", 3, true},
        {"99999999999", 2147483647, true},
        {"-99999999999", -2147483647 - 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CXString(c.text).toNumber(), c.number) << c.text;
        EXPECT_EQ(CXString(c.text).isNumber(), c.isNumber) << c.text;
    }

    EXPECT_TRUE(CXString("True").toBool());
    EXPECT_TRUE(CXString::toBool(CXString("TRUE")));
    EXPECT_FALSE(CXString("1").toBool());
    EXPECT_FALSE(CXString("yes").toBool());
    EXPECT_STREQ(CXString::toString(true).c_str(), "TRUE");
    EXPECT_STREQ(CXString::toString(false).c_str(), "FALSE");
}

TEST(CXString, NumbersIgnoreTheUserLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    // A comma-decimal locale, when the machine has one, must not change number texts.
    for (const char* locale : {"pl_PL.UTF-8", "de_DE.UTF-8", "C"})
        if (std::setlocale(LC_ALL, locale))
            break;
    EXPECT_DOUBLE_EQ(CXString("1.5").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(CXString(" -2.25e2xyz").toDouble(), -225.0);
    // Only the decimal form counts, as in the C reading the data was written for.
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"info", 0.0}, {"nan", 0.0}, {"-Infinity", 0.0}, {"0x10", 0.0}, {"1e", 1.0},
        {"2e+x", 2.0}, {"-.5", -0.5}, {".", 0.0}, {"+", 0.0}, {"7.", 7.0}, {"\t3E-1!", 0.3},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(CXString(c.text).toDouble(), c.value) << c.text;
    EXPECT_STREQ(CXString::toString(1.5).c_str(), "1.50000");
    CXString text;
    text = 1.5;
    EXPECT_STREQ(text.c_str(), "1.5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(CXString, ShortDoubleForm)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {2.0, "2.00000"},      {3.14159, "3.14159"}, {0.5, "0.50000"},    {0.05, "0.05000"},
        {0.005, "0.00500"},    {-0.5, "-0.50000"},   {-2.5, "-2.50000"},  {0.0, "0.00000"},
        {1234.5, "1234.50000"}, {0.999999, "1.00000"}, {10.0, "10.00000"}, {-100.125, "-100.12500"},
        {0.00001, "0.00001"},  {0.000004, "0.000000"}, {-0.00012, "-0.00012"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CXString::toString(c.value).c_str(), c.text) << c.value;
}

TEST(CXString, LongDoubleForm)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {2.0, "2."},
        {0.5, "0.5"},
        {0.1, "0.1"},
        {100.0, "100."},
        {-2.5, "-2.5"},
        {0.0, "0."},
        {3.14159265358979, "3.14159265"},
        {123456789.0, "123456789."},
        {1e9, "1.e+009"},
        {0.05, "5.e-002"},
        {-1.5e-10, "-1.5e-010"},
        {999999999.7, "1000000000."},
        {0.09999999996, "1.e-001"},
        {-0.100000000004, "-0.1"},
        {1e300, "1.e+300"},
    };
    for (const Case& c : cases) {
        CXString text;
        text = c.value;
        EXPECT_STREQ(text.c_str(), c.text) << c.value;
    }
    CXString integer;
    integer = -123;
    EXPECT_STREQ(integer.c_str(), "-123");
    EXPECT_STREQ(CXString::toString(0).c_str(), "0");
}

TEST(CXString, PointRectAndVectorReadings)
{
    CXRect rect = CXString("1,2 3|4").toRect();
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
    CXPoint point = CXString("7").toPoint();
    EXPECT_EQ(point.x, 7);
    EXPECT_EQ(point.y, 0);
    CXPoint negative = CXString("-3, -4").toPoint();
    EXPECT_EQ(negative.x, -3);
    EXPECT_EQ(negative.y, -4);

    CXArray* tokens = CXString(",a,,b ,\r\n").toVector();
    ASSERT_EQ(tokens->getCount(), 2);
    EXPECT_STREQ(static_cast<CXString*>(tokens->at(0))->c_str(), "a");
    EXPECT_STREQ(static_cast<CXString*>(tokens->at(1))->c_str(), "b");
    CXString::releaseToVector(tokens);
    CXString::releaseToVector(nullptr);

    CXArray* custom = CXString("x;y;;z").toVector(CXString(";"));
    EXPECT_EQ(custom->getCount(), 3);
    CXString::releaseToVector(custom);
}

TEST(CXString, FormatIsBoundedAt255Characters)
{
    CXString text;
    text.Format("%s=%d", CXString("x"), 5);
    EXPECT_STREQ(text.c_str(), "x=5");
    text.Format("%d,%d", 3, -4);
    EXPECT_STREQ(text.c_str(), "3,-4");
    text.Format("%s:%d:%s", CXString("a"), 1, CXString("b"));
    EXPECT_STREQ(text.c_str(), "a:1:b");

    CXString huge(std::string(1000, 'h').c_str());
    text.Format("[%s]", huge);
    EXPECT_EQ(text.GetLength(), 255);
    EXPECT_EQ(text.GetAt(0), '[');
    EXPECT_EQ(text.GetAt(254), 'h');
}

TEST(CXString, ConcatenationAndComparisonOperators)
{
    CXString a("ab");
    EXPECT_STREQ((a + "cd").c_str(), "abcd");
    EXPECT_STREQ(("x" + a).c_str(), "xab");
    EXPECT_STREQ((a + a).c_str(), "abab");
    EXPECT_TRUE(a == "ab");
    EXPECT_TRUE("ab" == a);
    EXPECT_TRUE(a != CXString("AB"));
    EXPECT_FALSE(a != "ab");
}
