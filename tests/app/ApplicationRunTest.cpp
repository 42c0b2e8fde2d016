#include "app/CMC_Application.h"
#include "app/CMC_Episode.h"
#include "foundation/CConfig.h"
#include "foundation/CVersion.h"

#include "app/GameTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// What one stretch of frames shows: the frames to run, the handlers that run meanwhile, the
// scene running afterwards and the background colour of each frame.
struct Stage {
    int frames;
    Log log;
    const char* running;
    uint16_t colour;
};

// The whole run of the game tree, 10 ms a frame. A's timer asks for B at 100 ms, and B's
// background shows from the next frame on; B's timer goes to E2 (ONDONE of E1 and of the
// application), D's restarts the application at once (A is entered inside D's handler, which
// runs on); A's timer asks for B again.
const Stage kStages[] = {
    {0, {"APP.init", "E1.init", "APP.init", "A.init", "E1.init", "A.init"}, "A", 0},
    {10, {"A.tick", "E1.done", "E1.done", "B.init", "E1.init", "B.init"}, "B", kRedA},
    {10, {"B.tick", "APP.done", "E1.done", "E1.done", "E2.init", "APP.init", "D.init", "E2.init", "D.init"}, "D", kGreenB},
    {10, {"D.tick", "E1.init", "APP.init", "A.init", "D.after"}, "A", kBlueD},
    {10, {"A.tick", "E1.done", "B.init"}, "B", kRedA},
    {5, {}, "B", kGreenB},
};

// Visits counted in the INI; episodes and the application are never counted as visited.
const std::pair<const char*, int> kPlayed[] = {{"APP", 0}, {"E1", 0}, {"E2", 0}, {"A", 2},
                                               {"B", 2},   {"C", 0},  {"D", 1}};

// Plays the stages from a started application; each stage's log, scene and frame colours.
void playTheStages(ApplicationWorld& world)
{
    for (const Stage& stage : kStages) {
        SCOPED_TRACE(stage.running);
        std::vector<uint16_t> colours;
        for (int i = 0; i < stage.frames; ++i)
            colours.push_back(world.frame());
        EXPECT_EQ(world.log(), stage.log);
        EXPECT_EQ(world.running(), stage.running);
        EXPECT_EQ(colours, std::vector<uint16_t>(static_cast<size_t>(stage.frames), stage.colour));
    }
}

void expectStatistics()
{
    CConfig ini(CWindow::rootPath + "game.ini");
    for (const auto& [node, played] : kPlayed) {
        EXPECT_EQ(ini.GetInt(CXString(node), CXString("Played")), played) << node;
        EXPECT_EQ(ini.GetString(CXString(node), CXString("Time")), "0") << node;
    }
}

class ApplicationRun : public ::testing::Test {
protected:
    ApplicationRun() { writeGameTree(world); }

    ApplicationWorld world;
};

} // namespace

TEST_F(ApplicationRun, TheFramePumpRunsTheGameFromItsTextDefinitions)
{
    ASSERT_NE(world.start(), nullptr);
    EXPECT_EQ(world.run(world.episode("E1"), "E1^GETLATESTSCENE()"), "");
    playTheStages(world);
    EXPECT_EQ(world.run(world.episode("E1"), "E1^GETLATESTSCENE()"), "A");
    EXPECT_EQ(world.run(world.episode("E1"), "E1^GETCURRENTSCENE()"), "B");
    EXPECT_EQ(world.run(world.episode("E2"), "E2^GETLATESTSCENE()"), "D");
    world.stop();
    expectStatistics();
}

TEST_F(ApplicationRun, StoredWith2binTheGameRunsTheSameFromItsCompiledFiles)
{
    ASSERT_NE(world.start({"-2bin"}), nullptr);
    EXPECT_TRUE(world.shell->isBinaryStored());
    EXPECT_EQ(world.log(), Log{});
    EXPECT_EQ(world.running(), "");
    world.stop();
    for (const char* file : {"Dane/application.bin", "Dane/APP.bin", "Dane/EPIZOD1/E1.bin", "Dane/epizod2/E2.bin",
                             "Dane/EPIZOD1/scenaa/A.bin", "Dane/EPIZOD1/SCENAB/B.bin", "Dane/EPIZOD1/ScenaC/C.bin",
                             "Dane/epizod2/scenad/D.bin"})
        EXPECT_TRUE(world.exists(file)) << file;

    // Only the compiled files are left to run from.
    std::vector<std::filesystem::path> definitions;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(world.headless.folder().path()))
        if (entry.path().extension() == ".cnv" || entry.path().extension() == ".def")
            definitions.push_back(entry.path());
    for (const auto& definition : definitions)
        std::filesystem::remove(definition);
    std::filesystem::remove(world.headless.folder().path() / "game.ini");
    ASSERT_NE(world.start(), nullptr);
    EXPECT_TRUE(world.application()->isBinary());
    playTheStages(world);
    world.stop();
    expectStatistics();
}

// What only the definition of a node says (its description, dates, authors, version and
// whether it is a daemon) rides in the node's record, and a node read back has it.
TEST_F(ApplicationRun, NodesReadFromCompiledFilesKeepTheirDescriptions)
{
    world.write("Dane/application.def", world.read("Dane/application.def") +
                                            "E2:DESCRIPTION=second part\nE2:VERSION=2.10.7\nE2:DEAMON=TRUE\n"
                                            "E2:AUTHOR=Ola\nE2:COAUTHORS=Ala, Ela\nE2:CREATIONTIME=1.1.2000\n");
    ASSERT_NE(world.start({"-2bin"}), nullptr);
    EXPECT_TRUE(world.shell->isBinaryStored());
    world.stop();
    ASSERT_NE(world.start(), nullptr);
    ASSERT_TRUE(world.application()->isBinary());
    for (int entry = 0; entry < 2; ++entry) {
        CMC_Episode* episode = world.episode("E2");
        ASSERT_NE(episode, nullptr);
        EXPECT_EQ(episode->getDesc(), "second part");
        EXPECT_EQ(episode->getVersion()->toString(), "2.10.b7");
        EXPECT_TRUE(episode->isDeamon());
        EXPECT_FALSE(world.episode("E1")->isDeamon());
        EXPECT_EQ(episode->getBehaviour("{DESCRIPTION}"), nullptr);
        // Entering the episode reads its record's bindings again.
        world.run(world.application(), "APP^GOTO(\"E2\")");
        for (int frame = 0; frame < 5; ++frame)
            world.frame();
    }
    world.stop();
}

// A scene's KEYBOARD element binds more keys of the application's KEYBOARD instead of making
// one; a scene read from its compiled file binds them again on each entry, and they go when
// the scene is left, as from the definitions.
TEST_F(ApplicationRun, AScenesElementThatRebindsAParentsObjectDoesSoFromTheCompiledFile)
{
    world.write("Dane/APP.cnv", world.read("Dane/APP.cnv") + "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\n"
                                                             "KEYBOARD:ONKEYDOWN^A={LOG^ADD(\"a\");}\n");
    world.write("Dane/EPIZOD1/scenaa/A.cnv", world.read("Dane/EPIZOD1/scenaa/A.cnv") +
                                                 "OBJECT=KEYS\nKEYS:TYPE=KEYBOARD\nKEYS:ONKEYDOWN^B={LOG^ADD(\"b\");}\n");
    ASSERT_NE(world.start({"-2bin"}), nullptr);
    world.stop();
    ASSERT_NE(world.start(), nullptr);
    ASSERT_TRUE(world.application()->isBinary());
    CMC_Object* keyboard = world.application()->getObject("KEYBOARD");
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(world.running(), "A");
    EXPECT_EQ(world.application()->getObject("KEYS"), nullptr);
    ASSERT_NE(keyboard->getBehaviour("ONKEYDOWN^B"), nullptr);
    EXPECT_EQ(keyboard->getBehaviour("ONKEYDOWN^B")->getCount(), 1);
    world.log();
    keyboard->onSignal(CXString("ONKEYDOWN^B"));
    EXPECT_EQ(world.log(), Log{"b"});
    world.run(world.episode("E1"), "E1^GOTO(\"B\")");
    world.frame();
    EXPECT_EQ(world.running(), "B");
    const CXVector* left = keyboard->getBehaviour("ONKEYDOWN^B");
    EXPECT_TRUE(left == nullptr || left->getCount() == 0);
    world.run(world.episode("E1"), "E1^GOTO(\"A\")");
    world.frame();
    ASSERT_NE(keyboard->getBehaviour("ONKEYDOWN^B"), nullptr);
    EXPECT_EQ(keyboard->getBehaviour("ONKEYDOWN^B")->getCount(), 1);
    world.stop();
}
