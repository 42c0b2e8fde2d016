#pragma once

#include "script_graphics/CMC_ButtonRaster.h"

#include <cstdint>

class CPattern;

// The PATTERN script object: one grid raster (CPattern) of WIDTH × HEIGHT pixels in cells of
// GRIDX × GRIDY pixels (0 counts as 1) and LAYERS layers (at least 1), into whose cells
// scripts place the graphics objects of other objects under an alias, and which they ask what
// lies under a point or in a cell. With mouse signals bound the whole pattern is a button of
// its raster, listening at priority 0 and always enabled. A pattern is never copied.
//
// At scene unload it finishes before the other objects, emptying its grid first, so that no
// cell outlives the objects whose graphics it shows.
//
// The record of compiled scenes: after the object's own, the raster's visibility, its priority
// on the screen (-1 off it), width, height, cell width and height as defined, and the layers.
// A restored pattern is empty.
class CMC_Pattern : public CMC_ButtonRaster {
public:
    static constexpr int kType = 2021;

    // Named "temp", without a raster, owned by the container: what a compiled scene's record
    // fills.
    explicit CMC_Pattern(CMC_ObjectsContainer* owner);
    // From a definition: TOCANVAS, VISIBLE, LAYERS, PRIORITY, WIDTH, HEIGHT, GRIDX, GRIDY; the
    // raster goes on the screen at PRIORITY only with TOCANVAS; then the signals.
    CMC_Pattern(CMC_ObjectsContainer* owner, CMElement* element);
    // Deletes the raster, which leaves the screen; the placed objects stay.
    ~CMC_Pattern() override;

    bool doneFirst() override { return true; }
    // Empties the grid, then "ONDONE".
    bool done(bool final) override;
    void serialize(CXArchive* archive) override;

    CPattern* getPattern() const { return pattern_; }
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }

protected:
    CGraphicsObject* raster() const override;

private:
    // The raster of the size fields, shown or hidden.
    void makePattern(int layers, bool visible);

    CPattern* pattern_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t cellWidth_ = 0;
    int32_t cellHeight_ = 0;
};
