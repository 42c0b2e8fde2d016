#pragma once

#include "foundation/CXString.h"
#include "graphics/CCollisionObserver.h"
#include "media/CMouseListener.h"
#include "script/CMC_Object.h"

#include <cstdint>

class GraphicsScene;
class CVirtualGraphicsObject;
class ScriptGraphicsWindow;

// The VIRTUALGRAPHICSOBJECT script object: a CVirtualGraphicsObject (its picture) that shows a
// source graphics object through a mask, both chosen by scripts (SETSOURCE, SETMASK). It raises
// no mouse or collision signals: ASBUTTON and SETASBUTTON are only recorded, and the picture's
// collisions are watched without a word. SOURCE and MASK are kept as read, not applied.
//
// Its record of compiled scenes is the object's own, from which a compiled scene makes an empty
// object off the screen; the compiled scene writer leaves the type out, since the record loses
// the picture.
class CMC_VirtualGraphicsObject : public CMC_Object, public CCollisionObserver, public CMouseListener {
public:
    static constexpr int kType = 3005;

    // Named "temp", with an empty picture off the screen, owned by the container: what a
    // compiled scene's record fills.
    explicit CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner);
    // Named "clone", around the picture, which it owns; nothing is put on the screen.
    CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner, CVirtualGraphicsObject* picture);
    // From a definition: TOCANVAS, VISIBLE (hidden unless true), MONITORCOLLISION,
    // MONITORCOLLISIONALPHA, PRIORITY, SOURCE, MASK, ASBUTTON, then the signals.
    CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner, CMElement* element);
    // The picture's collisions are no longer watched; the picture goes, and with it its place
    // on the screen.
    ~CMC_VirtualGraphicsObject() override;

    // A picture on the same source and mask, on the screen at this one's priority when this one
    // is there.
    CXObject* clone() override;
    const CMC_SignalList* getBehavioursList() override;
    CGraphicsObject* getShownGraphics(const CXString& part) override;

    // The scene of the object's container watches the picture's collisions, once.
    void monitorCollisions(bool byAlpha);
    // The watching ends; the picture's monitoring flag is cleared.
    virtual void removeCollisionsMonitoring();
    void onCollision(CGraphicsObject*, CGraphicsObject*) override {}
    void onCollisionFinished(CGraphicsObject*, CGraphicsObject*) override {}
    bool onMouseMove(CXPoint) override { return true; }
    bool onClick(int, CXPoint) override { return true; }
    bool onRelease(int, CXPoint) override { return true; }
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CVirtualGraphicsObject* getVirtualGraphicsObject() const { return picture_; }
    // Button mode goes on, whatever the first argument; the second sets the cursor flag.
    void setAsButton(bool asButton, bool cursor);
    bool isButton() const { return button_; }
    bool hasButtonCursor() const { return buttonCursor_; }
    int getPriority() const { return priority_; }
    const CXString& getSourceName() const { return sourceName_; }
    const CXString& getMaskName() const { return maskName_; }

private:
    // The scene of the object's container.
    GraphicsScene* ownerScene();

    ScriptGraphicsWindow* window_;
    CVirtualGraphicsObject* picture_;
    int32_t priority_ = 0;
    bool button_ = false;
    bool buttonCursor_ = true;
    CXString sourceName_;
    CXString maskName_;
};
