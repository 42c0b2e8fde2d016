#include "script_graphics/CMC_Canvas.h"

#include "graphics/CCanvas.h"
#include "graphics/CImage.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"
#include "tests/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace RecordBytes;

// A canvas C of 20 × 10 pixels with alpha and background at priority 3, and pictures: "tile.img"
// (4 × 4, word 0x1234, opaque), "rubber.img" (3 × 3, alpha 100).
class CanvasScene : public PictureScene {
protected:
    CanvasScene()
    {
        picture("tile.img", 4, 0x1234, 255);
        picture("rubber.img", 3, 0x0000, 100);
        define("OBJECT=C\nC:TYPE=CANVAS\nC:WIDTH=20\nC:HEIGHT=10\nC:ALPHA=TRUE\nC:BACKGROUND=TRUE\nC:PRIORITY=3\n"
               "OBJECT=T\nT:TYPE=IMAGE\nT:FILENAME=tile.img\nT:VISIBLE=TRUE\n"
               "OBJECT=R\nR:TYPE=IMAGE\nR:FILENAME=rubber.img\n");
    }

    // A square picture of one word and one alpha byte.
    void picture(const char* name, int side, uint16_t word, uint8_t alpha)
    {
        const size_t count = static_cast<size_t>(side) * side;
        makeRaster(side, side, 16, std::vector<uint16_t>(count, word), std::vector<uint8_t>(count, alpha))
            ->Save(CXString(headless.folder().file(name).c_str()), COMPRESSION_NONE);
    }

    CCanvas* canvas() { return object<CMC_Canvas>("C")->getCanvas(); }
    CGraphicsObject* background() { return canvas()->getBackground(); }
    uint16_t backgroundWord(int x, int y) { return wordsOf(*background())[static_cast<size_t>(y) * 20 + x]; }
    uint8_t backgroundAlpha(int x, int y) { return alphaOf(*background())[static_cast<size_t>(y) * 20 + x]; }
};

} // namespace

TEST_F(CanvasScene, AddDrawAndEraseComposeStampAndCutTheCanvas)
{
    EXPECT_EQ(screen()->GetPriority(canvas()), 3);
    run("C^ADD(\"T\",2);C^ADD(\"T\",9);C^ADD(\"NOSUCH\");C^ADD(\"C\");");
    CImage* tile = object<CMC_Image>("T")->getImage();
    EXPECT_TRUE(canvas()->holds(tile));
    EXPECT_EQ(tile->GetDestiny(), canvas());
    EXPECT_FALSE(canvas()->holds(canvas()));
    EXPECT_EQ(object<CMC_Canvas>("C")->getRemembered(), std::vector<CMC_Object*>{object<CMC_Image>("T")});

    // DRAW stamps the picture into the background; ERASE lowers its alpha by the eraser's.
    run("C^DRAW(\"T\",2,3);C^ERASE(\"R\",3,4);C^DRAW(\"NOSUCH\",0,0);");
    EXPECT_EQ(backgroundWord(2, 3), 0x1234);
    EXPECT_EQ(backgroundWord(5, 6), 0x1234);
    EXPECT_EQ(backgroundWord(6, 6), 0);
    EXPECT_EQ(backgroundAlpha(2, 3), 255);
    EXPECT_EQ(backgroundAlpha(3, 4), 155);
    EXPECT_EQ(backgroundAlpha(6, 6), 0);
    EXPECT_EQ(tile->GetDestiny(), canvas());

    // Leaving the canvas, a picture draws to the screen again.
    run("C^REMOVE(\"T\");");
    EXPECT_FALSE(canvas()->holds(tile));
    EXPECT_NE(tile->GetDestiny(), canvas());
}

// CAPTURE from the handler of a remembered IMAGE: the picture is baked in, the IMAGE finished,
// taken out of the scene and deleted once the frame is over, once however often it was
// remembered.
TEST_F(CanvasScene, CaptureFinishesTheRememberedObjectsOnceAndKeepsTheBackground)
{
    loggers({"GONE"});
    run("C^CLONE();");
    define("OBJECT=CAPTURING\nCAPTURING:TYPE=BEHAVIOUR\nCAPTURING:CODE={C^CAPTURE();C_1^CAPTURE(TRUE);}\n"
           "OBJECT=I\nI:TYPE=IMAGE\nI:FILENAME=tile.img\nI:VISIBLE=TRUE\nI:ONSIGNAL^x=CAPTURING\nI:ONDONE=GONE\n");
    run("I^SETPOSITION(1,1);C^ADD(\"I\");C^ADD(\"I\");C_1^ADD(\"I\");");
    EXPECT_EQ(object<CMC_Canvas>("C_1")->getRemembered().size(), 1U);
    run("I^SEND(\"x\");");
    EXPECT_EQ(scene->getObject("I"), nullptr);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"GONE"});
    EXPECT_TRUE(object<CMC_Canvas>("C")->getRemembered().empty());
    EXPECT_TRUE(object<CMC_Canvas>("C_1")->getRemembered().empty());
    EXPECT_EQ(backgroundWord(1, 1), 0x1234);
    EXPECT_EQ(backgroundAlpha(1, 1), 255);
    EXPECT_TRUE(canvas()->holds(background()));
    window()->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);

    // Without deleting, the remembered objects stay in the scene.
    run("C^ADD(\"T\");C^CAPTURE(FALSE);");
    EXPECT_NE(scene->getObject("T"), nullptr);
    EXPECT_FALSE(canvas()->holds(object<CMC_Image>("T")->getImage()));
}

TEST_F(CanvasScene, SaveWritesACopyCutAndScaledAsAsked)
{
    run("C^DRAW(\"T\",0,0);C^CLEAR();C^DRAW(\"T\",0,0);");
    canvas()->Redraw();
    const struct {
        const char* call;
        int width;
        int height;
        uint16_t corner;
    } rows[] = {
        {"C^SAVE(\"all.img\");", 20, 10, 0x1234},
        {"C^SAVE(\"cut.img\",1.0,1.0,2,0,12,4);", 10, 4, 0x1234},
        {"C^SAVE(\"half.img\",0.5,0.5,0,0,12,4);", 6, 2, 0x1234},
        // A rectangle without width or height saves the whole canvas; one reaching out of it
        // only its part inside.
        {"C^SAVE(\"flat.img\",1.0,1.0,4,0,4,10);", 20, 10, 0x1234},
        {"C^SAVE(\"edge.img\",1.0,1.0,16,6,40,40);", 4, 4, 0},
        {"C^SAVE(\"wide.img\",2.0);", 40, 10, 0x1234},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call);
        run(row.call);
        const std::string name = std::string(row.call).substr(8, std::string(row.call).find(".img") - 4);
        CImage saved(window(), CXString(headless.folder().file(name).c_str()));
        EXPECT_EQ(saved.Width(), row.width);
        EXPECT_EQ(saved.Height(), row.height);
        EXPECT_EQ(saved.GetPixelWord(CXPoint(0, 0)), row.corner);
    }
    EXPECT_EQ(canvas()->Width(), 20);
}

TEST_F(CanvasScene, RecordsBringTheCanvasBackEmptyAtItsPlace)
{
    const std::string bytes = objectRecord("C") + i32(20) + i32(10) + i32(3) + flag(true) + flag(true);
    EXPECT_EQ(record(object<CMC_Canvas>("C")), bytes);
    const std::string plain = objectRecord("P") + i32(5) + i32(6) + i32(-1) + flag(false) + flag(false);
    auto* read = readRecord<CMC_Canvas>(plain);
    ASSERT_NE(read->getCanvas(), nullptr);
    EXPECT_EQ(read->getCanvas()->Width(), 5);
    EXPECT_EQ(read->getCanvas()->GetAlphaPtr(), nullptr);
    EXPECT_EQ(read->getCanvas()->getBackground(), nullptr);
    EXPECT_EQ(screen()->GetPriority(read->getCanvas()), -1);
    EXPECT_TRUE(read->button().isButton());
    EXPECT_EQ(record(read), plain);
    // A size no screen could show is none.
    EXPECT_EQ(readRecord<CMC_Canvas>(objectRecord("Q") + i32(1 << 20) + i32(1 << 20) + i32(0) + flag(true) + flag(true))
                  ->getCanvas()
                  ->Width(),
              0);
}

TEST_F(CanvasScene, TheCanvasIsAButtonOfItsRasterUntilSwitchedOff)
{
    loggers({"CLICKED"});
    define("OBJECT=B\nB:TYPE=CANVAS\nB:WIDTH=30\nB:HEIGHT=30\nB:ONCLICK=CLICKED\n");
    run("B^SETPOSITION(100,100);");
    press(110, 110);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"CLICKED"});
    run("B^SETASBUTTON(FALSE);");
    press(110, 110);
    run("B^SETASBUTTON(TRUE,FALSE);");
    press(140, 140);
    press(129, 129);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"CLICKED"});
}
