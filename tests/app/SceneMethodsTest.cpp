#include "app/CMC_Scene_Runner.h"

#include "app/CMC_Scene.h"
#include "foundation/CXVector.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CHotSpot.h"
#include "graphics/CMC_SceneTypes.h"
#include "media/CMusic.h"
#include "media/CPlayable.h"
#include "media/CScriptSoundLevels.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_SignalList.h"

#include "app/SceneWorld.h"
#include "media/SoundTestKit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

// Plays when told, in the application's animation manager.
class Tune : public CPlayable {
public:
    explicit Tune(CAnimationManager* manager)
        : CPlayable(nullptr)
        , manager_(manager)
    {
        manager_->add(this, nullptr);
    }
    ~Tune() override { manager_->remove(this); }
    void play() override { status_ = STATUS_PLAYING; }
    void stop(bool) override { status_ = 0; }
    void pause() override
    {
        if (isPlaying())
            status_ = STATUS_PAUSED;
    }
    void resume() override
    {
        if (isPaused())
            status_ = STATUS_PLAYING;
    }
    void seek(int) override {}

private:
    CAnimationManager* manager_;
};

// A script object of a type that plays (ANIMO, SEQUENCE) or runs (TIMER), as those types
// will be seen by scenes.
class Player : public CMC_Object {
public:
    Player(const char* name, int type, CMC_ObjectsContainer* scene, CAnimationManager* manager)
        : CMC_Object(CXString(name), type)
        , tune(manager)
    {
        setScene(scene);
    }
    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE"};
        return &signals;
    }

    Tune tune;
    bool enabled = false;
};

CPlayable* tuneOf(CMC_Object* object)
{
    auto* player = dynamic_cast<Player*>(object);
    return player != nullptr ? &player->tune : nullptr;
}

bool enabled(CMC_Object* object)
{
    auto* player = dynamic_cast<Player*>(object);
    return player != nullptr && player->enabled;
}

constexpr int kAnimo = 2000;
constexpr int kSequence = 2004;
constexpr int kTimer = 2007;

class SceneMethods : public ::testing::Test {
protected:
    SceneMethods()
    {
        for (int type : {kAnimo, kSequence})
            CMC_SceneTypes::attachPlayable(type, tuneOf);
        CMC_SceneTypes::attachRunningTest(kTimer, enabled);
        world.build(top, "OBJECT=LOG\nLOG:TYPE=STRING\nOBJECT=COUNT\nCOUNT:TYPE=INTEGER\n"
                         "OBJECT=FROMTOP\nFROMTOP:TYPE=INTEGER\n");
        world.build(scene, "OBJECT=NOTE\nNOTE:TYPE=BEHAVIOUR\nNOTE:CODE={LOG^ADD(\"$1;\");}\n"
                           "OBJECT=PAIR\nPAIR:TYPE=BEHAVIOUR\nPAIR:CODE={LOG^ADD($1);LOG^ADD($2);LOG^ADD(\";\");}\n"
                           "OBJECT=ONLYIF\nONLYIF:TYPE=BEHAVIOUR\nONLYIF:CODE={LOG^ADD(\"ran;\");}\n"
                           "ONLYIF:CONDITION=NEVER\nOBJECT=NEVER\nNEVER:TYPE=CONDITION\nNEVER:OPERAND1=1\n"
                           "NEVER:OPERATOR=EQUAL\nNEVER:OPERAND2=2\n"
                           "OBJECT=GONE\nGONE:TYPE=BEHAVIOUR\nGONE:CODE={COUNT^INC();}\n"
                           "OBJECT=A\nA:TYPE=INTEGER\nA:VALUE=4\nA:ONDONE=GONE\n"
                           "OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=1\nOBJECT=ARR\nARR:TYPE=ARRAY\n");
        group = new CMC_Groupped(CXString("G"), scene);
        scene->addObject(group);
        log();
    }
    ~SceneMethods() override
    {
        for (int type : {kAnimo, kSequence})
            CMC_SceneTypes::attachPlayable(type, nullptr);
        CMC_SceneTypes::attachRunningTest(kTimer, nullptr);
    }

    // The method's result as text ("none" without one); every argument is a STRING.
    std::string call(CMC_Scene* on, const char* method, std::initializer_list<const char*> arguments = {})
    {
        std::vector<std::unique_ptr<CMC_String>> values;
        CXVector args;
        for (const char* argument : arguments) {
            values.push_back(std::make_unique<CMC_String>(CXString(), CXString(argument)));
            args.add(values.back().get());
        }
        CMC_Object* result = CMC_RunnerFactory::getRunner(CMC_Object::TYPE_SCENE)->run(CXString(method), on, nullptr, &args);
        const std::string text = result != nullptr && result->asVariable() != nullptr
                                     ? result->asVariable()->toString().c_str()
                                     : "none";
        CMC_Object::releaseResult(result);
        return text;
    }
    std::string call(const char* method, std::initializer_list<const char*> arguments = {})
    {
        return call(scene, method, arguments);
    }
    std::string log()
    {
        const std::string text = world.text(top, "LOG");
        static_cast<CMC_String*>(top->getVariable("LOG"))->setValue(CXString());
        return text;
    }
    Player* player(const char* name, int type)
    {
        auto* made = new Player(name, type, scene, world.application->getAnimoManagerIfc());
        scene->addObject(made);
        return made;
    }
    std::vector<std::string> members()
    {
        std::vector<std::string> names;
        for (int i = 0; i < group->getList()->getCount(); ++i)
            names.emplace_back(static_cast<CMC_Object*>(group->getList()->at(i))->getName().c_str());
        return names;
    }
    bool isHeld(const char* name) { return scene->getOwnObject(CXString(name)) != nullptr; }

    SceneWorld world;
    ParentNode* top = world.parent("TOP");
    CMC_Scene* scene = world.scene("S", "S", top);
    CMC_Groupped* group = nullptr;
};

} // namespace

TEST_F(SceneMethods, SmallQueriesAndSettings)
{
    const std::pair<const char*, const char*> times[] = {
        {"0", "0000"}, {"59", "0059"}, {"75", "0115"}, {"3599", "5959"}, {"6000", "10000"}};
    for (const auto& [seconds, shown] : times)
        EXPECT_EQ(call("TOTIME", {seconds}), shown) << seconds;

    EXPECT_EQ(call("GETELEMENTSNO"), std::to_string(scene->getElementsNo()));
    scene->setDraggedName(CXString("CARD"));
    EXPECT_EQ(call("GETDRAGGEDNAME"), "CARD");

    const int minimum = CHotSpot::getMinPriority();
    const int maximum = CHotSpot::getMaxPriority();
    call("SETMINHSPRIORITY", {"5"});
    call("SETMAXHSPRIORITY", {"50"});
    EXPECT_EQ(call("GETMINHSPRIORITY"), "5");
    EXPECT_EQ(call("GETMAXHSPRIORITY"), "50");
    CHotSpot::setMinPriority(minimum);
    CHotSpot::setMaxPriority(maximum);

    // Methods that need arguments do nothing without them.
    for (const char* method : {"RUN", "RUNCLONES", "REMOVE", "REMOVECLONES", "CREATEOBJECT", "SETMUSICVOLUME"})
        EXPECT_EQ(call(method), "none") << method;
}

TEST_F(SceneMethods, MusicLevelsAreTheScriptsScale)
{
    const std::pair<int64_t, int32_t> volumes[] = {
        {800, 0}, {700, -400}, {26, -3096}, {25, -10000}, {-5, -10000}, {900, 0}, {INT64_C(3000000000), 0},
        {INT32_MIN, -10000}};
    for (const auto& [volume, level] : volumes)
        EXPECT_EQ(CScriptSoundLevels::volumeToDevice(volume), level) << volume;
    const std::pair<int64_t, int32_t> pans[] = {
        {400, 0}, {-2000, -10000}, {-1149, -3098}, {1949, 3098}, {1950, 10000}, {INT32_MAX, 10000}};
    for (const auto& [pan, level] : pans)
        EXPECT_EQ(CScriptSoundLevels::panToDevice(pan), level) << pan;

    world.write("theme.wav", wav::riff(wav::fmt(1, 1, 22050, 16) +
                                       wav::chunk("data", wav::samples16(std::vector<int16_t>(22050, 7)))));
    world.window().StartMusic(CXString("theme.wav"), true);
    const std::pair<const char*, const char*> roundTrips[] = {{"800", "800"}, {"26", "26"}, {"25", "0"}, {"1200", "800"}};
    for (const auto& [volume, read] : roundTrips) {
        call("SETMUSICVOLUME", {volume});
        EXPECT_EQ(call("GETMUSICVOLUME"), read) << volume;
    }
    call("SETMUSICPAN", {"1000"});
    call("SETMUSICFREQ", {"11025"});
    EXPECT_TRUE(world.window().isMusicPlaying());
}

TEST_F(SceneMethods, RunCallsABehaviourByItsExactNamesAndAnyOtherMethodThroughItsRunner)
{
    EXPECT_EQ(call("RUN", {"PAIR", "RUN", "x", "y"}), "none");
    EXPECT_EQ(log(), "xy;");
    call("RUN", {"ONLYIF", "RUN"});
    call("RUN", {"ONLYIF", "RUNC"});
    EXPECT_EQ(log(), "ran;");
    call("RUN", {"PAIR", "run", "x", "y"});
    EXPECT_EQ(log(), "");

    call("RUN", {"N", "ADD", "5"});
    EXPECT_EQ(world.text(scene, "N"), "6");
    EXPECT_EQ(call("RUN", {"N", "GETNAME"}), "N");
    // Objects of types without a runner (one that only plug-ins make), and names of nothing, give
    // nothing.
    player("P", 10002);
    EXPECT_EQ(call("RUN", {"P", "GETNAME"}), "none");
    EXPECT_EQ(call("RUN", {"NOSUCH", "GETNAME"}), "none");
}

TEST_F(SceneMethods, RunClonesGivesEachCloneNameToTheBehaviourOrCode)
{
    scene->getObject("A")->clone(3);
    call("RUNCLONES", {"A", "0", "0", "NOTE"});
    EXPECT_EQ(log(), "A_1;A_2;A_3;");
    call("RUNCLONES", {"A", "3", "2", "NOTE"});
    EXPECT_EQ(log(), "");
    call("RUNCLONES", {"A", "2", "5", "{LOG^ADD(\"$1\");LOG^ADD($2);}", "x"});
    EXPECT_EQ(log(), "A_2xA_3xA_4xA_5x");
    // A name that is no behaviour is code.
    call("RUNCLONES", {"A", "1", "1", "N"});
    EXPECT_EQ(log(), "");
    call("RUNCLONES", {"NOSUCH", "1", "1", "NOTE"});
    EXPECT_EQ(log(), "");
}

TEST_F(SceneMethods, RemovedObjectsLeaveAtOnceFinishOnceAndWaitForTheBin)
{
    scene->getObject("A")->clone(3);
    call("REMOVECLONES", {"A", "0", "2"});
    EXPECT_FALSE(isHeld("A"));
    EXPECT_FALSE(isHeld("A_1"));
    EXPECT_FALSE(isHeld("A_2"));
    EXPECT_TRUE(isHeld("A_3"));
    EXPECT_EQ(world.text(top, "COUNT"), "3");
    world.emptyTheBin();
    EXPECT_EQ(world.text(top, "COUNT"), "3");

    CMC_Object* b = scene->getObject("N");
    b->clone(2);
    call("REMOVECLONES", {"N", "-1", "-1"});
    EXPECT_TRUE(isHeld("N"));
    EXPECT_FALSE(isHeld("N_1"));
    EXPECT_FALSE(isHeld("N_2"));

    // The running behaviour removes itself and runs on; the bin frees it later.
    world.build(scene, "OBJECT=SELF\nSELF:TYPE=BEHAVIOUR\nSELF:CODE={S^REMOVE(\"SELF\");LOG^ADD(\"after;\");}\n");
    log();
    static_cast<CMC_Behaviour*>(scene->getObject("SELF"))->run(nullptr, nullptr, false);
    EXPECT_EQ(log(), "after;");
    EXPECT_FALSE(isHeld("SELF"));

    // Only what the scene holds itself goes; never a scene node.
    call("REMOVE", {"FROMTOP"});
    call("REMOVECLONES", {"FROMTOP", "0", "0"});
    call("REMOVE", {"TOP"});
    EXPECT_NE(top->getOwnObject(CXString("FROMTOP")), nullptr);
    EXPECT_TRUE(isHeld("TOP"));
    world.emptyTheBin();
}

TEST_F(SceneMethods, PauseStopsTimersUnlessKeptAndResumeRestartsThemUnlessTold)
{
    Player* playing = player("P", kAnimo);
    playing->tune.play();
    world.build(scene, "OBJECT=START\nSTART:TYPE=BEHAVIOUR\nSTART:CODE={@RUNONTIMER(100,0,{COUNT^INC();});}\n");
    static_cast<CMC_Behaviour*>(scene->getObject("START"))->run(nullptr, nullptr, false);
    CXTimer* timers = world.window().GetTimerInterface();
    auto tick = [&] {
        world.clock().advance(100);
        timers->domodal();
        return world.text(top, "COUNT");
    };
    EXPECT_EQ(tick(), "1");

    EXPECT_EQ(call("ISPAUSED"), "FALSE");
    call("PAUSE", {"TRUE"});
    EXPECT_TRUE(playing->tune.isPaused());
    EXPECT_TRUE(CWindow::isPaused());
    EXPECT_EQ(tick(), "2");
    // One flag for every scene.
    EXPECT_EQ(call(world.scene("OTHER", "OTHER"), "ISPAUSED"), "TRUE");
    call("RESUME");
    EXPECT_TRUE(playing->tune.isPlaying());
    EXPECT_FALSE(CWindow::isPaused());

    call("PAUSE");
    call("PAUSE", {"TRUE"});
    EXPECT_EQ(tick(), "2");
    call("RESUME", {"FALSE"});
    EXPECT_TRUE(playing->tune.isPlaying());
    EXPECT_EQ(tick(), "2");
    call("RESUME");
    EXPECT_EQ(tick(), "2");
    EXPECT_EQ(call("ISPAUSED"), "FALSE");
}

TEST_F(SceneMethods, ListsHoldWhatPlaysOrRunsAndResumeOnlyPicksAGroup)
{
    Player* walking = player("WALK", kAnimo);
    Player* standing = player("STAND", kAnimo);
    Player* intro = player("INTRO", kSequence);
    Player* outro = player("OUTRO", kSequence);
    Player* clock = player("CLOCK", kTimer);
    player("IDLE", kTimer);
    walking->tune.play();
    intro->tune.play();
    clock->enabled = true;

    call("GETPLAYINGANIMO", {"G"});
    EXPECT_EQ(members(), std::vector<std::string>{"WALK"});
    call("GETRUNNINGTIMER", {"G"});
    EXPECT_EQ(members(), std::vector<std::string>{"CLOCK"});
    call("GETOBJECTS", {"INTEGER", "G"});
    EXPECT_EQ(members(), (std::vector<std::string>{"A", "N"}));
    call("GETOBJECTS", {"NOSUCHTYPE", "G"});
    EXPECT_EQ(members(), std::vector<std::string>{});
    auto* names = static_cast<CMC_Array*>(scene->getObject("ARR"));
    call("GETPLAYINGSEQ", {"ARR"});
    call("GETPLAYINGSEQ", {"ARR"});
    EXPECT_EQ(names->toString(), "INTRO,INTRO");

    // Targets of another type are passed by.
    for (const char* method : {"GETPLAYINGANIMO", "GETRUNNINGTIMER", "GETPLAYINGSEQ", "RESUMESEQONLY"})
        call(method, {"N"});
    call("GETOBJECTS", {"INTEGER", "ARR"});
    EXPECT_EQ(names->toString(), "INTRO,INTRO");

    outro->tune.play();
    for (Player* each : {walking, standing, intro, outro})
        each->tune.pause();
    call("RESUMESEQONLY", {"ARR"});
    EXPECT_TRUE(intro->tune.isPlaying());
    EXPECT_TRUE(outro->tune.isPaused());

    standing->tune.play();
    call("PAUSE");
    group->removeAll();
    group->add(standing);
    call("RESUMEONLY", {"G", "TRUE"});
    EXPECT_TRUE(standing->tune.isPlaying());
    EXPECT_TRUE(walking->tune.isPaused());
    call("PAUSE");
    call("RESUMEONLY", {"NOSUCH"});
    EXPECT_TRUE(walking->tune.isPlaying());
}

TEST_F(SceneMethods, CreateObjectMakesOnlyTheRunTimeTypesThatExist)
{
    const CMC_SceneTypes::Maker button = CMC_SceneTypes::attachMaker("BUTTON", nullptr);
    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    call("CREATEOBJECT", {"BUTTON", "B1"});
    const std::string reported = testing::internal::GetCapturedStderr();
    platform::setDebugOutputEnabled(false);
    CMC_SceneTypes::attachMaker("BUTTON", button);
    EXPECT_NE(reported.find("Object B1 not created: no run-time type BUTTON"), std::string::npos) << reported;
    EXPECT_FALSE(isHeld("B1"));

    const CMC_SceneTypes::Maker before =
        CMC_SceneTypes::attachMaker("VGO", [](CMC_ObjectsContainer* in, const CXString& name) -> CMC_Object* {
            CApplication* application = CWindow::of(in->getWindow())->GetApplicationInterface();
            return new Player(name.c_str(), 3005, in, application->getAnimoManagerIfc());
        });
    EXPECT_EQ(CMC_SceneTypes::attachMaker("vgo", nullptr), nullptr);
    call("CREATEOBJECT", {"VGO", "V"});
    CMC_Object* first = scene->getObject("V");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getType(), 3005);
    call("CREATEOBJECT", {"VGO", "V"});
    EXPECT_NE(scene->getObject("V"), first);
    EXPECT_EQ(std::unique_ptr<CXVector>(scene->getObjectsOfType(3005))->getCount(), 1);
    CMC_SceneTypes::attachMaker("VGO", before);
    world.emptyTheBin();
}
