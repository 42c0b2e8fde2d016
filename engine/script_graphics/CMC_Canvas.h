#pragma once

#include "script_graphics/CMC_ButtonRaster.h"

#include <vector>

class CCanvas;

// The CANVAS script object: one composition raster (CCanvas) on the screen, into which scripts
// compose other graphics objects (ADD), stamp pictures for good (DRAW), cut holes (ERASE), bake
// the composition (CAPTURE) and which they save as a picture (SAVE). With mouse signals bound it
// behaves as a button of its raster; SETASBUTTON switches that off and on.
//
// The IMAGE and TEXT objects that ADD puts on the canvas are remembered, each once, so that
// CAPTURE can finish and delete them once their pictures are baked in; an object destroyed
// elsewhere is forgotten.
//
// The record of compiled scenes: after the object's own, the raster's width and height, its
// priority on the screen (-1 off it), whether it has an alpha plane and a background.
class CMC_Canvas : public CMC_ButtonRaster, private CMC_Object::Watcher {
public:
    static constexpr int kType = 2020;

    // Named "temp", without a raster, owned by the container: what a compiled scene's record
    // fills.
    explicit CMC_Canvas(CMC_ObjectsContainer* owner);
    // Around the raster (cleared), which the object owns; nothing is put on the screen.
    CMC_Canvas(CMC_ObjectsContainer* owner, CCanvas* canvas);
    // From a definition: PRIORITY, WIDTH, HEIGHT, ALPHA, BACKGROUND; the raster, cleared, goes
    // on the screen at PRIORITY; then the signals.
    CMC_Canvas(CMC_ObjectsContainer* owner, CMElement* element);
    // Takes the raster off the screen and deletes it; the objects composed into it stay.
    ~CMC_Canvas() override;

    // A canvas with the same objects on a new raster, on the screen at this one's priority;
    // it remembers the same objects.
    CXObject* clone() override;
    void serialize(CXArchive* archive) override;

    // The graphics object of that name in the canvas's own container joins the composition at
    // the priority (one there already keeps its place); an IMAGE or TEXT is remembered.
    virtual void add(const CXString& name, int priority);
    // Bakes the composition into the background and empties it; with deleteRemembered the
    // remembered objects still there are finished, leave their containers and are deleted at
    // the end of the frame. The remembered list is emptied in any case.
    virtual void capture(bool deleteRemembered);
    // Button mode (the reactions are switched on and off) and whether the cursor changes.
    void setAsButton(bool enable, bool cursor);

    CCanvas* getCanvas() const { return canvas_; }
    const std::vector<CMC_Object*>& getRemembered() const { return remembered_; }

protected:
    CGraphicsObject* raster() const override;

private:
    // The new raster of that size, cleared, on the screen at the priority.
    void makeCanvas(int width, int height, bool alpha, bool background, int priority);
    void remember(CMC_Object* object);
    void onObjectGone(CMC_Object* object) override;

    CCanvas* canvas_ = nullptr;
    std::vector<CMC_Object*> remembered_;
};
