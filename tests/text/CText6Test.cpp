#include "text/CText6.h"

#include "text/CTextFormatCode.h"

#include "FntFixtures.h"
#include "TextFonts.h"
#include "tests/graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string described(const CTextFormatCode& code)
{
    switch (code.getMode()) {
    case CTextFormatCode::MODE_FONT:
        return std::string("F:") + code.getText().c_str() + ":" + code.getFont()->getStyle().c_str();
    case CTextFormatCode::MODE_TEXT:
        return std::string("T:") + code.getText().c_str();
    case CTextFormatCode::MODE_COLOR:
        return "C:" + std::to_string(code.getColor());
    case CTextFormatCode::MODE_LINEBREAK:
        return "L";
    case CTextFormatCode::MODE_EDITBOX:
        return "E:" + std::to_string(code.getWidth()) + ":" + code.getName().c_str() + ":" + code.getText().c_str();
    default:
        return "TAB";
    }
}

std::vector<std::string> described(const std::vector<CTextFormatCode>& codes)
{
    std::vector<std::string> lines;
    for (const CTextFormatCode& code : codes)
        lines.push_back(described(code));
    return lines;
}

// STANDARD, BOLD and ITALIC of family F: no underline and no strikes.
TextFonts styles()
{
    return TextFonts({evenLetters("###..", 3), evenLetters("#.#..", 3), evenLetters(".##..", 3)});
}

// 'a' 3 wide, 'b' 2 wide and kerned 1 after 'a'; drawn in colour 0x07E0.
FntMaker kernedLetters()
{
    return FntMaker({{'a', {".##..", "#.#..", ".##.."}}, {'b', {"..#..", "..##.", "..#.."}}, {'l', {".#...", ".#...", ".#..."}}},
                    {0, 1, 0, 0, 0, 0, 0, 0, 0});
}

} // namespace

TEST(TextFormatCode, EditBoxAndColourTextsAreParsed)
{
    struct Case {
        int bpp;
        int mode;
        const char* text;
        std::string code;
    };
    const Case cases[] = {
        {16, CTextFormatCode::MODE_EDITBOX, "E,", "E:0::"},
        {16, CTextFormatCode::MODE_EDITBOX, "E,50", "E:50::"},
        {16, CTextFormatCode::MODE_EDITBOX, "E,7px,name,first", "E:7:name:first"},
        // Empty fields are skipped: the later ones move forward.
        {16, CTextFormatCode::MODE_EDITBOX, "E,,5,n,t,more", "E:5:n:t"},
        {16, CTextFormatCode::MODE_COLOR, "", "C:0"},
        {16, CTextFormatCode::MODE_COLOR, "-5", "C:-5"},
        {16, CTextFormatCode::MODE_COLOR, "12abc", "C:12"},
        {16, CTextFormatCode::MODE_COLOR, ",,,", "C:0"},
        {15, CTextFormatCode::MODE_COLOR, "0,0,255", "C:31"},
        {16, CTextFormatCode::MODE_COLOR, "0,0,255", "C:31"},
        {16, CTextFormatCode::MODE_COLOR, "255,255", "C:-32"},
        {16, CTextFormatCode::MODE_COLOR, "255,255,255", "C:-1"},
        {15, CTextFormatCode::MODE_COLOR, "255,255,255", "C:32767"},
        {16, CTextFormatCode::MODE_COLOR, "255,0,0", "C:-2048"},
        {16, CTextFormatCode::MODE_LINEBREAK, "kept?", "L"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(described(CTextFormatCode(c.bpp, c.mode, c.text)), c.code) << c.text;
    EXPECT_EQ(CTextFormatCode(16, CTextFormatCode::MODE_TAB, "x").getText(), "");
}

TEST(Text, MarkupIsScannedIntoCodes)
{
    struct Case {
        const char* markup;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {"a<b", {"T:a<b"}},
        {"x<y>z", {"T:x<y>z"}},
        // A second '<' ends the run and is dropped; the tag after it is no tag.
        {"a<b<I>c", {"T:a<b", "T:I>c"}},
        {"<i>x<I>y", {"F:<i>:ITALIC", "T:x", "F:<I>:STANDARD", "T:y"}},
        {"<B>1<I>2<I>3<B>4",
         {"F:<B>:BOLD", "T:1", "F:<I>:ITALIC", "T:2", "F:<I>:STANDARD", "T:3", "F:<B>:BOLD", "T:4"}},
        {"<color>a<e,5>", {"T:<color>a<e,5>"}},
        {"x<COLOR>a<COLOR255,0,0>b", {"T:x", "C:0", "T:a", "C:-2048", "T:b"}},
        {"a|b\rc\nd", {"T:a", "L", "T:b", "L", "T:cd"}},
        {"a\tb", {"T:a        b"}},
        {"<E,100,name,text>z", {"E:100:name:text", "T:z"}},
        // A style the collection lacks makes no code; the next tag starts from the same font.
        {"<U>x<B>y", {"T:x", "F:<B>:BOLD", "T:y"}},
        {"a<LS>b", {"T:a", "T:b"}},
    };
    TextFonts fonts = styles();
    CText6 text(nullptr, nullptr);
    text.setFont(&fonts.collection);
    text.setColor(0);
    for (const Case& c : cases) {
        text.setText(c.markup);
        EXPECT_EQ(described(text.getCodes()), c.codes) << c.markup;
    }
}

TEST(Text, ColourTagsWrapTheTextUnlessTheColourIsNone)
{
    struct Case {
        const char* text;
        int colour;
        const char* wrapped;
    };
    const Case cases[] = {
        {"abc", 0, "abc"},
        {"abc", 65535, "<COLOR65535>abc<COLOR>"},
        {"abc", -2048, "<COLOR-2048>abc<COLOR>"},
        {"<COLOR5>a<COLOR7>b", 9, "<COLOR9>ab<COLOR>"},
        {"x<COLOR5>a", 9, "<COLOR9>x<COLOR5>a<COLOR>"},
        {"<COLOR5>a", 0, "a"},
        {"<COLORa", 0, "<COLORa"},
    };
    CText6 text(nullptr, nullptr);
    for (const Case& c : cases)
        EXPECT_EQ(text.getColoruredText(c.text, c.colour), c.wrapped) << c.text;

    TextFonts fonts = styles();
    text.setFont(&fonts.collection);
    text.setText("a\tb");
    EXPECT_EQ(text.getText(), "<COLOR65535>a        b<COLOR>");
    // A new colour replaces the tags; the same colour changes nothing at all.
    text.isInvalidated();
    text.setColor(65535);
    EXPECT_FALSE(text.isInvalidated());
    text.setColor(31);
    EXPECT_EQ(text.getText(), "<COLOR31>a        b<COLOR>");
    EXPECT_EQ(described(text.getCodes()).front(), "C:31");
}

TEST(Text, WidthIsEveryLettersWidthAndGap)
{
    auto font = kernedLetters().font();
    EXPECT_EQ(CText6::getLength(font.get(), ""), 0);
    EXPECT_EQ(CText6::getLength(font.get(), "a"), 5);
    EXPECT_EQ(CText6::getLength(font.get(), "ab"), 8);
    EXPECT_EQ(CText6::getLength(font.get(), "a b"), 5 + 3 + 4);
    // With codes, kerning starts again in each run.
    TextFonts fonts({kernedLetters(), kernedLetters()});
    CText6 text(nullptr, nullptr);
    text.setFont(&fonts.collection);
    text.setText("a<B>b");
    EXPECT_EQ(text.getLength(), 5 + 4);
    EXPECT_EQ(text.Width(), 9);
    EXPECT_EQ(text.Height(), 3);
}

TEST(Text, JustificationPlacesTheTextInItsRectangle)
{
    struct Case {
        CXRect rect;
        int width;
        _justify horizontal;
        _justify vertical;
        CXPoint at;
    };
    const Case cases[] = {
        {CXRect(10, 20, 110, 60), 31, JUSTIFY_LEFT, JUSTIFY_TOP, CXPoint(10, 20)},
        {CXRect(10, 20, 110, 60), 31, JUSTIFY_RIGHT, JUSTIFY_BOTTOM, CXPoint(79, 50)},
        {CXRect(0, 0, 100, 30), 31, JUSTIFY_CENTER, JUSTIFY_CENTER, CXPoint(34, 10)},
        // (10 - 13) / 2 truncates toward zero.
        {CXRect(0, 0, 10, 7), 13, JUSTIFY_CENTER, JUSTIFY_CENTER, CXPoint(-1, -1)},
        // The other axis's words leave the coordinate as it was.
        {CXRect(0, 0, 100, 30), 31, JUSTIFY_TOP, JUSTIFY_RIGHT, CXPoint(5, 6)},
    };
    for (const Case& c : cases) {
        CText6 text(nullptr, nullptr);
        text.SetPosition(5, 6);
        text.setSize(CXSize(c.width, 10));
        text.setJustify(c.rect, c.horizontal, c.vertical);
        EXPECT_EQ(text.GetPosition(), c.at) << c.rect.right << " " << c.horizontal;
    }
    // Moving moves the rectangle when there is one, else the text.
    CText6 text(nullptr, nullptr);
    text.setSize(CXSize(31, 10));
    text.setJustify(CXRect(0, 0, 100, 0), JUSTIFY_CENTER, JUSTIFY_TOP);
    text.Move(3, 4);
    EXPECT_EQ(text.GetPosition(), CXPoint(37, 4));
    EXPECT_EQ(text.getJustifyRect(), CXRect(0, 0, 100, 0));
    text.setJustify(CXRect(0, 0, 100, 30), JUSTIFY_CENTER, JUSTIFY_TOP);
    text.Move(3, 4);
    EXPECT_EQ(text.GetPosition(), CXPoint(37, 4));
    EXPECT_EQ(text.getJustifyRect(), CXRect(3, 4, 103, 34));
}

// The letter cut by the clip draws within its cell's part inside (one pixel wider on the
// right); a letter outside is passed over.
TEST(Text, DrawsLetterByLetterWithinItsClip)
{
    TextFonts fonts({kernedLetters()});
    CText6 text(nullptr, nullptr);
    text.setFont(&fonts.collection);
    text.setColor(0);
    text.setText("ab");
    ASSERT_EQ(text.Width(), 8);
    struct Case {
        CXRect clip;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {CXRect(), {".##.#.....", "#.#.##....", ".##.#....."}},
        {CXRect(1, 0, 6, 3), {".##.#.....", "..#.##....", ".##.#....."}},
        {CXRect(1, 0, 5, 2), {".##.......", "..#.......", ".........."}},
    };
    for (const Case& c : cases) {
        CGraphicsObject canvas(nullptr, CXSize(10, 3), 16);
        std::memset(canvas.GetDataPtr(), 0, 10 * 3 * 2);
        text.SetDestiny(&canvas);
        text.SetClippingRect(c.clip);
        text.Redraw();
        EXPECT_EQ(inked(canvas), c.drawn) << c.clip.right;
        EXPECT_EQ(fonts.font(0)->GetClippingRect(), CXRect());
    }
}

// Colour tags would be drawn as letters in a single font: the font takes the colour instead.
TEST(Text, ASingleFontTextTakesItsColourWhenDrawn)
{
    auto font = kernedLetters().font();
    CText6 text(nullptr, nullptr);
    text.setFont(font.get());
    text.setText("ab");
    EXPECT_EQ(text.getText(), "ab");
    text.setColor(0x001F);
    CGraphicsObject canvas(nullptr, CXSize(10, 3), 16);
    std::memset(canvas.GetDataPtr(), 0, 10 * 3 * 2);
    text.SetDestiny(&canvas);
    text.Redraw();
    EXPECT_EQ(wordsOf(canvas)[1], 0x001F);
    EXPECT_EQ(inked(canvas)[1], "#.#.##....");
    // Within its clip, as a text of a collection.
    std::memset(canvas.GetDataPtr(), 0, 10 * 3 * 2);
    text.SetClippingRect(CXRect(1, 0, 3, 3));
    text.Redraw();
    EXPECT_EQ(inked(canvas), (std::vector<std::string>{".##.......", "..#.......", ".##......."}));
}

// A new font measures and parses the text at once, and a collection without a base font is
// no font at all.
TEST(Text, ANewFontSetsTheTextAgain)
{
    TextFonts narrow({kernedLetters(), kernedLetters()});
    TextFonts even = styles();
    CText6 text(nullptr, nullptr);
    text.setFont(&narrow.collection);
    text.setText("a<B>b");
    text.setFont(&even.collection);
    EXPECT_EQ(text.Width(), 10);
    EXPECT_EQ(described(text.getCodes())[2], "F:<B>:BOLD");
    EXPECT_EQ(text.getCodes()[2].getFont(), even.font(1));

    CFontCollection empty(nullptr);
    text.setFont(&empty);
    text.setText("ab");
    EXPECT_EQ(text.getText(), "ab");
    EXPECT_TRUE(text.getCodes().empty());
    EXPECT_EQ(text.getLength(), 0);
    CGraphicsObject canvas(nullptr, CXSize(10, 3), 16);
    std::memset(canvas.GetDataPtr(), 0, 10 * 3 * 2);
    text.SetDestiny(&canvas);
    text.Redraw();
    EXPECT_EQ(inked(canvas)[1], "..........");
}
