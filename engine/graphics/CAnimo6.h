#pragma once

#include "graphics/CAnimo.h"

class CMElement;

// The animation that script objects hold: built from a definition or a file name, drawn at its
// global position, with flips, packing and sound levels applied to all its images and sounds.
class CAnimo6 : public CAnimo {
public:
    // The raster type of script-facing animations.
    static constexpr int kGfxType = 2;

    explicit CAnimo6(GraphicsWindow* window);
    CAnimo6(GraphicsWindow* window, const CXString& file);
    // Shares the source's images, as an animation's copy does.
    explicit CAnimo6(CAnimo& source);
    // RELEASEAFTERUSE, PRELOAD (a missing or empty one loads), FILENAME and VISIBLE (hidden
    // unless true), read in this order; the file is loaded at once when preloading, else when
    // first shown.
    CAnimo6(GraphicsWindow* window, CMElement* element);

    CAnimo6* clone() override;
    int getGfxType() override { return kGfxType; }
    virtual void flush() { Flush(); }

    // The current image at the animation's position plus the global position; the animation
    // then stands for the planes drawn.
    void redraw(CGraphicsObject* destination) override;
    void Redraw() override;

    CXPoint ClientCoords(CXPoint p) override;
    // The current image's rectangle where the animation draws it.
    CXRect getRect() override;
    // The image's rectangle at the animation's global position; empty for no image.
    CXRect getImageRect(int image);
    // The largest side over all images, 0 without images.
    int GetMaxWidth();
    int GetMaxHeight();
    // Playing that very event (the name compared exactly).
    bool isPlaying(const char* name);
    using CAnimo::isPlaying;
    // Whether the current image covers the point where it is drawn; with useAlpha also not
    // transparent there (an image without an alpha plane is opaque).
    bool isAt(CXPoint p, bool useAlpha);

    // Every preloaded frame sound takes the level.
    void setVolume(int volume) override;
    void setPanning(int panning) override;
    void setFrequency(int frequency) override;

    // Every image is flipped, packed or unpacked.
    void FlipH() override;
    void FlipV() override;
    void resetFlips() override;
    void pack(bool freeUnpacked) override;
    void unpack() override;
};
