#include "script_graphics/CMC_Image.h"

#include "graphics/CImage.h"
#include "media/CResourcesManager.h"
#include "script/CMC_Array.h"
#include "script/CMC_Double.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class ImageScene : public PictureScene {
protected:
    ImageScene() { picture("hole.img", 4, 4, 0x1111, 0); }

    // A w × h picture of one word with one alpha byte (none: no alpha plane).
    void picture(const char* name, int w, int h, uint16_t word, int alpha)
    {
        const size_t count = static_cast<size_t>(w) * h;
        auto raster = makeRaster(w, h, 16, std::vector<uint16_t>(count, word),
                                 alpha < 0 ? std::vector<uint8_t>{} : std::vector<uint8_t>(count, static_cast<uint8_t>(alpha)));
        raster->Save(CXString(headless.folder().file(name).c_str()), COMPRESSION_NONE);
    }
    static std::string image(const char* name, const char* file, const char* more = "", int priority = 5)
    {
        const std::string n(name);
        return "OBJECT=" + n + "\n" + n + ":TYPE=IMAGE\n" + n + ":FILENAME=" + file + "\n" + n + ":TOCANVAS=TRUE\n" + n
               + ":VISIBLE=TRUE\n" + n + ":PRIORITY=" + std::to_string(priority) + "\n" + more;
    }
};

} // namespace

// Without PRELOAD the picture loads at once; with PRELOAD=FALSE when it is first shown.
TEST_F(ImageScene, DefinitionsLoadShowAndPlaceThePicture)
{
    picture("lazy.img", 3, 3, 0x1234, 255);
    std::filesystem::copy_file(headless.folder().file("lazy.img"), headless.folder().file("shown.img"));
    define("OBJECT=A\nA:TYPE=IMAGE\nA:FILENAME=stone.img\nA:TOCANVAS=TRUE\n"
           "OBJECT=B\nB:TYPE=IMAGE\nB:FILENAME=lazy.img\nB:PRELOAD=FALSE\nB:TOCANVAS=TRUE\n"
           "OBJECT=C\nC:TYPE=IMAGE\nC:FILENAME=shown.img\nC:PRELOAD=FALSE\nC:VISIBLE=TRUE\n");
    auto* a = object<CMC_Image>("A");
    EXPECT_EQ(a->getImage()->Width(), 20);
    EXPECT_FALSE(a->getImage()->CGraphicsObject::isVisible());
    EXPECT_EQ(screen()->GetPriority(a->getImage()), 0);
    auto* b = object<CMC_Image>("B");
    EXPECT_EQ(b->getImage()->Width(), 0);
    run("B^SHOW();");
    EXPECT_EQ(b->getImage()->Width(), 3);
    EXPECT_TRUE(b->getImage()->CGraphicsObject::isVisible());
    EXPECT_EQ(object<CMC_Image>("C")->getImage()->Width(), 3);
}

// The methods' answers after the calls before them, in order.
TEST_F(ImageScene, MethodsPlaceMeasureAndChangeThePicture)
{
    picture("half.img", 10, 10, 0x2222, -1);
    define(image("S", "stone.img") + image("H", "hole.img") + image("N", "half.img") + "OBJECT=ARR\nARR:TYPE=ARRAY\n");
    struct Row {
        const char* code;
        const char* call;
        const char* answer;
    };
    const Row rows[] = {
        {"", "S^GETWIDTH()", "20"},
        {"S^SETANCHOR(\"CENTER\");S^SETPOSITION(100,100);", "S^GETPOSITIONX()", "90"},
        {"", "S^GETPOSITIONY()", "95"},
        // A named anchor includes the corner; lower case is no keyword.
        {"S^SETANCHOR(\"CENTER\");S^SETPOSITION(100,100);", "S^GETPOSITIONX()", "0"},
        {"S^SETANCHOR(\"center\");S^SETPOSITION(100,50);", "S^GETPOSITIONX()", "100"},
        {"S^SETANCHOR(3,4);", "S^GETPOSITIONX()", "100"},
        {"S^SETPOSITION(3,4);", "S^GETPOSITIONY()", "0"},
        {"S^SETANCHOR(0,0);S^SETPOSITION(100,0);", "S^GETCENTERX()", "60"},
        {"", "S^GETCENTERY()", "5"},
        {"S^SETOPACITY(300);", "S^GETOPACITY()", "44"},
        {"S^SETOPACITY(-1);", "S^GETOPACITY()", "255"},
        {"", "S^GETALPHA(100,0)", "-56"},
        {"", "S^GETALPHA(120,0)", "0"},
        {"", "S^GETPIXEL(119,9)", "30583"},
        {"", "S^GETALPHA(99,0)", "0"},
        {"", "N^GETALPHA(1,1)", "0"},
        {"", "N^ISINSIDE(1,1,TRUE)", "TRUE"},
        {"", "H^ISINSIDE(1,1,TRUE)", "FALSE"},
        {"", "H^ISAT(1,1,FALSE)", "TRUE"},
        {"", "S^ISAT(120,0,FALSE)", "FALSE"},
        // Near: the share of the picture's box inside the rectangle.
        {"", "N^ISNEAR(0,0,5,10,50)", "TRUE"},
        {"", "N^ISNEAR(0,0,5,10,51)", "FALSE"},
        {"", "N^ISNEAR(500,500,600,600,0)", "TRUE"},
        {"", "N^ISNEAR(\"S\",1)", "FALSE"},
        {"", "N^ISNEAR(\"ARR\",0)", "FALSE"},
        // The start position is where the definition placed the picture.
        {"S^RESETPOSITION();", "S^GETPOSITIONX()", "0"},
        {"S^SETRESETPOSITION(7,8);S^SETPOSITION(50,50);S^RESETPOSITION();", "S^GETPOSITIONY()", "8"},
        {"S^HIDE();", "S^ISVISIBLE()", "FALSE"},
        {"S^SHOW();", "S^ISVISIBLE()", "TRUE"},
        {"S^SETPRIORITY(7);", "S^ISVISIBLE()", "TRUE"},
        {"S^SETSCALEFACTOR(2);", "S^GETWIDTH()", "20"},
        // Slides: outside at once, on opaque points after every pass; colours read no pixel.
        {"S^GETSLIDECOMPS(0.0,0.0,500,500,\"ARR\");S^GETSLIDECOMPS(0.0,0.0,7,8,\"ARR\");", "ARR^GETSIZE()", "4"},
        {"S^GETCOLORAT(1,1,\"ARR\");S^GETCOLORAT(1,1,\"S\");", "ARR^GETSIZE()", "8"},
        {"", "ARR^GET(7)", "0"},
        {"", "S^GETCOLORRAT(1,1)", "0"},
        {"", "S^GETCOLORBAT(1)", "0"},
    };
    for (const Row& row : rows) {
        run(row.code);
        EXPECT_EQ(ask(row.call), row.answer) << row.code << " " << row.call;
    }
    EXPECT_EQ(screen()->GetPriority(object<CMC_Image>("S")->getImage()), 7);
}

// A slide turns the wanted movement 57.29577951307855 radians (about 42.8 degrees) to each
// side and shortens it by 5/6 until it ends on a transparent point.
TEST_F(ImageScene, SlidesTurnAndShortenTheMovementUntilItIsFree)
{
    define(image("S", "stone.img") + "OBJECT=ARR\nARR:TYPE=ARRAY\n");
    run("S^GETSLIDECOMPS(12.0,0.0,10,5,\"ARR\");");
    auto* components = object<CMC_Array>("ARR");
    ASSERT_EQ(components->getSize(), 2);
    // (12, 0) turned once each way: the first ends at (17, -1), outside the picture.
    const auto value = [components](int i) { return dynamic_cast<CMC_Double*>(components->get(i))->getValue(); };
    EXPECT_DOUBLE_EQ(value(0), 0.8333333333333334 * (0.7336545584623921 * 12.0));
    EXPECT_DOUBLE_EQ(value(1), 0.8333333333333334 * (0.7336545584623921 * 0.0 - 0.6795226183486114 * 12.0));
}

// The button behaviour: only in button mode, visible and with the event's signal bound; the
// box decides, a press is consumed, a release and a move never are.
TEST_F(ImageScene, ButtonsReactInTheirBoxWhileTheirSignalIsBound)
{
    loggers({"PLAIN", "RIGHT_UP", "UP", "IN", "OUT", "BELOW"});
    picture("under.img", 30, 10, 0x5555, 255);
    define(image("B", "stone.img",
                 "B:ONCLICK=PLAIN\nB:ONRELEASE^RIGHT=RIGHT_UP\nB:ONRELEASE=UP\nB:ONFOCUSON=IN\nB:ONFOCUSOFF=OUT\n", 9)
           + image("L", "under.img", "L:ASBUTTON=TRUE\nL:ONCLICK=BELOW\n", 1));
    auto* button = object<CMC_Image>("B");
    EXPECT_TRUE(button->button().isListening());
    EXPECT_FALSE(button->button().isButton());
    press(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"BELOW"}));
    run("B^SETASBUTTON(FALSE,FALSE);");
    EXPECT_TRUE(button->button().isButton());
    EXPECT_FALSE(button->button().hasActiveCursor());
    press(1, 1);
    release(1, 1, platform::MouseButton::Right);
    release(2, 2);
    press(20, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"PLAIN", "RIGHT_UP", "UP", "BELOW"}));
    const auto move = [this](int x, int y) { frame(10, {platform::Event::mouseMove({x, y})}); };
    move(5, 5);
    move(6, 6);
    move(50, 50);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"IN", "OUT"}));
    run("B^HIDE();");
    press(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"BELOW"}));
}

// A collision with an ANIMO's animation names the ANIMO; the plain signal gets both names.
TEST_F(ImageScene, CollisionsNameTheOtherObject)
{
    loggers({"HIT_CAR", "HIT"});
    define(image("WALL", "stone.img", "WALL:MONITORCOLLISION=TRUE\nWALL:ONCOLLISION^CAR=HIT_CAR\n")
           + "OBJECT=CAR\nCAR:TYPE=ANIMO\nCAR:FILENAME=hero.ann\nCAR:MONITORCOLLISION=TRUE\n"
           + image("DOOR", "hole.img", "DOOR:MONITORCOLLISION=TRUE\nDOOR:ONCOLLISION=HIT\n"));
    run("CAR^SETPOSITION(100,100);DOOR^SETPOSITION(200,200);");
    frame();
    run("WALL^SETPOSITION(95,95);");
    frame();
    run("DOOR^SETPOSITION(100,100);");
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"HIT_CAR", "HIT(DOOR,WALL)", "HIT(DOOR,CAR)"}));
    // A second request keeps the first one's test; the end of monitoring is silent.
    run("WALL^MONITORCOLLISION(TRUE);WALL^REMOVEMONITORCOLLISION();WALL^SETPOSITION(0,0);");
    frame();
    EXPECT_FALSE(object<CMC_Image>("WALL")->getImage()->getMonitorCollisionsFlag());
}

// Clones share the planes, each with its own picture; the shared picture goes with its last
// user, clones' uses included.
TEST_F(ImageScene, ClonesShareThePlanesAndEveryUseIsGivenBack)
{
    loggers({"CLICKED"});
    define(image("A", "stone.img", "A:ONCLICK=CLICKED\n") + image("B", "STONE.img"));
    auto* a = object<CMC_Image>("A");
    CImage* shared = a->getImage();
    run("A^CLONE(2);A^SETPOSITION(40,0);");
    auto* clone = object<CMC_Image>("A_1");
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone->getImage(), shared);
    EXPECT_EQ(clone->getImage()->GetDataPtr(), shared->GetDataPtr());
    EXPECT_EQ(screen()->GetPriority(clone->getImage()), 5);
    EXPECT_FALSE(clone->button().isButton());
    // The clone's copied mouse signal makes it a listener too.
    EXPECT_TRUE(clone->button().isListening());
    CResourcesManager* resources = CMC_Scene::getDefUnit()->getResourcesManager();
    a->done(false);
    EXPECT_TRUE(resources->contains(shared));
    object<CMC_Image>("B")->done(false);
    EXPECT_FALSE(resources->contains(shared));
    // The clones' pictures keep the planes they share.
    frame();
    EXPECT_EQ(clone->getImage()->GetPixelWord(CXPoint(0, 0)), 0x7777);
}

// LINK shows another IMAGE's planes, which stay alive while the linked picture shows them; the
// picture draws within both sizes.
TEST_F(ImageScene, LinkedPicturesShowTheOthersPlanesWithinBothSizes)
{
    picture("wide.img", 30, 4, 0x0F0F, 255);
    define(image("A", "stone.img") + image("W", "wide.img") + "OBJECT=N\nN:TYPE=INTEGER\n");
    run("A^LINK(\"N\");A^LINK(\"NOSUCH\");");
    EXPECT_EQ(ask("A^GETWIDTH()"), "20");
    run("A^SETANCHOR(5,5);A^LINK(\"W\");");
    EXPECT_EQ(ask("A^GETWIDTH()"), "30");
    EXPECT_EQ(ask("A^GETHEIGHT()"), "4");
    EXPECT_EQ(ask("A^GETPOSITIONX()"), "-5");
    auto* wide = object<CMC_Image>("W");
    wide->done(false);
    scene->removeObject(wide);
    delete wide;
    run("A^SETANCHOR(0,0);A^SETPOSITION(0,0);");
    frame();
    EXPECT_EQ(headless.pixel(29, 3), 0x0F0F);
}

// Each stamp is kept for its picture and its mask: stamping the mask into another picture
// does not change what the first one gets back.
TEST_F(ImageScene, AlphaStampsAreKeptPerPictureAndMask)
{
    picture("other.img", 20, 10, 0x1234, 100);
    picture("mask.img", 2, 2, 0x0000, 9);
    define(image("P", "stone.img") + image("Q", "other.img") + image("M", "mask.img"));
    run("P^MERGEALPHA(0,0,\"M\");Q^MERGEALPHA(0,0,\"M\");P^MERGEALPHA(5,0,\"M\");");
    const auto alpha = [this](const char* name, int x) {
        return ask(std::string(name) + "^GETALPHA(" + std::to_string(x) + ",0)");
    };
    EXPECT_EQ(alpha("P", 0), "-56");
    EXPECT_EQ(alpha("P", 5), "9");
    EXPECT_EQ(alpha("Q", 0), "9");
    EXPECT_EQ(alpha("Q", 2), "100");
    run("P^MERGEALPHA2(0,0,\"M\",TRUE);");
    EXPECT_EQ(alpha("P", 0), "9");
    EXPECT_EQ(alpha("P", 5), "-1");
}

TEST_F(ImageScene, DrawingOntoAnotherListsThePictureOnce)
{
    define(image("A", "stone.img") + image("T", "hole.img"));
    run("A^DRAWONTO(\"T\");A^DRAWONTO(\"T\",3);A^DRAWONTO(\"NOSUCH\");A^SAVE(\"saved.img\");");
    CImage* target = object<CMC_Image>("T")->getImage();
    CImage* picture = object<CMC_Image>("A")->getImage();
    target->removeObject(picture);
    CImage saved(window(), CXString(headless.folder().file("saved.img").c_str()));
    EXPECT_EQ(saved.Width(), 20);
    EXPECT_EQ(saved.GetPixelWord(CXPoint(3, 3)), 0x7777);
}

// The record of compiled scenes: what was on the screen comes back there at its priority; the
// position is not kept.
TEST_F(ImageScene, RecordsBringThePictureBackAsItWas)
{
    loggers({"CLICKED"});
    define(image("A", "stone.img", "A:ASBUTTON=TRUE\nA:MONITORCOLLISION=TRUE\nA:ONCLICK=CLICKED\n")
           + "OBJECT=OFF\nOFF:TYPE=IMAGE\nOFF:FILENAME=hole.img\nOFF:PRIORITY=4\n");
    run("A^SETPOSITION(30,30);");
    const std::string onScreen = record(object<CMC_Image>("A"));
    const std::string offScreen = record(object<CMC_Image>("OFF"));
    for (const char* name : {"A", "OFF"}) {
        auto* stored = object<CMC_Image>(name);
        scene->removeObject(stored);
        stored->done(false);
        delete stored;
    }
    auto* a = readRecord<CMC_Image>(onScreen);
    auto* off = readRecord<CMC_Image>(offScreen);
    EXPECT_EQ(a->getName(), "A");
    EXPECT_TRUE(a->button().isButton());
    EXPECT_EQ(screen()->GetPriority(a->getImage()), 5);
    EXPECT_TRUE(a->getImage()->getMonitorCollisionsFlag());
    EXPECT_EQ(a->GetStartingPosition(), CXPoint(0, 0));
    EXPECT_EQ(screen()->GetPriority(off->getImage()), -1);
    EXPECT_EQ(off->getPriority(), 4);
    EXPECT_EQ(record(a), onScreen);
    // Its mouse signals make it listen again.
    EXPECT_TRUE(a->button().isListening());
    press(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"CLICKED"}));
}

// An object without a picture (made by CREATE) answers the empty value of every query until it
// loads one.
TEST_F(ImageScene, WithoutAPictureMethodsAnswerNothing)
{
    run("@CREATE(\"IMAGE\",\"BLANK\");");
    for (const char* call : {"BLANK^GETWIDTH()", "BLANK^GETALPHA(0,0)", "BLANK^GETCENTERX()"})
        EXPECT_EQ(ask(call), "0") << call;
    EXPECT_EQ(ask("BLANK^ISVISIBLE()"), "FALSE");
    run("BLANK^SHOW();BLANK^SETASBUTTON(FALSE,TRUE);BLANK^LOAD(\"stone.img\");");
    EXPECT_EQ(ask("BLANK^GETWIDTH()"), "20");
    EXPECT_TRUE(object<CMC_Image>("BLANK")->button().isButton());
}
