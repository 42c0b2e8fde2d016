#pragma once

#include "script_graphics/CStaticFilter.h"

// CHANNELS: the letters "R", "G" and "B" (upper case, anywhere in the text) of the channels
// that stay.
class CColorChannelFilterOptions : public CStaticFilterOptions {
public:
    CColorChannelFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    const CXString& getChannels() const { return channels_; }

private:
    CXString channels_{"RGB"};
};

// COLORCHANNEL: a new colour plane that keeps only the channels named; of green only its upper
// bits (0x07C0 in 5-6-5, 0x03C0 in 5-5-5).
class CColorChannelFilter : public CStaticFilter {
public:
    explicit CColorChannelFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
    bool changesAlpha() const override { return true; }
};

// GRAYSCALE: a grey copy of the colour plane, made by the raster's own grey conversion.
class CGrayScaleFilter : public CStaticFilter {
public:
    explicit CGrayScaleFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
};

// NEGATIVE: inside the raster's clipping rectangle (the whole raster when it has no area)
// every pixel that is not transparent gets red and blue inverted and the upper green bits
// inverted, its lowest green bit cleared. In place, unless the caller keeps the plane: then
// on a copy of it.
class CNegativeFilter : public CStaticFilter {
public:
    explicit CNegativeFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
};
