#include "text/CControl.h"

#include <algorithm>

CControl::CControl(TextWindow* window)
    : window_(window)
{
}

CControl::~CControl()
{
    const std::vector<Watcher*> told = watchers_;
    for (Watcher* watcher : told)
        watcher->onControlGone(this);
}

void CControl::watch(Watcher* watcher)
{
    if (watcher != nullptr && std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end())
        watchers_.push_back(watcher);
}

void CControl::unwatch(Watcher* watcher)
{
    watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), watcher), watchers_.end());
}

void CControl::addNotifier(CControlNotifier* notifier)
{
    if (notifier != nullptr)
        notifiers_.push_back(notifier);
}

void CControl::removeNotifier(CControlNotifier* notifier)
{
    const auto found = std::find(notifiers_.begin(), notifiers_.end(), notifier);
    if (found != notifiers_.end())
        notifiers_.erase(found);
}

void CControl::tell(void (CControlNotifier::*operation)(CControl*, CXPoint), CXPoint p)
{
    const std::vector<CControlNotifier*> told = notifiers_;
    for (CControlNotifier* notifier : told)
        (notifier->*operation)(this, p);
}

int CControl::onMouseMove(CXPoint p)
{
    tell(&CControlNotifier::onControlOnMove, p);
    return 0;
}

int CControl::onFocusOn(CXPoint p)
{
    tell(&CControlNotifier::onControlFocusOn, p);
    return 0;
}

int CControl::onFocusOff(CXPoint p)
{
    tell(&CControlNotifier::onControlFocusOff, p);
    return 0;
}

int CControl::onClick(CXPoint p)
{
    tell(&CControlNotifier::onControlClicked, p);
    return 0;
}

int CControl::onRelease(CXPoint p)
{
    tell(&CControlNotifier::onControlReleased, p);
    return 0;
}

int CControl::onRClick(CXPoint p)
{
    tell(&CControlNotifier::onControlPopup, p);
    return 0;
}

void CControl::onAction(CXPoint p)
{
    tell(&CControlNotifier::onControlAction, p);
}

void CControl::onStartDragging(CXPoint p)
{
    tell(&CControlNotifier::onStartDragging, p);
}

void CControl::onDragging(CXPoint p)
{
    tell(&CControlNotifier::onDragging, p);
}

void CControl::onEndDragging(CXPoint p)
{
    tell(&CControlNotifier::onEndDragging, p);
}
