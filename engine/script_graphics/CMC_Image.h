#pragma once

#include "graphics/CCollisionObserver.h"
#include "graphics/CMouseListener.h"
#include "graphics/CPlayable.h"
#include "script/CMC_Object.h"
#include "script_graphics/CMC_GraphicsButton.h"

#include <cstdint>

class CImage;
class CMC_Scene;
class CResourcesManager;
class CWindow;

// The IMAGE script object: one still picture on the screen that scripts move, show, hide, use
// as a button and watch collide. In a scene, objects that name the same file (in any letter
// case) share one picture through the default unit's resources manager; a clone shows a copy
// that shares the picture's planes.
class CMC_Image : public CMC_Object, public CCollisionObserver, public CMouseListener, private CPlayable::Watcher {
public:
    static constexpr int kType = 2008;
    static constexpr int SIGNAL_ONCOLLISION = 3;
    static constexpr int SIGNAL_ONCOLLISIONFINISHED = 4;

    // Without a picture, owned by the container: what a compiled scene's record (serialize)
    // or the CREATE statement (LOAD) fills.
    explicit CMC_Image(CMC_ObjectsContainer* owner);
    // The copy of an object, named "clone", showing the picture; a clone owns it.
    CMC_Image(CMC_ObjectsContainer* owner, CImage* picture);
    // From a definition: FILENAME, TOCANVAS, VISIBLE, FLUSHAFTERPLAYED, PRELOAD (a missing or
    // empty one loads at once), MONITORCOLLISION, MONITORCOLLISIONALPHA, PRIORITY, ASBUTTON,
    // then the signals. The starting position is where the picture stands.
    CMC_Image(CMC_ObjectsContainer* owner, CMElement* element);
    // The picture is done's to release.
    ~CMC_Image() override;

    // A copy of the picture sharing its planes, on the screen at the picture's priority.
    CXObject* clone() override;
    // Releases the picture (see load), then raises "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    // Always true; the first mouse signal bound makes the object a mouse listener.
    bool verifyBehaviour(const CXString& name) override;
    // The record of compiled scenes: ASBUTTON, MONITORCOLLISION, MONITORCOLLISIONALPHA, the
    // file name, whether it is on the screen, visible, PRIORITY, release after use and
    // PRELOAD. The position is not stored.
    void serialize(CXArchive* archive) override;
    CGraphicsObject* getGraphicsObject(const CXString& part) override;

    // The scene stops reporting the picture's collisions to the object.
    virtual void removeCollisionsMonitoring();
    // Takes the picture of the file: in a scene the one the scene's objects share (loaded now
    // or when first shown, as preload says), elsewhere its own. The picture it had is released
    // exactly as it was taken. A picture that was on the screen is replaced there at the same
    // priority.
    virtual void load(const CXString& file, bool preload);

    void onCollision(CGraphicsObject* mover, CGraphicsObject* other) override;
    void onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other) override;
    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CImage* getImage() const { return picture_; }
    CWindow* getWindow() const { return window_; }
    int getPriority() const { return priority_; }
    CXPoint GetStartingPosition() const { return start_; }
    void SetStartingPosition(int x, int y) { start_ = CXPoint(x, y); }
    // Button mode goes on, whatever the first argument; the second sets the active cursor.
    void setAsButton(bool asButton, bool activeCursor);
    CMC_GraphicsButton& button() { return button_; }
    // Shows or hides the picture.
    void showPicture(bool visible);
    // The scene watches the picture for collisions when a collision flag is set.
    void monitorCollisions();

private:
    void onPlayableGone(CPlayable* playable) override;
    CMC_Scene* ownerScene();
    // The picture leaves the object: monitoring ends, and it goes back to the resources
    // manager as often as the object used it, or is deleted when the object made it, is a
    // clone or belongs to no scene; a scene object's picture given by its maker stays.
    void releasePicture();
    void raiseCollision(int signal, const char* name, CGraphicsObject* mover, CGraphicsObject* other);

    CWindow* window_ = nullptr;
    CImage* picture_ = nullptr;
    // The manager that counts this object's uses of the picture (its own, and one for each of
    // its clones made since it took the picture); none when the object owns it.
    CResourcesManager* holder_ = nullptr;
    int32_t uses_ = 0;
    // The object made the picture without a resources manager.
    bool ownsPicture_ = false;
    CXPoint start_;
    int32_t priority_ = 0;
    CMC_GraphicsButton button_;
    bool monitorCollision_ = false;
    bool monitorCollisionAlpha_ = false;
    bool preload_ = false;
};
