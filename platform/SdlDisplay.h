#pragma once

#include "platform/Display.h"
#include "platform/Letterbox.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace platform {

// The display in an SDL window: the screen lives in a streaming texture of the mode's pixel
// format (RGB565, or RGB555 at 15 bits), into which only the changed rectangles are copied;
// each show draws it scaled into the window. Full screen is the desktop's own mode, with the
// logical size kept.
class SdlDisplay : public Display {
public:
    ~SdlDisplay() override;

    // Null while closed.
    SDL_Window* window() const { return window_; }
    // The logical screen's place in the window, in the window's coordinates (those of its
    // mouse events).
    Letterbox letterbox() const;
    Point clientOrigin() const override;
    // The logical screen's part of the window, read back from the renderer.
    RgbImage capture() override;

protected:
    DisplayResult openDevice(const DisplayMode& mode) override;
    void closeDevice() override;
    void showChanged(std::span<const Rect> changed) override;
    void titleChanged() override;
    void iconChanged() override;
    void windowShown() override;

private:
    DisplayResult makeWindow(const DisplayMode& mode);
    // The screen scaled into the window, not yet presented; its place in the renderer's output.
    Rect renderScreen();
    void drawScreen();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
};

} // namespace platform
