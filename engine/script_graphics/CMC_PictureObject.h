#pragma once

#include "foundation/CXString.h"
#include "graphics/CCollisionObserver.h"
#include "media/CMouseListener.h"
#include "media/CPlayable.h"
#include "script/CMC_Object.h"

#include <cstdint>

class CGraphicsObject;
class GraphicsScene;
class CRefreshScreen;
class CResourcesManager;
class ScriptGraphicsWindow;

// What the script objects that show one picture of a file (ANIMO, IMAGE) share. In a scene the
// picture comes from the default unit's resources manager, shared by every object of the scene
// that names the file in any letter case; elsewhere the object makes its own. It is given back
// exactly as it was taken: each use returned to the manager, or deleted when the object made
// it, is a clone or belongs to no scene (a scene object's picture given by its maker stays).
// A picture that is destroyed elsewhere is forgotten.
//
// The object has the record of compiled scenes of both types: button mode, MONITORCOLLISION,
// MONITORCOLLISIONALPHA, the file name, whether the picture is on the screen, visible,
// PRIORITY, release after use and PRELOAD; 15 bytes and the name after the object's own.
class CMC_PictureObject : public CMC_Object,
                          public CCollisionObserver,
                          public CMouseListener,
                          private CPlayable::Watcher {
public:
    // Forgets the picture; done is the one that releases it.
    ~CMC_PictureObject() override;

    // The picture itself.
    CGraphicsObject* getShownGraphics(const CXString& part) override;
    // When the moved picture is the object's and the signal is bound: the signal with the
    // collision's event (when there is one) and the other's object name, else with the
    // other's name, else the plain signal with the names of both pictures' objects as
    // parameters.
    void onCollision(CGraphicsObject* mover, CGraphicsObject* other) override;
    void onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other) override;
    void serialize(CXArchive* archive) override;

    // The scene stops reporting the picture's collisions to the object.
    virtual void removeCollisionsMonitoring();
    // Takes the picture of the file, loaded now or when first shown as preload says, in place
    // of the one the object had, which is released. A picture that was on the screen is
    // replaced there at the same priority and monitored as the object's flags say.
    virtual void load(const CXString& file, bool preload);

    ScriptGraphicsWindow* getWindow() const { return window_; }
    int getPriority() const { return priority_; }
    // The scene of the object's owner, when it is one.
    GraphicsScene* ownerScene();
    // The scene watches the picture's collisions when a collision flag is set.
    void monitorCollisions();

protected:
    // The properties every picture object reads from its definition, in this order; the
    // collision flags, PRELOAD and PRIORITY go to the object.
    struct Definition {
        CXString file;
        bool toCanvas;
        bool visible;
        bool flushAfterPlayed;
        // A missing or empty PRELOAD loads at once.
        bool preload;
    };

    // Without a picture, owned by the container.
    CMC_PictureObject(const CXString& name, int type, CMC_ObjectsContainer* owner);
    CMC_PictureObject(CMC_ObjectsContainer* owner, CMElement* element, int type);

    Definition readDefinition(CMElement* element);
    // The picture of a copy: the copy's own.
    void adopt(CPlayable* picture);
    // Releases the picture, if any, as load describes.
    void releasePicture();
    // Counts one more use of the picture from its resources manager, as a clone on its planes
    // takes one.
    void addSharedUse();
    // On the window's screen at the priority; nothing without a picture or a screen.
    void putOnScreen(int priority);
    CRefreshScreen* screen() const;
    CPlayable* playable() const { return playable_; }
    CGraphicsObject* picture() const { return picture_; }
    // The name of the object of the owner that shows the picture; "UNKNOWN" when none does.
    CXString nameOf(CGraphicsObject* picture);
    // The event that collision signals carry first; none.
    virtual CXString collisionEvent() { return CXString(); }

    // A new picture for the file, not yet shared; loaded at once with preload.
    virtual CPlayable* makePicture(const CXString& file, bool preload) = 0;
    // The manager's picture of the file when it is of the type; a use counted.
    virtual CPlayable* sharedPicture(CResourcesManager* manager, const CXString& file) = 0;
    // The picture that was on the screen has been replaced there.
    virtual void onReplacedOnScreen() {}
    // The picture is about to leave the object.
    virtual void onPictureLeaving() {}
    virtual bool isButtonMode() = 0;
    virtual void setButtonMode(bool on) = 0;
    // Shows or hides the picture as the record or the definition says.
    virtual void showPicture(bool visible) = 0;
    // The record was read and the picture is in place.
    virtual void onRecordRead() {}

    int32_t priority_ = 0;
    bool monitorCollision_ = false;
    bool monitorCollisionAlpha_ = false;
    bool preload_ = false;

private:
    void onPlayableGone(CPlayable* playable) override;
    void raiseCollision(const char* plain, CGraphicsObject* mover, CGraphicsObject* other);
    void take(CPlayable* picture, CResourcesManager* holder);

    ScriptGraphicsWindow* window_;
    CPlayable* playable_ = nullptr;
    CGraphicsObject* picture_ = nullptr;
    // The manager that counts the object's uses of the picture; none when it did not come
    // from one.
    CResourcesManager* holder_ = nullptr;
    int32_t uses_ = 0;
    // The object made the picture without a manager.
    bool owned_ = false;
};
