#include "app/CMC_Application.h"
#include "platform/PathResolver.h"
#include "script/CMC_ObjectsContainer.h"

#include "app/ApplicationWorld.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kBall = 0xF800;

using Log = std::vector<std::string>;

// A game of one scene W whose DLLS names the plug-in as "world.DLL", with the plug-in library
// copied into the program folder. W holds the WORLD object WORLD1 made from "level.wld", the
// pictures, and a timer that steps the world at every frame.
class WorldScene : public ::testing::Test {
protected:
    WorldScene()
    {
        std::filesystem::copy_file(KESTRUM_WORLD_MODULE, library());
        game.write("Dane/application.def", "OBJECT=W\nW:TYPE=SCENE\nW:PATH=W\nW:DLLS=world.DLL\n"
                                           "OBJECT=E1\nE1:TYPE=EPISODE\nE1:SCENES=W\nE1:PATH=W\n"
                                           "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=E1\n");
        game.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n");
        game.picture("Dane/W/ball.img", kBall);
    }

    // The scene's definitions: WORLD1 with the code it starts with, the pictures, the timer;
    // and the world file.
    void define(const std::string& pictures, const std::string& start, const std::string& worldFile)
    {
        game.write("Dane/W/level.wld", worldFile);
        game.write("Dane/W/W.cnv", "OBJECT=WORLD1\nWORLD1:TYPE=WORLD\nWORLD1:FILENAME=level.wld\nWORLD1:ONINIT={"
                                       + start + "}\n" + pictures
                                       + "OBJECT=STEP\nSTEP:TYPE=TIMER\nSTEP:ELAPSE=10\n"
                                         "STEP:ONTICK={WORLD1^MOVEOBJECTS();}\n");
    }
    static std::string picture(const std::string& name, const std::string& handlers)
    {
        return "OBJECT=" + name + "\n" + name + ":TYPE=IMAGE\n" + name + ":FILENAME=ball.img\n" + name
               + ":TOCANVAS=TRUE\n" + name + ":VISIBLE=TRUE\n" + name + ":PRIORITY=5\n" + handlers;
    }

    std::string library() const { return game.headless.folder().file("World.so"); }
    bool libraryLoaded() const
    {
        void* handle = dlopen(library().c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle != nullptr)
            dlclose(handle);
        return handle != nullptr;
    }
    CMC_ObjectsContainer* scene() { return game.application()->getCurrentScene()->getCurrentScene(); }
    std::string ask(const std::string& call) { return game.run(scene(), call); }

    ApplicationWorld game;
};

} // namespace

// A ball falls from the top of the screen, its picture with it, lands on the floor of the world
// file and says so after its falling frames; leaving the game unloads the plug-in, after the
// objects it made.
TEST_F(WorldScene, ALinkedPictureFallsAndLandsOnTheFloorOfTheWorldFile)
{
    define(picture("BALL", "BALL:ONSIGNAL^NOCOLL={LOG^ADD(\"NOCOLL\");}\n"
                           "BALL:ONSIGNAL^50={LOG^ADD(\"50\");}\nBALL:ONSIGNAL^ANY={LOG^ADD(\"ANY\");}\n"),
           "WORLD1^ADDOBJECT(1,400,100,0,10,10,0,1,0,0);WORLD1^LINK(1,\"BALL\");",
           "KESTRUM-WORLD 1\nGRAVITY 0 -1000 0\n# the floor: its top at 440 on the screen\n"
           "BODY 50 BOX STATIC 0 -150 0 300 10 0 0 0 0\n");
    ASSERT_NE(game.start(), nullptr);
    EXPECT_TRUE(libraryLoaded());
    game.frame();
    game.frame();
    EXPECT_EQ(game.headless.pixel(410, 110), kBall);

    Log heard;
    for (int frame = 0; frame < 200 && std::find(heard.begin(), heard.end(), "ANY") == heard.end(); ++frame) {
        game.frame();
        for (const std::string& entry : game.log())
            heard.push_back(entry);
    }
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(Log(heard.end() - 2, heard.end()), (Log{"50", "ANY"}));
    EXPECT_EQ(Log(heard.begin(), heard.end() - 2), Log(heard.size() - 2, "NOCOLL"));
    // Resting on the floor, whose skin holds the ball half a pixel above it: its centre, where
    // the picture's corner is, at 429.5.
    for (int frame = 0; frame < 50; ++frame)
        game.frame();
    EXPECT_EQ(ask("WORLD1^GETPOSITIONY(1)"), "429");
    EXPECT_EQ(game.headless.pixel(410, 440), kBall);
    EXPECT_NE(game.headless.pixel(410, 110), kBall);

    // The objects that the unloading hands to the bin go at the application's end, the
    // library after them.
    {
        CMC_ObjectsContainer::DeferredDeletion deferred;
        game.stop();
    }
    EXPECT_EQ(game.window().getPublicTrashInterface()->getCount(), 0);
    EXPECT_FALSE(libraryLoaded());
}

// A walker finds its way over the mesh around a wall to its goal; a goal walled in all round
// has no path.
TEST_F(WorldScene, PathsLeadAroundWallsAndAWalledInGoalHasNone)
{
    define(picture("WALKER", "WALKER:ONSIGNAL^ATGOAL={LOG^ADD(\"WALKER.ATGOAL\");}\n"
                             "WALKER:ONSIGNAL^NOPATH={LOG^ADD(\"WALKER.NOPATH\");}\n")
               + picture("STUCK", "STUCK:ONSIGNAL^NOPATH={LOG^ADD(\"STUCK.NOPATH\");}\n"),
           "WORLD1^ADDOBJECT(2,200,300,0,10,10,0,1,0,400);WORLD1^LINK(2,\"WALKER\");"
           "WORLD1^ADDOBJECT(3,200,500,0,10,10,0,1,0,400);WORLD1^LINK(3,\"STUCK\");"
           "WORLD1^FINDPATH(2,2,600,300,0);WORLD1^FINDPATH(3,3,650,500,0);",
           "KESTRUM-WORLD 1\n"
           "# a wall between the walker and its goal, with a way point above it and one below\n"
           "BODY 100 BOX STATIC 0 0 0 10 100 0 0 0 0\n"
           "WAYPOINT 1 0 200 0\nWAYPOINT 2 0 -200 0\n"
           "# walls all round the point (250, -200)\n"
           "BODY 101 BOX STATIC 250 -150 0 60 10 0 0 0 0\nBODY 102 BOX STATIC 250 -250 0 60 10 0 0 0 0\n"
           "BODY 103 BOX STATIC 190 -200 0 10 60 0 0 0 0\nBODY 104 BOX STATIC 310 -200 0 10 60 0 0 0 0\n");
    ASSERT_NE(game.start(), nullptr);

    Log heard;
    for (int frame = 0; frame < 400 && std::find(heard.begin(), heard.end(), "WALKER.ATGOAL") == heard.end();
         ++frame) {
        game.frame();
        for (const std::string& entry : game.log())
            heard.push_back(entry);
    }
    EXPECT_EQ(heard, (Log{"STUCK.NOPATH", "WALKER.ATGOAL"}));
    EXPECT_EQ(ask("WORLD1^GETPOSITIONX(2)"), "600");
    EXPECT_EQ(ask("WORLD1^GETPOSITIONY(2)"), "300");
    EXPECT_EQ(ask("WORLD1^GETPOSITIONX(3)"), "200");
}
