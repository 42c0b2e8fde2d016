#pragma once

#include "graphics/CGraphicsObject.h"

// An off-screen surface: a raster whose pixels live in memory, rows of exactly width pixels
// (the blitters index rows by width), that copies rectangles to and from other surfaces. The
// window's back buffer and a playing video's picture are surfaces. Memory surfaces are never
// lost, so nothing ever needs restoring; the raster to redraw after a loss is still kept.
class CDirectDrawSurface : public CGraphicsObject {
public:
    // No pixels.
    explicit CDirectDrawSurface(GraphicsWindow* window);
    // Pixels of that size and depth; the source window covers the whole surface. Video memory
    // is not told apart from system memory.
    CDirectDrawSurface(GraphicsWindow* window, CXSize size, int bpp, bool videoMemory);

    // Makes the pixel memory (uninitialised); false when the size is empty or too large.
    virtual bool create_surface(bool videoMemory);

    // Copies the source rectangle (the whole source for null) so that its top-left lands at
    // (x, y). A rectangle wider or taller than the source centres the whole source in it
    // instead, from this surface's origin. Clipped to both surfaces; the depths must match.
    void Blt(CDirectDrawSurface* source, int x, int y, CXRect* sourceRect);
    void Blt(CDirectDrawSurface* source, CXPoint p, CXRect* sourceRect);
    // Copies the source rectangle onto the target rectangle (null: whole surfaces), scaled to
    // it by the nearest pixel when their sizes differ; clipped to this surface.
    void Blt(CDirectDrawSurface* source, CXRect* targetRect, CXRect* sourceRect);

    // Draws the surface's visible part onto its drawing destination, which must be a surface.
    void Redraw() override;

    void applyToRestore(CGraphicsObject* object) { applied_ = object; }
    CGraphicsObject* getApplied() const { return applied_; }

private:
    CGraphicsObject* applied_ = nullptr;
};
