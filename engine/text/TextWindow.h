#pragma once

#include "script_graphics/ScriptGraphicsWindow.h"

// The engine window as texts, controls and the screen units reach it; the window implements
// it.
class TextWindow : public ScriptGraphicsWindow {
public:
    static TextWindow* getInstance() { return static_cast<TextWindow*>(instance_); }
    // The window that a lower folder's object knows, as the texts and controls see it.
    static TextWindow* of(FoundationWindow* window) { return static_cast<TextWindow*>(window); }

    // Plays the music file, named from the root folder, while sound and music are on; the
    // music already playing from that file (in any letter case) plays on.
    virtual void StartMusic(const CXString& name, bool loop) = 0;
    virtual void StopMusic() = 0;
    virtual bool isMusicPlaying() const = 0;

protected:
    ~TextWindow() override = default;
};
