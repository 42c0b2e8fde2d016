#pragma once

#include "graphics/CCollisionObserver.h"
#include "graphics/CMouseListener.h"
#include "graphics/CPlayable.h"
#include "graphics/CPlayableObserver.h"
#include "script/CMC_Object.h"

#include <cstdint>
#include <vector>

class CAnimo6;
class CMC_Scene;
class CResourcesManager;
class CWindow;

// The ANIMO script object: one animation shown on the screen, whose start, frame changes and
// end, collisions, and focus, presses and releases it turns into script signals. In a scene,
// objects that name the same file share one animation through the default unit's resources
// manager. Sequences may play its animation; they register here and are told when it changes.
//
// The object becomes a mouse listener, at its priority, once a mouse signal is bound to it;
// with ASBUTTON it then plays the animation's "ONFOCUSON", "ONFOCUSOFF" and "ONCLICK" events
// and raises the signals while the pointer hits the animation's box.
class CMC_Animo : public CMC_Object,
                  public CPlayableObserver,
                  public CCollisionObserver,
                  public CMouseListener,
                  private CPlayable::Watcher {
public:
    static constexpr int kType = 2000;
    // Positions of the signals in the type's list.
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;
    static constexpr int SIGNAL_ONFRAMECHANGED = 7;
    static constexpr int SIGNAL_ONCOLLISION = 8;
    static constexpr int SIGNAL_ONCOLLISIONFINISHED = 9;
    static constexpr int SIGNAL_ONFOCUSON = 10;
    static constexpr int SIGNAL_ONFOCUSOFF = 11;
    static constexpr int SIGNAL_ONCLICK = 12;
    static constexpr int SIGNAL_ONRELEASE = 13;

    // Named "temp", without an animation, owned by the container: what a compiled scene's
    // record (serialize) or the CREATE statement (LOAD) fills.
    explicit CMC_Animo(CMC_ObjectsContainer* owner);
    // The copy of an object: named "clone", around the animation, which it observes alone; a
    // clone owns it.
    CMC_Animo(CMC_ObjectsContainer* owner, CAnimo6* animation);
    // From a definition: FILENAME, TOCANVAS, VISIBLE, FLUSHAFTERPLAYED, PRELOAD (a missing or
    // empty one loads at once), MONITORCOLLISION, MONITORCOLLISIONALPHA, PRIORITY, FPS (0 or
    // none: 15, below 0: 1), ASBUTTON and ONFIRSTFRAME, then the signals.
    CMC_Animo(CMC_ObjectsContainer* owner, CMElement* element);
    // Leaves the window's mouse listeners; the sequences that still play the animation forget
    // the object. The animation is done's to release.
    ~CMC_Animo() override;

    // A copy of the animation on the screen at the animation's priority (0 when it is not on
    // the screen).
    CXObject* clone() override;
    // Releases the animation (see load), then raises "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    // Always true; the first mouse signal bound makes the object a mouse listener.
    bool verifyBehaviour(const CXString& name) override;
    // The record of compiled scenes: ASBUTTON, MONITORCOLLISION, MONITORCOLLISIONALPHA, the
    // file name, whether it is on the screen, visible, PRIORITY, release after use and
    // PRELOAD; 15 bytes and the name. The frame rate is the file's.
    void serialize(CXArchive* archive) override;
    // The animation; with a part, the image that the frame of that name shows.
    CGraphicsObject* getGraphicsObject(const CXString& part) override;

    // The name an event signals under: played backwards ("WALK_REVERSE"), under its forward
    // name; a name of 8 characters or fewer stays whole.
    virtual CXString getSignalEvent(const CXString& event);
    // The scene stops reporting the animation's collisions to the object.
    virtual void removeCollisionsMonitoring();
    // Takes the animation of the file: in a scene the one the scene's objects share (loaded
    // now or when first shown, as preload says), elsewhere its own. The animation it had is
    // released exactly as it was taken: given back to the resources manager, or deleted when
    // the object owned it. An animation that was on the screen is replaced there at the same
    // priority.
    virtual void load(const CXString& file, bool preload);

    bool onPlayableStarted(CPlayable* playable) override;
    bool onPlayableTick(CPlayable* playable) override;
    bool onPlayableFinished(CPlayable* playable) override;
    void onCollision(CGraphicsObject* mover, CGraphicsObject* other) override;
    void onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other) override;
    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CAnimo6* getAnimo() const { return animation_; }
    CWindow* getWindow() const { return window_; }
    int getPriority() const { return priority_; }
    bool isAsButton() const { return asButton_; }
    bool isListening() const { return listening_; }
    void setOnFirstFrame(bool on) { onFirstFrame_ = on; }
    bool getOnFirstFrame() const { return onFirstFrame_; }
    // Button mode and whether the cursor changes over the object; plays "ONNOEVENT".
    void setAsButton(bool asButton, bool activeCursor);
    // A sequence playable that plays this object's animation; listed once.
    void addSeq(CPlayable* sequence);
    void removeSeq(CPlayable* sequence);

    // The object's scene, when its owner is one.
    CMC_Scene* ownerScene();

private:
    void onPlayableGone(CPlayable* playable) override;
    // The animation joins the screen, its observers and the scene's collision monitoring as
    // the object's flags say.
    void monitorCollisions();
    // The animation leaves the object: monitoring ends, the object stops observing it, and it
    // goes back to the resources manager it came from, or is deleted when the object made it,
    // is a clone or belongs to no scene; a scene object's animation given by its maker stays.
    void releaseAnimation();
    // The event's name as signals carry it, upper case.
    CXString signalEvent();
    void raiseCollision(int signal, const char* name, CGraphicsObject* mover, CGraphicsObject* other);
    // Button mode, an unpaused window and a visible animation.
    bool reacts();
    // The hit box: frame 0's under ONFIRSTFRAME, else the current image's.
    CXRect hitBox();
    bool isPlayingClick();
    void playEvent(const char* name);
    void onFoncusOn();
    void onFocusOff();
    void onClick();

    CWindow* window_ = nullptr;
    CAnimo6* animation_ = nullptr;
    // The manager that counts this object's use of the animation; none when the object owns it.
    CResourcesManager* holder_ = nullptr;
    // The object made the animation without a resources manager.
    bool ownsAnimation_ = false;
    int32_t priority_ = 0;
    bool hovered_ = false;
    bool listening_ = false;
    bool asButton_ = false;
    bool onFirstFrame_ = false;
    bool activeCursor_ = true;
    bool monitorCollision_ = false;
    bool monitorCollisionAlpha_ = false;
    bool preload_ = false;
    std::vector<CPlayable*> sequences_;
};
