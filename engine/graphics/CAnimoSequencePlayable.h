#pragma once

#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"

class AnimationObject;
class GraphicsWindow;

// A leaf of a sequence: one event of one animation, as a playable of its own. It owns neither
// the animation nor the ANIMO object whose animation it plays. While its event plays it
// listens to the animation, and only then does it stop it or count as playing: an animation
// that others play on meanwhile is theirs. An animation destroyed elsewhere is forgotten.
class CAnimoSequencePlayable : public CPlayable, public CPlayableObserver, private CPlayable::Watcher {
public:
    // The playable type of animation events.
    static constexpr int kType = 6;

    CAnimoSequencePlayable(GraphicsWindow* window, CAnimo* animation);
    // Plays the object's animation; the object is told when the leaf goes.
    CAnimoSequencePlayable(GraphicsWindow* window, AnimationObject* object);
    ~CAnimoSequencePlayable() override;
    CAnimoSequencePlayable(const CAnimoSequencePlayable&) = delete;
    CAnimoSequencePlayable& operator=(const CAnimoSequencePlayable&) = delete;

    void setEventNo(int event) { event_ = event; }
    int getEventNo() const { return event_; }
    CAnimo* getAnimation() const { return animation_; }
    AnimationObject* getAnimoObject() const { return object_; }
    // None also forgets the ANIMO object: it is going.
    void substAnimation(CAnimo* animation) override;

    // Reports its start, then plays the event from its first position.
    void play() override;
    using CPlayable::play;
    // With notify, the animation reports its end, which this leaf reports as its own.
    void stop(bool notify) override;
    void pause() override;
    void resume() override;
    void seek(int) override {}
    bool isPlaying() override;
    void setVisibility(bool visible) override;
    // The event ended: the leaf reports its end.
    bool onPlayableFinished(CPlayable* playable) override;

private:
    void detach();
    void onPlayableGone(CPlayable* playable) override;

    int32_t event_ = 0;
    CAnimo* animation_;
    AnimationObject* object_ = nullptr;
    // Listening to the animation while the event plays.
    bool attached_ = false;
};
