#pragma once

#include "app/CApplication.h"
#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "foundation/CXString.h"
#include "foundation/CXTimer.h"
#include "text/TextWindow.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

class CColor;
class CCollisionInspector;
class CCommandLine6;
class CDXMouse;
class CDirectDrawSurface;
class CFileResolver;
class CGraphicsObject;
class CKeyListener;
class CKeyListeners;
class CKeyboard;
class CLanguageOSVer;
class CMC_ObjectsContainer;
class CMouseListener;
class CMouseListeners;
class CMusic;
class CPublicTrash;
class CRefreshScreen;
class CSurface;
class CUnit6;

namespace platform {
class Backend;
class CursorShape;
struct Event;
} // namespace platform

// The one engine window of the process: the frame pump, the display surfaces with the screen
// composer, the input devices and the routing of their events, timers, music and the data paths.
class CWindow : public CXObject, public TextWindow, private CTimerNotificator {
public:
    // The back end stands for the program's window (not owned; null: a window without a
    // display); neither the command line nor the language object is owned. Creates the timer
    // list, the sound device, the music player, the keyboard and mouse devices, the listener
    // lists, the collision inspector and the deferred-delete bin. Sound and music are on unless
    // the command line says "nosound" or "nomusic". The window starts inactive.
    CWindow(platform::Backend* backend, CCommandLine6* commandLine, CLanguageOSVer* language, CXSize screenSize,
            const platform::CursorShape* mainCursor, const CXString& startFolder);
    // A window without a display, 800 x 600.
    CWindow(CLanguageOSVer* language, const CXString& startFolder, CCommandLine6* commandLine = nullptr);
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    ~CWindow() override;

    // The window made last, while it lives.
    static CWindow* getInstance() { return static_cast<CWindow*>(instance_); }
    // The window that a lower folder's object knows.
    static CWindow* of(FoundationWindow* window) { return static_cast<CWindow*>(window); }

    platform::Backend* getBackend() const override { return backend_; }
    CLanguageOSVer* getLangIfc() const override { return language_; }
    CCommandLine6* getCommandLineIfc() const override { return commandLine_; }
    CXTimer* GetTimerInterface() const override { return timers_; }
    CPublicTrash* getPublicTrashInterface() const override { return trash_; }
    CKeyboard* getKeyboardInterface() const override { return keyboard_; }
    CDXMouse* getDXMouseInterface() const { return mouse_; }
    CMusic* getMusicInterface() const { return music_; }
    // The drawing surface, the screen surface and the composer come with the display: null
    // until CreateSurface or SetDisplayMode succeeded.
    CDirectDrawSurface* GetSurface() const override { return drawingSurface_; }
    CSurface* GetScreenSurface() const { return surface_; }
    CRefreshScreen* GetRefreshScreenInterface() const override { return refreshScreen_; }
    CCollisionInspector* getCollisionInspectorInterface() const override { return collisionInspector_; }
    // The engine object of the running application; none until it registers itself.
    CApplication* GetApplicationInterface() const override { return application_; }
    void SetApplicationInterface(CApplication* application) { application_ = application; }
    // The drawing surface's size; the size given at construction before there is one.
    CXSize GetScreenSize() const override;
    // The display's bits per pixel (16, or 15 where 16 was refused); 0 without a display.
    int GetBpp() const override;
    const unsigned char* GetScreenPtr() const;
    bool isVMem() const { return videoMemory_; }
    // Guards the input devices' queues; the frame holds it while it polls and flushes them.
    std::recursive_mutex& getCriticalSectionHandle() { return criticalSection_; }

    // The display in a window at 16 bits per pixel; the error code (0 when it opened). The
    // surfaces made before are replaced.
    int CreateSurface();
    // The display over the whole desktop; a width or height of 0 takes the window's screen
    // size. The surfaces made before are replaced. The error code (0 when it opened).
    int SetDisplayMode(int width, int height, int bpp);
    int SetDisplayMode(CXSize size, int bpp);

    // The language's folder changed: the keyboard reads its letters again.
    void onLanguageChanged() override;
    // The resource, when it is a picture, leaves the screen composer's draw list.
    void removeFromScreen(CFileResolver* resource) override;
    // The scene running now; none between scenes.
    CMC_ObjectsContainer* getRunningScene() override;

    // One frame of the active program: the drawing and its presentation, the input devices
    // (the JOYSTICK made last among them), due timers, the sounds' ends, collisions, then the
    // input signals. Returns 0.
    int Tick();
    // The frame, then the application's work for it (also while inactive); true when the
    // program is to end.
    bool domodal();
    // Takes every waiting event of the back end: window events at once, input into the
    // devices while the program is active. False once the window was closed.
    bool pumpEvents();
    // How the program's loop paces its frames: one every period, or, WhenDue, only those that
    // have work (nextWorkDue) besides the ones that events and wakes bring.
    enum class Pacing { EveryPeriod, WhenDue };
    // The program's loop: events, a frame, then a wait until the next frame is due or an event
    // comes (every periodMs). Ends when the window is closed, domodal says so, or afterFrame
    // (asked after every frame when one is given) says false. beforeFrame, when given, runs
    // before each frame's events are taken.
    void run(uint32_t periodMs, const std::function<bool()>& afterFrame = {},
             const std::function<void()>& beforeFrame = {}, Pacing pacing = Pacing::EveryPeriod);
    // The tick from which a frame has work that no event brings: the current one while some
    // work wants every frame (drawing, input, sounds, network, ...), else the next timer or
    // animation step; none without any, and while the program is inactive.
    std::optional<uint32_t> nextWorkDue();
    // Ends the wait for the next frame at once of a loop paced WhenDue; any thread may call it.
    void wake() override;
    // Frees everything the window owns; also run by the destructor.
    void release();

    // The program has the input focus: only then do frames run.
    bool isActive() const { return active_; }
    void Activate(bool active) { active_ = active; }

    // Composes the frame and shows what changed. Returns 0.
    int Redraw() override;
    virtual int OnCreate();
    virtual int OnInitialUpdate() { return 0; }
    // The window's own timer handler; it has nothing to do.
    virtual int OnTimer(int id);
    // The program gained or lost the input focus; the same state again changes nothing. Keys
    // held when the focus goes count as released.
    virtual int OnActivateApp(bool active);
    // The window was closed: the loop ends after this turn.
    virtual int OnDestroy();
    // Whether the program may end; the application decides.
    virtual bool OnExit();
    // The client area's top-left corner moved to (x, y) on the desktop.
    virtual int OnMove(int x, int y);

    // Mouse entry points: the hot spots first, then the listeners by priority until one
    // consumes the event. The hot spots' answer; 0 while the mouse is switched off.
    int OnMouseMove(CXPoint p, int flags) override;
    int OnLButtonDown(CXPoint p, int flags) override;
    int OnLButtonUp(CXPoint p, int flags) override;
    int OnLButtonDblClk(CXPoint p, int flags);
    int OnMButtonDown(CXPoint p, int flags) override;
    int OnMButtonUp(CXPoint p, int flags) override;
    int OnRButtonDown(CXPoint p, int flags) override;
    int OnRButtonUp(CXPoint p, int flags) override;
    // Key entry points (DirectInput key codes): a press goes to the application first (none
    // before it is attached), then to every key listener; releases and characters go to the
    // listeners.
    int OnKeyDown(int key, int flags) override;
    int OnKeyUp(int key, int flags) override;
    int OnChar(int character, int flags) override;

    void registerMouseListener(CMouseListener* listener, int priority) override;
    void removeMouseListener(CMouseListener* listener) override;
    // Gives the listener the top place (priority 1000000), ahead of every earlier one there.
    void setMouseCaption(CMouseListener* listener);
    void registerKeyListener(CKeyListener* listener) override;
    void removeKeyListener(CKeyListener* listener) override;

    // Switched off, the mouse reaches nothing and the wait cursor shows.
    void enableMouse(bool enabled) override;
    bool isMouseEnabled() const { return mouseEnabled_; }
    // Shows the pointer shape unless the cursor is locked.
    void SetCursor(const platform::CursorShape* shape);
    void LockCursor() { cursorLock_ = true; }
    void UnLockCursor() { cursorLock_ = false; }
    void SetActiveCursor(const platform::CursorShape* shape) { activeCursor_ = shape; }
    void SetWaitCursor(const platform::CursorShape* shape) { waitCursor_ = shape; }
    const platform::CursorShape* GetMainCursor() const { return mainCursor_; }
    // The active cursor (over something that can be clicked), unless it is locked.
    void BeginActiveCursor() override;
    void BeginWaitCursor() override;
    // The main cursor.
    void EndWaitCursor() override;
    void EndActiveCursor() override { EndWaitCursor(); }
    void SetMainCursor() { EndWaitCursor(); }
    // Shows the main cursor, then locks or unlocks the active one.
    void lockActiveCursor(bool locked) override;
    // The pointer shows while its shows outnumber its hides (or equal them).
    void ShowCursor() override;
    void HideCursor() override;

    // The capital letter, digit or blank of a letter, digit or space key; 0 for any other.
    static unsigned char tranlateToChar(int key);
    // The engine's negative code of a Windows virtual key; other keys unchanged.
    static int __get_virtualkey_code(int virtualKey, int keyData);

    // A timer for a screen unit; without a unit the timer's target is the window itself.
    void SetTimer(int id, unsigned int elapse, CUnit6* unit, bool checkActive);
    void KillTimer(int id);

    void SoundOn(bool on) { soundOn_ = on; }
    void MusicOn(bool on) { musicOn_ = on; }
    bool IsSoundOn() const override { return soundOn_; }
    bool IsMusicOn() const { return musicOn_; }
    // Plays the music file, named from the root folder, while sound and music are on; the
    // music already playing from that file (in any letter case) plays on.
    void StartMusic(const CXString& name, bool loop) override;
    void StopMusic() override;
    bool isMusicPlaying() const override;
    // In the sound device's units.
    int getMusicVolume() const;
    void setMusicVolume(int volume);
    void setMusicPan(int pan);
    void setMusicFreq(int frequency);

    void SetSoundFXPath(const CXString& path) { soundFXPath_ = path; }
    CXString GetSoundFXPath() const { return soundFXPath_; }
    // The name inside the sound-effects folder, or the name alone while none is set.
    CXString GetSoundFXFullPath(const CXString& name) const override;

    // The screen composer's background and draw list; nothing without a composer.
    void SetBackground(CGraphicsObject* picture);
    void SetBackground(CColor* colour);
    void SetBackground(const CXString& fileName);
    CRefreshScreen* operator<<(CGraphicsObject* object);
    CRefreshScreen* operator>>(CGraphicsObject* object);
    // The whole screen, a rectangle of it or an object's area is drawn again next frame.
    void Invalidate() override;
    void Invalidate(CXRect* rect);
    void Invalidate(CGraphicsObject* object);

    // domodal reports the end at the end of this frame.
    void quit() { quit_ = true; }
    bool isQuitting() const { return quit_; }

    // Error codes of the devices, and the message box that tells the user of one: nothing
    // while the window's error code is 0.
    static constexpr int ERROR_GRAPHICS = -998;
    static constexpr int ERROR_SOUND = -997;
    void ShowError(const CXString& caption);
    // Accept their arguments and do nothing.
    void QuitOnError(CXObject* object, const CXString& caption, const CXString& text);
    void setErrorCode(int code) override { CXObject::setErrorCode(code); }

private:
    void onTimer(int id) override { OnTimer(id); }
    // The screen surface, the drawing surface and the composer go; the display stays open.
    void dropSurfaces();
    // The surfaces over the newly opened display.
    void makeDrawingSurfaces();
    // Work that the next frame has whenever it comes.
    bool hasWorkEveryFrame();
    // What the program's window does with each event of the back end.
    void dispatchEvent(const platform::Event& event);
    // Hands the mouse event to the hot spots, then asks the listeners.
    int dispatchMouse(int hotSpotCode, CXPoint p, int flags, const std::function<bool(CMouseListener*)>& ask);


    platform::Backend* backend_;
    CLanguageOSVer* language_;
    CApplication* application_ = nullptr;
    CDirectDrawSurface* drawingSurface_ = nullptr;
    CXSize screenSize_;
    bool quit_ = false;
    bool videoMemory_ = false;
    bool mouseEnabled_ = true;
    std::recursive_mutex criticalSection_;
    CCollisionInspector* collisionInspector_ = nullptr;
    CCommandLine6* commandLine_;
    bool cursorLock_ = false;
    const platform::CursorShape* mainCursor_;
    const platform::CursorShape* activeCursor_ = nullptr;
    const platform::CursorShape* waitCursor_ = nullptr;
    bool activeCursorLock_ = false;
    CSurface* surface_ = nullptr;
    CRefreshScreen* refreshScreen_ = nullptr;
    bool soundOn_ = true;
    bool musicOn_ = true;
    CMusic* music_ = nullptr;
    CXTimer* timers_ = nullptr;
    CXString soundFXPath_;
    CDXMouse* mouse_ = nullptr;
    CKeyboard* keyboard_ = nullptr;
    CKeyListeners* keyListeners_ = nullptr;
    CMouseListeners* mouseListeners_ = nullptr;
    CPublicTrash* trash_ = nullptr;
    bool active_ = false;
    // The window was closed: the program's loop ends.
    bool closed_ = false;
    // The program's loop runs paced WhenDue; read by the threads that wake it.
    std::atomic<bool> sleepsUntilDue_{false};
};
