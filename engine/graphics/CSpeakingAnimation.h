#pragma once

#include "graphics/CPlayable.h"
#include "graphics/CPlayableObserver.h"

class CMC_Animo;
class CResourcesManager;

// A playable that plays a sound and keeps an animation busy with randomly chosen "speaking"
// events while the sound lasts, optionally opening with a start event and closing with an end
// event. Neither the animation nor the sound is owned: they come from script objects, from the
// resources manager, or from other sequence entries; only a sound made here without a manager is
// the speaking animation's own.
class CSpeakingAnimation : public CPlayable, public CPlayableObserver {
public:
    // The playable type of speaking animations.
    static constexpr int kType = 5;

    // The manager may be none.
    CSpeakingAnimation(CWindow* window, CResourcesManager* resources);
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

    // Playing comes with the sequence player; until then a speaking animation stays still.
    void play() override {}
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int) override {}

private:
    // Where the sound came from, which decides who lets go of it.
    enum class SoundOrigin { None, Object, Given, Manager, Own };

    void dropSound();
    void forgetAnimoObject();

    CPlayable* sound_ = nullptr;
    CAnimo* animation_ = nullptr;
    CResourcesManager* resources_;
    bool starting_ = false;
    bool ending_ = false;
    CMC_Animo* animoObject_ = nullptr;
    SoundOrigin soundOrigin_ = SoundOrigin::None;
    CXString prefix_;
};
