#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/CMouseListener.h"
#include "graphics/CRandomPlayable.h"
#include "media/CKeyListener.h"

#include <memory>

class CMC_Scene;
class CMElements;
class CPlayable;
class CResourcesManager;
class CWindow;

// The screen unit: what the running scene shows and hears beyond its script objects, its
// background and its music, the playables it plays at random and the resources the scene's
// objects share by file name. One unit serves every scene in turn: a scene binds it while it
// runs, renamed after the scene, and unbinds it when it unloads.
class CUnit6 : public CXObject, public CMouseListener, public CKeyListener, public CRandomPlayableNotifier {
public:
    // The unit listens to the window's mouse and keys at this priority while it is bound.
    static constexpr int kListenerPriority = 100000;

    CUnit6(CWindow* window, const CXString& name);
    ~CUnit6() override;
    CUnit6(const CUnit6&) = delete;
    CUnit6& operator=(const CUnit6&) = delete;

    CXString getUnitName() const { return unitName_; }
    void setUnitName(const CXString& name) { unitName_ = name; }

    // Binds the unit to the scene: it becomes active, takes over the previous unit's music
    // (so that the same music plays on), sets the background and listens to the window.
    // Returns true.
    virtual bool initialize(CMC_Scene* scene, CUnit6* previous);
    // Unbinds the unit: it stops playing at random, lets go of the scene's shared resources,
    // the screen of its background, the unit of its scene and of the window's mouse and keys.
    // An unbound unit may be unbound again. Returns true.
    virtual bool done(CMC_Scene* scene, CUnit6* next);
    // At the screen's first frame for the scene: starts the scene's music. Returns true.
    virtual bool onInitialUpdate();
    // At every later frame; nothing to do here.
    virtual void onCanvasRefreshed() {}
    // True once the screen has drawn the unit's first frame since it was bound.
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

    // A scene's definitions pass through the unit before the scene builds them; they come
    // back unchanged.
    virtual CMElements* resolveObjects(CMC_Scene* scene, CMElements* elements);
    // The unit's edit boxes go; a unit holds none before edit boxes exist.
    virtual void flushEditBoxes() {}

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
    // Whether the window the unit listens to still exists.
    bool windowLives() const;
    void stopListening();

    CXString unitName_;
    CWindow* window_;
    bool initiallyUpdated_ = false;
    CXString backgroundFileName_;
    CMC_Scene* scene_ = nullptr;
    bool active_ = false;
    bool listening_ = false;
    CXString musicFileName_;
    std::unique_ptr<CResourcesManager> resources_;
    // Declared after the resources, so it goes first: it may still hold their playables.
    std::unique_ptr<CRandomPlayable> randomPlayable_;
};
