#pragma once

#include "platform/ScreenImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A picture of 8-bit red, green and blue bytes per pixel, rows top first without padding.
struct RgbImage {
    RgbImage() = default;
    RgbImage(int width, int height, uint8_t fill)
        : width(width)
        , height(height)
        , pixels(static_cast<size_t>(width) * height * 3, fill)
    {
    }

    uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * width * 3; }
    const uint8_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * width * 3; }

    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// The rectangle of 16-bit pixels (5-6-5, or 5-5-5 at 15 bits per pixel), clipped to them,
// widened to 8 bits per channel by repeating each channel's top bits below it, so that black
// stays black and white becomes full white.
RgbImage widenPixels(const PixelView& pixels, const Rect& rect, int bitsPerPixel);

} // namespace platform
