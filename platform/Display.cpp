#include "platform/Display.h"

#include <utility>

namespace platform {

DisplayResult Display::open(const DisplayMode& mode)
{
    if (mode.width <= 0 || mode.height <= 0 || (mode.bitsPerPixel != 16 && mode.bitsPerPixel != 15))
        return DisplayResult::UnsupportedMode;
    changed_.clear();
    mode_ = mode;
    screen_.reset(mode.width, mode.height);
    const DisplayResult result = openDevice(mode);
    open_ = result == DisplayResult::Ok;
    if (!open_)
        closeDevice();
    return result;
}

void Display::close()
{
    if (!open_)
        return;
    closeDevice();
    open_ = false;
    changed_.clear();
}

void Display::setTitle(std::string_view cp1250Title)
{
    title_ = cp1250Title;
    titleChanged();
}

void Display::setIcon(IconImage icon)
{
    if (icon.width <= 0 || icon.height <= 0 || icon.rgba.size() != static_cast<size_t>(icon.width) * icon.height * 4)
        return;
    icon_ = std::move(icon);
    iconChanged();
}

void Display::showWindow()
{
    if (!hidden_)
        return;
    hidden_ = false;
    windowShown();
}

RgbImage Display::capture()
{
    if (!open_)
        return {};
    return widenPixels(screen_.view(), screen_.view().bounds(), mode_.bitsPerPixel);
}

void Display::update(const PixelView& frame, const Rect& rect)
{
    update(frame, rect, {rect.left, rect.top});
}

void Display::update(const PixelView& frame, const Rect& rect, Point to)
{
    if (!open_)
        return;
    const Rect copied = screen_.copyFrom(frame, rect, to);
    if (!copied.isEmpty())
        changed_.push_back(copied);
}

void Display::show()
{
    if (!open_ || changed_.empty())
        return;
    showChanged(changed_);
    changed_.clear();
}

void Display::present(const PixelView& frame, std::span<const Rect> rects)
{
    for (const Rect& rect : rects)
        update(frame, rect);
    show();
}

void Display::presentWhole(const PixelView& frame)
{
    update(frame, frame.bounds());
    show();
}

} // namespace platform
