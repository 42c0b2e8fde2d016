#pragma once

#include "graphics/AnimationObject.h"
#include "media/CPlayableObserver.h"
#include "script_graphics/CMC_PictureObject.h"

#include <vector>

class CAnimo6;

// The ANIMO script object: one animation shown on the screen, whose start, frame changes and
// end, collisions, and focus, presses and releases it turns into script signals. Sequences may
// play its animation; they register here and are told when it changes.
//
// The object becomes a mouse listener, at its priority, once a mouse signal is bound to it;
// in button mode (ASBUTTON) it then plays the animation's "ONFOCUSON", "ONFOCUSOFF" and
// "ONCLICK" events and raises the signals while the pointer hits the animation's box.
class CMC_Animo : public CMC_PictureObject, public CPlayableObserver, public AnimationObject {
public:
    static constexpr int kType = TYPE_ANIMO;
    // Positions of the signals in the type's list.
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;
    static constexpr int SIGNAL_ONFRAMECHANGED = 7;
    static constexpr int SIGNAL_ONFOCUSON = 10;
    static constexpr int SIGNAL_ONFOCUSOFF = 11;
    static constexpr int SIGNAL_ONCLICK = 12;
    static constexpr int SIGNAL_ONRELEASE = 13;

    // Named "temp", without an animation, owned by the container: what a compiled scene's
    // record (serialize) or the CREATE statement (LOAD) fills. A compiled object observes its
    // animation.
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
    // Releases the animation, then raises "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    // Always true; the first mouse signal bound makes the object a mouse listener.
    bool verifyBehaviour(const CXString& name) override;
    // The animation; with a part, the image that the first frame of that name shows.
    CGraphicsObject* getShownGraphics(const CXString& part) override;
    // A file the animation has already (in any letter case) is not taken again.
    void load(const CXString& file, bool preload) override;

    // The name an event signals under: played backwards ("WALK_REVERSE"), under its forward
    // name; a name of 8 characters or fewer stays whole.
    virtual CXString getSignalEvent(const CXString& event);

    bool onPlayableStarted(CPlayable* playable) override;
    bool onPlayableTick(CPlayable* playable) override;
    bool onPlayableFinished(CPlayable* playable) override;
    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CAnimo6* getAnimo() const override;
    bool isAsButton() const { return asButton_; }
    bool isListening() const { return listening_; }
    void setOnFirstFrame(bool on) { onFirstFrame_ = on; }
    bool getOnFirstFrame() const { return onFirstFrame_; }
    // Button mode and whether the cursor changes over the object; plays "ONNOEVENT".
    void setAsButton(bool asButton, bool activeCursor);
    // A sequence playable that plays this object's animation; listed once.
    void addSeq(CPlayable* sequence) override;
    void removeSeq(CPlayable* sequence) override;

protected:
    CPlayable* makePicture(const CXString& file, bool preload) override;
    CPlayable* sharedPicture(CResourcesManager* manager, const CXString& file) override;
    void onReplacedOnScreen() override;
    void onPictureLeaving() override;
    bool isButtonMode() override { return asButton_; }
    void setButtonMode(bool on) override { asButton_ = on; }
    void showPicture(bool visible) override;
    // The frame rate and ONFIRSTFRAME ride in the record as notes.
    std::vector<RecordNote> getRecordNotes() override;
    void onRecordRead() override;
    CXString collisionEvent() override { return signalEvent(); }

private:
    // The current event's name as signals carry it, upper case.
    CXString signalEvent();
    // Button mode, an unpaused window and a visible animation.
    bool reacts();
    // The hit box: frame 0's under ONFIRSTFRAME, else the current image's.
    CXRect hitBox();
    bool isPlayingClick();
    void playEvent(const char* name);
    void onFoncusOn();
    void onFocusOff();
    void onClick();

    bool hovered_ = false;
    bool listening_ = false;
    bool asButton_ = false;
    bool onFirstFrame_ = false;
    bool activeCursor_ = true;
    std::vector<CPlayable*> sequences_;
};
