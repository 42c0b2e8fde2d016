#include "text/CFontCollection.h"
#include "text/CMC_Font.h"
#include "text/CMC_Text.h"
#include "text/CMultilineText6.h"
#include "text/TextScriptTypes.h"

#include "FntFixtures.h"
#include "RecordBytes.h"
#include "tests/script_graphics/PictureScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A letter whose ink fills the top four rows of an 8-row cell as the pattern says.
FntLetter letter(char code, const std::string& ink)
{
    std::vector<std::string> rows(4, ink);
    rows.resize(8, "....");
    return {code, rows};
}

// FONT1 of family F, size 10: STANDARD ('a' 2 columns, 'b' and the blank 1) and BOLD ('a' 3,
// 'b' 2); FONT2 with a STANDARD 'a' of 4 columns. The TEXT T shows, from (10, 20), "a" and a
// bold "ab", then "b" in colour 31, and below it "ab".
class TextScene : public PictureScene {
protected:
    static constexpr const char* kDefinitions =
        "OBJECT=FONT1\nFONT1:TYPE=FONT\nFONT1:DEF_F_STANDARD_10=std.fnt\nFONT1:FILENAME=wide.fnt\n"
        "FONT1:DEF_F_BOLD_10=bold.fnt\n"
        "OBJECT=FONT2\nFONT2:TYPE=FONT\nFONT2:DEF_F_STANDARD_10=wide.fnt\n"
        "OBJECT=T\nT:TYPE=TEXT\nT:FONT=FONT1\nT:TEXT=a<B>ab<B><COLOR31>b|ab\nT:RECT=10,20,200,100\n"
        "T:HJUSTIFY=LEFT\nT:VJUSTIFY=TOP\nT:TOCANVAS=TRUE\nT:VISIBLE=TRUE\nT:PRIORITY=5\n";

    TextScene()
    {
        attachTextScriptTypes();
        CMC_RunnerFactory::initialize();
        headless.folder().write("std.fnt", FntMaker({letter('a', "##.."), letter('b', "#..."), letter('l', "#...")}).bytes());
        headless.folder().write("bold.fnt", FntMaker({letter('a', "###."), letter('b', "##.."), letter('l', "#...")}).bytes());
        headless.folder().write("wide.fnt", FntMaker({letter('a', "####"), letter('b', "#..."), letter('l', "#...")}).bytes());
    }

    // The screen from (8, 18), 20 by 12 pixels: 'W' white, 'B' colour 31, 'G' the colour of the
    // font files, '.' the background.
    std::vector<std::string> shown()
    {
        const uint16_t background = headless.pixel(400, 400);
        std::vector<std::string> rows;
        for (int y = 18; y < 30; ++y) {
            std::string row;
            for (int x = 8; x < 28; ++x) {
                const uint16_t word = headless.pixel(x, y);
                row += word == 0xFFFF ? 'W' : word == 0x001F ? 'B' : word == 0x07E0 ? 'G' : word == background ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

    CMultilineText6* textOf(const char* name) { return object<CMC_Text>(name)->getText(); }
};

} // namespace

TEST_F(TextScene, FontsComeFromTheirDefinitionsTheFirstAsTheBase)
{
    define(std::string(kDefinitions) + "OBJECT=ODD\nODD:TYPE=FONT\nODD:DEF_ONLY=std.fnt\n");
    auto* font = object<CMC_Font>("FONT1");
    ASSERT_EQ(font->getFontsList().size(), 2u);
    CSimpleFont6* bold = font->getFontsList()[1].get();
    EXPECT_EQ(bold->getFamily(), "F");
    EXPECT_EQ(bold->getStyle(), "BOLD");
    EXPECT_EQ(bold->getSize(), 10);
    EXPECT_EQ(bold->getLetterWidth(0, 'a'), 3);
    EXPECT_EQ(font->getFont()->getBaseFont(), font->getFontsList()[0].get());
    const CSimpleFont6* odd = object<CMC_Font>("ODD")->getFontsList()[0].get();
    EXPECT_EQ(odd->getFamily(), "ONLY");
    EXPECT_EQ(odd->getStyle(), "");
    EXPECT_EQ(odd->getSize(), 0);

    // SETCOLOR gives default colours only; SETSTYLE and SETFAMILY change each other's field.
    run("FONT1^SETCOLOR(255,255,255);FONT1^SETSTYLE(\"BOLD\");FONT1^SETFAMILY(\"X\");FONT1^SETSIZE(12);");
    EXPECT_EQ(font->getFont()->getDefColor(), -1);
    EXPECT_EQ(bold->getDefColor(), -1);
    EXPECT_EQ(font->getFont()->getFamily(), "BOLD");
    EXPECT_EQ(font->getFont()->getStyle(), "X");
    EXPECT_EQ(font->getFont()->getSize(), 12);
    EXPECT_EQ(bold->getStyle(), "BOLD");
}

TEST_F(TextScene, TheTextIsDrawnLetterByLetterInItsStylesAndColours)
{
    define(kDefinitions);
    frame();
    frame();
    // A colour stays with the font it was given to: the bold letters keep their file's colour.
    const std::vector<std::string> expected = {
        "....................", "....................", "..WW..GGG..GG..B....", "..WW..GGG..GG..B....",
        "..WW..GGG..GG..B....", "..WW..GGG..GG..B....", "..WW..W.............", "..WW..W.............",
        "..WW..W.............", "..WW..W.............", "....................", "....................",
    };
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(ask("T^GETWIDTH()"), "16");
    EXPECT_EQ(ask("T^GETHEIGHT()"), "12");
    EXPECT_EQ(ask("T^GETPOSITIONX()"), "10");
    EXPECT_EQ(ask("T^GETPOSITIONY()"), "20");
}

// Each change shows at the next frame; what the text left is drawn over.
TEST_F(TextScene, MethodsChangeTheNextFrame)
{
    define(kDefinitions);
    frame();
    frame();
    struct Step {
        const char* code;
        std::vector<std::pair<int, int>> coloured;
        std::vector<std::pair<int, int>> clear;
        uint16_t colour;
    };
    const Step steps[] = {
        {"T^SETTEXT(\"ab\");", {{10, 20}, {14, 20}}, {{19, 20}, {10, 24}, {23, 20}}, 0xFFFF},
        {"T^SETCOLOR(0,0,255);", {{10, 20}, {14, 23}}, {}, 0x001F},
        {"T^MOVE(5,3);", {{15, 23}, {19, 23}}, {{10, 20}, {14, 20}}, 0x001F},
        {"T^SETCLIPPING(0,0,3,2);", {{15, 23}, {16, 24}}, {{19, 23}, {15, 25}}, 0x001F},
        {"T^CLEARCLIPPING();", {{19, 23}, {15, 25}}, {}, 0x001F},
        {"T^SETFONT(\"FONT2\");", {{18, 23}, {21, 23}}, {{19, 24}, {20, 23}}, 0x001F},
        {"T^SETFONT(\"NOSUCH\");T^SETFONT(\"T\");", {{18, 23}}, {}, 0x001F},
        {"T^HIDE();", {}, {{15, 23}, {18, 23}}, 0},
    };
    const uint16_t background = headless.pixel(400, 400);
    for (const Step& step : steps) {
        run(step.code);
        frame();
        for (auto [x, y] : step.coloured)
            EXPECT_EQ(headless.pixel(x, y), step.colour) << step.code << " " << x << "," << y;
        for (auto [x, y] : step.clear)
            EXPECT_EQ(headless.pixel(x, y), background) << step.code << " " << x << "," << y;
    }
}

TEST_F(TextScene, MethodsReadTheirArgumentsInEachForm)
{
    define(std::string(kDefinitions) + "OBJECT=AREA\nAREA:TYPE=IMAGE\nAREA:FILENAME=stone.img\n"
           + "OBJECT=LOOSE\nLOOSE:TYPE=TEXT\nLOOSE:FONT=NOSUCH\nLOOSE:TEXT=kept\nLOOSE:HJUSTIFY=left\n"
           + "OBJECT=N\nN:TYPE=INTEGER\n");
    struct Row {
        const char* code;
        const char* call;
        const char* answer;
    };
    const Row rows[] = {
        // Letters the font lacks are 2 pixels wide: "3.14".
        {"T^SETTEXTDOUBLE(\"3.14159\",2);", "T^GETWIDTH()", "8"},
        {"T^SETJUSTIFY(0,0,100,50,\"RIGHT\",\"BOTTOM\");", "T^GETPOSITIONX()", "92"},
        {"", "T^GETPOSITIONY()", "42"},
        // A name gives the box of its picture; "center" is no word, and so CENTER.
        {"T^SETJUSTIFY(\"AREA\",\"LEFT\",\"center\");", "T^GETPOSITIONY()", "1"},
        {"T^SETRECT(100,0,200,10);", "T^GETPOSITIONX()", "100"},
        {"T^SETRECT(0,0);T^SETRECT(0,0,5);", "T^GETPOSITIONX()", "100"},
        {"T^SETRECT(\"AREA\");", "T^GETPOSITIONX()", "0"},
        {"T^SETPOSITION(7,8);", "T^GETPOSITIONY()", "8"},
        {"", "T^ISNEAR(0,0,1000,1000,0)", "TRUE"},
        {"", "T^ISNEAR(\"NOSUCH\",0)", "FALSE"},
        {"", "T^GETNAME()", "T"},
        {"T^CLONE(1);", "T^GETCLONESNO()", "0"},
        // No FONT behind the name: no font, the text kept; "left" is no word either.
        {"", "LOOSE^GETWIDTH()", "0"},
        {"LOOSE^SETTEXT(\"other\");", "LOOSE^GETPOSITIONX()", "0"},
        // A new text is placed in the area again.
        {"T^SETTEXT(\"x\");T^SETOPACITY(-1);", "T^GETWIDTH()", "2"},
        {"T^SETJUSTIFY(1,2);", "T^GETPOSITIONY()", "1"},
    };
    for (const Row& row : rows) {
        run(row.code);
        EXPECT_EQ(ask(row.call), row.answer) << row.code << " " << row.call;
    }
    EXPECT_EQ(textOf("LOOSE")->getText(), "other");
    EXPECT_EQ(scene->getObject("T_1"), nullptr);
    EXPECT_EQ(textOf("T")->GetOpacity(), 255);

    // SETTEXTDOUBLE cuts within the text; a negative count or no point keeps it whole.
    const std::pair<const char*, const char*> doubles[] = {
        {"T^SETTEXTDOUBLE(\"3.14159\",0);", "3."}, {"T^SETTEXTDOUBLE(\"3.14159\",-1);", "3.14159"},
        {"T^SETTEXTDOUBLE(\"3.14159\",100);", "3.14159"}, {"T^SETTEXTDOUBLE(\"314\",1);", "314"},
        {"N^SET(12);T^SETTEXTDOUBLE(N,1);", "12"},
    };
    for (const auto& [code, shownText] : doubles) {
        run(code);
        EXPECT_EQ(textOf("T")->getText(), shownText) << code;
    }
    EXPECT_EQ(CMC_Text::resolveJustify("BOTTOM"), JUSTIFY_BOTTOM);
    EXPECT_EQ(CMC_Text::resolveJustify(""), JUSTIFY_CENTER);
}

// A FONT's record holds each font's family, style and size, with the fonts' file names as the
// note "{FILENAMES}", a TEXT's its definition's words, priority and font with what it shows
// now. A FONT's record written before the names were kept gives fonts without letters.
TEST_F(TextScene, RecordsComeBackAsTheyWereStored)
{
    define(kDefinitions);
    run("T^SETTEXT(\"b<B>a\");T^SETPRIORITY(9);T^HIDE();");
    const std::string textRecord = record(object<CMC_Text>("T"));
    const std::string ownFields = text("TOP") + text("LEFT") + text("10,20,200,100") + i32(5) + text("FONT1")
                                  + std::string{1, 0} + text("b<B>a");
    ASSERT_GE(textRecord.size(), ownFields.size());
    EXPECT_EQ(textRecord.substr(textRecord.size() - ownFields.size()), ownFields);
    const std::string fontRecord = record(object<CMC_Font>("FONT2"));
    EXPECT_EQ(fontRecord, text("FONT2") + i32(1) + text("{FILENAMES}") + text("wide.fnt") + i32(1) + text("")
                              + i32(1) + text("F") + text("STANDARD") + i32(10));

    auto* textCopy = readRecord<CMC_Text>(textRecord);
    EXPECT_EQ(record(textCopy), textRecord);
    EXPECT_EQ(screen()->GetPriority(textCopy->getText()), 5);
    EXPECT_FALSE(textCopy->getText()->isVisible());
    EXPECT_EQ(textCopy->getText()->Width(), 3 + 5);
    auto* fontCopy = readRecord<CMC_Font>(fontRecord);
    EXPECT_EQ(record(fontCopy), fontRecord);
    ASSERT_EQ(fontCopy->getFontsList().size(), 1u);
    EXPECT_EQ(fontCopy->getFontsList()[0]->getLetterCount(),
              object<CMC_Font>("FONT2")->getFontsList()[0]->getLetterCount());
    EXPECT_GT(fontCopy->getFontsList()[0]->getLetterCount(), 0);

    const std::string twoFonts = record(object<CMC_Font>("FONT1"));
    EXPECT_NE(twoFonts.find(text("std.fnt|bold.fnt")), std::string::npos);
    auto* twoCopy = readRecord<CMC_Font>(twoFonts);
    ASSERT_EQ(twoCopy->getFontsList().size(), 2u);
    EXPECT_EQ(twoCopy->getFontsList()[1]->getLetterCount(), 3);
    EXPECT_EQ(twoCopy->getFontsList()[1]->getStyle(), "BOLD");

    auto* olderCopy = readRecord<CMC_Font>(text("OLD") + i32(0) + i32(1) + text("F") + text("STANDARD") + i32(10));
    ASSERT_EQ(olderCopy->getFontsList().size(), 1u);
    EXPECT_EQ(olderCopy->getFontsList()[0]->getLetterCount(), 0);
}

// A scene that holds fonts is stored whole.
TEST_F(TextScene, AStoredSceneWithFontsIsWhole)
{
    define(kDefinitions + std::string("OBJECT=NONE\nNONE:TYPE=FONT\n"));
    CFile file(nullptr, "scene.bin", CFile::MODE_BINARY);
    CXArchive archive(&file, true);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(scene->writeCompiled(&archive));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
