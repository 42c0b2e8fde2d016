#include "graphics/CCollisionInspector.h"
#include "graphics/CCollisionObserver.h"

#include "AnimationWorld.h"
#include "EngineWorld.h"
#include "PictureFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Writes what it is told into the shared log: "name:on AB" for a collision of A (the mover)
// with B, "name:off AB" for its end.
class CollisionLog : public CCollisionObserver {
public:
    CollisionLog(std::string name, Log& log, std::map<CGraphicsObject*, std::string>& names)
        : name_(std::move(name))
        , log_(log)
        , names_(names)
    {
    }
    void onCollision(CGraphicsObject* a, CGraphicsObject* b) override { note("on", a, b); }
    void onCollisionFinished(CGraphicsObject* a, CGraphicsObject* b) override { note("off", a, b); }

    std::function<void()> whenTold;

private:
    void note(const char* what, CGraphicsObject* a, CGraphicsObject* b)
    {
        log_.push_back(name_ + ":" + what + " " + names_[a] + names_[b]);
        if (whenTold)
            whenTold();
    }

    std::string name_;
    Log& log_;
    std::map<CGraphicsObject*, std::string>& names_;
};

// Rasters of a window without a display, monitored by its inspector, told apart by name.
class Collisions : public ::testing::Test {
protected:
    CCollisionInspector* inspector() { return engine.window()->getCollisionInspectorInterface(); }

    // A width × height raster at (x, y), monitored; without alpha bytes it has no alpha plane.
    CGraphicsObject* add(const std::string& name, CXRect box, bool alphaTest, const std::vector<uint8_t>& alpha = {})
    {
        auto raster = std::make_unique<CGraphicsObject>(engine.window(), CXSize(box.Width(), box.Height()), 16);
        if (!alpha.empty()) {
            char* plane = new char[alpha.size()];
            std::memcpy(plane, alpha.data(), alpha.size());
            raster->AlphaChannel(plane);
        }
        raster->SetPosition(box.left, box.top);
        raster->setMonitorCollisions(true);
        inspector()->addMonitoredObject(raster.get(), alphaTest);
        names[raster.get()] = name;
        rasters.push_back(std::move(raster));
        return rasters.back().get();
    }
    // Each move is a report to the inspector; then one tick.
    Log tick()
    {
        log.clear();
        inspector()->tick();
        return log;
    }

    EngineWorld engine;
    std::map<CGraphicsObject*, std::string> names;
    std::vector<std::unique_ptr<CGraphicsObject>> rasters;
    Log log;
    CollisionLog first{"1", log, names};
    CollisionLog second{"2", log, names};
};

} // namespace

TEST_F(Collisions, OnlyMoversAreTestedAndEveryObserverHearsOfEachChangeOnce)
{
    inspector()->addNotifier(&first);
    inspector()->addNotifier(&second);
    inspector()->addNotifier(&first);
    CGraphicsObject* a = add("A", CXRect(0, 0, 10, 10), false);
    CGraphicsObject* b = add("B", CXRect(10, 0, 20, 10), false);
    CGraphicsObject* c = add("C", CXRect(10, 5, 20, 15), false);

    // A shared edge is no overlap.
    a->SetPosition(0, 0);
    EXPECT_EQ(tick(), Log{});
    // Overlapping two objects: in the order of the monitored list, every observer in turn.
    a->Move(1, 0);
    EXPECT_EQ(tick(), (Log{"1:on AB", "2:on AB", "1:on AC", "2:on AC"}));
    // No move, no test; a move that keeps the overlap changes nothing.
    EXPECT_EQ(tick(), Log{});
    a->Move(0, 1);
    EXPECT_EQ(tick(), Log{});
    // An object that does not move is never the mover: B moving off A ends their collision
    // with B first, and C, which did not move, stays.
    b->Move(20, 0);
    EXPECT_EQ(tick(), (Log{"1:off BA", "2:off BA"}));
    a->Move(-5, 0);
    EXPECT_EQ(tick(), (Log{"1:off AC", "2:off AC"}));

    // Both moved in one frame: the pair is tested with each as the mover, the second finding
    // the first's answer.
    inspector()->removeNotifier(&second);
    c->Move(-10, 0);
    a->Move(1, 0);
    EXPECT_EQ(tick(), (Log{"1:on CA"}));
}

TEST_F(Collisions, EndingMonitoringTellsNoOneAndASecondStartOnlyReactivates)
{
    inspector()->addNotifier(&first);
    CGraphicsObject* a = add("A", CXRect(0, 0, 10, 10), false);
    CGraphicsObject* b = add("B", CXRect(5, 0, 15, 10), true);
    a->Move(1, 0);
    EXPECT_EQ(tick(), (Log{"1:on AB"}));

    inspector()->removeMonitoredObject(a);
    a->Move(50, 0);
    EXPECT_EQ(tick(), Log{});
    // B still lists A: B's move off it is the end of their collision.
    EXPECT_TRUE(inspector()->find(b)->isColliding(a));
    EXPECT_EQ(inspector()->find(a), nullptr);

    inspector()->addMonitoredObject(b, false);
    EXPECT_TRUE(inspector()->find(b)->hasAlphaTest());
    inspector()->removeMonitoredObject(b);
    inspector()->addMonitoredObject(b, false);
    EXPECT_TRUE(inspector()->find(b)->isActive());
    EXPECT_TRUE(inspector()->find(b)->hasAlphaTest());

    // Monitored again, A is B's partner again: B moving off ends their collision.
    inspector()->addMonitoredObject(a, false);
    b->Move(0, 100);
    EXPECT_EQ(tick(), (Log{"1:off BA"}));
}

TEST_F(Collisions, TheAlphaTestSamplesEightPointsOfTheMoverOnTheOther)
{
    // Other: 9 × 9 at (10, 10), opaque at one pixel only. Mover: 5 × 5, so its points lie at
    // offsets 0, 2 and 4.
    const CXRect otherBox(10, 10, 19, 19);
    struct Case {
        CXPoint opaque;
        bool seen;
    };
    const CXPoint mover(12, 12);
    const Case cases[] = {
        {{12, 12}, true}, {{14, 12}, true}, {{16, 12}, true}, {{16, 14}, true},
        {{16, 16}, true}, {{14, 16}, true}, {{12, 16}, true}, {{12, 14}, true},
        {{13, 13}, false}, {{14, 14}, false}, {{15, 12}, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> alpha(81, 0);
        alpha[static_cast<size_t>((c.opaque.y - 10) * 9 + c.opaque.x - 10)] = 1;
        CGraphicsObject other(nullptr, CXSize(9, 9), 16);
        char* plane = new char[81];
        std::memcpy(plane, alpha.data(), 81);
        other.AlphaChannel(plane);
        other.SetPosition(10, 10);
        CGraphicsObject a(nullptr, CXSize(5, 5), 16);
        EXPECT_EQ(inspector()->checkAlphaCollision(&a, CXRect(mover.x, mover.y, mover.x + 5, mover.y + 5), &other, otherBox),
                  c.seen)
            << c.opaque.x << "," << c.opaque.y;
    }

    // The other's plane starts at its own corner also when its box is cut by the screen's edge.
    CGraphicsObject cut(nullptr, CXSize(4, 1), 16);
    cut.AlphaChannel(new char[4]{0, 0, 0, 1});
    cut.SetPosition(-3, 0);
    CGraphicsObject a(nullptr, CXSize(1, 1), 16);
    EXPECT_TRUE(inspector()->checkAlphaCollision(&a, CXRect(0, 0, 1, 1), &cut, CXRect(0, 0, 1, 1)));

    // Without an alpha plane, or packed, the other is never hit.
    inspector()->addNotifier(&first);
    CGraphicsObject* mover5 = add("M", CXRect(0, 0, 20, 20), true);
    add("P", CXRect(0, 0, 20, 20), false);
    CGraphicsObject* packed = add("Q", CXRect(40, 0, 60, 20), false, std::vector<uint8_t>(400, 255));
    packed->Compress(COMPRESSION_RLE);
    ASSERT_TRUE(packed->isPacked());
    mover5->Move(1, 0);
    EXPECT_EQ(tick(), Log{});
    mover5->Move(40, 0);
    EXPECT_EQ(tick(), Log{});
}

TEST_F(Collisions, DestroyedObjectsLeaveAtOnceAndObserversMayChangeTheScene)
{
    inspector()->addNotifier(&first);
    CGraphicsObject* a = add("A", CXRect(0, 0, 10, 10), false);
    CGraphicsObject* b = add("B", CXRect(5, 0, 15, 10), false);
    CGraphicsObject* c = add("C", CXRect(5, 20, 15, 30), false);
    a->Move(1, 0);
    EXPECT_EQ(tick(), (Log{"1:on AB"}));

    // Gone without a word, also from its partner's list.
    a->Move(1, 0);
    std::erase_if(rasters, [a](const auto& raster) { return raster.get() == a; });
    EXPECT_EQ(inspector()->find(a), nullptr);
    inspector()->removeMonitoredObject(a);
    EXPECT_FALSE(inspector()->find(b)->hasCollisions());
    EXPECT_EQ(inspector()->getMovedCount(), 0);
    EXPECT_EQ(tick(), Log{});

    // An observer deletes the other object and moves the mover again: the tick goes on, and the
    // new move is tested next time.
    bool told = false;
    first.whenTold = [&] {
        if (std::exchange(told, true))
            return;
        std::erase_if(rasters, [b](const auto& raster) { return raster.get() == b; });
        c->Move(0, 1);
    };
    c->Move(0, -15);
    EXPECT_EQ(tick(), (Log{"1:on CB"}));
    EXPECT_EQ(inspector()->getMovedCount(), 1);
    EXPECT_EQ(tick(), Log{});
    EXPECT_EQ(inspector()->getMovedCount(), 0);
}

TEST_F(Collisions, ManyMoversGiveWhatTestingEveryPairGives)
{
    // The plain loop over every pair, beside the inspector, over random moves of random rasters.
    TestNoise noise(7);
    inspector()->addNotifier(&first);
    std::vector<CGraphicsObject*> objects;
    std::vector<bool> alphaTests;
    for (int i = 0; i < 30; ++i) {
        const int x = static_cast<int>(noise.next() % 100) - 10;
        const int y = static_cast<int>(noise.next() % 100) - 10;
        const int width = 1 + static_cast<int>(noise.next() % 30);
        const int height = 1 + static_cast<int>(noise.next() % 30);
        std::vector<uint8_t> alpha(static_cast<size_t>(width * height));
        for (uint8_t& a : alpha)
            a = noise.next() % 3 == 0 ? 255 : 0;
        alphaTests.push_back(noise.next() % 2 == 0);
        objects.push_back(add(std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i), CXRect(x, y, x + width, y + height),
                              alphaTests.back(), noise.next() % 4 == 0 ? std::vector<uint8_t>{} : alpha));
    }
    std::vector<std::vector<bool>> colliding(objects.size(), std::vector<bool>(objects.size(), false));
    size_t changes = 0;
    for (int round = 0; round < 60; ++round) {
        std::vector<size_t> movers;
        for (size_t i = 0; i < objects.size(); ++i)
            if (noise.next() % 3 == 0) {
                objects[i]->Move(static_cast<int>(noise.next() % 9) - 4, static_cast<int>(noise.next() % 9) - 4);
                if (std::find(movers.begin(), movers.end(), i) == movers.end())
                    movers.push_back(i);
            }
        Log expected;
        for (size_t m : movers) {
            const CXRect a = objects[m]->GetBoundingBox();
            for (size_t n = 0; n < objects.size(); ++n) {
                if (n == m)
                    continue;
                const CXRect b = objects[n]->GetBoundingBox();
                const CXRect common = a.Common(b);
                const bool now = common.Width() != 0 && common.Height() != 0
                                 && (!alphaTests[m] || inspector()->checkAlphaCollision(objects[m], a, objects[n], b));
                if (now == colliding[m][n])
                    continue;
                colliding[m][n] = colliding[n][m] = now;
                expected.push_back(std::string("1:") + (now ? "on " : "off ") + names[objects[m]] + names[objects[n]]);
            }
        }
        EXPECT_EQ(tick(), expected) << "round " << round;
        changes += expected.size();
    }
    EXPECT_GT(changes, 100u);
}

TEST(CollisionsOnScreen, APictureMovedAcrossAnotherCollidesOnceAndPartsOnce)
{
    struct Run {
        bool alphaTest;
        // The other picture is opaque only on a row that none of the mover's points crosses.
        bool thinOther;
        Log expected;
    };
    const Run runs[] = {
        {false, false, {"1:on AB at 12", "1:off AB at 30"}},
        {true, false, {"1:on AB at 12", "1:off AB at 30"}},
        {false, true, {"1:on AB at 12", "1:off AB at 30"}},
        {true, true, {}},
    };
    for (const Run& run : runs) {
        ScreenWorld world;
        Log log;
        std::map<CGraphicsObject*, std::string> names;
        CollisionLog observer("1", log, names);
        std::vector<uint8_t> otherAlpha(100, 255);
        if (run.thinOther) {
            std::fill(otherAlpha.begin(), otherAlpha.end(), 0);
            std::fill(otherAlpha.begin() + 20, otherAlpha.begin() + 30, 255);
        }
        auto mover = loadPicture(world.window(), writePicture(world.folder(), "a.img", 9, 9, 0x001F), 0, 40);
        auto other = loadPicture(world.window(), writePicture(world.folder(), "b.img", 10, 10, 0xF800, otherAlpha), 20, 40);
        names[mover.get()] = "A";
        names[other.get()] = "B";
        world.screen()->put(mover.get(), 5);
        world.screen()->put(other.get(), 6);
        CCollisionInspector* inspector = world.window()->getCollisionInspectorInterface();
        inspector->addNotifier(&observer);
        for (CGraphicsObject* picture : {static_cast<CGraphicsObject*>(mover.get()), static_cast<CGraphicsObject*>(other.get())}) {
            picture->setMonitorCollisions(true);
            inspector->addMonitoredObject(picture, picture == mover.get() && run.alphaTest);
        }
        for (int x = 1; x <= 40; ++x) {
            mover->Move(1, 0);
            world.frame(10);
            if (!log.empty() && log.back().find(" at ") == std::string::npos)
                log.back() += " at " + std::to_string(x);
        }
        EXPECT_EQ(log, run.expected) << run.alphaTest << run.thinOther;
        // A monitored picture deleted mid-scene leaves nothing behind.
        mover->Move(-25, 0);
        other.reset();
        world.frame(10);
        mover->Move(1, 0);
        world.frame(10);
        EXPECT_EQ(log, run.expected);
    }
}
