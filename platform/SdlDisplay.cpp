#include "platform/SdlDisplay.h"

#include "platform/Charset.h"
#include "platform/DebugOutput.h"

#include <SDL.h>

#include <string>

namespace platform {
namespace {

void reportSdlError(const char* what)
{
    debugOutput((std::string(what) + ": " + SDL_GetError() + "\n").c_str());
}

} // namespace

SdlDisplay::~SdlDisplay()
{
    close();
}

Letterbox SdlDisplay::letterbox() const
{
    int width = 0;
    int height = 0;
    if (window_ != nullptr)
        SDL_GetWindowSize(window_, &width, &height);
    return Letterbox(mode().width, mode().height, width, height);
}

Point SdlDisplay::clientOrigin() const
{
    Point origin;
    if (window_ != nullptr)
        SDL_GetWindowPosition(window_, &origin.x, &origin.y);
    return origin;
}

DisplayResult SdlDisplay::openDevice(const DisplayMode& mode)
{
    const DisplayResult windowResult = makeWindow(mode);
    if (windowResult != DisplayResult::Ok)
        return windowResult;
    if (renderer_ == nullptr) {
        // No vsync: the frame loop paces itself and must not block in a present.
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ == nullptr) {
            reportSdlError("SDL_CreateRenderer");
            return DisplayResult::RendererFailed;
        }
    }
    if (texture_ != nullptr)
        SDL_DestroyTexture(texture_);
    const Uint32 format = mode.bitsPerPixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
    if (texture_ == nullptr) {
        reportSdlError("SDL_CreateTexture");
        return DisplayResult::TextureFailed;
    }
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
    const PixelView black = screen().view();
    SDL_UpdateTexture(texture_, nullptr, black.pixels, black.pitch);
    drawScreen();
    return DisplayResult::Ok;
}

DisplayResult SdlDisplay::makeWindow(const DisplayMode& mode)
{
    const Uint32 fullScreenFlag = mode.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    if (window_ != nullptr) {
        SDL_SetWindowFullscreen(window_, fullScreenFlag);
        if (!mode.fullScreen)
            SDL_SetWindowSize(window_, mode.width, mode.height);
        return DisplayResult::Ok;
    }
    window_ = SDL_CreateWindow(cp1250ToUtf8(title()).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               mode.width, mode.height,
                               SDL_WINDOW_RESIZABLE | fullScreenFlag | (isHidden() ? SDL_WINDOW_HIDDEN : 0));
    if (window_ == nullptr) {
        reportSdlError("SDL_CreateWindow");
        return DisplayResult::WindowFailed;
    }
    iconChanged();
    return DisplayResult::Ok;
}

void SdlDisplay::closeDevice()
{
    if (texture_ != nullptr)
        SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr)
        SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
}

void SdlDisplay::showChanged(std::span<const Rect> changed)
{
    const PixelView image = screen().view();
    for (const Rect& rect : changed) {
        const SDL_Rect area{rect.left, rect.top, rect.width(), rect.height()};
        SDL_UpdateTexture(texture_, &area, image.row(rect.top) + rect.left, image.pitch);
    }
    drawScreen();
}

Rect SdlDisplay::renderScreen()
{
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    const Rect viewport = Letterbox(mode().width, mode().height, width, height).viewport();
    const SDL_Rect target{viewport.left, viewport.top, viewport.width(), viewport.height()};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    return viewport;
}

void SdlDisplay::drawScreen()
{
    renderScreen();
    SDL_RenderPresent(renderer_);
}

RgbImage SdlDisplay::capture()
{
    if (!isOpen() || renderer_ == nullptr)
        return {};
    // What a renderer holds after a presentation is undefined: the screen is drawn once more
    // and read before it is presented.
    const Rect viewport = renderScreen();
    RgbImage image(viewport.width(), viewport.height(), 0);
    const SDL_Rect area{viewport.left, viewport.top, viewport.width(), viewport.height()};
    const bool read = !viewport.isEmpty() &&
                      SDL_RenderReadPixels(renderer_, &area, SDL_PIXELFORMAT_RGB24, image.pixels.data(), image.width * 3) == 0;
    SDL_RenderPresent(renderer_);
    if (!read) {
        reportSdlError("SDL_RenderReadPixels");
        return {};
    }
    return image;
}

void SdlDisplay::iconChanged()
{
    if (window_ == nullptr || icon().rgba.empty())
        return;
    const IconImage& picture = icon();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(picture.rgba.data()), picture.width,
                                                              picture.height, 32, picture.width * 4,
                                                              SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        reportSdlError("SDL_CreateRGBSurfaceWithFormatFrom");
        return;
    }
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlDisplay::windowShown()
{
    if (window_ != nullptr)
        SDL_ShowWindow(window_);
}

void SdlDisplay::titleChanged()
{
    if (window_ != nullptr)
        SDL_SetWindowTitle(window_, cp1250ToUtf8(title()).c_str());
}

} // namespace platform
