#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Seeker : public CPlayable {
public:
    Seeker()
        : CPlayable(nullptr)
    {
    }
    using CPlayable::play;
    // Writes what the playable does, and its status and parameter at play().
    void play() override { log += "play(" + std::to_string(getStatus()) + "," + getParameter().c_str() + ") "; }
    void stop(bool notify) override { log += notify ? "stop(true) " : "stop(false) "; }
    void pause() override {}
    void resume() override {}
    void seek(int request) override { current_ = request * 10; }

    std::string log;
};

// Writes its name and the code's operation; answers as told; may take itself off when told.
struct Named : CPlayableObserver {
    Named(std::string* log, const char* name, bool answer)
        : log(log)
        , name(name)
        , answer(answer)
    {
    }
    bool onPlayableStarted(CPlayable* p) override { return heard(p, "1"); }
    bool onPlayableTick(CPlayable* p) override { return heard(p, "2"); }
    bool onPlayableFinished(CPlayable* p) override { return heard(p, "3"); }
    bool onPlayableResumed(CPlayable* p) override { return heard(p, "4"); }
    bool heard(CPlayable* playable, const char* code)
    {
        *log += name + code + " ";
        if (leave)
            playable->removeNotifier(this);
        return answer;
    }

    std::string* log;
    std::string name;
    bool answer;
    bool leave = false;
};

} // namespace

TEST(CPlayable, ObserversHearInTurnWithTheGenericOneLast)
{
    std::string log;
    Seeker playable;
    Named first(&log, "a", true), second(&log, "b", false), generic(&log, "g", true);
    playable.setGenericNotifier(&generic);
    playable.addNotifier(&first);
    playable.addNotifier(&second);
    playable.addNotifier(&first);
    first.leave = true;
    EXPECT_TRUE(playable.notify(CPlayable::NOTIFY_FINISHED));
    EXPECT_EQ(log, "a3 b3 g3 ");
    log.clear();
    generic.answer = false;
    EXPECT_FALSE(playable.notify(CPlayable::NOTIFY_STARTED));
    EXPECT_EQ(log, "b1 g1 ");
    log.clear();
    for (const int unknown : {0, 5})
        EXPECT_TRUE(playable.notify(unknown));
    playable.clearNotifiers();
    playable.notify(CPlayable::NOTIFY_RESUMED);
    EXPECT_EQ(log, "g4 ");
}

TEST(CPlayable, StepsAreSeekRequestsAnsweredWithThePosition)
{
    Seeker playable;
    EXPECT_EQ(playable.previous(), -30);
    EXPECT_EQ(playable.next(), -40);
    EXPECT_EQ(playable.getFPS(), 10);
}

TEST(CPlayable, PlayingAnEventStopsQuietlyAndTakesItsParameter)
{
    Seeker playable;
    playable.addEvent("Walk", "fast");
    playable.addEvent("walk", "slow");
    playable.addEvent("Jump", "high");
    EXPECT_EQ(playable.getPlaying(), nullptr);
    playable.play(CXString("WALK"));
    EXPECT_EQ(playable.log, "stop(false) play(1,fast) ");
    EXPECT_EQ(playable.getLastPlayedEvent(), "WALK");
    EXPECT_EQ(playable.getParam(), "fast");
    EXPECT_EQ(playable.getPlaying(), &playable);

    // Names are found in any case but set only exactly.
    playable.setParameter(CXString("JUMP"), CXString("low"));
    playable.setParameter(CXString("walk"), CXString("slower"));
    EXPECT_EQ(playable.getParameter(CXString("jump")), "high");
    EXPECT_EQ(playable.getParameter(CXString("Walk")), "fast");
    playable.setParameter(CXString("Walk"), CXString("run"));
    EXPECT_EQ(playable.getParameter(CXString("WALK")), "run");

    playable.log.clear();
    playable.play(CXString("Swim"));
    EXPECT_EQ(playable.log, "stop(false) play(1,) ");
    EXPECT_TRUE(playable.isParent());
}
