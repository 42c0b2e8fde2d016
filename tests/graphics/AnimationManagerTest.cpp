#include "graphics/CAnimationManager.h"
#include "media/CPlayable.h"
#include "platform/Clock.h"

#include "AnimationWorld.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A playable that counts its steps at a rate the test sets.
class Stepper : public CPlayable {
public:
    explicit Stepper(int fps)
        : CPlayable(nullptr)
        , fps_(fps)
    {
        status_ = STATUS_PLAYING;
    }
    void play() override { status_ = STATUS_PLAYING; }
    void stop(bool) override { status_ = 0; }
    void pause() override { status_ = STATUS_PAUSED; }
    void resume() override { status_ = STATUS_PLAYING; }
    void seek(int) override {}
    int getFPS() override { return fps_; }
    int next() override
    {
        ++steps;
        if (onStep)
            onStep();
        return 0;
    }

    int steps = 0;
    std::function<void()> onStep;

private:
    int fps_;
};

class ManagerOnAManualClock : public ::testing::Test {
protected:
    ManagerOnAManualClock() { platform::setClock(&clock); }
    ~ManagerOnAManualClock() override { platform::setClock(nullptr); }

    // One frame at that tick.
    void frameAt(uint32_t tick)
    {
        clock.set(tick);
        manager.domodal();
    }

    platform::ManualClock clock{5000};
    CAnimationManager manager;
};

} // namespace

TEST_F(ManagerOnAManualClock, APlayableStepsOnceItsIntervalHasPassedAndOnceAFrameHoweverLate)
{
    struct Case {
        int fps;
        uint32_t interval;
    };
    for (const Case& c : {Case{25, 40}, Case{3, 333}, Case{1001, 0}}) {
        SCOPED_TRACE(c.fps);
        clock.set(5000);
        Stepper stepper(c.fps);
        manager.add(&stepper, nullptr);
        if (c.interval > 0) {
            frameAt(5000 + c.interval - 1);
            EXPECT_EQ(stepper.steps, 0);
        }
        frameAt(5000 + c.interval);
        EXPECT_EQ(stepper.steps, 1);
        // Far too late: one step, and the next interval counts from it.
        frameAt(9000);
        EXPECT_EQ(stepper.steps, 2);
        frameAt(9000 + c.interval);
        EXPECT_EQ(stepper.steps, 3);
        if (c.interval > 0) {
            frameAt(9000 + 2 * c.interval - 1);
            EXPECT_EQ(stepper.steps, 3);
        }
        manager.remove(&stepper);
    }
}

TEST_F(ManagerOnAManualClock, TheIntervalSurvivesTheWrapOfTheTickCount)
{
    clock.set(0xFFFFFFF0u);
    Stepper stepper(25);
    manager.add(&stepper, nullptr);
    frameAt(0x00000017u);
    EXPECT_EQ(stepper.steps, 0);
    frameAt(0x00000018u);
    EXPECT_EQ(stepper.steps, 1);
    manager.remove(&stepper);
}

TEST_F(ManagerOnAManualClock, OnlyPlayingPlayablesWithARateStep)
{
    Stepper still(0), backwards(-5), stopped(25), paused(25);
    stopped.stop(false);
    paused.pause();
    for (Stepper* s : {&still, &backwards, &stopped, &paused})
        manager.add(s, nullptr);
    for (uint32_t tick = 5000; tick <= 7000; tick += 100)
        frameAt(tick);
    for (Stepper* s : {&still, &backwards, &stopped, &paused}) {
        EXPECT_EQ(s->steps, 0);
        manager.remove(s);
    }
}

// The frame loop sleeps until the next step of what plays.
TEST_F(ManagerOnAManualClock, TheNextStepIsTheSoonestOfThePlayingPlayables)
{
    Stepper slow(4), fast(25), still(0), stopped(100);
    stopped.stop(false);
    for (Stepper* s : {&slow, &still, &stopped})
        manager.add(s, nullptr);
    EXPECT_EQ(manager.nextStepDue(), 5250u);
    frameAt(5100);
    manager.add(&fast, nullptr);
    EXPECT_EQ(manager.nextStepDue(), 5140u);
    frameAt(5300);
    EXPECT_EQ(slow.steps, 1);
    EXPECT_EQ(fast.steps, 1);
    EXPECT_EQ(manager.nextStepDue(), 5340u);
    clock.set(5400);
    EXPECT_EQ(manager.nextStepDue(), 5400u) << "an overdue step is due now";
    fast.pause();
    slow.stop(false);
    EXPECT_EQ(manager.nextStepDue(), std::nullopt);
    for (Stepper* s : {&slow, &fast, &still, &stopped})
        manager.remove(s);
}

TEST_F(ManagerOnAManualClock, APlayableAddedTwiceStepsTwiceAndRemovalTakesOneRegistration)
{
    Stepper stepper(25);
    manager.add(&stepper, nullptr);
    manager.add(&stepper, nullptr);
    frameAt(5040);
    EXPECT_EQ(stepper.steps, 2);
    manager.remove(&stepper);
    EXPECT_EQ(manager.getCount(), 1);
    frameAt(5080);
    EXPECT_EQ(stepper.steps, 3);
    manager.remove(&stepper);
    manager.remove(&stepper);
    EXPECT_EQ(manager.getCount(), 0);
}

TEST_F(ManagerOnAManualClock, StepsThatRemoveOrAddPlayablesDoNotDisturbTheRound)
{
    auto removed = std::make_unique<Stepper>(25);
    Stepper remover(25);
    std::unique_ptr<Stepper> added;
    remover.onStep = [&] {
        manager.remove(removed.get());
        removed.reset();
        added = std::make_unique<Stepper>(1000);
        manager.add(added.get(), nullptr);
    };
    manager.add(&remover, nullptr);
    manager.add(removed.get(), nullptr);
    frameAt(5040);
    EXPECT_EQ(remover.steps, 1);
    EXPECT_EQ(added->steps, 0);
    frameAt(5041);
    EXPECT_EQ(added->steps, 1);
    remover.onStep = nullptr;
    manager.remove(&remover);
    manager.remove(added.get());
}

TEST_F(ManagerOnAManualClock, PauseTakesOnlyPlayingPlayablesAndResumeOnlyPausedOnes)
{
    Stepper playing(25), stopped(25), paused(25);
    stopped.stop(false);
    paused.pause();
    for (Stepper* s : {&playing, &stopped, &paused})
        manager.add(s, nullptr);
    manager.pause();
    EXPECT_TRUE(playing.isPaused());
    EXPECT_EQ(stopped.getStatus(), 0u);
    manager.resume();
    EXPECT_TRUE(playing.isPlaying());
    EXPECT_TRUE(paused.isPlaying());
    EXPECT_EQ(stopped.getStatus(), 0u);
    for (Stepper* s : {&playing, &stopped, &paused})
        manager.remove(s);
}

TEST(CAnimationManager, TheWindowsFrameStepsAnimationsAndAnAnimationDeletedByAnotherIsNotStepped)
{
    AnimationWorld world;
    auto first = std::make_unique<CAnimo>(world.window());
    auto second = std::make_unique<CAnimo>(world.window());
    EXPECT_EQ(world.manager()->getCount(), 2);
    for (CAnimo* animation : {first.get(), second.get()}) {
        fill(*animation, 3, {eventOf("run", {0, 1, 2}, 1, 2)});
        animation->SetFPS(25);
        animation->Play("run", 0, 0);
    }
    world.frame(40);
    EXPECT_EQ(first->Current(), 1);
    EXPECT_EQ(second->Current(), 1);

    // The first one's step deletes the second in the same frame.
    struct Deleter : CPlayableObserver {
        std::unique_ptr<CAnimo>* victim;
        bool onPlayableTick(CPlayable*) override
        {
            victim->reset();
            return false;
        }
    } deleter;
    deleter.victim = &second;
    first->addNotifier(&deleter);
    world.frame(40);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(world.manager()->getCount(), 1);
    first->removeNotifier(&deleter);
    first.reset();
    EXPECT_EQ(world.manager()->getCount(), 0);
}
