#pragma once

#include "foundation/CXTimer.h"

class CResourcesManager;

// A screen unit as sounds reach it: the files it holds for its scene. The units live with the
// texts and controls, above every folder that calls them; each folder on the way up adds what
// it needs, and the unit implements them all.
class MediaUnit : public CTimerUnit {
public:
    virtual CResourcesManager* getResourcesManager() = 0;

    // The unit that scenes share, made with the first scene; none before it and after the
    // last scene went.
    static MediaUnit* getDefault() { return default_; }
    static void setDefault(MediaUnit* unit) { default_ = unit; }

private:
    static MediaUnit* default_;
};
