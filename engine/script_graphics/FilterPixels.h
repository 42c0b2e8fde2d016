#pragma once

#include "graphics/PlaneDisplacement.h"

#include <cstdint>
#include <functional>
#include <vector>

class CGraphicsObject;
class ScriptGraphicsWindow;

// What the filter kinds share of pixels: the layout of the screen's pixel words, and rasters
// made ready to be rewritten.
namespace FilterPixels {

// 5-6-5 (red at bit 11, green 5-10, blue 0-4) when the screen has 16 bits per pixel, 5-5-5
// (red at bit 10, green 5-9) at any other depth, no screen included.
struct Layout {
    bool wideGreen;
    int redShift;
    uint16_t redMask;
    // The green field moved down to bit 0.
    unsigned greenField;
    uint16_t greenMask;
    // The green bits but the lowest.
    uint16_t upperGreenMask;
};

Layout layoutOf(ScriptGraphicsWindow* window);

// n / divisor, truncated, for every n below 65536 and divisor of 1 or more, by one
// multiplication: the reciprocal is taken a little above 1 / divisor, so that no quotient that
// is a whole number is missed, and not so far above that any other comes out too large.
class Quotient {
public:
    explicit Quotient(int64_t divisor)
        : reciprocal_(static_cast<float>(1.0 / static_cast<double>(divisor) * (1.0 + 0x1.8p-22)))
    {
    }
    // Through int, which holds every quotient and converts in one step.
    unsigned operator()(uint16_t n) const
    {
        return static_cast<unsigned>(static_cast<int>(static_cast<float>(n) * reciprocal_));
    }

private:
    float reciprocal_;
};

// A raster held run-length packed is unpacked, and kept so, before its pixels change.
void unpackForUse(CGraphicsObject* raster);

// The colour plane as 16-bit pixel words, after unpacking; none for rasters of other depths
// or without pixels.
uint16_t* wordsOf(CGraphicsObject* raster);

// Codes tell apart this many distances at most.
constexpr size_t kMostCodedDistances = 16;

// The codes of a row's pixels, each below the number of distances; as bytes too where there is
// an alpha plane.
struct CodedRow {
    const uint16_t* words;
    const uint8_t* bytes;
};

// The displaced planes (as displacePlanes makes them) of 16-bit pixels that each move by one of
// a few distances, the one its code in the row picks: codesOf(y) is asked once for each row,
// in order, and its codes are read before the next row is asked for. None for more pixels than
// an int counts.
DisplacedPlanes displaceByCodes(const uint16_t* words, const unsigned char* alpha, int width, int height,
                                const std::vector<int32_t>& distances, const std::function<CodedRow(int)>& codesOf);

// The wave of the WAVING and WAVES kinds: every pixel of column x takes the one dx columns and
// trunc(amplitude × sin(x × density + phase)) rows further on in row order (the raster's own
// where that lies outside), colour and alpha alike. The raster lets go of its planes.
void wave(CGraphicsObject* raster, int dx, int amplitude, double density, int phase);

} // namespace FilterPixels
