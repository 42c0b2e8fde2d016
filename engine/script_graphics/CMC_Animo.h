#pragma once

#include "graphics/CPlayableObserver.h"
#include "script/CMC_Object.h"

#include <vector>

class CAnimo6;
class CPlayable;

// The ANIMO script object: one animation shown on the screen, whose start, frames and end it
// turns into script signals. Sequences may play its animation; they register here and are
// told when the object goes.
class CMC_Animo : public CMC_Object, public CPlayableObserver {
public:
    static constexpr int kType = 2000;

    // The copy of an object: the owner's object named "clone" around the animation, which it
    // observes alone. The animation is not owned.
    CMC_Animo(CMC_ObjectsContainer* owner, CAnimo6* animation);
    // The sequences that still play the animation forget the object.
    ~CMC_Animo() override;

    CAnimo6* getAnimo() const { return animation_; }
    // A sequence playable that plays this object's animation; listed once.
    void addSeq(CPlayable* sequence);
    void removeSeq(CPlayable* sequence);

private:
    CAnimo6* animation_;
    std::vector<CPlayable*> sequences_;
};
