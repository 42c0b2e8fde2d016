#include "WorldScript.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class WorldStep : public WorldScript {
protected:
    // A behaviour of the scene running that code.
    CMC_Behaviour* behaviour(const char* name, const char* code)
    {
        auto* made = new CMC_Behaviour(&scene, CXString(name), CXString(code));
        scene.addObject(made);
        made->init();
        return made;
    }
    // A handler that runs the behaviour the first time only.
    static std::function<void()> runsOnce(CMC_Behaviour* behaviour)
    {
        return [behaviour, ran = false]() mutable {
            if (!std::exchange(ran, true))
                behaviour->run(nullptr, nullptr, false);
        };
    }
    std::string step() { return ask("W^MOVEOBJECTS()"); }
};

} // namespace

// Flags 1 move the picture, flags 2 report to the object, a paused link does neither; with no
// links the step only steps the world.
TEST_F(WorldStep, LinksMoveTheirPicturesAndReportAsTheirFlagsSay)
{
    tolvan->stepTime = 0.01f;
    EXPECT_EQ(step(), "0.01000");
    EXPECT_EQ(calls(), "Create(\"level.wld\"); MoveObjects()");

    for (const char* name : {"A", "B", "C", "D"})
        target(name);
    tolvan->bodies[1].x = 10.9f;
    tolvan->bodies[1].y = -20.9f;
    tolvan->bodies[3].x = -10.9f;
    tolvan->bodies[3].y = 20.9f;
    run("W^LINK(1,\"A\",1);W^LINK(2,\"B\",2);W^LINK(3,\"C\");W^LINK(4,\"D\");W^PAUSELINK(4);");
    calls();
    step();
    // Truncated toward zero: 400 + 10.9 and 300 + 20.9; 400 - 10.9 and 300 - 20.9.
    EXPECT_EQ(takeLog(), (Log{"A Invalidate", "A at 410,320", "A Invalidate", "B ONSIGNAL^NOCOLL", "C Invalidate",
                              "C at 389,279", "C Invalidate", "C ONSIGNAL^NOCOLL"}));
    EXPECT_EQ(calls(), "MoveObjects(); GetPosition(0); GetPosition(1); GetPosition(2); IsAtGoal(2); "
                       "GetCollision(2); GetSpeed(2); GetPosition(3); IsAtGoal(3); GetCollision(3); GetSpeed(3)");

    // A body the world does not know is passed over; a resumed link takes part again.
    tolvan->statuses["GetPosition"] = ITolvan::UNKNOWN_ID;
    step();
    EXPECT_EQ(takeLog(), Log{});
    tolvan->statuses.clear();
    run("W^UNLINK(1);W^UNLINK(2);W^UNLINK(3);W^RESUMELINK(4);");
    step();
    EXPECT_EQ(takeLog(), (Log{"D Invalidate", "D at 400,300", "D Invalidate", "D ONSIGNAL^NOCOLL"}));
}

// Goals first, then the collisions from the last to the first and ANY, then starts and stops.
TEST_F(WorldStep, SignalsComeInTheirOrder)
{
    target("T");
    run("W^LINK(5,\"T\",2);");
    RecordingTolvan::BodyAnswers& body = tolvan->bodies[5];
    body.goalState = ITolvan::GOAL_REACHED;
    body.colliding = true;
    body.collisions = {4, 7, 9};
    step();
    EXPECT_EQ(takeLog(), (Log{"T ONSIGNAL^ATGOAL", "T ONSIGNAL^9", "T ONSIGNAL^7", "T ONSIGNAL^4", "T ONSIGNAL^ANY"}));

    // Ids are signed in the signal's name.
    body.goalState = ITolvan::GOAL_NO_PATH;
    body.collisions = {4294967295u};
    step();
    EXPECT_EQ(takeLog(), (Log{"T ONSIGNAL^NOPATH", "T ONSIGNAL^-1", "T ONSIGNAL^ANY"}));

    // Starting is told once, stopping when the speed is 0 again.
    body.goalState = ITolvan::GOAL_NONE;
    body.colliding = false;
    const float speeds[] = {0, 5, 6, 6, 0, 0, 3};
    const Log heard[] = {{}, {"T ONSIGNAL^ONSTARTED"}, {}, {}, {"T ONSIGNAL^ONFINISHED"}, {}, {"T ONSIGNAL^ONSTARTED"}};
    for (size_t i = 0; i < std::size(speeds); ++i) {
        body.speed = speeds[i];
        step();
        Log log = takeLog();
        EXPECT_EQ(log.front(), "T ONSIGNAL^NOCOLL");
        EXPECT_EQ(Log(log.begin() + 1, log.end()), heard[i]) << "step " << i;
    }

    // A collision query that fails ends the link's report: no collision, no speed.
    tolvan->statuses["GetCollision"] = ITolvan::UNKNOWN_ID;
    body.speed = 0;
    step();
    EXPECT_EQ(takeLog(), Log{});
    tolvan->statuses.clear();
    step();
    EXPECT_EQ(takeLog(), (Log{"T ONSIGNAL^NOCOLL", "T ONSIGNAL^ONFINISHED"}));
}

// PAUSELINK with a second argument switches the reports, RESUMELINK with one turns them on;
// LINK takes flags only as its third of exactly three arguments.
TEST_F(WorldStep, ReportsAreSwitchedApartFromTheLink)
{
    target("T");
    run("W^LINK(5,\"T\",2,1);W^PAUSELINK(5,0);");
    step();
    EXPECT_EQ(takeLog(), (Log{"T Invalidate", "T at 400,300", "T Invalidate"}));
    run("W^PAUSELINK(5,0);");
    step();
    EXPECT_EQ(takeLog(), (Log{"T Invalidate", "T at 400,300", "T Invalidate", "T ONSIGNAL^NOCOLL"}));
    run("W^UNLINK(5);W^LINK(5,\"T\",1);W^RESUMELINK(5,1);W^RESUMELINK(5,1);");
    step();
    EXPECT_EQ(takeLog(), (Log{"T Invalidate", "T at 400,300", "T Invalidate", "T ONSIGNAL^NOCOLL"}));
}

// The view follows the reference body within the background's bounds.
TEST_F(WorldStep, TheViewFollowsTheReferenceBodyWithinTheBackground)
{
    target("T");
    run("W^SETBKGSIZE(0,1600,0,600);W^SETMOVEFLAGS(TRUE,FALSE);W^SETREFOBJECT(1);W^LINK(1,\"T\",1);");
    struct Case {
        float x;
        const char* scroll;
        const char* shownAt;
    };
    for (const Case& c : {Case{100, "100.00000", "T at 400,300"}, Case{-700, "0.00000", "T at -300,300"},
                          Case{1000, "800.00000", "T at 600,300"}}) {
        tolvan->bodies[1].x = c.x;
        step();
        EXPECT_EQ(ask("W^GETBKGPOSX()"), c.scroll) << c.x;
        EXPECT_EQ(ask("W^GETBKGPOSY()"), "0.00000") << c.x;
        EXPECT_EQ(takeLog().at(1), c.shownAt) << c.x;
    }
    // Where the reference body cannot be read, the view stays.
    run("W^SETREFOBJECT(99);");
    tolvan->statuses["GetPosition"] = ITolvan::UNKNOWN_ID;
    step();
    tolvan->statuses.clear();
    EXPECT_EQ(ask("W^GETBKGPOSX()"), "800.00000");
}

// Handlers may link, unlink and remove bodies and step the world again: the step goes on over
// the links it started with that are still there.
TEST_F(WorldStep, HandlersMayChangeTheLinksWhileTheStepRuns)
{
    NotingTarget* a = target("A");
    target("B");
    NotingTarget* c = target("C");
    run("W^LINK(1,\"A\",2);W^LINK(2,\"B\",2);W^LINK(1,\"A\",2);");
    a->handlers["ONSIGNAL^NOCOLL"] = runsOnce(behaviour("CHANGE", "W^UNLINK(2);W^REMOVEOBJECT(1);W^LINK(3,\"C\",2);"));
    tolvan->bodies[1].speed = 4;
    calls();
    step();
    // The first link of body 1 went with REMOVEOBJECT, and B's with UNLINK; body 1's second
    // link reports, and C only from the next step on.
    EXPECT_EQ(takeLog(), (Log{"A ONSIGNAL^NOCOLL", "A ONSIGNAL^NOCOLL", "A ONSIGNAL^ONSTARTED"}));
    EXPECT_EQ(world->getLinks().size(), 2u);
    a->handlers.clear();
    step();
    EXPECT_EQ(takeLog(), (Log{"A ONSIGNAL^NOCOLL", "C ONSIGNAL^NOCOLL"}));

    // A step inside a handler of the start does not tell the start again.
    c->handlers["ONSIGNAL^ONSTARTED"] = runsOnce(behaviour("AGAIN", "W^MOVEOBJECTS();"));
    tolvan->bodies[3].speed = 2;
    step();
    EXPECT_EQ(takeLog(), (Log{"A ONSIGNAL^NOCOLL", "C ONSIGNAL^NOCOLL", "C ONSIGNAL^ONSTARTED", "A ONSIGNAL^NOCOLL",
                              "C ONSIGNAL^NOCOLL"}));
}

// Links to names that show nothing or name nothing pass over the missing part; an object or a
// picture that is destroyed leaves its links.
TEST_F(WorldStep, MissingAndDestroyedPartsOfLinksArePassedOver)
{
    run("W^LINK(1,\"NOSUCH\");");
    calls();
    step();
    EXPECT_EQ(takeLog(), Log{});
    EXPECT_EQ(calls(), "MoveObjects(); GetPosition(0); GetPosition(1)");

    NotingTarget* gone = target("GONE");
    run("W^LINK(2,\"GONE\");");
    step();
    EXPECT_EQ(takeLog().size(), 4u);
    scene.removeObject(gone);
    delete gone;
    step();
    EXPECT_EQ(takeLog(), Log{});
    EXPECT_EQ(world->getLinks().size(), 2u);
}
