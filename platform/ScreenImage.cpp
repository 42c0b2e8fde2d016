#include "platform/ScreenImage.h"

#include <algorithm>
#include <cstring>

namespace platform {

void ScreenImage::reset(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * height_, 0);
}

PixelView ScreenImage::view() const
{
    return {pixels_.data(), width_, height_, width_ * static_cast<int>(sizeof(uint16_t))};
}

Rect ScreenImage::copyFrom(const PixelView& frame, const Rect& rect, Point to)
{
    if (frame.pixels == nullptr)
        return {};
    // Both rectangles in this image's coordinates: the source moved onto its target place.
    const int64_t dx = int64_t{to.x} - rect.left;
    const int64_t dy = int64_t{to.y} - rect.top;
    const Rect source = rect.intersected(frame.bounds());
    if (source.isEmpty())
        return {};
    const int64_t left = std::max<int64_t>(source.left + dx, 0);
    const int64_t top = std::max<int64_t>(source.top + dy, 0);
    const int64_t right = std::min<int64_t>(source.right + dx, width_);
    const int64_t bottom = std::min<int64_t>(source.bottom + dy, height_);
    if (left >= right || top >= bottom)
        return {};
    const Rect part{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
    const size_t rowBytes = static_cast<size_t>(part.width()) * sizeof(uint16_t);
    for (int y = part.top; y < part.bottom; ++y)
        std::memcpy(&pixels_[static_cast<size_t>(y) * width_ + part.left],
                    frame.row(static_cast<int>(y - dy)) + (part.left - dx), rowBytes);
    return part;
}

} // namespace platform
