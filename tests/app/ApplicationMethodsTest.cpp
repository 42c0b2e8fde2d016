#include "app/CMC_Application.h"
#include "app/CMC_Application_Runner.h"
#include "foundation/CXVector.h"
#include "graphics/CImage.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"

#include "app/GameTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr int kPictureType = 7791;

// A script object standing for a picture on the screen.
class Picture : public CMC_Object {
public:
    Picture(const char* name, std::unique_ptr<CImage> picture)
        : CMC_Object(CXString(name), kPictureType)
        , image(std::move(picture))
    {
    }
    CGraphicsObject* getShownGraphics(const CXString&) override { return image.get(); }
    std::unique_ptr<CImage> image;
};

class ApplicationMethods : public ::testing::Test {
protected:
    ApplicationMethods()
    {
        writeGameTree(world);
        application = world.start();
        world.log();
    }

    std::string app(const std::string& call) { return world.run(application, "APP^" + call); }
    CMC_Scene* sceneA() { return application->getCurrentScene()->getCurrentScene(); }
    std::optional<CXRect> printArea(std::initializer_list<const char*> arguments)
    {
        std::vector<std::unique_ptr<CMC_String>> values;
        CXVector args;
        for (const char* argument : arguments) {
            values.push_back(std::make_unique<CMC_String>(CXString(), CXString(argument)));
            args.add(values.back().get());
        }
        auto* runner = dynamic_cast<CMC_Application_Runner*>(CMC_RunnerFactory::getRunner(CMC_Object::TYPE_APPLICATION));
        return runner->printArea(&world.window(), sceneA(), &args);
    }

    ApplicationWorld world;
    CMC_Application* application = nullptr;
};

} // namespace

TEST_F(ApplicationMethods, RunEnvRunsABehaviourWithAnotherSceneAsItsOwn)
{
    ASSERT_EQ(world.running(), "A");
    app("RUNENV(\"A\",\"SAY\")");
    world.run(application, "SAY^RUN()");
    EXPECT_EQ(world.log(), (Log{"A", "app"}));
    EXPECT_EQ(application->getObject("SAY")->getScene(), application);

    EXPECT_EQ(app("EXISTSENV(\"A\",\"SAY\")"), "TRUE");
    // Only scenes are environments, only behaviours run in them.
    for (const char* missing : {"EXISTSENV(\"A\",\"NOSUCH\")", "EXISTSENV(\"A\",\"WHERE\")", "EXISTSENV(\"E1\",\"SAY\")",
                                "EXISTSENV(\"NOSUCH\",\"SAY\")", "EXISTSENV(\"A\")"})
        EXPECT_EQ(app(missing), "FALSE") << missing;
    for (const char* nothing : {"RUNENV(\"A\",\"WHERE\")", "RUNENV(\"E1\",\"SAY\")", "RUNENV(\"A\")"})
        EXPECT_EQ(app(nothing), "none") << nothing;
    EXPECT_EQ(world.log(), Log{});
}

TEST_F(ApplicationMethods, RunMatchesRunAndRunCInAnyCaseAndCallsOtherMethodsThroughTheirRunner)
{
    app("RUN(\"ECHO\",\"run\",\"x\",\"y\")");
    app("RUN(\"ECHO\",\"RuNc\",\"z\",\"w\")");
    EXPECT_EQ(world.log(), (Log{"x", "y", "z", "w"}));
    world.run(application, "LOG^ADD(\"one\")");
    EXPECT_EQ(app("RUN(\"LOG\",\"GETSIZE\")"), "1");
    EXPECT_EQ(app("RUN(\"NOSUCH\",\"RUN\")"), "none");
    EXPECT_EQ(app("RUN(\"LOG\")"), "none");
}

TEST_F(ApplicationMethods, LanguageMusicAndUpdates)
{
    app("SETLANGUAGE(\"0415\")");
    EXPECT_EQ(app("GETLANGUAGE()"), "POL");
    app("SETLANGUAGE(\"\")");
    app("SETLANGUAGE(\"9999\")");
    EXPECT_EQ(app("GETLANGUAGE()"), "POL");
    app("SETLANGUAGE(\"0405\")");
    EXPECT_EQ(app("GETLANGUAGE()"), "CZE");

    app("DISABLEMUSIC()");
    EXPECT_FALSE(world.window().IsMusicOn());
    app("ENABLEMUSIC()");
    EXPECT_TRUE(world.window().IsMusicOn());

    for (const char* call : {"NEEDSUPGRADE()", "NEEDSUPGRADE(\"A\")", "NEEDSUPGRADE(\"NOSUCH\")"})
        EXPECT_EQ(app(call), "FALSE") << call;
    EXPECT_EQ(app("UPGRADE()"), "none");
}

TEST_F(ApplicationMethods, PrintTakesTheScreenAPicturesBoxOrFourSides)
{
    const std::string file = writePicture(world.headless.folder(), "hero.img", 50, 60, kBlueD);
    sceneA()->addObject(new Picture("HERO", loadPicture(&world.window(), file, 10, 20)));
    EXPECT_EQ(printArea({}), CXRect(0, 0, 800, 600));
    EXPECT_EQ(printArea({"HERO"}), CXRect(10, 20, 60, 80));
    EXPECT_EQ(printArea({"1", "2", "300", "400"}), CXRect(1, 2, 300, 400));
    EXPECT_EQ(printArea({"1", "2"}), CXRect(0, 0, 800, 600));
    EXPECT_EQ(printArea({"1", "2", "3"}), CXRect(0, 0, 800, 600));
    EXPECT_EQ(printArea({"LOG"}), std::nullopt);
    EXPECT_EQ(printArea({"NOSUCH"}), std::nullopt);
}

// RESTART runs at once inside D's handler: D's objects, that handler's behaviour among them,
// wait in the deferred-delete bin until the bin's time comes, and D's timer ticks no more.
TEST_F(ApplicationMethods, WhatRestartUnloadsWaitsInTheBinAndTicksNoMore)
{
    world.run(world.episode("E1")->getCurrentScene(), "APP^GOTO(\"E2\")");
    world.frame(0);
    ASSERT_EQ(world.running(), "D");
    world.frame(50);
    world.log();
    CMC_Scene* d = application->getScene(CXString("D"));
    CMC_Object* handler = d->getObject("beh_TICKER_ONTICK");
    ASSERT_NE(handler, nullptr);
    world.run(d, "APP^RESTART()");
    EXPECT_EQ(world.running(), "A");
    EXPECT_EQ(d->getObjectsNo(), 0);
    EXPECT_TRUE(world.window().getPublicTrashInterface()->contains(handler));
    // D's timer was due 50 ms after the restart, A's is 100 ms after it.
    for (int i = 0; i < 9; ++i)
        world.frame();
    EXPECT_EQ(world.log(), (Log{"E1.init", "APP.init", "A.init"}));

    // RESTART with the start running restarts the start: its first scene at the frame's end.
    app("RESTART()");
    EXPECT_EQ(world.running(), "A");
    EXPECT_EQ(world.episode("E1")->getPendingScene(), world.episode("E1")->find(CXString("A")));
}

TEST_F(ApplicationMethods, StoreBinaryFromABehaviourWritesTheCompiledFilesAndTheGameGoesOn)
{
    world.run(sceneA(), "APP^STOREBINARY()");
    for (const char* file : {"Dane/application.bin", "Dane/APP.bin", "Dane/EPIZOD1/scenaa/A.bin"})
        EXPECT_TRUE(world.exists(file)) << file;
    world.log();
    world.run(sceneA(), "E1^NEXT()");
    world.frame(0);
    EXPECT_EQ(world.running(), "B");
    EXPECT_EQ(world.log(), (Log{"E1.done", "E1.done", "B.init", "E1.init", "B.init"}));
}
