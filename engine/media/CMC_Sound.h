#pragma once

#include "graphics/CPlayableObserver.h"
#include "script/CMC_Object.h"

class CSound4;

// The SOUND script object: a sound effect played from scripts, whose start, end and resumption
// it turns into script signals.
class CMC_Sound : public CMC_Object, public CPlayableObserver {
public:
    static constexpr int kType = 2005;

    // An object named "temp" without a sound, to be filled from a stored scene.
    explicit CMC_Sound(CMC_ObjectsContainer* owner);

    // The sound it plays, shared with the scene's other SOUND objects of the same file; none
    // while it has none.
    CSound4* getSound() const { return sound_; }

private:
    CSound4* sound_ = nullptr;
};
