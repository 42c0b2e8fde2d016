#include "script/CMC_CNVLoader.h"

#include "script/CMC_Groupped.h"

#include "DataObjects.h"

namespace {

// A loader in the application container around the scene, and a definition file whose two
// objects note their "ONINIT" and "ONDONE" through NOTE, with the caller. DOOR releases the
// file itself when it is sent GO.
class Loaders : public DataObjects {
protected:
    Loaders()
    {
        scene->setParent(application);
        application->addObject(new CMC_CNVLoader(world.window.get(), application));
        world.temp.write("extra.cnv", "OBJECT=COUNTER\nCOUNTER:TYPE=INTEGER\nCOUNTER:VALUE=1\n"
                                      "COUNTER:ONINIT=NOTE(init)\nCOUNTER:ONDONE=NOTE(done)\n"
                                      "OBJECT=DOOR\nDOOR:TYPE=INTEGER\nDOOR:ONINIT=NOTE(init)\nDOOR:ONDONE=NOTE(done)\n"
                                      "DOOR:ONSIGNAL^GO={CNVLOADER^RELEASE(\"extra.cnv\");COUNTER^SET(5);}\n");
        RecordingBehaviour* note = world.behaviour(scene, "NOTE");
        note->withCaller = true;
        // Whether an object that raised "ONINIT" was in the scene then.
        note->action = [this] {
            const std::string& entry = world.log.back();
            const std::string name = entry.substr(entry.find('@') + 1);
            if (entry.rfind("NOTE(init)", 0) == 0)
                entered.push_back(name + (scene->getObject(name.c_str()) != nullptr ? "+" : "-"));
        };
    }

    bool has(const char* name) { return scene->getObject(name) != nullptr; }
    void emptyTheBin() { world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId); }

    CMC_ObjectsContainer* application = world.container("APP", CMC_Object::TYPE_APPLICATION);
    std::vector<std::string> entered;
};

} // namespace

TEST_F(Loaders, LoadBuildsTheFileOnceAndReleaseFinishesClonesBeforeTheirObject)
{
    run("CNVLOADER^LOAD(\"extra.cnv\");CNVLOADER^LOAD(\"extra.cnv\");CNVLOADER^LOAD(\"missing.cnv\");");
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"NOTE(init)@COUNTER", "NOTE(init)@DOOR"}));
    EXPECT_EQ(entered, (std::vector<std::string>{"COUNTER-", "DOOR-"}));
    auto* group = dynamic_cast<CMC_Groupped*>(scene->getObject("extra.cnv"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getScene(), scene);
    EXPECT_EQ(group->getList()->getCount(), 3);

    run("DOOR^CLONE(2);CNVLOADER^RELEASE(\"extra.cnv\");");
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"NOTE(done)@COUNTER", "NOTE(done)@DOOR_1",
                                                         "NOTE(done)@DOOR_2", "NOTE(done)@DOOR"}));
    for (const char* gone : {"COUNTER", "DOOR", "DOOR_1", "DOOR_2", "beh_DOOR_ONSIGNAL^GO", "extra.cnv"})
        EXPECT_FALSE(has(gone)) << gone;
    emptyTheBin();

    run("CNVLOADER^LOAD(\"extra.cnv\");");
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"NOTE(init)@COUNTER", "NOTE(init)@DOOR"}));
    // Released by a behaviour of its own, which goes on running to its end.
    run("DOOR^SEND(GO);");
    EXPECT_FALSE(has("DOOR"));
    EXPECT_FALSE(has("extra.cnv"));
    emptyTheBin();
}

TEST_F(Loaders, ReleaseTakesOnlyGroupsThatLoadMade)
{
    auto* group = new CMC_Groupped(CXString("G"), scene);
    scene->addObject(group);
    integer("A", 1);
    group->add(scene->getObject("A"));
    run("CNVLOADER^RELEASE(G);CNVLOADER^RELEASE(A);CNVLOADER^RELEASE(NOBODY);CNVLOADER^RELEASE();");
    EXPECT_TRUE(has("G"));
    EXPECT_TRUE(has("A"));
    EXPECT_EQ(call(scene->getObject("CNVLOADER"), "GETNAME"), "STRING CNVLOADER");
}

TEST_F(Loaders, AContainerThatUnloadsIsForgottenAndReleaseThenWorksWhereItIsCalled)
{
    CMC_ObjectsContainer* side = world.container("SIDE");
    side->setParent(application);
    world.temp.write("side.cnv", "OBJECT=S1\nS1:TYPE=INTEGER\n");
    run("CNVLOADER^LOAD(\"extra.cnv\");");
    behaviour("SIDELOAD", "CNVLOADER^LOAD(\"side.cnv\");", side)->run(nullptr, nullptr, false);
    EXPECT_NE(side->getObject("S1"), nullptr);
    // The loader works in the side container now, which does not see the scene's group.
    run("CNVLOADER^RELEASE(\"extra.cnv\");");
    EXPECT_TRUE(has("COUNTER"));
    side->unload();
    run("CNVLOADER^RELEASE(\"extra.cnv\");");
    EXPECT_FALSE(has("COUNTER"));
    emptyTheBin();
}

// The handler is the application's, which the scene's unloading does not finish.
TEST_F(Loaders, AGroupReleasedWhileItsContainerUnloadsIsDeletedOnce)
{
    behaviour("FREE", "CNVLOADER^RELEASE(\"last.cnv\");", application);
    world.temp.write("last.cnv", "OBJECT=LAST\nLAST:TYPE=INTEGER\nLAST:ONDONE=FREE\n"
                                 "OBJECT=OTHER\nOTHER:TYPE=INTEGER\nOTHER:ONDONE=NOTE(done)\n");
    run("CNVLOADER^LOAD(\"last.cnv\");");
    scene->unload();
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"NOTE(done)@OTHER"});
    EXPECT_EQ(scene->getObjectsNo(), 0);
    emptyTheBin();
}
