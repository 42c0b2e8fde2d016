#include "app/CMC_Scene.h"
#include "app/CMC_System.h"
#include "app/CMC_Timer.h"
#include "foundation/CFile_Memory.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_String.h"

#include "app/SceneWorld.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// A step: "+N" lets N ms pass in frames of 10 ms, anything else is a statement; then what the
// handlers logged meanwhile.
struct Step {
    std::string action;
    std::string logged;
};

struct TimerCase {
    const char* name;
    const char* timers;
    std::vector<Step> steps;
};

// T logs its count at each tick, "two" for its second; Y logs its name.
constexpr const char* kCounting = "OBJECT=T\nT:TYPE=TIMER\nT:ELAPSE=100\nT:TICKS=3\n"
                                  "T:ONTICK={LOG^ADD(T^GETTICKS());LOG^ADD(\";\");}\n"
                                  "T:ONTICK^2={LOG^ADD(\"two;\");}\n";

const TimerCase kCases[] = {
    {"three ticks, then ENABLE counts from one again",
     kCounting,
     {{"+400", "1;two;3;"}, {"T^RESET()", ""}, {"+200", ""}, {"T^ENABLE()", ""}, {"+200", "1;two;"}}},
    {"SET(5) runs on past the limit", kCounting, {{"+100", "1;"}, {"T^SET(5)", ""}, {"+300", "6;7;8;"}}},
    {"DISABLE, then RESUME; RESUME of an enabled timer changes nothing",
     kCounting,
     {{"+100", "1;"}, {"T^DISABLE()", ""}, {"+200", ""}, {"T^RESUME()", ""}, {"T^RESUME()", ""}, {"+100", "two;"}}},
    {"SETELAPSE", kCounting, {{"T^SETELAPSE(50)", ""}, {"+100", "1;two;"}}},
    {"PAUSE and RESUME of one timer shift every other",
     "OBJECT=X\nX:TYPE=TIMER\nX:ELAPSE=100\n"
     "OBJECT=Y\nY:TYPE=TIMER\nY:ELAPSE=100\nY:ONTICK={LOG^ADD(\"Y;\");}\n",
     {{"+50", ""}, {"X^PAUSE()", ""}, {"+50", "Y;"}, {"+80", ""}, {"X^RESUME()", ""}, {"+40", ""}, {"+10", "Y;"}}},
    {"RESUME after DISABLE, or after PAUSE and ENABLE, leaves every other timer's schedule",
     "OBJECT=X\nX:TYPE=TIMER\nX:ELAPSE=100\n"
     "OBJECT=Y\nY:TYPE=TIMER\nY:ELAPSE=100\nY:ONTICK={LOG^ADD(\"Y;\");}\n",
     {{"+150", "Y;"}, {"X^DISABLE()", ""}, {"X^RESUME()", ""}, {"+50", "Y;"},
      {"+30", ""}, {"X^PAUSE()", ""}, {"X^ENABLE()", ""}, {"+120", "Y;"},
      {"X^DISABLE()", ""}, {"X^RESUME()", ""}, {"+40", ""}, {"+10", "Y;"}}},
    {"PAUSE(TRUE) lets the timers run, and RESUME leaves their schedule",
     "OBJECT=Y\nY:TYPE=TIMER\nY:ELAPSE=100\nY:ONTICK={LOG^ADD(\"Y;\");}\n",
     {{"+150", "Y;"}, {"S^PAUSE(TRUE)", ""}, {"+20", ""}, {"S^RESUME()", ""}, {"+30", "Y;"}, {"+100", "Y;"}}},
    {"ELAPSE 1000 counts from the end of the last tick's handlers",
     "OBJECT=T\nT:TYPE=TIMER\nT:ELAPSE=1000\nT:ONTICK={LOG^ADD(SYSTEM^GETSYSTEMTIME());LOG^ADD(\";\");"
     "SYSTEM^DELAY(30);}\n",
     {{"+2040", "1000;2030;"}}},
    {"ENABLED other than true starts disabled; an empty ELAPSE never ticks",
     "OBJECT=OFF\nOFF:TYPE=TIMER\nOFF:ELAPSE=100\nOFF:ENABLED=no\nOFF:ONTICK={LOG^ADD(\"off;\");}\n"
     "OBJECT=ON\nON:TYPE=TIMER\nON:ELAPSE=100\nON:ENABLED=True\nON:TICKS=1\nON:ONTICK={LOG^ADD(\"on;\");}\n"
     "OBJECT=NEVER\nNEVER:TYPE=TIMER\nNEVER:ONTICK={LOG^ADD(\"never;\");}\n",
     {{"+100", "on;"}, {"OFF^ENABLE()", ""}, {"NEVER^ENABLE()", ""}, {"NEVER^SET(1)", ""}, {"+100", "off;"}}},
    {"a removed timer ticks no more while it waits in the bin",
     kCounting,
     {{"+100", "1;"}, {"S^REMOVE(\"T\")", ""}, {"+300", ""}}},
};

// A scene of the engine on the manual clock with a STRING LOG, a GROUP G and SYSTEM.
class TimerScene {
public:
    TimerScene()
    {
        scene->addObject(new CMC_System(scene));
        world.build(scene, "OBJECT=LOG\nLOG:TYPE=STRING\n");
        scene->addObject(group);
    }

    void frames(int ms)
    {
        for (int passed = 0; passed < ms; passed += 10) {
            world.clock().advance(10);
            world.headless.turn();
        }
    }
    std::string run(const std::string& line)
    {
        CMC_Object* result = CMC_Behaviour::runLine(scene, scene, CXString(line.c_str()), nullptr);
        const std::string text = result != nullptr && result->asVariable() != nullptr ? result->asVariable()->toString().c_str() : "none";
        CMC_Object::releaseResult(result);
        return text;
    }
    std::string log()
    {
        const std::string text = world.text(scene, "LOG");
        static_cast<CMC_String*>(scene->getVariable("LOG"))->setValue(CXString());
        return text;
    }
    void play(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.action);
            if (step.action[0] == '+')
                frames(std::stoi(step.action.substr(1)));
            else
                run(step.action);
            EXPECT_EQ(log(), step.logged);
        }
    }

    // The names of G's members.
    std::vector<std::string> members()
    {
        std::vector<std::string> names;
        for (int i = 0; i < group->getList()->getCount(); ++i)
            names.emplace_back(static_cast<CMC_Object*>(group->getList()->at(i))->getName().c_str());
        return names;
    }

    SceneWorld world;
    CMC_Scene* scene = world.scene("S", "S");
    CMC_Groupped* group = new CMC_Groupped(CXString("G"), scene);
};

class Timers : public ::testing::Test, public TimerScene {};

} // namespace

TEST(TimerTicks, TicksLimitsAndTheWindowsTimerList)
{
    for (const TimerCase& timerCase : kCases) {
        SCOPED_TRACE(timerCase.name);
        TimerScene fresh;
        fresh.world.build(fresh.scene, timerCase.timers);
        fresh.play(timerCase.steps);
        fresh.world.emptyTheBin();
    }
}

// PAUSE(TRUE) keeps the timers running; RESUME(FALSE) after PAUSE leaves them stopped though
// they still count as running.
TEST_F(Timers, ThePausesOfTheScenesKeepOrStopTheTimers)
{
    world.build(scene, "OBJECT=A\nA:TYPE=TIMER\nA:ELAPSE=100\nA:ONTICK={LOG^ADD(\"a;\");}\n"
                       "OBJECT=B\nB:TYPE=TIMER\nB:ELAPSE=100\nB:ENABLED=FALSE\n");
    run("S^GETRUNNINGTIMER(\"G\")");
    EXPECT_EQ(members(), std::vector<std::string>{"A"});
    play({{"S^PAUSE(TRUE)", ""}, {"+100", "a;"}, {"S^RESUME()", ""}, {"S^PAUSE()", ""}, {"+200", ""},
          {"S^RESUME(FALSE)", ""}, {"+200", ""}});
    run("S^GETRUNNINGTIMER(\"G\")");
    EXPECT_EQ(members(), std::vector<std::string>{"A"});
    play({{"S^PAUSE()", ""}, {"S^RESUME()", ""}, {"+100", "a;"}});
}

// The record: the object's, with ENABLED as the note "{ENABLED}", then ELAPSE and TICKS.
// Records written before the note was kept read as they always did: a timer ticks from its
// record's ELAPSE on, every frame when it is empty, enabled.
TEST_F(Timers, RecordsHoldElapseTicksAndEnabledAndOlderRecordsReadBackTicking)
{
    auto i32 = [](int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    auto text = [&i32](const std::string& value) { return i32(static_cast<int32_t>(value.size())) + value; };
    world.build(scene, "OBJECT=T\nT:TYPE=TIMER\nT:ELAPSE=100\nT:TICKS=3\nT:ENABLED=FALSE\n");
    CFile_Memory memory;
    CXArchive written(&memory, true);
    scene->getObject("T")->serialize(&written);
    EXPECT_EQ(memory.contents(),
              text("T") + i32(1) + text("{ENABLED}") + text("FALSE") + i32(1) + text("") + text("100") + i32(3));

    for (const auto& [elapse, ticks] : {std::pair<std::string, int>{"100", 1}, {"", 3}}) {
        SCOPED_TRACE(elapse);
        const std::string record = text("R") + i32(0) + text(elapse) + i32(3);
        CFile_Stream file(record.data(), static_cast<int>(record.size()));
        CXArchive archive(&file, false);
        std::unique_ptr<CMC_Timer> read(static_cast<CMC_Timer*>(CMC_RecordFactory::create(CMC_Timer::TYPE, scene)));
        read->serialize(&archive);
        ASSERT_FALSE(archive.failed());
        EXPECT_TRUE(read->isRegistered());
        EXPECT_TRUE(read->isEnabled());
        frames(100);
        EXPECT_EQ(read->getTicks(), ticks);
    }
}

// Stored and read back, a timer starts as its definition made it: disabled by ENABLED, and
// without an entry, never ticking, without an ELAPSE.
TEST(TimerRecords, ATimerReadBackStartsAsItsDefinitionMadeIt)
{
    struct Case {
        const char* definition;
        bool enabled;
        bool registered;
        int ticks;
    };
    const Case cases[] = {
        {"T:ELAPSE=100\nT:ENABLED=FALSE\n", false, true, 0},
        {"T:ELAPSE=100\nT:ENABLED=true\n", true, true, 1},
        {"T:ENABLED=TRUE\n", true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definition);
        TimerScene fresh;
        fresh.world.build(fresh.scene, std::string("OBJECT=T\nT:TYPE=TIMER\n") + c.definition);
        CFile_Memory memory;
        CXArchive written(&memory, true);
        fresh.scene->getObject("T")->serialize(&written);
        const std::string record = memory.contents();
        CFile_Stream file(record.data(), static_cast<int>(record.size()));
        CXArchive archive(&file, false);
        std::unique_ptr<CMC_Timer> read(
            static_cast<CMC_Timer*>(CMC_RecordFactory::create(CMC_Timer::TYPE, fresh.scene)));
        read->serialize(&archive);
        ASSERT_FALSE(archive.failed());
        EXPECT_EQ(read->isEnabled(), c.enabled);
        EXPECT_EQ(read->isRegistered(), c.registered);
        fresh.frames(150);
        EXPECT_EQ(read->getTicks(), c.ticks);
        EXPECT_EQ(read->getBehaviour("{ENABLED}"), nullptr);
    }
}
