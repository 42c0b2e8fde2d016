#include "foundation/CXRandom.h"
#include "graphics/CAnimo.h"
#include "graphics/CSpeakingAnimation.h"

#include "AnimationWorld.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

// The events an animation starts, by name, speaking events ("TOM_" and a digit) as "talk"
// once for each run of them; and the speaking animation's own start and end.
struct SpeechLog : CPlayableObserver {
    bool onPlayableStarted(CPlayable* playable) override
    {
        if (auto* animation = dynamic_cast<CAnimo*>(playable)) {
            const std::string name = animation->GetEventName(animation->GetCurrentEvent()).c_str();
            spoken.insert(name);
            add(name.size() == 5 && name.rfind("TOM_", 0) == 0 && std::isdigit(name[4]) ? "talk" : name);
        } else {
            add("S");
        }
        return false;
    }
    bool onPlayableFinished(CPlayable* playable) override
    {
        if (dynamic_cast<CAnimo*>(playable) == nullptr)
            add("F");
        return false;
    }
    void add(const std::string& entry)
    {
        if (!(entry == "talk" && text.size() >= 4 && text.compare(text.size() - 4, 4, "talk") == 0))
            text += (text.empty() ? "" : " ") + entry;
    }

    std::string text;
    std::set<std::string> spoken;
};

// A speaking animation of the animation and the sound, both logged, in a world stepped 100 ms
// a frame; every event shows one image at 10 frames a second, so it ends at the next frame.
class Speaking : public ::testing::Test {
protected:
    Speaking()
    {
        animation.SetFPS(10);
        animation.AddFrame(countingImage(0).get());
        animation.addNotifier(&log);
        speaking.addNotifier(&log);
        speaking.substAnimation(&animation);
        speaking.setPrefix("TOM");
        CXRandom::seed(3);
    }

    void events(const std::vector<const char*>& names)
    {
        for (const char* name : names) {
            _annEventInfo3 event = eventOf(name, {0});
            event.fps = 10;
            animation.AddEvent(&event);
        }
    }
    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            world.frame(100);
    }
    // The sound's line ends, as the sound manager reports it.
    void lineEnds()
    {
        sound.playing = false;
        sound.OnWAVFinished();
    }

    AnimationWorld world;
    CAnimo animation{world.window()};
    TestSound sound{world.window()};
    CSpeakingAnimation speaking{world.window(), nullptr};
    SpeechLog log;
};

} // namespace

TEST_F(Speaking, TheLineRunsBetweenTheStartAndTheEndEventsAsTheFlagsSay)
{
    const struct {
        bool starting;
        bool ending;
        std::vector<const char*> events;
        const char* story;
    } rows[] = {
        {false, false, {"TOM_1", "TOM_2", "TOM_START", "TOM_END", "BOB_1"}, "S talk F"},
        {true, false, {"TOM_1", "TOM_2", "TOM_START", "TOM_END", "BOB_1"}, "S TOM_START talk F"},
        {false, true, {"TOM_1", "TOM_2", "TOM_START", "TOM_END", "BOB_1"}, "S talk TOM_END F"},
        {true, true, {"TOM_1", "TOM_2", "TOM_START", "TOM_END", "BOB_1"}, "S TOM_START talk TOM_END F"},
        // Without an end event the stop event closes; without either the line's end does.
        {false, true, {"TOM_1", "TOM_STOP"}, "S talk TOM_STOP F"},
        {true, true, {"TOM_1"}, "S talk F"},
        // An animation without events plays nothing, and the play still ends with the line.
        {true, true, {}, "S F"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.story);
        animation.RemoveAllEvents();
        events(row.events);
        speaking.setStarting(row.starting);
        speaking.setEnding(row.ending);
        speaking.apply(&sound);
        log.text.clear();
        log.spoken.clear();
        speaking.play();
        frames(row.starting ? 1 : 0);
        EXPECT_TRUE(sound.playing);
        frames(12);
        EXPECT_TRUE(speaking.isPlaying());
        lineEnds();
        frames(2);
        EXPECT_EQ(log.text, row.story);
        EXPECT_FALSE(speaking.isPlaying());
    }
}

TEST_F(Speaking, OnlyTheEventsOfThePrefixSpeak)
{
    events({"TOM_1", "TOM_2", "TOM_START", "TOM_END", "TOM_STOP", "BOB_1", "1"});
    speaking.apply(&sound);
    speaking.play();
    frames(40);
    lineEnds();
    EXPECT_EQ(log.spoken, (std::set<std::string>{"TOM_1", "TOM_2"}));

    // Without a prefix the speaking events begin with a digit.
    const struct {
        const char* event;
        const char* prefix;
        bool speaks;
    } rows[] = {{"1", "", true},         {"2a", "", true},           {"IDLE", "", false},      {"", "", false},
                {"TOM_1", "TOM", true},  {"TOM_START", "TOM", false}, {"TOM_STOPS", "TOM", true}, {"TOM", "TOM", false}, {"TOM_", "TOM", true},
                {"tom_1", "TOM", false}, {"BOB_1", "TOM", false}};
    for (const auto& row : rows)
        EXPECT_EQ(CSpeakingAnimation::isSpeakingEvent(row.event, row.prefix), row.speaks) << row.event << " " << row.prefix;
}

TEST_F(Speaking, EveryPlayEndsAlsoWithoutASoundOrAnAnimation)
{
    events({"TOM_START", "TOM_1"});
    // No sound: the start event runs, then the play ends.
    speaking.setStarting(true);
    speaking.play();
    EXPECT_EQ(log.text, "S TOM_START");
    frames(1);
    EXPECT_EQ(log.text, "S TOM_START F");

    // No animation: the play ends at once.
    CSpeakingAnimation bare(world.window(), nullptr);
    bare.apply(&sound);
    SpeechLog bareLog;
    bare.addNotifier(&bareLog);
    bare.play();
    EXPECT_EQ(bareLog.text, "S F");
    EXPECT_FALSE(sound.playing);
}

TEST_F(Speaking, AStopDuringTheStartEventEndsThePlayWithoutTheLine)
{
    events({"TOM_START", "TOM_1"});
    speaking.apply(&sound);
    speaking.setStarting(true);
    speaking.play();
    speaking.stop(true);
    frames(2);
    EXPECT_EQ(log.text, "S TOM_START F");
    EXPECT_EQ(sound.plays, 0);
    EXPECT_FALSE(animation.IsPlaying());
}
