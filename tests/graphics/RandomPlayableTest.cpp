#include "graphics/CRandomPlayable.h"

#include "foundation/CXRandom.h"
#include "foundation/CXTimer.h"
#include "graphics/CAnimo.h"

#include "AnimationWorld.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A playable that plays until the test finishes it.
class Toy : public CPlayable {
public:
    Toy()
        : CPlayable(nullptr)
    {
    }
    // May end the toy's life: nothing of it is touched afterwards.
    void play() override
    {
        ++plays;
        status_ = STATUS_PLAYING;
        if (onPlay)
            onPlay();
    }
    void stop(bool) override { status_ = 0; }
    void pause() override {}
    void resume() override {}
    void seek(int) override {}
    void finish()
    {
        status_ = 0;
        notify(NOTIFY_FINISHED);
    }
    int plays = 0;
    std::function<void()> onPlay;
};

// Answers as told, and writes what it was asked.
struct Referee : CRandomPlayableNotifier {
    explicit Referee(bool allow)
        : allow(allow)
    {
    }
    bool onRandomPlay(CPlayable*, int plays) override
    {
        asked.push_back(plays);
        return allow;
    }
    bool onRandomFinished(CPlayable*, int) override { return again; }
    bool allow;
    bool again = false;
    std::vector<int> asked;
};

class RandomPlay : public ::testing::Test {
protected:
    RandomPlay() { CXRandom::seed(7); }
    // n ticks of the player; the toy finishes whatever it played.
    void seconds(int n, Toy& toy)
    {
        for (int i = 0; i < n; ++i) {
            player.onTimer(0);
            if (toy.isPlaying())
                toy.finish();
        }
    }

    CRandomPlayable player{nullptr, nullptr};
    Referee referee{true};
};

} // namespace

// Frequency 60 tries every second; a frequency of 0 or less, or one so small that its wait
// cannot be counted, must not fault; a burst limit below 2 plays one-play bursts.
TEST_F(RandomPlay, WaitsAndBurstsFollowTheFrequencyAndTheLimit)
{
    struct Case {
        double frequency;
        int burstLimit;
        int longestWait;
        int longestBurst;
    };
    const Case cases[] = {
        {60.0, 0, 1, 0}, {60.0, 1, 1, 0}, {6.0, 3, 10, 1}, {0.0, 5, 1, 3}, {-2.0, 2, 1, 0}, {1e-300, 2, INT32_MAX, 0},
    };
    for (const Case& c : cases) {
        Toy toy;
        CRandomPlayable own(nullptr, nullptr);
        for (int i = 0; i < 50; ++i)
            own.add(&toy, c.frequency, c.burstLimit, "");
        for (const auto& entry : own.getEntries()) {
            EXPECT_GE(entry->getCountdown(), 1) << c.frequency;
            EXPECT_LE(entry->getCountdown(), c.longestWait) << c.frequency;
            EXPECT_GE(entry->getBurstLength(), 0);
            EXPECT_LE(entry->getBurstLength(), c.longestBurst) << c.burstLimit;
        }
    }
}

TEST_F(RandomPlay, AnEntryPlaysItsBurstBackToBackThenWaitsAgain)
{
    Toy toy;
    toy.addEvent("IDLE", "p");
    player.addNotifier(&referee);
    player.add(&toy, 60.0, 0, "IDLE");
    seconds(3, toy);
    EXPECT_EQ(toy.plays, 3);
    EXPECT_EQ(toy.getLastPlayedEvent(), "IDLE");
    EXPECT_EQ(referee.asked, (std::vector<int>{1, 1, 1}));

    // While it plays, the entry waits.
    player.onTimer(0);
    player.onTimer(0);
    EXPECT_EQ(toy.plays, 4);
    // A notifier that asks for more after a play gets it at the next second.
    referee.again = true;
    toy.finish();
    player.onTimer(0);
    EXPECT_EQ(toy.plays, 5);
    EXPECT_EQ(referee.asked.back(), 2);
}

TEST_F(RandomPlay, OnlyTheLastNotifierDecidesAndNoneMeansSilence)
{
    Toy unheard;
    player.add(&unheard, 60.0, 0, "IDLE");
    seconds(3, unheard);
    EXPECT_EQ(unheard.plays, 0);
    ASSERT_TRUE(player.remove(&unheard));

    Toy toy;
    Referee first(true), last(false);
    player.addNotifier(&first);
    player.addNotifier(&last);
    player.add(&toy, 60.0, 0, "IDLE");
    seconds(3, toy);
    EXPECT_EQ(toy.plays, 0);
    EXPECT_EQ(first.asked.size(), 1u);
    EXPECT_EQ(last.asked.size(), 1u);
    // A vetoed entry stays silent until its playable reports an end.
    EXPECT_LT(player.getEntries()[0]->getCountdown(), 0);
    last.allow = true;
    seconds(2, toy);
    EXPECT_EQ(toy.plays, 0);
    toy.play();
    toy.finish();
    seconds(1, toy);
    EXPECT_EQ(toy.plays, 2);
    first.allow = false;
    seconds(1, toy);
    EXPECT_EQ(toy.plays, 3);
    player.removeNotifier(&first);
    player.removeNotifier(&last);
}

TEST_F(RandomPlay, RemovedEntriesAndDestroyedPlayablesLeaveNoReferenceBehind)
{
    auto toy = std::make_unique<Toy>();
    Toy other;
    player.add(toy.get(), 60.0, 0, "A");
    player.add(&other, 60.0, 0, "B");
    player.add(toy.get(), 60.0, 0, "C");
    EXPECT_EQ(toy->getNotifiers().size(), 2u);
    EXPECT_TRUE(player.remove(toy.get()));
    ASSERT_EQ(player.getEntries().size(), 2u);
    EXPECT_EQ(player.getEntries()[1]->getPlayable(), toy.get());
    EXPECT_EQ(toy->getNotifiers().size(), 1u);
    EXPECT_FALSE(player.remove(nullptr));

    toy.reset();
    ASSERT_EQ(player.getEntries().size(), 1u);
    EXPECT_EQ(player.getEntries()[0]->getPlayable(), &other);
    player.addNotifier(&referee);
    seconds(1, other);
    EXPECT_EQ(other.plays, 1);
    player.removeNotifier(&referee);
}

// A play that ends its playable's life: the round goes on without it, and the entry goes.
TEST_F(RandomPlay, APlayableDestroyedDuringTheRoundIsLeftOut)
{
    auto doomed = std::make_unique<Toy>();
    doomed->onPlay = [&doomed] { doomed.reset(); };
    Toy next;
    Toy silent;
    player.addNotifier(&referee);
    player.add(doomed.get(), 60.0, 0, "GO");
    player.add(&next, 60.0, 0, "GO");
    // Without an event only an animation plays.
    player.add(&silent, 60.0, 0, "");
    player.onTimer(0);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(next.plays, 1);
    EXPECT_EQ(silent.plays, 0);
    EXPECT_EQ(player.getEntries().size(), 2u);
    player.removeNotifier(&referee);
}

// Without an event an animation plays one of its own at random; one without events plays
// nothing. The player runs on the window's timer list every second.
TEST(RandomPlayOnTheWindow, AnimationsPlayARandomEventEverySecond)
{
    AnimationWorld world;
    CAnimo animation(world.window());
    fill(animation, 2, {eventOf("A", {0, 1, 0, 1}), eventOf("B", {1, 0, 1, 0})});
    CAnimo empty(world.window());
    CRandomPlayable player(world.window(), nullptr);
    Referee referee(true);
    player.addNotifier(&referee);
    player.add(&animation, 60.0, 0, "");
    player.add(&empty, 60.0, 0, "");
    world.frame(999);
    EXPECT_FALSE(animation.IsPlaying());
    world.frame(1);
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_EQ(referee.asked.size(), 2u);
}
