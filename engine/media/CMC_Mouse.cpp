#include "media/CMC_Mouse.h"

#include "media/MediaWindow.h"
#include "platform/Backend.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"

#include <optional>

CXRect CMC_Mouse::clipRect_;
int CMC_Mouse::simulationDepth_ = 0;

namespace {

platform::Backend* backendOf(MediaWindow* window)
{
    return window != nullptr ? window->getBackend() : nullptr;
}

} // namespace

CMC_Mouse::CMC_Mouse(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("MOUSE"), TYPE)
    , window_(container != nullptr ? MediaWindow::of(container->getWindow()) : nullptr)
{
    setScene(container);
    if (platform::Backend* backend = backendOf(window_)) {
        const platform::Point at = backend->cursors().position();
        position_ = CXPoint(at.x, at.y);
    }
    if (window_ != nullptr)
        window_->registerMouseListener(this, PRIORITY);
}

CMC_Mouse::CMC_Mouse(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Mouse(container)
{
    initializeBehaviours(container, element);
}

CMC_Mouse::~CMC_Mouse()
{
    if (window_ != nullptr)
        window_->removeMouseListener(this);
}

const CMC_SignalList* CMC_Mouse::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONMOVE", "ONCLICK", "ONRELEASE", "ONDBLCLICK"};
    return &signals;
}

CXString CMC_Mouse::getButton(int button)
{
    switch (button) {
    case 0: return CXString("LEFT");
    case 1: return CXString("MIDDLE");
    case 2: return CXString("RIGHT");
    default: return CXString();
    }
}

void CMC_Mouse::set(int kind)
{
    if (window_ == nullptr)
        return;
    switch (kind) {
    case CURSOR_ARROW: window_->EndWaitCursor(); break;
    case CURSOR_WAIT: window_->BeginWaitCursor(); break;
    case CURSOR_ACTIVE: window_->BeginActiveCursor(); break;
    default: break;
    }
}

void CMC_Mouse::set(const CXString& kind)
{
    if (kind == "ARROW")
        set(CURSOR_ARROW);
    else if (kind == "WAIT")
        set(CURSOR_WAIT);
    else if (kind == "ACTIVE")
        set(CURSOR_ACTIVE);
}

void CMC_Mouse::setPosition(int x, int y)
{
    position_ = CXPoint(x, y);
    if (platform::Backend* backend = backendOf(window_))
        backend->cursors().moveTo({x, y});
}

void CMC_Mouse::show()
{
    if (cursorShown_ || window_ == nullptr)
        return;
    window_->ShowCursor();
    cursorShown_ = true;
}

void CMC_Mouse::hide()
{
    if (!cursorShown_ || window_ == nullptr)
        return;
    window_->HideCursor();
    cursorShown_ = false;
}

void CMC_Mouse::enable()
{
    enabled_ = true;
    if (window_ != nullptr)
        window_->enableMouse(true);
}

void CMC_Mouse::disable()
{
    enabled_ = false;
    if (window_ != nullptr)
        window_->enableMouse(false);
}

void CMC_Mouse::setClipRect(int left, int top, int right, int bottom)
{
    platform::Backend* backend = backendOf(window_);
    const platform::Point origin = backend != nullptr ? backend->display().clientOrigin() : platform::Point{};
    clipTo(CXRect(left + origin.x, top + origin.y, right + origin.x, bottom + origin.y));
}

void CMC_Mouse::simulate(MediaWindow* window, const CXString& button, CXPoint p, bool down)
{
    if (window == nullptr || simulationDepth_ >= kMaxSimulationDepth)
        return;
    using Entry = int (MediaWindow::*)(CXPoint, int);
    Entry entry = nullptr;
    if (button == "LEFT")
        entry = down ? &MediaWindow::OnLButtonDown : &MediaWindow::OnLButtonUp;
    else if (button == "MIDDLE")
        entry = down ? &MediaWindow::OnMButtonDown : &MediaWindow::OnMButtonUp;
    else if (button == "RIGHT")
        entry = down ? &MediaWindow::OnRButtonDown : &MediaWindow::OnRButtonUp;
    if (entry == nullptr)
        return;
    ++simulationDepth_;
    (window->*entry)(p, 0);
    --simulationDepth_;
}

bool CMC_Mouse::onMouseMove(CXPoint p)
{
    position_ = p;
    if (signalsOn(SIGNAL_ONMOVE))
        onSignal(CXString("ONMOVE"));
    return false;
}

bool CMC_Mouse::onClick(int button, CXPoint p)
{
    if (button == 0)
        lastClick_ = p;
    if (signalsOn(SIGNAL_ONCLICK))
        raiseForButton("ONCLICK", button);
    return false;
}

bool CMC_Mouse::onRelease(int button, CXPoint)
{
    if (signalsOn(SIGNAL_ONRELEASE))
        raiseForButton("ONRELEASE", button);
    return false;
}

bool CMC_Mouse::onDblClick(CXPoint)
{
    if (signalsOn(SIGNAL_ONDBLCLICK))
        onSignal(CXString("ONDBLCLICK"));
    return false;
}

void CMC_Mouse::raiseForButton(const char* signal, int button)
{
    const CXString plain(signal);
    if (!onSignal(plain + "^" + getButton(button)))
        onSignal(plain);
}

// The class-wide confinement. The rectangle is kept in desktop coordinates, the pointer is
// confined in client coordinates: the window may have moved in between.

void CMC_Mouse::restore()
{
    platform::Backend* backend = backendOf(MediaWindow::getInstance());
    if (backend == nullptr)
        return;
    if (clipRect_.Width() == 0 || clipRect_.Height() == 0) {
        backend->cursors().clipTo(std::nullopt);
        return;
    }
    const platform::Point origin = backend->display().clientOrigin();
    backend->cursors().clipTo(platform::Rect{clipRect_.left - origin.x, clipRect_.top - origin.y,
                                             clipRect_.right - origin.x, clipRect_.bottom - origin.y});
}

void CMC_Mouse::reset(bool forget)
{
    if (forget)
        clipRect_ = CXRect();
    if (platform::Backend* backend = backendOf(MediaWindow::getInstance()))
        backend->cursors().clipTo(std::nullopt);
}

void CMC_Mouse::clipTo(const CXRect& screenRect)
{
    clipRect_ = screenRect;
    restore();
}
