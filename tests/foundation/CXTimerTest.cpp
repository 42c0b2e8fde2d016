#include "foundation/CXTimer.h"

#include "platform/Clock.h"
#include "text/CUnit6.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

class Recorder : public CTimerNotificator {
public:
    void onTimer(int id) override
    {
        fired.push_back(id);
        if (onFire)
            onFire(id);
    }
    std::vector<int> fired;
    std::function<void(int)> onFire;
};

class ScreenUnit : public CUnit6 {
public:
    ScreenUnit()
        : CUnit6(nullptr, "unit")
    {
    }
    bool isActive() override { return active; }
    bool wasInitiallyUpdated() override { return updated; }
    void onTimer(int id) override { fired.push_back(id); }
    bool active = false;
    bool updated = false;
    std::vector<int> fired;
};

class CXTimerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setClock(&clock); }
    void TearDown() override
    {
        CXTimer::enable(true);
        platform::setClock(nullptr);
    }

    platform::ManualClock clock{0xFFFFFF00u}; // 256 ms before the 32-bit wrap
    CXTimer timers{nullptr};
    Recorder target;
};

} // namespace

TEST_F(CXTimerTest, FiresAtItsIntervalAcrossTheWrap)
{
    timers.add(7, 100, &target);
    std::vector<uint32_t> firedAt;
    target.onFire = [&](int) { firedAt.push_back(clock.ticks()); };
    for (int frame = 0; frame < 60; ++frame) {
        clock.advance(10);
        timers.domodal();
    }
    EXPECT_EQ(firedAt, (std::vector<uint32_t>{0xFFFFFF64u, 0xFFFFFFC8u, 0x2Cu, 0x90u, 0xF4u, 0x158u}));
    EXPECT_EQ(timers.find(7)->getFireCount(), 6u);
}

TEST_F(CXTimerTest, LateTimerFiresOncePerPollAndIntervalZeroEveryPoll)
{
    timers.add(1, 100, &target);
    timers.add(2, 0, &target);
    clock.advance(1000);
    timers.domodal();
    timers.domodal();
    EXPECT_EQ(target.fired, (std::vector<int>{1, 2, 2}));
}

TEST_F(CXTimerTest, RemoveMarksTheFirstOfAnIdAndTheNextPollDeletesIt)
{
    timers.add(5, 10, &target);
    timers.add(5, 10, &target);
    target.onFire = [&](int id) { timers.remove(id); };
    clock.advance(10);
    timers.domodal(); // the first one removes itself, then the second marks it again
    EXPECT_EQ(target.fired.size(), 2u);
    target.onFire = nullptr;
    clock.advance(10);
    timers.domodal();
    EXPECT_EQ(target.fired.size(), 3u) << "the second timer of the id keeps running";
    ASSERT_NE(timers.find(5), nullptr);
    EXPECT_EQ(timers.find(5)->getFireCount(), 2u);
}

TEST_F(CXTimerTest, TimerAddedByAHandlerWaitsForTheNextPoll)
{
    timers.add(1, 0, &target);
    target.onFire = [&](int id) {
        if (id == 1)
            timers.add(2, 0, &target);
    };
    timers.domodal();
    EXPECT_EQ(target.fired, (std::vector<int>{1}));
}

TEST_F(CXTimerTest, ResetAndPauseKeepTheTimeLeft)
{
    timers.add(1, 100, &target);
    clock.advance(60);
    timers.reset(1);
    clock.advance(60);
    timers.domodal();
    EXPECT_TRUE(target.fired.empty());

    timers.pause(); // 60 of 100 elapsed
    clock.advance(5000);
    timers.resume();
    clock.advance(39);
    timers.domodal();
    EXPECT_TRUE(target.fired.empty());
    clock.advance(1);
    timers.domodal();
    EXPECT_EQ(target.fired.size(), 1u);
}

TEST_F(CXTimerTest, DisabledListFiresNothingAndDeletesNothing)
{
    timers.add(1, 100, &target);
    timers.add(2, 100, &target);
    timers.remove(2);
    CXTimer::enable(false);
    clock.advance(500);
    timers.domodal();
    EXPECT_TRUE(target.fired.empty());
    EXPECT_NE(timers.find(2), nullptr);
    CXTimer::enable(true);
    timers.domodal();
    EXPECT_EQ(target.fired, (std::vector<int>{1}));
    EXPECT_EQ(timers.find(2), nullptr);
}

TEST_F(CXTimerTest, UnitTimerWithCheckWaitsForAnActiveUpdatedUnit)
{
    ScreenUnit checked;
    ScreenUnit unchecked;
    timers.add(1, 50, &checked, true);
    timers.add(2, 50, &unchecked, false);
    clock.advance(50);
    timers.domodal();
    EXPECT_TRUE(checked.fired.empty());
    EXPECT_EQ(unchecked.fired, (std::vector<int>{2}));
    EXPECT_EQ(timers.find(1)->getFireCount(), 1u) << "a skipped firing still counts and waits a whole interval";

    // Each check alone is not enough.
    for (auto [active, updated] : {std::pair{true, false}, std::pair{false, true}}) {
        checked.active = active;
        checked.updated = updated;
        clock.advance(50);
        timers.domodal();
        EXPECT_TRUE(checked.fired.empty());
    }

    checked.active = true;
    checked.updated = true;
    clock.advance(49);
    timers.domodal();
    EXPECT_TRUE(checked.fired.empty());
    clock.advance(1);
    timers.domodal();
    EXPECT_EQ(checked.fired, (std::vector<int>{1}));
}

// The frame loop sleeps until the next poll that fires something.
TEST_F(CXTimerTest, NextDueIsTheSoonestTimerAcrossTheWrapAndOverdueMeansNow)
{
    EXPECT_EQ(timers.nextDue(), std::nullopt);
    timers.add(1, 400, &target);
    timers.add(2, 300, &target);
    timers.add(3, 50, &target);
    timers.remove(3);
    EXPECT_EQ(timers.nextDue(), 0xFFFFFF00u + 300) << "a removed timer is not waited for";
    clock.advance(250);
    timers.domodal();
    EXPECT_EQ(timers.nextDue(), 0xFFFFFF00u + 300);
    clock.advance(1000);
    EXPECT_EQ(timers.nextDue(), clock.ticks());
    timers.domodal();
    EXPECT_EQ(timers.nextDue(), clock.ticks() + 300);
    CXTimer::enable(false);
    EXPECT_EQ(timers.nextDue(), std::nullopt);
}
