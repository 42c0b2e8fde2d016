#pragma once

#include "graphics/CPlayable.h"
#include "graphics/CPlayableObserver.h"

class CMC_Animo;

// A leaf of a sequence: one event of one animation, as a playable of its own. It owns neither
// the animation nor the ANIMO object whose animation it plays.
class CAnimoSequencePlayable : public CPlayable, public CPlayableObserver {
public:
    // The playable type of animation events.
    static constexpr int kType = 6;

    CAnimoSequencePlayable(CWindow* window, CAnimo* animation);
    // Plays the object's animation; the object is told when the leaf goes.
    CAnimoSequencePlayable(CWindow* window, CMC_Animo* object);
    ~CAnimoSequencePlayable() override;
    CAnimoSequencePlayable(const CAnimoSequencePlayable&) = delete;
    CAnimoSequencePlayable& operator=(const CAnimoSequencePlayable&) = delete;

    void setEventNo(int event) { event_ = event; }
    int getEventNo() const { return event_; }
    CAnimo* getAnimation() const { return animation_; }
    CMC_Animo* getAnimoObject() const { return object_; }
    // None also forgets the ANIMO object: it is going.
    void substAnimation(CAnimo* animation) override;

    // Playing comes with the sequence player; until then a leaf stays still.
    void play() override {}
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int) override {}

private:
    int32_t event_ = 0;
    CAnimo* animation_;
    CMC_Animo* object_ = nullptr;
};
