#pragma once

#include "foundation/CXSize.h"
#include "graphics/GraphicsApplication.h"
#include "media/MediaWindow.h"

class CCollisionInspector;
class CDirectDrawSurface;
class CRefreshScreen;

// The engine window as the pictures, animations and the screen composer reach it; the window
// implements it.
class GraphicsWindow : public MediaWindow {
public:
    static GraphicsWindow* getInstance() { return static_cast<GraphicsWindow*>(instance_); }

    // The window that a lower folder's object knows, as the pictures see it.
    static GraphicsWindow* of(FoundationWindow* window) { return static_cast<GraphicsWindow*>(window); }

    GraphicsApplication* GetApplicationInterface() const override = 0;

    // The drawing surface and the composer come with the display: null until it opened.
    virtual CDirectDrawSurface* GetSurface() const = 0;
    virtual CRefreshScreen* GetRefreshScreenInterface() const = 0;
    virtual CCollisionInspector* getCollisionInspectorInterface() const = 0;
    // The drawing surface's size; the size given at construction before there is one.
    virtual CXSize GetScreenSize() const = 0;
    // The display's bits per pixel (16, or 15 where 16 was refused); 0 without a display.
    virtual int GetBpp() const = 0;
    // The whole screen is drawn again next frame.
    virtual void Invalidate() = 0;
    // Composes the frame and shows what changed.
    virtual int Redraw() = 0;

protected:
    ~GraphicsWindow() override = default;
};
