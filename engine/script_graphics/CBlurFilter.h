#pragma once

#include "script_graphics/CStaticFilter.h"

// SIZE: the side of the square of neighbours.
class CBlurFilterOptions : public CStaticFilterOptions {
public:
    CBlurFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    int getSize() const { return size_; }

private:
    int size_ = 3;
};

// BLUR: each pixel at least SIZE div 2 from every edge becomes, channel by channel, half the sum
// of its own value and its neighbours' mean: their sum over the square of side
// 2 × (SIZE div 2) + 1, the pixel itself left out, taken modulo 65536 and divided by
// SIZE² − 1. The border keeps its pixels. A SIZE below 3 changes nothing.
class CBlurFilter : public CStaticFilter {
public:
    explicit CBlurFilter(ScriptGraphicsWindow* owner);

    void apply(CGraphicsObject* raster, bool release) override;
    bool changesColour() const override { return true; }
};
