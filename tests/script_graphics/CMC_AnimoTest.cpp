#include "script_graphics/CMC_Animo.h"

#include "graphics/CCollisionInspector.h"
#include "graphics/CImage.h"
#include "media/CResourcesManager.h"
#include "media/CSound4.h"
#include "script/CMC_Groupped.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kHero[] = "OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\nHERO:TOCANVAS=TRUE\nHERO:VISIBLE=TRUE\n"
                     "HERO:PRIORITY=10\n";
const char kStones[] = "OBJECT=STONE_A\nSTONE_A:TYPE=IMAGE\nSTONE_A:FILENAME=stone.img\nSTONE_A:TOCANVAS=TRUE\n"
                       "STONE_A:VISIBLE=TRUE\nSTONE_A:PRIORITY=5\n"
                       "OBJECT=STONE_B\nSTONE_B:TYPE=IMAGE\nSTONE_B:FILENAME=STONE.IMG\nSTONE_B:TOCANVAS=TRUE\n"
                       "STONE_B:VISIBLE=TRUE\nSTONE_B:PRIORITY=5\n";

using AnimoScene = PictureScene;

} // namespace

// On the hand-driven clock the animation steps at its events' rate, drawn over the image, and
// its start, frames and end run the behaviours of their signals in order.
TEST_F(AnimoScene, PlaysOverTheImageAndSignalsStartFramesAndEnd)
{
    loggers({"STARTED", "DOOR", "FRAME_0", "FRAME_1", "FRAME_2", "CHANGED", "FINISHED"});
    define(std::string(kStones) + kHero
           + "HERO:ONSTARTED^WALK=STARTED\nHERO:ONFRAMECHANGED^DOOR=DOOR\nHERO:ONFRAMECHANGEDFRAME^0=FRAME_0\n"
             "HERO:ONFRAMECHANGEDFRAME^1=FRAME_1\nHERO:ONFRAMECHANGEDFRAME^2=FRAME_2\n"
             "HERO:ONFRAMECHANGED^Walk=CHANGED\nHERO:ONFINISHED^WALK=FINISHED\n");
    frame();
    frame();
    // Image 0 of the animation lies over the picture, which shows around it.
    EXPECT_EQ(headless.pixel(1, 1), 0x3000 + 9);
    EXPECT_NE(headless.pixel(12, 5), 0);

    run("HERO^PLAY(\"walk\");");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"FRAME_0", "STARTED"}));
    for (int i = 0; i < 4; ++i)
        frame(100);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"DOOR", "FRAME_2", "FINISHED"}));
    // Image 2 is displaced by (3, 4).
    EXPECT_EQ(headless.pixel(4, 5), 0x9000 + 9);

    run("HERO^PLAY(\"WALK_REVERSE\");");
    for (int i = 0; i < 4; ++i)
        frame(100);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"FRAME_2", "STARTED", "FRAME_1", "FRAME_0", "FINISHED"}));
}

// The methods' answers after the calls before them, in order: each row runs its code, then
// asks.
TEST_F(AnimoScene, MethodsPlaceQueryAndChangeTheAnimation)
{
    define(std::string(kStones) + kHero + "OBJECT=ARR\nARR:TYPE=ARRAY\nOBJECT=G\nG:TYPE=GROUP\n");
    struct Row {
        const char* code;
        const char* call;
        const char* answer;
    };
    const Row rows[] = {
        {"", "HERO^GETFRAME()", "0"},
        {"", "HERO^GETNOE()", "3"},
        {"", "HERO^GETNOF()", "4"},
        {"", "HERO^GETNOFINEVENT(\"walk_reverse\")", "3"},
        {"", "HERO^GETNOFINEVENT(2)", "1"},
        {"", "HERO^GETNOFINEVENT(9)", "0"},
        {"", "HERO^GETNOFINEVENT()", "0"},
        {"", "HERO^GETEVENTNAME(1)", "WALK_REVERSE"},
        {"", "HERO^GETEVENTNAME(7)", ""},
        {"", "HERO^GETEVENTNAME()", "Walk"},
        // Positions -3, -2 and names, the case counting.
        {"", "HERO^GETFRAMENO(-1,-3)", "2"},
        {"", "HERO^GETFRAMENO(-1,-2)", "0"},
        {"", "HERO^GETFRAMENO(\"Walk\",\"door\")", "1"},
        {"", "HERO^GETFRAMENO(\"Walk\",\"DOOR\")", "-1"},
        {"", "HERO^GETFRAMENO(1)", "0"},
        {"", "HERO^GETFRAMENAME(0,1)", "door"},
        {"", "HERO^GETFRAMENAME(0)", ""},
        // An event by name, a position by number or by name in any case; an unknown event
        // name is the first event.
        {"HERO^SETFRAME(\"Walk\",1);", "HERO^GETFRAMENAME()", "door"},
        {"", "HERO^GETCFRAMEINEVENT()", "1"},
        {"", "HERO^GETPOSITIONX()", "2"},
        {"", "HERO^GETPOSITIONX(1)", "0"},
        {"", "HERO^GETCURRFRAMEPOSY()", "1"},
        {"HERO^SETFRAME(3);", "HERO^GETFRAME()", "3"},
        {"HERO^SETFRAME();", "HERO^GETFRAME()", "0"},
        {"HERO^SETFRAME(\"nosuch\",2);", "HERO^GETFRAME()", "2"},
        {"", "HERO^GETPOSITIONY()", "4"},
        {"HERO^SETFRAME(\"Walk\",\"DOOR\");", "HERO^GETFRAME()", "1"},
        {"HERO^SETFRAMENAME(0,0,\"gate\");HERO^SETFRAMENAME(0,9,\"x\");HERO^SETFRAMENAME(0,0);",
         "HERO^GETFRAMENAME(0,0)", "gate"},
        // Anchors: keywords in exact upper case at the drawn image, numbers as they are.
        {"HERO^SETFRAME(\"Walk\",0);HERO^SETANCHOR(\"CENTER\");HERO^SETPOSITION(100,100);", "HERO^GETPOSITIONX(1)", "96"},
        {"", "HERO^GETPOSITIONY()", "97"},
        {"HERO^SETANCHOR(\"center\");HERO^SETPOSITION(100,100);", "HERO^GETPOSITIONX(1)", "100"},
        {"HERO^SETANCHOR(10);HERO^SETPOSITION(100,100);", "HERO^GETPOSITIONY(1)", "100"},
        {"HERO^SETANCHOR(10,20);HERO^SETPOSITION(100,100);", "HERO^GETPOSITIONX(1)", "90"},
        {"", "HERO^GETPOSITIONY(1)", "80"},
        {"HERO^MOVE(5,-5);", "HERO^GETPOSITIONX()", "95"},
        {"", "HERO^GETCENTERX()", "99"},
        {"", "HERO^GETCENTERY()", "78"},
        {"HERO^HIDE();", "HERO^ISVISIBLE()", "FALSE"},
        {"HERO^SHOW();", "HERO^ISVISIBLE()", "TRUE"},
        {"HERO^SETOPACITY(300);", "HERO^GETOPACITY()", "43"},
        {"HERO^SETOPACITY(-1);", "HERO^GETOPACITY()", "255"},
        {"HERO^SETOPACITY(256);", "HERO^GETOPACITY()", "0"},
        // Pixels at screen points, from the packed image drawn at (95, 75); signed.
        {"", "HERO^GETALPHA(95,75)", "-1"},
        {"", "HERO^GETALPHA(102,75)", "0"},
        {"", "HERO^GETALPHA(103,75)", "0"},
        {"", "HERO^GETPIXEL(96,76)", "12297"},
        {"HERO^SETFRAME(2);", "HERO^GETPIXEL(95,75)", "-28672"},
        {"", "HERO^GETPIXEL(95,81)", "0"},
        {"", "HERO^ISINSIDE(95,75,TRUE)", "TRUE"},
        {"", "HERO^ISINSIDE(102,75,TRUE)", "FALSE"},
        {"", "HERO^ISINSIDE(102,75,FALSE)", "TRUE"},
        {"", "HERO^ISAT(103,75,FALSE)", "FALSE"},
        {"", "HERO^ISINSIDE(95,75)", "FALSE"},
        {"", "HERO^ISNEAR(95,75,103,81,100)", "TRUE"},
        {"", "HERO^ISNEAR(0,0,1,1,0)", "TRUE"},
        {"", "HERO^ISNEAR(0,0,1,1,1)", "FALSE"},
        {"", "HERO^ISNEAR(\"NOSUCH\",0)", "FALSE"},
        {"", "HERO^GETPRIORITY()", "10"},
        {"HERO^SETPRIORITY(3);", "HERO^GETPRIORITY()", "3"},
        {"", "HERO^GETMAXWIDTH()", "8"},
        {"HERO^GETANCHOR(\"ARR\");HERO^GETANCHOR(\"G\");", "ARR^GETSIZE()", "2"},
        {"", "ARR^GET(1)", "20"},
        // Playing and stopping.
        {"HERO^PLAY(\"walk\");", "HERO^ISPLAYING(\"WALK\")", "TRUE"},
        {"", "HERO^ISPLAYING(\"WALK_REVERSE\")", "FALSE"},
        {"HERO^PAUSE();", "HERO^ISPLAYING()", "FALSE"},
        {"HERO^RESUME();HERO^STOP(FALSE);", "HERO^ISPLAYING()", "FALSE"},
        {"HERO^NPLAY(1,2);", "HERO^GETFRAME()", "0"},
        {"HERO^NPLAY(9);HERO^PLAY(\"nosuch\");", "HERO^GETEVENTNAME()", "WALK_REVERSE"},
        // A group passes on what it does not know to each member.
        {"G^ADD(\"HERO\",\"STONE_A\",\"NOSUCH\");G^HIDE();", "HERO^ISVISIBLE()", "FALSE"},
        {"", "STONE_A^ISVISIBLE()", "FALSE"},
        {"", "G^GETSIZE()", "2"},
        {"G^SHOW();", "STONE_A^ISVISIBLE()", "TRUE"},
    };
    for (const Row& row : rows) {
        run(row.code);
        EXPECT_EQ(ask(row.call), row.answer) << row.code << " " << row.call;
    }
}

TEST_F(AnimoScene, StopTellsTheEndUnlessAskedNotTo)
{
    loggers({"FINISHED"});
    define(std::string(kHero) + "HERO:ONFINISHED=FINISHED\n");
    run("HERO^PLAY(\"Walk\");HERO^STOP(FALSE);");
    EXPECT_TRUE(takeLog().empty());
    run("HERO^PLAY(\"Walk\");HERO^PLAY(\"Walk\");HERO^STOP();");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"FINISHED"}));
    auto* hero = object<CMC_Animo>("HERO");
    EXPECT_EQ(hero->getAnimo()->getNotifiers().size(), 1u);
    // A play without a name starts the current event again without joining the observers.
    hero->getAnimo()->removeNotifier(hero);
    run("HERO^PLAY();");
    EXPECT_TRUE(hero->getAnimo()->IsPlaying());
    EXPECT_TRUE(hero->getAnimo()->getNotifiers().empty());
    run("HERO^SETFPS(0);");
    EXPECT_EQ(hero->getAnimo()->GetFPS(), 1);
    run("HERO^SETFPS(-5);");
    EXPECT_EQ(hero->getAnimo()->GetFPS(), 1);
}

// A button animation takes the presses that hit its box (left edge in, right edge out) and
// consumes them, bound or not; releases go on to the listeners below.
TEST_F(AnimoScene, ClicksInTheBoxRaiseTheButtonsSignalAndAreConsumed)
{
    loggers({"LEFT", "PLAIN", "RELEASED", "STONE"});
    std::filesystem::copy_file(headless.folder().file("hero.ann"), headless.folder().file("side.ann"));
    define(std::string(kStones) + kHero
           + "HERO:ASBUTTON=TRUE\nHERO:ONCLICK^LEFT=LEFT\nHERO:ONRELEASE=RELEASED\n"
             "OBJECT=SIDE\nSIDE:TYPE=ANIMO\nSIDE:FILENAME=side.ann\nSIDE:TOCANVAS=TRUE\nSIDE:VISIBLE=TRUE\n"
             "SIDE:PRIORITY=20\nSIDE:ASBUTTON=TRUE\nSIDE:ONCLICK=PLAIN\n"
             "STONE_A:ASBUTTON=TRUE\nSTONE_A:ONCLICK=STONE\nSTONE_A:ONRELEASE=STONE\n");
    run("SIDE^SETPOSITION(200,0);");
    press(0, 0);
    release(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"LEFT", "RELEASED", "STONE"}));
    // The press plays the animation's "ONCLICK" event.
    EXPECT_EQ(std::string(object<CMC_Animo>("HERO")->getAnimo()->getCurrentEventName().c_str()), "ONCLICK");
    press(8, 2);
    press(2, 2, platform::MouseButton::Right);
    press(201, 1, platform::MouseButton::Middle);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STONE", "PLAIN"}));

    // Hidden, paused or out of button mode, the animation lets presses through.
    run("HERO^HIDE();");
    press(1, 1);
    run("HERO^SHOW();HERO^SETASBUTTON(FALSE,FALSE);");
    press(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STONE", "STONE"}));
}

TEST_F(AnimoScene, OnlyAMouseSignalMakesAnAnimationListen)
{
    loggers({"STONE", "STARTED"});
    define(std::string(kStones) + kHero + "HERO:ASBUTTON=TRUE\nHERO:ONSTARTED=STARTED\n"
           + "STONE_A:ASBUTTON=TRUE\nSTONE_A:ONCLICK=STONE\n");
    auto* hero = object<CMC_Animo>("HERO");
    EXPECT_FALSE(hero->isListening());
    press(1, 1);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STONE"}));
    EXPECT_FALSE(hero->getAnimo()->IsPlaying());
}

// The collision inspector reports the move across the picture once as it begins and once as
// it ends; the picture's object is named, and the plain form gets both names. (A definition
// property "ONCOLLISIONFINISHED" begins with two signals and binds twice: the end's handler
// is bound by a script here.)
TEST_F(AnimoScene, MovingAcrossAPictureRaisesTheCollisionAndItsEnd)
{
    loggers({"HIT", "EVENT_HIT", "GONE"});
    define(std::string(kStones) + kHero
           + "HERO:MONITORCOLLISION=TRUE\nHERO:ONCOLLISION^STONE_A=HIT\nSTONE_A:MONITORCOLLISION=TRUE\n");
    run("HERO^ADDBEHAVIOUR(\"ONCOLLISIONFINISHED\",\"GONE\");STONE_A^SETPOSITION(100,0);");
    frame();
    run("HERO^MOVE(95,0);");
    frame();
    frame();
    run("HERO^MOVE(100,0);");
    frame();
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"HIT", "GONE(HERO,STONE_A)"}));
    // The form with the animation's event comes first.
    run("HERO^ADDBEHAVIOUR(\"ONCOLLISION$WALK$STONE_A\",\"EVENT_HIT\");HERO^MOVE(-100,0);");
    frame();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"EVENT_HIT"}));
    EXPECT_EQ(scene->getMonitored().size(), 2u);
    run("HERO^REMOVEMONITORCOLLISION();HERO^MOVE(-100,0);HERO^MOVE(100,0);");
    frame();
    EXPECT_TRUE(takeLog().empty());
}

// Objects of one scene that name one file share one animation or picture, which goes only with
// the last of them; the records of compiled scenes read back into objects that work alike.
TEST_F(AnimoScene, SharedResourcesLiveUntilTheirLastUser)
{
    define(std::string(kStones) + kHero + "OBJECT=TWIN\nTWIN:TYPE=ANIMO\nTWIN:FILENAME=HERO.ANN\nTWIN:VISIBLE=TRUE\n");
    auto* a = object<CMC_Image>("STONE_A");
    auto* b = object<CMC_Image>("STONE_B");
    ASSERT_NE(a->getImage(), nullptr);
    EXPECT_EQ(a->getImage(), b->getImage());
    auto* hero = object<CMC_Animo>("HERO");
    auto* twin = object<CMC_Animo>("TWIN");
    EXPECT_EQ(hero->getAnimo(), twin->getAnimo());
    CResourcesManager* resources = CMC_Scene::getDefUnit()->getResourcesManager();
    CImage* picture = a->getImage();
    CAnimo6* animation = hero->getAnimo();
    run("STONE_A^MONITORCOLLISION(FALSE);HERO^MONITORCOLLISION(TRUE);");
    EXPECT_EQ(scene->getMonitored().size(), 2u);
    a->done(false);
    hero->done(false);
    // Monitoring ends before a picture is given back.
    EXPECT_TRUE(scene->getMonitored().empty());
    EXPECT_TRUE(resources->contains(picture));
    EXPECT_TRUE(resources->contains(animation));
    EXPECT_EQ(screen()->GetPriority(picture), 5);
    b->done(false);
    twin->done(false);
    EXPECT_FALSE(resources->contains(picture));
    EXPECT_FALSE(resources->contains(animation));
}

// The frame rate and ONFIRSTFRAME ride in the object's record as the notes "{FPS}" and
// "{ONFIRSTFRAME}"; a record without them plays at the file's rate.
TEST_F(AnimoScene, RecordsHoldFifteenBytesAndTheNameAfterTheObjectsOwn)
{
    loggers({"STARTED"});
    define(std::string(kHero) + "HERO:ASBUTTON=TRUE\nHERO:MONITORCOLLISIONALPHA=TRUE\nHERO:FLUSHAFTERPLAYED=TRUE\n"
           + "HERO:PRELOAD=TRUE\nHERO:ONSTARTED=STARTED\nHERO:FPS=20\nHERO:ONFIRSTFRAME=TRUE\n");
    const std::string bytes = record(object<CMC_Animo>("HERO"));
    std::string expected("\x04\0\0\0HERO\x03\0\0\0\x09\0\0\0ONSTARTED\x07\0\0\0STARTED\0\0\0\0", 40);
    expected += std::string("\x05\0\0\0{FPS}\x02\0\0\0" "20\x01\0\0\0\0\0\0\0", 23);
    expected += std::string("\x0E\0\0\0{ONFIRSTFRAME}\x04\0\0\0TRUE\x01\0\0\0\0\0\0\0", 34);
    expected += std::string("\x01\x00\x01\x08\0\0\0hero.ann\x01\x01\x0A\0\0\0\x01\x01", 23);
    EXPECT_EQ(bytes, expected);

    auto* stored = object<CMC_Animo>("HERO");
    scene->removeObject(stored);
    stored->done(false);
    delete stored;
    auto* read = readRecord<CMC_Animo>(bytes);
    EXPECT_EQ(read->getName(), "HERO");
    EXPECT_TRUE(read->isAsButton());
    EXPECT_EQ(read->getPriority(), 10);
    EXPECT_EQ(screen()->GetPriority(read->getAnimo()), 10);
    EXPECT_TRUE(read->getAnimo()->getMonitorCollisionsFlag());
    EXPECT_EQ(read->getAnimo()->GetFPS(), 20);
    EXPECT_TRUE(read->getOnFirstFrame());
    EXPECT_EQ(read->getBehaviour("{FPS}"), nullptr);
    EXPECT_EQ(record(read), bytes);
    // A compiled object hears its animation.
    run("HERO^PLAY();");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STARTED"}));

    // Off the screen, it stays off.
    std::filesystem::copy_file(headless.folder().file("hero.ann"), headless.folder().file("side.ann"));
    auto* hidden = readRecord<CMC_Animo>(std::string("\x01\0\0\0X\0\0\0\0", 9)
                                         + std::string("\0\0\0\x08\0\0\0side.ann\0\0\x0A\0\0\0\0\0", 23));
    EXPECT_EQ(screen()->GetPriority(hidden->getAnimo()), -1);
    EXPECT_FALSE(hidden->isAsButton());
    EXPECT_FALSE(hidden->getOnFirstFrame());
    EXPECT_EQ(hidden->getAnimo()->GetFPS(), CAnimo::kDefaultFps);
}

// An object without an animation (made by CREATE, or after its end) answers every query with
// the empty value of its type and does nothing; methods short of arguments, or given names of
// the wrong kind, do nothing.
TEST_F(AnimoScene, WithoutAnAnimationOrArgumentsMethodsDoNothing)
{
    define(std::string(kStones) + kHero + "OBJECT=ARR\nARR:TYPE=ARRAY\n");
    run("@CREATE(\"ANIMO\",\"BLANK\");");
    auto* blank = object<CMC_Animo>("BLANK");
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->getAnimo(), nullptr);
    for (const char* call : {"BLANK^GETFRAMENAME()", "BLANK^GETEVENTNAME()"})
        EXPECT_EQ(ask(call), "") << call;
    for (const char* call : {"BLANK^GETFRAME()", "BLANK^GETNOE()", "BLANK^GETPOSITIONX()", "BLANK^GETALPHA(0,0)"})
        EXPECT_EQ(ask(call), "0") << call;
    for (const char* call : {"BLANK^ISPLAYING()", "BLANK^ISVISIBLE()", "BLANK^ISAT(0,0,FALSE)"})
        EXPECT_EQ(ask(call), "FALSE") << call;
    run("BLANK^PLAY(\"Walk\");BLANK^SHOW();BLANK^SETASBUTTON(TRUE,FALSE);");
    EXPECT_TRUE(blank->isAsButton());
    run("BLANK^LOAD(\"hero.ann\");");
    ASSERT_NE(blank->getAnimo(), nullptr);
    EXPECT_EQ(blank->getAnimo(), object<CMC_Animo>("HERO")->getAnimo());

    const struct {
        const char* call;
        const char* answer;
    } shortOrWrong[] = {
        {"HERO^GETFRAMENAME(0)", ""},
        {"HERO^GETFRAMENO(0)", "0"},
        {"HERO^ISNEAR(\"ARR\",0)", "FALSE"},
        {"HERO^ISNEAR(1,2,3)", "FALSE"},
        {"HERO^GETALPHA(1)", "0"},
    };
    for (const auto& c : shortOrWrong)
        EXPECT_EQ(ask(c.call), c.answer) << c.call;
    run("HERO^SETFRAMENAME(0,1);HERO^PLAYRAND(\"Walk\",60);HERO^GETANCHOR(\"STONE_A\");HERO^SETPOSITION(5);"
        "HERO^MERGEALPHA(0,0,\"ARR\");HERO^DRAWONTO(\"ARR\");HERO^SETCLIPPING(\"ARR\");");
    EXPECT_EQ(ask("HERO^GETFRAMENAME(0,1)"), "door");
    EXPECT_TRUE(CMC_Scene::getDefUnit()->getRandomPlayable()->getEntries().empty());
    EXPECT_EQ(ask("HERO^GETPOSITIONX(1)"), "0");
    EXPECT_EQ(object<CMC_Animo>("HERO")->getAnimo()->GetClippingRect(), CXRect(0, 0, 0, 0));
}

// Definition properties: a missing PRELOAD loads at once, FALSE leaves the file for the first
// show; FPS 0 or none plays at 15 frames a second, below 0 at 1; an ANIMO without VISIBLE is
// hidden; names played backwards signal under their forward name, unless that would be empty.
TEST_F(AnimoScene, DefinitionsLoadPlaceAndTimeTheAnimation)
{
    std::filesystem::copy_file(headless.folder().file("hero.ann"), headless.folder().file("lazy.ann"));
    define(std::string(kHero) + "HERO:FPS=-3\n"
           + "OBJECT=LAZY\nLAZY:TYPE=ANIMO\nLAZY:FILENAME=lazy.ann\nLAZY:PRELOAD=FALSE\nLAZY:FPS=0\n");
    auto* hero = object<CMC_Animo>("HERO");
    auto* lazy = object<CMC_Animo>("LAZY");
    EXPECT_EQ(hero->getAnimo()->GetFPS(), 1);
    EXPECT_EQ(lazy->getAnimo()->GetFPS(), 15);
    EXPECT_EQ(lazy->getAnimo()->GetNOF(), 0);
    EXPECT_FALSE(lazy->getAnimo()->isVisible());
    EXPECT_EQ(screen()->GetPriority(lazy->getAnimo()), -1);
    run("LAZY^SHOW();");
    EXPECT_EQ(lazy->getAnimo()->GetNOF(), 4);
    EXPECT_EQ(hero->getSignalEvent("WALK_REVERSE"), "WALK");
    EXPECT_EQ(hero->getSignalEvent("_REVERSE"), "_REVERSE");
    EXPECT_EQ(hero->getSignalEvent("walk_reverse"), "walk_reverse");

    // A new file keeps the screen's place; the one left goes when no one else uses it.
    CAnimo6* before = hero->getAnimo();
    run("HERO^LOAD(\"lazy.ann\");");
    EXPECT_EQ(hero->getAnimo(), lazy->getAnimo());
    EXPECT_EQ(screen()->GetPriority(hero->getAnimo()), 10);
    EXPECT_FALSE(CMC_Scene::getDefUnit()->getResourcesManager()->contains(before));
}

TEST_F(AnimoScene, ClonesCopyTheAnimationAndNamesFindPicturesAndFrames)
{
    loggers({"STARTED"});
    define(std::string(kStones) + kHero + "HERO:ONSTARTED=STARTED\n");
    run("HERO^CLONE(2);");
    auto* clone = object<CMC_Animo>("HERO_2");
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(clone->isClone());
    EXPECT_NE(clone->getAnimo(), object<CMC_Animo>("HERO")->getAnimo());
    EXPECT_EQ(screen()->GetPriority(clone->getAnimo()), 10);
    run("HERO_2^PLAY(\"Walk\");");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"STARTED"}));

    auto* hero = object<CMC_Animo>("HERO");
    EXPECT_EQ(scene->getGraphicsObject("HERO"), hero->getAnimo());
    EXPECT_EQ(scene->getGraphicsObject("HERO!DOOR"), hero->getAnimo()->GetFrame(1));
    EXPECT_EQ(scene->getGraphicsObject("HERO!nosuch"), nullptr);
    EXPECT_EQ(scene->getGraphicsObject("STONE_B"), object<CMC_Image>("STONE_A")->getImage());
    EXPECT_EQ(scene->getGraphicsObject(""), nullptr);
    EXPECT_EQ(scene->getGraphicsObjectName(hero->getAnimo()), "HERO");
    EXPECT_EQ(scene->getGraphicsObjectName(object<CMC_Image>("STONE_B")->getImage()), "STONE_A");
    EXPECT_EQ(scene->getGraphicsObjectName(screen()), "UNKNOWN");

    // The clone's own animation goes with it.
    CAnimo6* copy = clone->getAnimo();
    clone->done(false);
    EXPECT_EQ(screen()->GetPriority(copy), -1);
}

// Crossing the box raises the focus signals once each and plays the animation's focus events;
// on frame 0's box under ONFIRSTFRAME.
TEST_F(AnimoScene, FocusIsRaisedOncePerCrossing)
{
    loggers({"IN", "OUT"});
    define(std::string(kHero) + "HERO:ASBUTTON=TRUE\nHERO:ONFOCUSON=IN\nHERO:ONFOCUSOFF=OUT\n");
    const auto move = [this](int x, int y) { frame(10, {platform::Event::mouseMove({x, y})}); };
    move(50, 50);
    move(1, 1);
    move(2, 2);
    move(50, 50);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"IN", "OUT"}));
    // Image 1 stands at (2, 1): its box, not frame 0's, decides until ONFIRSTFRAME.
    run("HERO^SETFRAME(1);");
    move(1, 0);
    EXPECT_TRUE(takeLog().empty());
    run("HERO^SETONFF();");
    EXPECT_TRUE(object<CMC_Animo>("HERO")->getOnFirstFrame());
    move(1, 0);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"IN"}));
}

// PLAYRAND hands the animation to the default unit's random player, which plays the event
// now and then.
TEST_F(AnimoScene, PlayRandHandsTheAnimationToTheUnitsRandomPlayer)
{
    define(kHero);
    run("HERO^PLAYRAND(\"Walk\",60,1);");
    CRandomPlayable* player = CMC_Scene::getDefUnit()->getRandomPlayable();
    ASSERT_EQ(player->getEntries().size(), 1u);
    EXPECT_EQ(player->getEntries()[0]->getPlayable(), object<CMC_Animo>("HERO")->getAnimo());
    frame(1000);
    EXPECT_TRUE(object<CMC_Animo>("HERO")->getAnimo()->IsPlaying());
}

namespace {

// A frame sound that keeps the levels it is given.
struct Levels : CSound4 {
    explicit Levels(CWindow* window)
        : CSound4(window)
    {
    }
    void setVolume(int level) override { volume = level; }
    void setPanning(int level) override { pan = level; }
    void setFrequency(int hertz) override { frequency = hertz; }
    int volume = 1;
    int pan = 1;
    int frequency = 1;
};

} // namespace

// Script levels become the device's for every frame sound: 800 is full volume, 25 and below
// silence; 400 is the centre, the sides full from 1550 steps away; the arithmetic holds for
// any number.
TEST_F(AnimoScene, SoundLevelsReachEveryFrameSound)
{
    define(kHero);
    auto* sound = new Levels(window());
    object<CMC_Animo>("HERO")->getAnimo()->UpdateSoundFX(0, 1, sound);
    const struct {
        const char* code;
        int volume;
        int pan;
    } cases[] = {
        {"HERO^SETVOLUME(800);HERO^SETPAN(400);", 0, 0},
        {"HERO^SETVOLUME(26);HERO^SETPAN(0);", -3096, -800},
        {"HERO^SETVOLUME(25);HERO^SETPAN(1949);", -10000, 3098},
        {"HERO^SETVOLUME(0);HERO^SETPAN(1950);", -10000, 10000},
        {"HERO^SETVOLUME(2147483647);HERO^SETPAN(-2147483647);", 0, -10000},
    };
    for (const auto& c : cases) {
        run(c.code);
        EXPECT_EQ(sound->volume, c.volume) << c.code;
        EXPECT_EQ(sound->pan, c.pan) << c.code;
    }
    run("HERO^SETFREQ(22050);");
    EXPECT_EQ(sound->frequency, 22050);
}
