#include "graphics/CSurface.h"

#include "graphics/CDirectDrawSurface.h"
#include "graphics/GraphicsWindow.h"
#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <string>
#include <vector>

namespace {

// The display as the engine composes for it: rows of whole pixels of a 15- or 16-bit surface.
platform::PixelView viewOf(CDirectDrawSurface* surface)
{
    if (surface == nullptr || surface->GetPixelSize() != 2 || surface->isPacked())
        return {};
    return {reinterpret_cast<const uint16_t*>(surface->GetDataPtr()), surface->Width(), surface->Height(),
            surface->Width() * 2};
}

} // namespace

CSurface::CSurface(GraphicsWindow* window, const CXSize& size, int bpp, bool)
    : window_(window)
    , size_(size)
{
    open(bpp, true);
}

CSurface::CSurface(GraphicsWindow* window, const CXSize& size)
    : window_(window)
    , size_(size)
{
    open(16, false);
    windowed_ = LastError() == 0;
}

platform::Display* CSurface::display() const
{
    platform::Backend* backend = window_ != nullptr ? window_->getBackend() : nullptr;
    return backend != nullptr ? &backend->display() : nullptr;
}

void CSurface::open(int bpp, bool fullScreen)
{
    platform::Display* screen = display();
    if (screen == nullptr) {
        setErrorCode(static_cast<int>(platform::DisplayResult::WindowFailed));
        return;
    }
    const platform::DisplayResult result = screen->open({size_.width, size_.height, bpp, fullScreen});
    setErrorCode(static_cast<int>(result));
    opened_ = result == platform::DisplayResult::Ok;
    if (opened_)
        bpp_ = bpp;
}

void CSurface::Lock()
{
    if (platform::Display* screen = display(); screen != nullptr && opened_)
        screenPtr_ = reinterpret_cast<const unsigned char*>(screen->screen().view().pixels);
}

void CSurface::Blt(CDirectDrawSurface* source, CXPoint p, CXRect* sourceRect)
{
    Blt(source, p.x, p.y, sourceRect);
}

void CSurface::Blt(CDirectDrawSurface* source, int x, int y, CXRect* sourceRect)
{
    platform::Display* screen = display();
    const platform::PixelView frame = viewOf(source);
    if (screen == nullptr || !opened_ || frame.pixels == nullptr)
        return;
    const CXRect from = sourceRect != nullptr ? *sourceRect : CXRect(0, 0, frame.width, frame.height);
    const platform::Point origin = screen->clientOrigin();
    screen->update(frame, {from.left, from.top, from.right, from.bottom}, {x - origin.x, y - origin.y});
}

void CSurface::Present()
{
    if (platform::Display* screen = display(); screen != nullptr && opened_)
        screen->show();
}

void CSurface::Flip()
{
    platform::Display* screen = display();
    const platform::PixelView frame = viewOf(window_ != nullptr ? window_->GetSurface() : nullptr);
    if (screen != nullptr && opened_ && frame.pixels != nullptr)
        screen->presentWhole(frame);
}

void CSurface::ShowFPS(CXPoint, CDirectDrawSurface*)
{
    const uint32_t now = platform::tickCount();
    if (fpsFrames_ == 0) {
        fpsStart_ = now;
    } else if (now - fpsStart_ >= 1000) {
        platform::debugOutput(("FPS: " + std::to_string(fpsFrames_) + "\n").c_str());
        fpsFrames_ = 0;
        fpsStart_ = now;
    }
    ++fpsFrames_;
}

const uint32_t* CSurface::getBppConversionTable()
{
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> entries(65536);
        for (uint32_t v = 0; v < entries.size(); ++v)
            entries[v] = (v & 0xF800) << 8 | (v & 0x07E0) << 5 | (v & 0x001F) << 3;
        return entries;
    }();
    return table.data();
}
