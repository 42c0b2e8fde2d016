#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

namespace platform {

// 16-bit pixels in memory as the engine composes them: 5-6-5, or 5-5-5 at 15 bits per pixel.
struct PixelView {
    const uint16_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes from the start of one row to the start of the next

    const uint16_t* row(int y) const
    {
        return reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(pixels) +
                                                 static_cast<std::ptrdiff_t>(y) * pitch);
    }
    Rect bounds() const { return Rect::ofSize(width, height); }
};

// What the display shows: the presented parts of the frames, at the display's logical size.
class ScreenImage {
public:
    // A black image of the size; a size below zero counts as zero.
    void reset(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    uint16_t pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    PixelView view() const;

    // Copies the rectangle of the frame so that its top-left corner lands at `to` here,
    // clipped to the frame and to this image; returns the part of this image written, empty
    // when nothing was.
    Rect copyFrom(const PixelView& frame, const Rect& rect, Point to);
    // The same place here.
    Rect copyFrom(const PixelView& frame, const Rect& rect) { return copyFrom(frame, rect, {rect.left, rect.top}); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint16_t> pixels_;
};

} // namespace platform
