#pragma once

#include <cstdint>

// 15- or 16-bit colour words written over others with an alpha of 0 to 255, as the raster's
// weighted pixel writes do: each channel becomes (old × (255 − alpha) >> 8) + (colour × alpha
// >> 8). Green is GreenMask wide and red begins at bit RedShift: 31 and 10 in 15-bit words, 63
// and 11 in 16-bit words. The products fit 16-bit lanes, so span loops vectorise.
template <unsigned GreenMask, int RedShift>
struct PixelWeights {
    // A field of at most 6 bits times a weight of at most 255 stays below 2^14.
    static uint16_t field(uint16_t old, uint16_t colour, uint16_t alpha)
    {
        const auto kept = static_cast<uint16_t>(static_cast<uint16_t>(old * (255 - alpha)) >> 8);
        const auto added = static_cast<uint16_t>(static_cast<uint16_t>(colour * alpha) >> 8);
        return static_cast<uint16_t>(kept + added);
    }

    static uint16_t blend(uint16_t old, uint16_t colour, uint16_t alpha)
    {
        const uint16_t blue = field(old & 31, colour & 31, alpha);
        const uint16_t green = field(old >> 5 & GreenMask, colour >> 5 & GreenMask, alpha);
        const uint16_t red = field(old >> RedShift & 31, colour >> RedShift & 31, alpha);
        return static_cast<uint16_t>(blue | green << 5 | red << RedShift);
    }

    // Each source word over its target by its alpha byte: 255 copies it, 0 leaves the target.
    static void span(const uint16_t* __restrict source, const uint8_t* __restrict alpha, uint16_t* __restrict target,
                     int count)
    {
        for (int i = 0; i < count; ++i) {
            const uint16_t a = alpha[i];
            uint16_t out = blend(target[i], source[i], a);
            out = a == 0 ? target[i] : out;
            target[i] = a == 255 ? source[i] : out;
        }
    }
};

using PixelWeights15 = PixelWeights<31, 10>;
using PixelWeights16 = PixelWeights<63, 11>;
