#include "media/CSound4.h"
#include "media/CSoundManager.h"

#include "SoundTestKit.h"

#include <gtest/gtest.h>

namespace {

// Writes its end into a shared log under its own name.
class NamedLog : public CPlayableObserver {
public:
    NamedLog(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    bool onPlayableFinished(CPlayable*) override
    {
        log_.push_back(name_);
        if (onFinished)
            onFinished();
        return false;
    }
    std::function<void()> onFinished;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A sound that says when it is deleted.
class TrackedSound : public CSound4 {
public:
    TrackedSound(CWindow* window, bool* deleted) : CSound4(window), deleted_(deleted) {}
    ~TrackedSound() override { *deleted_ = true; }

private:
    bool* deleted_;
};

} // namespace

TEST(CSoundManager, EndsComeInTheOrderOfAdditionAndSurviveDeletionsInHandlers)
{
    SoundWorld world;
    world.write("a.wav", rampWav(441));
    std::vector<std::string> ends;
    auto first = std::make_unique<CSound4>(world.window(), "a.wav", false, true);
    auto second = std::make_unique<CSound4>(world.window(), "a.wav", false, true);
    auto third = std::make_unique<CSound4>(world.window(), "a.wav", false, true);
    NamedLog firstLog("first", ends);
    NamedLog secondLog("second", ends);
    NamedLog thirdLog("third", ends);
    first->addNotifier(&firstLog);
    second->addNotifier(&secondLog);
    third->addNotifier(&thirdLog);
    CSoundManager* manager = world.application()->getSoundManagerIfc();
    const int count = manager->getCount();
    // The first one's end deletes the second, and a new sound is made and started meanwhile.
    std::unique_ptr<CSound4> late;
    firstLog.onFinished = [&] {
        second.reset();
        late = std::make_unique<CSound4>(world.window(), "a.wav", false, true);
        late->play();
    };

    third->play();
    second->play();
    first->play();
    world.run(10);
    EXPECT_EQ(ends, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(manager->getCount(), count);
    ASSERT_TRUE(late->IsPlaying());
    world.run(20);
    EXPECT_FALSE(late->IsPlaying());
}

TEST(CSoundManager, PausedAndLoopingSoundsAreNotReportedFinished)
{
    SoundWorld world;
    world.write("long.wav", rampWav(4410));
    world.write("short.wav", rampWav(441));
    std::vector<std::string> ends;
    CSound4 paused(world.window(), "long.wav", false, true);
    CSound4 looping(world.window(), "short.wav", false, true);
    NamedLog pausedLog("paused", ends);
    NamedLog loopingLog("looping", ends);
    paused.addNotifier(&pausedLog);
    looping.addNotifier(&loopingLog);

    paused.play();
    looping.play(); // marked as started, then looped: never ends by itself
    looping.Play(true);
    world.run(10);
    paused.pause();
    world.run(200);
    EXPECT_TRUE(ends.empty());
    world.application()->getSoundManagerIfc()->resume();
    world.run(100);
    EXPECT_EQ(ends, std::vector<std::string>{"paused"});
    EXPECT_TRUE(looping.IsPlaying());
}

TEST(CSoundManager, AnInactiveWindowChecksNothingUntilItIsActiveAgain)
{
    SoundWorld world;
    world.write("a.wav", rampWav(441));
    std::vector<std::string> ends;
    CSound4 sound(world.window(), "a.wav", false, true);
    NamedLog log("sound", ends);
    sound.addNotifier(&log);
    sound.play();
    world.window()->Activate(false);
    world.run(50);
    EXPECT_TRUE(ends.empty());
    world.window()->Activate(true);
    world.run(10);
    EXPECT_EQ(ends, std::vector<std::string>{"sound"});
}

TEST(CSoundManager, PauseAndResumeReachEverySound)
{
    SoundWorld world;
    world.write("a.wav", rampWav(4410));
    CSound4 one(world.window(), "a.wav", false, true);
    CSound4 two(world.window(), "a.wav", false, true);
    CSound4 idle(world.window(), "a.wav", false, true);
    one.play();
    two.play();
    CSoundManager* manager = world.application()->getSoundManagerIfc();
    manager->pause();
    EXPECT_TRUE(one.isPaused() && two.isPaused());
    EXPECT_FALSE(idle.isPaused());
    manager->resume();
    EXPECT_TRUE(one.IsPlaying() && two.IsPlaying());
    EXPECT_FALSE(idle.IsPlaying());
}

TEST(CSoundManager, EntriesGoAtTheNextCheckAndFlushDeletesOnlyItsOwnSounds)
{
    SoundWorld world;
    CSoundManager manager;
    CSound4 sound(world.window());
    manager.add(&sound, false);
    manager.remove(&sound);
    EXPECT_EQ(manager.getCount(), 0);
    manager.remove(&sound); // gone already: nothing
    EXPECT_EQ(manager.getCount(), 0);
    manager.domodal();
    manager.add(&sound, false);
    EXPECT_EQ(manager.getCount(), 1);

    bool ownedDeleted = false;
    bool keptDeleted = false;
    manager.add(new TrackedSound(world.window(), &ownedDeleted), true);
    TrackedSound kept(world.window(), &keptDeleted);
    manager.add(&kept, false);
    manager.Flush();
    EXPECT_TRUE(ownedDeleted);
    EXPECT_FALSE(keptDeleted);
    EXPECT_EQ(manager.getCount(), 0);
}
