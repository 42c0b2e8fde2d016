#include "app/CWindow.h"

#include "app/CApplication.h"
#include "app/CKeyListeners.h"
#include "app/CMouseListenerEntry.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CFile.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CXRandom.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CCollisionInspector.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CHotSpot.h"
#include "graphics/CRefreshRegion.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CSurface.h"
#include "media/CDXMouse.h"
#include "media/CKeyListener.h"
#include "media/CKeyboard.h"
#include "media/CMC_Joystick.h"
#include "media/CMC_Mouse.h"
#include "media/CMC_NetPeer.h"
#include "media/CMouseListener.h"
#include "media/CMusic.h"
#include "media/CSndStream.h"
#include "media/CSound4.h"
#include "media/CSoundManager.h"
#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/FramePacer.h"

#include <algorithm>
#include <cstring>


CWindow::CWindow(platform::Backend* backend, CCommandLine6* commandLine, CLanguageOSVer* language, CXSize screenSize,
                 const platform::CursorShape* mainCursor, const CXString& startFolder)
    : backend_(backend)
    , language_(language)
    , screenSize_(screenSize)
    , commandLine_(commandLine)
    , mainCursor_(mainCursor)
{
    exePath = startFolder;
    rootPath = CFile::getCurrentDirectory();
    CXRandom::seed(platform::tickCount());
    instance_ = this;
    timers_ = new CXTimer(this);
    SetCursor(mainCursor_);
    CSound4::CreateDirectSoundInterface(this);
    music_ = new CMusic(this);
    keyboard_ = new CKeyboard(this);
    mouse_ = new CDXMouse(this);
    keyListeners_ = new CKeyListeners;
    mouseListeners_ = new CMouseListeners;
    collisionInspector_ = new CCollisionInspector;
    trash_ = new CPublicTrash(timers_);
    if (commandLine_ != nullptr) {
        MusicOn(commandLine_->isMusicEnabled());
        SoundOn(commandLine_->isSoundEnabled());
        videoMemory_ = commandLine_->isVMem();
    }
}

CWindow::CWindow(CLanguageOSVer* language, const CXString& startFolder, CCommandLine6* commandLine)
    : CWindow(nullptr, commandLine, language, CXSize(800, 600), nullptr, startFolder)
{
}

CWindow::~CWindow()
{
    release();
    if (instance_ == this)
        instance_ = nullptr;
}

void CWindow::release()
{
    CGraphicsObject::ReleaseGraphics();
    // The bin goes first: it takes its timer off the list, and the objects that wait in it
    // go while the surfaces and devices they may reach are still there.
    delete trash_;
    trash_ = nullptr;
    dropSurfaces();
    delete music_;
    music_ = nullptr;
    delete timers_;
    timers_ = nullptr;
    delete keyboard_;
    keyboard_ = nullptr;
    delete mouse_;
    mouse_ = nullptr;
    delete collisionInspector_;
    collisionInspector_ = nullptr;
    CSound4::DestroySoundBuffer();
    delete keyListeners_;
    keyListeners_ = nullptr;
    delete mouseListeners_;
    mouseListeners_ = nullptr;
    CHotSpot::done();
}

CXSize CWindow::GetScreenSize() const
{
    return drawingSurface_ != nullptr ? drawingSurface_->Size() : screenSize_;
}

int CWindow::GetBpp() const
{
    return surface_ != nullptr ? surface_->GetBPP() : 0;
}

const unsigned char* CWindow::GetScreenPtr() const
{
    return surface_ != nullptr ? surface_->GetScreenPtr() : nullptr;
}

// Surfaces.

void CWindow::dropSurfaces()
{
    delete refreshScreen_;
    refreshScreen_ = nullptr;
    delete drawingSurface_;
    drawingSurface_ = nullptr;
    delete surface_;
    surface_ = nullptr;
}

void CWindow::makeDrawingSurfaces()
{
    drawingSurface_ = new CDirectDrawSurface(this, screenSize_, surface_->GetBPP(), videoMemory_);
    // The first frame shows black where nothing is drawn, not what the memory held.
    if (char* pixels = drawingSurface_->GetDataPtr())
        std::memset(pixels, 0, static_cast<size_t>(drawingSurface_->GetDataSize()));
    refreshScreen_ = new CRefreshScreen(this);
}

int CWindow::CreateSurface()
{
    dropSurfaces();
    surface_ = new CSurface(this, screenSize_);
    setErrorCode(surface_->LastError());
    if (LastError() == 0) {
        makeDrawingSurfaces();
        const platform::Point origin = backend_->display().clientOrigin();
        refreshScreen_->SetPosition(origin.x, origin.y);
    }
    return LastError();
}

int CWindow::SetDisplayMode(CXSize size, int bpp)
{
    return SetDisplayMode(size.width, size.height, bpp);
}

int CWindow::SetDisplayMode(int width, int height, int bpp)
{
    if (width == 0)
        width = screenSize_.width;
    if (height == 0)
        height = screenSize_.height;
    dropSurfaces();
    const bool flipping = commandLine_ != nullptr && commandLine_->isPageFlippingEnabled();
    surface_ = new CSurface(this, CXSize(width, height), bpp, flipping);
    setErrorCode(surface_->LastError());
    if (LastError() == 0) {
        makeDrawingSurfaces();
    } else {
        delete surface_;
        surface_ = nullptr;
    }
    return LastError();
}

// The frame.

int CWindow::Tick()
{
    if (!active_)
        return 0;
    Redraw();
    {
        const std::lock_guard<std::recursive_mutex> lock(criticalSection_);
        keyboard_->tick();
        mouse_->tick();
        if (CMC_Joystick* joystick = CMC_Joystick::getIfc())
            joystick->tick();
    }
    timers_->domodal();
    if (application_ != nullptr) {
        application_->getAnimoManagerIfc()->domodal();
        application_->getSoundManagerIfc()->domodal();
    }
    collisionInspector_->tick();
    CSndStream::flushLoopSignals();
    {
        // The flushes raise every input signal of the frame, here on the main thread.
        const std::lock_guard<std::recursive_mutex> lock(criticalSection_);
        keyboard_->flushSignals(true);
        mouse_->flushSignals(true);
        if (CMC_Joystick* joystick = CMC_Joystick::getIfc())
            joystick->flushSignals(true);
    }
    // What the network brought reaches the scripts after the frame's input.
    CMC_NetPeer::drainQueues(this);
    if (application_ != nullptr)
        application_->tickUpdates();
    return 0;
}

bool CWindow::domodal()
{
    Tick();
    const bool applicationEnds = application_ != nullptr && application_->domodal();
    return applicationEnds || quit_;
}

int CWindow::Redraw()
{
    if (!active_ || refreshScreen_ == nullptr || drawingSurface_ == nullptr)
        return 0;
    bool initialUpdateDone = false;
    // No display here has a back buffer to flip to: the changed rectangles are copied.
    if (refreshScreen_->Redraw(drawingSurface_, surface_, &initialUpdateDone)) {
        const platform::Point client = backend_->display().clientOrigin();
        CRefreshRegion* region = refreshScreen_->getRefreshList();
        for (int i = 0; i < region->getCount(); ++i) {
            const CXRect* stored = region->rectAt(i);
            CXRect r = stored != nullptr ? *stored : CXRect(0, 0, refreshScreen_->Width(), refreshScreen_->Height());
            if (r.Width() == 0 || r.Height() == 0)
                continue;
            r.right = std::min(r.right, drawingSurface_->Width());
            r.bottom = std::min(r.bottom, drawingSurface_->Height());
            surface_->Blt(drawingSurface_, r.left + client.x, r.top + client.y, &r);
        }
        surface_->Present();
        refreshScreen_->validate();
    }
    if (initialUpdateDone)
        refreshScreen_->Invalidate(static_cast<CXRect*>(nullptr));
    return 0;
}

bool CWindow::pumpEvents()
{
    if (backend_ != nullptr)
        while (const std::optional<platform::Event> event = backend_->events().poll())
            dispatchEvent(*event);
    return !closed_;
}

void CWindow::dispatchEvent(const platform::Event& event)
{
    using platform::EventType;
    const CXPoint p(event.position.x, event.position.y);
    switch (event.type) {
    case EventType::Quit:
        OnDestroy();
        return;
    case EventType::Activate:
        OnActivateApp(event.active);
        if (active_)
            Invalidate();
        return;
    case EventType::Move:
        OnMove(event.position.x, event.position.y);
        Redraw();
        return;
    case EventType::Expose:
        Invalidate();
        return;
    case EventType::DoubleClick:
        if (active_)
            OnLButtonDblClk(p, 0);
        return;
    default:
        break;
    }
    // An inactive program takes no input.
    if (!active_)
        return;
    const std::lock_guard<std::recursive_mutex> lock(criticalSection_);
    switch (event.type) {
    case EventType::MouseMove: mouse_->postMove(p); break;
    case EventType::MouseDown: mouse_->postButton(static_cast<int>(event.button), true, p); break;
    case EventType::MouseUp: mouse_->postButton(static_cast<int>(event.button), false, p); break;
    case EventType::KeyDown: keyboard_->post(event.key, true); break;
    case EventType::KeyUp: keyboard_->post(event.key, false); break;
    default: break;
    }
}

void CWindow::run(uint32_t periodMs, const std::function<bool()>& afterFrame, const std::function<void()>& beforeFrame,
                  Pacing pacing)
{
    if (backend_ == nullptr)
        return;
    platform::FramePacer pacer(periodMs);
    sleepsUntilDue_ = pacing == Pacing::WhenDue;
    for (;;) {
        if (beforeFrame)
            beforeFrame();
        if (!pumpEvents() || domodal() || (afterFrame && !afterFrame()))
            break;
        if (sleepsUntilDue_)
            pacer.waitForNextFrame(backend_->events(), nextWorkDue());
        else
            pacer.waitForNextFrame(backend_->events());
    }
    sleepsUntilDue_ = false;
}

std::optional<uint32_t> CWindow::nextWorkDue()
{
    // An inactive program's frames only do the application's work, which comes with events.
    if (!active_)
        return std::nullopt;
    const uint32_t now = platform::tickCount();
    if (hasWorkEveryFrame())
        return now;
    platform::SoonestTick soonest(now);
    soonest.add(timers_->nextDue());
    if (application_ != nullptr)
        soonest.add(application_->getAnimoManagerIfc()->nextStepDue());
    return soonest.tick();
}

bool CWindow::hasWorkEveryFrame()
{
    if (refreshScreen_ != nullptr && refreshScreen_->hasFrameWork())
        return true;
    if (keyboard_->hasInput() || mouse_->hasInput() || CMC_Joystick::getIfc() != nullptr)
        return true;
    if (collisionInspector_->getMovedCount() > 0 || CSndStream::hasLoopsToSignal() || CMC_NetPeer::hasPeers(this))
        return true;
    return application_ != nullptr
           && (application_->getSoundManagerIfc()->hasSoundsPlaying() || application_->getUpdateClient() != nullptr);
}

void CWindow::wake()
{
    // A loop that comes round every period would only get a frame more, out of step.
    if (sleepsUntilDue_ && backend_ != nullptr)
        backend_->events().wake();
}

int CWindow::OnCreate()
{
    timers_->add(0, 1, static_cast<CTimerNotificator*>(this));
    return 0;
}

int CWindow::OnTimer(int)
{
    return 0;
}

int CWindow::OnActivateApp(bool active)
{
    if (active == active_)
        return 0;
    active_ = active;
    if (active) {
        if (refreshScreen_ != nullptr)
            refreshScreen_->onFocusOn();
        CMC_Mouse::restore();
    } else {
        if (refreshScreen_ != nullptr)
            refreshScreen_->onFocusOff();
        CMC_Mouse::reset(false);
        // The releases of the keys held now go to the window that took the focus.
        const std::lock_guard<std::recursive_mutex> lock(criticalSection_);
        keyboard_->releaseHeldKeys();
    }
    return 0;
}

int CWindow::OnDestroy()
{
    closed_ = true;
    return 0;
}

bool CWindow::OnExit()
{
    return application_ != nullptr ? application_->OnExit() : true;
}

int CWindow::OnMove(int x, int y)
{
    if (surface_ == nullptr || !surface_->isWindowed() || refreshScreen_ == nullptr)
        return 0;
    refreshScreen_->SetPosition(x, y);
    Invalidate();
    return 0;
}
