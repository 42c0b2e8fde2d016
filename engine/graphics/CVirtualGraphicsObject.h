#pragma once

#include "graphics/CGraphicsObject.h"

#include <memory>

class CAnimo;
class CRefreshScreen;

// A graphics object without pixels of its own: it shows the pixels of a source graphics object
// through the alpha plane of a mask. At each pixel of its rectangle the mask's alpha decides:
// 255 copies the source pixel, 1 to 254 blends it in (as the raster's weighted pixel writes
// do), 0 leaves the destination alone; a mask without an alpha plane is opaque. The mask's
// position, read in the source's coordinates, chooses the part of the source shown; the
// object's own position places it. Its size is the smaller width and height of source and
// mask (the one set when only one is).
//
// An animation lends its current frame as the mask, kept as it is at that moment. A source
// that draws nowhere itself is refreshed once per screen frame before it is shown. The object
// watches source and mask: it redraws when they change and forgets them when they are
// destroyed, a frame mask with its animation. A source that draws this object is refused.
class CVirtualGraphicsObject : public CGraphicsObject {
public:
    explicit CVirtualGraphicsObject(GraphicsWindow* window);
    ~CVirtualGraphicsObject() override;
    CVirtualGraphicsObject(const CVirtualGraphicsObject&) = delete;
    CVirtualGraphicsObject& operator=(const CVirtualGraphicsObject&) = delete;

    // False, and nothing changes, for the object itself or a source that draws it.
    bool setSource(CGraphicsObject* source);
    void setMask(CGraphicsObject* mask);
    void setAnimoMask(CAnimo* animation);
    CGraphicsObject* getSource() const { return source_; }
    CGraphicsObject* getMask() const { return mask_; }

    // Another object on the same source and mask, at the same place, clipped and shown alike.
    CVirtualGraphicsObject* clone() override;
    void redraw(CGraphicsObject* destination) override;
    // With a mask: inside the box where the mask is not transparent; without one, the source's
    // hit test (true without a source).
    bool testHit(CXPoint p) override;
    // The mask's size while there is a mask, else the object's own.
    int Width() override;
    int Height() override;
    using CGraphicsObject::Invalidate;
    // A change where the mask shows the source redraws the whole object.
    void Invalidate(CXRect* rect) override;
    bool drawsFrom(CGraphicsObject* object) override;
    void onDestroy(CGraphicsObject* object) override;

private:
    // The size that source and mask leave; then the object is marked dirty.
    void resize();
    void detach();
    void dropMask();
    // The source's own drawing, at most once per screen frame for all virtual objects.
    void refreshSource();
    // The masked drawing onto an unpacked destination of the source's depth.
    void drawMasked(CGraphicsObject* destination);

    CRefreshScreen* screen_;
    CGraphicsObject* source_ = nullptr;
    // What is watched for the mask: the mask, or the animation whose frame it is.
    CGraphicsObject* maskOwner_ = nullptr;
    CGraphicsObject* mask_ = nullptr;
    // The frame of an animation, shared with it, kept while the animation lives.
    std::unique_ptr<CGraphicsObject> frameMask_;
};
