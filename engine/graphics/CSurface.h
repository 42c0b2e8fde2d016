#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"

#include <cstdint>

class CDirectDrawSurface;
class GraphicsWindow;

namespace platform {
class Display;
}

// The screen: the window's display opened at a size and depth, in a window or over the
// whole desktop. The window composes each frame in memory and copies the changed
// rectangles here; they reach the screen together at Present. The error code is the
// display's answer (0 when it opened), so a caller can try again at another depth.
class CSurface : public CXObject {
public:
    // Over the whole desktop at that depth (16 for 5-6-5, 15 for 5-5-5). A flip chain is
    // never made: the display has no back buffer to flip to.
    CSurface(GraphicsWindow* window, const CXSize& size, int bpp, bool flipping);
    // In a window, at 16 bits per pixel.
    CSurface(GraphicsWindow* window, const CXSize& size);
    // The display stays open, showing the last frame: it belongs to the program's window.
    ~CSurface() override = default;
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    int Width() const { return size_.width; }
    int Height() const { return size_.height; }
    CXSize GetScreenSize() const { return size_; }
    // 0 until the display opened.
    int GetBPP() const { return bpp_; }
    bool IsFlippingEnabled() const { return false; }
    bool isWindowed() const { return windowed_; }

    // Makes the pixels shown now readable through GetScreenPtr, rows of Width() pixels.
    void Lock();
    const unsigned char* GetScreenPtr() const { return screenPtr_; }

    // Copies the source rectangle (the whole source for null) of a 15- or 16-bit surface so
    // that its top-left corner lands at (x, y) in desktop coordinates; the client area starts
    // at the display's client origin.
    void Blt(CDirectDrawSurface* source, int x, int y, CXRect* sourceRect);
    void Blt(CDirectDrawSurface* source, CXPoint p, CXRect* sourceRect);
    // Shows at once what the copies since the last Present changed; nothing when none did.
    void Present();
    // Shows the window's whole drawing surface.
    void Flip();

    // Once a second, the frames counted by the calls of the second before go to the debug
    // output as "FPS: n". The arguments are not used.
    void ShowFPS(CXPoint where, CDirectDrawSurface* surface);

    // 65536 entries: a 5-6-5 pixel as 0x00RRGGBB, each channel in the top bits of its byte.
    // Built on first use, whatever the display's depth.
    static const uint32_t* getBppConversionTable();

private:
    // Opens the window's display; the error code tells how it went.
    void open(int bpp, bool fullScreen);
    // The window's display; null without a back end.
    platform::Display* display() const;

    GraphicsWindow* window_;
    CXSize size_;
    int bpp_ = 0;
    const unsigned char* screenPtr_ = nullptr;
    bool windowed_ = false;
    bool opened_ = false;
    uint32_t fpsFrames_ = 0;
    uint32_t fpsStart_ = 0;
};
