#include "script_graphics/CMC_Pattern.h"

#include "graphics/CImage.h"
#include "graphics/CPattern.h"
#include "script/CMC_Array.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"
#include "tests/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A pattern P of 40 × 30 pixels in cells of 10 × 10, two layers, at (100, 50) on the screen at
// priority 4, and square pictures to place: L (5 × 5, word 0x1111, opaque), T (5 × 5, alpha
// 128), O (5 × 5, word 0x2222, opaque); and the ANIMO HERO ("hero.ann").
class PatternScene : public PictureScene {
protected:
    PatternScene()
    {
        for (auto [name, word, alpha] : {std::tuple{"l.img", 0x1111, 255}, {"t.img", 0x3333, 128}, {"o.img", 0x2222, 255}})
            makeRaster(5, 5, 16, std::vector<uint16_t>(25, static_cast<uint16_t>(word)),
                       std::vector<uint8_t>(25, static_cast<uint8_t>(alpha)))
                ->Save(CXString(headless.folder().file(name).c_str()), COMPRESSION_NONE);
        define("OBJECT=P\nP:TYPE=PATTERN\nP:TOCANVAS=TRUE\nP:VISIBLE=TRUE\nP:LAYERS=2\nP:PRIORITY=4\nP:WIDTH=40\n"
               "P:HEIGHT=30\nP:GRIDX=10\nP:GRIDY=10\n"
               "OBJECT=L\nL:TYPE=IMAGE\nL:FILENAME=l.img\nL:VISIBLE=TRUE\n"
               "OBJECT=T\nT:TYPE=IMAGE\nT:FILENAME=t.img\nT:VISIBLE=TRUE\n"
               "OBJECT=O\nO:TYPE=IMAGE\nO:FILENAME=o.img\nO:VISIBLE=TRUE\n"
               "OBJECT=ARR\nARR:TYPE=ARRAY\nOBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\n");
        run("P^SETPOSITION(100,50);");
    }

    // The ARRAY's values as text, then emptied.
    std::string takeArray()
    {
        auto* values = object<CMC_Array>("ARR");
        std::string text;
        for (int i = 0; i < values->getSize(); ++i)
            text += std::string(i > 0 ? "," : "") + values->get(i)->toString().c_str();
        run("ARR^REMOVEALL();");
        return text;
    }
};

} // namespace

// A low and a high entry in cell (2, 1): the object queries see the topmost, the alias and info
// queries the lowest.
TEST_F(PatternScene, PointAndCellQueriesAnswerByLayer)
{
    run("P^ADD(\"low\",2,1,\"L\",0);P^ADD(\"top\",2,1,\"T\",0,1);P^ADD(\"far\",9,9,\"L\",0);P^ADD(\"none\",0,0,\"NOSUCH\",0);"
        "P^ADD(\"frame\",3,2,\"HERO!door\",0);");
    const struct {
        const char* call;
        const char* answer;
    } rows[] = {
        {"P^GETGRAPHICSAT(121,61,FALSE,FALSE)", "T"},
        {"P^GETGRAPHICSAT(121,61,FALSE,FALSE,-1,128)", "L"},
        {"P^GETGRAPHICSAT(121,61,FALSE,FALSE,0)", "L"},
        {"P^GETGRAPHICSAT(121,61,FALSE,FALSE,5)", "NULL"},
        {"P^GETGRAPHICSAT(125,61,FALSE,TRUE)", "NULL"},
        {"P^GETGRAPHICSAT(101,51,FALSE,TRUE)", "NULL"},
        {"P^GETGRAPHICSAT(131,71,FALSE,TRUE)", "UNKNOWN"},
        {"P^GETGRAPHICSAT(121,61)", "NULL"},
        {"P^GETALIASAT(121,61,FALSE,FALSE)", "low"},
        {"P^GETALIASAT(99,61,FALSE,FALSE)", "NULL"},
        {"P^GETALIASATCELL(2,1)", "low"},
        {"P^GETALIASATCELL(2,1,1)", "top"},
        {"P^GETALIASATCELL(9,9)", "NULL"},
        {"P^GETALIASATCELL(0,0)", "NULL"},
        // Both edges of the pattern count as inside.
        {"P^GETCELLCORD(140,50,\"ARR\")", "TRUE"},
        {"P^GETCELLCORD(97,50,\"ARR\")", "FALSE"},
        {"P^GETCELLCORD(140,81,\"ARR\")", "FALSE"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ask(row.call), row.answer) << row.call;
    EXPECT_EQ(takeArray(), "4,0,0,0,4,3");

    // The seven values of an entry: alias, cell, size and the middle of the object at its cell.
    run("P^GETINFOAT(121,61,FALSE,FALSE,\"ARR\");P^GETALIASINFO(\"top\",\"ARR\");P^GETINFOAT(99,61,FALSE,FALSE,\"ARR\");");
    EXPECT_EQ(takeArray(), "low,2,1,5,5,122,62,top,2,1,5,5,122,62");
    // A hit test leaves the placed picture where it was.
    EXPECT_EQ(object<CMC_Image>("L")->getImage()->GetPosition(), CXPoint(0, 0));
}

TEST_F(PatternScene, RemoveTakesACellByNumbersAndAnAliasByText)
{
    run("P^ADD(\"A\",0,0,\"L\",0);P^ADD(\"A\",1,0,\"L\",0);P^ADD(\"12\",1,2,\"O\",0);P^ADD(\"B\",1,2,\"T\",0,1);"
        "P^ADD(\"C\",2,2,\"O\",0);");
    // Adding to an occupied cell replaces the entry.
    run("P^ADD(\"D\",2,2,\"T\",0);");
    EXPECT_EQ(ask("P^GETALIASATCELL(2,2)"), "D");
    run("P^REMOVE(\"A\");P^REMOVE(\"12\");P^REMOVE(1,2,1);P^REMOVE(2);P^REMOVE(7,7);");
    for (const char* cell : {"0,0", "1,0", "1,2", "1,2,1"})
        EXPECT_EQ(ask("P^GETALIASATCELL(" + std::string(cell) + ")"), "NULL") << cell;
    EXPECT_EQ(ask("P^GETALIASATCELL(2,2)"), "D");
    run("P^REMOVE(2,2);");
    EXPECT_EQ(ask("P^GETALIASATCELL(2,2)"), "NULL");
    EXPECT_NE(object<CMC_Image>("L"), nullptr);
}

// Layer 1 shows over layer 0; a smaller grid draws the cells closer; the grid keeps its cells.
TEST_F(PatternScene, HigherLayersAreShownOverLowerOnes)
{
    run("P^ADD(\"low\",1,1,\"L\",0);P^ADD(\"high\",1,1,\"O\",0,1);P^ADD(\"under\",2,1,\"L\",0);");
    // The first frame makes the scene's first update; the second draws the screen.
    frame();
    frame();
    EXPECT_EQ(headless.pixel(110, 60), 0x2222);
    EXPECT_EQ(headless.pixel(124, 64), 0x1111);
    run("P^SETGRID(0,5);P^SETGRID(5,5);P^MOVE(1,1);");
    frame();
    EXPECT_EQ(headless.pixel(106, 56), 0x2222);
    EXPECT_EQ(headless.pixel(111, 56), 0x1111);
    EXPECT_EQ(ask("P^GETCELLCORD(111,56,\"ARR\")"), "TRUE");
    EXPECT_EQ(takeArray(), "2,1");
    EXPECT_EQ(object<CMC_Pattern>("P")->getPattern()->getColumns(), 4);
}

// The grid is empty before the pattern's "ONDONE" runs, and after its record is read.
TEST_F(PatternScene, TheGridEmptiesBeforeOnDoneAndARecordBringsItBackEmpty)
{
    define("OBJECT=SEEN\nSEEN:TYPE=STRING\n"
           "OBJECT=LOOK\nLOOK:TYPE=BEHAVIOUR\nLOOK:CODE={SEEN^SET(P^GETALIASATCELL(0,0));}\n");
    run("P^ADDBEHAVIOUR(\"ONDONE\",\"LOOK\");P^ADD(\"A\",0,0,\"L\",0);");
    using namespace RecordBytes;
    const std::string bytes = text("P") + i32(1) + text("ONDONE") + text("LOOK") + i32(0) + flag(true) + i32(4) + i32(40)
                              + i32(30) + i32(10) + i32(10) + i32(2);
    EXPECT_EQ(record(object<CMC_Pattern>("P")), bytes);
    EXPECT_TRUE(object<CMC_Pattern>("P")->doneFirst());
    object<CMC_Pattern>("P")->done(true);
    EXPECT_EQ(object<CMC_String>("SEEN")->getValue(), "NULL");

    auto* read = readRecord<CMC_Pattern>(objectRecord("Q") + flag(false) + i32(-1) + i32(20) + i32(20) + i32(5) + i32(5)
                                         + i32(0));
    CPattern* grid = read->getPattern();
    EXPECT_EQ(grid->getColumns(), 4);
    EXPECT_EQ(grid->getLayers(), 1);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(screen()->GetPriority(grid), -1);
}

// Defaults: a pattern off the screen is never drawn but answers; GRIDX 0 is one pixel; LAYERS
// of 0 is one. A click on a transparent part of its rectangle is still a click on it.
TEST_F(PatternScene, DefaultsAndTheButtonOfTheWholeRectangle)
{
    loggers({"CLICKED"});
    define("OBJECT=Q\nQ:TYPE=PATTERN\nQ:WIDTH=8\nQ:HEIGHT=4\nQ:GRIDY=2\nQ:LAYERS=0\n"
           "OBJECT=BUTTON\nBUTTON:TYPE=PATTERN\nBUTTON:TOCANVAS=TRUE\nBUTTON:VISIBLE=TRUE\nBUTTON:WIDTH=50\nBUTTON:HEIGHT=50\n"
           "BUTTON:GRIDX=10\nBUTTON:GRIDY=10\nBUTTON:ONCLICK=CLICKED\n");
    CPattern* grid = object<CMC_Pattern>("Q")->getPattern();
    EXPECT_EQ(screen()->GetPriority(grid), -1);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(grid->getColumns(), 8);
    EXPECT_EQ(grid->getRows(), 2);
    EXPECT_EQ(grid->getLayers(), 1);
    run("Q^ADD(\"A\",7,1,\"L\",0);");
    EXPECT_EQ(ask("Q^GETGRAPHICSAT(7,2,FALSE,TRUE)"), "L");
    run("BUTTON^SETPOSITION(300,300);");
    press(340, 340);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"CLICKED"});
    EXPECT_EQ(ask("BUTTON^CLONE()"), "");
    EXPECT_EQ(scene->getObject("BUTTON_1"), nullptr);
}
