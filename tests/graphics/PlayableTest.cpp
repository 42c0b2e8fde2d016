#include "graphics/CPlayable.h"
#include "graphics/CPlayableObserver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Seeker : public CPlayable {
public:
    Seeker()
        : CPlayable(nullptr)
    {
    }
    void play() override {}
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int request) override { current_ = request * 10; }
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
