#pragma once

#include "platform/Geometry.h"
#include "platform/RgbImage.h"
#include "platform/ScreenImage.h"

#include <cstdint>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// How the engine's screen is shown: its logical size in pixels, its depth, and whether it
// fills the desktop (scaled, the proportions kept, bars at the sides) or sits in a window.
struct DisplayMode {
    int width = 800;
    int height = 600;
    int bitsPerPixel = 16; // 16 for 5-6-5 pixels, 15 for 5-5-5
    bool fullScreen = false;
};

// The picture of the program's window on the desktop: 8-bit red, green, blue and alpha bytes
// per pixel, rows top first.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// The outcome of opening a display; anything but Ok is a failure, so the caller can try again
// at another depth.
enum class DisplayResult : int {
    Ok = 0,
    UnsupportedMode = 1,
    DepthRefused = 2,
    WindowFailed = 3,
    RendererFailed = 4,
    TextureFailed = 5,
};

// The engine's view of the screen. Frames are composed in memory; their changed rectangles
// are handed over with update and shown together by show, so a frame costs one presentation
// however many rectangles changed. Main thread only.
class Display {
public:
    Display() = default;
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    virtual ~Display() = default;

    // Opens the display, or sets the new mode on the open one; the screen starts black.
    // Only 16 and 15 bits per pixel are offered.
    DisplayResult open(const DisplayMode& mode);
    void close();
    bool isOpen() const { return open_; }
    const DisplayMode& mode() const { return mode_; }

    // The window's caption, in the engine's Windows-1250 text.
    void setTitle(std::string_view cp1250Title);
    const std::string& title() const { return title_; }
    // A window opened from now on stays hidden until showWindow: a program that may still fail
    // to start shows nothing.
    void hideUntilShown() { hidden_ = true; }
    void showWindow();
    bool isHidden() const { return hidden_; }
    // The window's icon, kept for a window opened later; an icon without pixels changes nothing.
    void setIcon(IconImage icon);
    const IconImage& icon() const { return icon_; }

    // Takes the rectangle of the frame, clipped to the frame and to the screen, for the next
    // show; an empty or wholly outside rectangle adds nothing. Nothing happens while closed.
    void update(const PixelView& frame, const Rect& rect);
    // The same with the rectangle's top-left corner put at `to` on the screen.
    void update(const PixelView& frame, const Rect& rect, Point to);
    // Shows what changed since the last show; without changes nothing is presented.
    void show();
    // update for every rectangle, then show.
    void present(const PixelView& frame, std::span<const Rect> rects);
    // The whole frame at once.
    void presentWhole(const PixelView& frame);

    // What the display shows now.
    const ScreenImage& screen() const { return screen_; }
    // What the display shows now, 8 bits per channel: the screen as shown, read back from where
    // it was drawn; no pixels while closed.
    virtual RgbImage capture();

    // Where the top-left corner of the client area lies on the desktop.
    virtual Point clientOrigin() const = 0;

protected:
    // Makes or reconfigures the device; mode() is the new mode and screen() is black at its size.
    virtual DisplayResult openDevice(const DisplayMode& mode) = 0;
    virtual void closeDevice() = 0;
    // Shows the screen after the rectangles changed (each inside the screen, none empty).
    virtual void showChanged(std::span<const Rect> changed) = 0;
    virtual void titleChanged() {}
    virtual void iconChanged() {}
    virtual void windowShown() {}

private:
    bool open_ = false;
    DisplayMode mode_;
    std::string title_;
    IconImage icon_;
    bool hidden_ = false;
    ScreenImage screen_;
    std::vector<Rect> changed_;
};

} // namespace platform
