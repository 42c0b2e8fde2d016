#include "plugins/world/PathPoint.h"
#include "plugins/world/TolvanWorld.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include "platform/Clock.h"
#include "platform/PathResolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A world on a hand-driven clock, with its files in a folder of its own.
class TolvanWorldTest : public ::testing::Test {
protected:
    TolvanWorldTest()
    {
        platform::setClock(&clock);
        platform::changeFolder(folder.path().string());
        world = makeTolvanWorld();
    }
    ~TolvanWorldTest() override { platform::setClock(nullptr); }

    // Frames of 10 ms; the time the last one reported.
    float run(uint32_t ms)
    {
        float time = -1;
        for (uint32_t done = 0; done < ms; done += 10) {
            clock.advance(10);
            EXPECT_EQ(world->MoveObjects(&time), ITolvan::OK);
        }
        return time;
    }
    // Frames until the condition holds, at most `ms`; whether it did.
    bool runUntil(uint32_t ms, const std::function<bool()>& condition)
    {
        for (uint32_t done = 0; done < ms; done += 10) {
            run(10);
            if (condition())
                return true;
        }
        return false;
    }
    PathPoint position(uint32_t id)
    {
        float x = kNaN, y = kNaN, z = kNaN;
        EXPECT_EQ(world->GetPosition(id, &x, &y, &z), ITolvan::OK);
        return {x, y};
    }
    float speed(uint32_t id)
    {
        float value = kNaN;
        EXPECT_EQ(world->GetSpeed(id, &value), ITolvan::OK);
        return value;
    }
    std::vector<uint32_t> collisions(uint32_t id)
    {
        const IVector<uint32_t>* ids = nullptr;
        EXPECT_EQ(world->GetAllCollisions(id, &ids), ITolvan::OK);
        return ids ? std::vector<uint32_t>(ids->begin(), ids->end()) : std::vector<uint32_t>{};
    }
    bool touches(uint32_t id, uint32_t other)
    {
        bool colliding = false;
        EXPECT_EQ(world->GetCollision(id, other, &colliding), ITolvan::OK);
        return colliding;
    }
    uint32_t goal(uint32_t id)
    {
        uint32_t state = 99;
        EXPECT_EQ(world->IsAtGoal(id, &state), ITolvan::OK);
        return state;
    }
    void addBall(uint32_t id, float x, float y, float radius = 10)
    {
        ASSERT_EQ(world->AddObject(id, 0xF0000), ITolvan::OK);
        ASSERT_EQ(world->SetPosition(id, x, y, 0), ITolvan::OK);
        ASSERT_EQ(world->SetRadius(id, radius, 0, 0), ITolvan::OK);
    }
    void addWall(uint32_t id, float x, float y, float halfWidth, float halfHeight)
    {
        ASSERT_EQ(world->AddBody(id, x, y, 0, halfWidth, halfHeight, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0,
                                 0, 0),
                  ITolvan::OK);
    }

    TempFolder folder;
    CurrentFolderGuard folderGuard;
    platform::ManualClock clock{1000};
    std::unique_ptr<ITolvan> world;
};

} // namespace

TEST_F(TolvanWorldTest, ABallFallsLandsOnTheFloorOfItsWorldFileAndComesToRest)
{
    folder.write("level.wld", "KESTRUM-WORLD 1\n"
                              "GRAVITY 0 -500 0\n"
                              "BODY 100 BOX STATIC 0 -200 0 300 10 0 0 0 0\n");
    ASSERT_EQ(world->Create("LEVEL.WLD"), ITolvan::OK);
    addBall(1, 0, 100);

    run(10);
    EXPECT_LT(position(1).y, 100);
    EXPECT_TRUE(collisions(1).empty());
    bool colliding = true;
    EXPECT_EQ(world->GetCollision(1, &colliding), ITolvan::OK);
    EXPECT_FALSE(colliding);

    ASSERT_TRUE(runUntil(2000, [&] { return !collisions(1).empty(); }));
    EXPECT_EQ(collisions(1), std::vector<uint32_t>{100});
    EXPECT_EQ(collisions(100), std::vector<uint32_t>{1});
    EXPECT_TRUE(touches(1, 100));

    run(2000);
    EXPECT_NEAR(position(1).y, -180, 1); // resting on the floor's top at -190
    EXPECT_NEAR(position(1).x, 0, 0.01);
    EXPECT_EQ(speed(1), 0); // asleep
    EXPECT_TRUE(touches(1, 100));
}

TEST_F(TolvanWorldTest, StepsByTheClockHeldAtATenthOfASecondAndNotWhileStopped)
{
    addBall(1, 0, 0);
    ASSERT_EQ(world->SetVelocity(1, 100, 0, 0, false), ITolvan::OK);

    clock.advance(250);
    float time = 0;
    ASSERT_EQ(world->MoveObjects(&time), ITolvan::OK);
    EXPECT_FLOAT_EQ(time, 0.1f);
    EXPECT_NEAR(position(1).x, 10, 0.01);
    float dx = 0, dy = 0, dz = 0, distance = 0;
    ASSERT_EQ(world->GetMoveVector(1, &dx, &dy, &dz), ITolvan::OK);
    ASSERT_EQ(world->GetMoveDistance(1, &distance), ITolvan::OK);
    EXPECT_NEAR(dx, 10, 0.01);
    EXPECT_NEAR(distance, 10, 0.01);

    ASSERT_EQ(world->Stop(), ITolvan::OK);
    EXPECT_EQ(run(50), 0);
    EXPECT_NEAR(position(1).x, 10, 0.01);
    ASSERT_EQ(world->Start(), ITolvan::OK);
    EXPECT_FLOAT_EQ(run(10), 0.01f); // the stopped time is not made up
    EXPECT_NEAR(position(1).x, 11, 0.01);
}

TEST_F(TolvanWorldTest, ForcesLastAsLongAsTheySayAndSpeedAndLimitsHold)
{
    addBall(1, 0, 0);
    addBall(2, 0, 100);
    addBall(3, 0, 200);
    ASSERT_EQ(world->AddForce(1, 1000, 0, 0), ITolvan::OK); // mass 1: 1000 px/s² for one step
    ASSERT_EQ(world->SetForce(2, 1000, 0, 0), ITolvan::OK);
    run(10);
    EXPECT_NEAR(speed(1), 10, 0.01);
    EXPECT_NEAR(speed(2), 10, 0.01);
    run(10);
    EXPECT_NEAR(speed(1), 10, 0.01);
    EXPECT_NEAR(speed(2), 20, 0.01);

    ASSERT_EQ(world->SetMaxSpeed(2, 25), ITolvan::OK);
    run(100);
    EXPECT_NEAR(speed(2), 25, 0.01);

    // A force at a point off the centre also turns the body.
    ASSERT_EQ(world->AddForceAt(3, 0, 1000, 0, 10, 200, 0), ITolvan::OK);
    run(10);
    float angle = 0;
    ASSERT_EQ(world->GetAngle(3, &angle), ITolvan::OK);
    EXPECT_GT(angle, 0);

    ASSERT_EQ(world->SetLimit(1, -50, -5, 0, 30, 5, 0), ITolvan::OK);
    run(5000);
    EXPECT_NEAR(position(1).x, 30, 0.01);
    EXPECT_NEAR(speed(1), 0, 0.01);
}

TEST_F(TolvanWorldTest, AttractorsPullWhileForceFieldsAreOn)
{
    ASSERT_EQ(world->AddBody(10, 0, 0, 0, 20, 0, 0, ITolvan::SHAPE_CIRCLE, ITolvan::KIND_STATIC, 1, 0, 0),
              ITolvan::OK);
    addBall(1, 100, 0);
    addBall(2, 0, 100);
    ASSERT_EQ(world->SetGravityCenter(10, true), ITolvan::OK);
    run(100); // 100 px/s² at 100 px
    EXPECT_LT(position(1).x, 100);
    EXPECT_NEAR(speed(1), 10, 0.5);
    EXPECT_NEAR(speed(2), 10, 0.5);

    // A pull of one body on one other, with its own g.
    ASSERT_EQ(world->SetGravityCenter(10, false), ITolvan::OK);
    ASSERT_EQ(world->ZeroAll(1), ITolvan::OK);
    ASSERT_EQ(world->ZeroAll(2), ITolvan::OK);
    ASSERT_EQ(world->SetG(10, 2e6), ITolvan::OK);
    ASSERT_EQ(world->AddGravityEx(1, 10, true), ITolvan::OK);
    ASSERT_EQ(world->UseFF(false), ITolvan::OK);
    run(100);
    EXPECT_EQ(speed(1), 0);
    ASSERT_EQ(world->UseFF(true), ITolvan::OK);
    run(100);
    EXPECT_GT(speed(1), 15);
    EXPECT_EQ(speed(2), 0);
}

TEST_F(TolvanWorldTest, BodiesTouchPushAndReportByTheirCollisionType)
{
    struct Case {
        uint32_t type;
        bool reported;
        bool pushed;
    };
    const Case cases[] = {
        {ITolvan::COLLIDE_SOLID, true, true},
        {ITolvan::COLLIDE_SENSOR, true, false},
        {ITolvan::COLLIDE_NONE, false, false},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(world->Create(""), ITolvan::OK);
        addBall(1, -50, 0);
        addBall(2, 50, 0);
        ASSERT_EQ(world->SetCollisionType(2, c.type), ITolvan::OK);
        ASSERT_EQ(world->SetVelocity(1, 400, 0, 0, false), ITolvan::OK);
        bool met = false;
        for (int frame = 0; frame < 40; ++frame) {
            run(10);
            met = met || touches(1, 2);
        }
        EXPECT_EQ(met, c.reported) << c.type;
        EXPECT_EQ(speed(2) > 1, c.pushed) << c.type;
    }
}

TEST_F(TolvanWorldTest, APinHoldsItsLimitsAndBreaks)
{
    ASSERT_EQ(world->SetGravity(0, -500, 0), ITolvan::OK);
    ASSERT_EQ(world->AddBody(1, 0, 0, 0, 5, 0, 0, ITolvan::SHAPE_CIRCLE, ITolvan::KIND_STATIC, 0, 0, 0), ITolvan::OK);
    addBall(2, 100, 0);
    ASSERT_EQ(world->SetDispersion(2, 3), ITolvan::OK);
    auto swing = [&] { return std::atan2(position(2).y, position(2).x); };
    auto arm = [&] { return std::hypot(position(2).x, position(2).y); };

    // Limits of ±0.5 rad keep the arm from hanging down.
    ASSERT_EQ(world->Join(1, 2, 0, 0, 0, 0, -0.5f, 0.5f, 0, 0, 1), ITolvan::OK);
    run(2000);
    EXPECT_NEAR(swing(), -0.5, 0.05);
    EXPECT_NEAR(arm(), 100, 1);

    // Without limits it hangs.
    ASSERT_EQ(world->Join2(1, 2, 0, 0, 0, 0, -0.5f, 0.5f, 0, 0, 0), ITolvan::OK);
    run(3000);
    EXPECT_NEAR(swing(), -std::numbers::pi / 2, 0.05);
    EXPECT_NEAR(arm(), 100, 1);

    // Broken, it falls.
    ASSERT_EQ(world->Break(1), ITolvan::OK);
    run(500);
    EXPECT_GT(arm(), 120);
    EXPECT_EQ(world->Break(1), ITolvan::UNKNOWN_ID);
    EXPECT_EQ(world->JointSpeed(1, 1), ITolvan::UNKNOWN_ID);
    EXPECT_EQ(world->JointSteer(1, 1), ITolvan::UNKNOWN_ID);
}

TEST_F(TolvanWorldTest, APinMotorSteersToAnAngleAndTurnsAtASpeed)
{
    // A wheel pinned at its centre to a static hub: the pin's turn is the wheel's.
    ASSERT_EQ(world->AddBody(1, 300, 0, 0, 5, 0, 0, ITolvan::SHAPE_CIRCLE, ITolvan::KIND_STATIC, 0, 0, 0),
              ITolvan::OK);
    addBall(2, 300, 0, 20);
    auto turn = [&] {
        float angle = 0;
        EXPECT_EQ(world->GetAngle(2, &angle), ITolvan::OK);
        return angle > 180 ? angle - 360 : angle;
    };
    ASSERT_EQ(world->Join(1, 2, 300, 0, 0, 0, -3, 3, 0, 0, 1), ITolvan::OK);
    ASSERT_EQ(world->JointSteer(1, 0.3f), ITolvan::OK);
    run(1000);
    EXPECT_NEAR(turn(), 0.3 * 180 / std::numbers::pi, 0.5);
    ASSERT_EQ(world->JointSpeed(1, -1), ITolvan::OK);
    run(500);
    EXPECT_NEAR(turn(), -0.2 * 180 / std::numbers::pi, 1);
    // The limit stops the motor at -3 rad.
    run(5000);
    EXPECT_NEAR(turn(), -3 * 180 / std::numbers::pi, 1);
    EXPECT_NEAR(position(2).x, 300, 0.1);
}

TEST_F(TolvanWorldTest, AFoundPathLeadsAroundAWallToTheGoal)
{
    folder.write("maze.wld", "KESTRUM-WORLD 1\n"
                             "BODY 50 BOX STATIC 0 0 0 10 100 0 0 0 0\n"
                             "WAYPOINT 1 0 140 0\n"
                             "WAYPOINT 2 0 -260 0\n");
    ASSERT_EQ(world->Create("maze.wld"), ITolvan::OK);
    addBall(1, -200, 0);
    ASSERT_EQ(world->SetMaxSpeed(1, 200), ITolvan::OK);
    ASSERT_EQ(world->FindPath(1, 1, 200, 0, 0, true), ITolvan::OK);
    float highest = 0;
    ASSERT_TRUE(runUntil(5000, [&] {
        highest = std::max(highest, position(1).y);
        return goal(1) == ITolvan::GOAL_REACHED;
    }));
    EXPECT_GT(highest, 100); // over the wall's end, not through it
    EXPECT_NEAR(position(1).x, 200, 0.5);
    EXPECT_NEAR(position(1).y, 0, 0.5);
    EXPECT_EQ(speed(1), 0);
    EXPECT_EQ(goal(1), ITolvan::GOAL_NONE); // told once
    EXPECT_TRUE(collisions(1).empty());
}

TEST_F(TolvanWorldTest, AWalledInGoalHasNoPath)
{
    addWall(50, 100, 0, 10, 60);
    addWall(51, 300, 0, 10, 60);
    addWall(52, 200, 60, 110, 10);
    addWall(53, 200, -60, 110, 10);
    ASSERT_EQ(world->AddMeshWayPoint(1, 0, 200, 0), ITolvan::OK);
    ASSERT_EQ(world->AddMeshWayPoint(2, 400, 200, 0), ITolvan::OK);
    addBall(1, -200, 0);
    ASSERT_EQ(world->FindPath(1, 1, 200, 0, 0, true), ITolvan::OK);
    EXPECT_EQ(goal(1), ITolvan::GOAL_NO_PATH);
    EXPECT_EQ(goal(1), ITolvan::GOAL_NONE);
    float distance = -1;
    EXPECT_EQ(world->GotoPath(1, 100, &distance), ITolvan::NO_PATH);
    run(100);
    EXPECT_EQ(speed(1), 0);

    // The same goal as a body inside the walls: its own shape does not block the way to it,
    // and the way opens once a wall is taken away.
    addBall(2, 200, 0);
    ASSERT_EQ(world->RemoveObject(50), ITolvan::OK);
    ASSERT_EQ(world->FindPath(1, 2, 0, 0, 0, false), ITolvan::OK);
    EXPECT_EQ(goal(1), ITolvan::GOAL_NONE);
    ASSERT_EQ(world->GotoPath(1, 100, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, 400, 0.5);
}

TEST_F(TolvanWorldTest, ABarThatTurnsInPlaceChangesTheWayAroundIt)
{
    // Over a wall between start and goal, two way points that the bar of a turnstile keeps
    // apart while it stands: the way goes high over both. Once the bar lies, it leaves them in
    // sight of each other, and the way goes through them.
    addWall(50, 0, 0, 10, 250);
    ASSERT_EQ(world->AddBody(9, 0, 350, 0, 10, 60, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_KINEMATIC, 0, 0, 0),
              ITolvan::OK);
    ASSERT_EQ(world->CollideMesh(9, true), ITolvan::OK);
    ASSERT_EQ(world->AddMeshWayPoint(1, -100, 300, 0), ITolvan::OK);
    ASSERT_EQ(world->AddMeshWayPoint(2, 100, 300, 0), ITolvan::OK);
    ASSERT_EQ(world->AddMeshWayPoint(3, 0, 600, 0), ITolvan::OK);
    addBall(1, -300, 0);
    auto lengthOfWay = [&] {
        EXPECT_EQ(world->FindPath(1, 1, 300, 0, 0, false), ITolvan::OK);
        float distance = -1;
        EXPECT_EQ(world->GotoPath(1, 100, &distance), ITolvan::OK);
        EXPECT_EQ(world->ZeroAll(1), ITolvan::OK);
        return distance;
    };
    EXPECT_NEAR(lengthOfWay(), 2 * std::hypot(300.0f, 600.0f), 0.01);

    ASSERT_EQ(world->SetBodyDynamics(9, 0, 0, 0, 90, 0), ITolvan::OK);
    ASSERT_TRUE(runUntil(2000, [&] {
        float angle = 0;
        EXPECT_EQ(world->GetAngle(9, &angle), ITolvan::OK);
        return angle >= 90;
    }));
    ASSERT_EQ(world->ZeroAll(9), ITolvan::OK);
    EXPECT_EQ(position(9), (PathPoint{0, 350})); // turned where it stood
    EXPECT_NEAR(lengthOfWay(), 2 * std::hypot(200.0f, 300.0f) + 200, 0.01);
}

TEST_F(TolvanWorldTest, WaysAfterBodiesChangeAreThoseOfTheMeshLinkedAnew)
{
    // Two worlds given the same calls, the second with its way points linked anew before every
    // search (a way point set again where it stands). Bodies that block the mesh drive and turn
    // by themselves, and are placed, turned, resized, switched off and on, removed and added;
    // every search finds the same way in both.
    std::unique_ptr<ITolvan> anew = makeTolvanWorld();
    auto both = [&](const std::function<int32_t(ITolvan&)>& call) {
        EXPECT_EQ(call(*world), ITolvan::OK);
        EXPECT_EQ(call(*anew), ITolvan::OK);
    };
    constexpr uint32_t kWalls = 100, kDrivers = 200, kCrates = 300;
    for (uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::minstd_rand random(seed);
        auto draw = [&](float low, float high) {
            return low + (high - low) * static_cast<float>(random() % 10001) / 10000;
        };
        both([](ITolvan& w) { return w.Create(""); });
        for (uint32_t wall = kWalls; wall < kWalls + 8; ++wall) {
            const float x = draw(-400, 400), y = draw(-400, 400), halfWidth = draw(5, 80), halfHeight = draw(5, 80);
            const float angle = draw(0, 90);
            both([&](ITolvan& w) {
                return w.AddBody(wall, x, y, 0, halfWidth, halfHeight, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0, 0,
                                 0);
            });
            both([&](ITolvan& w) { return w.SetAngle(wall, angle); });
        }
        for (uint32_t driver = kDrivers; driver < kDrivers + 4; ++driver) {
            const float x = draw(-400, 400), y = draw(-400, 400), size = draw(10, 60);
            const int32_t shape = driver % 2 ? ITolvan::SHAPE_BOX : ITolvan::SHAPE_CIRCLE;
            both([&](ITolvan& w) {
                return w.AddBody(driver, x, y, 0, size, size / 3, 0, shape, ITolvan::KIND_KINEMATIC, 0, 0, 0);
            });
            both([&](ITolvan& w) { return w.CollideMesh(driver, true); });
        }
        std::vector<bool> crateThere(3, true);
        for (uint32_t crate = kCrates; crate < kCrates + 3; ++crate) {
            const float x = draw(-400, 400), y = draw(-400, 400);
            both([&](ITolvan& w) {
                return w.AddBody(crate, x, y, 0, 25, 15, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0, 0, 0);
            });
        }
        const PathPoint firstWayPoint{draw(-500, 500), draw(-500, 500)};
        both([&](ITolvan& w) { return w.AddMeshWayPoint(0, firstWayPoint.x, firstWayPoint.y, 0); });
        for (uint32_t number = 1; number < 70; ++number) {
            const float x = draw(-500, 500), y = draw(-500, 500);
            both([&](ITolvan& w) { return w.AddMeshWayPoint(number, x, y, 0); });
        }
        both([](ITolvan& w) { return w.AddObject(1, 0xF0000); });
        both([](ITolvan& w) { return w.SetCollisionType(1, ITolvan::COLLIDE_NONE); });

        int routed = 0;
        for (int round = 0; round < 30; ++round) {
            const uint32_t driver = kDrivers + static_cast<uint32_t>(random() % 4);
            const float vx = draw(-150, 150), vy = draw(-150, 150), turn = draw(-90, 90);
            both([&](ITolvan& w) { return w.SetBodyDynamics(driver, vx, vy, 0, turn, 0); });
            const uint32_t crate = static_cast<uint32_t>(random() % 3);
            const uint32_t id = kCrates + crate;
            const float x = draw(-400, 400), y = draw(-400, 400), value = draw(5, 60);
            switch (crateThere[crate] ? random() % 5 : 5) {
            case 0:
                both([&](ITolvan& w) { return w.SetPosition(id, x, y, 0); });
                break;
            case 1:
                both([&](ITolvan& w) { return w.SetAngle(id, value); });
                break;
            case 2:
                both([&](ITolvan& w) { return w.SetRadius(id, value, value / 2, 0); });
                break;
            case 3:
                both([&](ITolvan& w) { return w.SetActive(id, round % 2 != 0, true); });
                break;
            case 4:
                both([&](ITolvan& w) { return w.RemoveObject(id); });
                crateThere[crate] = false;
                break;
            default:
                both([&](ITolvan& w) {
                    return w.AddBody(id, x, y, 0, value, value, 0, ITolvan::SHAPE_CIRCLE, ITolvan::KIND_STATIC, 0, 0, 0);
                });
                crateThere[crate] = true;
            }
            for (int frame = 0; frame < 3; ++frame) {
                clock.advance(10);
                float time = 0;
                both([&](ITolvan& w) { return w.MoveObjects(&time); });
            }
            if (round % 3 == 0)
                continue;
            for (int search = 0; search < 6; ++search) {
                const PathPoint start{draw(-500, 500), draw(-500, 500)};
                const PathPoint goal{draw(-500, 500), draw(-500, 500)};
                uint32_t state[2] = {99, 99};
                float distance[2] = {-1, -1};
                ITolvan* worlds[2] = {world.get(), anew.get()};
                for (int which = 0; which < 2; ++which) {
                    ITolvan& w = *worlds[which];
                    if (which == 1) {
                        ASSERT_EQ(w.AddMeshWayPoint(0, firstWayPoint.x, firstWayPoint.y, 0), ITolvan::OK);
                    }
                    ASSERT_EQ(w.SetPosition(1, start.x, start.y, 0), ITolvan::OK);
                    ASSERT_EQ(w.FindPath(1, 1, goal.x, goal.y, 0, false), ITolvan::OK);
                    ASSERT_EQ(w.IsAtGoal(1, &state[which]), ITolvan::OK);
                    w.GotoPath(1, 100, &distance[which]);
                    ASSERT_EQ(w.ZeroAll(1), ITolvan::OK);
                }
                EXPECT_EQ(state[0], state[1]);
                EXPECT_EQ(distance[0], distance[1]);
                routed += state[0] == ITolvan::GOAL_NO_PATH || distance[0] > distanceBetween(start, goal) + 0.01f;
            }
        }
        EXPECT_GT(routed, 40); // most searches went over the mesh or found none
    }
}

TEST_F(TolvanWorldTest, SteeringGoesToPointsAndAlongListsGivingTheDistanceLeft)
{
    addBall(1, 0, 0);
    float distance = -1;
    ASSERT_EQ(world->MoveTo(1, 30, 40, 0, 100, 0, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, 50, 0.01);
    run(100);
    ASSERT_EQ(world->MoveTo(1, 30, 40, 0, 100, 0, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, 40, 0.1);
    run(500);
    EXPECT_NEAR(position(1).x, 30, 0.01);
    EXPECT_NEAR(position(1).y, 40, 0.01);
    EXPECT_EQ(speed(1), 0);

    // A route: 100 right, then 100 up; followed again it goes on from where it was.
    ASSERT_EQ(world->AddWayPoint(1, 130, 40, 0), ITolvan::OK);
    ASSERT_EQ(world->AddWayPoint(1, 999, 999, 0), ITolvan::OK);
    ASSERT_EQ(world->AddWayPoint(1, 130, 140, 0), ITolvan::OK);
    ASSERT_EQ(world->RemoveWayPoint(1, 1), ITolvan::OK);
    ASSERT_EQ(world->FollowRoute(1, 200, 1, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, 200, 0.01);
    run(600);
    ASSERT_EQ(world->FollowRoute(1, 200, 1, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, 80, 1);
    run(600);
    EXPECT_NEAR(position(1).x, 130, 1);
    EXPECT_NEAR(position(1).y, 140, 1);
    ASSERT_EQ(world->FollowRoute(1, 200, 1, &distance), ITolvan::OK);
    EXPECT_EQ(distance, 0);

    // Path points, one of them chosen, and the steering paused.
    ASSERT_EQ(world->AddToPath(1, 130, 100, 0), ITolvan::OK);
    ASSERT_EQ(world->AddToPath(1, 0, 100, 0), ITolvan::OK);
    ASSERT_EQ(world->MoveToPath(1, 1, 100, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, std::hypot(130.0f, 40.0f), 1.5);
    ASSERT_EQ(world->SetActivePath(1, 1, false), ITolvan::OK);
    ASSERT_EQ(world->FollowPath(1, 100, 0, 0, &distance), ITolvan::OK);
    EXPECT_NEAR(distance, std::hypot(130.0f, 40.0f), 1.5);
    run(200);
    EXPECT_EQ(speed(1), 0);
    ASSERT_EQ(world->SetActive(1, true, true), ITolvan::OK);
    run(2000);
    EXPECT_NEAR(position(1).x, 0, 0.5);
    EXPECT_NEAR(position(1).y, 100, 0.5);

    // Follow slows down inside its slowing radius.
    ASSERT_EQ(world->Follow(1, 0, 300, 0, 100, 0, 150, &distance), ITolvan::OK);
    run(100);
    const float early = speed(1);
    run(1500);
    EXPECT_LT(speed(1), early / 2);
    EXPECT_GT(speed(1), 0);
}

TEST_F(TolvanWorldTest, TurningIsInDegreesWithCarriedRotations)
{
    addBall(1, 0, 0);
    float angle = -1;
    ASSERT_EQ(world->SetAngle(1, -90), ITolvan::OK);
    ASSERT_EQ(world->GetAngle(1, &angle), ITolvan::OK);
    EXPECT_NEAR(angle, 270, 0.01);
    ASSERT_EQ(world->Rotate(1, 2, 100), ITolvan::OK);
    ASSERT_EQ(world->GetRotationZ(1, &angle), ITolvan::OK);
    EXPECT_NEAR(angle, 10, 0.01);
    ASSERT_EQ(world->Rotate(1, 0, 370), ITolvan::OK);
    ASSERT_EQ(world->GetRotationX(1, &angle), ITolvan::OK);
    EXPECT_NEAR(angle, 10, 0.01);
    ASSERT_EQ(world->Rotate(1, 1, -30), ITolvan::OK);
    ASSERT_EQ(world->GetRotationY(1, &angle), ITolvan::OK);
    EXPECT_NEAR(angle, 330, 0.01);

    // A body at rest set to a speed goes the way it faces.
    ASSERT_EQ(world->SetSpeed(1, 50), ITolvan::OK);
    run(100);
    EXPECT_NEAR(position(1).x, 5 * std::cos(10 * 3.14159265f / 180), 0.01);
    EXPECT_GT(position(1).y, 0.5);
}

TEST_F(TolvanWorldTest, BadValuesUnknownIdsAndBadFilesChangeNothing)
{
    folder.write("damaged.wld", "KESTRUM-WORLD 1\nBODY 5 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 0\nBODY 6 CIRCLE\n");
    folder.write("clash.wld", "KESTRUM-WORLD 1\nBODY 5 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 0\n"
                              "BODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 0\n");
    std::filesystem::create_directory(folder.path() / "folder.wld");
    addBall(1, 10, 20);
    addBall(2, 60, 20);
    ASSERT_EQ(world->SetVelocity(1, 0, 5, 0, false), ITolvan::OK);
    ASSERT_EQ(world->Join(1, 2, 30, 20, 0, 0, -1, 1, 0, 0, 1), ITolvan::OK);

    float out = 0;
    bool flag = false;
    const struct {
        const char* what;
        std::function<int32_t()> call;
        int32_t status;
    } cases[] = {
        {"position NaN", [&] { return world->SetPosition(1, kNaN, 0, 0); }, ITolvan::BAD_VALUE},
        {"position of nobody", [&] { return world->SetPosition(9, 0, 0, 0); }, ITolvan::UNKNOWN_ID},
        {"negative radius", [&] { return world->SetRadius(1, -5, 0, 0); }, ITolvan::BAD_VALUE},
        {"zero radius", [&] { return world->SetRadius(1, 0, 0, 0); }, ITolvan::BAD_VALUE},
        {"negative carried size", [&] { return world->SetRadius(1, 5, 0, -1); }, ITolvan::BAD_VALUE},
        {"negative mass", [&] { return world->SetMass(1, -1); }, ITolvan::BAD_VALUE},
        {"infinite mass", [&] { return world->SetMass(1, kInfinity); }, ITolvan::BAD_VALUE},
        {"velocity NaN", [&] { return world->SetVelocity(1, 1, kNaN, 0, true); }, ITolvan::BAD_VALUE},
        {"negative speed", [&] { return world->SetSpeed(1, -1); }, ITolvan::BAD_VALUE},
        {"upside-down limit", [&] { return world->SetLimit(1, 10, 0, 0, -10, 0, 0); }, ITolvan::BAD_VALUE},
        {"second body 1", [&] { return world->AddObject(1, 0xF0000); }, ITolvan::ID_IN_USE},
        {"dynamic without mass",
         [&] { return world->AddBody(3, 0, 0, 0, 5, 0, 0, ITolvan::SHAPE_CIRCLE, ITolvan::KIND_DYNAMIC, 0, 0, 0); },
         ITolvan::BAD_VALUE},
        {"flat box",
         [&] { return world->AddBody(3, 0, 0, 0, 5, 0, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0, 0, 0); },
         ITolvan::BAD_VALUE},
        {"unknown kind", [&] { return world->AddBody(3, 0, 0, 0, 5, 5, 0, 0, 7, 1, 0, 0); }, ITolvan::BAD_VALUE},
        {"g NaN", [&] { return world->SetG(1, std::nan("")); }, ITolvan::BAD_VALUE},
        {"pin to itself", [&] { return world->Join(1, 1, 0, 0, 0, 0, -1, 1, 0, 0, 1); }, ITolvan::BAD_VALUE},
        {"pin to nobody", [&] { return world->Join(1, 9, 0, 0, 0, 0, -1, 1, 0, 0, 1); }, ITolvan::UNKNOWN_ID},
        {"limits crossed", [&] { return world->Join(1, 2, 0, 0, 0, 0, 1, -1, 0, 0, 1); }, ITolvan::BAD_VALUE},
        {"steer NaN", [&] { return world->JointSteer(1, kNaN); }, ITolvan::BAD_VALUE},
        {"fourth axis", [&] { return world->Rotate(1, 3, 10); }, ITolvan::BAD_VALUE},
        {"unknown collision type", [&] { return world->SetCollisionType(1, 7); }, ITolvan::BAD_VALUE},
        {"force NaN", [&] { return world->AddForce(1, kNaN, 0, 0); }, ITolvan::BAD_VALUE},
        {"pull by nobody", [&] { return world->AddGravityEx(1, 9, true); }, ITolvan::UNKNOWN_ID},
        {"no such way point", [&] { return world->RemoveWayPoint(1, 0); }, ITolvan::BAD_VALUE},
        {"half a path point", [&] { return world->MoveToPath(1, 0.5f, 10, &out); }, ITolvan::BAD_VALUE},
        {"path point past the end", [&] { return world->SetActivePath(1, 1, true); }, ITolvan::BAD_VALUE},
        {"negative steering speed", [&] { return world->MoveTo(1, 0, 0, 0, -1, 0, &out); }, ITolvan::BAD_VALUE},
        {"goal NaN", [&] { return world->FindPath(1, 1, kNaN, 0, 0, true); }, ITolvan::BAD_VALUE},
        {"mesh point of nobody", [&] { return world->AddMeshWayPoint(9); }, ITolvan::UNKNOWN_ID},
        {"no output", [&] { return world->GetPosition(1, nullptr, &out, &out); }, ITolvan::BAD_VALUE},
        {"collision with nobody", [&] { return world->GetCollision(1, 9, &flag); }, ITolvan::UNKNOWN_ID},
        {"removing nobody", [&] { return world->RemoveObject(9); }, ITolvan::UNKNOWN_ID},
        {"missing file", [&] { return world->Create("missing.wld"); }, ITolvan::UNREADABLE_FILE},
        {"folder for a file", [&] { return world->Load("folder.wld"); }, ITolvan::UNREADABLE_FILE},
        {"damaged file", [&] { return world->Create("damaged.wld"); }, ITolvan::DAMAGED_FILE},
        {"damaged file loaded", [&] { return world->Load("damaged.wld"); }, ITolvan::DAMAGED_FILE},
        {"file naming body 1", [&] { return world->Load("clash.wld"); }, ITolvan::ID_IN_USE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(), c.status) << c.what;
        EXPECT_EQ(position(1), (PathPoint{10, 20})) << c.what;
        EXPECT_EQ(speed(1), 5) << c.what;
        EXPECT_EQ(world->GetPosition(3, &out, &out, &out), ITolvan::UNKNOWN_ID) << c.what;
        EXPECT_EQ(world->GetPosition(5, &out, &out, &out), ITolvan::UNKNOWN_ID) << c.what;
    }
    // Still pinned, and still moving: it turns about the pin.
    ASSERT_EQ(world->SetMass(2, 0), ITolvan::OK);
    run(1000);
    EXPECT_NEAR(std::hypot(position(1).x - 30, position(1).y - 20), 20, 0.5);
    EXPECT_GT(position(1).y, 22);
}
