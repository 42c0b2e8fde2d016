#include "script_graphics/CAnimatedFilter.h"

#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

CXTimer* timerList(ScriptGraphicsWindow* window)
{
    return window != nullptr ? window->GetTimerInterface() : nullptr;
}

} // namespace

CAnimatedFilter::CAnimatedFilter(ScriptGraphicsWindow* owner)
    : CFilter(owner)
    , timerId_(CXTimer::allocateId())
{
    if (CXTimer* timers = timerList(owner))
        timers->add(timerId_, 1, static_cast<CTimerNotificator*>(this));
    listeners_.reserve(101);
}

CAnimatedFilter::~CAnimatedFilter()
{
    if (CXTimer* timers = timerList(getOwner()))
        timers->remove(timerId_);
}

void CAnimatedFilter::addLink(CFilterLink* link)
{
    if (link != nullptr)
        appendLink(link);
}

bool CAnimatedFilter::isRunning(CGraphicsObject* graphics)
{
    const CFilterLink* link = findLink(graphics);
    return link != nullptr && link->isActive();
}

void CAnimatedFilter::start(CGraphicsObject* graphics)
{
    CFilterLink* link = findLink(graphics);
    if (link == nullptr || link->isActive())
        return;
    tellListeners(link, [&](CFilterListener* listener) { listener->onFilterStarted(link, this); });
    // A handler may have removed the link or started it itself.
    if (holds(link) && !link->isActive())
        link->setActive(getOptions(), true);
}

void CAnimatedFilter::startLink(CFilterLink* link)
{
    start(link->getGraphics());
}

void CAnimatedFilter::stop(CGraphicsObject* graphics)
{
    CFilterLink* link = findLink(graphics);
    if (link == nullptr || !link->isActive())
        return;
    link->setActive(getOptions(), false);
    tellListeners(link, [&](CFilterListener* listener) { listener->onFilterTick(link, this); });
}

void CAnimatedFilter::stopLink(CFilterLink* link)
{
    stop(link->getGraphics());
}

void CAnimatedFilter::onTimer(int)
{
    for (int i = 0; i < getLinkCount(); ++i) {
        CFilterLink* link = getLinkAt(i);
        if (!link->isActive())
            continue;
        link->getState()->increment();
        if (step(link, getOptions()))
            stopLink(link);
        else
            tellListeners(link, [&](CFilterListener* listener) { listener->onFilterFinished(link, this); });
    }
}

// A handler may remove the link, so each listener is told only while it is still there.
template <typename Tell>
void CAnimatedFilter::tellListeners(const CFilterLink* link, Tell tell)
{
    for (CFilterListener* listener : listeners_) {
        if (!holds(link))
            return;
        tell(listener);
    }
}
