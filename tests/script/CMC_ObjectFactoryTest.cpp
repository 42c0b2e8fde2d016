#include "script/CMC_ObjectFactory.h"

#include "foundation/CTextFileReader.h"
#include "foundation/CXVector.h"
#include "platform/DebugOutput.h"
#include "script/CMC_BasicCondition.h"
#include "script/CMC_Binding.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"
#include "script/CMElementsLoader.h"

#include "ScriptWorld.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class AlwaysTrue : public CMC_BasicCondition {
public:
    AlwaysTrue(CMC_ObjectsContainer* container, CMElement* element)
        : CMC_BasicCondition(container, element, TYPE_CONDITION)
    {
    }
    bool valid(bool) override { return true; }
};

template <typename Type>
CMC_Object* build(CMC_ObjectsContainer* container, CMElement* element)
{
    return new Type(container, element);
}

// Attaches a constructor for the life of the guard.
class Attached {
public:
    Attached(const char* word, CMC_ObjectFactory::Constructor constructor)
        : word_(word)
        , previous_(CMC_ObjectFactory::attach(word, constructor))
    {
    }
    ~Attached() { CMC_ObjectFactory::attach(word_, previous_); }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;

private:
    const char* word_;
    CMC_ObjectFactory::Constructor previous_;
};

class Factory : public ::testing::Test {
protected:
    Factory() { platform::setDebugOutputEnabled(true); }
    ~Factory() override { platform::setDebugOutputEnabled(false); }

    // The definitions of the text, built into the scene; the left-over names in order, and
    // what the debug output said meanwhile.
    std::vector<std::string> resolveText(const char* text, std::string* said = nullptr)
    {
        elements.reset(CMElementsLoader::load(nullptr, new CTextFileReader(nullptr, text, static_cast<int>(std::strlen(text)))));
        testing::internal::CaptureStderr();
        std::unique_ptr<CMElements> left(scene->resolveObjects(elements.get()));
        const std::string output = testing::internal::GetCapturedStderr();
        if (said != nullptr)
            *said = output;
        std::vector<std::string> names;
        for (int i = 0; i < left->getCount(); ++i)
            names.emplace_back(left->getAt(i)->getName().c_str());
        return names;
    }

    void initialiseAll()
    {
        for (int i = 0; i < scene->getObjectsNo(); ++i)
            scene->getObject(i)->init();
    }

    ScriptWorld world;
    CMC_ObjectsContainer* application = world.container("GAME", CMC_Object::TYPE_APPLICATION);
    CMC_ObjectsContainer* scene = world.container("SCENE");
    std::unique_ptr<CMElements> elements;
};

} // namespace

TEST(FactoryWords, PassesAndSpecialCasesAreFixed)
{
    const std::pair<const char*, int> passes[] = {
        {"BEHAVIOUR", 1}, {"INTEGER", 2}, {"STRUCT", 3}, {"DATABASE", 3}, {"CLASS", 4},
        {"VIRTUALGRAPHICSOBJECT", 5}, {"VECTOR", 5}, {"MOUSE", 6}, {"CANVAS_OBSERVER", 6}, {"MOVIE", 6},
    };
    for (const auto& [word, pass] : passes) {
        const CMC_ObjectFactory::Word* entry = CMC_ObjectFactory::find(CXString(word));
        ASSERT_NE(entry, nullptr) << word;
        EXPECT_EQ(entry->pass, pass) << word;
    }
    for (const char* word : {"CANVASOBSERVER", "STRUCTURE", "integer", "RANDOM", "SCENE"})
        EXPECT_EQ(CMC_ObjectFactory::find(CXString(word)), nullptr) << word;
    EXPECT_FALSE(CMC_ObjectFactory::find(CXString("PHONE"))->byResolve);
    EXPECT_STREQ(CMC_ObjectFactory::find(CXString("CANVAS_OBSERVER"))->rebindName, "CANVASOBSERVER");
    EXPECT_EQ(CMC_ObjectFactory::attach("NOSUCHWORD", build<Clickable>), nullptr);
    EXPECT_EQ(CMC_ObjectFactory::find(CXString("NOSUCHWORD")), nullptr);
}

TEST_F(Factory, BuildsValuesAndBehavioursInPassesAndReportsWhatItCannotBuild)
{
    world.temp.write("game.ini", "[SCENE]\r\nSPEED=2.25\r\n");
    std::string said;
    const std::vector<std::string> left = resolveText("OBJECT=SCORE\n"
                                                      "SCORE:TYPE=INTEGER\n"
                                                      "SCORE:VALUE=7\n"
                                                      "SCORE:DEFAULT=3\n"
                                                      "SCORE:TOINI=TRUE\n"
                                                      "SCORE:ONCHANGED=ONSCORE\n"
                                                      "OBJECT=WHO\n"
                                                      "WHO:TYPE=STRING\n"
                                                      "WHO:VALUE=Ala\n"
                                                      "OBJECT=SOUNDON\n"
                                                      "SOUNDON:TYPE=BOOL\n"
                                                      "SOUNDON:VALUE=TRUE\n"
                                                      "OBJECT=SPEED\n"
                                                      "SPEED:TYPE=DOUBLE\n"
                                                      "SPEED:VALUE=1.5\n"
                                                      "SPEED:TOINI=TRUE\n"
                                                      "OBJECT=SHIP\n"
                                                      "SHIP:TYPE=SPACESHIP\n"
                                                      "OBJECT=BARE\n"
                                                      "OBJECT=HERO\n"
                                                      "HERO:TYPE=ANIMO\n"
                                                      "OBJECT=CALL\n"
                                                      "CALL:TYPE=PHONE\n"
                                                      "OBJECT=ONSCORE\n"
                                                      "ONSCORE:TYPE=BEHAVIOUR\n"
                                                      "ONSCORE:CODE={ SCORE^INC(); }\n",
                                                      &said);
    EXPECT_EQ(left, (std::vector<std::string>{"SHIP", "BARE", "HERO", "CALL"}));
    EXPECT_NE(said.find("SHIP"), std::string::npos);
    EXPECT_NE(said.find("SPACESHIP"), std::string::npos);
    EXPECT_NE(said.find("HERO"), std::string::npos);
    EXPECT_EQ(said.find("BARE"), std::string::npos);
    EXPECT_EQ(said.find("CALL"), std::string::npos);

    // Behaviours come first, then the values in file order.
    ASSERT_EQ(scene->getObjectsNo(), 5);
    EXPECT_EQ(scene->getObject(0)->getName(), "ONSCORE");
    EXPECT_EQ(scene->getObject(1)->getName(), "SCORE");
    initialiseAll();

    auto* score = static_cast<CMC_Integer*>(scene->getVariable("SCORE"));
    EXPECT_EQ(score->getValue(), 7);
    EXPECT_TRUE(score->isNetNotify());
    EXPECT_EQ(static_cast<CMC_String*>(scene->getVariable("WHO"))->getValue(), "Ala");
    EXPECT_TRUE(static_cast<CMC_Bool*>(scene->getVariable("SOUNDON"))->getValue());
    EXPECT_DOUBLE_EQ(static_cast<CMC_Double*>(scene->getVariable("SPEED"))->getValue(), 2.25);
    auto* binding = static_cast<CMC_Binding*>(score->getSingleBehaviour(CXString("ONCHANGED"), 0));
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->getBoundObject(), scene->getObject("ONSCORE"));
    EXPECT_EQ(static_cast<CMC_Behaviour*>(scene->getObject("ONSCORE"))->getCode(), "SCORE^INC();");

    // The first run wrote the value that the INI lacked; an unchanged assignment writes none.
    const std::string ini = world.temp.read("game.ini");
    EXPECT_NE(ini.find("SCORE=7"), std::string::npos);
    EXPECT_NE(ini.find("SPEED=2.25"), std::string::npos);
    world.temp.write("game.ini", "[SCENE]\r\n");
    CMC_Integer same(7);
    score->set(&same);
    EXPECT_EQ(world.temp.read("game.ini"), "[SCENE]\r\n");
    score->inc();
    EXPECT_NE(world.temp.read("game.ini").find("SCORE=8"), std::string::npos);
    score->resetINI();
    EXPECT_NE(world.temp.read("game.ini").find("SCORE=3"), std::string::npos);
}

TEST_F(Factory, InputDevicesAlreadyDefinedTakeTheScenesHandlers)
{
    scene->setParent(application);
    auto* mouse = new Clickable("MOUSE", application, 100);
    application->addObject(mouse);
    auto* observer = new Clickable("CANVASOBSERVER", application, 103);
    application->addObject(observer);
    world.behaviour(scene, "CLICKED");

    std::string said;
    const std::vector<std::string> left = resolveText("OBJECT=MOUSE\nMOUSE:TYPE=MOUSE\nMOUSE:ONCLICK=CLICKED\n"
                                                      "OBJECT=OBS\nOBS:TYPE=CANVAS_OBSERVER\nOBS:ONCLICK=CLICKED\n"
                                                      "OBJECT=PAD\nPAD:TYPE=JOYSTICK\n"
                                                      "OBJECT=OLD\nOLD:TYPE=CANVASOBSERVER\n",
                                                      &said);
    EXPECT_EQ(left, (std::vector<std::string>{"MOUSE", "OBS", "PAD", "OLD"}));
    EXPECT_EQ(scene->getObject("MOUSE"), mouse);
    auto* binding = static_cast<CMC_Binding*>(mouse->getSingleBehaviour(CXString("ONCLICK"), 0));
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->getOwner(), scene);
    EXPECT_NE(observer->getSingleBehaviour(CXString("ONCLICK"), 0), nullptr);
    EXPECT_NE(said.find("PAD"), std::string::npos);
    EXPECT_NE(said.find("CANVASOBSERVER"), std::string::npos);

    application->onSubSceneDone(scene);
    EXPECT_EQ(mouse->getBehaviour(CXString("ONCLICK")), nullptr);
}

TEST_F(Factory, AMouseWithoutAnEarlierOneIsBuiltByItsAttachedType)
{
    Attached mouse("MOUSE", build<Clickable>);
    EXPECT_TRUE(resolveText("OBJECT=MOUSE\nMOUSE:TYPE=MOUSE\n").empty());
    EXPECT_EQ(scene->getObject("MOUSE")->getType(), 2000);
}

TEST_F(Factory, ConditionsDefinedLaterAreFoundAfterTheFourthPass)
{
    Attached condition("CONDITION", build<AlwaysTrue>);
    resolveText("OBJECT=GUARDED\nGUARDED:TYPE=BEHAVIOUR\nGUARDED:CONDITION=READY\n"
                "OBJECT=MISTAKEN\nMISTAKEN:TYPE=BEHAVIOUR\nMISTAKEN:CONDITION=COUNT\n"
                "OBJECT=READY\nREADY:TYPE=CONDITION\n"
                "OBJECT=COUNT\nCOUNT:TYPE=INTEGER\n");
    auto* guarded = static_cast<CMC_Behaviour*>(scene->getObject("GUARDED"));
    EXPECT_EQ(guarded->getConditionInterface(), scene->getObject("READY"));
    EXPECT_EQ(static_cast<CMC_Behaviour*>(scene->getObject("MISTAKEN"))->getConditionInterface(), nullptr);
    EXPECT_EQ(guarded->getCodition(), "READY");
}

TEST_F(Factory, ResolveBuildsOneObjectAndGroupsItsInlineBehaviours)
{
    Attached animo("ANIMO", build<Clickable>);
    world.behaviour(scene, "NAMED");
    auto text = makeElement("T", {{"TYPE", "STRING"}, {"VALUE", "x"}});
    std::unique_ptr<CXVector> built(scene->resolve(text.get(), nullptr));
    ASSERT_EQ(built->getCount(), 1);
    EXPECT_EQ(scene->getObject("T"), nullptr);
    delete built->at(0);

    CMC_Groupped group(CXString("G"), scene);
    auto hero = makeElement("HERO", {{"TYPE", "ANIMO"}, {"ONCLICK", "{ HERO^HIDE(); }"}, {"ONINIT", "NAMED"},
                                     {"ONCLICK^LEFT", "{ HERO^SHOW(); }"}});
    built.reset(scene->resolve(hero.get(), &group));
    ASSERT_EQ(built->getCount(), 1);
    ASSERT_EQ(group.getList()->getCount(), 1);
    EXPECT_EQ(static_cast<CMC_Object*>(group.getList()->at(0))->getName(), "beh_HERO_ONCLICK");
    delete built->at(0);

    auto phone = makeElement("CALL", {{"TYPE", "PHONE"}});
    auto bare = makeElement("BARE", {});
    testing::internal::CaptureStderr();
    built.reset(scene->resolve(phone.get(), nullptr));
    EXPECT_EQ(built->getCount(), 0);
    built.reset(scene->resolve(bare.get(), nullptr));
    EXPECT_EQ(built->getCount(), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("PHONE"), std::string::npos);
    EXPECT_EQ(said.find("BARE"), std::string::npos);
}
