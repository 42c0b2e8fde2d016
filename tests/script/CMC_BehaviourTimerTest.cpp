#include "script/CMC_Behaviour.h"

#include "foundation/CPublicTrash.h"
#include "foundation/CXRandom.h"
#include "platform/Clock.h"

#include "Interpreter.h"

#include <algorithm>
#include <cstdio>

namespace {

// Timed code on the window's timer list, on a clock that the test moves.
class TimedCode : public Interpreter {
protected:
    TimedCode()
    {
        platform::setClock(&clock);
        probe("P");
        string("NAME", "");
    }
    ~TimedCode() override { platform::setClock(nullptr); }

    // Moves the clock in steps of the interval and polls the timer list after each.
    void tick(int times, uint32_t interval = 100)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(interval);
            world.window->GetTimerInterface()->domodal();
        }
    }

    platform::ManualClock clock{1000};
};

} // namespace

TEST_F(TimedCode, CountedRunsThenTheEndCodeOnce)
{
    // Arguments after the end code are "$2" on; the name of the timer behaviour is given.
    run("NAME^SET(@RUNONTIMER(100,3,{P^CALL($1,$2,$3);},{P^CALL(end,$1);},x,y));");
    const CXString name = static_cast<CMC_String*>(scene->getObject("NAME"))->getValue();
    EXPECT_TRUE(name.startsWith("timer_")) << name.c_str();
    CMC_Object* timed = scene->getObject(name.c_str());
    ASSERT_NE(timed, nullptr);
    clock.advance(99);
    world.window->GetTimerInterface()->domodal();
    EXPECT_TRUE(takeLog().empty());
    tick(5);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1,x,y)", "P.CALL(2,x,y)", "P.CALL(3,x,y)", "P.CALL(end,3)"}));
    // The behaviour left its container and is marked for the bin.
    EXPECT_EQ(scene->getObject(name.c_str()), nullptr);
    EXPECT_TRUE(timed->isToDelete());
    EXPECT_TRUE(world.window->getPublicTrashInterface()->contains(timed));
}

TEST_F(TimedCode, UnlimitedRunsEndByBreakOrByTheBreakMethod)
{
    // Code and end code named by behaviours: the code is copied, so changing it later changes
    // nothing; the end behaviour runs with its condition.
    behaviour("UNTILFOUR", "P^CALL($1);@IF($1,\"_\",4,{@BREAK();});P^CALL(after,$1);");
    behaviour("FINISH", "P^CALL(finish,$1);");
    run("@RUNONTIMER(100,0,UNTILFOUR,FINISH);");
    behaviour("UNTILFOUR", "P^CALL(changed);");
    tick(6);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(after,1)", "P.CALL(2)", "P.CALL(after,2)",
                                                   "P.CALL(3)", "P.CALL(after,3)", "P.CALL(4)", "P.CALL(finish,4)"}));

    // ONEBREAK ends only one tick; the BREAK method ends the run without the end code.
    run("NAME^SET(@RUNONTIMER(100,0,{P^CALL($1);@ONEBREAK();P^CALL(never);},FINISH));");
    tick(2);
    run("*NAME^BREAK();");
    tick(2);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(2)"}));
    // A timer that ends itself with the BREAK method in its code runs that tick to its end.
    run("NAME^SET(@RUNONTIMER(100,5,{P^CALL($1);*NAME^BREAK();P^CALL(rest,$1);},FINISH));");
    tick(3);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(rest,1)"}));
}

TEST_F(TimedCode, TimersKeepCopiesOfBlocksThatEndWithTheirStatement)
{
    // The nested statement holds "$": it is compiled with the run's parameters filled in, and
    // past a few different texts it is deleted after its run, with its blocks. The timers
    // keep code of their own.
    CMC_Behaviour* starter = behaviour("STARTER", "NAME^SET(@RUNONTIMER(100,2,{P^CALL(t$1);},{P^CALL(e$1);}));");
    for (int i = 0; i < 12; ++i) {
        const std::string text = std::to_string(i);
        starter->run(nullptr, Params{text.c_str()}.get(), false);
    }
    tick(2);
    std::vector<std::string> log = takeLog();
    std::sort(log.begin(), log.end());
    std::vector<std::string> expected;
    for (int i = 0; i < 12; ++i)
        for (const char* call : {"P.CALL(t%d)", "P.CALL(t%d)", "P.CALL(e%d)"}) {
            char entry[32];
            std::snprintf(entry, sizeof entry, call, i);
            expected.push_back(entry);
        }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(log, expected);
    world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    // Nothing of the timers stays in the scene.
    for (int i = 0; i < scene->getObjectsNo(); ++i)
        EXPECT_FALSE(scene->getObject(i)->getName().startsWith("timer_")) << scene->getObject(i)->getName().c_str();
}

TEST_F(TimedCode, UnloadingTheContainerEndsTheRun)
{
    run("@RUNONTIMER(100,0,{P^CALL($1);},{P^CALL(end);});@RUNONTIMER(100,3,{P^CALL(ended);},{});");
    tick(4);
    scene->unload();
    tick(3);
    world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    tick(1);
    const std::vector<std::string> log = takeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "P.CALL(4)"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "P.CALL(end)"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "P.CALL(ended)"), 3);
}

TEST_F(TimedCode, NamesInUseAreNotTaken)
{
    CXRandom::seed(77);
    const CXString drawn = "timer_" + CXString::toString(CXRandom::draw());
    CXRandom::seed(77);
    auto* holder = string(drawn.c_str(), "mine");
    run("NAME^SET(@RUNONTIMER(100,1,{P^CALL($1);},{}));");
    const CXString name = static_cast<CMC_String*>(scene->getObject("NAME"))->getValue();
    EXPECT_NE(name, drawn);
    EXPECT_EQ(scene->getObject(drawn.c_str()), holder);
    EXPECT_EQ(holder->getValue(), "mine");
    // Without a timer list nothing starts.
    EXPECT_FALSE(run("P^GIVE(@RUNONTIMER(100,1));"));
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.GIVE(-)"});
}
