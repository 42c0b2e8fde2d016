#include "script/CMC_ObjectsContainer.h"

#include "foundation/CPublicTrash.h"
#include "foundation/CXVector.h"
#include "graphics/CGraphicsObject.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Integer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_String.h"

#include "ScriptWorld.h"

#include <gtest/gtest.h>

namespace {

// An object that notes when it is finished and deleted; its type and whether it finishes
// first are chosen.
class Noted : public CMC_Object {
public:
    Noted(const char* name, int type, bool first, std::vector<std::string>* log)
        : CMC_Object(CXString(name), type)
        , first_(first)
        , log_(log)
    {
    }
    ~Noted() override { log_->push_back(std::string("delete ") + getName().c_str()); }

    bool doneFirst() override { return first_; }
    bool done(bool final) override
    {
        log_->push_back(std::string("done ") + getName().c_str());
        return CMC_Object::done(final);
    }

private:
    bool first_;
    std::vector<std::string>* log_;
};

class Containers : public ::testing::Test {
protected:
    Containers()
    {
        episode->setParent(application);
        scene->setParent(episode);
    }

    CMC_Object* add(CMC_ObjectsContainer* to, const char* name, int type = 0)
    {
        auto* object = new CMC_Object(CXString(name), type);
        object->setScene(to);
        to->addObject(object);
        return object;
    }

    ScriptWorld world;
    CMC_ObjectsContainer* application = world.container("GAME", CMC_Object::TYPE_APPLICATION);
    CMC_ObjectsContainer* episode = world.container("EPISODE1", CMC_Object::TYPE_EPISODE);
    CMC_ObjectsContainer* scene = world.container("SCENE1", CMC_Object::TYPE_SCENE);
};

} // namespace

TEST_F(Containers, LookUpsGoThroughTheParentsAndTheCloneZeroName)
{
    CMC_Object* door = add(application, "DOOR");
    CMC_Object* key = add(episode, "KEY");
    CMC_Object* ownKey = add(scene, "KEY");
    CMC_Object* realZero = add(episode, "KEY_0");

    EXPECT_EQ(scene->getObject("DOOR"), door);
    EXPECT_EQ(scene->getObject("DOOR_0"), door);
    EXPECT_EQ(scene->getObject("KEY"), ownKey);
    EXPECT_EQ(episode->getObject("KEY"), key);
    EXPECT_EQ(episode->getObject("KEY_0"), realZero);
    EXPECT_EQ(scene->getObject("KEY_0"), ownKey);
    EXPECT_EQ(scene->getObject("key"), nullptr);
    EXPECT_EQ(scene->getObject("NOSUCH_0"), nullptr);

    // The scene holds its episode and the application as objects of its own.
    EXPECT_EQ(scene->getObjectId(CXString("GAME")), 0);
    EXPECT_EQ(scene->getObjectId(CXString("EPISODE1")), 1);
    EXPECT_EQ(scene->getObjectId(CXString("DOOR")), -1);
    EXPECT_EQ(scene->getElementsNo(), 3);
    EXPECT_EQ(scene->getObject(2), ownKey);
    EXPECT_EQ(scene->getObject(3), nullptr);
    EXPECT_EQ(scene->getObject(-1), nullptr);

    CMC_ObjectsContainer* other = world.container("EPISODE2", CMC_Object::TYPE_EPISODE);
    scene->setParent(other);
    EXPECT_EQ(scene->getObject("GAME"), nullptr);
    EXPECT_EQ(scene->getObject("EPISODE2"), other);
    EXPECT_EQ(scene->getObject("EPISODE1"), nullptr);
    EXPECT_EQ(scene->getObject("DOOR"), nullptr);
}

TEST_F(Containers, AReplacedObjectWaitsInTheBin)
{
    CMC_Object* first = add(scene, "A");
    add(scene, "B");
    CMC_Object* second = add(scene, "A");
    EXPECT_EQ(scene->getObject("A"), second);
    EXPECT_EQ(scene->getObjectId(CXString("A")), 3);
    EXPECT_EQ(scene->getObjectsNo(), 4);

    CPublicTrash* bin = world.window->getPublicTrashInterface();
    ASSERT_TRUE(bin->contains(first));
    EXPECT_TRUE(first->isToDelete());
    bin->onTimer(0);
    EXPECT_EQ(bin->getCount(), 0);

    scene->addObject(second);
    EXPECT_EQ(scene->getObjectsNo(), 4);
    EXPECT_TRUE(scene->removeObject(second));
    EXPECT_FALSE(scene->removeObject(second));
    EXPECT_EQ(scene->getObject("A"), nullptr);
    delete second;

    // Containers of the scene flow belong to their owners: a namesake leaves them alone.
    add(scene, "EPISODE1");
    EXPECT_EQ(bin->getCount(), 0);
}

TEST_F(Containers, ValuesAndTypesAreListed)
{
    auto* number = new CMC_Integer(CXString("N"));
    scene->addObject(number);
    scene->addObject(new CMC_String(CXString("S")));
    add(scene, "PLAIN", 2000);

    EXPECT_EQ(scene->getVariable("N"), number);
    EXPECT_EQ(scene->getVariable("PLAIN"), nullptr);
    EXPECT_EQ(scene->getVariable("NONE"), nullptr);

    std::unique_ptr<CXVector> episodes(scene->getObjectsOfType(CMC_Object::TYPE_EPISODE));
    ASSERT_EQ(episodes->getCount(), 1);
    EXPECT_EQ(episodes->at(0), episode);

    CMC_Groupped group(CXString("G"), scene);
    group.add(number);
    scene->getObjects(CXString("STRING"), &group);
    ASSERT_EQ(group.getList()->getCount(), 1);
    EXPECT_EQ(static_cast<CMC_Object*>(group.getList()->at(0))->getName(), "S");
    scene->getObjects(CXString("NOSUCHTYPE"), &group);
    EXPECT_EQ(group.getList()->getCount(), 0);
}

TEST_F(Containers, UnloadFinishesInOrderAndKeepsTheSceneFlow)
{
    std::vector<std::string> log;
    for (auto [name, type, first] : {std::tuple{"PLAIN1", 0, false}, {"SEQ", 2004, true}, {"CLS", 3004, false},
                                     {"PLAIN2", 0, false}, {"PATTERN", 2021, true}})
        scene->addObject(new Noted(name, type, first, &log));
    scene->unload();
    EXPECT_EQ(log, (std::vector<std::string>{"done CLS", "done SEQ", "done PATTERN", "done PLAIN1", "done PLAIN2",
                                             "delete PLAIN1", "delete SEQ", "delete CLS", "delete PLAIN2",
                                             "delete PATTERN"}));
    EXPECT_EQ(scene->getElementsNo(), 0);
    EXPECT_EQ(scene->getObjectsNo(), 0);
    EXPECT_EQ(scene->getObject("EPISODE1"), nullptr);
    EXPECT_EQ(episode->getObject("EPISODE1"), nullptr);
    // The scene flow containers live on and the scene can be filled again.
    EXPECT_EQ(application->getObjectsNo(), 0);
    add(scene, "AGAIN");
    EXPECT_NE(scene->getObject("AGAIN"), nullptr);
}

namespace {

// A container with the signals of a scene node.
class Node : public CMC_ObjectsContainer {
public:
    using CMC_ObjectsContainer::CMC_ObjectsContainer;
    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
        return &signals;
    }
};

} // namespace

// The node's own handler is one of its behaviours: it runs before the objects are deleted.
TEST_F(Containers, EveryObjectAndTheContainerFinishOnce)
{
    Node node(world.window.get(), nullptr, CXString("NODE"), CMC_Object::TYPE_EPISODE);
    node.setParent(episode);
    world.behaviour(&node, "BYE")->withCaller = true;
    for (const char* name : {"A", "B"}) {
        auto element = makeElement(name, {{"TYPE", "INTEGER"}, {"ONDONE", "BYE"}});
        node.addObject(new CMC_Integer(&node, element.get()));
    }
    auto definition = makeElement("NODE", {{"ONDONE", "BYE"}});
    node.initializeBehaviours(&node, definition.get());

    node.unload();
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"BYE()@A", "BYE()@B", "BYE()@NODE"}));
}

TEST_F(Containers, AFinishedSceneTakesItsBindingsOnOtherObjects)
{
    RecordingBehaviour* own = world.behaviour(application, "OWN");
    RecordingBehaviour* visiting = world.behaviour(scene, "VISIT");
    CMC_Object* mouse = add(application, "MOUSE");
    mouse->addBehaviour(CXString("ONCLICK"), own, nullptr, application, false);
    mouse->addBehaviour(CXString("ONCLICK"), visiting, nullptr, scene, false);

    application->onSubSceneDone(scene);
    mouse->onSignal(CXString("ONCLICK"));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"OWN()"}));
}

namespace {

// An object that shows a picture of its own, and its parts by name.
class Showing : public CMC_Object {
public:
    Showing(const char* name, int type, CGraphicsObject* picture)
        : CMC_Object(CXString(name), type)
        , picture_(picture)
    {
    }
    CGraphicsObject* getShownGraphics(const CXString& part) override
    {
        return part.IsString() ? (part == "PART" ? &part_ : nullptr) : picture_;
    }

private:
    CGraphicsObject* picture_;
    CGraphicsObject part_{nullptr};
};

} // namespace

// "NAME" and "NAME!PART" find the picture an object shows; pictures are named after the first
// object that shows them, script class instances answering for what they hold, and canvases
// never.
TEST_F(Containers, PicturesAreFoundByNameAndNamedAfterTheirObject)
{
    CGraphicsObject shown(nullptr), held(nullptr), canvas(nullptr);
    auto* hero = new Showing("HERO", 2000, &shown);
    scene->addObject(hero);
    scene->addObject(new Showing("BOARD", 2020, &canvas));
    auto* instance = world.container("KNIGHT", CMC_Object::TYPE_CLASS);
    auto* other = world.container("SQUIRE", CMC_Object::TYPE_CLASS);
    instance->addObject(other);
    other->addObject(instance);
    other->addObject(new Showing("SWORD", 2008, &held));
    scene->addObject(instance);
    EXPECT_EQ(scene->getGraphicsObject(CXString("HERO")), &shown);
    EXPECT_NE(scene->getGraphicsObject(CXString("HERO!PART")), nullptr);
    EXPECT_EQ(scene->getGraphicsObject(CXString("HERO!NONE")), nullptr);
    EXPECT_EQ(scene->getGraphicsObject(CXString("NOSUCH")), nullptr);
    EXPECT_EQ(scene->getGraphicsObject(CXString()), nullptr);
    EXPECT_EQ(scene->getGraphicsObject(CXString("BOARD")), &canvas);
    EXPECT_EQ(scene->getGraphicsObjectName(&shown), "HERO");
    EXPECT_EQ(scene->getGraphicsObjectName(&held), "KNIGHT");
    EXPECT_EQ(scene->getGraphicsObjectName(&canvas), "UNKNOWN");
    EXPECT_EQ(scene->getGraphicsObjectName(nullptr), "UNKNOWN");
    instance->removeObject(other);
    other->removeObject(instance);
    scene->removeObject(instance);
}
