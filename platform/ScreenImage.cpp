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

Rect ScreenImage::copyFrom(const PixelView& frame, const Rect& rect)
{
    if (frame.pixels == nullptr)
        return {};
    const Rect part = rect.intersected(frame.bounds()).intersected(Rect::ofSize(width_, height_));
    if (part.isEmpty())
        return {};
    const size_t rowBytes = static_cast<size_t>(part.width()) * sizeof(uint16_t);
    for (int y = part.top; y < part.bottom; ++y)
        std::memcpy(&pixels_[static_cast<size_t>(y) * width_ + part.left], frame.row(y) + part.left, rowBytes);
    return part;
}

} // namespace platform
