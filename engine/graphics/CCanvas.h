#pragma once

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"

// An off-screen raster on which other graphics objects are composed, in priority order, each
// time it redraws: a small screen of its own that stands on the screen composer like any raster.
// A background, when the canvas has one, keeps for good what is stamped into it (draw), the
// whole composition baked in (capture), and the holes cut into it (erase); it is drawn under
// everything, at priority -1. The canvas does not own the objects on it.
class CCanvas : public CGraphicsObject {
public:
    // Child invalidations per frame that reach the screen as rectangles; after that the canvas
    // reports itself whole, once.
    static int maxRegions;

    // Cleared pixels of that size and depth, with an alpha plane of 0 when asked; the background
    // has the same size, depth and alpha.
    CCanvas(GraphicsWindow* window, CXSize size, int bpp, bool alpha, bool background);
    // The objects still on the canvas outlive it; they draw to the screen again.
    ~CCanvas() override;
    // A copy would share the background it deletes: copies come from clone.
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    // Once per object: an object already on the canvas keeps its priority. The canvas itself,
    // the screen composer, or a raster that draws this canvas, is refused.
    virtual void add(CGraphicsObject* object, int priority);
    virtual void remove(CGraphicsObject* object);
    // Leaves the background alone on the canvas.
    virtual void removeAll();
    // The pixels within the clipping rectangle (all without one) become 0, colour and alpha;
    // with alsoBackground the background's too.
    virtual void clear(bool alsoBackground);
    // Bakes the composition into the background, then leaves it alone on the canvas. Needs a
    // background.
    virtual void capture();
    // Takes the eraser's alpha off the canvas's and the background's alpha, its top-left
    // corner at (x, y); values do not go below 0. Needs the three alpha planes.
    virtual void erase(CGraphicsObject* eraser, int x, int y);
    // Stamps the object into the background, its position taken as (x, y) for the drawing.
    // Needs a background.
    virtual void draw(CGraphicsObject* object, int x, int y);

    // Clears the canvas within its clipping rectangle, draws the visible objects that reach
    // into it, then draws itself to its destination.
    void Redraw() override;
    // A canvas of the same size and depth (a fresh background when this one has one) with the
    // same objects; on the screen at the same priority when this one is on it.
    CCanvas* clone() override;
    void onInvalidate(CGraphicsObject* object, CXRect* rect) override;
    void onDestroy(CGraphicsObject* object) override;

    CGraphicsObject* getBackground() const { return background_; }
    // Whether the object is on the canvas or drawn by an object on it, at any depth.
    bool holds(CGraphicsObject* object) const;
    bool drawsFrom(CGraphicsObject* object) override { return holds(object); }

private:
    // Unhooks an object that leaves the canvas.
    void release(CGraphicsObject* object);
    // The part of the canvas within its clipping rectangle.
    CXRect clippedArea();
    void tellScreen(CXRect rect);
    void eraseUnpacked(CGraphicsObject* eraser, int x, int y);

    CValidationQuene entries_;
    CGraphicsObject* background_ = nullptr;
    int invalidations_ = 0;
};
