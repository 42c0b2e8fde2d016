#pragma once

#include <cstdint>

// A 15- or 16-bit colour word written over another with an alpha of 0 to 255, as the raster's
// weighted pixel writes do: each channel becomes (old × (255 − alpha) >> 8) + (colour × alpha
// >> 8). Green is 5 bits wide and red begins at bit 10 in 15-bit words; 6 bits and bit 11 in
// 16-bit words.
struct PixelWeights {
    unsigned greenMask;
    int redShift;

    static PixelWeights ofDepth(int bpp) { return bpp == 15 ? PixelWeights{31, 10} : PixelWeights{63, 11}; }

    static unsigned field(unsigned old, unsigned colour, int alpha)
    {
        return (old * static_cast<unsigned>(255 - alpha) >> 8) + (colour * static_cast<unsigned>(alpha) >> 8);
    }

    uint16_t blend(unsigned old, unsigned colour, int alpha) const
    {
        const unsigned blue = field(old & 31, colour & 31, alpha);
        const unsigned green = field(old >> 5 & greenMask, colour >> 5 & greenMask, alpha);
        const unsigned red = field(old >> redShift & 31, colour >> redShift & 31, alpha);
        return static_cast<uint16_t>(blue | green << 5 | red << redShift);
    }
};
