#pragma once

#include "graphics/CPlane.h"
#include "script_graphics/CAnimatedFilter.h"

// AMPLITUDE (pixels) and DENSITY (radians per column) of the wave.
class CWavingFilterOptions : public CFilterOptions {
public:
    CWavingFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    int getAmplitude() const { return amplitude_; }
    double getDensity() const { return density_; }

private:
    int amplitude_ = 4;
    double density_ = 1.0;
};

// The link's phase, 0 to 100, and the planes the raster had before the wave, with their size.
class CWavingLinkState : public CFilterLinkState {
public:
    int phase = 0;
    CPlane colour;
    CPlane alpha;
    int width = 0;
    int height = 0;
};

// A vertical wave along the columns: on the phases 0, 10, ..., 100 (11 pictures every 101
// ticks) column x of the undisturbed picture is shifted by
// trunc(AMPLITUDE × sin(x × DENSITY + phase div 10)) rows, colour and alpha. The raster keeps
// the last picture when the link goes. Never ends by itself.
class CWavingFilter : public CAnimatedFilter {
public:
    explicit CWavingFilter(ScriptGraphicsWindow* owner);

    CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) override;
    bool step(CFilterLink* link, CFilterOptions* options) override;

private:
    static void draw(CGraphicsObject* raster, CWavingLinkState& state, const CWavingFilterOptions& options);
};
