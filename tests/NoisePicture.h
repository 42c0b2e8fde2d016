#pragma once

#include "platform/RgbImage.h"

#include <cstdint>

// Repeatable bytes with no pattern to them: every pixel differs from its neighbours, and
// deflate cannot shrink them.
inline platform::RgbImage noisePicture(int width, int height, uint32_t seed)
{
    platform::RgbImage image(width, height, 0);
    for (uint8_t& byte : image.pixels) {
        seed = seed * 214013u + 2531011u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    return image;
}
