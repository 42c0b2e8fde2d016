#include "app/CApplication.h"
#include "app/CMC_Application.h"
#include "platform/PathResolver.h"

#include "app/GameTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string i32(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string text(const std::string& value)
{
    return i32(static_cast<int32_t>(value.size())) + value;
}

// An application with no sub-scenes whose "ONINIT" handler exits, with a timer that logs
// every frame.
void writeExitingApplication(ApplicationWorld& world)
{
    world.write("Dane/application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n");
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n"
                                "OBJECT=__ONEXIT__\n__ONEXIT__:TYPE=BEHAVIOUR\n__ONEXIT__:CODE={LOG^ADD(\"exit\");}\n"
                                "OBJECT=FRAMES\nFRAMES:TYPE=TIMER\nFRAMES:ELAPSE=0\nFRAMES:ONTICK={LOG^ADD(\"frame\");}\n"
                                "OBJECT=APP\nAPP:ONINIT={LOG^ADD(\"init\");APP^EXIT();LOG^ADD(\"after\");}\n");
}

// Tells what the window's quit flag was whenever it receives a signal; a type with a runner, so
// that SEND reaches it.
class QuitProbe : public CMC_Object {
public:
    QuitProbe(CWindow& window, Log& log)
        : CMC_Object(CXString("PROBE"), TYPE_RANDOM)
        , window_(window)
        , log_(log)
    {
    }
    using CMC_Object::onSignal;
    bool onSignal(const CXString&) override
    {
        log_.push_back(window_.isQuitting() ? "quitting" : "running");
        return true;
    }

private:
    CWindow& window_;
    Log& log_;
};

class ApplicationStart : public ::testing::Test {
protected:
    // The compiled game's "application.bin", written by "2bin".
    std::string storedGame()
    {
        writeGameTree(world);
        world.start({"-2bin"});
        world.stop();
        return world.read("Dane/application.bin");
    }

    ApplicationWorld world;
};

} // namespace

TEST_F(ApplicationStart, ExitInOnInitRunsOnExitWithTheQuitFlagSetAndTheLoopStopsAfterThatFrame)
{
    writeExitingApplication(world);
    CMC_Application* application = world.start();
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(world.log(), (Log{"init", "exit", "after"}));
    EXPECT_TRUE(world.window().isQuitting());
    world.window().run(10);
    EXPECT_EQ(world.log(), Log{"frame"});
}

// The ended timer run, the released file and its object wait in the bin, whose timer would come
// only after 10 s; the application's end deletes them while what they reach is there.
TEST_F(ApplicationStart, TheApplicationsEndDeletesWhatWaitsInTheBin)
{
    world.write("Dane/application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n");
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n");
    world.write("Dane/extra.cnv", "OBJECT=B\nB:TYPE=INTEGER\nB:ONDONE={LOG^ADD(\"done\");}\n");
    CMC_Application* application = world.start();
    ASSERT_NE(application, nullptr);
    for (const char* line : {"@RUNONTIMER(10,1,{})", "CNVLOADER^LOAD(\"extra.cnv\")", "CNVLOADER^RELEASE(\"extra.cnv\")"})
        world.run(application, line);
    world.frame();
    world.frame();
    const CPublicTrash* bin = world.window().getPublicTrashInterface();
    ASSERT_GT(bin->getCount(), 0);
    world.shell.reset();
    EXPECT_EQ(bin->getCount(), 0);
}

TEST_F(ApplicationStart, ExitSetsTheQuitFlagBeforeTheHandlersOfOnExitRun)
{
    world.write("Dane/application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n");
    world.write("Dane/APP.cnv", "OBJECT=__ONEXIT__\n__ONEXIT__:TYPE=BEHAVIOUR\n__ONEXIT__:CODE={PROBE^SEND(\"x\");}\n");
    CMC_Application* application = world.start();
    ASSERT_NE(application, nullptr);
    Log probed;
    application->addObject(new QuitProbe(world.window(), probed));
    // The handler was compiled before the probe was there.
    application->getObject("__ONEXIT__")->init();
    EXPECT_FALSE(world.window().isQuitting());
    world.run(application, "APP^EXIT()");
    EXPECT_EQ(probed, Log{"quitting"});
}

TEST_F(ApplicationStart, WithoutAStartTheApplicationStartsAllTheSameAndRunsItsInit)
{
    writeExitingApplication(world);
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n"
                                "OBJECT=__INIT__\n__INIT__:TYPE=BEHAVIOUR\n__INIT__:CODE={LOG^ADD(\"__INIT__\");}\n");
    CMC_Application* application = world.start();
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->getStart(), nullptr);
    EXPECT_FALSE(application->initialize(nullptr));
    EXPECT_EQ(world.log(), (Log{"__INIT__", "__INIT__"}));
    EXPECT_EQ(world.running(), "");
    for (const char* builtIn : {"RANDOM", "SYSTEM", "CNVLOADER"})
        EXPECT_NE(application->getOwnObject(CXString(builtIn)), nullptr) << builtIn;
}

TEST_F(ApplicationStart, DamagedCompiledFilesFailStartUpWithALineAndLeaveTheIniAlone)
{
    const std::string stored = storedGame();
    ASSERT_GT(stored.size(), 100u);
    std::filesystem::remove(world.headless.folder().path() / "game.ini");
    const std::string header = text("APP") + i32(0) + text("");
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"negative count", header + i32(-1) + i32(0)},
        {"count beyond the file", header + i32(1000000) + i32(0) + text("E1")},
        {"bad episode record", header + i32(1) + i32(0) + i32(-5)},
        {"empty", ""},
    };
    std::vector<std::pair<std::string, std::string>> cases = damaged;
    for (size_t cut = 1; cut < stored.size(); cut += 3)
        cases.emplace_back("cut at " + std::to_string(cut), stored.substr(0, cut));
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        world.write("Dane/application.bin", bytes);
        testing::internal::CaptureStderr();
        EXPECT_EQ(world.start(), nullptr);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("No application: application.bin is damaged"), std::string::npos) << said;
        world.stop();
        EXPECT_FALSE(world.exists("game.ini"));
    }
    world.write("Dane/application.bin", stored);
    EXPECT_NE(world.start(), nullptr);
}

TEST_F(ApplicationStart, TwoBinRefusesWhatTheCompiledFormCannotHoldAndChangesNoFile)
{
    writeGameTree(world);
    world.write("Dane/application.def", world.read("Dane/application.def") +
                                             "OBJECT=S9\nS9:TYPE=SCENE\nS9:PATH=S9\nAPP:SCENES=S9\n");
    world.write("Dane/S9/S9.cnv", "");
    world.write("Dane/EPIZOD1/scenaa/A.cnv", world.read("Dane/EPIZOD1/scenaa/A.cnv") +
                                                 "OBJECT=POINT\nPOINT:TYPE=STRUCT\nPOINT:FIELDS=X<INTEGER>\n");
    world.write("Dane/application.bin", "old");
    testing::internal::CaptureStderr();
    ASSERT_NE(world.start({"-forceCNV", "-2bin"}), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(world.shell->isBinaryStored());
    EXPECT_NE(said.find("Node S9 of APP not stored"), std::string::npos) << said;
    EXPECT_NE(said.find("Object POINT of A not stored"), std::string::npos) << said;
    EXPECT_NE(said.find("no file was changed"), std::string::npos) << said;
    world.stop();
    EXPECT_EQ(world.read("Dane/application.bin"), "old");
    for (const char* file : {"Dane/APP.bin", "Dane/EPIZOD1/E1.bin", "Dane/EPIZOD1/scenaa/A.bin", "Dane/S9/S9.bin"})
        EXPECT_FALSE(world.exists(file)) << file;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(world.headless.folder().path()))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
}

TEST_F(ApplicationStart, ForceCnvParsesTheTextOverACompiledFileAndTheDataPathsFollowThePathOption)
{
    writeGameTree(world);
    world.write("Dane/application.bin", "not an application");
    std::filesystem::create_directories(world.headless.folder().path() / "install" / "Dane");
    const std::string root = platform::toWindowsName(world.headless.folder().path().string());

    ASSERT_NE(world.start({"-forceCNV"}), nullptr);
    EXPECT_FALSE(world.application()->isBinary());
    EXPECT_EQ(world.running(), "A");
    EXPECT_EQ(CWindow::getCDPath(), CXString(root.c_str()) + "\\");
    EXPECT_EQ(world.window().GetSoundFXPath(), CXString(root.c_str()) + "\\Wavs");
    EXPECT_NE(world.shell->getGeneralResourcesManager(), nullptr);

    // The data disc is the folder the "path" option names; the local tree stays the root.
    world.write("install/Dane/application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n");
    world.write("install/Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\nOBJECT=APP\nAPP:ONINIT={LOG^ADD(\"disc\");}\n");
    ASSERT_NE(world.start({"-forceCNV", "-path", root + "\\install"}), nullptr);
    EXPECT_EQ(CWindow::getCDPath(), CXString(root.c_str()) + "\\install\\");
    EXPECT_EQ(world.window().GetSoundFXPath(), CXString(root.c_str()) + "\\install\\Wavs");
    EXPECT_EQ(world.log(), Log{"disc"});
}

TEST_F(ApplicationStart, MenuCommandsEndTheLoopOrDrawTheWholeScreen)
{
    writeGameTree(world);
    ASSERT_NE(world.start(), nullptr);
    world.frame();
    const int presented = world.headless.display().presentCount();
    OnWindowCommand(&world.window(), 12345);
    EXPECT_EQ(world.headless.display().presentCount(), presented);
    OnWindowCommand(&world.window(), CApplication::COMMAND_REDRAW);
    EXPECT_EQ(world.headless.display().presentCount(), presented + 1);
    ASSERT_EQ(world.headless.display().lastPresented().size(), 1u);
    EXPECT_EQ(world.headless.display().lastPresented()[0].right, 800);
    EXPECT_EQ(world.headless.display().lastPresented()[0].bottom, 600);
    EXPECT_TRUE(world.window().pumpEvents());
    OnWindowCommand(&world.window(), CApplication::COMMAND_QUIT);
    EXPECT_FALSE(world.window().pumpEvents());

    CApplication bare(&world.window(), CXString(), CXString(), nullptr);
    EXPECT_FALSE(bare.domodal());
    EXPECT_EQ(bare.getMCApplicationIfc(), nullptr);
}
