// MOVEOBJECTS of a WORLD object and the world's own step against a plain Box2D world of the
// same bodies stepped alike: 200 balls bouncing in a closed box, each linked to a picture
// and a script object, 10 ms frames of two 5 ms sub-steps. Then FINDPATH over a mesh of
// 1,000 way points among walls, with the mesh's links already found and found anew, and
// FINDPATH right after a body that blocks the mesh has moved, over meshes of 500 to 2,000
// way points.
#include "plugins/world/Box2DTolvan.h"
#include "plugins/world/CMC_World.h"
#include "plugins/world/StepClock.h"
#include "plugins/world/TolvanWorld.h"
#include "plugins/world/WorldScale.h"

#include "graphics/CGraphicsObject.h"
#include "platform/Clock.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <box2d/b2_circle_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

constexpr int kBalls = 200;
constexpr float kRadius = 8;
constexpr uint32_t kFrameMs = 10;

struct Ball {
    float x, y, vx, vy;
};

struct Wall {
    float x, y, halfWidth, halfHeight;
};

// The box: 780 by 580 pixels inside.
constexpr Wall kWalls[] = {{0, -300, 400, 10}, {0, 300, 400, 10}, {-400, 0, 10, 300}, {400, 0, 10, 300}};

std::vector<Ball> balls()
{
    std::vector<Ball> result;
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 214013u + 2531011u;
        return static_cast<float>((seed >> 16) & 0x7FFF) / 32767.0f - 0.5f;
    };
    for (int i = 0; i < kBalls; ++i)
        result.push_back({-360.0f + static_cast<float>(i % 20) * 38, -260.0f + static_cast<float>(i / 20) * 50,
                          next() * 400, next() * 400});
    return result;
}

// The walls, and the balls with ids from 1.
void fillBox(ITolvan* world)
{
    uint32_t id = 1000;
    for (const Wall& wall : kWalls)
        world->AddBody(id++, wall.x, wall.y, 0, wall.halfWidth, wall.halfHeight, 0, ITolvan::SHAPE_BOX,
                       ITolvan::KIND_STATIC, 0, 1, 0);
    id = 1;
    for (const Ball& ball : balls()) {
        world->AddObject(id, 0xF0000);
        world->SetPosition(id, ball.x, ball.y, 0);
        world->SetRadius(id, kRadius, 0, 0);
        world->SetRigid(id, 1);
        world->SetVelocity(id, ball.vx, ball.vy, 0, false);
        ++id;
    }
}

// A script object that shows a small picture, as the IMAGE objects that links name do; no
// behaviour is bound to its signals.
class BallObject : public CMC_Object {
public:
    static constexpr int TYPE = 7000; // the benchmark's own

    BallObject(const CXString& name, CMC_ObjectsContainer* container)
        : CMC_Object(name, TYPE)
    {
        setScene(container);
    }
    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
        return &signals;
    }
    CGraphicsObject* getShownGraphics(const CXString&) override { return &picture_; }

private:
    CGraphicsObject picture_{nullptr, CXSize(16, 16), 16};
};

// MOVEOBJECTS with every ball linked to follow and report (LINK's default flags).
void WorldObjectStep(benchmark::State& state)
{
    platform::ManualClock clock(1000);
    platform::setClock(&clock);
    {
        CMC_ObjectsContainer scene(nullptr, nullptr, CXString("SCENE"), CMC_Object::TYPE_SCENE);
        CMElement definition(CXString("W"));
        auto* world = new CMC_World(&scene, &definition);
        scene.addObject(world);
        fillBox(world->getWorld());
        for (uint32_t id = 1; id <= kBalls; ++id) {
            auto* ball = new BallObject("BALL" + CXString::toString(static_cast<int>(id)), &scene);
            scene.addObject(ball);
            world->link(id, ball->getShownGraphics(CXString()), ball, ball, CWorldLink::FOLLOW | CWorldLink::REPORT);
        }
        for (auto _ : state) {
            clock.advance(kFrameMs);
            benchmark::DoNotOptimize(world->moveObjects());
        }
        scene.unload();
    }
    platform::setClock(nullptr);
}
BENCHMARK(WorldObjectStep);

void TolvanStep(benchmark::State& state)
{
    platform::ManualClock clock(1000);
    platform::setClock(&clock);
    {
        std::unique_ptr<ITolvan> world = makeTolvanWorld();
        fillBox(world.get());
        float time = 0;
        for (auto _ : state) {
            clock.advance(kFrameMs);
            world->MoveObjects(&time);
            benchmark::DoNotOptimize(time);
        }
    }
    platform::setClock(nullptr);
}
BENCHMARK(TolvanStep);

void PlainBox2DStep(benchmark::State& state)
{
    b2World world(b2Vec2(0, 0));
    for (const Wall& wall : kWalls) {
        b2BodyDef definition;
        definition.position = toMetres(wall.x, wall.y);
        b2PolygonShape box;
        box.SetAsBox(wall.halfWidth / PIXELS_PER_METRE, wall.halfHeight / PIXELS_PER_METRE);
        b2FixtureDef fixture;
        fixture.shape = &box;
        fixture.friction = 0.3f;
        fixture.restitution = 1;
        world.CreateBody(&definition)->CreateFixture(&fixture);
    }
    const float radius = kRadius / PIXELS_PER_METRE;
    for (const Ball& ball : balls()) {
        b2BodyDef definition;
        definition.type = b2_dynamicBody;
        definition.position = toMetres(ball.x, ball.y);
        definition.linearVelocity = toMetres(ball.vx, ball.vy);
        b2CircleShape circle;
        circle.m_radius = radius;
        b2FixtureDef fixture;
        fixture.shape = &circle;
        fixture.friction = 0.3f;
        fixture.restitution = 1;
        fixture.density = 1 / (std::numbers::pi_v<float> * radius * radius);
        world.CreateBody(&definition)->CreateFixture(&fixture);
    }
    for (auto _ : state) {
        for (uint32_t step = 0; step < kFrameMs / StepClock::SUB_STEP_MS; ++step)
            world.Step(StepClock::SUB_STEP_SECONDS, Box2DTolvan::VELOCITY_ITERATIONS, Box2DTolvan::POSITION_ITERATIONS);
        benchmark::DoNotOptimize(world.GetContactCount());
    }
}
BENCHMARK(PlainBox2DStep);

// 1,000 way points on a 40 by 25 grid among five walls; a ball in one corner goes to the
// other. relink: the mesh changed before each search, so its links are found again.
void FindPath1000(benchmark::State& state)
{
    const bool relink = state.range(0) != 0;
    std::unique_ptr<ITolvan> world = makeTolvanWorld();
    for (uint32_t i = 0; i < 5; ++i)
        world->AddBody(100 + i, -300.0f + static_cast<float>(i) * 150, i % 2 ? 60.0f : -60.0f, 0, 10, 220, 0,
                       ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0, 0, 0);
    for (uint32_t i = 0; i < 1000; ++i)
        world->AddMeshWayPoint(i, -390.0f + static_cast<float>(i % 40) * 20, -288.0f + static_cast<float>(i / 40) * 24,
                               0);
    world->AddObject(1, 0xF0000);
    world->SetPosition(1, -380, -280, 0);
    uint32_t goal = 0;
    for (auto _ : state) {
        if (relink)
            world->AddMeshWayPoint(0, -390, -288, 0);
        world->FindPath(1, 1, 380, 280, 0, false);
        world->IsAtGoal(1, &goal);
        if (goal == ITolvan::GOAL_NO_PATH)
            state.SkipWithError("no path");
    }
}
BENCHMARK(FindPath1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The level grows with its mesh, as a scrolled level does: a screen for every 1,000 way
// points (500: half a screen, 2,000: two screens side by side), laid out as FindPath1000's,
// with a wall every 150 pixels. Between the first two walls a crate, which blocks the mesh,
// slides up and down by 4 pixels before every search. The search is the same at every size:
// the ball goes from the bottom left corner over the first wall, past the crate and under the
// second wall to the top right corner of the smallest level; what grows is the mesh around it.
void FindPathAfterBlockerMoved(benchmark::State& state)
{
    const auto wayPoints = static_cast<uint32_t>(state.range(0));
    const uint32_t columns = wayPoints / 25;
    const float left = -400;
    const float right = left + static_cast<float>(columns) * 20;
    std::unique_ptr<ITolvan> world = makeTolvanWorld();
    uint32_t wall = 0;
    for (float x = left + 100; x < right - 50; x += 150, ++wall)
        world->AddBody(100 + wall, x, wall % 2 ? 60.0f : -60.0f, 0, 10, 220, 0, ITolvan::SHAPE_BOX,
                       ITolvan::KIND_STATIC, 0, 0, 0);
    for (uint32_t i = 0; i < wayPoints; ++i)
        world->AddMeshWayPoint(i, left + 10 + static_cast<float>(i % columns) * 20,
                               -288.0f + static_cast<float>(i / columns) * 24, 0);
    constexpr uint32_t kCrate = 90;
    const float crateX = left + 175;
    world->AddBody(kCrate, crateX, 0, 0, 12, 12, 0, ITolvan::SHAPE_BOX, ITolvan::KIND_STATIC, 0, 0, 0);
    world->AddObject(1, 0xF0000);
    world->SetPosition(1, left + 20, -280, 0);
    auto search = [&] {
        uint32_t goal = 0;
        world->FindPath(1, 1, left + 380, 280, 0, false);
        world->IsAtGoal(1, &goal);
        return goal != ITolvan::GOAL_NO_PATH;
    };
    search(); // the links are found before the timing
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 20;
        world->SetPosition(kCrate, crateX, -40.0f + 4.0f * static_cast<float>(step < 10 ? step : 20 - step), 0);
        if (!search())
            state.SkipWithError("no path");
    }
}
BENCHMARK(FindPathAfterBlockerMoved)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
