#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/CRandomPlayable.h"

#include <memory>

class CMC_Scene;
class CPlayable;
class CResourcesManager;
class CWindow;

// The screen unit: what the running scene shows and hears beyond its script objects, its
// background and its music, the playables it plays at random and the resources the scene's
// objects share by file name. One unit serves every scene in turn.
class CUnit6 : public CXObject, public CRandomPlayableNotifier {
public:
    CUnit6(CWindow* window, const CXString& name);
    ~CUnit6() override;
    CUnit6(const CUnit6&) = delete;
    CUnit6& operator=(const CUnit6&) = delete;

    // Binds the unit to the scene: it becomes active, takes over the previous unit's music
    // (so that the same music plays on) and sets the background. Returns true.
    virtual bool initialize(CMC_Scene* scene, CUnit6* previous);
    // Unbinds the unit: it stops playing at random and lets go of the scene's shared
    // resources. Returns true.
    virtual bool done(CMC_Scene* scene, CUnit6* next);
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

    // Plays the playable now and then while the unit is bound (see CRandomPlayable); every
    // play is allowed. Nothing happens while the unit is not bound.
    virtual void addRandomPlayable(CPlayable* playable, double frequency, int count, const CXString& event);
    virtual void removeRandomPlayable(CPlayable* playable);
    // The random player while the unit is bound, else none.
    CRandomPlayable* getRandomPlayable() const { return randomPlayable_.get(); }
    // Resources that the scene's objects share by file name; the unit owns it.
    virtual CResourcesManager* getResourcesManager() { return resources_.get(); }

private:
    void startRandomPlay();
    void releaseSceneResources();

    CXString unitName_;
    CWindow* window_;
    bool initiallyUpdated_ = false;
    CXString backgroundFileName_;
    CMC_Scene* scene_ = nullptr;
    bool active_ = false;
    CXString musicFileName_;
    std::unique_ptr<CResourcesManager> resources_;
    std::unique_ptr<CRandomPlayable> randomPlayable_;
};
