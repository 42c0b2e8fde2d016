#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CWindow;

// The screen unit of one scene: what the scene shows and hears beyond its script objects.
class CUnit6 : public CXObject {
public:
    CUnit6(CWindow* window, const CXString& name);

    virtual CWindow* getWindow() { return window_; }
    // A unit is active between its scene's start and its unloading.
    virtual bool isActive();
    // True once the screen has drawn the unit's first frame.
    virtual bool wasInitiallyUpdated();
    // The unit's own timers end here; a unit does nothing with them.
    virtual void onTimer(int id);

private:
    CXString unitName_;
    CWindow* window_;
    bool initiallyUpdated_ = false;
    bool active_ = false;
};
