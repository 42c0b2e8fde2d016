#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CMC_Scene;
class CWindow;

// The screen unit: what the running scene shows and hears beyond its script objects, its
// background and its music. One unit serves every scene in turn.
class CUnit6 : public CXObject {
public:
    CUnit6(CWindow* window, const CXString& name);

    // Binds the unit to the scene: it becomes active, takes over the previous unit's music
    // (so that the same music plays on) and sets the background. Returns true.
    virtual bool initialize(CMC_Scene* scene, CUnit6* previous);
    // At the screen's first frame for the scene: starts the scene's music. Returns true.
    virtual bool onInitialUpdate();
    // At every later frame; nothing to do here.
    virtual void onCanvasRefreshed() {}
    // True once the screen has drawn the unit's first frame.
    virtual bool wasInitiallyUpdated();

    virtual CWindow* getWindow() { return window_; }
    // A unit is active between its scene's start and its unloading.
    virtual bool isActive();

    // Starts the music file (null: the scene's) when forced or when the scene agrees; the
    // music that plays already from that file, in any letter case, plays on. No file, or no
    // scene, starts nothing.
    virtual void startMusic(const char* name, bool force);
    virtual void stopMusic();
    virtual CXString getMusicFileName() { return musicFileName_; }

    void setBackgroundFileName(const CXString& name) { backgroundFileName_ = name; }
    virtual CXString getBackgroundFileName() { return backgroundFileName_; }
    // The background file on the screen, or the screen's plain dark colour without one.
    virtual void setBackground();

    // The unit's own timers end here; a unit does nothing with them.
    virtual void onTimer(int id);

private:
    CXString unitName_;
    CWindow* window_;
    bool initiallyUpdated_ = false;
    CXString backgroundFileName_;
    CMC_Scene* scene_ = nullptr;
    bool active_ = false;
    CXString musicFileName_;
};
