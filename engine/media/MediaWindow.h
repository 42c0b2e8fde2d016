#pragma once

#include "foundation/CXPoint.h"
#include "media/MediaApplication.h"
#include "script/ScriptWindow.h"

class CFileResolver;
class CKeyListener;
class CKeyboard;
class CMC_ObjectsContainer;
class CMouseListener;

namespace platform {
class Backend;
} // namespace platform

// The engine window as sounds, music, the input devices and the network reach it; the window
// implements it.
class MediaWindow : public ScriptWindow {
public:
    static MediaWindow* getInstance() { return static_cast<MediaWindow*>(instance_); }
    // The window that a lower folder's object knows, as the media see it.
    static MediaWindow* of(FoundationWindow* window) { return static_cast<MediaWindow*>(window); }

    MediaApplication* GetApplicationInterface() const override = 0;
    // The back end stands for the program's window; null: a window without a display.
    virtual platform::Backend* getBackend() const = 0;
    // The scene running now; none between scenes.
    virtual CMC_ObjectsContainer* getRunningScene() = 0;
    virtual void setErrorCode(int code) = 0;

    // Ends the wait for the next frame at once, so that a frame handles what a thread of the
    // sound or the network brought; any thread may call it.
    virtual void wake() = 0;

    // Sound effects.
    virtual bool IsSoundOn() const = 0;
    // The name inside the sound-effects folder, or the name alone while none is set.
    virtual CXString GetSoundFXFullPath(const CXString& name) const = 0;

    // The input devices and what they drive: the listeners and the pointer.
    virtual CKeyboard* getKeyboardInterface() const = 0;
    virtual int OnMouseMove(CXPoint p, int flags) = 0;
    virtual int OnLButtonDown(CXPoint p, int flags) = 0;
    virtual int OnLButtonUp(CXPoint p, int flags) = 0;
    virtual int OnMButtonDown(CXPoint p, int flags) = 0;
    virtual int OnMButtonUp(CXPoint p, int flags) = 0;
    virtual int OnRButtonDown(CXPoint p, int flags) = 0;
    virtual int OnRButtonUp(CXPoint p, int flags) = 0;
    virtual int OnKeyDown(int key, int flags) = 0;
    virtual int OnKeyUp(int key, int flags) = 0;
    virtual int OnChar(int character, int flags) = 0;
    virtual void registerMouseListener(CMouseListener* listener, int priority) = 0;
    virtual void removeMouseListener(CMouseListener* listener) = 0;
    virtual void registerKeyListener(CKeyListener* listener) = 0;
    virtual void removeKeyListener(CKeyListener* listener) = 0;
    virtual void enableMouse(bool enabled) = 0;
    virtual void BeginActiveCursor() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    virtual void lockActiveCursor(bool locked) = 0;
    virtual void ShowCursor() = 0;
    virtual void HideCursor() = 0;

    // The resource, when it is a picture, leaves the screen composer's draw list.
    virtual void removeFromScreen(CFileResolver* resource) = 0;

protected:
    ~MediaWindow() override = default;
};
