#pragma once

#include "graphics/GraphicsWindow.h"

// The engine window as the script's graphic objects reach it; the window implements it.
class ScriptGraphicsWindow : public GraphicsWindow {
public:
    static ScriptGraphicsWindow* getInstance() { return static_cast<ScriptGraphicsWindow*>(instance_); }
    // The window that a lower folder's object knows, as the script's graphic objects see it.
    static ScriptGraphicsWindow* of(FoundationWindow* window) { return static_cast<ScriptGraphicsWindow*>(window); }

    // The program-wide pause of the scenes.
    static void pause() { paused_ = true; }
    static void resume() { paused_ = false; }
    static bool isPaused() { return paused_; }

    // The main cursor again, after the active one.
    virtual void EndActiveCursor() = 0;

protected:
    ~ScriptGraphicsWindow() override = default;

private:
    static bool paused_;
};
