#pragma once

#include "script_graphics/CAnimatedFilter.h"

#include <array>
#include <cstdint>
#include <vector>

// FACTOR: how far, in pixels, the ripples move the picture.
class CWaterFilterOptions : public CFilterOptions {
public:
    CWaterFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    double getFactor() const { return factor_; }

private:
    double factor_ = 1.1;
};

// A copy of the picture as it was before the ripples, and the sine and cosine of each pixel's
// distance from the centre, for the size they were made for. Rows as far above the centre as
// below it have the same distances, so they share their tables, and so do columns as far left
// of the centre column as right of it: a row's table is read by that distance.
class CWaterLinkState : public CFilterLinkState {
public:
    // Takes the raster's picture (unpacked) and makes the tables for its size.
    void prepare(CGraphicsObject* raster);
    // Whether the state was made for a raster of that size.
    bool fits(int width, int height) const { return width == width_ && height == height_; }

    const uint16_t* unfiltered() const { return unfiltered_.data(); }
    // The tables of row y, by the column's distance from the centre column.
    const float* sine(int y) const { return sine_.data() + tableRow(y); }
    const float* cosine(int y) const { return cosine_.data() + tableRow(y); }

private:
    void prepareRadialTables(int width, int height);
    size_t tableRow(int y) const;

    int width_ = -1;
    int height_ = -1;
    int columns_ = 0;
    std::vector<uint16_t> unfiltered_;
    std::vector<float> sine_;
    std::vector<float> cosine_;
};

// Ripples that run out from the centre: at tick t every pixel that is not transparent takes the
// unfiltered pixel at (x + n, y + n), clamped into the picture, where
// n = trunc(FACTOR × sin(d + t mod 51)) and d is the pixel's distance from the centre. The
// picture is taken when the link is made, and again when the raster changes its size. Never
// ends by itself.
class CWaterFilter : public CAnimatedFilter {
public:
    explicit CWaterFilter(ScriptGraphicsWindow* owner);

    CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) override;
    bool step(CFilterLink* link, CFilterOptions* options) override;

private:
    static constexpr int kPhases = 51;

    std::array<float, kPhases> phaseSine_;
    std::array<float, kPhases> phaseCosine_;
};
