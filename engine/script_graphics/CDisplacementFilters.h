#pragma once

#include "script_graphics/CStaticFilter.h"

// MAXJITTER: the number of distances a pixel can be taken from, along each axis.
class CRandomJitterFilterOptions : public CStaticFilterOptions {
public:
    CRandomJitterFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    int getMaxJitter() const { return maxJitter_; }

private:
    int maxJitter_ = 3;
};

// RANDOMJITTER: every pixel, in row order, takes the colour of the one
// (MAXJITTER div 2 - draw mod MAXJITTER) columns and then as many rows away, with draws of the
// engine's generator (the pixel's own where that lies outside, in row order); the alpha plane
// stays. A MAXJITTER of 0 or less changes nothing.
class CRandomJitterFilter : public CStaticFilter {
public:
    explicit CRandomJitterFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
};

// AMPLITUDE, DENSITY and OFFSET of the still wave.
class CWavesFilterOptions : public CStaticFilterOptions {
public:
    CWavesFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    int getAmplitude() const { return amplitude_; }
    double getDensity() const { return density_; }
    int getOffset() const { return offset_; }

private:
    int amplitude_ = 4;
    double density_ = 1.0;
    int offset_ = 0;
};

// WAVES: the wave of WAVING without its phase, every pixel also taken OFFSET columns on.
class CWavesFilter : public CStaticFilter {
public:
    explicit CWavesFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
    bool changesAlpha() const override { return true; }
};
