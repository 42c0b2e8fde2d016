#pragma once

#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"

class AnimationObject;
class CResourcesManager;
class CSound4;
class GraphicsWindow;

// A playable that plays a sound and keeps an animation busy with randomly chosen "speaking"
// events while the sound lasts, optionally opening with a start event and closing with an end
// event. Neither the animation nor the sound is owned: they come from script objects, from the
// resources manager, or from other sequence entries; only a sound made here without a manager is
// the speaking animation's own. One destroyed elsewhere is forgotten.
//
// With a prefix P the events are P_START, P_END and P_STOP, and the speaking events those
// beginning with P_ that are none of these three; without a prefix they are START, END, STOP
// and the events whose names begin with a digit. A play reports its start, runs the start
// event first (with the starting flag), then the sound with one speaking event after another,
// up to 10000 draws each, until the sound ends; then, with the ending flag, the end event (or
// the stop event when there is no end event). Every play reports its end: without an
// animation at once, without a sound once the start event is over, and the sound's end stops
// the speaking event at once unless an end or stop event is to follow.
class CSpeakingAnimation : public CPlayable, public CPlayableObserver, private CPlayable::Watcher {
public:
    // The playable type of speaking animations.
    static constexpr int kType = 5;

    // The manager may be none.
    CSpeakingAnimation(GraphicsWindow* window, CResourcesManager* resources);
    ~CSpeakingAnimation() override;
    CSpeakingAnimation(const CSpeakingAnimation&) = delete;
    CSpeakingAnimation& operator=(const CSpeakingAnimation&) = delete;

    // The animation of the running scene's ANIMO object of that name, else the manager's
    // animation of that file (made, listed and put on the screen at priority 1000 when the
    // manager has none; "PIXEL.ANN" in any case stays off the screen), else none.
    void setAnimation(const CXString& name);
    // The sound of the running scene's SOUND object of that name, else the manager's sound of
    // that file (made and listed when it has none), else a sound of its own. The file name
    // becomes the speaking animation's.
    void apply(const CXString& name);
    // Takes a sound given by someone else; other playables are refused.
    void apply(CPlayable* sound);
    CAnimo* getAnimation() const { return animation_; }
    CPlayable* getSound() const { return sound_; }
    // None also forgets the ANIMO object: it is going.
    void substAnimation(CAnimo* animation) override;

    void setPrefix(const CXString& prefix) { prefix_ = prefix; }
    CXString getPrefix() const { return prefix_; }
    void setStarting(bool starting) { starting_ = starting; }
    bool isStarting() const { return starting_; }
    void setEnding(bool ending) { ending_ = ending; }
    bool isEnding() const { return ending_; }

    void play() override;
    using CPlayable::play;
    // Ends the play: the sound stops (reporting its end with notify) and is unloaded, the
    // animation stops (the same); with notify the play reports its end.
    void stop(bool notify) override;
    void pause() override;
    void resume() override;
    void seek(int) override {}
    // While a play runs and its sound or its animation plays.
    bool isPlaying() override;
    void move(int dx, int dy) override;
    using CPlayable::move;
    void setPosition(int x, int y) override;
    using CPlayable::setPosition;
    bool isVisible() override;
    void setVisibility(bool visible) override;
    void alwaysOnTop() override;
    // An event of the animation ended, or the sound.
    bool onPlayableFinished(CPlayable* playable) override;

    // Whether the event is a speaking event for the prefix.
    static bool isSpeakingEvent(const CXString& event, const CXString& prefix);

private:
    // Where the sound came from, which decides who lets go of it.
    enum class SoundOrigin { None, Object, Given, Manager, Own };

    void dropSound();
    void forgetAnimoObject();
    // The event of that kind ("START", "END", "STOP") for the prefix.
    CXString eventNamed(const char* kind) const;
    // Plays the named event; whether the animation plays then.
    bool playEvent(const CXString& event);
    void startSound();
    // The next speaking event while the sound plays, else the end.
    void playOnOf();
    void finish();
    // The play is over: stopped without a word and reported.
    void end();
    void stopListening();
    CSound4* sound() const;
    void onPlayableGone(CPlayable* playable) override;

    CPlayable* sound_ = nullptr;
    CAnimo* animation_ = nullptr;
    CResourcesManager* resources_;
    bool soundStarted_ = false;
    bool finishing_ = false;
    bool starting_ = false;
    bool ending_ = false;
    AnimationObject* animoObject_ = nullptr;
    SoundOrigin soundOrigin_ = SoundOrigin::None;
    CXString prefix_;
};
