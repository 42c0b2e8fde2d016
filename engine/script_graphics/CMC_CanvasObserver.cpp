#include "script_graphics/CMC_CanvasObserver.h"

#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

constexpr int kSignalInitialUpdate = 3;
constexpr int kSignalUpdate = 4;
constexpr int kSignalUpdated = 5;
constexpr int kSignalFocusOn = 6;
constexpr int kSignalFocusOff = 7;

} // namespace

CMC_CanvasObserver::CMC_CanvasObserver(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString("tempCANVAS"), kType)
    , window_(owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr)
{
    setScene(owner);
    listen();
}

CMC_CanvasObserver::CMC_CanvasObserver(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr)
{
    listen();
    initializeBehaviours(owner, element);
}

CMC_CanvasObserver::~CMC_CanvasObserver()
{
    if (CRefreshScreen* screen = getCanvas())
        screen->removeNotifier(this);
}

void CMC_CanvasObserver::listen()
{
    screen_ = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    if (screen_ != nullptr)
        screen_->addNotifier(this);
}

CRefreshScreen* CMC_CanvasObserver::getCanvas() const
{
    return window_ != nullptr && ScriptGraphicsWindow::getInstance() == window_ && window_->GetRefreshScreenInterface() == screen_
               ? screen_
               : nullptr;
}

const CMC_SignalList* CMC_CanvasObserver::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",   "ONDONE",    "ONSIGNAL",        "ONINITIALUPDATE",
                                        "ONUPDATE", "ONUPDATED", "ONWINDOWFOCUSON", "ONWINDOWFOCUSOFF"};
    return &signals;
}

CGraphicsObject* CMC_CanvasObserver::getShownGraphics(const CXString&)
{
    return getCanvas();
}

void CMC_CanvasObserver::raise(int signal, const char* name)
{
    if (isSignalBound(signal) && !isToDelete())
        onSignal(CXString(name));
}

void CMC_CanvasObserver::onInitialUpdate()
{
    raise(kSignalInitialUpdate, "ONINITIALUPDATE");
}

void CMC_CanvasObserver::onUpdate()
{
    raise(kSignalUpdate, "ONUPDATE");
}

void CMC_CanvasObserver::onUpdated()
{
    raise(kSignalUpdated, "ONUPDATED");
}

void CMC_CanvasObserver::onFocusOn()
{
    raise(kSignalFocusOn, "ONWINDOWFOCUSON");
}

void CMC_CanvasObserver::onFocusOff()
{
    raise(kSignalFocusOff, "ONWINDOWFOCUSOFF");
}

void CMC_CanvasObserver::enableNotify(bool on)
{
    if (CRefreshScreen* screen = getCanvas())
        screen->enableNotifyFlag(on);
}

CXString CMC_CanvasObserver::getGraphicsAt(CMC_ObjectsContainer* scope, int x, int y, bool onlyVisible,
                                           int minPriority, int maxPriority, bool ignoreAlpha)
{
    CRefreshScreen* screen = getCanvas();
    CGraphicsObject* hit = screen != nullptr ? screen->getGraphicsAt(x, y, onlyVisible, minPriority, maxPriority, ignoreAlpha)
                                             : nullptr;
    if (hit == nullptr)
        return CXString();
    return scope != nullptr ? scope->getGraphicsObjectName(hit) : CXString("UNKNOWN");
}
