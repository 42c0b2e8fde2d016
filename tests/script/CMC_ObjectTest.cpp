#include "script/CMC_Object.h"

#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CXArchive.h"
#include "foundation/CXTriple.h"
#include "foundation/CXVector.h"
#include "script/CMC_Binding.h"

#include "ScriptWorld.h"

#include <gtest/gtest.h>

namespace {

class ScriptObject : public ::testing::Test {
protected:
    // A DOOR built in the scene from properties.
    Clickable* door(std::initializer_list<std::pair<const char*, const char*>> properties)
    {
        auto element = makeElement("DOOR", properties);
        auto* made = new Clickable(scene, element.get());
        scene->addObject(made);
        return made;
    }

    ScriptWorld world;
    CMC_ObjectsContainer* scene = world.container("SCENE");
};

int bindingCount(CMC_Object* object, const char* name)
{
    CXVector* list = object->getBehaviour(CXString(name));
    return list != nullptr ? list->getCount() : 0;
}

} // namespace

TEST(ScriptTypes, NamesAndIdsFollowTheirTables)
{
    const std::pair<const char*, int> ids[] = {
        {"INTEGER", 1}, {"DOUBLE", 4}, {"VARIABLE", 5}, {"COMPLEXCONDITION", 11}, {"BEHAVIOUR", 13},
        {"CANVASOBSERVER", 103}, {"SCENE", 1002}, {"SCROLL", 2022}, {"VIRTUAL_GRAPHICSOBJECT", 3005},
        {"MULTIARRAY", 3006}, {"SWF", 10060}, {"integer", -1}, {"JOYSTICK", -1}, {"MOVIE", -1},
        {"STRUCT", -1}, {"VIRTUALGRAPHICSOBJECT", -1},
    };
    for (const auto& [name, id] : ids)
        EXPECT_EQ(CMC_Object::getTypeId(name), id) << name;

    const std::pair<int, const char*> names[] = {
        {11, "COMPLEX CONDITION"}, {103, "CANVAS OBSERVER"}, {2014, "FILTER"}, {3001, "ARRAY"},
        {5, "5"}, {2009, "2009"}, {2016, "2016"}, {3000, "3000"}, {-7, "-7"},
    };
    for (const auto& [id, name] : names)
        EXPECT_EQ(CMC_Object::typeToString(id), name) << id;
}

TEST_F(ScriptObject, PropertiesBindInlineCodeAndNamedBehavioursWithArguments)
{
    world.behaviour(scene, "OPEN");
    scene->addObject(new CMC_Object(CXString("COUNT"), CMC_Object::TYPE_INTEGER));
    Clickable* made = door({{"ONINIT", "  { DOOR^SHOW(); } "},
                       {"ONCLICK^LEFT", " OPEN ( slowly ,  loud ) "},
                       {"ONSIGNAL", "NOSUCH"},
                       {"ONSIGNAL^Y", "COUNT(1)"},
                       {"ONDONE", ""},
                       {"COLOR", "OPEN"}});

    CMC_Object* inlineCode = scene->getObject("beh_DOOR_ONINIT");
    ASSERT_NE(inlineCode, nullptr);
    EXPECT_EQ(static_cast<CMC_Behaviour*>(inlineCode)->getCode(), "DOOR^SHOW();");
    EXPECT_EQ(made->getTmpBehList()->getCount(), 1);
    auto* first = static_cast<CMC_Binding*>(made->getSingleBehaviour(CXString("ONINIT"), 0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getBoundObject(), inlineCode);
    EXPECT_EQ(first->getArguments(), nullptr);
    EXPECT_EQ(first->getOwner(), scene);

    auto* call = static_cast<CMC_Binding*>(made->getSingleBehaviour(CXString("ONCLICK^LEFT"), 0));
    ASSERT_NE(call, nullptr);
    ASSERT_EQ(call->getArguments()->getCount(), 2);
    EXPECT_EQ(*call->getArguments()->stringAt(0), "slowly");
    EXPECT_EQ(*call->getArguments()->stringAt(1), "loud");

    EXPECT_EQ(made->getBehaviour(CXString("ONSIGNAL")), nullptr);
    EXPECT_EQ(made->getBehaviour(CXString("ONSIGNAL^Y")), nullptr);
    EXPECT_EQ(made->getBehaviour(CXString("ONDONE")), nullptr);
    EXPECT_TRUE(made->isSignalBound(0));
    EXPECT_FALSE(made->isSignalBound(1));
    EXPECT_FALSE(made->isSignalBound(2));
    EXPECT_TRUE(made->isSignalBound(3));
    EXPECT_EQ(made->getSingleBehaviour(CXString("ONCLICK^LEFT"), 1), nullptr);
    EXPECT_EQ(made->getSingleBehaviour(CXString("ONCLICK^LEFT"), -1), nullptr);
}

// A property that begins with two signal names is bound under both; in-line code makes one
// behaviour for it, so no binding is left holding a behaviour that a second one replaced.
TEST_F(ScriptObject, APropertyBeginningWithTwoSignalsBindsOneInlineBehaviourTwice)
{
    Clickable* made = door({{"ONCLICKED", "{ A^B(); }"}});
    ASSERT_EQ(bindingCount(made, "ONCLICKED"), 2);
    EXPECT_EQ(made->getSingleBehaviour(CXString("ONCLICKED"), 0)->first,
              made->getSingleBehaviour(CXString("ONCLICKED"), 1)->first);
    EXPECT_EQ(made->getTmpBehList()->getCount(), 1);
    EXPECT_EQ(world.window->getPublicTrashInterface()->getCount(), 0);
    EXPECT_TRUE(made->isSignalBound(3));
    EXPECT_TRUE(made->isSignalBound(4));
}

TEST_F(ScriptObject, SignalsRunTheirExactNameInBindingOrder)
{
    world.behaviour(scene, "FIRST");
    world.behaviour(scene, "SECOND");
    Clickable* made = door({{"ONCLICK", "FIRST(a)"}, {"ONCLICK", "SECOND"}, {"ONCLICK", "FIRST"}});

    EXPECT_FALSE(made->onSignal(CXString("ONCLICK^LEFT")));
    EXPECT_TRUE(world.takeLog().empty());
    EXPECT_TRUE(made->onSignal(CXString("ONCLICK")));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"FIRST(a)", "SECOND()", "FIRST()"}));

    auto* given = CXString("x y").toVector();
    EXPECT_TRUE(made->onSignal(CXString("ONCLICK"), given));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"FIRST(x,y)", "SECOND(x,y)", "FIRST(x,y)"}));
    CXString::releaseToVector(given);
    made->onSignal(CXString("ONCLICK"));
    EXPECT_EQ(world.takeLog().front(), "FIRST(a)");
}

TEST_F(ScriptObject, HandlersMayChangeTheBindingsOfTheObjectBeingRaised)
{
    RecordingBehaviour* first = world.behaviour(scene, "FIRST");
    world.behaviour(scene, "SECOND");
    RecordingBehaviour* added = world.behaviour(scene, "ADDED");
    Clickable* made = door({{"ONCLICK", "FIRST(a, b)"}, {"ONCLICK", "SECOND(c)"}});

    first->action = [&] {
        made->removeBehaviour(CXString("ONCLICK"));
        made->addBehaviour(CXString("ONCLICK"), added, nullptr, scene, false);
    };
    EXPECT_TRUE(made->onSignal(CXString("ONCLICK")));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"FIRST(a,b)"}));
    first->action = nullptr;
    EXPECT_TRUE(made->onSignal(CXString("ONCLICK")));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"ADDED()"}));
}

TEST_F(ScriptObject, BindingsGoWithTheirOwnerAndRemovalKeepsTheFlag)
{
    CMC_ObjectsContainer* other = world.container("OTHER");
    RecordingBehaviour* behaviour = world.behaviour(scene, "B");
    Clickable* made = door({{"ONCLICK", "B"}});
    made->addBehaviour(CXString("ONCLICK"), behaviour, CXString("1").toVector(), other, false);
    made->addBehaviour(CXString("ONSIGNAL^GO"), behaviour, nullptr, other, false);
    made->addBehaviour(CXString("UNKNOWN"), behaviour, nullptr, other, false);
    EXPECT_TRUE(made->isSignalBound(2));

    made->onSceneDone(other);
    EXPECT_EQ(bindingCount(made, "ONCLICK"), 1);
    EXPECT_EQ(made->getBehaviour(CXString("ONSIGNAL^GO")), nullptr);
    EXPECT_EQ(made->getBehaviour(CXString("UNKNOWN")), nullptr);

    made->addBehaviour(CXString("ONCLICK"), behaviour, nullptr, scene, true);
    EXPECT_EQ(bindingCount(made, "ONCLICK"), 1);
    made->removeBehaviour(CXString("ONCLICK"));
    EXPECT_EQ(made->getBehaviour(CXString("ONCLICK")), nullptr);
    EXPECT_TRUE(made->isSignalBound(3));

    made->removeAllBehaviours();
    EXPECT_FALSE(made->isSignalBound(0));
    EXPECT_EQ(made->getBehaviourIndex(CXString("ONCLICK")), -1);
}

TEST_F(ScriptObject, SignalIndexesReadPrefixesAndCaretForms)
{
    CMC_Object plain(CXString("P"), 0);
    EXPECT_EQ(plain.getBehaviourIndex(CXString("ONINIT")), -1);
    EXPECT_EQ(plain.getSignalIndex(CXString("ONINIT")), -1);

    Clickable* made = door({});
    EXPECT_EQ(made->getBehaviourIndex(CXString("ONCLICK^LEFT")), 3);
    EXPECT_EQ(made->getBehaviourIndex(CXString("ONCLICKED")), 3);
    EXPECT_EQ(made->getBehaviourIndex(CXString("ONFOCUS")), -1);
    EXPECT_EQ(made->getSignalIndex(CXString("ONCLICKED^X^Y")), 4);
    EXPECT_EQ(made->getSignalIndex(CXString("ONCLICKX")), -1);
}

TEST_F(ScriptObject, ClonesAreNamedInTurnAndKeepEveryBindingButOninit)
{
    world.behaviour(scene, "B");
    Clickable* made = door({{"ONINIT", "B"}, {"ONCLICK", "B(1)"}, {"ONSIGNAL^X", "B"}});
    made->clone(3);
    ASSERT_NE(scene->getObject("DOOR_3"), nullptr);
    EXPECT_EQ(made->getClonesNo(), 3);

    auto* clone = static_cast<CMC_Object*>(scene->getObject("DOOR_2"));
    EXPECT_TRUE(clone->isClone());
    EXPECT_EQ(clone->getCloneIdx(), 2);
    EXPECT_EQ(clone->getScene(), scene);
    EXPECT_EQ(clone->getBehaviour(CXString("ONINIT")), nullptr);
    EXPECT_EQ(bindingCount(clone, "ONSIGNAL^X"), 1);
    clone->init();
    EXPECT_TRUE(world.takeLog().empty());
    clone->onSignal(CXString("ONCLICK"));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"B(1)"}));

    // The clone's records are its own: the source may drop its bindings first.
    made->removeAllBehaviours();
    clone->onSignal(CXString("ONCLICK"));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"B(1)"}));

    made->resetClones();
    made->clone(1);
    EXPECT_EQ(scene->getObjectId(CXString("DOOR_1")), scene->getObjectsNo() - 1);
    world.window->getPublicTrashInterface()->onTimer(0);

    const std::pair<const char*, int> indexes[] = {{"DOOR_2", 2}, {"DOOR_", 0}, {"_3", 0}, {"DOOR", 0}, {"A_B_12", 12}};
    for (const auto& [name, index] : indexes)
        EXPECT_EQ(CMC_Object(CXString(name), 0).getCloneIdx(), index) << name;
}

TEST_F(ScriptObject, ATypeWithoutCopiesMakesNoClones)
{
    auto* plain = new CMC_Object(CXString("PLAIN"), 0);
    plain->setScene(scene);
    scene->addObject(plain);
    plain->clone(2);
    EXPECT_EQ(scene->getObjectsNo(), 1);
    EXPECT_EQ(plain->getClonesNo(), 0);
}

TEST_F(ScriptObject, OndoneRunsOncePerInitialisation)
{
    world.behaviour(scene, "BYE");
    {
        auto element = makeElement("D", {{"ONDONE", "BYE"}});
        Clickable standalone(scene, element.get());
        standalone.done(true);
        standalone.done(true);
        EXPECT_EQ(world.takeLog().size(), 1u);
        standalone.init();
        standalone.done(true);
        EXPECT_EQ(world.takeLog().size(), 1u);
    }
    EXPECT_TRUE(world.takeLog().empty());
    {
        auto element = makeElement("D", {{"ONDONE", "BYE"}});
        Clickable dropped(scene, element.get());
    }
    EXPECT_EQ(world.takeLog().size(), 1u);
}

namespace {

class ObjectRecord : public ScriptObject {
protected:
    std::string store(CMC_Object* object)
    {
        {
            CFile file(nullptr, "record.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            object->serialize(&archive);
        }
        return world.temp.read("record.bin");
    }

    // Reads the record into a fresh DOOR of the scene, bound to the scene's behaviours.
    Clickable* load(const std::string& bytes, bool* failed = nullptr)
    {
        auto* read = new Clickable("", scene);
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        read->serialize(&archive);
        if (failed != nullptr)
            *failed = archive.failed();
        scene->addObject(read);
        read->initializeBehaviours(scene, nullptr);
        return read;
    }
};

} // namespace

TEST_F(ObjectRecord, IsTheNameAndOneEntryPerBinding)
{
    using namespace std::string_literals;
    world.behaviour(scene, "GO");
    Clickable* made = door({{"ONCLICK", "GO(a, bc)"}});
    EXPECT_EQ(store(made), "\x04\0\0\0DOOR"s
                           "\x01\0\0\0"s
                           "\x07\0\0\0ONCLICK\x02\0\0\0GO\x02\0\0\0\x01\0\0\0a\x02\0\0\0bc"s);
    CMC_Object unbound(CXString("X"), 0);
    EXPECT_EQ(store(&unbound), "\x01\0\0\0X\0\0\0\0"s);
}

TEST_F(ObjectRecord, RoundTripsAndRebindsEveryBindingOfAName)
{
    world.behaviour(scene, "GO");
    world.behaviour(scene, "STOP");
    Clickable* made = door({{"ONCLICK", "GO(a, b)"}, {"ONCLICK", "STOP"}, {"ONSIGNAL^X", "NOSUCH"}});
    made->addBehaviour(CXString("ONSIGNAL^X"), static_cast<CMC_Behaviour*>(scene->getObject("GO")), nullptr, scene,
                       false);
    const std::string bytes = store(made);
    scene->removeObject(made);
    delete made;

    Clickable* read = load(bytes);
    EXPECT_EQ(read->getName(), "DOOR");
    EXPECT_TRUE(read->isSignalBound(3));
    EXPECT_TRUE(read->onSignal(CXString("ONCLICK")));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"GO(a,b)", "STOP()"}));
    EXPECT_TRUE(read->onSignal(CXString("ONSIGNAL^X")));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"GO()"}));
}

TEST_F(ObjectRecord, UnknownBehavioursStayPlaceholdersThatRunNothing)
{
    using namespace std::string_literals;
    // One entry per binding name, as older files hold them.
    const std::string bytes = "\x01\0\0\0D\x02\0\0\0"s
                              "\x07\0\0\0ONCLICK\x04\0\0\0GONE\0\0\0\0"s
                              "\x07\0\0\0UNKNOWN\x02\0\0\0GO\0\0\0\0"s;
    world.behaviour(scene, "GO");
    Clickable* read = load(bytes);
    auto* binding = static_cast<CMC_Binding*>(read->getSingleBehaviour(CXString("ONCLICK"), 0));
    ASSERT_NE(binding, nullptr);
    EXPECT_TRUE(binding->holdsPlaceholder());
    EXPECT_FALSE(read->isSignalBound(3));
    EXPECT_TRUE(read->onSignal(CXString("ONCLICK")));
    EXPECT_TRUE(static_cast<CMC_Binding*>(read->getSingleBehaviour(CXString("UNKNOWN"), 0))->holdsPlaceholder());
    EXPECT_TRUE(world.takeLog().empty());
}

TEST_F(ObjectRecord, ADamagedRecordKeepsWhatWasWhole)
{
    using namespace std::string_literals;
    bool failed = false;
    Clickable* empty = load("\x01\0\0\0E\0\0\0\0"s, &failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(empty->getBehaviour(CXString("ONCLICK")), nullptr);

    Clickable* cut = load("\x01\0\0\0F\xFF\xFF\xFF\x7F\x07\0\0\0ONCLICK\x02\0\0\0GO\xFF\xFF\xFF\x7F\x01\0\0\0a"s, &failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(cut->getName(), "F");
    EXPECT_EQ(cut->getBehaviour(CXString("ONCLICK")), nullptr);
}
